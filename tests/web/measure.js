// Measurements of the browser build, for the notes (not a test: it prints,
// it does not judge). Run after `make web`, the web preset's
// orvet_frame_probe and the default build's:
//
//   node tests/web/measure.js [NATIVE_BUILD_DIR]     (default build/default)
//
// Prints the page's download sizes (gzip), the time from navigation to the
// first picture on the canvas, the worst-case frame natively and in the
// browser in this one run, and the CPU share of Chromium's processes while the
// page shows a still picture.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const { execFileSync } = require('child_process');
const puppeteer = require('puppeteer-core');
const { serve } = require('../../tools/serve-web');

const root = path.join(__dirname, '..', '..');
const site = path.join(root, 'build', 'web');
const native = path.join(root, process.argv[2] || 'build/default');
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function gzipSize(file) {
  return zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length;
}

// CPU seconds used so far by a process and all its descendants.
function treeCpuSeconds(pid) {
  const ticks = Number(execFileSync('getconf', ['CLK_TCK']).toString());
  const stats = {};
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const text = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = text.slice(text.lastIndexOf(')') + 2).split(' ');
      stats[entry] = { ppid: fields[1], cpu: Number(fields[11]) + Number(fields[12]) };
    } catch (e) { /* gone */ }
  }
  let total = 0;
  const visit = (p) => {
    if (!stats[p]) return;
    total += stats[p].cpu;
    for (const [child, s] of Object.entries(stats)) if (s.ppid === p) visit(child);
  };
  visit(String(pid));
  return total / ticks;
}

(async () => {
  for (const name of ['orvet.wasm', 'orvet.js', 'orvet.data', 'index.html']) {
    const file = path.join(site, name);
    console.log(`${name}: ${fs.statSync(file).size} bytes, ${gzipSize(file)} gzipped`);
  }

  const nativeFrames = [1, 2, 3].map(() => Number(
    execFileSync(path.join(native, 'bench', 'orvet_frame_probe')).toString().split(' ')[1]));

  // The probe's page and the game's site side by side.
  const probeDir = fs.mkdtempSync(path.join(os.tmpdir(), 'orvet-probe-'));
  fs.copyFileSync(path.join(root, 'build', 'web-build', 'web', 'orvet_frame_probe.js'),
                  path.join(probeDir, 'orvet_frame_probe.js'));
  fs.writeFileSync(path.join(probeDir, 'index.html'),
                   '<!doctype html><script src="orvet_frame_probe.js"></script>');
  const userData = fs.mkdtempSync(path.join(os.tmpdir(), 'orvet-chromium-'));
  const servers = [];
  const start = (dir) => new Promise((resolve) => {
    servers.push(serve(dir, 0, (s, port) => resolve(`http://127.0.0.1:${port}/`)));
  });
  const gameUrl = await start(site);
  const probeUrl = await start(probeDir);
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, userDataDir: userData,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    defaultViewport: { width: 1320, height: 1080 },
  });
  try {
    const page = await browser.newPage();
    const browserFrames = [];
    for (let i = 0; i < 3; ++i) {
      const line = new Promise((resolve) => {
        const listen = (m) => {
          if (!m.text().startsWith('frame_us')) return;
          page.off('console', listen);
          resolve(m.text());
        };
        page.on('console', listen);
      });
      await page.goto(probeUrl);
      browserFrames.push(Number((await line).split(' ')[1]));
    }
    const best = (a) => Math.min(...a);
    console.log(`worst-case frame: native ${nativeFrames.join(', ')} us; browser ` +
                `${browserFrames.join(', ')} us; best browser / best native ` +
                `${(best(browserFrames) / best(nativeFrames)).toFixed(2)}`);

    // The first picture: the first time the host puts pixels on the canvas.
    await page.evaluateOnNewDocument(() => {
      const put = CanvasRenderingContext2D.prototype.putImageData;
      CanvasRenderingContext2D.prototype.putImageData = function () {
        if (window.firstPicture === undefined) window.firstPicture = performance.now();
        return put.apply(this, arguments);
      };
    });
    const times = [];
    for (let i = 0; i < 3; ++i) {
      await page.goto(gameUrl);
      await page.waitForFunction(() => window.firstPicture !== undefined, { timeout: 20000 });
      times.push(await page.evaluate(() => window.firstPicture));
    }
    console.log(`first picture after navigation: ${times.map((t) => t.toFixed(0)).join(', ')} ms` +
                ' (the first with an empty storage folder)');

    // A still picture: the chooser; against the same browser on an empty page.
    const idleShare = async () => {
      await sleep(2000);
      const pid = browser.process().pid;
      const cpu0 = treeCpuSeconds(pid);
      const t0 = Date.now();
      await sleep(10000);
      return (treeCpuSeconds(pid) - cpu0) / ((Date.now() - t0) / 1000);
    };
    const chooser = await idleShare();
    await page.goto('about:blank');
    const blank = await idleShare();
    console.log(`idle page (the chooser, a still picture): Chromium's processes use ` +
                `${(chooser * 100).toFixed(1)}% of one core (${(blank * 100).toFixed(1)}% ` +
                'on an empty page)');
  } finally {
    await browser.close();
    servers.forEach((s) => s.close());
    fs.rmSync(userData, { recursive: true, force: true });
    fs.rmSync(probeDir, { recursive: true, force: true });
  }
})();
