// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the page's files so it starts offline after the first visit: each file is answered
// from the network when it can be, else from the cache.
const CACHE = 'radioprog-v3';
const FILES = ['./', 'index.html', 'app.js', 'core.js', 'grid.js', 'forms.js', 'files.js', 'print.js', 'transfers.js',
    'serial_line.js', 'style.css', 'radiocore.js', 'radiocore.wasm', 'lang.csv', 'manifest.webmanifest', 'radioprog.png'];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys().then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k)))));
});

self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET') return;
    event.respondWith(fetch(event.request).then((response) => {
        const copy = response.clone();
        caches.open(CACHE).then((cache) => cache.put(event.request, copy));
        return response;
    }).catch(() => caches.match(event.request)));
});
