// The page's service worker: keeps the whole site in one cache per build, so
// that after one visit the game starts with no network. The build writes
// this file into the site with its version and every site file's SHA-256
// (src/platform/web/write_worker.cmake); a new build is a new worker.
//
// All or nothing:
// - a worker is installed only when every file it fetched is the one its
//   list names, byte for byte; otherwise it is dropped and the old one stays;
// - each page is answered from the one cache it was opened with, never from
//   a newer one or the network, so an old orvet.wasm never meets a new
//   orvet.js, even when a new worker takes over while a page is loading;
// - a cache goes once no open page was opened with it.
'use strict';

const version = '@ORVET_SITE_VERSION@';
const files = new Map(@ORVET_SITE_FILES@);  // name in the site -> SHA-256

const prefix = 'orvet-site-';
const siteCache = prefix + version;
// Which cache each open page was opened with, a record per page, and the
// cache of each worker that may still serve: kept where every worker of the
// site reads them, since an older one may still be answering when a newer
// one has filled its cache.
const bookName = 'orvet-records';
// A record whose page is not seen (it may still be opening) is kept so long.
const recordLifeMs = 5000;

const scope = () => new URL(self.registration.scope);
const siteUrl = (name) => new URL(name, scope()).href;
const recordUrl = (clientId) => siteUrl('.orvet-page/' + encodeURIComponent(clientId));
const workerUrl = (cache) => siteUrl('.orvet-worker/' + encodeURIComponent(cache));

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, '0')).join('');
}

async function precache() {
  const fetched = await Promise.all(Array.from(files, async ([name, sha256]) => {
    const response = await fetch(new Request(siteUrl(name), { cache: 'no-store' }));
    if (!response.ok) throw new Error(`${name}: ${response.status}`);
    const bytes = await response.arrayBuffer();
    if (hex(await crypto.subtle.digest('SHA-256', bytes)) !== sha256) {
      throw new Error(`${name} is not the one of build ${version}`);
    }
    return [name, new Response(bytes, { status: 200, headers: response.headers })];
  }));
  const cache = await caches.open(siteCache);
  await Promise.all(fetched.map(([name, response]) => cache.put(siteUrl(name), response)));
}

async function install() {
  const book = await caches.open(bookName);
  await book.put(workerUrl(siteCache), new Response('{}'));
  try {
    await precache();
  } catch (error) {
    await caches.delete(siteCache);
    await book.delete(workerUrl(siteCache));
    throw error;
  }
}

// A worker takes over as soon as its cache is complete (asked for at once:
// Chromium may leave a worker waiting that asks only after its install).
self.addEventListener('install', (event) => {
  self.skipWaiting();
  event.waitUntil(install());
});

// Drops the records of pages long gone and the caches that neither an open
// page nor a worker uses.
async function prune() {
  const open = new Set((await self.clients.matchAll({ includeUncontrolled: true, type: 'all' }))
                           .map((client) => client.id));
  const book = await caches.open(bookName);
  const keep = new Set([siteCache]);
  for (const request of await book.keys()) {
    if (request.url.startsWith(workerUrl(''))) {
      keep.add(decodeURIComponent(request.url.slice(workerUrl('').length)));
      continue;
    }
    const response = await book.match(request);
    const record = response ? await response.json() : null;
    const id = decodeURIComponent(request.url.slice(recordUrl('').length));
    if (record && (open.has(id) || Date.now() - record.time < recordLifeMs)) {
      keep.add(record.cache);
    } else {
      await book.delete(request);
    }
  }
  for (const name of await caches.keys()) {
    if (name.startsWith(prefix) && !keep.has(name)) await caches.delete(name);
  }
}

// The workers before this one are gone once it is active.
async function activate() {
  const book = await caches.open(bookName);
  for (const request of await book.keys()) {
    if (request.url.startsWith(workerUrl('')) && request.url !== workerUrl(siteCache)) {
      await book.delete(request);
    }
  }
  await prune();
}

self.addEventListener('activate', (event) => event.waitUntil(activate()));
// A page that has started says so: the page it replaced has gone by then,
// and its record has aged a little later (not waited for: a worker busy
// with an event keeps the next one from taking over).
self.addEventListener('message', (event) => {
  if (event.data !== 'started') return;
  event.waitUntil(prune());
  setTimeout(prune, recordLifeMs + 500);
});

// A page opens with this worker's cache; index.html answers any query.
async function openPage(event) {
  const page = await caches.match(siteUrl('index.html'), { cacheName: siteCache });
  if (!page) return fetch(event.request);  // the cache was cleared: as without a worker
  if (event.resultingClientId) {
    const book = await caches.open(bookName);
    await book.put(recordUrl(event.resultingClientId),
                   new Response(JSON.stringify({ cache: siteCache, time: Date.now() })));
  }
  return page;
}

// A page's file comes from the cache the page was opened with, or from this
// worker's for a page it has no record of; a cache that has gone gives an
// error rather than another build's file.
async function pageFile(event, name) {
  let cacheName = siteCache;
  if (event.clientId) {
    const record = await (await caches.open(bookName)).match(recordUrl(event.clientId));
    if (record) cacheName = (await record.json()).cache;
  }
  if (!(await caches.has(cacheName))) {
    return cacheName === siteCache ? fetch(event.request) : Response.error();
  }
  const response = await caches.match(siteUrl(name), { cacheName });
  return response || Response.error();
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  const base = scope();
  if (url.origin !== base.origin || !url.pathname.startsWith(base.pathname)) return;
  const name = decodeURIComponent(url.pathname.slice(base.pathname.length));
  if (request.mode === 'navigate') {
    if (name === '' || name === 'index.html') event.respondWith(openPage(event));
  } else if (files.has(name) && !url.search) {
    event.respondWith(pageFile(event, name));
  }
});
