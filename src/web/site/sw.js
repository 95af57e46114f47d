// The site offline: every file of this build is cached when the worker is
// installed and served from there first, so that after one visit the drill
// and its help start without the server. A new build is a new worker (the
// build writes its files and their hash below); it caches that build beside
// the old one and takes over at once, so the next visit runs the new build.
'use strict';

const Site = null; // written by the build: { build, files }
const Cache = 'tavolini-' + Site.build;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(Cache).then((cache) => cache.addAll(['./', ...Site.files])).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) =>
    Promise.all(names.filter((name) => name.startsWith('tavolini-') && name !== Cache).map((name) => caches.delete(name)))));
});

self.addEventListener('fetch', (event) => {
  // The class server's answers are the server's own, never the cache's.
  if (event.request.method !== 'GET' || new URL(event.request.url).pathname.startsWith('/api/')) return;
  event.respondWith(caches.open(Cache).then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
