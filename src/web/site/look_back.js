// The lists of 練習の記録, its deletion dialog and スタックの中身: the engine
// gives the lines and says which one is chosen.
'use strict';

// From `firstReply` on (not below 0) each line is an item the pupil chooses
// with the mouse, or with the arrow keys and Enter.
view.fillList = (id, text, firstReply) => {
  const list = byId(id);
  const focused = list.contains(document.activeElement);
  list.textContent = '';
  list.setAttribute('role', firstReply < 0 ? 'list' : 'listbox');
  list.tabIndex = firstReply < 0 ? 0 : -1;
  (text ? text.split('\n') : []).forEach((line, i) => {
    const item = list.appendChild(document.createElement('div'));
    item.textContent = line;
    item.setAttribute('role', firstReply < 0 ? 'listitem' : 'option');
    if (firstReply >= 0) {
      item.tabIndex = 0;
      item.dataset.reply = firstReply + i;
    }
  });
  if (focused) (list.querySelector('[tabindex="0"]') || list).focus();
};

view.chooseItem = (id, index) => {
  [...byId(id).children].forEach((item, i) => {
    item.classList.toggle('selected', i === index);
    item.setAttribute('aria-selected', i === index);
  });
};
