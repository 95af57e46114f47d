// The open and save dialogs, answered as tavolini-drive answers them: a file
// of the practice folder by its name, or Cancel.
'use strict';

async function answerFile(driver, { kind }) {
  const reply = driver.takeReply('the ' + kind + ' dialog');
  driver.say('dialog: ' + kind + ' -> ' + reply);
  if (reply === 'Cancel') return driver.reply('#dlgCancel', 'the ' + kind + ' dialog has no Cancel');
  await driver.page.evaluate((name) => { document.getElementById('edtFileName').value = name; }, reply);
  return driver.reply('#btnAccept', 'the ' + kind + ' dialog takes no name');
}

module.exports = { open: answerFile, save: answerFile };
