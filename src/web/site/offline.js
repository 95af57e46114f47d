// Over http the site registers its service worker, which keeps it for use
// offline. From a folder (file://) there is none to register: the page works
// as it is and says nothing of it.
'use strict';

if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  window.addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch(() => {}));
}
