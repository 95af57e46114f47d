// The page for the keyboard alone and for a screen reader: Enter and Space
// press the control that has the focus (a button, a row, a unit in a list,
// which the arrow keys go through), as a click does; elsewhere the keys are the drill's, and the drill moves the
// focus to 実行 after every entry, so Enter there executes as it always has.
// A dialog or the help takes the focus while it is open and gives it back;
// Escape closes the help, in its frame too. The rows carry the text the
// engine gives them (view.describeRow), and what it announces is read out.
'use strict';

(() => {
  const announcer = byId('columns').appendChild(document.createElement('div'));
  announcer.id = 'announcer';
  announcer.className = 'unseen';
  announcer.setAttribute('aria-live', 'polite');

  view.announce = (text) => {
    announcer.appendChild(document.createElement('p')).textContent = text;
    while (announcer.childElementCount > 4) announcer.firstChild.remove();
  };

  // A row with an equation is a control that chooses it; one with other text an image.
  view.describeRow = (id, text, choosable) => {
    const row = byId(id);
    if (!row) return;
    if (text) {
      row.setAttribute('role', choosable ? 'button' : 'img');
      row.setAttribute('aria-label', text);
    } else {
      row.removeAttribute('role');
      row.removeAttribute('aria-label');
    }
    if (choosable) row.tabIndex = 0; else row.removeAttribute('tabindex');
  };

  const dialog = byId('dialog');
  const help = byId('help');
  let before = null; // the control that had the focus before a dialog or the help

  // While a dialog or the help is open nothing behind it can be reached.
  function settle() {
    const open = !dialog.hidden || !help.hidden;
    byId('frmMain').inert = open;
    if (open && !before) before = document.activeElement;
    if (open) {
      const box = dialog.hidden ? help : dialog;
      if (!box.contains(document.activeElement)) {
        const first = box.querySelector('#dlgBody input, #dlgBody button:enabled, #dlgBody [tabindex="0"]');
        (first || box.querySelector('.title button')).focus();
      }
    } else if (before) {
      const back = before;
      before = null;
      if (back.isConnected) back.focus();
    }
  }

  // The engine makes a dialog's controls after it opens it and before it waits.
  for (const name of ['closeDialog', 'nextDialogReply', 'showHelp']) {
    const made = view[name];
    view[name] = function (...args) {
      const result = made.apply(view, args);
      settle();
      return result;
    };
  }
  new MutationObserver(settle).observe(help, { attributes: true, attributeFilter: ['hidden'] });

  window.addEventListener('message', (event) => {
    if (event.data === 'tavolini:close-help' && event.source === byId('helpFrame').contentWindow) help.hidden = true;
  });

  function press(target, rightButton) {
    const n = rowNumber(target);
    if (n > 0) act('tavolini_row_click', ['number', 'number'], [n, rightButton ? 1 : 0]);
    else target.click();
  }

  window.addEventListener('keydown', (event) => {
    const target = event.target;
    if (event.ctrlKey || event.altKey || event.metaKey || !(target instanceof Element)) return;
    const row = rowNumber(target) > 0;
    if (target.matches('[role="option"]') && (event.key === 'ArrowDown' || event.key === 'ArrowUp')) {
      const next = event.key === 'ArrowDown' ? target.nextElementSibling : target.previousElementSibling;
      if (next) next.focus();
      event.preventDefault();
      return;
    }
    const mark = row && (event.key === 'ContextMenu' || (event.shiftKey && event.key === 'F10'));
    if (!mark && event.key !== 'Enter' && event.key !== ' ') return;
    if (target.matches('input[type="file"]')) {
      event.stopImmediatePropagation(); // the browser's own, not the dialog's Enter
      return;
    }
    if (!mark && !row && !target.matches('button:enabled, [role="option"]')) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    press(target, mark);
  }, true);
})();
