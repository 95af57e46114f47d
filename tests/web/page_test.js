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

const tests = {
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
