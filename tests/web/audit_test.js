#!/usr/bin/env node
// The page for pupils who use a screen reader or the keyboard alone: axe-core
// finds no serious or critical fault on a desktop screen and on a phone, at the
// start, on the road, with a dialog or the editor open and with the help open;
// and the menus, 開く, 印刷, 問題の編集 and the first steps of the typical road
// are reached by keys.
'use strict';

const assert = require('assert');
const path = require('path');
const modules = path.resolve(__dirname, '../../tools/web-drive/node_modules');
const puppeteer = require(modules + '/puppeteer-core');
const { AxePuppeteer } = require(modules + '/@axe-core/puppeteer');
const { startSiteServer } = require('../../tools/web-drive/site-server');

const Viewports = { desktop: { width: 1024, height: 768 }, phone: { width: 390, height: 844, isMobile: true, hasTouch: true } };
const Impacts = ['critical', 'serious', 'moderate', 'minor'];
const Failing = ['critical', 'serious'];

const idle = (page) => page.waitForFunction(() => window.tavolini && window.tavolini.idle(), { polling: 2 });

async function press(page, ids) {
  for (const id of ids) {
    await page.evaluate((id) => document.getElementById(id).click(), id);
    await idle(page);
  }
}

// The states audited, each from a fresh page.
const States = {
  start: async () => {},
  road: (page) => press(page, ['btnShiki1', 'btnTasu', 'btnShiki2', 'btnJikkou', 'btnShiki3', 'btnWaru', 'btn3']),
  unitDialog: (page) => press(page, ['btnChangeTangen']),
  saveDialog: (page) => press(page, ['mnuSaveAs']),
  printDialog: (page) => press(page, ['btnPrint']),
  editor: (page) => press(page, ['mnuEditZudir']),
  help: (page) => type(page, 'F1'),
  records: (page) => press(page, ['mnuShowRecord']),
  recordDeletion: (page) => press(page, ['mnuShowRecord', 'btnDelete']),
  stack: (page) => press(page, ['mnuDump']),
};

// A key press as the pupil makes it: "Alt+KeyF", "Enter", "e".
async function type(page, keys) {
  for (const chord of keys.split(' ')) {
    const parts = chord.split('+');
    for (const part of parts.slice(0, -1)) await page.keyboard.down(part);
    await page.keyboard.press(parts[parts.length - 1]);
    for (const part of parts.slice(0, -1).reverse()) await page.keyboard.up(part);
    await idle(page);
    await page.waitForFunction(() => {
      const frame = document.getElementById('helpFrame');
      return document.getElementById('help').hidden ||
        (frame.contentWindow.location.href.includes('/help/') && frame.contentDocument.readyState === 'complete');
    }, { polling: 10 });
  }
}

const matches = (got, expect) => Object.entries(expect).every(([what, value]) => JSON.stringify(got[what]) === JSON.stringify(value));

// What the keyboard reached: the focused control, the open dialog or help, the table.
const reached = (page) => page.evaluate(() => ({
  focus: document.activeElement && document.activeElement.id,
  dialog: document.getElementById('dialog').hidden ? '' : document.getElementById('dialog').dataset.kind,
  help: !document.getElementById('help').hidden,
  count: document.getElementById('dialog').hidden ? Number(/count=(\d+)/.exec(window.tavolini.stateReport())[1]) : -1,
  message: document.getElementById('lblMess').textContent,
  unit: [...document.querySelectorAll('#lstTangen [aria-selected="true"]')].map((item) => item.id.slice(8)).join(),
}));

// Keys from the start, and where they lead.
const KeyRows = [
  { keys: 'F10', expect: { focus: 'mnuSave', dialog: '' } },
  { keys: 'F10' + ' ArrowRight'.repeat(4), expect: { focus: 'mnuHelp' } },
  { keys: 'F10 ArrowDown', expect: { focus: 'mnuOpen' } },
  { keys: 'F10 Escape', expect: { focus: 'btnNext' } },
  { keys: 'Alt+KeyF', expect: { focus: 'mnuOpen' } },
  { keys: 'Alt+KeyF Escape', expect: { focus: 'mnuSave', dialog: '' } },
  { keys: 'Alt+KeyF KeyO', expect: { dialog: 'open' } },
  { keys: 'Alt+KeyF Enter Escape', expect: { dialog: '', count: 2, focus: 'btnNext' } },
  { keys: 'Alt+KeyF KeyS', expect: { dialog: 'save', focus: 'edtFileName' } },
  { keys: 'Alt+KeyF KeyS Escape', expect: { dialog: '', count: 2 } },
  { keys: 'Alt+KeyM', expect: { focus: 'mnuNext' } },
  { keys: 'Alt+KeyM ArrowDown Enter', expect: { dialog: 'unit' } },
  { keys: 'Alt+KeyM ArrowLeft', expect: { focus: 'mnuShowRecord' } },
  { keys: 'Alt+KeyV Enter Tab Enter', expect: { dialog: 'delete', focus: 'btnDeleteOne' } },
  { keys: 'Alt+KeyV Enter Tab Enter Escape Escape', expect: { dialog: '' } },
  { keys: 'Alt+KeyH Enter', expect: { help: true, focus: 'helpClose' } },
  { keys: 'Alt+KeyH Enter Escape', expect: { help: false, focus: 'btnNext' } },
  { keys: 'Alt+KeyH Enter Tab Escape', expect: { help: false } }, // from inside the help's frame
  { keys: 'Alt+KeyE Enter', expect: { dialog: 'editor', focus: 'memQues' } },
  { keys: 'Alt+KeyE Enter' + ' Tab'.repeat(6), expect: { focus: 'btnOk' } },
  { keys: 'Alt+KeyE Enter Enter KeyX Escape', expect: { dialog: 'question' } },
  { keys: 'Alt+KeyE Enter Escape', expect: { dialog: '', count: 2 } },
  { keys: 'e 1', expect: { message: '①', count: 2 } },
  { keys: 'e 1 NumpadAdd e 2 Enter', expect: { count: 3, message: '①＋②', focus: 'btnNext' } },
  { keys: 'e 1 NumpadAdd e 2 Enter e 3 / 3 Enter', expect: { count: 4 } },
  { keys: 'e 1 NumpadAdd e 2 Enter e 3 / 3 Enter e 4 d e 2 Enter', expect: { count: 5 } },
  { keys: 'Tab Space', expect: { dialog: 'print', focus: 'updLMargin' } },
  { keys: 'Tab Space Escape', expect: { dialog: '', focus: 'btnPrint' } },
  { keys: 'Tab Tab Space', expect: { dialog: 'unit' } },
  { keys: 'Tab Tab Space' + ' Tab'.repeat(5) + ' ArrowDown ArrowUp ArrowDown Space', expect: { unit: '2', focus: 'unitItem2' } },
  { keys: 'Tab Tab Enter Escape', expect: { dialog: '', focus: 'btnChangeTangen' } },
  { keys: 'Tab Tab Tab Tab Tab Space', expect: { message: '①', dialog: '' } },
  { keys: 'Tab Tab Tab Tab Tab Tab Enter', expect: { message: '②', dialog: '' } },
  { keys: 'Tab Tab Tab Tab Tab Space NumpadAdd' + ' Shift+Tab'.repeat(9) + ' Enter Enter', expect: { count: 3 } },
];

// Each in a profile of its own: the page comes back to where the last one left off.
async function freshPage(browser) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.close = () => context.close();
  return page;
}

async function audit(browser, site, viewport, state) {
  const page = await freshPage(browser);
  await page.setViewport(Viewports[viewport]);
  await page.goto(site);
  await idle(page);
  await States[state](page);
  const { violations } = await new AxePuppeteer(page).analyze();
  await page.close();
  return violations.map((v) => ({ id: v.id, impact: v.impact, nodes: v.nodes.length,
    first: v.nodes[0] && v.nodes[0].target.join(' ') }));
}

(async () => {
  const server = await startSiteServer({ root: path.resolve(__dirname, '../../build-web/site') });
  const site = server.url + 'index.html';
  const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true, args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'] });
  let failed = 0;
  const only = process.argv[2] || '';
  for (const viewport of Object.keys(Viewports)) {
    for (const state of Object.keys(States)) {
      const name = `axe ${viewport} ${state}`;
      if (!name.includes(only)) continue;
      const violations = await audit(browser, site, viewport, state);
      const counts = Impacts.map((impact) => impact + ' ' + violations.filter((v) => v.impact === impact).length);
      const bad = violations.filter((v) => Failing.includes(v.impact));
      if (bad.length) failed++;
      console.log((bad.length ? 'FAILED: ' : 'ok: ') + name + ' (' + counts.join(', ') + ')');
      for (const v of violations) console.log(`  ${v.impact} ${v.id} x${v.nodes} ${v.first}`);
    }
  }
  for (const row of KeyRows) {
    const name = 'keys ' + row.keys;
    if (!name.includes(only)) continue;
    const page = await freshPage(browser);
    await page.setViewport(Viewports.desktop);
    page.on('pageerror', (error) => console.log('page error: ' + error.message));
    try {
      await page.goto(site);
      await idle(page);
      await type(page, row.keys);
      // Some answers come by a message between frames: give them a moment.
      let got = await reached(page);
      for (const until = Date.now() + 2000; !matches(got, row.expect) && Date.now() < until;) {
        await new Promise((resolve) => setTimeout(resolve, 20));
        got = await reached(page);
      }
      for (const [what, value] of Object.entries(row.expect)) assert.deepEqual(got[what], value, what + ': ' + JSON.stringify(got));
      console.log('ok: ' + name);
    } catch (error) {
      failed++;
      console.log('FAILED: ' + name + '\n  ' + error.message);
    }
    await page.close();
  }
  await browser.close();
  await server.close();
  process.exit(failed ? 1 : 0);
})();
