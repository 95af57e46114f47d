// 練習の記録, its deletion dialog and スタックの中身, printed as tavolini-drive
// prints them. The viewer takes "delete" and "close"; the deletion dialog
// "erase N" (the Nth unit chosen, none for 0, then 消去) and "close"; the stack
// view, which the desktop shows without waiting, is printed and closed.
'use strict';

// The lines of the list `id` of the open dialog of `kind`; none while a
// message box covers it.
const listLines = (driver, kind, id) => driver.page.evaluate((kind, id) => {
  const list = document.querySelector(`#dialog[data-kind="${kind}"] #${id}`);
  return list ? [...list.children].map((item) => item.textContent) : null;
}, kind, id);

async function printList(driver, kind, id, prefix) {
  for (const line of await listLines(driver, kind, id)) driver.say(prefix + line);
}

let erased = false; // by the deletion dialog over the viewer

module.exports = {
  async records(driver, dialog) {
    if (dialog.fresh) {
      driver.say('dialog: ' + dialog.caption);
      await printList(driver, 'records', 'lstTitle', 'record: ');
    } else if (erased) {
      await printList(driver, 'records', 'lstTitle', 'record: ');
    }
    erased = false;
    const action = driver.takeReply('the record viewer');
    const buttons = { delete: '#btnDelete', close: '#btnClose' };
    return driver.reply(buttons[action] || '#none', 'the record viewer has no action ' + action);
  },

  async delete(driver, dialog) {
    if (dialog.fresh) {
      driver.say('dialog: ' + dialog.caption);
      await printList(driver, 'delete', 'lstTitle', 'delete-list: ');
    }
    const action = driver.takeReply('the deletion dialog');
    if (action === 'close') return driver.reply('#btnClose', 'the deletion dialog has no 閉じる');
    const line = /^erase (\d+)$/.exec(action);
    if (!line) return driver.reply('#none', 'the deletion dialog has no action ' + action);
    const listed = (await listLines(driver, 'delete', 'lstTitle')).length;
    const item = `#lstTitle > :nth-child(${line[1]})`;
    if (Number(line[1]) > 0 && Number(line[1]) <= listed) await driver.reply(item, 'no unit ' + line[1]);
    await driver.reply('#btnDeleteOne', 'the deletion dialog has no 消去');
    const left = await listLines(driver, 'delete', 'lstTitle');
    if (left && left.length < listed) erased = true;
  },

  async stack(driver, dialog) {
    driver.say('dialog: ' + dialog.caption);
    await printList(driver, 'stack', 'lstDump', 'stack: ');
    return driver.reply('#btnClose', 'the stack view has no 閉じる');
  },
};
