// 問題の編集: the engine sleeps while the teacher types. The first change
// after the editor opened or showed a check wakes it once (the reply the
// engine gave the text), so that it empties the results. Enter in the text
// starts a line, and keys that an input method is converting (Escape
// undoing a conversion) stay the input method's: they press no button.
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
    if (dialog.dataset.kind === 'editor' && (event.key === 'Enter' || event.isComposing)) event.stopPropagation();
  });
})();
