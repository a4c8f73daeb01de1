// The page in Debian's headless Chromium, driven as a person would: the
// chooser over the pack, a puzzle opened with a click, a knot dragged onto a
// point, a flight, a save from the menu that survives a reload, the editor
// opened from the address, F3's hint and solution with their undo, the end
// of the game with its offer to start again, and the page again with no
// network and after a new build. Shots of the canvas and the page go to
// OUT_DIR.
//
//   node --test browser_test.js      (SITE_DIR defaults to build/web,
//                                     OUT_DIR to build/web-test)
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { siteDir, outDir, kGreen, sleep, startBrowser, canvasPixels: readCanvas, ink, firstKnot,
        firstLevelPoints } = require('./page_kit');

const root = path.join(__dirname, '..', '..');

let lab, base, browser, page;
const network = { down: false, refused: [], nextBuild: false };
const state = {};  // what one step leaves for the next

// ---- helpers ----

const canvasPixels = () => readCanvas(page);

// A game pixel's centre in page coordinates.
async function pagePoint(x, y) {
  const r = await page.evaluate(() => {
    const b = document.getElementById('canvas').getBoundingClientRect();
    return { left: b.left, top: b.top, scale: b.width / 640 };
  });
  return { x: r.left + (x + 0.5) * r.scale, y: r.top + (y + 0.5) * r.scale };
}

async function moveTo(x, y, steps = 1) {
  const p = await pagePoint(x, y);
  await page.mouse.move(p.x, p.y, { steps });
  await sleep(60);
}

async function click(x, y, button = 'left') {
  await moveTo(x, y);
  await page.mouse.down({ button });
  await sleep(80);
  await page.mouse.up({ button });
  await sleep(150);
}

async function waitTitle(test, timeout = 10000) {
  await page.waitForFunction(test, { timeout, polling: 50 });
  return page.title();
}

// The menu opens with a right press in the corner, far from every knot.
async function openMenu() {
  await click(639, 479, 'right');
  await sleep(150);
}
const menuRow = (r) => click(100, 30 * r + 15);
const closeMenu = () => click(320, 240, 'right');

async function open(query = '') {
  await page.goto(`${base}/${query}`, { waitUntil: 'load' });
  await page.waitForFunction(() => document.body.dataset.state === 'running', { timeout: 20000 });
}

// ---- set-up ----

test.before(async () => {
  lab = await startBrowser({ width: 1320, height: 1080 });
  ({ base, browser } = lab);
  // The network as the offline step wants it: down (every request refused
  // and noted), or up with a build whose worker is new.
  const server = lab.server;
  const files = server.listeners('request')[0];
  server.removeAllListeners('request');
  server.on('request', (request, response) => {
    if (network.down) {
      network.refused.push(request.url);
      request.socket.destroy();
    } else if (network.nextBuild && request.url.startsWith('/sw.js')) {
      const worker = fs.readFileSync(path.join(siteDir, 'sw.js'), 'utf8');
      response.writeHead(200, { 'Content-Type': 'text/javascript', 'Cache-Control': 'no-cache' });
      response.end(worker.replace(/const version = '([0-9a-f]+)'/, "const version = '$1-next'"));
    } else {
      files(request, response);
    }
  });
  page = await browser.newPage();
  page.on('pageerror', (e) => console.error('page error:', e.message));
});

test.after(() => lab && lab.stop());

// ---- the steps, in order ----

test('the page shows the chooser over the pack, scaled by a whole factor', async () => {
  await open();
  assert.equal(await waitTitle(() => document.title === 'Orvet: Odaberi zagonetku'),
               'Orvet: Odaberi zagonetku');
  await sleep(300);
  const size = await page.evaluate(() => {
    const b = document.getElementById('canvas').getBoundingClientRect();
    return [b.width, b.height];
  });
  assert.deepEqual(size, [1280, 960]);
  const pixels = await canvasPixels();
  const pack = fs.readdirSync(path.join(root, 'puzzles')).filter((n) => n.endsWith('.zag'));
  for (let row = 0; row < 15; ++row) {
    const rowInk = ink(pixels, 0, 30 * row + 2, 639, 30 * row + 27);
    if (row < pack.length) assert.ok(rowInk > 0, `row ${row} names a puzzle`);
    else assert.equal(rowInk, 0, `row ${row} is empty`);
  }
  await page.screenshot({ path: path.join(outDir, 'chooser.png') });
  // The canvas keeps the right button to itself.
  assert.ok(await page.evaluate(() => {
    const e = new MouseEvent('contextmenu', { bubbles: true, cancelable: true });
    return !document.getElementById('canvas').dispatchEvent(e);
  }));
});

test('a click on the first row opens that puzzle with its points', async () => {
  await click(100, 15);
  const title = await waitTitle(() => document.title.startsWith('Orvet: ') &&
                                       document.title !== 'Orvet: Odaberi zagonetku');
  state.name = title.slice('Orvet: '.length) + '.zag';
  assert.ok(fs.existsSync(path.join(root, 'puzzles', state.name)), title);
  await sleep(300);
  const pixels = await canvasPixels();
  state.points = firstLevelPoints(state.name);
  for (const p of state.points) {
    assert.ok(pixels.at(p.x, p.y - 3) === kGreen || pixels.at(p.x, p.y + 3) === kGreen,
              `a point's circle at (${p.x}, ${p.y})`);
  }
  assert.ok(firstKnot(pixels), 'the first knot is marked');
});

test('dragging the first knot onto a point fills the point', async () => {
  const knot = firstKnot(await canvasPixels());
  const target = state.points[0];
  await moveTo(knot.x, knot.y);
  await page.mouse.down();
  await sleep(100);
  await moveTo(target.x, target.y - 4, 8);
  await sleep(300);
  await page.mouse.up();
  await moveTo(620, 470);  // the pointer off the marker, which it would colour
  await sleep(300);
  const pixels = await canvasPixels();
  // A touched point is a filled disc (the marker covers its top).
  assert.equal(pixels.at(target.x, target.y), kGreen);
  assert.equal(pixels.at(target.x, target.y + 2), kGreen);
  state.knot = firstKnot(pixels);
  assert.ok(state.knot && Math.abs(state.knot.x - target.x) <= 1 &&
            Math.abs(state.knot.y - (target.y - 4)) <= 1, JSON.stringify(state.knot));
  await page.screenshot({ path: path.join(outDir, 'page.png') });
  await page.screenshot({ path: path.join(outDir, 'canvas.png'),
                          clip: await page.evaluate(() => {
                            const b = document.getElementById('canvas').getBoundingClientRect();
                            return { x: b.left, y: b.top, width: b.width, height: b.height };
                          }) });
});

test('a right click on a knot flies and the word appears', async () => {
  await click(state.knot.x, state.knot.y, 'right');
  await sleep(1000);
  await page.screenshot({ path: path.join(outDir, 'flight.png') });
  // The word stays where it is written while the flier moves on: black
  // pixels of the word's area seen in two pictures 0.4 s apart. The curve
  // is not drawn during a flight.
  const first = await canvasPixels();
  await sleep(400);
  const second = await canvasPixels();
  let word = 0;
  for (let y = 150; y <= 215; ++y) {
    for (let x = 190; x <= 460; ++x) word += first.at(x, y) === 0 && second.at(x, y) === 0;
  }
  assert.ok(word > 10, `the word's first letter (${word} pixels)`);
  await sleep(4500);  // one segment flies for 5 s
});

test('the menu saves, and the page says so', async () => {
  await moveTo(620, 470);
  await sleep(200);
  const knot = firstKnot(await canvasPixels());
  assert.ok(knot, 'the knot is back after the flight');
  state.knot = knot;
  await openMenu();
  await menuRow(14);  // запамти
  await page.waitForFunction(() => document.getElementById('status').textContent === 'saved',
                             { timeout: 5000, polling: 50 });
  await closeMenu();
  const stored = await page.evaluate(() => FS.readdir('/orvet'));
  assert.ok(stored.includes(state.name.replace(/\.zag$/, '.zap')), stored.join(' '));
});

test('after a reload, "настави" brings the dragged knot back', async () => {
  await open(`?arg1=${encodeURIComponent(state.name)}`);
  await waitTitle(() => document.title !== 'Orvet: Odaberi zagonetku');
  await sleep(300);
  await openMenu();
  await menuRow(13);  // настави
  await closeMenu();
  await moveTo(620, 470);
  await sleep(300);
  assert.deepEqual(firstKnot(await canvasPixels()), state.knot);
});

test('a puzzle that is not there is reported under the canvas', async () => {
  await open('?arg1=nema.zag');
  await page.waitForFunction(() => document.getElementById('status').textContent.length > 0,
                             { timeout: 5000 });
  assert.equal(await page.$eval('#status', (e) => e.textContent),
               'orvet: puzzle "nema.zag" not found; showing an empty level');
});

test('the editor from the address adds a point with a key, undoes, redoes and saves it', async () => {
  await open('?arg1=web-new.zag&arg2=pravi');
  assert.equal(await waitTitle(() => document.title === 'Orvet: web-new'), 'Orvet: web-new');
  await sleep(200);
  await moveTo(200, 200);
  await sleep(100);
  await page.keyboard.press('a');
  // The point goes where the pointer was when the game read the key; a
  // person's hand rests a moment before it moves on.
  await sleep(100);
  await moveTo(620, 470);
  await sleep(300);
  const showsPoint = (pixels) => pixels.at(200, 197) === kGreen || pixels.at(200, 203) === kGreen;
  assert.ok(showsPoint(await canvasPixels()), 'the new point');
  // Ctrl+Z takes it back and Ctrl+Y brings it again.
  await page.keyboard.down('Control');
  await page.keyboard.press('z');
  await page.keyboard.up('Control');
  await sleep(300);
  assert.ok(!showsPoint(await canvasPixels()), 'undone');
  await page.keyboard.down('Control');
  await page.keyboard.press('y');
  await page.keyboard.up('Control');
  await sleep(300);
  assert.ok(showsPoint(await canvasPixels()), 'redone');
  await openMenu();
  await menuRow(14);
  await page.waitForFunction(() => document.getElementById('status').textContent === 'saved',
                             { timeout: 5000, polling: 50 });
  const written = await page.evaluate(() => {
    try {
      return new TextDecoder('latin1').decode(FS.readFile('/orvet/web-new.zag'));
    } catch (e) {
      return 'no web-new.zag in ' + FS.readdir('/orvet').join(' ') + ': ' + e + ' ' + e.errno + e.stack;
    }
  });
  assert.ok(written.startsWith('"LVL"\r\n'), written);
  assert.match(written, /200,200,-?\d+,"points"/);
  await closeMenu();
});

test('a puzzle opened from the disk is copied into the folder and opened', async () => {
  const file = path.join(outDir, 'sa-diska.zag');
  fs.writeFileSync(file, '"LVL"\r\n49,"code"\r\n300,300,-32,"points"\r\n1,"paths"\r\n\r\n' +
                         '0\r\n"END"\r\n');
  const input = await page.$('#open-file');
  await input.uploadFile(file);
  assert.equal(await waitTitle(() => document.title === 'Orvet: sa-diska'), 'Orvet: sa-diska');
  await page.waitForFunction(() => document.body.dataset.state === 'running', { timeout: 20000 });
  await sleep(300);
  const pixels = await canvasPixels();
  assert.ok(pixels.at(300, 297) === kGreen || pixels.at(300, 303) === kGreen, 'its one point');
  assert.ok((await page.evaluate(() => FS.readdir('/orvet'))).includes('sa-diska.zag'));
});

// The saved game's or puzzle's bytes, written by the menu's "запамти".
async function saveAndRead(file) {
  await page.evaluate(() => orvetPage.status(''));
  await openMenu();
  await menuRow(14);
  await page.waitForFunction(() => document.getElementById('status').textContent === 'saved',
                             { timeout: 5000, polling: 50 });
  await closeMenu();
  return page.evaluate((f) => new TextDecoder('latin1').decode(FS.readFile(`/orvet/${f}`)), file);
}

// The numbers of the first record of a kind ("paths", "attractor").
function recordNumbers(text, keyword) {
  const end = text.indexOf(`"${keyword}"`);
  if (end < 0) return [];
  return text.slice(text.lastIndexOf('\n', end) + 1, end).split(',').filter((v) => v !== '')
    .map(Number);
}

async function pressCtrl(key) {
  await page.keyboard.down('Control');
  await page.keyboard.press(key);
  await page.keyboard.up('Control');
  await sleep(300);
}

test('F3 gives a one-move hint in play and solves the level in the editor, Ctrl+Z undoing each', async () => {
  // Play: the first level of the pack's puzzle with an attractor.
  await open('?arg1=03-privlacenje.zag');
  await waitTitle(() => document.title === 'Orvet: 03-privlacenje');
  await sleep(300);
  const before = await saveAndRead('03-privlacenje.zap');
  await page.keyboard.press('F3');
  await sleep(500);
  const hinted = await saveAndRead('03-privlacenje.zap');
  const [a, b] = [before, hinted].map((t) => recordNumbers(t, 'paths'));
  const [attractorA, attractorB] = [before, hinted].map((t) => recordNumbers(t, 'attractor'));
  assert.equal(a.length, b.length, hinted);
  assert.equal(attractorA.length, 2, before);
  // Slots are x,y pairs: knot, handle, knot, handle ...; a knot carries its
  // handle by the same offset, as a drag does.
  const moved = [];
  for (let i = 0; i + 1 < a.length; i += 2) if (a[i] !== b[i] || a[i + 1] !== b[i + 1]) moved.push(i / 2);
  const attractorMoved = attractorA.join() !== attractorB.join();
  const what = `slots ${moved.join(' ')}, attractor ${attractorMoved}\n${before}\n${hinted}`;
  if (attractorMoved) {
    assert.deepEqual(moved, [], what);
  } else if (moved.length === 1) {
    assert.equal(moved[0] % 2, 1, what);
  } else {
    assert.equal(moved.length, 2, what);
    assert.equal(moved[0] % 2, 0, what);
    assert.equal(moved[1], moved[0] + 1, what);
    const k = 2 * moved[0];
    assert.equal(b[k] - a[k], b[k + 2] - a[k + 2], what);
    assert.equal(b[k + 1] - a[k + 1], b[k + 3] - a[k + 3], what);
  }
  await pressCtrl('z');
  assert.equal(await saveAndRead('03-privlacenje.zap'), before, 'Ctrl+Z takes the hint back');

  // The editor: the path put in place, its word on the status line, and
  // Ctrl+Z gives the puzzle back byte for byte.
  await open('?arg1=02-krivine.zag&arg2=pravi');
  await waitTitle(() => document.title === 'Orvet: 02-krivine');
  await sleep(300);
  const plain = await saveAndRead('02-krivine.zag');
  const unsolved = await canvasPixels();
  await page.evaluate(() => orvetPage.status(''));
  await page.keyboard.press('F3');
  await page.waitForFunction(() => document.getElementById('status').textContent.length > 0,
                             { timeout: 10000, polling: 50 });
  assert.match(await page.$eval('#status', (e) => e.textContent),
               /^orvet: level 1 solved in [0-9.]+ s; the flight spells "[^"]+"( \((not )?its code\))?$/);
  await moveTo(620, 470);
  await sleep(300);
  const solved = await canvasPixels();
  await page.screenshot({ path: path.join(outDir, 'solved.png') });
  assert.ok(solved.some((v, i) => v !== unsolved[i]), 'the solved path is shown');
  await pressCtrl('z');
  assert.equal(await saveAndRead('02-krivine.zag'), plain);
  await moveTo(620, 470);
  await sleep(300);
  const undone = await canvasPixels();
  assert.ok(undone.every((v, i) => v === unsolved[i]), 'the picture as before F3');
});

test('Escape with unsaved editor changes ends the game and keeps the recovery file', async () => {
  await open('?arg1=web-new.zag&arg2=pravi');
  await waitTitle(() => document.title === 'Orvet: web-new');
  await sleep(200);
  await moveTo(300, 100);
  await sleep(100);
  await page.keyboard.press('b');
  await sleep(200);
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => document.body.dataset.state === 'ended', { timeout: 5000 });
  assert.match(await page.$eval('#status', (e) => e.textContent), /web-new\.zag~/);
  const listed = await page.$$eval('#download-name option', (o) => o.map((e) => e.value));
  assert.ok(listed.includes('web-new.zag~'), listed.join(' '));
  // After a reload the recovery is in the folder, and no temporary file is.
  await open();
  const names = await page.evaluate(() => FS.readdir('/orvet'));
  assert.ok(names.includes('web-new.zag~'), names.join(' '));
  assert.ok(!names.some((n) => n.includes('.tmp-')), names.join(' '));
  const recovered = await page.evaluate(
      () => new TextDecoder('latin1').decode(FS.readFile('/orvet/web-new.zag~')));
  assert.match(recovered, /300,100,-?\d+,/);
});

test('Escape ends the game and the page offers to start again', async () => {
  await open();
  await waitTitle(() => document.title === 'Orvet: Odaberi zagonetku');
  await click(100, 15);
  await waitTitle(() => document.title !== 'Orvet: Odaberi zagonetku');
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => document.body.dataset.state === 'ended', { timeout: 5000 });
  assert.equal(await page.$eval('#ended', (e) => e.hidden), false);
  await page.click('#again');
  await page.waitForFunction(() => document.body.dataset.state === 'running', { timeout: 20000 });
  assert.equal(await waitTitle(() => document.title === 'Orvet: Odaberi zagonetku'),
               'Orvet: Odaberi zagonetku');
});

test('after one visit the page works offline, and a new build takes over saying "updated"', async () => {
  await open();
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null,
                             { timeout: 20000 });
  const siteCaches = () => page.evaluate(
      async () => (await caches.keys()).filter((name) => name.startsWith('orvet-site-')));
  const [first] = await siteCaches();
  assert.ok(first, 'the site is cached');
  const devtools = await page.createCDPSession();
  assert.deepEqual((await devtools.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  await devtools.detach();

  network.down = true;
  await page.setOfflineMode(true);
  try {
    await open();
    assert.equal(await waitTitle(() => document.title === 'Orvet: Odaberi zagonetku'),
                 'Orvet: Odaberi zagonetku');
    // Installable from the cache as well: the manifest and its icons.
    const icons = await page.evaluate(async () => {
      const link = document.querySelector('link[rel="manifest"]');
      const manifest = await (await fetch(link.href)).json();
      return Promise.all(manifest.icons.map(async (icon) => {
        const image = await createImageBitmap(await (await fetch(icon.src)).blob());
        return [icon.sizes, `${image.width}x${image.height}`];
      }));
    });
    assert.deepEqual(icons, [['192x192', '192x192'], ['512x512', '512x512']]);
    // The saved game of the puzzle played first continues.
    await click(100, 15);
    assert.equal(await waitTitle(() => document.title !== 'Orvet: Odaberi zagonetku'),
                 'Orvet: ' + state.name.replace(/\.zag$/, ''));
    await sleep(300);
    await openMenu();
    await menuRow(13);  // настави
    await closeMenu();
    await moveTo(620, 470);
    await sleep(300);
    assert.deepEqual(firstKnot(await canvasPixels()), state.knot);
    assert.deepEqual(network.refused.filter((url) => !url.startsWith('/sw.js')), []);
  } finally {
    network.down = false;
    await page.setOfflineMode(false);
  }

  // A new build: its worker fills a cache of its own and takes the page
  // over, which says so; the old cache goes once no page uses it.
  network.nextBuild = true;
  await open();
  await page.waitForFunction(() => document.getElementById('status').textContent === 'updated',
                             { timeout: 20000, polling: 50 });
  await open();
  await page.waitForFunction(async (old) => {
    const names = (await caches.keys()).filter((name) => name.startsWith('orvet-site-'));
    return names.length === 1 && names[0] === old + '-next';
  }, { timeout: 10000, polling: 100 }, first);
});
