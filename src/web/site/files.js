// The pupil's own files: 開く chooses a set on the device, 保存する names
// the file the engine's saved set is handed on to, and leaving the page
// with edits not saved asks first. Where the browser can write the device's
// files (showSaveFilePicker), a set opened or last saved through one of them
// is saved in place under the same name; elsewhere the set is downloaded.
// The scenario driver's pages name the practice folder's files instead.
'use strict';

(() => {
  const inFolder = () => Boolean(window.tavoliniScenario);
  const handles = new Map(); // the device's files by the names the sets have among the engine's
  let opening = null; // the file chosen with 開く, kept (or its name's old handle dropped) once the set opened
  let saving = null; // the device's file the set being saved goes to, if one was chosen
  const ownName = (name) => name.replace(/[/\\]/g, '_'); // a name, never a folder among the engine's files

  // A dialog with a name field; `choose` turns the name into the one chosen,
  // or null when the pupil refused.
  function nameDialog(kind, caption, preset, accept, choose) {
    const tall = matchMedia('(pointer: coarse)').matches ? 44 : 28; // buttons for a finger on a touch screen
    view.openDialog(kind, caption, '', 0, 300, 50 + tall);
    const label = view.add('dlgBody', 'label', 'lblFileName', 8, 8, 72, 28, 'ファイル名');
    label.htmlFor = 'edtFileName';
    label.style.lineHeight = '28px';
    const field = view.add('dlgBody', 'input', 'edtFileName', 80, 8, 212, 28, '');
    field.value = preset;
    field.style.fontSize = '16px'; // no smaller, or a phone zooms in on it
    const button = view.add('dlgBody', 'button', 'btnAccept', 116, 44, 88, tall, accept);
    button.dataset.reply = 1;
    view.add('dlgBody', 'button', 'dlgCancel', 212, 44, 80, tall, 'キャンセル').dataset.reply = 0;
    // The click (or Enter, which clicks it) lets the browser show its own dialog.
    button.addEventListener('click', async (event) => {
      event.stopPropagation();
      const name = inFolder() ? field.value : ownName(field.value);
      if (!name || button.disabled) return;
      const serial = byId('dialog').dataset.serial;
      button.disabled = true;
      const chosen = await choose(name);
      button.disabled = false;
      if (byId('dialog').dataset.serial !== serial) return; // cancelled meanwhile
      view.chosenName = chosen || '';
      view.reply(chosen ? 1 : 0);
    });
  }

  // The device's file for the set, asked for while the click lets the browser ask the pupil.
  async function pickToSave(name, preset) {
    saving = null;
    if (inFolder() || !window.showSaveFilePicker) return name;
    try {
      const kept = name === preset && handles.get(name);
      if (kept && (await kept.requestPermission({ mode: 'readwrite' })) !== 'granted') return null;
      saving = kept || await window.showSaveFilePicker({ suggestedName: name });
      return saving.name;
    } catch (refused) {
      return null;
    }
  }

  function download(name, bytes) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // The chosen file as <input type=file> gives it, or through the browser's
  // picker where there is one, so that it can be saved in place.
  async function takeFile(file, handle) {
    view.chosenBytes = new Uint8Array(await file.arrayBuffer());
    view.chosenName = ownName(file.name);
    opening = { name: view.chosenName, handle };
    view.reply(1);
  }

  Object.assign(view, {
    openFileDialog(preset) {
      if (inFolder()) return nameDialog('open', '開く', preset, '開く', (name) => name);
      view.openDialog('open', '開く', '問題ファイル（.sim）を選んでください', 0, 300, 40);
      const input = view.add('dlgBody', 'input', 'setFile', 8, 8, 200, 24, '');
      input.type = 'file';
      input.accept = '.sim';
      input.addEventListener('change', () => input.files[0] && takeFile(input.files[0], null));
      input.addEventListener('click', async (event) => {
        if (!window.showOpenFilePicker) return;
        event.preventDefault();
        try {
          const [handle] = await window.showOpenFilePicker();
          await takeFile(await handle.getFile(), handle);
        } catch (refused) {
          // the dialog stays open
        }
      });
      view.add('dlgBody', 'button', 'dlgCancel', 212, 6, 80, 28, 'キャンセル').dataset.reply = 0;
    },

    // After each of the pupil's actions: a set that did not open keeps the
    // set in use's file, so that saving it never writes over the one refused.
    settleOpenedFile() {
      if (!opening) return;
      const { name, handle } = opening;
      opening = null;
      if (!engine.setReadFrom(engine.chosenSetPath(name))) return;
      if (handle) handles.set(name, handle); else handles.delete(name);
    },

    saveFileDialog(preset) {
      nameDialog('save', '名前を付けて保存', preset, '保存', (name) => pickToSave(name, preset));
    },

    // The engine has saved the set at `path` under the name chosen: 1 when it
    // reached the device too. It is kept like a set chosen with 開く.
    async deliverSavedFile(path) {
      const bytes = engine.FS.readFile(path);
      const name = view.chosenName;
      try {
        if (saving) {
          const writable = await saving.createWritable();
          await writable.write(bytes);
          await writable.close();
          handles.set(name, saving);
        } else {
          download(name, bytes);
        }
      } catch (failed) {
        return 0;
      } finally {
        saving = null;
      }
      chosenFiles.add(path);
      Place.keepSet(name, bytes);
      return 1;
    },
  });

  addEventListener('beforeunload', (event) => {
    if (!engine || ended || !engine.unsavedEdits()) return;
    event.preventDefault();
    event.returnValue = '';
  });
})();
