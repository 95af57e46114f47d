// Where the pupil was: the set, the unit, the problem and the problem's
// steps, kept in the browser after every action and come back to on the next
// visit, with each set chosen with 開く kept under its own name. The engine
// says where the pupil is and does the steps again without a dialog; where
// the browser keeps nothing the drill simply starts afresh, saying nothing.
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
    keepSet(name, bytes) {
      request('readwrite', (store) => store.put(bytes, prefix + 'set:' + name));
    },
    // Back to the place read, through `call` (an engine entry point, its
    // argument types and arguments; it answers the entry point's number).
    async resume(engine, call) {
      const place = await kept;
      if (!place || typeof place !== 'object') return;
      if (place.set) {
        const name = String(place.set).replace(/[/\\]/g, '_');
        const bytes = await request('readonly', (store) => store.get(prefix + 'set:' + name));
        if (!(bytes instanceof Uint8Array)) return;
        const path = engine.chosenSetPath(name);
        engine.FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
        engine.FS.writeFile(path, bytes);
        chosenFiles.add(path);
        await freshenRecords(engine.recordFileOf(path));
        if (!await call('tavolini_open_chosen', ['string'], [path])) return;
      }
      await call('tavolini_resume', ['number', 'number', 'string'], [place.unit | 0, place.problem | 0, String(place.steps)]);
    },
  };
})();
