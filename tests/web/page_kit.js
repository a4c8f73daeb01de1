// What the page's browser tests share: the site served and Debian's
// headless Chromium started for them, the canvas read back as the game's
// colours, a knot's marker found on it, and a pack level's points.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { serve } = require('../../tools/serve-web');

const root = path.join(__dirname, '..', '..');
const siteDir = process.env.SITE_DIR || path.join(root, 'build', 'web');
const outDir = process.env.OUT_DIR || path.join(root, 'build', 'web-test');
const kWhite = 0xffffff, kGreen = 0x00aa00, kLight = 0xcacaff;  // palette 15, 2, 1

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The site on a free port of 127.0.0.1 and a Chromium with a storage folder
// of its own (CHROMIUM names another): { server, base, browser }, and
// stop(), which ends both and removes the folder. OUT_DIR is made for the
// shots.
async function startBrowser(viewport) {
  fs.mkdirSync(outDir, { recursive: true });
  const lab = {};
  await new Promise((resolve) => {
    lab.server = serve(siteDir, 0, (s, port) => {
      lab.base = `http://127.0.0.1:${port}`;
      resolve();
    });
  });
  const userData = fs.mkdtempSync(path.join(os.tmpdir(), 'orvet-chromium-'));
  lab.stop = async () => {
    if (lab.browser) await lab.browser.close();
    lab.server.close();
    fs.rmSync(userData, { recursive: true, force: true });
  };
  const options = {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: userData,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  };
  if (viewport) options.defaultViewport = viewport;
  lab.browser = await puppeteer.launch(options);
  return lab;
}

// The canvas as 640x480 0xRRGGBB values (passed as base64, which is quick:
// a flight lasts only 5 s).
async function canvasPixels(page) {
  const bytes = Buffer.from(await page.evaluate(() => {
    const data = document.getElementById('canvas').getContext('2d')
                     .getImageData(0, 0, 640, 480).data;
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    }
    return btoa(text);
  }), 'base64');
  const pixels = new Uint32Array(640 * 480);
  for (let i = 0; i < pixels.length; ++i) {
    pixels[i] = (bytes[4 * i] << 16) | (bytes[4 * i + 1] << 8) | bytes[4 * i + 2];
  }
  pixels.at = (x, y) => pixels[y * 640 + x];
  return pixels;
}

// Pixels that are not the white background in a box.
function ink(pixels, x0, y0, x1, y1) {
  let n = 0;
  for (let y = y0; y <= y1; ++y) for (let x = x0; x <= x1; ++x) n += pixels.at(x, y) !== kWhite;
  return n;
}

// The centre of the first knot marker's light 3x3 interior.
function firstKnot(pixels) {
  for (let y = 1; y < 479; ++y) {
    for (let x = 1; x < 639; ++x) {
      let all = true;
      for (let dy = -1; dy <= 1 && all; ++dy) {
        for (let dx = -1; dx <= 1 && all; ++dx) all = pixels.at(x + dx, y + dy) === kLight;
      }
      if (all) return { x, y };
    }
  }
  return null;
}

// The first level's points of a pack puzzle, from its file.
function firstLevelPoints(name) {
  const text = fs.readFileSync(path.join(root, 'puzzles', name), 'latin1');
  const numbers = text.split('"points"')[0].split('"code"')[1].trim().split(',').map(Number);
  const points = [];
  for (let i = 0; i + 2 < numbers.length; i += 3) points.push({ x: numbers[i], y: numbers[i + 1] });
  return points;
}

module.exports = { siteDir, outDir, kWhite, kGreen, kLight, sleep, startBrowser, canvasPixels, ink,
                   firstKnot, firstLevelPoints };
