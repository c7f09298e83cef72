// The page's service worker: every file of one version of the page in a cache of its own, so the
// page starts and works (the demo radio included) with no network. web/build.mjs fills in the
// version and the file list. A new version is cached whole on its first start and takes over at
// once; the page then says so.
const version = '__VERSION__';
const files = __FILES__;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(version).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name !== version).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

// The page's own files from the cache; the network only for what the cache lacks.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  const url = new URL(event.request.url);
  if (url.origin !== location.origin) return;
  event.respondWith(
    caches.open(version).then(async (cache) =>
      (await cache.match(event.request, { ignoreSearch: true })) ?? fetch(event.request)),
  );
});
