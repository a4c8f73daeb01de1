// Puzzle links between the desktop and the page, in Debian's headless
// Chromium: a link made by `orvet --share` opens in the page and leaves the
// same bytes in the browser's folder, once; a different puzzle of the same
// name goes to NAME-2.zag; bad links store nothing and say why; the page's
// Share control makes a link (with its QR code, shot for the README) that
// `orvet --open-link` stores byte for byte; the editor's unsaved changes are
// saved first on request; a file from the disk is stored by the same rule
// and a file is removed after asking.
//
//   node --test share_test.js    (SITE_DIR defaults to build/web, OUT_DIR to
//                                 build/web-test, NATIVE_DIR to build/ci)
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const { execFileSync, spawnSync } = require('child_process');
const { outDir, sleep, startBrowser } = require('./page_kit');

const root = path.join(__dirname, '..', '..');
const nativeDir = path.resolve(root, process.env.NATIVE_DIR || path.join('build', 'ci'));

let lab, base, browser, page, scratch;
const pack = (name) => fs.readFileSync(path.join(root, 'puzzles', name));

// `orvet --share` on bytes stored under name, with the page's address.
function desktopLink(name, bytes) {
  const dir = fs.mkdtempSync(path.join(scratch, 'share-'));
  fs.writeFileSync(path.join(dir, name), bytes);
  return execFileSync(path.join(nativeDir, 'orvet'), ['--share', name], {
    cwd: dir, env: { ...process.env, ORVET_SHARE_URL: base + '/' }, encoding: 'utf8',
  }).trim();
}

// `orvet --open-link` in dir, run headless as `orvet --open-link LINK` would.
function desktopOpen(dir, link) {
  fs.writeFileSync(path.join(dir, 'scenario.txt'), 'wait 0.1\n');
  return spawnSync(path.join(nativeDir, 'orvet-script'), ['scenario.txt', '--open-link', link],
                   { cwd: dir, encoding: 'utf8' });
}

async function openPage(address) {
  // A fragment alone does not load a page again: go through a blank one.
  await page.goto('about:blank');
  await page.goto(address, { waitUntil: 'load' });
  await page.waitForFunction(() => document.body.dataset.state === 'running', { timeout: 20000 });
  await sleep(200);
}

const folder = () => page.evaluate(() => FS.readdir('/orvet').filter((n) => n[0] !== '.').sort());
const statusLine = () => page.$eval('#status', (e) => e.textContent);
const storedBytes = (name) => page.evaluate((n) => Array.from(FS.readFile('/orvet/' + n)), name);

test.before(async () => {
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'orvet-share-'));
  lab = await startBrowser({ width: 1320, height: 1500 });
  ({ base, browser } = lab);
  await browser.defaultBrowserContext().overridePermissions(
      base, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  page = await browser.newPage();
  page.on('pageerror', (e) => console.error('page error:', e.message));
});

test.after(async () => {
  if (lab) await lab.stop();
  if (scratch) fs.rmSync(scratch, { recursive: true, force: true });
});

test('a link from orvet --share is stored once, and a different puzzle of its name beside it',
     async () => {
  const bytes = pack('02-krivine.zag');
  const link = desktopLink('sa-desktopa.zag', bytes);
  assert.ok(link.startsWith(base + '/#p1='), link);
  await openPage(link);
  assert.equal(await page.title(), 'Orvet: sa-desktopa');
  assert.equal(await statusLine(), 'orvet: stored the link\'s puzzle as "sa-desktopa.zag"');
  assert.deepEqual(await storedBytes('sa-desktopa.zag'), Array.from(bytes));
  assert.equal(await page.evaluate(() => window.location.hash), '');
  // Kept in the browser's storage: still there after a reload of the
  // address, which no longer holds the link.
  await openPage(await page.evaluate(() => window.location.href));
  const before = await folder();
  assert.ok(before.includes('sa-desktopa.zag'), before.join(' '));
  assert.equal(await page.title(), 'Orvet: Odaberi zagonetku');

  await openPage(link);
  assert.equal(await statusLine(), 'orvet: the link\'s puzzle is already here as "sa-desktopa.zag"');
  assert.deepEqual(await folder(), before);

  const other = pack('03-privlacenje.zag');
  await openPage(desktopLink('sa-desktopa.zag', other));
  assert.equal(await page.title(), 'Orvet: sa-desktopa-2');
  assert.equal(await statusLine(), 'orvet: stored the link\'s puzzle as "sa-desktopa-2.zag" ' +
                                   '(another "sa-desktopa.zag" is here)');
  assert.deepEqual(await storedBytes('sa-desktopa.zag'), Array.from(bytes));
  assert.deepEqual(await storedBytes('sa-desktopa-2.zag'), Array.from(other));
});

test('bad links store nothing, say what is wrong and show the chooser', async () => {
  const good = desktopLink('los.zag', pack('01-pocetak.zag'));
  const data = good.slice(good.indexOf('p1=') + 3, good.indexOf('&n='));
  const b64 = (buffer) => buffer.toString('base64url');
  const cases = [
    [data.slice(0, 40) + '*' + data.slice(41), 'the link is damaged (bad base64)'],
    [data.slice(0, data.length >> 1), 'the link is cut short (the compressed puzzle does not end)'],
    [b64(zlib.deflateRawSync(Buffer.alloc(5 << 20, 120), { level: 9 })),
     'the link\'s puzzle is too large (over 4 MiB)'],
    [b64(zlib.deflateRawSync(Buffer.from('hello'))),
     'the link does not hold a puzzle (it does not begin with "LVL")'],
    [data + 'AAAA', 'the link is damaged (bad compressed data)'],
  ];
  const before = await folder();
  for (const [p1, says] of cases) {
    await openPage(`${base}/#p1=${p1}&n=los.zag`);
    assert.equal(await statusLine(), 'orvet: nothing stored: ' + says);
    assert.equal(await page.title(), 'Orvet: Odaberi zagonetku', says);
    assert.deepEqual(await folder(), before, says);
  }
  // A name with slashes and leading dots is stored under a safe one, in the
  // folder; the desktop cleans it alike.
  const name = '..%2F..%2Fx%00y';
  await openPage(`${base}/#p1=${data}&n=${name}`);
  assert.equal(await statusLine(), 'orvet: stored the link\'s puzzle as "_.._x_y.zag"\n' +
                                   'orvet: the name the link gave was not a safe file name');
  const dir = fs.mkdtempSync(path.join(scratch, 'name-'));
  const run = desktopOpen(dir, `${base}/#p1=${data}&n=${name}`);
  assert.equal(run.status, 0, run.stderr);
  assert.ok(fs.existsSync(path.join(dir, '_.._x_y.zag')), fs.readdirSync(dir).join(' '));
});

test('the Share control makes a link that orvet --open-link stores byte for byte', async () => {
  await openPage(`${base}/?arg1=sa-desktopa-2.zag`);
  assert.equal(await page.title(), 'Orvet: sa-desktopa-2');
  await page.click('#share');
  await page.waitForFunction(() => document.body.dataset.share === 'shown', { timeout: 5000 });
  const link = await page.$eval('#share-link', (e) => e.value);
  assert.ok(link.startsWith(base + '/#p1='), link);
  assert.ok(link.endsWith('&n=sa-desktopa-2.zag'), link);
  assert.ok(await page.$eval('#share-qr', (e) => e.complete && e.naturalWidth > 100));
  await page.click('#share-copy');
  await sleep(200);
  assert.equal(await statusLine(), 'the link is copied');
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), link);
  // The README's picture (docs/share.png): the controls under the canvas.
  const below = await page.$eval('#below', (e) => {
    const b = e.getBoundingClientRect();
    return { x: b.left - 8, y: b.top - 8, width: b.width + 16, height: b.height + 16 };
  });
  await page.screenshot({ path: path.join(outDir, 'share.png'), clip: below });

  const dir = fs.mkdtempSync(path.join(scratch, 'open-'));
  let run = desktopOpen(dir, link);
  assert.equal(run.status, 0, run.stderr);
  assert.equal(run.stderr, 'orvet: stored the link\'s puzzle as "sa-desktopa-2.zag"\n');
  assert.deepEqual(fs.readFileSync(path.join(dir, 'sa-desktopa-2.zag')),
                   pack('03-privlacenje.zag'));
  run = desktopOpen(dir, link);
  assert.equal(run.stderr, 'orvet: the link\'s puzzle is already here as "sa-desktopa-2.zag"\n');
  assert.deepEqual(fs.readdirSync(dir).sort(), ['sa-desktopa-2.zag', 'scenario.txt']);
});

test('in the editor, Share says so of unsaved changes and saves first', async () => {
  await openPage(`${base}/?arg1=sa-desktopa.zag&arg2=pravi`);
  await page.mouse.move(10, 10);
  const canvas = await page.$eval('#canvas', (e) => {
    const b = e.getBoundingClientRect();
    return { left: b.left, top: b.top, scale: b.width / 640 };
  });
  await page.mouse.move(canvas.left + 77.5 * canvas.scale, canvas.top + 411.5 * canvas.scale);
  await sleep(150);
  await page.keyboard.press('a');  // a point where the pointer is
  await sleep(300);
  await page.click('#share');
  await page.waitForFunction(() => document.body.dataset.share === 'shown', { timeout: 5000 });
  assert.equal(await page.$eval('#share-unsaved', (e) => e.hidden), false);
  const asLastSaved = await page.$eval('#share-link', (e) => e.value);
  await page.click('#share-save');
  await page.waitForFunction((old) => document.getElementById('share-link').value !== old &&
                                      document.getElementById('share-unsaved').hidden,
                             { timeout: 5000 }, asLastSaved);
  const link = await page.$eval('#share-link', (e) => e.value);
  const dir = fs.mkdtempSync(path.join(scratch, 'edited-'));
  const run = desktopOpen(dir, link);
  assert.equal(run.status, 0, run.stderr);
  const written = fs.readFileSync(path.join(dir, 'sa-desktopa.zag'));
  assert.deepEqual(Array.from(written), await storedBytes('sa-desktopa.zag'));
  assert.match(written.toString('latin1'), /77,411,-?\d+,"points"/);
});

test('a file from the disk is stored by the same rule, and Remove takes one away', async () => {
  await openPage(`${base}/`);
  const file = path.join(scratch, '01-pocetak.zag');
  fs.writeFileSync(file, pack('02-krivine.zag'));
  await (await page.$('#open-file')).uploadFile(file);
  await page.waitForFunction(() => document.title === 'Orvet: 01-pocetak-2', { timeout: 20000 });
  await page.waitForFunction(() => document.body.dataset.state === 'running', { timeout: 20000 });
  assert.deepEqual(await storedBytes('01-pocetak.zag'), Array.from(pack('01-pocetak.zag')));
  assert.deepEqual(await storedBytes('01-pocetak-2.zag'), Array.from(pack('02-krivine.zag')));

  let asked = '';
  const answer = async (dialog) => {
    asked = dialog.message();
    await dialog.accept();
  };
  page.on('dialog', answer);
  await page.focus('#download-name');
  await page.select('#download-name', '01-pocetak-2.zag');
  await page.click('#remove');
  await page.waitForFunction(() => /^removed/.test(document.getElementById('status').textContent),
                             { timeout: 5000 });
  page.off('dialog', answer);
  assert.equal(asked, 'Remove "01-pocetak-2.zag" from the folder for good?');
  await openPage(`${base}/`);
  const names = await folder();
  assert.ok(!names.includes('01-pocetak-2.zag'), names.join(' '));
  assert.ok(names.includes('01-pocetak.zag'), names.join(' '));
});
