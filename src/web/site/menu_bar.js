// The menu bar as a desktop program's: a menu opens with the mouse, with Alt
// and the letter its caption underlines, or with F10 and the arrow keys;
// Enter, Space or an entry's underlined letter chooses, Escape closes. The
// engine makes the entries (view.addMenuEntry); a choice is a click on the
// entry, which page.js hands to the engine.
'use strict';

(() => {
  const bar = document.createElement('div');
  bar.id = 'menus';
  bar.setAttribute('role', 'menubar');
  bar.setAttribute('aria-label', 'メニュー');
  byId('menuBar').prepend(bar);

  let before = null; // the control that had the focus before the menus

  // "開く(", "O", ")": the caption with its access key underlined.
  function labelled(element, caption) {
    element.dataset.key = caption.key.toUpperCase();
    const text = element.appendChild(document.createElement('span'));
    text.append(caption.before);
    text.appendChild(document.createElement('u')).textContent = caption.key;
    text.append(caption.after);
  }

  function button(id, role) {
    const element = document.createElement('button');
    element.id = id;
    element.tabIndex = -1;
    element.setAttribute('role', role);
    return element;
  }

  view.addMenuEntry = (menuName, menuCaption, id, caption, shortcut) => {
    let title = byId(menuName);
    if (!title) {
      const menu = bar.appendChild(document.createElement('div'));
      menu.className = 'menu';
      menu.setAttribute('role', 'none');
      title = menu.appendChild(button(menuName, 'menuitem'));
      labelled(title, menuCaption);
      title.setAttribute('aria-haspopup', 'menu');
      title.setAttribute('aria-expanded', 'false');
      title.setAttribute('aria-keyshortcuts', 'Alt+' + title.dataset.key);
      title.tabIndex = bar.children.length === 1 ? 0 : -1; // the bar is one stop of Tab
      const entries = menu.appendChild(document.createElement('div'));
      entries.className = 'entries';
      entries.setAttribute('role', 'menu');
      entries.setAttribute('aria-labelledby', menuName);
    }
    const entry = title.nextSibling.appendChild(button(id, 'menuitem'));
    labelled(entry, caption);
    if (shortcut) {
      entry.setAttribute('aria-keyshortcuts', shortcut);
      entry.appendChild(document.createElement('span')).textContent = shortcut;
    }
  };

  const titles = () => [...bar.querySelectorAll('[aria-haspopup]')];
  const entriesOf = (title) => [...title.nextSibling.querySelectorAll('button')].filter((entry) => !entry.disabled);
  const openTitle = () => titles().find((title) => title.getAttribute('aria-expanded') === 'true');
  const titleOf = (element) => element.closest('.menu').firstChild;

  function closeMenus() {
    for (const title of titles()) {
      title.setAttribute('aria-expanded', 'false');
      title.parentNode.classList.remove('open');
    }
  }

  function enter(title) {
    if (!bar.contains(document.activeElement)) before = document.activeElement;
    for (const other of titles()) other.tabIndex = other === title ? 0 : -1;
    title.focus();
  }

  // Opens the menu of `title` with the focus on its first (or last) entry.
  function open(title, last = false) {
    closeMenus();
    enter(title);
    title.setAttribute('aria-expanded', 'true');
    title.parentNode.classList.add('open');
    const entries = entriesOf(title);
    if (entries.length) entries[last ? entries.length - 1 : 0].focus();
  }

  // Out of the menus, back to the control the pupil was at.
  function leave() {
    closeMenus();
    const back = before;
    before = null;
    if (back && back.isConnected && back !== document.body) back.focus();
    else document.activeElement.blur();
  }

  function choose(entry) {
    leave();
    entry.click();
  }

  const step = (list, item, by) => list[(list.indexOf(item) + by + list.length) % list.length];

  // A key while the focus is in the bar; true when it was the menus'.
  function menuKey(event, focused) {
    const inEntries = focused.getAttribute('aria-haspopup') === null;
    const title = inEntries ? titleOf(focused) : focused;
    const letter = /^Key([A-Z])$/.exec(event.code);
    switch (event.key) {
    case 'ArrowLeft':
    case 'ArrowRight': {
      const next = step(titles(), title, event.key === 'ArrowLeft' ? -1 : 1);
      if (openTitle()) open(next); else enter(next);
      return true;
    }
    case 'ArrowDown':
    case 'ArrowUp':
      if (inEntries) step(entriesOf(title), focused, event.key === 'ArrowUp' ? -1 : 1).focus();
      else open(title, event.key === 'ArrowUp');
      return true;
    case 'Home':
    case 'End': {
      const list = inEntries ? entriesOf(title) : titles();
      list[event.key === 'Home' ? 0 : list.length - 1].focus();
      return true;
    }
    case 'Enter':
    case ' ':
      if (inEntries) choose(focused); else open(title);
      return true;
    case 'Escape':
      if (inEntries) { closeMenus(); title.focus(); } else leave();
      return true;
    case 'Tab':
      leave();
      return true;
    }
    if (!letter || event.ctrlKey || event.metaKey) return false;
    const list = inEntries ? entriesOf(title) : titles();
    const found = list.find((item) => item.dataset.key === letter[1]);
    if (found && inEntries) choose(found);
    else if (found) open(found);
    return true; // letters do not reach the drill from the menus
  }

  // Seen before the drill's keys: Alt and a letter, F10, and every key in the menus.
  window.addEventListener('keydown', (event) => {
    if (!byId('dialog').hidden || !byId('help').hidden) return;
    const letter = /^Key([A-Z])$/.exec(event.code);
    let used = false;
    if (event.altKey && !event.ctrlKey && !event.metaKey && letter) {
      const title = titles().find((item) => item.dataset.key === letter[1]);
      if (title) open(title);
      used = Boolean(title);
    } else if (event.key === 'F10' && !event.shiftKey && !event.altKey && !event.ctrlKey) {
      if (bar.contains(document.activeElement)) leave(); else enter(titles()[0]);
      used = true;
    } else if (bar.contains(document.activeElement) && !event.altKey) {
      used = menuKey(event, document.activeElement);
    }
    if (!used) return;
    event.preventDefault();
    event.stopImmediatePropagation();
  }, true);

  bar.addEventListener('click', (event) => {
    const title = event.target.closest('[aria-haspopup]');
    if (!title) return;
    if (title.getAttribute('aria-expanded') === 'true') leave(); else open(title);
  });
  // The mouse chose elsewhere.
  bar.addEventListener('focusout', (event) => {
    if (!bar.contains(event.relatedTarget)) closeMenus();
  });
})();
