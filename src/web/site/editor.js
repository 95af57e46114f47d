// 問題の編集: the engine sleeps while the teacher types. The first change
// after the editor opened or showed a check wakes it once (the reply the
// engine gave the text), so that it empties the results. Enter in the text
// starts a line; it presses no button of the dialog.
'use strict';

(() => {
  const dialog = byId('dialog');
  dialog.addEventListener('input', (event) => {
    const text = event.target;
    if (text.id !== 'memQues' || text.dataset.changed !== '0') return;
    text.dataset.changed = '1';
    view.reply(Number(text.dataset.changeReply));
  });
  dialog.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && dialog.dataset.kind === 'editor') event.stopPropagation();
  });
})();
