#!/usr/bin/env node
// The web page's own side, beyond what the scenarios print: records kept in
// the browser's storage across a reload, a set opened from the device, keys
// by their place on a Japanese keyboard, and the help.
'use strict';

const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('../../tools/web-drive/node_modules/puppeteer-core');

const site = 'file://' + path.resolve(__dirname, '../../build-web/site/index.html');
const Road = ['btnShiki1', 'btnTasu', 'btnShiki2', 'btnJikkou', 'btnShiki3', 'btnWaru', 'btn3', 'btnJikkou',
  'btnShiki4', 'btnDainyu', 'btnShiki2', 'btnJikkou', 'btnShiki5', 'btnIkou', 'btnJikkou', 'btnShiki6', 'btnSeiri',
  'btnJikkou', 'btnShiki7', 'btnKake', 'btnMinus', 'btn1', 'btnJikkou'];

const idle = (page) => page.waitForFunction(() => window.tavolini && window.tavolini.idle(), { polling: 2 });
const state = (page) => page.evaluate(() => window.tavolini.stateReport());

async function open(page) {
  await page.goto(site);
  await idle(page);
}

async function press(page, ids) {
  for (const id of ids) {
    await page.evaluate((id) => document.getElementById(id).click(), id);
    await idle(page);
  }
}

async function key(page, code, text, shiftKey = false) {
  await page.evaluate((code, key, shiftKey) => document.dispatchEvent(
    new KeyboardEvent('keydown', { code, key, shiftKey, bubbles: true, cancelable: true })), code, text, shiftKey);
  await idle(page);
}

// The pixels of a row's picture, to compare.
const pixels = (page, id) => page.evaluate((id) => {
  const canvas = document.getElementById(id);
  return Array.from(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data).join(',');
}, id);

const tests = {
  async 'an outline drawn and taken away leaves the row as it was, at a tablet\'s pixel ratio too'(page) {
    for (const deviceScaleFactor of [1, 2]) {
      await page.setViewport({ width: 1024, height: 768, deviceScaleFactor });
      await open(page);
      const before = await pixels(page, 'Image1');
      await page.evaluate(() => document.getElementById('Image1').dispatchEvent(
        new PointerEvent('pointermove', { bubbles: true, pointerType: 'mouse' })));
      await page.waitForFunction(() => window.tavolini.idle(), { polling: 2 });
      await new Promise((resolve) => setTimeout(resolve, 100));
      const outlined = await pixels(page, 'Image1');
      await page.evaluate(() => document.getElementById('sheet').dispatchEvent(
        new PointerEvent('pointermove', { bubbles: true, pointerType: 'mouse' })));
      await new Promise((resolve) => setTimeout(resolve, 100));
      await idle(page);
      assert.notEqual(outlined, before, 'the outline shows at ratio ' + deviceScaleFactor);
      assert.equal(await pixels(page, 'Image1'), before, 'the row is back at ratio ' + deviceScaleFactor);
    }
  },

  async 'while a dialog waits for the pupil, the panel takes no clicks'(page) {
    await open(page);
    await press(page, ['btnShiki1', 'btnShiki2']); // 操作が誤りです
    assert.equal(await page.evaluate(() => document.getElementById('dialog').dataset.kind), 'message');
    await page.evaluate(() => ['btnShiki2', 'btnTeisei'].forEach((id) => document.getElementById(id).click()));
    await press(page, ['dlgOk']);
    assert.equal(await page.evaluate(() => document.getElementById('dialog').hidden), true);
    assert.match(await state(page), /^count=2 .*message=①$/m);
  },

  async 'the driver stops at a control or a reply that is not there'() {
    const { spawnSync } = require('child_process');
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tavolini-'));
    fs.copyFileSync(path.resolve(__dirname, '../../data/ZUdir.sim'), path.join(folder, 'ZUdir.sim'));
    const driver = path.resolve(__dirname, '../../tools/web-drive/tavolini-web-drive');
    for (const [scenario, expected] of [
      ['click btnNope\n', 'error: no control named btnNope\n'],
      ['menu mnuNext\n', 'error: no reply queued for the question まだ解が出ていませんが次の問題に進みますか\n'],
    ]) {
      const run = spawnSync(driver, [], { cwd: folder, input: scenario, encoding: 'utf8' });
      assert.equal(run.status, 2, scenario);
      assert.equal(run.stdout, expected);
    }
  },

  async 'records survive a reload, one count more for each solving'(page) {
    const counts = [];
    for (let round = 0; round < 2; round++) {
      await open(page);
      await press(page, Road);
      assert.match(await state(page), /solved=1/);
      counts.push(await page.evaluate(() => localStorage.getItem('tavolini:/Tavolini/ZUdir.rec')));
    }
    assert.match(counts[0], /\n1=1\r?\n/);
    assert.match(counts[1], /\n1=2\r?\n/);
  },

  async 'a set chosen on the device is opened and practised'(page) {
    const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'tavolini-')), 'mine.sim');
    fs.writeFileSync(file, '<<mine\r\n3x+y=5;x-y=-1\r\n>>\r\n');
    await open(page);
    await page.evaluate(() => document.getElementById('mnuOpen').click());
    const input = await page.waitForSelector('#setFile');
    await input.uploadFile(file);
    await idle(page);
    // As on the desktop, the new set's units are offered first.
    assert.equal(await page.evaluate(() => document.getElementById('dialog').dataset.kind), 'unit');
    await press(page, ['btnOK']);
    assert.match(await page.evaluate(() => window.tavolini.tableReport()), /^1: 3x1 1y1 0=1 5\/1\n/);
  },

  async 'keys go by their place: shift and the colon key is * on a Japanese keyboard'(page) {
    await open(page);
    await press(page, ['btnShiki1']);
    await key(page, 'Quote', '*', true);
    await key(page, 'Digit3', '3');
    await key(page, 'NumpadEnter', 'Enter');
    assert.match(await state(page), /^count=3 /);
    assert.match(await page.evaluate(() => window.tavolini.tableReport()), /3: 6x1 3y1 0=1 21\/1/);
  },

  async 'F1 shows the help over the drill and Escape closes it'(page) {
    await open(page);
    await key(page, 'F1', 'F1');
    assert.equal(await page.evaluate(() => document.getElementById('help').hidden), false);
    assert.match(await page.evaluate(() => document.getElementById('helpFrame').src), /help\/contents\.html$/);
    await key(page, 'Escape', 'Escape');
    assert.equal(await page.evaluate(() => document.getElementById('help').hidden), true);
  },
};

(async () => {
  const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true, args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'], defaultViewport: { width: 1024, height: 768 } });
  let failed = 0;
  for (const [name, test] of Object.entries(tests)) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    page.on('pageerror', (error) => console.log('page error: ' + error.message));
    try {
      await test(page);
      console.log('ok: ' + name);
    } catch (error) {
      failed++;
      console.log('FAILED: ' + name + '\n' + error.message);
    }
    await context.close();
  }
  await browser.close();
  process.exit(failed ? 1 : 0);
})();
