#!/usr/bin/env node
// The teacher's pages against the class server itself (TAVOLINI_SERVER names
// its program; the site is build-web/site): the first sign-in and its password
// change, a class and pupils added with their passwords shown once and as
// sign-in cards, a set handed out or refused, the overview after pupils'
// completions in both orders, a pupil's completions newest first, and axe-core
// and the keyboard; in the browser engine TAVOLINI_BROWSER names.
'use strict';

const assert = require('assert');
const crypto = require('crypto');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { launch } = require('../../tools/web-drive/browsers');
const { startServer, call } = require('../../tools/web-drive/class-server');

// axe-core, the print media and the keyboard are driven through Chromium's own protocol.
const chromium = (process.env.TAVOLINI_BROWSER || 'chromium') === 'chromium';
const site = path.resolve(__dirname, '../../build-web/site');
const program = process.env.TAVOLINI_SERVER || path.resolve(__dirname, '../../build/src/server/tavolini-server');
// Problems whose hints solve them in two steps, so that the pupils' completions are known here.
const GoodSet = '<<割る\r\n2x=2;2y=2\r\n2x=4;2y=6\r\n>>\r\n<<三で割る\r\n3x=3;3y=6\r\n>>\r\n';
const Solved = { '割る': [['1/#2 2/#2', 'x=1 y=1'], ['1/#2 2/#2', 'x=2 y=3']], '三で割る': [['1/#3 2/#3', 'x=1 y=2']] };
const BadSet = '<<割る\r\n2x=2\r\n>>\r\n';
const Pasted = '1\t青木 一郎\n２　石井 花子\n\n3  上田 三郎\n' + Array.from({ length: 9 }, (_, i) => `${10 + i} 生徒${i + 1}`).join('\n');
const sha256 = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex');
const twoDigits = (n) => String(n).padStart(2, '0');
const dateText = (millis) => {
  const t = new Date(millis);
  return `${twoDigits(t.getFullYear() % 100)}年${twoDigits(t.getMonth() + 1)}月${twoDigits(t.getDate())}日` +
    `${twoDigits(t.getHours())}:${twoDigits(t.getMinutes())}`;
};

// Until the element is shown: a function made here, since the engines' waits take no arguments.
const shown = (page, id) => page.waitFor(new Function(`const e = document.getElementById(${JSON.stringify(id)}); return e && !e.hidden;`), 20);
const text = (page, selector) => page.evaluate((s) => [...document.querySelectorAll(s)].map((e) => e.textContent), selector);

// Fills the form's fields and sends it, its errors cleared first; `done` is a test in the page for what follows.
async function submit(page, form, values, done) {
  await page.evaluate((form, values) => {
    document.querySelectorAll('.error').forEach((error) => error.replaceChildren());
    Object.entries(values).forEach(([id, value]) => { document.getElementById(id).value = value; });
    document.getElementById(form).requestSubmit();
  }, form, values);
  await page.waitFor(done, 20).catch(async (error) => {
    const told = await page.evaluate(() => [...document.querySelectorAll('#status, .error')].map((e) => e.textContent).join(' | '));
    throw new Error(`${form} sent, the page says: ${told}\n${error.message}`);
  });
}

// One pupil's completion of a problem of the set, sent as the page would.
async function complete(server, set, signIn, unit, problem, endedAt, hints = 0) {
  const pupil = await call(server.url, 'POST', 'pupil/signin', { body: signIn });
  assert.equal(pupil.status, 200, JSON.stringify(pupil.answer));
  const session = { cookie: pupil.cookie, csrf: pupil.answer.csrf };
  await call(server.url, 'PUT', 'sets/' + sha256(set), { body: Buffer.from(set), ...session });
  const [steps, answer] = Solved[unit][problem - 1];
  const id = crypto.randomBytes(16).toString('hex');
  const body = { id, setName: 'renritsu.sim', setHash: sha256(set), unit, problem, steps, answer, hints,
    startedAt: endedAt - 65000, endedAt };
  const reply = await call(server.url, 'POST', 'completions', { body, ...session });
  assert.equal(reply.status, 201, JSON.stringify(reply.answer));
  return id;
}

// The overview as drawn: number, name, then per unit its last date and each problem's number and ★.
const overviewRows = (page) => page.evaluate(() => [...document.querySelectorAll('#overview tbody tr')].map((row) => [
  row.cells[0].textContent, row.cells[1].textContent,
  ...[...row.cells].slice(2).map((cell) => [cell.querySelector('.last')?.textContent || '',
    ...[...cell.querySelectorAll('.problem')].map((line) => line.querySelector('.problemNumber').textContent +
      line.querySelector('.stars').textContent)])]));

function setFile(name, text) {
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'tavolini-set-')), name);
  fs.writeFileSync(file, execFileSync('iconv', ['-f', 'UTF-8', '-t', 'CP932'], { input: text }));
  return file;
}

const tests = {
  async 'the first sign-in asks for a new password; the wrong one, a short one and a mistyped one are refused'(page, state) {
    await page.gotoServer(state.server.url + 'teacher.html');
    await shown(page, 'viewSignIn');
    for (const [values, error] of [
      [{ teacherLogin: 'teacher', teacherPassword: '' }, 'パスワードを入れてください'],
      [{ teacherLogin: 'teacher', teacherPassword: 'wrong-password' }, /./],
    ]) {
      await submit(page, 'signInForm', values, () => document.getElementById('signInError').textContent);
      assert.match(await page.evaluate(() => document.getElementById('signInError').textContent), new RegExp(error.source || error));
    }
    await submit(page, 'signInForm', { teacherLogin: 'teacher', teacherPassword: state.server.password },
      () => !document.getElementById('viewPassword').hidden);
    const change = (old, fresh, again) => ({ oldPassword: old, newPassword: fresh, newPasswordAgain: again });
    for (const [values, error] of [
      [change(state.server.password, 'short', 'short'), '新しいパスワードは10文字以上にしてください'],
      [change(state.server.password, state.password, state.password + 'x'), '確認のパスワードが新しいパスワードと違います'],
      [change('not-the-password', state.password, state.password), '今のパスワードが違います'],
    ]) {
      await submit(page, 'passwordForm', values, () => document.getElementById('passwordError').textContent);
      assert.equal(await page.evaluate(() => document.getElementById('passwordError').textContent), error);
    }
    await submit(page, 'passwordForm', change(state.server.password, state.password, state.password),
      () => !document.getElementById('viewHome').hidden);
    assert.deepEqual(await text(page, '#teacherName, #noClasses'), ['teacher 先生', 'クラスはまだありません。下でクラスを追加してください。']);
  },

  async 'a class and pupils pasted: each line read or refused, the passwords shown once and printed ten to a card page'(page, state) {
    await submit(page, 'addClassForm', { classTitle: '2年1組' }, () => !document.getElementById('viewClass').hidden);
    state.classId = Number(await page.evaluate(() => location.hash.split('/')[1]));
    for (const [lines, error] of [
      ['', '出席番号と名前を1行に1人ずつ入れてください'],
      ['1 青木\n青木 二郎', '2行目：出席番号（1～999）と名前が読めません'],
      ['1000 青木', '1行目：出席番号（1～999）と名前が読めません'],
      ['4 青木\n4 石井', '2行目：出席番号 4 がもう一度出てきます'],
    ]) {
      await submit(page, 'addPupilsForm', { pupilLines: lines }, () => document.getElementById('addPupilsError').textContent);
      assert.equal(await page.evaluate(() => document.getElementById('addPupilsError').textContent), error, lines);
    }
    await submit(page, 'addPupilsForm', { pupilLines: Pasted }, () => !document.getElementById('madePasswords').hidden);
    const made = await page.evaluate(() => [...document.querySelectorAll('#madeList tbody tr')].map((row) =>
      [...row.cells].map((cell) => cell.textContent)));
    assert.deepEqual(made.slice(0, 3).map((row) => row.slice(0, 2)), [['1', '青木 一郎'], ['2', '石井 花子'], ['3', '上田 三郎']]);
    assert.equal(made.length, 12);
    state.code = await page.evaluate(() => document.getElementById('classCodeShown').textContent);
    state.signIns = Object.fromEntries(made.map(([number, , password]) => [number, { classCode: state.code, number: Number(number), password }]));
    // The same numbers again are refused whole.
    await submit(page, 'addPupilsForm', { pupilLines: '3 上田 三郎\n4 新井 四郎' }, () => document.getElementById('addPupilsError').textContent);
    await page.evaluate(() => document.getElementById('btnCards').click());
    await shown(page, 'cards');
    const cards = await page.evaluate(() => [...document.querySelectorAll('.cardPage')].map((sheet) =>
      [...sheet.querySelectorAll('.card')].map((card) => [...card.querySelectorAll('dd')].slice(1).map((field) => field.textContent))));
    assert.deepEqual(cards.map((sheet) => sheet.length), [10, 2]);
    assert.deepEqual(cards[0][1], [state.code, '2', '石井 花子', state.signIns[2].password]);
    if (chromium) {
      await page.page.emulateMediaType('print');
      // A4 in CSS pixels: 210 mm across, a fifth of 297 mm down for each card.
      assert.deepEqual(await page.evaluate(() => [getComputedStyle(document.getElementById('cardsBar')).display,
        Math.round(parseFloat(getComputedStyle(document.querySelector('.card')).height)),
        Math.round(parseFloat(getComputedStyle(document.querySelector('.cardPage')).width))]), ['none', 225, 794]);
      await page.page.emulateMediaType(null);
    }
    await page.evaluate(() => document.getElementById('btnCloseCards').click());
    // Gone with the page: a reload shows no password.
    await page.gotoServer(state.server.url + 'teacher.html');
    await shown(page, 'viewHome');
    await page.evaluate((id) => { location.hash = '#class/' + id; }, state.classId);
    await shown(page, 'viewClass');
    assert.equal(await page.evaluate(() => document.getElementById('madePasswords').hidden), true);
  },

  async 'a set refused with the check\'s messages, one handed out, and the overview of its units after completions, in both orders'(page, state) {
    await page.uploadFile('#setFile', setFile('bad.sim', BadSet));
    await submit(page, 'setForm', {}, () => document.getElementById('setRefusal').textContent);
    assert.match(await page.evaluate(() => document.getElementById('setRefusal').firstChild.textContent), /^bad\.sim は配れません：./);
    assert.ok(await page.evaluate(() => document.querySelectorAll('#setRefusal li').length) > 0);
    await page.uploadFile('#setFile', setFile('renritsu.sim', GoodSet));
    await submit(page, 'setForm', {}, () => /renritsu/.test(document.getElementById('setInUse').textContent));
    assert.match(await page.evaluate(() => document.getElementById('overviewSet').textContent), /^問題集 renritsu\.sim（2単元、3問）：/);
    const set = Buffer.from(fs.readFileSync(setFile('renritsu.sim', GoodSet)));
    const now = Date.now();
    const ids = [];
    for (const [number, unit, problem, ago] of [[1, '割る', 1, 90000], [2, '割る', 2, 80000], [2, '割る', 2, 70000],
      [2, '三で割る', 1, 60000], [1, '割る', 1, 50000], [1, '割る', 1, 40000]]) {
      ids.push(await complete(state.server, set, state.signIns[number], unit, problem, now - ago, number));
    }
    state.aoki = [ids[0], ids[4], ids[5]];
    await page.evaluate(() => document.getElementById('btnRefresh').click());
    await page.waitFor(() => document.querySelector('#overview .stars')?.textContent, 20);
    const rows = await overviewRows(page);
    const [one, two, three] = [
      ['1', '青木 一郎', [dateText(now - 40000), '1★★★', '2'], ['', '1']],
      ['2', '石井 花子', [dateText(now - 70000), '1', '2★★'], [dateText(now - 60000), '1★']],
      ['3', '上田 三郎', ['', '1', '2'], ['', '1']]];
    assert.deepEqual(rows.slice(0, 3), [one, two, three]);
    await page.evaluate(() => {
      document.getElementById('sortOrder').value = 'progress';
      document.getElementById('sortOrder').dispatchEvent(new Event('change'));
    });
    assert.deepEqual((await overviewRows(page)).slice(0, 3), [two, one, three]);
    // The exports are the server's, reached through the links.
    const csv = await page.evaluate(async () => Promise.all(['csvUtf8', 'csvCp932'].map(async (id) => {
      const answer = await fetch(document.getElementById(id).href);
      return [answer.headers.get('content-type'), new Uint8Array(await answer.arrayBuffer()).slice(0, 3).join()];
    })));
    assert.deepEqual(csv.map(([type, start]) => [/utf-8|shift_jis/i.exec(type)[0].toLowerCase(), start]),
      [['utf-8', '239,187,191'], ['shift_jis', [0x8f, 0x6f, 0x90].join()]]);
  },

  async 'a pupil\'s completions newest first, each opening its worked page'(page, state) {
    await page.evaluate(() => [...document.querySelectorAll('#overview tbody th a')].find((a) => a.textContent === '青木 一郎').click());
    await shown(page, 'viewPupil');
    const rows = await page.evaluate(() => [...document.querySelectorAll('#completionList tbody tr')].map((row) =>
      [...[...row.cells].slice(1, 6).map((cell) => cell.textContent), row.querySelector('a').getAttribute('href')]));
    state.pupilId = Number(await page.evaluate(() => location.hash.split('/')[2]));
    assert.deepEqual(rows, [...state.aoki].reverse().map((id) => ['割る', '1', '2', '1', '1分05秒', `index.html?worked=${state.pupilId}.${id}`]));
    assert.equal(await page.evaluate(() => document.getElementById('pupilHeading').textContent), '1番 青木 一郎');
  },

  async 'every page has no serious fault for axe, fits a phone and a tablet, and is reached by keys'(page, state) {
    for (const [hash, view] of [['', 'viewHome'], [`#pupil/${state.classId}/${state.pupilId}`, 'viewPupil'],
      ['#class/' + state.classId, 'viewClass']]) {
      await page.evaluate((hash) => { location.hash = hash; }, hash);
      await shown(page, view);
      for (const width of [1024, 768, 390]) {
        await page.setViewport(width, 768);
        assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), view + ' at ' + width);
        if (process.env.TAVOLINI_SCREENSHOTS) await page.screenshot(path.join(process.env.TAVOLINI_SCREENSHOTS, `${view}-${width}.png`));
      }
      await page.setViewport(1024, 768);
      if (!chromium) continue;
      const { AxePuppeteer } = require('../../tools/web-drive/node_modules/@axe-core/puppeteer');
      const faults = (await new AxePuppeteer(page.page).analyze()).violations.filter((v) => ['serious', 'critical'].includes(v.impact));
      assert.deepEqual(faults.map((fault) => fault.id + ' ' + fault.nodes.map((node) => node.target).join()), [], view);
    }
    if (!chromium) return;
    await page.evaluate(() => document.activeElement.blur());
    const reached = [];
    for (let i = 0; i < 40; i++) {
      await page.page.keyboard.press('Tab');
      reached.push(await page.evaluate(() => [document.activeElement.id || document.activeElement.textContent,
        getComputedStyle(document.activeElement).outlineStyle]));
    }
    for (const id of ['btnSignOut', 'sortOrder', 'btnRefresh', 'csvUtf8', 'csvCp932', '青木 一郎', 'pupilLines', 'btnAddPupils', 'setFile', 'btnHandOut']) {
      const found = reached.find(([name]) => name === id);
      assert.ok(found, id + ' reached by Tab: ' + reached.map(([name]) => name).join());
      assert.notEqual(found[1], 'none', id + ' shows its focus');
    }
  },

  async 'sign-out ends the session and leaves the sign-in form'(page) {
    await page.evaluate(() => document.getElementById('btnSignOut').click());
    // The page loads again: a wait under way when it goes is lost in WebKit, so asked until it answers.
    for (let tries = 0; !(await page.evaluate(() => !document.getElementById('viewSignIn').hidden).catch(() => false)); tries++) {
      assert.ok(tries < 100, 'the sign-in form after sign-out');
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    assert.deepEqual(await page.evaluate(async () => [location.hash, (await fetch('/api/session')).status,
      document.getElementById('classHeading').textContent]), ['', 401, '']);
  },
};

(async () => {
  const pageErrors = [];
  const browser = await launch({ viewport: { width: 1024, height: 768 }, onError: (error) => pageErrors.push(error) });
  const server = await startServer(program, site);
  const state = { server, password: 'teacher-' + crypto.randomBytes(6).toString('hex') };
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.addInitScript(() => document.addEventListener('securitypolicyviolation',
    (event) => { throw new Error('refused by the policy: ' + event.violatedDirective + ' ' + event.blockedURI); }));
  let failed = 0;
  for (const [name, test] of Object.entries(tests)) {
    try {
      await test(page, state);
      assert.deepEqual(pageErrors.splice(0), []);
      console.log('ok: ' + name);
    } catch (error) {
      failed++;
      pageErrors.length = 0;
      console.log('FAILED: ' + name + '\n' + error.stack);
      break; // each test goes on from where the one before left the class
    }
  }
  await context.close();
  await browser.close();
  server.stop();
  process.exit(failed ? 1 : 0);
})();
