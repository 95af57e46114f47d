// The teacher's pages of the class server: sign-in, the classes, pupils
// added in bulk with their passwords shown once and printed as sign-in cards,
// each class's overview of who solved what, each pupil's completions, and the
// set handed out to a class. The place in the pages is the address's hash, so
// that the browser's back and a reload keep it: #class/<id>,
// #pupil/<class id>/<pupil id>, or the classes.
'use strict';

(() => {
  const Api = '/api/';
  const MaxStarsShown = 1000; // as many ★ as the records viewer shows at most
  const CardsPerPage = 10;
  const MaxPupilsAdded = 200;
  const MaxTitleBytes = 100;
  const PasswordBytes = [10, 128];
  const UnreachableText = 'サーバーに接続できません。しばらくしてからもう一度試してください';
  const Views = ['viewSignIn', 'viewPassword', 'viewHome', 'viewClass', 'viewPupil'];

  const byId = (id) => document.getElementById(id);
  const bytes = (text) => new TextEncoder().encode(text).length;
  const twoDigits = (n) => String(n).padStart(2, '0');

  let session = null; // { name, csrf } of the signed-in teacher
  let classes = [];
  let made = null; // the passwords just made: { classId, title, code, pupils }, never kept beyond the class's page
  let shownClass = null; // the class whose page is shown: { id, title, code, pupils }
  let overview = null; // its overview as the server last gave it

  // The records viewer's date: 26年12月08日14:05, in the browser's time.
  function dateText(millis) {
    const t = new Date(millis);
    return twoDigits(t.getFullYear() % 100) + '年' + twoDigits(t.getMonth() + 1) + '月' + twoDigits(t.getDate()) + '日' +
      twoDigits(t.getHours()) + ':' + twoDigits(t.getMinutes());
  }

  function durationText(millis) {
    const seconds = Math.max(0, Math.round(millis / 1000));
    const minutes = Math.floor(seconds / 60);
    return (minutes ? minutes + '分' : '') + twoDigits(seconds % 60) + '秒';
  }

  // An element with its class and its children (text or elements).
  function make(tag, className, ...children) {
    const element = document.createElement(tag);
    if (className) element.className = className;
    element.append(...children.filter((child) => child !== null && child !== undefined));
    return element;
  }

  // Text for screen readers alone, beside what is only drawn.
  const spoken = (text) => make('span', 'spoken', text);

  // One request: { status, answer }, status 0 when the server cannot be reached.
  async function call(method, path, body, type = 'application/json') {
    const headers = { Accept: 'application/json' };
    if (body !== undefined) headers['Content-Type'] = type;
    if (session && method !== 'GET') headers['X-CSRF-Token'] = session.csrf;
    let response;
    try {
      response = await fetch(Api + path, { method, headers, credentials: 'same-origin', cache: 'no-store',
        body: body === undefined || type !== 'application/json' ? body : JSON.stringify(body) });
    } catch (unreachable) {
      return { status: 0, answer: { message: UnreachableText } };
    }
    let answer = {};
    try {
      answer = await response.json();
    } catch (empty) {
      // 204, or not JSON
    }
    return { status: response.status, answer: answer && typeof answer === 'object' ? answer : {} };
  }

  const messageOf = (reply) => (typeof reply.answer.message === 'string' && reply.answer.message) || UnreachableText;

  function tell(text) {
    byId('status').textContent = text;
  }

  // A refusal that is not the form's own: signed out, the password first, or the server's message.
  function failed(reply) {
    if (reply.status === 401) {
      session = null;
      showSignIn('サインインし直してください');
    } else if (reply.status === 403 && reply.answer.error === 'password-change-required') {
      showView('viewPassword');
    } else {
      tell(messageOf(reply));
    }
  }

  function showView(view) {
    Views.forEach((id) => { byId(id).hidden = id !== view; });
    byId('cards').hidden = true;
    byId('main').hidden = false;
    byId('bar').hidden = false;
    byId('teacher').hidden = !session;
    if (session) byId('teacherName').textContent = session.name + ' 先生';
    const heading = byId(view).querySelector('h1');
    heading.tabIndex = -1;
    heading.focus();
  }

  function showSignIn(why = '') {
    made = null;
    showView('viewSignIn');
    byId('signInError').textContent = why;
    byId('teacherLogin').focus();
  }

  byId('signInForm').addEventListener('submit', async (event) => {
    event.preventDefault();
    const name = byId('teacherLogin').value.trim();
    const password = byId('teacherPassword').value;
    const error = byId('signInError');
    if (!name || !password) {
      error.textContent = (name ? 'パスワード' : '名前') + 'を入れてください';
      byId(name ? 'teacherPassword' : 'teacherLogin').focus();
      return;
    }
    byId('btnSignIn').disabled = true;
    const reply = await call('POST', 'teacher/signin', { name, password });
    byId('btnSignIn').disabled = false;
    byId('teacherPassword').value = '';
    if (reply.status === 200 && reply.answer.role === 'teacher') {
      error.textContent = '';
      begin(reply.answer);
      return;
    }
    error.textContent = messageOf(reply);
    byId('teacherPassword').focus();
  });

  byId('passwordForm').addEventListener('submit', async (event) => {
    event.preventDefault();
    const [password, newPassword, again] = ['oldPassword', 'newPassword', 'newPasswordAgain'].map((id) => byId(id).value);
    const error = byId('passwordError');
    const length = bytes(newPassword);
    const problem = !password ? '今のパスワードを入れてください'
      : length < PasswordBytes[0] ? '新しいパスワードは10文字以上にしてください'
      : length > PasswordBytes[1] ? '新しいパスワードが長すぎます'
      : newPassword !== again ? '確認のパスワードが新しいパスワードと違います' : '';
    error.textContent = problem;
    if (problem) return;
    byId('btnChangePassword').disabled = true;
    const reply = await call('POST', 'teacher/password', { password, newPassword });
    byId('btnChangePassword').disabled = false;
    ['oldPassword', 'newPassword', 'newPasswordAgain'].forEach((id) => { byId(id).value = ''; });
    if (reply.status === 204) {
      tell('パスワードを変更しました');
      route();
      return;
    }
    if (reply.status === 401) return failed(reply);
    error.textContent = reply.answer.error === 'sign-in-failed' ? '今のパスワードが違います' : messageOf(reply);
  });

  // Loaded afresh, so that nothing of this teacher's classes stays in the page.
  byId('btnSignOut').addEventListener('click', async () => {
    await call('POST', 'signout');
    location.replace(location.pathname);
  });

  function begin(answer) {
    session = { name: answer.name, csrf: answer.csrf };
    if (answer.mustChangePassword) showView('viewPassword');
    else route();
  }

  async function loadClasses() {
    const reply = await call('GET', 'classes');
    if (reply.status !== 200) {
      failed(reply);
      return false;
    }
    classes = Array.isArray(reply.answer.classes) ? reply.answer.classes : [];
    return true;
  }

  async function showHome() {
    if (!(await loadClasses())) return;
    const rows = classes.map((item) => {
      const link = make('a', '', item.title);
      link.href = '#class/' + item.id;
      return make('tr', '', make('td', '', link), make('td', 'code', item.code), make('td', 'number', String(item.pupils)));
    });
    byId('classList').tBodies[0].replaceChildren(...rows);
    byId('classList').hidden = !rows.length;
    byId('noClasses').hidden = rows.length > 0;
    showView('viewHome');
  }

  byId('addClassForm').addEventListener('submit', async (event) => {
    event.preventDefault();
    const title = byId('classTitle').value.trim();
    const error = byId('addClassError');
    error.textContent = !title ? 'クラスの名前を入れてください' : bytes(title) > MaxTitleBytes ? 'クラスの名前が長すぎます' : '';
    if (error.textContent) return;
    const reply = await call('POST', 'classes', { title });
    if (reply.status !== 201) {
      if (reply.status === 400) error.textContent = messageOf(reply);
      else failed(reply);
      return;
    }
    byId('classTitle').value = '';
    location.hash = '#class/' + reply.answer.id;
  });

  // The lines pasted: [{ number, name }] or the first line that cannot be read.
  function readPupilLines(text) {
    const pupils = [];
    const lines = text.split(/\r\n|\r|\n/);
    for (let i = 0; i < lines.length; i++) {
      const line = lines[i].trim();
      if (!line) continue;
      const parts = /^(\S+)\s+(.+)$/u.exec(line); // \s takes the full-width space too
      const number = parts && /^\d{1,3}$/.test(parts[1].normalize('NFKC')) ? Number(parts[1].normalize('NFKC')) : 0;
      if (!number || number > 999) return { error: `${i + 1}行目：出席番号（1～999）と名前が読めません` };
      if (pupils.some((pupil) => pupil.number === number)) return { error: `${i + 1}行目：出席番号 ${number} がもう一度出てきます` };
      pupils.push({ number, name: parts[2].trim() });
    }
    if (!pupils.length) return { error: '出席番号と名前を1行に1人ずつ入れてください' };
    if (pupils.length > MaxPupilsAdded) return { error: `一度に追加できるのは${MaxPupilsAdded}人までです` };
    return { pupils };
  }

  byId('addPupilsForm').addEventListener('submit', async (event) => {
    event.preventDefault();
    const error = byId('addPupilsError');
    const read = readPupilLines(byId('pupilLines').value);
    error.textContent = read.error || '';
    if (read.error) return byId('pupilLines').focus();
    const classId = shownClass.id;
    byId('btnAddPupils').disabled = true;
    const reply = await call('POST', `classes/${classId}/pupils`, { pupils: read.pupils });
    byId('btnAddPupils').disabled = false;
    if (reply.status !== 201) {
      if (reply.status === 400 || reply.status === 409) error.textContent = messageOf(reply);
      else failed(reply);
      return;
    }
    byId('pupilLines').value = '';
    const before = made && made.classId === classId ? made.pupils : [];
    made = { classId, title: shownClass.title, code: shownClass.code, pupils: [...before, ...reply.answer.pupils] };
    showMade();
    await loadOverview(classId);
    byId('madePasswords').querySelector('.warning').focus();
  });

  function showMade() {
    const shown = made && made.classId === shownClass.id;
    byId('madePasswords').hidden = !shown;
    if (!shown) return;
    byId('madeList').tBodies[0].replaceChildren(...made.pupils.map((pupil) => make('tr', '',
      make('td', 'number', String(pupil.number)), make('td', '', pupil.name), make('td', 'code', pupil.password))));
    byId('madePasswords').querySelector('.warning').tabIndex = -1;
  }

  // The sign-in cards of the passwords just made, ten to an A4 page.
  function showCards() {
    const address = location.origin + '/';
    const cards = made.pupils.map((pupil) => make('div', 'card',
      make('p', 'cardClass', made.title),
      make('dl', '',
        make('dt', '', 'アドレス'), make('dd', 'code', address),
        make('dt', '', 'クラスコード'), make('dd', 'code', made.code),
        make('dt', '', '出席番号'), make('dd', '', String(pupil.number)),
        make('dt', '', '名前'), make('dd', '', pupil.name),
        make('dt', '', 'パスワード'), make('dd', 'code', pupil.password))));
    const pages = [];
    for (let i = 0; i < cards.length; i += CardsPerPage) pages.push(make('div', 'cardPage', ...cards.slice(i, i + CardsPerPage)));
    byId('cardPages').replaceChildren(...pages);
    byId('main').hidden = true;
    byId('bar').hidden = true;
    byId('cards').hidden = false;
    byId('btnPrintCards').focus();
  }

  byId('btnCards').addEventListener('click', showCards);
  byId('btnPrintCards').addEventListener('click', () => window.print());
  byId('btnCloseCards').addEventListener('click', () => {
    byId('cards').hidden = true;
    byId('main').hidden = false;
    byId('bar').hidden = false;
    byId('btnCards').focus();
  });

  // The ★ of one problem as the records viewer shows them: its number, then a ★ for each time solved
  // (read out as the count: a text apart for each would make a large class slow to lay out).
  function problemLine(problem, count) {
    const stars = make('span', 'stars', '★'.repeat(Math.min(count, MaxStarsShown)));
    if (count) {
      stars.setAttribute('role', 'img');
      stars.setAttribute('aria-label', count + '回');
    }
    return make('div', 'problem', make('span', 'problemNumber', String(problem)), stars);
  }

  function solvedOf(pupil) {
    let problems = 0;
    let times = 0;
    for (const unit of pupil.units) {
      for (const count of unit.counts) {
        problems += count > 0 ? 1 : 0;
        times += count;
      }
    }
    return { problems, times };
  }

  // By number, or the most problems solved (then times solved) first.
  function sortedPupils(pupils, order) {
    const byNumber = (a, b) => a.number - b.number;
    if (order !== 'progress') return [...pupils].sort(byNumber);
    const solved = new Map(pupils.map((pupil) => [pupil, solvedOf(pupil)]));
    return [...pupils].sort((a, b) => solved.get(b).problems - solved.get(a).problems ||
      solved.get(b).times - solved.get(a).times || byNumber(a, b));
  }

  function drawOverview() {
    if (!overview) {
      ['overview', 'overviewSet', 'setInUse'].forEach((id) => byId(id).replaceChildren());
      return;
    }
    const { set, pupils, classId } = overview;
    const head = make('tr', '', make('th', 'number', '出席番号'), make('th', '', '名前'),
      ...set.units.map((unit) => make('th', 'unit', unit.title)));
    head.querySelectorAll('th').forEach((cell) => { cell.scope = 'col'; });
    const rows = sortedPupils(pupils, byId('sortOrder').value).map((pupil) => {
      const link = make('a', '', pupil.name);
      link.href = `#pupil/${classId}/${pupil.id}`;
      const name = make('th', 'name', link);
      name.scope = 'row';
      return make('tr', '', make('td', 'number', String(pupil.number)), name, ...set.units.map((unit, i) => {
        const done = pupil.units[i] || { counts: [], last: 0 };
        return make('td', 'unitCell', done.last ? make('div', 'last', dateText(done.last)) : null,
          ...Array.from({ length: unit.problems }, (_, p) => problemLine(p + 1, done.counts[p] || 0)));
      }));
    });
    byId('overview').replaceChildren(make('thead', '', head), make('tbody', '', ...rows));
    byId('overview').hidden = !rows.length;
    byId('noPupils').hidden = rows.length > 0;
  }

  function setText(set) {
    const problems = set.units.reduce((sum, unit) => sum + unit.problems, 0);
    const when = set.handedAt ? `${dateText(set.handedAt)}に配りました` : 'サイトの問題集です。まだ配っていません';
    return `問題集 ${set.name}（${set.units.length}単元、${problems}問）：${when}`;
  }

  async function loadOverview(classId, asked = call('GET', `classes/${classId}/overview`)) {
    const reply = await asked;
    if (reply.status !== 200) return failed(reply);
    overview = { classId, ...reply.answer };
    byId('overviewSet').textContent = setText(overview.set);
    byId('setInUse').textContent = setText(overview.set);
    drawOverview();
  }

  async function showClass(classId) {
    if (made && made.classId !== classId) made = null;
    const asked = call('GET', `classes/${classId}/overview`); // meanwhile
    if (!(await loadClasses())) return;
    shownClass = classes.find((item) => item.id === classId);
    if (!shownClass) return showHome();
    if (overview && overview.classId !== classId) {
      overview = null;
      drawOverview();
    }
    byId('classHeading').textContent = shownClass.title;
    byId('classCodeShown').textContent = shownClass.code;
    const csv = `${Api}classes/${classId}/overview.csv`;
    byId('csvUtf8').href = csv;
    byId('csvCp932').href = csv + '?encoding=cp932';
    byId('setRefusal').replaceChildren();
    byId('addPupilsError').textContent = '';
    await loadOverview(classId, asked);
    showMade();
    showView('viewClass');
  }

  byId('sortOrder').addEventListener('change', drawOverview);
  byId('btnRefresh').addEventListener('click', () => loadOverview(shownClass.id));

  byId('setForm').addEventListener('submit', async (event) => {
    event.preventDefault();
    const refusal = byId('setRefusal');
    const file = byId('setFile').files[0];
    refusal.replaceChildren();
    if (!file) return refusal.append(make('p', '', '配る問題集のファイルを選んでください'));
    if (bytes(file.name) > MaxTitleBytes) return refusal.append(make('p', '', 'ファイルの名前が長すぎます'));
    const classId = shownClass.id;
    byId('btnHandOut').disabled = true;
    const reply = await call('PUT', `classes/${classId}/set?name=${encodeURIComponent(file.name)}`,
      await file.arrayBuffer(), 'application/octet-stream');
    byId('btnHandOut').disabled = false;
    if (reply.status === 200) {
      byId('setFile').value = '';
      await loadOverview(classId);
      tell(`${file.name} を配りました。生徒が次に始めるときからこの問題集になります`);
      return;
    }
    if (reply.status !== 422 && reply.status !== 400 && reply.status !== 413) return failed(reply);
    const messages = Array.isArray(reply.answer.messages) ? reply.answer.messages.filter((m) => typeof m === 'string') : [];
    refusal.append(make('p', '', `${file.name} は配れません：${messageOf(reply)}`));
    if (messages.length) refusal.append(make('ul', '', ...messages.map((message) => make('li', '', message))));
  });

  async function showPupil(classId, pupilId) {
    made = null;
    const [pupils, done] = await Promise.all([call('GET', `classes/${classId}/pupils`), call('GET', `pupils/${pupilId}/completions`)]);
    const failure = [pupils, done].find((reply) => reply.status !== 200);
    if (failure) return failed(failure);
    const pupil = (pupils.answer.pupils || []).find((item) => item.id === pupilId);
    if (!pupil) return showClass(classId);
    byId('pupilHeading').textContent = `${pupil.number}番 ${pupil.name}`;
    byId('backToClass').href = '#class/' + classId;
    // Newest first by when each was solved; the server's order (oldest first) where two ended together.
    const completions = [...(done.answer.completions || [])].reverse().sort((a, b) => b.endedAt - a.endedAt);
    byId('completionList').tBodies[0].replaceChildren(...completions.map((completion) => {
      const link = make('a', '', '開く', spoken(`（${completion.unit} 問題${completion.problem}、${dateText(completion.endedAt)}）`));
      link.href = `index.html?worked=${pupilId}.${encodeURIComponent(completion.id)}`;
      const steps = completion.steps.split(' ').filter(Boolean).length;
      return make('tr', '', make('td', 'when', dateText(completion.endedAt)), make('td', '', completion.unit),
        make('td', 'number', String(completion.problem)), make('td', 'number', String(steps)),
        make('td', 'number', String(completion.hints)),
        make('td', 'number', durationText(completion.endedAt - completion.startedAt)), make('td', '', link));
    }));
    byId('completionList').hidden = !completions.length;
    byId('noCompletions').hidden = completions.length > 0;
    showView('viewPupil');
  }

  function route() {
    if (!session) return;
    tell('');
    const place = /^#(class|pupil)\/(\d+)(?:\/(\d+))?$/.exec(location.hash);
    if (place && place[1] === 'class' && !place[3]) return showClass(Number(place[2]));
    if (place && place[1] === 'pupil' && place[3]) return showPupil(Number(place[2]), Number(place[3]));
    made = null;
    return showHome();
  }

  addEventListener('hashchange', route);

  (async () => {
    const reply = await call('GET', 'session');
    if (reply.status === 200 && reply.answer.role === 'teacher') begin(reply.answer);
    else showSignIn(reply.status === 0 ? UnreachableText : '');
  })();
})();
