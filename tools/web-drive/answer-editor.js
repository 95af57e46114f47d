// 問題の編集 (kind "editor"), answered as tavolini-drive answers its editor:
// "text FILE" types the lines of the practice folder's FILE into the text as
// the engine reads them, "check" presses エラーチェック and prints the results
// once the messages on the way are answered, OK and Cancel press theirs.
'use strict';

const fs = require('fs');

async function typeFile(driver, file) {
  if (!fs.existsSync(file)) throw new Error('cannot read ' + file);
  await driver.page.evaluate((name) => {
    // The engine waits for the editor: ccall and embind would wait with it,
    // the export itself answers at once.
    const bytes = new TextEncoder().encode(name + '\0');
    const path = engine._malloc(bytes.length);
    engine.HEAPU8.set(bytes, path);
    const at = engine._tavolini_editor_text(path);
    engine._free(path);
    const text = document.getElementById('memQues');
    text.value = new TextDecoder().decode(engine.HEAPU8.subarray(at, engine.HEAPU8.indexOf(0, at)));
    text.dispatchEvent(new Event('input', { bubbles: true }));
  }, file);
  await driver.page.waitFor(() => window.tavolini.idle(), 2);
}

async function printResults(driver) {
  const { units, result, unit, list } = await driver.page.evaluate(() => {
    const value = (id) => document.getElementById(id).value;
    return { units: value('edtTangen'), result: value('edtResult'), unit: value('edtErTangen'),
      list: [...document.getElementById('lstErQues').children].map((line) => line.textContent) };
  });
  driver.say(`editor: units=${units} result=${result} unit=${unit}`);
  for (const line of list) driver.say('editor-list: ' + line);
}

module.exports = {
  editor: async (driver, dialog) => {
    if (dialog.fresh) driver.say('dialog: ' + dialog.caption);
    if (driver.editorChecked) {
      driver.editorChecked = false;
      await printResults(driver);
    }
    const action = driver.takeReply('the editor');
    driver.say('editor: ' + action);
    if (action.startsWith('text ')) return typeFile(driver, action.slice(5));
    if (action === 'check') {
      driver.editorChecked = true;
      return driver.reply('#btnCompile', 'the editor has no エラーチェック');
    }
    if (action === 'OK') return driver.reply('#btnOk', 'the editor has no OK');
    if (action === 'Cancel') return driver.reply('#btnCancel', 'the editor has no ｷｬﾝｾﾙ');
    throw new Error('the editor has no action ' + action);
  },
};
