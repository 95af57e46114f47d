// Where the pupil was: the set, the unit, the problem and the problem's
// steps, kept in the browser after every action and come back to on the next
// visit, with each set chosen with 開く (or handed out by the teacher) kept
// under its own name. The engine says where the pupil is and does the steps
// again without a dialog; where the browser keeps nothing the drill simply
// starts afresh, saying nothing.
'use strict';

const Place = (() => {
  const Store = 'kept';
  let database = null; // a promise of the database, or of null where the browser keeps nothing

  function open() {
    database = new Promise((resolve) => {
      try {
        const opening = indexedDB.open('tavolini-place', 1);
        opening.onupgradeneeded = () => opening.result.createObjectStore(Store);
        opening.onsuccess = () => resolve(opening.result);
        opening.onerror = opening.onblocked = () => resolve(null);
      } catch (refused) {
        resolve(null);
      }
    });
  }

  // The result of one request in its own transaction, once that is done;
  // nothing when the browser refuses it.
  async function request(mode, work) {
    const kept = database && await database;
    if (!kept) return undefined;
    return new Promise((resolve) => {
      try {
        const transaction = kept.transaction(Store, mode);
        const asked = work(transaction.objectStore(Store));
        transaction.oncomplete = () => resolve(asked.result);
        transaction.onerror = transaction.onabort = () => resolve(undefined);
      } catch (refused) {
        resolve(undefined);
      }
    });
  }

  let kept = null; // the place as read at the start
  let prefix = ''; // the signed-in pupil's keys begin with their key; nobody's with nothing

  const ownName = (name) => String(name).replace(/[/\\]/g, '_');
  const sameBytes = (stored, given) => stored instanceof Uint8Array && stored.length === given.length && stored.every((byte, i) => byte === given[i]);

  function keepSet(name, bytes) {
    request('readwrite', (store) => store.put(bytes, prefix + 'set:' + name));
  }

  // A set chosen earlier or handed out, put back among the engine's files and
  // opened as 開く opens it: true when it is the set in use.
  async function openSet(engine, call, name, bytes) {
    const path = engine.chosenSetPath(name);
    engine.FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
    engine.FS.writeFile(path, bytes);
    chosenFiles.add(path);
    await freshenRecords(engine.recordFileOf(path));
    return call('tavolini_open_chosen', ['string'], [path]);
  }

  return {
    // The place kept, read from the start of the page on: the pupil's when
    // `pupilKey` names one.
    read(pupilKey) {
      prefix = pupilKey ? 'pupil:' + pupilKey + ':' : '';
      open();
      kept = request('readonly', (store) => store.get(prefix + 'place'));
    },
    // The signed-in pupil's place and sets are gone from the device.
    forget() {
      return prefix && request('readwrite', (store) => store.delete(IDBKeyRange.bound(prefix, prefix + '\uffff')));
    },
    // After every action of the pupil; nothing before resume has opened the storage.
    keep(engine) {
      if (!database) return;
      const place = { set: engine.chosenSetName(), unit: engine.currentUnit(), problem: engine.currentProblem(),
        steps: engine.stepLog() };
      request('readwrite', (store) => store.put(place, prefix + 'place'));
    },
    keepSet,
    // Back to the place read, through `call` (an engine entry point, its
    // argument types and arguments; it answers the entry point's number). A
    // set the teacher handed out, { name, bytes }, is opened at its start
    // instead, unless the place is on it already.
    async resume(engine, call, handed) {
      const read = await kept;
      const place = read && typeof read === 'object' ? read : null;
      const name = place && place.set ? ownName(place.set) : '';
      const bytes = name && await request('readonly', (store) => store.get(prefix + 'set:' + name));
      if (handed && !(name === ownName(handed.name) && sameBytes(bytes, handed.bytes))) {
        keepSet(ownName(handed.name), handed.bytes);
        await openSet(engine, call, ownName(handed.name), handed.bytes);
        return;
      }
      if (!place || (name && !(bytes instanceof Uint8Array && await openSet(engine, call, name, bytes)))) return;
      await call('tavolini_resume', ['number', 'number', 'string'], [place.unit | 0, place.problem | 0, String(place.steps)]);
    },
  };
})();
