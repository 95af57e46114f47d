// The print dialog (frmPrintS), answered as tavolini-drive answers it:
// "margin N" and "size N" set the number boxes and print the preview,
// "start" (印刷開始) and "all" (全画面印刷) print, "close" closes it. The
// browser's print dialog does not open: the page tells the driver it would
// print, and the next reply names the PDF to print into (Cancel for none),
// as the desktop's save dialog is answered. Only Chromium writes the PDF.
'use strict';

const path = require('path');

const engine = process.env.TAVOLINI_BROWSER || 'chromium';
const idle = (driver) => driver.page.waitFor(() => window.tavolini.idle(), 2);
const printed = (driver) => driver.page.evaluate(() => window.tavoliniPrinted);

async function setNumber(driver, id, value) {
  await driver.page.evaluate((id, value) => {
    const box = document.getElementById(id);
    box.value = value;
    box.dispatchEvent(new Event('input', { bubbles: true }));
  }, id, value);
  await idle(driver);
  const preview = await driver.page.evaluate(() => {
    const sample = document.getElementById('edtSample');
    return { text: sample.textContent, points: sample.dataset.points };
  });
  driver.say(`print: preview="${preview.text}" points=${preview.points}`);
}

async function print(driver, button, caption) {
  const before = await printed(driver);
  await driver.reply(button, 'the print dialog has no ' + caption);
  if ((await printed(driver)) === before) return;
  const file = driver.takeReply('the save dialog');
  driver.say('dialog: save -> ' + file);
  if (file !== 'Cancel' && engine === 'chromium') {
    await driver.page.page.pdf({ path: path.resolve(file), format: 'A4', printBackground: true });
  }
}

module.exports = {
  async print(driver, dialog) {
    if (dialog.fresh) {
      driver.say('dialog: ' + dialog.caption);
      await driver.page.evaluate(() => {
        window.tavoliniPrinted = 0;
        window.tavoliniPrint = () => { window.tavoliniPrinted++; };
      });
    }
    const action = driver.takeReply('the print dialog');
    const setting = /^(margin|size) (.*)$/.exec(action);
    // The number read as tavolini-drive reads it (atoi): its leading digits, else 0.
    if (setting) return setNumber(driver, setting[1] === 'margin' ? 'updLMargin' : 'updSize', String(parseInt(setting[2], 10) || 0));
    if (action === 'start') return print(driver, '#btnStart', '印刷開始');
    if (action === 'all') return print(driver, '#btnPrintAll', '全画面印刷');
    if (action === 'close') return driver.reply('#btnCancel', 'the print dialog has no 閉じる');
    throw new Error('the print dialog has no action ' + action);
  },
};
