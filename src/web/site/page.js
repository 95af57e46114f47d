// The page's side of the drill: it makes the elements the engine asks for,
// hands the pupil's clicks and keys to the engine one at a time, holds the
// engine's dialogs open until the pupil answers, and keeps the records of
// completed problems in the browser's storage. The drill's rules are all in
// the engine.
'use strict';

const byId = (id) => document.getElementById(id);
const StoragePrefix = 'tavolini:';
const PracticeFolder = '/Tavolini';

let engine = null;
let busy = 0;       // engine calls under way (one waits while a dialog is open)
let ended = false;
let folder = PracticeFolder;
let started = false; // the first problem is shown, or the program has ended

// The fonts travel inside their style sheet where the page comes from a
// folder (Chromium loads no font file there), as files where it is served.
byId('fontFaces').href = location.protocol === 'file:' ? 'fonts.css' : 'fonts-linked.css';

// The dialog open now, by its number; none when no dialog is open.
function openDialogSerial() {
  return byId('dialog').hidden ? null : byId('dialog').dataset.serial;
}

// What the engine asks of the document (Module.view).
const view = {
  waiting: null, // resolves the engine's wait for the open dialog
  chosenName: '',
  chosenBytes: null,
  dialogSerial: 0,
  dialogsBelow: [],

  add(parent, tag, id, left, top, width, height, text) {
    const element = document.createElement(tag);
    element.id = id;
    Object.assign(element.style, { left: left + 'px', top: top + 'px', width: width + 'px', height: height + 'px' });
    if (tag === 'fieldset') {
      element.appendChild(document.createElement('legend')).textContent = text;
    } else if (text) {
      element.textContent = text;
    }
    byId(parent).appendChild(element);
    return element;
  },
  setEnabled(id, on) {
    const element = byId(id);
    if (!element) return; // an entry the web edition does not offer
    element.disabled = !on;
    element.classList.toggle('off', !on);
  },
  showHelp(page) {
    byId('helpFrame').src = 'help/' + page;
    byId('help').hidden = false;
  },

  // A dialog opened over another (a message box over the editor) keeps the
  // one below, its elements out of the document, until it closes.
  openDialog(kind, caption, text, closeReply, width, height) {
    const dialog = byId('dialog');
    const body = byId('dlgBody');
    if (!dialog.hidden) {
      view.dialogsBelow.push({ serial: dialog.dataset.serial, kind: dialog.dataset.kind, text: dialog.dataset.text, caption: byId('dlgCaption').textContent,
        closeReply: byId('dlgClose').dataset.reply, style: body.style.cssText, children: [...body.childNodes] });
    }
    view.dialogSerial++;
    dialog.dataset.serial = view.dialogSerial;
    dialog.dataset.kind = kind;
    dialog.dataset.text = text;
    byId('dlgCaption').textContent = caption;
    byId('dlgText').textContent = text;
    byId('dlgClose').dataset.reply = closeReply;
    body.textContent = '';
    Object.assign(body.style, { width: width + 'px', height: height + 'px' });
    dialog.hidden = false;
  },
  closeDialog() {
    const dialog = byId('dialog');
    const body = byId('dlgBody');
    body.textContent = '';
    const below = view.dialogsBelow.pop();
    if (!below) {
      dialog.hidden = true;
      return;
    }
    dialog.dataset.kind = below.kind;
    dialog.dataset.text = below.text;
    dialog.dataset.serial = below.serial;
    byId('dlgCaption').textContent = below.caption;
    byId('dlgText').textContent = below.text;
    byId('dlgClose').dataset.reply = below.closeReply;
    body.style.cssText = below.style;
    body.append(...below.children);
  },
  // The engine asks for the reply as soon as it has made a dialog, before
  // the pupil can give one. The pupil may take long over it: other pages
  // keep their records meanwhile.
  async nextDialogReply() {
    const path = recordFile();
    const reply = new Promise((resolve) => { view.waiting = resolve; });
    const early = view.earlyReply;
    view.earlyReply = null;
    if (early && early.serial === openDialogSerial()) view.reply(early.value);
    await keepRecords(path);
    const value = await reply;
    await holdRecords(path);
    return value;
  },
  // A reply given while the engine is still on its way back to the same
  // dialog (the editor wakes it as the teacher starts typing) waits for it;
  // one for a dialog that has closed since is dropped.
  earlyReply: null,
  reply(value) {
    const waiting = view.waiting;
    view.waiting = null;
    if (waiting) waiting(value);
    else view.earlyReply = { value, serial: openDialogSerial() };
  },

  // After the records of the set there as they are stored: a chosen file
  // is never taken for records.
  async placeChosenFile(path, recordPath) {
    engine.FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
    await freshenRecords(recordPath).catch(refuseRecords);
    chosenFiles.add(path);
    engine.FS.writeFile(path, view.chosenBytes);
    Place.keepSet(view.chosenName, view.chosenBytes);
    view.chosenBytes = null;
  },

  endProgram() {
    ended = true;
    byId('ended').hidden = false;
  },
};

// Runs an engine entry point unless another is under way; its dialogs may
// make it wait for the pupil.
async function act(name, types, args) {
  if (!engine || ended || busy || !Worked.allows(name, args)) return 0;
  busy++;
  try {
    await holdRecords(recordFile());
    Classroom.beforeAction();
    return await engine.ccall(name, 'number', types, args, { async: true });
  } finally {
    await keepRecords(recordFile());
    Place.keep(engine);
    view.settleOpenedFile();
    Classroom.afterAction(engine);
    busy--;
  }
}

// Records of completed problems: the engine writes them in its files, and the
// browser's IndexedDB keeps each record file between visits. Every page of the
// site shares them, so the engine runs only while it holds the browser's lock
// on them, with its set's record file as stored just then; what it wrote is
// stored, and the storing finished, before the lock goes, and the lock goes
// while a dialog waits for the pupil. A browser that keeps nothing (a
// sandboxed frame, site data refused, no room left) is named once; the
// practice goes on, its records kept only while the page is open. The engine
// names the record files; it is not called while it waits for the pupil.
const RecordsLock = 'tavolini-records';
const Records = 'records'; // the store, its keys the record files' paths
const LeaseKey = 'lease'; // not a path
const LeaseMs = 3000;
const LeaseRetryMs = 5;
let records = null; // the database while the browser keeps the records
let releaseLock = null;
const storedTexts = new Map(); // each record file as this page last read or wrote it
const chosenFiles = new Set(); // never records, whatever the engine makes of them

// The result of an IndexedDB request, or the end of a transaction.
function finished(request) {
  return new Promise((resolve, reject) => {
    request.onsuccess = request.oncomplete = () => resolve(request.result);
    request.onerror = request.onabort = request.onblocked = () => reject(request.error);
  });
}

// Does `work` on the records in one transaction; done when it is.
function transact(mode, work) {
  const transaction = records.transaction(Records, mode);
  work(transaction.objectStore(Records));
  return finished(transaction);
}

async function openStorage() {
  try {
    const opening = indexedDB.open('tavolini', 1); // a sandboxed frame throws here already
    opening.onupgradeneeded = () => opening.result.createObjectStore(Records);
    records = await finished(opening);
    releaseLock = await takeLock();
    await moveOldRecords();
  } catch (refused) {
    refuseRecords();
  }
  await unlock();
}

function refuseRecords() {
  records = null;
  unlock();
  byId('notice').textContent = 'この端末では記録を残せません';
  byId('notice').hidden = false;
}

async function unlock() {
  const release = releaseLock;
  releaseLock = null;
  try {
    if (release) await release();
  } catch (refused) {
    // the lease is not ours to remove any more: it runs out
  }
}

// The site's lock in the browser; where the browser has none (an older one,
// a page not served over https), a lease kept with the records, taken in a
// transaction when it is free or has run out: one page at a time takes it.
function takeLock() {
  if (navigator.locks) {
    return new Promise((granted, failed) => {
      navigator.locks.request(RecordsLock, () => new Promise((release) => granted(release))).catch(failed);
    });
  }
  return takeLease();
}

async function takeLease() {
  const holder = Math.random();
  const leaseTransaction = (change) => transact('readwrite', (store) => {
    store.get(LeaseKey).onsuccess = (event) => change(store, event.target.result || {});
  });
  for (;;) {
    let taken = false;
    await leaseTransaction((store, lease) => {
      taken = !(lease.until > Date.now());
      if (taken) store.put({ holder, until: Date.now() + LeaseMs }, LeaseKey);
    });
    if (taken) return () => leaseTransaction((store, lease) => { if (lease.holder === holder) store.delete(LeaseKey); });
    await new Promise((resolve) => setTimeout(resolve, LeaseRetryMs * (1 + Math.random())));
  }
}

// The record file of the set in use, if any.
function recordFile() {
  const setPath = engine.problemSetPath();
  return setPath && engine.recordFileOf(setPath);
}

async function holdRecords(path) {
  if (!records) return;
  try {
    releaseLock = await takeLock();
    await freshenRecords(path);
  } catch (refused) {
    refuseRecords();
  }
}

// The record file in the engine's files as stored now: another page may
// have written it since.
async function freshenRecords(path) {
  if (!records || !path || chosenFiles.has(path)) return;
  const text = await finished(records.transaction(Records).objectStore(Records).get(path));
  storedTexts.set(path, text);
  if (text !== undefined) {
    engine.FS.mkdirTree(path.slice(0, path.lastIndexOf('/')) || '/');
    engine.FS.writeFile(path, Uint8Array.from(text, (c) => c.charCodeAt(0)));
  } else if (engine.FS.analyzePath(path).exists) {
    engine.FS.unlink(path);
  }
}

async function keepRecords(path) {
  if (!records || !releaseLock) return;
  try {
    if (path && !chosenFiles.has(path) && engine.FS.analyzePath(path).exists) {
      let text = '';
      for (const byte of engine.FS.readFile(path)) text += String.fromCharCode(byte);
      if (storedTexts.get(path) !== text) {
        await transact('readwrite', (store) => store.put(text, path));
        storedTexts.set(path, text);
      }
    }
  } catch (refused) {
    refuseRecords();
  }
  await unlock();
}

// Earlier pages kept the record files in window.localStorage: they move here
// once. The copies those pages kept of chosen files, directly under /sets,
// are dropped, and so is their lease.
async function moveOldRecords() {
  let old, keys, texts;
  try {
    old = window.localStorage;
    keys = Object.keys(old).filter((key) => key.startsWith(StoragePrefix));
    texts = keys.map((key) => [key.slice(StoragePrefix.length), old.getItem(key)]);
  } catch (blocked) {
    return;
  }
  await transact('readwrite', (store) => {
    for (const [path, text] of texts.filter(([path]) => path.startsWith('/') && !/^\/sets\/[^/]*$/.test(path))) {
      store.get(path).onsuccess = (event) => { if (event.target.result === undefined) store.put(text, path); };
    }
  });
  keys.forEach((key) => old.removeItem(key));
}

// Keys that the drill may use: the browser does nothing else with them.
function drillKey(event) {
  return event.key.length === 1 || ['Enter', 'Escape', 'Delete', 'Backspace', 'F1', 'F2'].includes(event.key);
}

function onKeyDown(event) {
  if (event.ctrlKey || event.altKey || event.metaKey || !byId('signIn').hidden) return;
  if (!byId('help').hidden) {
    if (event.key === 'Escape') byId('help').hidden = true;
    return;
  }
  if (!byId('dialog').hidden) {
    const buttons = byId('dialog').querySelectorAll('#dlgBody button[data-reply]');
    if (event.key === 'Escape') view.reply(Number(byId('dlgClose').dataset.reply));
    else if (event.key === 'Enter' && buttons.length) buttons[0].click();
    else return;
    event.preventDefault();
    return;
  }
  if (drillKey(event)) {
    event.preventDefault();
    const text = event.key.length === 1 ? event.key : '';
    act('tavolini_key', ['string', 'string', 'number'], [event.code, text, event.shiftKey ? 1 : 0]);
  }
}

function rowNumber(element) {
  const match = /^Image(\d+)$/.exec(element.id || '');
  return match && element.classList.contains('row') ? Number(match[1]) : 0;
}

function listen() {
  byId('pnlMain').addEventListener('click', (event) => {
    const button = event.target.closest('button');
    if (button) act('tavolini_click', ['string'], [button.id]);
  });
  byId('menuBar').addEventListener('click', (event) => {
    const entry = event.target.closest('.entries button');
    if (entry) act('tavolini_menu', ['string'], [entry.id]);
  });
  byId('helpClose').addEventListener('click', () => { byId('help').hidden = true; });
  byId('dialog').addEventListener('click', (event) => {
    const target = event.target.closest('[data-reply]');
    if (target && !target.disabled) view.reply(Number(target.dataset.reply));
  });
  document.addEventListener('keydown', onKeyDown);

  // The outline follows the mouse over the rows, at most once a frame.
  const sheet = byId('sheet');
  let hovered = null;
  sheet.addEventListener('pointermove', (event) => {
    if (event.pointerType !== 'mouse') return;
    if (hovered === null) requestAnimationFrame(() => {
      const n = hovered;
      hovered = null;
      if (n > 0) act('tavolini_row_hover', ['number'], [n]); else act('tavolini_rows_left', [], []);
    });
    hovered = rowNumber(event.target);
  });
  sheet.addEventListener('pointerup', (event) => {
    const n = rowNumber(event.target);
    if (n > 0) act('tavolini_row_click', ['number', 'number'], [n, event.button === 2 ? 1 : 0]);
    else if (event.target.id === 'edtPage2') act('tavolini_click', ['string'], ['BitBtn1']);
  });
  sheet.addEventListener('contextmenu', (event) => event.preventDefault());
}

// What the scenario driver reads.
window.tavolini = {
  // Nothing under way, or the engine waits for the pupil's answer to a dialog.
  idle: () => (started && busy === 0) || view.waiting !== null,
  ended: () => ended,
  startedAt: 0, // milliseconds from the navigation to the first problem drawn
  // A click on the control, finished when the engine is done with it.
  press: (id) => act('tavolini_click', ['string'], [id]),
  stateReport: () => engine.stateReport(),
  tableReport: () => engine.tableReport(),
  fileReport: (name) => engine.fileReport(name),
  // The window's close box, as the desktop's: the close question first.
  close: () => act('tavolini_close', [], []),
  setClock: (year, month, day, hour, minute) => engine.ccall('tavolini_set_clock', null,
    ['number', 'number', 'number', 'number', 'number'], [year, month, day, hour, minute]),
};

// The faces the engine draws with, loaded before it draws: a canvas draws in
// a fallback face while its own is still on the way. WebKit lists the faces of
// a style sheet only once something has used them, so they are also added from
// the sheet's rules, where the page may read them (from a folder Chromium
// refuses, but lists the faces at once).
async function loadFaces(sheet) {
  let rules = [];
  try {
    rules = [...sheet.cssRules].filter((rule) => rule instanceof CSSFontFaceRule);
  } catch (unreadable) {
    // the faces listed are loaded below
  }
  const added = rules.map(({ style }) => {
    const face = new FontFace(style.getPropertyValue('font-family').replace(/"/g, ''), style.getPropertyValue('src'),
      { style: style.getPropertyValue('font-style'), weight: style.getPropertyValue('font-weight') });
    document.fonts.add(face);
    return face.load().catch(() => {}); // a face that does not come is drawn in a fallback
  });
  await Promise.all(added.concat(['italic 16px "TeX Gyre Bonum"', '16px "IPAPGothic"', '16px "IPAGothic"',
    'bold 16px "IPAGothic"', 'bold 16px "BIZ UDGothic"'].map((font) => document.fonts.load(font))));
}

async function startTavolini() {
  const scenario = window.tavoliniScenario; // set by the driver before the page loads: nothing is kept
  try {
    // The engine compiles and the fonts load while the pupil signs in to the
    // class server, if the page came from one; then the storage opens and the
    // place is read: the pupil's own, when signed in. The teacher's worked
    // view signs nobody in and opens no storage.
    const made = createTavolini({ view });
    const faces = byId('fontFaces'); // asked for as print-only, so as not to hold up the first paint
    const styled = faces.sheet ? null : new Promise((done) => ['load', 'error'].forEach((end) => faces.addEventListener(end, done)));
    const worked = await Worked.loading;
    if (worked && worked.message) return Worked.refuse(worked.message);
    const signedIn = !worked && await Classroom.start();
    const handed = signedIn && Classroom.handedSet();
    const stored = scenario || signedIn || worked ? null : openStorage();
    if (!scenario && !worked) Place.read(Classroom.placeKey());
    await styled;
    faces.media = 'all';
    await loadFaces(faces.sheet);
    engine = await made;
    const FS = engine.FS;
    if (scenario) {
      folder = scenario.folder;
      FS.mkdirTree(folder);
      for (const [name, bytes] of Object.entries(scenario.files)) FS.writeFile(folder + '/' + name, Uint8Array.from(atob(bytes), (c) => c.charCodeAt(0)));
    } else {
      FS.mkdirTree(folder);
      FS.writeFile(folder + '/ZUdir.sim', FS.readFile('/shipped/ZUdir.sim'));
      await stored;
    }
    FS.chdir(folder);
    listen();
    busy++;
    try {
      await holdRecords(engine.recordFileOf(folder + '/ZUdir.sim'));
      await engine.ccall('tavolini_start', 'number', ['string', 'number'], ['ZUdir.sim', window.innerWidth], { async: true });
      const call = (name, types, args) => engine.ccall(name, 'number', types, args, { async: true });
      if (worked) await Worked.show(engine, call, worked);
      else if (!scenario) await Place.resume(engine, call, await handed);
    } finally {
      await keepRecords(recordFile());
      Classroom.afterAction(engine);
      busy--;
    }
  } finally {
    byId('loading').remove();
    started = true;
    window.tavolini.startedAt = performance.now();
  }
}
