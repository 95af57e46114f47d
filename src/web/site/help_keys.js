// The help pages in the web edition stand in a frame over the drill: Escape
// closes the help from inside the frame as well. (The desktop's help viewer
// runs no scripts.)
'use strict';
document.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && window.parent !== window) window.parent.postMessage('tavolini:close-help', '*');
});
