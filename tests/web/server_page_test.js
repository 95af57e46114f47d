#!/usr/bin/env node
// The page served by a class server, against a stand-in that answers the
// server's HTTP interface from memory (with its Content-Security-Policy): the
// sign-in form, each completion sent with its set when the server lacks it,
// waiting while the server is down and sent once, refused with the reason,
// the ★ counts taken from the server, sign-out leaving nothing of the
// pupil, the set handed out to the class, and the teacher's read-only view of
// a solved problem; in the browser engine TAVOLINI_BROWSER names.
'use strict';

const assert = require('assert');
const crypto = require('crypto');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { launch } = require('../../tools/web-drive/browsers');

const site = path.resolve(__dirname, '../../build-web/site');
const Shipped = fs.readFileSync(path.resolve(__dirname, '../../data/ZUdir.sim'));
const FirstUnit = new TextDecoder('shift_jis').decode(Shipped).split('\r\n')[0].slice(2);
const Road = ['btnShiki1', 'btnTasu', 'btnShiki2', 'btnJikkou', 'btnShiki3', 'btnWaru', 'btn3', 'btnJikkou',
  'btnShiki4', 'btnDainyu', 'btnShiki2', 'btnJikkou', 'btnShiki5', 'btnIkou', 'btnJikkou', 'btnShiki6', 'btnSeiri',
  'btnJikkou', 'btnShiki7', 'btnKake', 'btnMinus', 'btn1', 'btnJikkou'];
const OneProblem = '<<t\r\n2x=2;2y=2\r\n>>\r\n';
const OneRoad = ['btnShiki1', 'btnWaru', 'btn2', 'btnJikkou', 'btnShiki2', 'btnWaru', 'btn2', 'btnJikkou', 'btnNext'];
const Policy = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self' data: blob:; " +
  "font-src 'self'; connect-src 'self'; object-src 'none'; base-uri 'none'; frame-ancestors 'none'; form-action 'self'";
// The site's files may stand in a frame of the site's own (the help stands in
// one over the drill), as the server says.
const SitePolicy = Policy.replace("frame-ancestors 'none'", "frame-ancestors 'self'");
const Pupils = [
  { id: 11, classCode: 'K7Q2', number: 3, password: 'sakura-san', name: '山田花子', classTitle: '2年1組' },
  { id: 12, classCode: 'K7Q2', number: 4, password: 'momo-yon', name: '佐藤太郎', classTitle: '2年1組' },
];
const Teacher = { name: '田中', password: 'kokuban-2026' };
const CompletionFields = ['id', 'setName', 'setHash', 'unit', 'problem', 'steps', 'answer', 'hints', 'startedAt', 'endedAt'];
const Types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png',
  '.woff2': 'font/woff2', '.webmanifest': 'application/manifest+json' };
const sha256 = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex');

// The stand-in: the site and the API from memory. `completions` answers in
// turn before the server stores: a status (503, or 422 with the refusal) or
// 'unreachable' (the connection dropped).
function standIn(hooks) {
  const state = { sessions: new Map(), sets: new Map(), stored: new Map(), counts: [], posts: [], puts: [], signOuts: 0,
    failures: 0, completions: [], classSet: null, teacherCalls: [] };
  const server = http.createServer((request, response) => {
    const chunks = [];
    request.on('data', (chunk) => chunks.push(chunk));
    request.on('end', () => answer(request, Buffer.concat(chunks), response));
  });
  const send = (response, status, body, headers = {}) => {
    response.writeHead(status, { 'Content-Security-Policy': Policy, 'X-Content-Type-Options': 'nosniff',
      'Cache-Control': 'no-store', ...headers, ...(body ? { 'Content-Type': 'application/json' } : {}) });
    response.end(body ? JSON.stringify(body) : undefined);
  };
  const fail = (response, status, error, message = error) => send(response, status, { error, message });
  const sessionOf = (request) => state.sessions.get(/tavolini_session=(\w+)/.exec(request.headers.cookie || '')?.[1]);
  const sessionBody = (pupil, csrf) => !pupil ? { role: 'teacher', name: Teacher.name, csrf, mustChangePassword: false } : ({
    role: 'pupil', name: pupil.name, csrf, mustChangePassword: false,
    number: pupil.number, classTitle: pupil.classTitle, classCode: pupil.classCode });

  function answer(request, body, response) {
    const url = new URL(request.url, 'http://127.0.0.1');
    if (!url.pathname.startsWith('/api/')) return serveSite(url.pathname, response);
    const route = request.method + ' ' + url.pathname;
    const session = sessionOf(request);
    if (request.headers.origin && request.headers.origin !== state.origin) return fail(response, 403, 'origin');
    if (route === 'POST /api/teacher/signin' || route === 'POST /api/pupil/signin') {
      const { classCode, number, password, name } = JSON.parse(body);
      if (state.failures >= 3) return fail(response, 429, 'too-many', '失敗が多すぎます');
      const pupil = Pupils.find((p) => p.classCode === classCode && p.number === number && p.password === password);
      if (!pupil && (name !== Teacher.name || password !== Teacher.password)) {
        state.failures++;
        return fail(response, 401, 'sign-in-failed', 'クラスコード、出席番号またはパスワードが違います');
      }
      const token = crypto.randomBytes(16).toString('hex');
      const csrf = crypto.randomBytes(16).toString('hex');
      state.sessions.set(token, { pupil, csrf });
      return send(response, 200, sessionBody(pupil, csrf), { 'Set-Cookie': `tavolini_session=${token}; HttpOnly; SameSite=Strict; Path=/` });
    }
    if (!session) return fail(response, 401, 'signed-out');
    if (request.method !== 'GET' && request.headers['x-csrf-token'] !== session.csrf) return fail(response, 403, 'csrf');
    const pupil = session.pupil;
    if (!pupil) return answerTeacher(request.method, url.pathname, session, response);
    if (route === 'GET /api/session') return send(response, 200, sessionBody(pupil, session.csrf));
    if (route === 'POST /api/signout') {
      state.signOuts++;
      state.sessions.forEach((other, token) => { if (other === session) state.sessions.delete(token); });
      return send(response, 204, null, { 'Set-Cookie': 'tavolini_session=; Max-Age=0; Path=/' });
    }
    if (route === 'GET /api/class-set') return send(response, 200, { set: state.classSet });
    if (route === 'GET /api/records') {
      const records = state.counts.filter((count) => count.pupil === pupil).map(({ pupil, ...count }) => count);
      for (const { pupil: by, body: { setName, unit, problem } } of state.stored.values()) {
        if (by !== pupil) continue;
        const record = records.find((r) => r.set === setName && r.unit === unit && r.problem === problem);
        if (record) record.count++; else records.push({ set: setName, unit, problem, count: 1 });
      }
      return send(response, 200, { records });
    }
    if (request.method === 'PUT' && url.pathname.startsWith('/api/sets/')) {
      const hash = url.pathname.slice('/api/sets/'.length);
      state.puts.push(hash);
      if (sha256(body) !== hash) return fail(response, 400, 'hash-mismatch');
      state.sets.set(hash, body);
      return send(response, 204);
    }
    if (route === 'POST /api/completions') {
      const completion = JSON.parse(body);
      state.posts.push({ pupil, completion });
      assert.deepEqual(Object.keys(completion).sort(), [...CompletionFields].sort(), 'the fields of a completion');
      const next = state.completions.shift();
      if (next === 'unreachable') return request.socket.destroy();
      if (next) return fail(response, next, next === 422 ? 'refused' : 'down', next === 422 ? '3番目の操作が受け付けられません' : '');
      if (!state.sets.has(completion.setHash)) return fail(response, 409, 'set-unknown');
      const again = state.stored.has(completion.id);
      if (!again) state.stored.set(completion.id, { pupil, body: completion });
      return send(response, again ? 200 : 201, { stored: again ? 'again' : 'new' });
    }
    return fail(response, 404, 'not-found');
  }

  // Only what the teacher's view of a pupil's work reads.
  function answerTeacher(method, route, session, response) {
    state.teacherCalls.push(method + ' ' + route);
    const [, pupilId, hash] = /^\/api\/(?:pupils\/(\d+)\/completions|sets\/(\w+))$/.exec(route) || [];
    const answers = { '/api/session': sessionBody(null, session.csrf), '/api/classes': { classes: [{ id: 1 }] },
      '/api/classes/1/pupils': { pupils: Pupils.map(({ id, number, name }) => ({ id, number, name })) } };
    if (answers[route]) return send(response, 200, answers[route]);
    if (pupilId) return send(response, 200, { completions: [...state.stored.values()].filter(({ pupil }) => String(pupil.id) === pupilId)
      .map(({ body: { answer, ...completion } }) => ({ ...completion, receivedAt: completion.endedAt })) });
    if (state.sets.has(hash)) return response.writeHead(200, { 'Content-Type': 'application/octet-stream' }).end(state.sets.get(hash));
    return fail(response, 404, 'not-found');
  }

  // The hooks WebKit needs written into the page come as a script of the site's own.
  function serveSite(name, response) {
    const headers = { 'Content-Security-Policy': SitePolicy };
    if (name === '/test-hooks.js') return response.writeHead(200, { ...headers, 'Content-Type': 'text/javascript' }).end(hooks());
    const file = path.join(site, path.normalize(name.endsWith('/') ? name + 'index.html' : name));
    if (!file.startsWith(site + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) return send(response, 404);
    let bytes = fs.readFileSync(file);
    if (path.basename(file) === 'index.html' && hooks()) bytes = bytes.toString().replace('<script', '<script src="/test-hooks.js"></script><script');
    response.writeHead(200, { ...headers, 'Content-Type': Types[path.extname(file)] || 'application/octet-stream' }).end(bytes);
  }
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    state.origin = `http://127.0.0.1:${server.address().port}`;
    state.url = state.origin + '/';
    state.close = () => new Promise((done) => { server.closeAllConnections(); server.close(done); });
    resolve(state);
  }));
}

const idle = (page) => page.waitFor(() => window.tavolini && window.tavolini.idle(), 2);

async function press(page, ids) {
  for (const id of ids) {
    await page.evaluate((id) => document.getElementById(id).click(), id);
    await idle(page);
  }
}

// Until `test` holds of the stand-in, for at most 10 s.
async function until(test, what) {
  for (let waited = 0; !test(); waited += 20) {
    if (waited > 10000) throw new Error('waited in vain for ' + what);
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}

// The sign-in form filled and sent: the error it shows, or '' once the drill has started.
async function signIn(page, { classCode, number, password }) {
  await page.waitFor(() => !document.getElementById('signIn').hidden, 5);
  await page.evaluate((values) => {
    ['classCode', 'pupilNumber', 'password'].forEach((id, i) => { document.getElementById(id).value = values[i]; });
    document.getElementById('btnSignIn').click();
  }, [classCode, String(number), password]);
  await page.waitFor(() => document.getElementById('signInError').textContent ||
    (document.getElementById('signIn').hidden && window.tavolini.idle()), 5);
  return page.evaluate(() => document.getElementById('signInError').textContent);
}

async function openFile(page, name, text) {
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'tavolini-')), name);
  fs.writeFileSync(file, text);
  await page.evaluate(() => document.getElementById('mnuOpen').click());
  await page.waitFor(() => document.getElementById('setFile'), 2);
  await page.uploadFile('#setFile', file);
  await page.waitFor(() => document.getElementById('dialog').dataset.kind !== 'open', 2);
  while (await idle(page), await page.evaluate(() => document.getElementById('dialog').dataset.kind === 'message' &&
    !document.getElementById('dialog').hidden)) await press(page, ['dlgOk']);
  await press(page, ['btnOK']); // the new set's units are offered first
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The first lines 練習の記録 shows, once they are `expected` (the counts come from the server in a moment).
async function recordLines(page, expected) {
  for (let tries = 0; ; tries++) {
    await press(page, ['mnuShowRecord']);
    const lines = await page.evaluate(() => [...document.querySelectorAll('#lstTitle > *')].map((line) => line.textContent));
    await press(page, ['dlgClose']);
    if (JSON.stringify(lines.slice(0, expected.length)) === JSON.stringify(expected) || tries === 20) return lines.slice(0, expected.length);
    await sleep(100);
  }
}

// What the browser keeps: the keys of the outbox and of the places.
const keptKeys = (page) => page.evaluate(() => Promise.all([['tavolini-outbox', 'waiting'], ['tavolini-place', 'kept']]
  .map(([name, store]) => new Promise((resolve) => {
    indexedDB.open(name).onsuccess = ({ target: { result } }) => {
      if (!result.objectStoreNames.contains(store)) return resolve([]);
      result.transaction(store).objectStore(store).getAllKeys().onsuccess = ({ target }) => resolve(target.result);
    };
  }))));

// サインアウト, done once the page has come back with the sign-in form.
async function signOut(page, server) {
  const before = server.signOuts;
  await page.evaluate(() => document.getElementById('btnSignOut').click());
  await until(() => server.signOuts > before, 'the sign-out');
  await sleep(200);
  await page.waitFor(() => document.getElementById('signIn') && !document.getElementById('signIn').hidden, 5);
}

// What the page window shows: the rows as the engine has them, the caption,
// the answer box's text and a sum of each picture's pixels.
// In WebKit the rows' text is smoothed a little differently from one load of
// the page to another, so there the rows are compared by their canvases' sizes.
const webkit = process.env.TAVOLINI_BROWSER === 'webkit';
const drawn = (page) => page.evaluate((webkit) => [window.tavolini.tableReport(), document.getElementById('lblPageCaption').textContent,
  document.getElementById('grbKai').textContent, ...[...document.querySelectorAll('#frmPage canvas')].map((canvas) =>
    canvas.id + ' ' + (webkit ? canvas.width + 'x' + canvas.height
      : canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data.reduce((sum, v) => (sum * 31 + v) | 0, 0)))], webkit);

// The teacher signed in, by the page's own origin.
const teacherSignIn = (page) => page.evaluate((teacher) => fetch('/api/teacher/signin', { method: 'POST',
  headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(teacher) }).then((reply) => reply.status), Teacher);

const online = (page) => page.evaluate(() => dispatchEvent(new Event('online')));

const tests = {
  async 'the pupil signs in through the form, by keys too, and is told the server\'s reason or to wait'(page, server, context) {
    await page.gotoUrl(server.url);
    for (const [given, expected] of [
      [{ ...Pupils[0], number: 'san' }, /^出席番号は数字で入れてください$/],
      [{ ...Pupils[0], password: 'wrong' }, /^クラスコード、出席番号またはパスワードが違います$/],
      [{ ...Pupils[0], classCode: '' }, /^クラスコードを入れてください$/],
    ]) assert.match(await signIn(page, given), expected);
    server.failures = 3;
    assert.match(await signIn(page, Pupils[0]), /^失敗が多すぎます\nサインインの失敗が続きました。しばらく待って/);
    server.failures = 0;
    if (context.engine === 'chromium') {
      const { AxePuppeteer } = require('../../tools/web-drive/node_modules/@axe-core/puppeteer');
      await page.setViewport(390, 844);
      const faults = (await new AxePuppeteer(page.page).analyze()).violations.filter((v) => ['serious', 'critical'].includes(v.impact));
      assert.deepEqual(faults.map((fault) => fault.id), []);
      assert.equal(await page.evaluate(() => document.getElementById('signInForm').scrollWidth <= innerWidth), true);
      await page.evaluate(() => ['classCode', 'pupilNumber', 'password'].forEach((id) => { document.getElementById(id).value = ''; }));
      await page.evaluate(() => document.getElementById('classCode').focus());
      for (const text of [Pupils[0].classCode, '３', Pupils[0].password]) {
        await page.page.keyboard.type(text);
        await page.page.keyboard.press('Tab');
      }
      assert.equal(await page.evaluate(() => document.activeElement.id), 'btnSignIn');
      await page.page.keyboard.press('Enter');
      await idle(page);
    } else {
      assert.equal(await signIn(page, Pupils[0]), '');
    }
    assert.equal(await page.evaluate(() => document.getElementById('pupilName').textContent), '3番 山田花子');
    // The help's style is a file of the site's too.
    await page.evaluate(() => view.showHelp('contents.html'));
    await page.waitFor(() => document.getElementById('helpFrame').contentDocument?.querySelector('h1'), 10);
    assert.equal(await page.evaluate(() => getComputedStyle(document.getElementById('helpFrame').contentDocument.querySelector('h1')).color),
      'rgb(0, 127, 127)');
  },

  async 'a solved problem goes to the server with its set, the fields and the token, and the ★ are the server\'s'(page, server) {
    const unitRecords = [{ set: 'ZUdir.sim', unit: FirstUnit, problem: 2, count: 4 }, { set: 'other.sim', unit: FirstUnit, problem: 3, count: 9 }];
    server.counts = unitRecords.map((count) => ({ ...count, pupil: Pupils[0] }));
    await page.gotoUrl(server.url);
    assert.equal(await signIn(page, Pupils[0]), '');
    const before = [FirstUnit, '  1', '  2★★★★', '  3'];
    assert.deepEqual(await recordLines(page, before), before);
    const started = Date.now();
    await press(page, ['mnuHint', ...Road]);
    await until(() => server.stored.size === 1, 'the completion stored');
    const session = [...server.sessions.values()][0];
    const [first, second] = server.posts;
    assert.deepEqual(server.puts, [sha256(Shipped)]);
    assert.deepEqual(first.completion, second.completion);
    const { id, startedAt, endedAt, ...rest } = second.completion;
    assert.match(id, /^[0-9a-f]{32}$/);
    assert.ok(started - 1000 <= startedAt && startedAt <= endedAt && endedAt <= Date.now(), [started, startedAt, endedAt].join(' '));
    assert.deepEqual(rest, { setName: 'ZUdir.sim', setHash: sha256(Shipped), unit: FirstUnit, problem: 1,
      steps: '1+@2 3/#3 4^@2 5I 6S 7*#-1', answer: 'x=3 y=1', hints: 1 });
    assert.equal(second.pupil, session.pupil);
    const after = [FirstUnit, '  1★', '  2★★★★'];
    assert.deepEqual(await recordLines(page, after), after);
  },

  async 'completions wait while the server is down, across a reload, and each goes once with its own id'(page, server) {
    await page.gotoUrl(server.url);
    assert.equal(await signIn(page, Pupils[0]), '');
    await openFile(page, 'one.sim', OneProblem);
    server.completions = [503, 'unreachable', 503, 503, 503, 503];
    await press(page, [...OneRoad, 'dlgOk', ...OneRoad, 'dlgOk']);
    await until(() => server.posts.length >= 2, 'two tries');
    assert.equal(server.stored.size, 0);
    assert.equal((await keptKeys(page))[0].length, 2);
    server.completions = Array(50).fill(503);
    const tried = server.posts.length;
    await page.gotoUrl(server.url);
    await idle(page);
    await until(() => server.posts.length > tried, 'a try after the reload');
    server.completions = [];
    await online(page);
    await until(() => server.stored.size === 2, 'both stored');
    const ids = new Set(server.posts.map((post) => post.completion.id));
    assert.equal(ids.size, 2, 'one id for each completion, whatever the tries');
    assert.deepEqual([...server.stored.values()].map(({ body }) => [body.setName, body.setHash, body.unit, body.answer]),
      [['one.sim', sha256(OneProblem), 't', 'x=1 y=1'], ['one.sim', sha256(OneProblem), 't', 'x=1 y=1']]);
    assert.deepEqual(await recordLines(page, ['t', '  1★★']), ['t', '  1★★']);
    assert.deepEqual((await keptKeys(page))[0], []);
  },

  async 'a refused completion is dropped and its reason told once'(page, server) {
    await page.gotoUrl(server.url);
    assert.equal(await signIn(page, Pupils[0]), '');
    server.sets.set(sha256(Shipped), Shipped);
    server.completions = [422];
    await press(page, Road);
    await page.waitFor(() => !document.getElementById('classNotice').hidden, 5);
    assert.match(await page.evaluate(() => document.getElementById('classNoticeText').textContent),
      new RegExp(`^解いた記録をサーバーが受け付けませんでした（${FirstUnit} 問題1）：3番目の操作が受け付けられません$`));
    await online(page);
    await sleep(300);
    assert.equal(server.posts.length, 1);
    assert.deepEqual((await keptKeys(page))[0], []);
  },

  async 'sign-out sends what waits, and the next pupil sees and sends nothing of the one before'(page, server) {
    await page.gotoUrl(server.url);
    assert.equal(await signIn(page, Pupils[0]), '');
    server.completions = [503];
    await press(page, Road);
    await until(() => server.posts.length === 1, 'the first try');
    await signOut(page, server);
    assert.equal(server.stored.size, 1);
    assert.equal(server.signOuts, 1);
    assert.deepEqual(await keptKeys(page), [[], []]);
    assert.equal(await page.evaluate(() => document.getElementById('pupil').hidden), true);
    assert.equal(await signIn(page, Pupils[1]), '');
    assert.equal(await page.evaluate(() => window.tavolini.stateReport()).then((report) => /solved=1/.test(report)), false);
    assert.deepEqual(await recordLines(page, [FirstUnit, '  1']), [FirstUnit, '  1']);
    // Kept apart when the server cannot take it at sign-out: the next pupil never sends it.
    server.completions = Array(20).fill(503);
    await press(page, Road);
    await signOut(page, server);
    assert.equal(await signIn(page, Pupils[0]), '');
    server.completions = [];
    await online(page);
    await sleep(300);
    assert.equal(server.stored.size, 1, 'nothing of the pupil before');
    const [waiting, places] = await keptKeys(page);
    assert.equal(waiting.length, 1);
    assert.ok(waiting[0].startsWith('K7Q2/4\n') && places.every((key) => key.startsWith('pupil:K7Q2/3:')), places.join());
  },

  async 'the teacher sees a solved problem drawn as the pupil saw it, and changes, keeps and sends nothing'(page, server) {
    await page.gotoUrl(server.url);
    assert.equal(await signIn(page, Pupils[0]), '');
    await press(page, Road);
    await until(() => server.stored.size === 1, 'the completion stored');
    const [seen, posted] = [await drawn(page), server.posts.length];
    await signOut(page, server);
    assert.equal(await teacherSignIn(page), 200);
    await page.gotoUrl(server.url + 'index.html?worked=11.' + [...server.stored.keys()][0]);
    await idle(page);
    assert.deepEqual(await drawn(page), seen);
    assert.match(await page.evaluate(() => document.getElementById('workedCaption').textContent),
      new RegExp(`^3番 山田花子　${FirstUnit} 問題1　\\d{4}年\\d+月\\d+日 \\d\\d:\\d\\d$`));
    // A row, keys, the panel, the pad and the menus but 印刷 and the help change nothing.
    const state = await page.evaluate(async () => {
      const before = window.tavolini.stateReport();
      document.getElementById('Image2').dispatchEvent(new PointerEvent('pointerup', { bubbles: true }));
      for (const key of ['F2', 'Enter', '1']) document.dispatchEvent(new KeyboardEvent('keydown', { key, code: 'Digit1' }));
      for (const id of ['btnShiki1', 'btnNext', 'btn1', 'mnuNext', 'mnuOpen', 'mnuEditZudir']) await act(id.startsWith('mnu') ? 'tavolini_menu' : 'tavolini_click', ['string'], [id]);
      return before;
    });
    await idle(page);
    assert.deepEqual([await drawn(page), await page.evaluate(() => window.tavolini.stateReport())], [seen, state]);
    assert.deepEqual(await page.evaluate(() => ['btnShiki1', 'btnJikkou', 'btn1', 'mnuOpen', 'mnuHint', 'mnuPrint', 'mnuUsage']
      .map((id) => document.getElementById(id).disabled)), [true, true, true, true, true, false, false]);
    await press(page, ['mnuPrint']);
    assert.equal(await page.evaluate(() => document.getElementById('dialog').dataset.kind), 'print');
    assert.deepEqual([await keptKeys(page), server.posts.length, server.teacherCalls.filter((call) => !call.startsWith('GET '))], [[[], []], posted, []]);
  },

  async 'a completion or set that cannot be had is told in words instead of a drill'(page, server) {
    const [lost, other] = ['a', 'c'].map((c) => c.repeat(32)); // the set of `lost` is not on the server
    server.stored.set(lost, { pupil: Pupils[0], body: { id: lost, setHash: 'b'.repeat(64), unit: 't', problem: 1 } });
    await page.gotoUrl(server.url);
    for (const asked of ['11.' + lost, 'signed in', '11.' + other, '12.' + lost, '11.' + lost]) {
      if (asked === 'signed in' && await teacherSignIn(page)) continue;
      await page.gotoUrl(server.url + 'index.html?worked=' + asked);
      await page.waitFor(() => !document.getElementById('ended').hidden, 5);
      assert.deepEqual(await page.evaluate(() => [document.getElementById('ended').textContent, document.getElementById('signIn').hidden,
        document.getElementById('sheet').children.length]), [server.teacherCalls.length ? 'この解答を開けませんでした。先生のページからもう一度開いてください'
        : '先生としてサインインしてから開いてください', true, 0], asked);
    }
  },

  async 'the set handed out to the class is the set in use, unless the pupil is on it already; none changes nothing'(page, server) {
    const handed = (text) => ({ hash: sha256(text), name: 'handed.sim', bytes: Buffer.from(text).toString('base64') });
    await page.gotoUrl(server.url);
    assert.equal(await signIn(page, Pupils[0]), '');
    const reports = [];
    // The set handed out, the set in use after a reload and its rows, the steps done then.
    for (const [given, name, rows, steps] of [[null, '', 2, []], [handed(OneProblem), 'handed.sim', 2, OneRoad.slice(0, 4)],
      [handed(OneProblem), 'handed.sim', 3, []], [null, 'handed.sim', 3, []], [handed(OneProblem.replace('2y', '3y')), 'handed.sim', 2, []]]) {
      server.classSet = given;
      if (reports.length) await page.gotoUrl(server.url);
      await idle(page);
      const [set, report] = await page.evaluate(() => [engine.chosenSetName(), window.tavolini.tableReport()]);
      assert.deepEqual([set, report.split('\n').filter(Boolean).length], [name, rows], String(reports.length));
      reports.push(report);
      await press(page, steps);
    }
    assert.notEqual(reports[4], reports[1], 'the set of the same name handed out anew');
  },
};

(async () => {
  const pageErrors = [];
  const browser = await launch({ viewport: { width: 1024, height: 768 }, onError: (error) => pageErrors.push(error) });
  let failed = 0;
  const only = process.argv[2] || '';
  for (const [name, test] of Object.entries(tests).filter(([name]) => name.includes(only))) {
    const context = await browser.newContext();
    const page = await context.newPage();
    await page.addInitScript(() => document.addEventListener('securitypolicyviolation',
      (event) => { throw new Error('refused by the policy: ' + event.violatedDirective + ' ' + event.blockedURI); }));
    const server = await standIn(() => page.initScript());
    try {
      await test(page, server, context);
      assert.deepEqual(pageErrors.splice(0), []);
      console.log('ok: ' + name);
    } catch (error) {
      failed++;
      pageErrors.length = 0;
      console.log('FAILED: ' + name + '\n' + error.stack);
    }
    await context.close();
    await server.close();
  }
  await browser.close();
  process.exit(failed ? 1 : 0);
})();
