// The page on every screen: the engine lays the window out for the screen's
// size and pointer, and again when the window is resized or the screen
// turned, at most once a frame; an open dialog stays open meanwhile. On a
// touch screen a long press on a row marks it, as the right button does.
'use strict';

const coarsePointer = window.matchMedia('(pointer: coarse)');

view.viewport = () => ({ width: window.innerWidth, height: window.innerHeight, coarse: coarsePointer.matches });

let relayoutFrame = 0;
function relayoutSoon() {
  if (relayoutFrame) return;
  relayoutFrame = requestAnimationFrame(() => {
    relayoutFrame = 0;
    if (!engine || ended) return;
    const { width, height, coarse } = view.viewport();
    // Not through act(): the engine lays out without a rule of the drill, also while a dialog waits.
    engine._tavolini_relayout(width, height, coarse ? 1 : 0);
  });
}
window.addEventListener('resize', relayoutSoon);
window.addEventListener('orientationchange', relayoutSoon);
coarsePointer.addEventListener('change', relayoutSoon);

const LongPressMs = 500;
const LongPressSlop = 10; // pixels a finger may wander
(() => {
  const sheet = byId('sheet');
  let press = null; // { timer, x, y, done }
  const cancel = () => {
    if (press) clearTimeout(press.timer);
    press = null;
  };
  sheet.addEventListener('pointerdown', (event) => {
    cancel();
    const n = rowNumber(event.target);
    if (n <= 0 || event.button !== 0) return;
    const started = { x: event.clientX, y: event.clientY, done: false };
    started.timer = setTimeout(() => {
      started.done = true;
      act('tavolini_row_click', ['number', 'number'], [n, 1]);
    }, LongPressMs);
    press = started;
  });
  sheet.addEventListener('pointermove', (event) => {
    if (press && !press.done && Math.hypot(event.clientX - press.x, event.clientY - press.y) > LongPressSlop) cancel();
  });
  sheet.addEventListener('pointercancel', cancel);
  // The release that ends a long press chooses nothing.
  sheet.addEventListener('pointerup', (event) => {
    if (press && press.done) event.stopImmediatePropagation();
    cancel();
  }, true);
})();
