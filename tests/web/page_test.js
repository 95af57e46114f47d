#!/usr/bin/env node
// The web page's own side, beyond what the scenarios print: records kept in
// the browser's storage across a reload, shown and erased in 練習の記録,
// shared by two pages and not kept where the browser refuses, a set opened
// from the device, the pupil's place kept across a reload, the site offline,
// keys by their place on a Japanese keyboard, and the help; in the browser
// engine TAVOLINI_BROWSER names.
'use strict';

const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { launch } = require('../../tools/web-drive/browsers');

const site = path.resolve(__dirname, '../../build-web/site');
const Road = ['btnShiki1', 'btnTasu', 'btnShiki2', 'btnJikkou', 'btnShiki3', 'btnWaru', 'btn3', 'btnJikkou',
  'btnShiki4', 'btnDainyu', 'btnShiki2', 'btnJikkou', 'btnShiki5', 'btnIkou', 'btnJikkou', 'btnShiki6', 'btnSeiri',
  'btnJikkou', 'btnShiki7', 'btnKake', 'btnMinus', 'btn1', 'btnJikkou'];

const idle = (page) => page.waitFor(() => window.tavolini && window.tavolini.idle(), 2);
const state = (page) => page.evaluate(() => window.tavolini.stateReport());

async function open(page) {
  await page.gotoSite(site);
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

// The record files the browser keeps, by path.
const kept = (page) => page.evaluate(() => new Promise((resolve) => {
  indexedDB.open('tavolini').onsuccess = ({ target }) => {
    const store = target.result.transaction('records').objectStore('records');
    store.getAll().onsuccess = ({ target: { result: texts } }) => store.getAllKeys().onsuccess =
      ({ target: { result: paths } }) => resolve(Object.fromEntries(paths.map((path, i) => [path, texts[i]])));
  };
}));

// Forgets where the pupil was: the next page starts afresh.
const forgetPlace = (page) => page.evaluate(() => new Promise((resolve, reject) => {
  indexedDB.open('tavolini-place').onsuccess = ({ target: { result: places } }) => {
    const clearing = places.transaction('kept', 'readwrite');
    clearing.objectStore('kept').clear();
    clearing.oncomplete = () => resolve(places.close());
    clearing.onerror = () => reject(clearing.error);
  };
}));

// Chooses a file with 開く, answers its messages with OK and gives their texts.
async function openFile(page, file) {
  await page.evaluate(() => document.getElementById('mnuOpen').click());
  await page.waitFor(() => document.getElementById('setFile'), 2);
  await page.uploadFile('#setFile', file);
  await page.waitFor(() => document.getElementById('dialog').dataset.kind !== 'open', 2);
  const messages = [];
  const shown = () => page.evaluate(() => document.getElementById('dialog').hidden ? null : { ...document.getElementById('dialog').dataset });
  for (let box; await idle(page), (box = await shown()) && box.kind === 'message'; await press(page, ['dlgOk'])) messages.push(box.text);
  return messages;
}

function writeFile(name, bytes) {
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'tavolini-')), name);
  fs.writeFileSync(file, bytes);
  return file;
}

// One problem, solved by halving both equations; the next problem is the same one again.
const OneProblem = '<<t\r\n2x=2;2y=2\r\n>>\r\n';
const OneRoad = ['btnShiki1', 'btnWaru', 'btn2', 'btnJikkou', 'btnShiki2', 'btnWaru', 'btn2', 'btnJikkou', 'btnNext'];

// Solves the problem `times` times inside the page, answering every message box.
const solveRepeatedly = (page, times) => page.evaluate(async (times, road) => {
  const dialog = document.getElementById('dialog');
  const answering = new MutationObserver(() => { if (!dialog.hidden) document.getElementById('dlgOk').click(); });
  answering.observe(dialog, { attributes: true });
  for (let i = 0; i < times; i++) {
    for (const id of road) await window.tavolini.press(id);
  }
  answering.disconnect();
}, times, OneRoad);

// The shipped set as the desktop writes it, and with LF line ends as another program may.
const DesktopBytes = Array.from(fs.readFileSync(path.resolve(__dirname, '../../data/ZUdir.sim')));
const LfBytes = DesktopBytes.filter((byte, i) => !(byte === 13 && DesktopBytes[i + 1] === 10));
const chromium = (process.env.TAVOLINI_BROWSER || 'chromium') === 'chromium';

// 保存する under `name` with Enter: the name offered, once the set has reached the device or the save was given up.
async function saveAs(page, name) {
  await press(page, ['mnuSaveAs']);
  const offered = await page.evaluate((name, field = document.getElementById('edtFileName')) => {
    [field.value, name] = [name, field.value];
    field.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true }));
    return name;
  }, name);
  await page.waitFor(() => document.getElementById('dialog').hidden && window.tavolini.idle(), 2);
  return offered;
}

// The bytes of a file of the browser's private file system, once `bytes` are written there if given.
const privateFile = (page, name, bytes) => page.evaluate(async (name, bytes) => {
  const file = await window.privateHandle(name);
  if (bytes) await file.createWritable().then(async (out) => { await out.write(new Uint8Array(bytes)); await out.close(); });
  return Array.from(new Uint8Array(await (await file.getFile()).arrayBuffer()));
}, name, bytes);

// Unsaved edits, made with the editor.
async function editSet(page) {
  await press(page, ['mnuEditZudir']);
  await page.evaluate((text = document.getElementById('memQues')) => {
    text.value = '<<t\n2x=2;2y=2\n>>';
    text.dispatchEvent(new Event('input', { bubbles: true }));
  });
  await press(page, ['btnCompile', 'btnOk', 'btnCancel']);
}

// The pixels of a row's picture, to compare.
const pixels = (page, id) => page.evaluate((id) => {
  const canvas = document.getElementById(id);
  return Array.from(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data).join(',');
}, id);

const tests = {
  async 'an outline drawn and taken away leaves the row as it was, at a tablet\'s pixel ratio too'(page, context) {
    // WebKitWebDriver cannot set the pixel ratio.
    for (const deviceScaleFactor of context.engine === 'webkit' ? [1] : [1, 2]) {
      await page.setViewport(1024, 768, deviceScaleFactor);
      await open(page);
      const before = await pixels(page, 'Image1');
      // The outline is drawn in the next animation frame, however slow the machine.
      const moveTo = (id) => page.evaluate((id) => new Promise((resolve) => {
        document.getElementById(id).dispatchEvent(new PointerEvent('pointermove', { bubbles: true, pointerType: 'mouse' }));
        requestAnimationFrame(() => requestAnimationFrame(resolve));
      }), id).then(() => idle(page));
      await moveTo('Image1');
      const outlined = await pixels(page, 'Image1');
      await moveTo('sheet');
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

  async 'questions asked while a dialog waits are answered at once, and its action still ends'(page) {
    // A message box, and the editor.
    for (const [road, reply] of [[['btnShiki1', 'btnShiki2'], 'dlgOk'], [['mnuEditZudir'], 'btnCancel']]) {
      await open(page);
      await press(page, road);
      assert.deepEqual(await page.evaluate(() => {
        const leaving = new Event('beforeunload', { cancelable: true });
        dispatchEvent(leaving);
        return [typeof window.tavolini.stateReport(), leaving.defaultPrevented];
      }), ['string', false], road.join());
      assert.equal(await page.evaluate(async (reply) => {
        document.getElementById(reply).click();
        const ended = () => window.tavolini.idle() && document.getElementById('dialog').hidden;
        for (let wait = 0; wait < 100 && !ended(); wait++) await new Promise((resolve) => setTimeout(resolve, 20));
        return ended();
      }, reply), true, road.join());
    }
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

  async 'records survive a reload, one count more for each solving, those of earlier pages moved once, and 練習の記録 shows them'(page) {
    // Earlier pages kept them in localStorage, with copies of chosen files directly under /sets.
    const unit = fs.readFileSync(path.resolve(__dirname, '../../data/ZUdir.sim'), 'latin1').split('\r\n')[0].slice(2);
    const old = { 'tavolini:/Tavolini/ZUdir.rec': '[' + unit + ']\r\n1=5\r\n', 'tavolini:/sets/mine.sim/mine.rec': '[mine]\r\n1=1\r\n',
      'tavolini:/sets/old.rec': '[t]\r\n1=5\r\n', 'tavolini:lease': '{}' };
    const counts = [];
    for (let round = 0; round < 2; round++) {
      await open(page);
      await page.evaluate((old) => Object.entries(old).forEach(([key, text]) => localStorage.setItem(key, text)), old);
      await forgetPlace(page);
      await open(page);
      await press(page, Road);
      assert.match(await state(page), /solved=1/);
      const records = await kept(page);
      assert.deepEqual(Object.keys(records).sort(), ['/Tavolini/ZUdir.rec', '/sets/mine.sim/mine.rec']);
      assert.deepEqual(await page.evaluate(() => Object.keys(localStorage)), []);
      counts.push(records['/Tavolini/ZUdir.rec']);
    }
    assert.match(counts[0], /\n1=6\r?\n/);
    assert.match(counts[1], /\n1=7\r?\n/);
    await open(page);
    await press(page, ['mnuShowRecord']);
    const lines = await page.evaluate(() => [...document.querySelectorAll('#lstTitle > *')].map((line) => line.textContent));
    assert.equal(lines[2], '  1' + '★'.repeat(7));
  },

  async '記録消去 erases the unit chosen by keys, kept in the browser while its dialog still waits'(page) {
    const lines = () => page.evaluate(() => [...document.querySelectorAll('#lstTitle > *')].map((line) => line.textContent));
    await open(page);
    await press(page, [...Road, 'mnuShowRecord', 'btnDelete']);
    assert.equal((await lines()).length, 1);
    await page.evaluate(() => document.activeElement.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true })));
    await idle(page);
    assert.equal(await page.evaluate(() => document.querySelectorAll('#lstTitle [aria-selected="true"]').length), 1);
    await press(page, ['btnDeleteOne']);
    assert.deepEqual([await lines(), Object.values(await kept(page))], [[], ['']]);
    await press(page, ['btnClose']);
    assert.equal((await lines())[1], '  1');
  },

  async 'where the browser keeps nothing, the drill goes on and says so once'(page, context) {
    const refusals = {
      'a sandboxed frame': () => ['indexedDB', 'localStorage'].forEach((name) => Object.defineProperty(window, name,
        { get() { throw new DOMException('denied', 'SecurityError'); } })),
      'site data refused': (open = IDBFactory.prototype.open.bind(indexedDB, 'refused')) => {
        open(2); // the opening fails after a while, as a refused one does
        IDBFactory.prototype.open = () => open(1);
      },
      'no room left': (put = IDBObjectStore.prototype.put) => { // the write fails as one past the quota does
        IDBObjectStore.prototype.put = function (...args) { put.apply(this, args); this.transaction.abort(); }; },
      'no lock': () => { LockManager.prototype.request = () => Promise.reject(new DOMException('denied', 'SecurityError')); },
    };
    for (const [name, refuse] of Object.entries(refusals)) {
      const faults = [];
      const tab = await context.newPage((fault) => faults.push(fault));
      await tab.addInitScript(refuse);
      await open(tab);
      assert.match(await state(tab), /^count=2 /, name);
      await press(tab, Road);
      assert.match(await state(tab), /solved=1/, name);
      assert.deepEqual(await tab.evaluate(() => [document.getElementById('notice').hidden,
        document.getElementById('notice').textContent]), [false, 'この端末では記録を残せません'], name);
      assert.deepEqual(faults, [], name);
      await tab.close();
    }
  },

  async 'two pages of the site keep every completion of both'(page, context) {
    // WebKitGTK's page process now and then stops on an assertion of its own
    // (SIGILL) after some tens of solvings in a row, with one page as with two.
    const solvings = context.engine === 'webkit' ? 8 : 50;
    const ways = [['the browser\'s lock', () => {}, 'locked'],
      ['a lease where the browser has no lock', () => { delete Navigator.prototype.locks; }, 'leased']];
    for (const [name, lockless, set] of ways) {
      const pages = [await context.newPage(), await context.newPage()];
      for (const tab of pages) {
        await tab.addInitScript(lockless);
        await open(tab);
        await openFile(tab, writeFile(set + '.sim', OneProblem));
        await press(tab, ['btnOK']);
      }
      await Promise.all(pages.map((tab) => solveRepeatedly(tab, solvings)));
      const records = (await kept(pages[0]))['/sets/' + set + '.sim/' + set + '.rec'];
      assert.match(records, new RegExp(`\n1=${2 * solvings}\r?\n`), name);
      await Promise.all(pages.map((tab) => tab.close()));
    }
  },

  async 'a chosen file is never kept, and it is named as the pupil named it'(page) {
    await open(page);
    for (const [name, bytes, first] of [
      ['x.rec', '[t]\r\n1=5\r\n', /^x\.rec:/],
      ['big.rec', 'x'.repeat(1 << 20), /^big\.rec:/],
      ['練習.sim', '', /^練習\.sim:/],
    ]) {
      const messages = await openFile(page, writeFile(name, bytes));
      assert.match(messages[0] || '', first, name);
      assert.doesNotMatch(messages.join('\n'), /\/sets\//, name);
    }
    assert.deepEqual(await kept(page), {});
  },

  async 'a set chosen on the device is opened and practised'(page) {
    await open(page);
    await openFile(page, writeFile('mine.sim', '<<mine\r\n3x+y=5;x-y=-1\r\n>>\r\n'));
    // As on the desktop, the new set's units are offered first.
    assert.equal(await page.evaluate(() => document.getElementById('dialog').dataset.kind), 'unit');
    await press(page, ['btnOK']);
    assert.match(await page.evaluate(() => window.tavolini.tableReport()), /^1: 3x1 1y1 0=1 5\/1\n/);
  },

  async 'a reload comes back to the problem with its rows made again, and to a set chosen with 開く'(page, context) {
    const rows = (page) => Promise.all(['Image3', 'Image4'].map((id) => pixels(page, id)));
    const report = (page) => page.evaluate(() => [window.tavolini.tableReport(), document.getElementById('lblPageCaption').textContent]);
    await open(page);
    await press(page, Road.slice(0, 8));
    const before = [await report(page), await rows(page)];
    await open(page);
    assert.match(await state(page), /^count=4 /);
    assert.deepEqual([await report(page), await rows(page)], before);

    await openFile(page, writeFile('mine.sim', '<<mine\r\n3x+y=5;x-y=-1\r\nx+y=3;x-y=1\r\n>>\r\n'));
    await press(page, ['unitItem1', 'selShiki2', 'btnOK', 'btnShiki1', 'btnTasu', 'btnShiki2', 'btnJikkou']);
    const chosen = await report(page);
    assert.match(chosen[0], /^1: 1x1 1y1 0=1 3\/1\n2: .*\n3: 2x1 0=1 4\/1 /);
    await open(page);
    assert.deepEqual(await report(page), chosen);
  },

  // The file handles are Chromium's, its private file system (whose files the stand-in pickers give) there only over http.
  async 'a set opened through the browser\'s picker is saved in place, under another name where the pupil picks'(tab) {
    if (!chromium) return;
    const server = await require('../../tools/web-drive/site-server.js').startSiteServer({ root: site });
    await tab.addInitScript(() => {
      // "NAME" or "FOLDER/NAME" there.
      const file = window.privateHandle = async (path) => {
        const [name, folder] = path.split('/').reverse();
        const root = await navigator.storage.getDirectory();
        return (folder ? await root.getDirectoryHandle(folder, { create: true }) : root).getFileHandle(name, { create: true });
      };
      window.showOpenFilePicker = async () => [await file(window.opened || 'mine.sim')];
      window.showSaveFilePicker = async ({ suggestedName }) => (window.picked = suggestedName) === 'refused.sim'
        ? Promise.reject(new DOMException('refused', 'AbortError')) : file(suggestedName);
    });
    try {
      await tab.page.goto(server.url);
      await idle(tab);
      await privateFile(tab, 'mine.sim', LfBytes);
      await press(tab, ['mnuOpen', 'setFile']);
      await tab.waitFor(() => document.getElementById('dialog').dataset.kind === 'unit', 2);
      await press(tab, ['btnOK']);
      // The name typed, the name offered, the picker's suggestion, the file written.
      for (const [name, offered, picked, written] of [['mine.sim', 'mine.sim', undefined, 'mine.sim'],
        ['refused.sim', 'mine.sim', 'refused.sim', null], ['copy.sim', 'mine.sim', 'copy.sim', 'copy.sim'],
        ['copy.sim', 'copy.sim', undefined, 'copy.sim']]) {
        if (written) await privateFile(tab, written, []); // emptied: only this save fills it
        await tab.evaluate(() => { delete window.picked; });
        assert.equal(await saveAs(tab, name), offered, name);
        assert.deepEqual([await tab.evaluate(() => window.picked), written && await privateFile(tab, written)],
          [picked, written && DesktopBytes], name);
      }
      // A set of the same name from elsewhere that does not open: the set in use is saved to its own file still.
      const broken = Array.from(Buffer.from('<<broken\r\n'));
      await privateFile(tab, 'other/copy.sim', broken);
      await tab.evaluate(() => { window.opened = 'other/copy.sim'; });
      await press(tab, ['mnuOpen', 'setFile']);
      await tab.waitFor(() => document.getElementById('dialog').dataset.kind === 'message', 2);
      await press(tab, ['dlgOk']);
      await privateFile(tab, 'copy.sim', []);
      await saveAs(tab, 'copy.sim');
      assert.deepEqual([await privateFile(tab, 'copy.sim'), await privateFile(tab, 'other/copy.sim')], [DesktopBytes, broken]);
    } finally {
      await server.close();
    }
  },

  async 'without the browser\'s file handles a saved set is downloaded as the desktop writes it'(page) {
    await page.addInitScript(() => {
      delete window.showOpenFilePicker;
      delete window.showSaveFilePicker;
      HTMLAnchorElement.prototype.click = function () {
        window.downloaded = fetch(this.href).then((answer) => answer.arrayBuffer())
          .then((bytes) => [this.download, Array.from(new Uint8Array(bytes))]);
      };
    });
    await open(page);
    await openFile(page, writeFile('mine.sim', Buffer.from(LfBytes)));
    await press(page, ['btnOK']);
    assert.equal(await saveAs(page, 'saved.sim'), 'mine.sim');
    assert.deepEqual(await page.evaluate(() => window.downloaded), ['saved.sim', DesktopBytes]);
  },

  // Chromium asks only on a page the pupil has touched; the test's pages name each of their dialogs an alert.
  async 'leaving the page with unsaved edits asks first, and without them does not'(tab, context) {
    if (!chromium) return;
    for (const [edit, asked] of [[() => {}, []], [editSet, ['alert: ']]]) {
      const faults = [];
      const page = await context.newPage((fault) => faults.push(fault));
      await open(page);
      await page.page.click('#lblPageCaption');
      await edit(page);
      await Promise.all([page.page.waitForNavigation({ timeout: 3000 }).catch(() => 'stayed'),
        page.evaluate(() => setTimeout(() => location.reload()))]);
      assert.deepEqual(faults, asked);
      await page.close();
    }
  },

  // The installability report is Chromium's (CDP), and an app installs from a profile, not a private context.
  async 'over http the site is an installable app that starts again, its help too, with the server gone'(tab) {
    if ((process.env.TAVOLINI_BROWSER || 'chromium') !== 'chromium') return;
    const page = await tab.page.browser().defaultBrowserContext().newPage();
    const visit = async () => {
      await page.goto(server.url);
      await page.waitForFunction(() => window.tavolini && window.tavolini.idle(), { polling: 2 });
    };
    const { startSiteServer } = require('../../tools/web-drive/site-server.js');
    const server = await startSiteServer({ root: site });
    try {
      await visit();
      await page.evaluate(() => navigator.serviceWorker.ready);
      const browser = await page.createCDPSession();
      assert.deepEqual((await browser.send('Page.getInstallabilityErrors')).installabilityErrors, []);
      assert.deepEqual((await browser.send('Page.getAppManifest')).errors, []);
    } finally {
      await server.close();
    }
    await visit();
    assert.match(await page.evaluate(() => window.tavolini.stateReport()), /^count=2 /);
    await page.evaluate(() => document.dispatchEvent(new KeyboardEvent('keydown', { code: 'F1', key: 'F1', bubbles: true, cancelable: true })));
    await page.waitForFunction(() => /連立方程式/.test(document.getElementById('helpFrame').contentDocument?.body?.textContent),
      { polling: 20, timeout: 5000 });
    await page.close();
  },

  // Chromium's PDF is what its print preview shows: the sheets only, on A4.
  async 'the typical road printed at size 2 is one sheet of A4 with its equations as text'(page, context) {
    if (context.engine !== 'chromium') return;
    await open(page);
    await press(page, [...Road, 'mnuPrint']);
    const times = [];
    for (let i = 0; i < 7; i++) {
      times.push(await page.evaluate(() => new Promise((printing) => {
        const start = performance.now();
        window.tavoliniPrint = () => printing(performance.now() - start);
        document.getElementById('btnStart').click();
      })));
      await idle(page);
    }
    console.log(`  印刷開始 to window.print: median ${times.sort((a, b) => a - b)[3].toFixed(1)} ms of 7`);
    const pdf = writeFile('road.pdf', await page.page.pdf({ format: 'A4', printBackground: true }));
    const run = (program, ...args) => require('child_process').execFileSync(program, [pdf, ...args], { encoding: 'utf8' });
    assert.match(run('pdfinfo'), /Pages: +1\n[^]*Page size: +595\.\d+ x 841\.\d+ pts \(A4\)/);
    const text = run('pdftotext', '-').replace(/\s/g, '').normalize('NFKC');
    for (const expected of ['2x+y=7', 'x−y=2', '3x=9', 'x=3', 'y=1', '[答]']) assert.ok(text.includes(expected), expected + ' in ' + text);
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

  async 'the page has the size asked for, down to a phone\'s, in every engine'(page) {
    for (const [width, height] of [[1366, 768], [640, 480], [390, 844], [360, 640], [1024, 768]]) {
      await page.setViewport(width, height);
      await open(page);
      assert.deepEqual(await page.evaluate(() => [innerWidth, innerHeight]), [width, height]);
    }
  },

  async 'an error in the page and an alert reach the test, whatever the engine'(page, context) {
    const faults = [];
    const tab = await context.newPage((fault) => faults.push(fault));
    await tab.addInitScript(() => addEventListener('load', () => setTimeout(() => {
      alert('alerted');
      throw new Error('thrown');
    })));
    await open(tab);
    await tab.waitFor(() => true, 2); // what came meanwhile is collected
    assert.deepEqual(faults.map((fault) => fault.match(/alerted|thrown/)?.[0]), ['alerted', 'thrown']);
  },
};

(async () => {
  const pageErrors = [];
  const browser = await launch({ viewport: { width: 1024, height: 768 }, onError: (error) => pageErrors.push(error) });
  let failed = 0;
  const only = process.argv[2] || ''; // a part of the names of the tests to run
  for (const [name, test] of Object.entries(tests).filter(([name]) => name.includes(only))) {
    const context = await browser.newContext();
    const page = await context.newPage();
    try {
      await test(page, context);
      assert.deepEqual(pageErrors.splice(0), [], 'no page error');
      console.log('ok: ' + name);
    } catch (error) {
      failed++;
      pageErrors.length = 0;
      console.log('FAILED: ' + name + '\n' + error.stack);
    }
    await context.close();
  }
  await browser.close();
  process.exit(failed ? 1 : 0);
})();
