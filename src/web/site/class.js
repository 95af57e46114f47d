// The class server's side of the page. Served by the class server, the page
// signs the pupil in first; each problem solved goes to the server, waiting
// in the browser (under the pupil's key, so that the next pupil on a shared
// device never sees or sends it) until the server has it; and the ★ counts
// are the server's. Served from a folder or another web server, there is no
// session to ask for, and the page keeps its records in the browser as before.
// The engine says what was solved and makes the counts its records.
'use strict';

const Classroom = (() => {
  const Api = '/api/';
  const RetryMs = 2000;
  const LongestRetryMs = 60000;
  const SignOutWaitMs = 5000;
  const WaitText = 'サインインの失敗が続きました。しばらく待ってからもう一度サインインしてください';
  const UnreachableText = 'サーバーに接続できません。しばらくしてからもう一度サインインしてください';

  let pupil = null; // the session while a pupil is signed in: { key, name, csrf, … }
  let engineNow = null;
  let counts = []; // the server's ★ counts, as it last gave them
  let countsPath = null; // the set whose record file holds them
  let sending = null; // the send under way
  let sendAgain = false; // something came to wait while it was under way
  let signingIn = null;
  let failures = 0;
  let retry = 0;

  const pupilKey = (session) => session.classCode + '/' + session.number;
  const hex = (bytes) => Array.from(bytes, (byte) => byte.toString(16).padStart(2, '0')).join('');

  async function call(method, path, body, type = 'application/json') {
    const headers = { Accept: 'application/json' };
    if (body !== undefined) headers['Content-Type'] = type;
    if (pupil && method !== 'GET') headers['X-CSRF-Token'] = pupil.csrf;
    const response = await fetch(Api + path, { method, headers, credentials: 'same-origin', cache: 'no-store',
      body: body === undefined || type !== 'application/json' ? body : JSON.stringify(body) });
    let answer = {};
    try {
      answer = await response.json();
    } catch (empty) {
      // 204, or not JSON
    }
    return { status: response.status, answer: answer && typeof answer === 'object' ? answer : {} };
  }

  // What waits, by pupil: IndexedDB, or the page's memory where the browser keeps nothing.
  const Outbox = (() => {
    const Store = 'waiting';
    const memory = new Map();
    const database = new Promise((resolve) => {
      try {
        const opening = indexedDB.open('tavolini-outbox', 1);
        opening.onupgradeneeded = () => opening.result.createObjectStore(Store);
        opening.onsuccess = () => resolve(opening.result);
        opening.onerror = opening.onblocked = () => resolve(null);
      } catch (refused) {
        resolve(null);
      }
    });
    const range = (key) => IDBKeyRange.bound(key + '\n', key + '\n\uffff');
    async function request(mode, work) {
      const kept = await database;
      if (!kept) return undefined;
      return new Promise((resolve, reject) => {
        const transaction = kept.transaction(Store, mode);
        const asked = work(transaction.objectStore(Store));
        transaction.oncomplete = () => resolve(asked.result);
        transaction.onerror = transaction.onabort = () => reject(transaction.error);
      });
    }
    return {
      async put(entry) {
        if (await database) await request('readwrite', (store) => store.put(entry, entry.pupil + '\n' + entry.body.id));
        else memory.set(entry.pupil + '\n' + entry.body.id, entry);
      },
      async of(key) {
        if (await database) return request('readonly', (store) => store.getAll(range(key)));
        return [...memory.entries()].filter(([id]) => id.startsWith(key + '\n')).map(([, entry]) => entry);
      },
      async remove(entry) {
        if (await database) await request('readwrite', (store) => store.delete(entry.pupil + '\n' + entry.body.id));
        else memory.delete(entry.pupil + '\n' + entry.body.id);
      },
    };
  })();

  function tell(text) {
    byId('classNoticeText').textContent = text;
    byId('classNotice').hidden = false;
  }

  function showPupil() {
    byId('pupilName').textContent = pupil.number + '番 ' + pupil.name;
    byId('pupil').hidden = false;
    byId('menuBar').classList.add('signedIn');
  }

  // The sign-in form over the page until the server signs a pupil in: the
  // session then.
  function signIn() {
    const form = byId('signInForm');
    const error = byId('signInError');
    const fields = ['classCode', 'pupilNumber', 'password'].map(byId);
    byId('frmMain').inert = true;
    byId('signIn').hidden = false;
    (fields.find((field) => !field.value) || fields[2]).focus();
    return new Promise((signedIn) => {
      form.onsubmit = async (event) => {
        event.preventDefault();
        const [classCode, number] = fields.map((field) => field.value.trim());
        const password = fields[2].value; // as typed: a space may be part of it
        const empty = fields.find((field, i) => !(i === 2 ? password : field.value.trim()));
        if (empty) {
          error.textContent = empty.labels[0].textContent + 'を入れてください';
          empty.focus();
          return;
        }
        const digits = number.normalize('NFKC');
        if (!/^\d{1,3}$/.test(digits)) {
          error.textContent = '出席番号は数字で入れてください';
          fields[1].focus();
          return;
        }
        byId('btnSignIn').disabled = true;
        error.textContent = '';
        let reply;
        try {
          reply = await call('POST', 'pupil/signin', { classCode, number: Number(digits), password });
        } catch (unreachable) {
          reply = { status: 0, answer: { message: UnreachableText } };
        }
        byId('btnSignIn').disabled = false;
        if (reply.status === 200 && reply.answer.role === 'pupil') {
          fields[2].value = '';
          error.textContent = '';
          byId('signIn').hidden = true;
          byId('frmMain').inert = false;
          form.onsubmit = null;
          signedIn(reply.answer);
          return;
        }
        const message = typeof reply.answer.message === 'string' ? reply.answer.message : '';
        error.textContent = reply.status === 429 ? [message, WaitText].filter(Boolean).join('\n') : message || UnreachableText;
        fields[2].value = '';
        fields[2].focus();
      };
    });
  }

  function begin(session) {
    pupil = { ...session, key: pupilKey(session) };
    showPupil();
  }

  // The pupil is signed in again after the server forgot the session; another
  // pupil signing in instead starts the page afresh.
  function signInAgain() {
    signingIn ??= (async () => {
      const before = pupil.key;
      const session = await signIn();
      signingIn = null;
      if (pupilKey(session) !== before) {
        location.reload();
        return;
      }
      begin(session);
      sendWaiting();
      fetchCounts();
    })();
  }

  // The session's token again, after the server refused the one the page had.
  async function renewToken() {
    const reply = await call('GET', 'session');
    if (reply.status === 200 && reply.answer.role === 'pupil' && pupilKey(reply.answer) === pupil.key) {
      pupil.csrf = reply.answer.csrf;
      return 'later';
    }
    return 'signed-out';
  }

  // The server's counts as the records of the set in use. Not while an
  // action of the pupil is under way: the records change between actions,
  // never within one.
  function useCounts() {
    countsPath = null;
    if (!busy) countsForSetInUse();
  }

  function countsForSetInUse() {
    if (!pupil || !engineNow || engineNow.problemSetPath() === countsPath) return;
    engineNow.useServerRecords(counts);
    countsPath = engineNow.problemSetPath();
  }

  async function fetchCounts() {
    let reply;
    try {
      reply = await call('GET', 'records');
    } catch (unreachable) {
      return;
    }
    if (reply.status === 401) {
      signInAgain();
      return;
    }
    if (reply.status !== 200 || !Array.isArray(reply.answer.records)) return;
    counts = reply.answer.records.filter((record) => record && typeof record.set === 'string' &&
      typeof record.unit === 'string' && Number.isInteger(record.problem) && Number.isInteger(record.count));
    useCounts();
  }

  // One completion to the server, its set given first when the server has
  // none of that hash: 'stored', 'refused' (with the reason), 'signed-out' or 'later'.
  async function sendOne(entry) {
    let reply = await call('POST', 'completions', entry.body);
    if (reply.status === 409 && reply.answer.error === 'set-unknown') {
      const put = await call('PUT', 'sets/' + entry.body.setHash, entry.setBytes, 'application/octet-stream');
      if (put.status !== 204) return { outcome: put.status === 401 ? 'signed-out' : 'later' };
      reply = await call('POST', 'completions', entry.body);
    }
    if (reply.status === 201 || reply.status === 200) return { outcome: 'stored' };
    if (reply.status === 401) return { outcome: 'signed-out' };
    if (reply.status === 403) return { outcome: await renewToken() };
    if (reply.status === 422 || reply.status === 400) return { outcome: 'refused', reason: reply.answer.message };
    return { outcome: 'later' };
  }

  function retryLater() {
    clearTimeout(retry);
    const wait = Math.min(LongestRetryMs, RetryMs * 2 ** failures++) * (0.5 + Math.random() / 2);
    retry = setTimeout(() => {
      retry = 0;
      sendWaiting();
    }, wait);
  }

  // Everything waiting for the signed-in pupil, oldest first, each once the
  // one before has been answered; the counts again once one was stored.
  function sendWaiting() {
    if (sending) {
      sendAgain = true;
      return sending;
    }
    sendAgain = false;
    sending = (async () => {
      let stored = false;
      try {
        const key = pupil && pupil.key;
        const waiting = key ? await Outbox.of(key) : [];
        waiting.sort((a, b) => a.body.endedAt - b.body.endedAt);
        for (const entry of waiting) {
          const { outcome, reason } = await sendOne(entry).catch(() => ({ outcome: 'later' }));
          if (outcome === 'signed-out') {
            signInAgain();
            return;
          }
          if (outcome === 'later' || !pupil || pupil.key !== key) {
            retryLater();
            return;
          }
          await Outbox.remove(entry);
          if (outcome === 'stored') stored = true;
          else tell('解いた記録をサーバーが受け付けませんでした（' + entry.body.unit + ' 問題' + entry.body.problem + '）' +
            (typeof reason === 'string' && reason ? '：' + reason : ''));
        }
        failures = 0;
        clearTimeout(retry);
        retry = 0;
      } catch (unkept) {
        retryLater(); // the browser's storage failed us this time
      } finally {
        sending = null;
        if (stored) fetchCounts();
        if (sendAgain && !retry) sendWaiting();
      }
    })();
    return sending;
  }

  async function signOut() {
    const button = byId('btnSignOut');
    button.disabled = true;
    const sent = (async () => {
      while (sending) await sending; // a try under way may have ended in a wait for the next
      await sendWaiting();
    })();
    await Promise.race([sent, new Promise((resolve) => setTimeout(resolve, SignOutWaitMs))]);
    try {
      await call('POST', 'signout');
    } catch (unreachable) {
      // the session runs out on the server; nothing of it stays here
    }
    await Place.forget();
    pupil = null;
    location.reload();
  }

  byId('btnSignOut').addEventListener('click', signOut);
  byId('classNoticeClose').addEventListener('click', () => { byId('classNotice').hidden = true; });
  addEventListener('online', () => { if (pupil) sendWaiting(); });

  return {
    // Asks the server for the session: true once a pupil is signed in, false
    // when the page did not come from a class server.
    async start() {
      if (location.protocol === 'file:') return false;
      let reply;
      try {
        reply = await call('GET', 'session');
      } catch (unreachable) {
        return false;
      }
      if (reply.status === 200 && reply.answer.role === 'pupil') begin(reply.answer);
      else if (reply.status === 200 || reply.status === 401) begin(await signIn());
      else return false;
      return true;
    },
    // The set the teacher handed out to the pupil's class, { name, bytes };
    // nothing when there is none or the server does not say.
    async handedSet() {
      try {
        const { status, answer: { set } } = await call('GET', 'class-set');
        if (status !== 200 || !set || typeof set.name !== 'string' || typeof set.bytes !== 'string') return null;
        return { name: set.name, bytes: Uint8Array.from(atob(set.bytes), (c) => c.charCodeAt(0)) };
      } catch (unreadable) {
        return null;
      }
    },
    // The key the signed-in pupil's place is kept under; none for nobody.
    placeKey: () => pupil && pupil.key,
    // Before each of the pupil's actions and after it, the set in use has the
    // server's counts as its records; after it, a problem solved goes out.
    beforeAction: countsForSetInUse,
    afterAction(engine) {
      const report = engine.takeCompletion();
      if (!pupil) return;
      if (!engineNow) {
        engineNow = engine;
        sendWaiting();
        fetchCounts();
      }
      countsForSetInUse();
      if (!report) return;
      const { setBytes, ...fields } = report;
      const body = { id: hex(crypto.getRandomValues(new Uint8Array(16))), ...fields };
      Outbox.put({ pupil: pupil.key, body, setBytes }).then(sendWaiting, () => tell('解いた記録をこの端末に残せませんでした'));
    },
  };
})();
