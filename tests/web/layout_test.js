#!/usr/bin/env node
// The page on every screen: a phone's layout with nothing clipped or
// overlapping, the rows and an open dialog laid out again when the window is
// resized or the tablet turned, and a long press that marks a row.
'use strict';

const assert = require('assert');
const path = require('path');
const puppeteer = require('../../tools/web-drive/node_modules/puppeteer-core');

const site = 'file://' + (process.env.TAVOLINI_SITE || path.resolve(__dirname, '../../build-web/site/index.html'));
const Road = ['btnShiki1', 'btnTasu', 'btnShiki2', 'btnJikkou', 'btnShiki3', 'btnWaru', 'btn3', 'btnJikkou',
  'btnShiki4', 'btnDainyu', 'btnShiki2', 'btnJikkou', 'btnShiki5', 'btnIkou', 'btnJikkou', 'btnShiki6', 'btnSeiri',
  'btnJikkou', 'btnShiki7', 'btnKake', 'btnMinus', 'btn1', 'btnJikkou'];
const Phone = { isMobile: true, hasTouch: true };

const idle = (page) => page.waitForFunction(() => window.tavolini && window.tavolini.idle(), { polling: 2 });
const state = (page) => page.evaluate(() => window.tavolini.stateReport());
const frames = (page) => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));

async function press(page, ids) {
  for (const id of ids) {
    await page.evaluate((id) => document.getElementById(id).click(), id);
    await idle(page);
  }
}

async function resize(page, viewport) {
  await page.setViewport(viewport);
  await frames(page);
  await idle(page);
}

// What is wrong with the layout: controls off the screen, too small for a
// finger on a touch screen or over one another, the page under the panel,
// rows wider than the page, a message cut, an equation's ink at its label.
const faults = (page) => page.evaluate(() => {
  const found = [];
  const box = (e) => e.getBoundingClientRect();
  const over = (a, b) => a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5;
  const coarse = matchMedia('(pointer: coarse)').matches;
  const controls = [...document.querySelectorAll('#pnlMain button, #pnlNumber')];
  controls.forEach((control, i) => {
    const r = box(control);
    if (r.left < 0 || r.top < 0 || r.right > innerWidth || r.bottom > innerHeight) found.push(control.id + ' off the screen');
    if (coarse && (r.width < 44 || r.height < 44)) found.push(control.id + ' smaller than a finger');
    if (document.getElementById('frmMain').dataset.keys === 'designed') return; // its buttons overlap by a pixel
    controls.slice(0, i).filter((other) => over(r, box(other))).forEach((other) => found.push(control.id + ' over ' + other.id));
  });
  const view = document.getElementById('frmPage');
  if (over(box(view), box(document.getElementById('pnlMainArea')))) found.push('the page under the panel');
  const message = document.getElementById('lblMess');
  if (message.scrollWidth > message.clientWidth || message.scrollHeight > message.clientHeight + 1) found.push('the message cut');
  for (const row of document.querySelectorAll('#sheet > canvas.row')) {
    if (row.offsetLeft + row.offsetWidth > view.clientWidth) found.push(row.id + ' wider than the page');
    // The pixels just left of the label: white below the step sentence.
    const ratio = row.width / row.offsetWidth;
    const strip = row.getContext('2d').getImageData((row.offsetWidth - 27) * ratio, 20 * ratio, 3 * ratio, (row.offsetHeight - 21) * ratio).data;
    if (strip.some((value, i) => i % 4 !== 3 && value < 200)) found.push(row.id + ' reaches its label');
  }
  return found;
});

// Dark pixels of a row in a box of its layout pixels, counted from its right edge.
const ink = (page, id, fromRight, toRight, top, bottom, red = false) => page.evaluate((id, fromRight, toRight, top, bottom, red) => {
  const row = document.getElementById(id);
  const ratio = row.width / row.offsetWidth;
  const data = row.getContext('2d').getImageData((row.offsetWidth - fromRight) * ratio, top * ratio,
    (fromRight - toRight) * ratio, (bottom - top) * ratio).data;
  let count = 0;
  for (let i = 0; i < data.length; i += 4) {
    if (red ? data[i] > 200 && data[i + 1] < 80 && data[i + 2] < 80 : data[i] + data[i + 1] + data[i + 2] < 300) count++;
  }
  return count;
}, id, fromRight, toRight, top, bottom, red);

const tests = {
  async 'on a phone nothing is clipped or overlaps along the typical road'(page) {
    for (const [width, height] of [[390, 844], [360, 740]]) {
      await page.setViewport({ width, height, ...Phone });
      await page.goto(site);
      await idle(page);
      for (let step = 0; step < Road.length; step++) {
        await press(page, [Road[step]]);
        if (Road[step] !== 'btnJikkou') continue;
        const found = await faults(page);
        assert.deepEqual(found, [], `${width}x${height} after step ${step}: ${found.join(', ')}`);
      }
      assert.equal(await page.evaluate(() => document.getElementById('columns').dataset.panel), 'below');
      assert.ok(await page.evaluate(() => document.getElementById('frmPage').clientHeight) >= 210, 'three rows show');
    }
  },

  async 'a wider window widens the rows, which are drawn again'(page) {
    await page.setViewport({ width: 1024, height: 768 });
    await page.goto(site);
    await idle(page);
    await press(page, Road.slice(0, 8));
    const before = await state(page);
    await resize(page, { width: 1366, height: 768 });
    assert.equal(await page.evaluate(() => document.getElementById('Image3').offsetWidth), 586);
    assert.ok(await page.evaluate(() => document.getElementById('Image9').getBoundingClientRect().right) > 1300);
    assert.ok(await ink(page, 'Image3', 24, 4, 30, 60) > 0, 'the label at the new right end');
    assert.deepEqual(await faults(page), []);
    assert.equal(await state(page), before);
  },

  async 'a tablet turned upright puts the panel below and keeps the work and an open dialog'(page) {
    await page.setViewport({ width: 1024, height: 768, ...Phone });
    await page.goto(site);
    await idle(page);
    await press(page, Road.slice(0, 8));
    const before = await state(page);
    await press(page, ['btnChangeTangen']);
    await resize(page, { width: 768, height: 1024, ...Phone });
    assert.equal(await page.evaluate(() => document.getElementById('columns').dataset.panel), 'below');
    assert.equal(await page.evaluate(() => document.getElementById('dialog').dataset.kind), 'unit');
    assert.ok(await page.evaluate(() => document.getElementById('selImage10').getBoundingClientRect().right) <= 768,
      'the selection fits the screen');
    await press(page, ['btnCancel']);
    assert.equal(await page.evaluate(() => document.getElementById('dialog').hidden), true);
    assert.ok(await ink(page, 'Image3', 24, 4, 30, 60) > 0, 'row 3 drawn again');
    assert.deepEqual(await faults(page), []);
    assert.equal(await state(page), before);
    await press(page, Road.slice(8, 12));
    assert.match(await state(page), /^count=5 /);
  },

  async 'a long press marks a row as the right button does, a tap chooses it'(page) {
    await page.setViewport({ width: 390, height: 844, ...Phone });
    await page.goto(site);
    await idle(page);
    await press(page, Road.slice(0, 4));
    const touch = (type) => page.evaluate((type) => document.getElementById('Image3').dispatchEvent(
      new PointerEvent(type, { bubbles: true, pointerType: 'touch', button: 0, clientX: 40, clientY: 200 })), type);
    await touch('pointerdown');
    await new Promise((resolve) => setTimeout(resolve, 650));
    await touch('pointerup');
    await idle(page);
    assert.ok(await ink(page, 'Image3', 20, 4, 15, 31, true) > 0, 'the red mark');
    assert.match(await state(page), /message=①＋②$/m, 'nothing chosen');
    await touch('pointerdown');
    await touch('pointerup');
    await idle(page);
    assert.match(await state(page), /message=③$/m, 'a tap chooses the equation');
  },
};

(async () => {
  const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true, args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'] });
  let failed = 0;
  const only = process.argv[2] || ''; // a part of the names of the tests to run
  for (const [name, test] of Object.entries(tests).filter(([name]) => name.includes(only))) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    page.on('pageerror', (error) => console.log('page error: ' + error.message));
    try {
      await test(page);
      console.log('ok: ' + name);
    } catch (error) {
      failed++;
      console.log('FAILED: ' + name + '\n' + error.stack);
    }
    await context.close();
  }
  await browser.close();
  process.exit(failed ? 1 : 0);
})();
