// The page on a phone and on any screen, in Debian's headless Chromium with
// touch emulated: one scenario played by touch alone at 390x844 (a tap in
// the chooser, a drag, a long press on a knot and one elsewhere, the menu's
// save, the on-screen Escape and Undo), and the picture's fit at three
// window sizes, with the pointer mapped exactly through the scale shown.
// Shots go to OUT_DIR; with ORVET_DOCS_SHOT=PATH the phone layout is also
// written there (the README's docs/phone.png).
//
//   node --test phone_test.js      (SITE_DIR defaults to build/web,
//                                   OUT_DIR to build/web-test)
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { outDir, kGreen, sleep, startBrowser, canvasPixels, ink, firstKnot, firstLevelPoints } =
  require('./page_kit');

const root = path.join(__dirname, '..', '..');
const kChooser = 'Orvet: Odaberi zagonetku';

let lab, base, browser;

// Where a finger goes for a game pixel, through whatever scale is shown: a
// touch lands on whole CSS pixels, so one inside the game pixel, or the one
// nearest to it below 1x, where some game pixels hold none. `game`
// is the game pixel the picture shows at that place.
async function pagePoint(page, x, y) {
  const r = await page.evaluate(() => {
    const b = document.getElementById('canvas').getBoundingClientRect();
    return { left: b.left, top: b.top, width: b.width, scale: b.width / 640 };
  });
  const onPage = (origin, v) => {
    const inside = Math.floor(origin + v * r.scale) + 1;
    return inside < origin + (v + 1) * r.scale ? inside : Math.round(origin + (v + 0.5) * r.scale);
  };
  const p = { x: onPage(r.left, x), y: onPage(r.top, y) };
  const shown = (c, origin) => Math.floor((c - origin) * 640 / r.width);
  p.game = { x: shown(p.x, r.left), y: shown(p.y, r.top) };
  return p;
}

// Returns the game pixel shown where the finger touched.
async function tap(page, x, y) {
  const p = await pagePoint(page, x, y);
  await page.touchscreen.tap(p.x, p.y);
  await sleep(200);
  return p.game;
}

async function longPress(page, x, y) {
  const p = await pagePoint(page, x, y);
  const finger = await page.touchscreen.touchStart(p.x, p.y);
  await sleep(700);
  assert.equal(await page.$eval('#press-mark', (e) => e.hidden), false, 'the long press is marked');
  await finger.end();
  await sleep(200);
}

// A finger from one game pixel to another; shot(page) runs before it lifts.
// Returns the game pixel shown where it lifted.
async function drag(page, from, to, shot) {
  const a = await pagePoint(page, from.x, from.y);
  const b = await pagePoint(page, to.x, to.y);
  const finger = await page.touchscreen.touchStart(a.x, a.y);
  for (let i = 1; i <= 8; ++i) {
    await finger.move(Math.round(a.x + (b.x - a.x) * i / 8), Math.round(a.y + (b.y - a.y) * i / 8));
    await sleep(30);
  }
  await sleep(300);
  if (shot) await shot(page);
  await finger.end();
  await sleep(300);
  return b.game;
}

// A finger stays where it lifts, and a knot under it is drawn in another
// colour: a tap in an empty corner, as a player's hand moves away.
const rest = (page) => tap(page, 620, 470);

async function pressKey(page, label) {
  const button = await page.waitForSelector(`#keys button ::-p-text(${label})`, { visible: true });
  await button.tap();
  await sleep(300);
}

async function phonePage(width, height, mobile) {
  const page = await browser.newPage();
  page.on('pageerror', (e) => console.error('page error:', e.message));
  await page.setViewport({ width, height, deviceScaleFactor: mobile ? 2 : 1, isMobile: mobile,
                           hasTouch: true });
  return page;
}

async function open(page, query = '') {
  await page.goto(`${base}/${query}`, { waitUntil: 'load' });
  await page.waitForFunction(() => document.body.dataset.state === 'running', { timeout: 20000 });
  await page.waitForFunction((t) => document.title === t, { timeout: 10000 }, kChooser);
  await sleep(300);
}

const openedPuzzle = (page) => page.waitForFunction(
    (t) => document.title.startsWith('Orvet: ') && document.title !== t, { timeout: 10000 },
    kChooser).then(() => page.title()).then((title) => title.slice('Orvet: '.length) + '.zag');

test.before(async () => {
  lab = await startBrowser();
  ({ base, browser } = lab);
});

test.after(() => lab && lab.stop());

test('a phone game by touch alone: chooser, drag, flight, menu, save, Escape and Undo', async () => {
  const page = await phonePage(390, 844, true);
  await open(page);
  assert.ok(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), 'a coarse pointer');
  assert.equal(await page.$eval('#keys', (e) => e.hidden), false, 'the on-screen keys');
  assert.equal(await page.$eval('#key-keyboard', (e) => e.hidden), true, 'no Keyboard in play');
  assert.equal(await page.$eval('#canvas', (e) => getComputedStyle(e).touchAction), 'none');

  await tap(page, 100, 15);
  const name = await openedPuzzle(page);
  assert.match(await page.$eval('#guide', (e) => e.textContent),
               new RegExp(`Playing ${name.replace(/\.zag$/, '')}:drag the knots onto the points`));
  await sleep(300);
  const start = firstKnot(await canvasPixels(page));
  const target = firstLevelPoints(name)[0];

  // The drag moves the knot, not the page; the loupe shows what the finger
  // hides, with the knot under its cross.
  const onto = await drag(page, start, { x: target.x, y: target.y - 4 }, async () => {
    assert.equal(await page.$eval('#loupe', (e) => e.hidden), false, 'the loupe is shown');
    const shot = process.env.ORVET_DOCS_SHOT;
    if (shot) await page.screenshot({ path: shot });
    await page.screenshot({ path: path.join(outDir, 'phone.png') });
  });
  assert.equal(await page.$eval('#loupe', (e) => e.hidden), true, 'the loupe goes with the finger');
  assert.equal(await page.evaluate(() => window.scrollY), 0);
  await rest(page);
  let pixels = await canvasPixels(page);
  assert.equal(pixels.at(target.x, target.y), kGreen, 'the point fills');
  assert.deepEqual(firstKnot(pixels), onto);

  // A long press on the knot flies: the word stays while the flier moves
  // on, and the path is not drawn. Escape stops the flight at once (this
  // level's path is one segment, 5 s of flight; an Escape after the flight
  // would reach the main loop and end the game).
  await longPress(page, onto.x, onto.y);
  await sleep(500);
  const first = await canvasPixels(page);
  await sleep(400);
  const second = await canvasPixels(page);
  let word = 0;
  for (let y = 150; y <= 215; ++y) {
    for (let x = 190; x <= 460; ++x) word += first.at(x, y) === 0 && second.at(x, y) === 0;
  }
  assert.ok(word > 10, `the word (${word} pixels)`);
  assert.equal(firstKnot(second), null, 'no path during the flight');
  await pressKey(page, 'Escape');
  await rest(page);
  assert.deepEqual(firstKnot(await canvasPixels(page)), onto, 'the flight stopped, the game goes on');

  // A long press away from the knots opens the menu, whose save row a tap
  // picks; Escape closes it.
  await longPress(page, 630, 470);
  pixels = await canvasPixels(page);
  assert.equal(firstKnot(pixels), null, 'the menu hides the level');
  assert.ok(ink(pixels, 20, 425, 200, 448) > 0, 'the menu\'s save row');
  await tap(page, 100, 435);
  await page.waitForFunction(() => document.getElementById('status').textContent === 'saved',
                             { timeout: 5000, polling: 50 });
  assert.ok((await page.evaluate(() => FS.readdir('/orvet'))).includes(name.replace(/g$/, 'p')));
  await pressKey(page, 'Escape');
  assert.deepEqual(firstKnot(await canvasPixels(page)), onto, 'the menu closed on the level');

  // Undo takes the drag back.
  await pressKey(page, 'Undo');
  assert.deepEqual(firstKnot(await canvasPixels(page)), start, 'the knot is back');
  assert.equal(await page.evaluate(() => document.body.dataset.state), 'running');
  await page.close();
});

// The picture fully on screen at 4:3, as large as fits (a whole side of the
// window, or beside or under the controls with no more than a tenth lost),
// and no page scrolling.
async function checkFit(page, width, height) {
  const place = await page.evaluate(() => {
    const b = document.getElementById('canvas').getBoundingClientRect();
    return { left: b.left, top: b.top, right: b.right, bottom: b.bottom, width: b.width,
             height: b.height, pageHeight: document.documentElement.scrollHeight,
             pageWidth: document.documentElement.scrollWidth };
  });
  const at = `${width}x${height}`;
  assert.ok(place.left >= 0 && place.top >= 0 && place.right <= width && place.bottom <= height,
            `${at}: the picture is on screen ${JSON.stringify(place)}`);
  assert.equal(place.width * 3, place.height * 4, `${at}: 4:3`);
  assert.ok(place.width >= 0.9 * Math.min(width, height * 4 / 3), `${at}: ${place.width} wide`);
  assert.ok(place.pageHeight <= height && place.pageWidth <= width, `${at}: no scrolling`);
}

test('the picture fits at 4:3 and the pointer maps exactly at three window sizes', async () => {
  for (const [width, height, mobile] of [[390, 844, true], [844, 390, true], [1920, 1080, false]]) {
    const at = `${width}x${height}`;
    const page = await phonePage(width, height, mobile);
    await open(page);
    await checkFit(page, width, height);
    await page.screenshot({ path: path.join(outDir, `fit-${at}.png`) });
    // A tap on the last pixel row of the chooser's first row (or the pixel
    // the finger can reach nearest to it) opens the puzzle of that row.
    const touched = await tap(page, 300, 29);
    const name = await openedPuzzle(page);
    assert.equal(name, fs.readdirSync(path.join(root, 'puzzles')).filter((n) => n.endsWith('.zag'))
                         .sort()[Math.floor(touched.y / 30)], at);
    await sleep(300);
    const knot = firstKnot(await canvasPixels(page));
    const target = firstLevelPoints(name)[0];
    const onto = await drag(page, knot, { x: target.x, y: target.y - 4 });
    await rest(page);
    const pixels = await canvasPixels(page);
    assert.equal(pixels.at(target.x, target.y), kGreen, `${at}: the point fills`);
    assert.deepEqual(firstKnot(pixels), onto, `${at}: the knot is where the finger left it`);
    if (width < height) {
      // The phone turned: the picture fits again, and the knot is grabbed
      // where it is now shown.
      await page.setViewport({ width: height, height: width, deviceScaleFactor: 2, isMobile: true,
                               hasTouch: true });
      await sleep(300);
      await checkFit(page, height, width);
      const back = await drag(page, onto, knot);
      await rest(page);
      assert.deepEqual(firstKnot(await canvasPixels(page)), back, `${at} turned: the knot`);
    }
    await page.close();
  }
});
