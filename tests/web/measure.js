// Measurements of the browser build, for the notes (not a test: it prints,
// it does not judge). Run after `make web`, the web preset's
// orvet_frame_probe and the default build's:
//
//   node tests/web/measure.js [NATIVE_BUILD_DIR]     (default build/default)
//
// SITE_DIR and PROBE_JS name another page and probe (an older build's) to
// measure instead of build/web and the web preset's orvet_frame_probe.js;
// MEASURE lists the parts to run (default sizes,frame,start,idle,input,drag,
// solve).
//
// Prints the page's download sizes (gzip), the time from navigation to the
// first picture on the canvas, the worst-case frame natively and in the
// browser in this one run, the CPU share of Chromium's processes while the
// page shows a still picture (the chooser, a level, the level in a hidden
// tab, an empty page), the time from the first input after 5 s of stillness
// to its answer on the canvas, and the pictures a second a knot dragged with
// the CPU slowed 4x shows, and how long the page stands still for F3.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const { execFileSync } = require('child_process');
const puppeteer = require('puppeteer-core');
const { serve } = require('../../tools/serve-web');

const root = path.join(__dirname, '..', '..');
const site = process.env.SITE_DIR || path.join(root, 'build', 'web');
const probeJs = process.env.PROBE_JS ||
  path.join(root, 'build', 'web-build', 'web', 'orvet_frame_probe.js');
const native = path.join(root, process.argv[2] || 'build/default');
const parts = (process.env.MEASURE || 'sizes,frame,start,idle,input,drag,solve').split(',');
const want = (part) => parts.includes(part);
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
  for (const name of want('sizes') ? ['orvet.wasm', 'orvet.js', 'orvet.data', 'index.html'] : []) {
    const file = path.join(site, name);
    console.log(`${name}: ${fs.statSync(file).size} bytes, ${gzipSize(file)} gzipped`);
  }

  const nativeFrames = (want('frame') ? [1, 2, 3] : []).map(() => Number(
    execFileSync(path.join(native, 'bench', 'orvet_frame_probe')).toString().split(' ')[1]));

  // The probe's page and the game's site side by side.
  const probeDir = fs.mkdtempSync(path.join(os.tmpdir(), 'orvet-probe-'));
  fs.copyFileSync(probeJs, path.join(probeDir, 'orvet_frame_probe.js'));
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
  const launched = Date.now();
  try {
    const page = await browser.newPage();
    // Leaving a level after a drag asks first; the measurement leaves.
    page.on('dialog', (dialog) => dialog.accept());
    const browserFrames = [];
    for (let i = 0; i < (want('frame') ? 3 : 0); ++i) {
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
    if (want('frame')) console.log(`worst-case frame: native ${nativeFrames.join(', ')} us; browser ` +
                `${browserFrames.join(', ')} us; best browser / best native ` +
                `${(best(browserFrames) / best(nativeFrames)).toFixed(2)}`);

    // The first picture: the first time the host puts pixels on the canvas.
    await page.evaluateOnNewDocument(() => {
      const put = CanvasRenderingContext2D.prototype.putImageData;
      CanvasRenderingContext2D.prototype.putImageData = function () {
        if (window.firstPicture === undefined && this.canvas.id === 'canvas') {
          window.firstPicture = performance.now();
        }
        return put.apply(this, arguments);
      };
    });
    const times = [];
    for (let i = 0; i < (want('start') ? 3 : 0); ++i) {
      await page.goto(gameUrl);
      await page.waitForFunction(() => window.firstPicture !== undefined, { timeout: 20000 });
      times.push(await page.evaluate(() => window.firstPicture));
    }
    if (want('start')) console.log(`first picture after navigation: ${times.map((t) => t.toFixed(0)).join(', ')} ms` +
                ' (the first with an empty storage folder)');

    // A still picture: the chooser, a level (its first puzzle's, with no
    // attractor), the level in a tab behind another, against the same
    // browser on an empty page.
    const pid = browser.process().pid;
    // The median of three 10 s windows, after 2 s to settle: Chromium's own
    // occasional bursts of work land in one window, not in the figure (the
    // kernel counts in hundredths of a second, 0.1% of a window).
    const idleShare = async () => {
      await sleep(2000);
      const shares = [];
      for (let i = 0; i < 3; ++i) {
        const cpu0 = treeCpuSeconds(pid);
        const t0 = Date.now();
        await sleep(10000);
        shares.push((treeCpuSeconds(pid) - cpu0) / ((Date.now() - t0) / 1000));
      }
      return shares.sort((a, b) => a - b)[1];
    };
    const percent = (share) => `${(share * 100).toFixed(1)}%`;
    const level = `${gameUrl}?arg1=01-pocetak.zag`;
    const openLevel = async () => {
      await page.goto(level);
      await page.waitForFunction(() => document.title === 'Orvet: 01-pocetak', { timeout: 20000 });
    };
    if (want('idle')) {
      // Chromium does work of its own about 30 s after it starts, a burst
      // of a few per cent of a core that would land in one of the figures.
      await sleep(Math.max(0, launched + 40000 - Date.now()));
      await page.goto(gameUrl);
      await page.waitForFunction(() => window.firstPicture !== undefined, { timeout: 20000 });
      const chooser = await idleShare();
      await openLevel();
      const still = await idleShare();
      const front = await browser.newPage();
      await front.bringToFront();
      const hiddenState = await page.evaluate(() => document.visibilityState);
      const hidden = await idleShare();
      await page.bringToFront();
      await front.close();
      await page.goto('about:blank');
      const blank = await idleShare();
      // The hidden level's own baseline: the same two tabs, both empty.
      const second = await browser.newPage();
      await second.bringToFront();
      const blankBehind = await idleShare();
      await page.bringToFront();
      await second.close();
      console.log(`idle page, Chromium's processes in % of one core: the chooser ${percent(chooser)}, ` +
                  `a still level ${percent(still)}, that level ${hiddenState} behind another tab ` +
                  `${percent(hidden)}, an empty page ${percent(blank)}, an empty page behind ` +
                  `another ${percent(blankBehind)}`);
    }

    // The first input after 5 s of stillness: the pointer onto a knot
    // colours its marker. From the event to the picture put on the canvas,
    // and to the next frame the browser shows after it.
    await page.evaluateOnNewDocument(() => {
      window.puts = [];
      const put = CanvasRenderingContext2D.prototype.putImageData;
      CanvasRenderingContext2D.prototype.putImageData = function () {
        if (this.canvas.id === 'canvas') window.puts.push(performance.now());
        return put.apply(this, arguments);
      };
      window.addEventListener('mousemove', (e) => { window.lastMove = e.timeStamp; }, true);
    });
    await openLevel();
    await sleep(500);
    // A knot's light centre on the canvas (a level starts where it likes).
    const findKnot = () => page.evaluate(() => {
      const c = document.getElementById('canvas');
      const d = c.getContext('2d').getImageData(0, 0, 640, 480).data;
      const light = (x, y) => {
        const i = 4 * (y * 640 + x);
        return d[i] === 0xca && d[i + 1] === 0xca && d[i + 2] === 0xff;
      };
      for (let y = 1; y < 479; ++y) {
        for (let x = 1; x < 639; ++x) {
          let all = true;
          for (let dy = -1; dy <= 1 && all; ++dy) {
            for (let dx = -1; dx <= 1 && all; ++dx) all = light(x + dx, y + dy);
          }
          if (all) return { x, y };
        }
      }
      return null;
    });
    const knot = await findKnot();
    const place = await page.evaluate(() => {
      const b = document.getElementById('canvas').getBoundingClientRect();
      return { left: b.left, top: b.top, scale: b.width / 640 };
    });
    const at = (x, y) => ({ x: place.left + (x + 0.5) * place.scale,
                            y: place.top + (y + 0.5) * place.scale });
    const latencies = [];
    const paints = [];
    for (let i = 0; knot && want('input') && i < 4; ++i) {
      const p = i % 2 === 0 ? at(knot.x, knot.y) : at(620, 470);
      await sleep(5000);
      await page.evaluate(() => { window.puts = []; });
      await page.mouse.move(p.x, p.y);
      const t = await page.evaluate(() => new Promise((resolve) => {
        const check = () => {
          if (!window.puts.length) return requestAnimationFrame(check);
          const put = window.puts[0];
          requestAnimationFrame((shown) => resolve([put - window.lastMove, shown - window.lastMove]));
        };
        check();
      }));
      latencies.push(t[0]);
      paints.push(t[1]);
    }
    const ms = (a) => a.map((v) => v.toFixed(1)).join(', ');
    if (want('input')) console.log(`input after 5 s of stillness: on the canvas after ${ms(latencies)} ms; ` +
                `in the next frame after ${ms(paints)} ms`);

    // A knot dragged round a circle for 4 s with the CPU slowed 4x: the
    // frames the browser showed with a new picture in them.
    const cdp = await page.target().createCDPSession();
    const drag = async (touch) => {
      await openLevel();
      await sleep(500);
      const start = await findKnot();
      if (!start) return 'not measured (no knot found)';
      const centre = at(start.x, start.y);
      await page.evaluate(() => {
        window.puts = [];
        window.shown = 0;
        let seen = 0;
        const frame = () => {
          if (window.puts.length > seen) {
            seen = window.puts.length;
            ++window.shown;
          }
          requestAnimationFrame(frame);
        };
        requestAnimationFrame(frame);
      });
      await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
      const point = (angle) => ({ x: Math.round(centre.x + 40 * place.scale * Math.sin(angle)),
                                  y: Math.round(centre.y - 40 * place.scale * (1 - Math.cos(angle))) });
      const touchAt = (type, p) => cdp.send('Input.dispatchTouchEvent', {
        type, touchPoints: type === 'touchEnd' ? [] : [{ x: p.x, y: p.y }] });
      // The game reads the pointer at its own pace: over the knot first,
      // then pressed, as a hand does it.
      if (touch) await touchAt('touchStart', centre);
      else {
        await page.mouse.move(centre.x, centre.y);
        await sleep(100);
        await page.mouse.down();
      }
      await sleep(100);
      await page.evaluate(() => { window.puts = []; window.shown = 0; });
      const t0 = Date.now();
      let moves = 0;
      while (Date.now() - t0 < 4000) {
        ++moves;
        const p = point((Date.now() - t0) / 1000 * Math.PI);
        if (touch) await touchAt('touchMove', p);
        else await page.mouse.move(p.x, p.y);
        await sleep(4);
      }
      const counted = await page.evaluate(() => [window.puts.length, window.shown]);
      const seconds = (Date.now() - t0) / 1000;
      if (touch) await touchAt('touchEnd', centre);
      else await page.mouse.up();
      await cdp.send('Emulation.setCPUThrottlingRate', { rate: 1 });
      return `${(counted[1] / seconds).toFixed(1)} shown a second (${(counted[0] / seconds).toFixed(1)} put, ` +
             `${(moves / seconds).toFixed(1)} moves sent)`;
    };
    if (knot && want('drag')) {
      const mouse = await drag(false);
      await page.setViewport({ width: 1320, height: 1080, hasTouch: true });
      const touch = await drag(true);
      await page.setViewport({ width: 1320, height: 1080 });
      console.log(`a knot dragged with the CPU slowed 4x: by mouse ${mouse}; by touch ${touch}`);
    } else if (!knot) {
      console.log('no knot found on the level: latency and drag not measured');
    }
    // F3 in the page, where the search runs inside a frame and the page
    // stands still meanwhile: from the key to the status line's message for
    // the editor's solution of every level of the pack (Page Up is the next
    // level), with the time the solver itself gave; from the key to the next
    // picture for the first play hint on each puzzle's first level; the
    // longest task the browser saw for each; and an impossible level's "not
    // found".
    if (want('solve')) {
      await page.evaluateOnNewDocument(() => {
        window.tasks = [];
        new PerformanceObserver((list) => {
          for (const e of list.getEntries()) window.tasks.push(e.duration);
        }).observe({ entryTypes: ['longtask'] });
        window.addEventListener('keydown', () => { window.keyAt = performance.now(); }, true);
        window.addEventListener('DOMContentLoaded', () => {
          new MutationObserver(() => { window.statusAt = performance.now(); })
            .observe(document.getElementById('status'), { childList: true, characterData: true,
                                                          subtree: true });
        });
      });
      const pack = fs.readdirSync(path.join(root, 'puzzles')).filter((n) => n.endsWith('.zag'));
      const levels = (name) =>
        fs.readFileSync(path.join(root, 'puzzles', name), 'latin1').split('"LVL"').length - 1;
      // [key to the status line, key to the next picture, longest task] in ms.
      const press = async (key, ms) => {
        await page.evaluate(() => { window.tasks = []; window.puts = []; window.statusAt = 0; });
        await page.keyboard.press(key);
        await sleep(ms);
        return page.evaluate(() => [window.statusAt ? window.statusAt - window.keyAt : NaN,
                                    window.puts.length ? window.puts[0] - window.keyAt : NaN,
                                    Math.max(0, ...window.tasks)]);
      };
      const openAs = async (query, title) => {
        await page.goto(`${gameUrl}?${query}`);
        await page.waitForFunction((t) => document.title === t, { timeout: 20000 }, title);
        await sleep(500);
      };
      const spread = (a) => {
        const sorted = [...a].sort((x, y) => x - y);
        return `median ${sorted[sorted.length >> 1].toFixed(0)} ms, worst ` +
               `${sorted[sorted.length - 1].toFixed(0)} ms`;
      };
      const task = (t) => (t > 0 ? t.toFixed(0) : '<50');
      const ms = (t) => (t === null ? 'none' : t.toFixed(0));
      const editor = [];
      const play = [];
      const hints = [];
      for (const name of pack) {
        const title = `Orvet: ${name.replace(/\.zag$/, '')}`;
        await openAs(`arg1=${name}&arg2=pravi`, title);
        const own = [];
        for (let level = 0; level < levels(name); ++level) {
          const [toStatus, , longest] = await press('F3', 1500);
          const said = await page.$eval('#status', (e) => e.textContent);
          own.push(`${ms(toStatus)}/${task(longest)} (${said.replace(/^.*level (\d+) solved in ([0-9.]+ s).*$/, '$1: $2')})`);
          if (toStatus !== null) editor.push(toStatus);
          await press('PageUp', 300);
        }
        console.log(`editor F3, ${name}, per level: ms to the status line/longest task ` +
                    `(level: the solver's time) ${own.join(', ')}`);
        await openAs(`arg1=${name}`, title);
        const [, toPicture, longest] = await press('F3', 800);
        hints.push(`${name} ${ms(toPicture)}/${task(longest)}`);
        if (toPicture !== null) play.push(toPicture);
      }
      console.log(`play F3, the first hint on each puzzle's first level: ms to the next ` +
                  `picture/longest task ${hints.join(', ')}`);
      console.log(`F3 over the pack's ${editor.length} levels: editor ${spread(editor)}; ` +
                  `play's first hint ${spread(play)}`);
      // One segment cannot pass twelve points spread over the page.
      let points = '';
      for (let i = 0; i < 12; ++i) points += `${40 + (i * 197) % 560},${40 + (i * 131) % 400},-32,`;
      await page.evaluate((text) => FS.writeFile('/orvet/measure-impossible.zag', text),
                          `"LVL"\r\n49,"code"\r\n${points}"points"\r\n1,"paths"\r\n\r\n0\r\n"END"\r\n`);
      await page.evaluate(() => new Promise((resolve) => orvetPage.storeThen(resolve)));
      await openAs('arg1=measure-impossible.zag&arg2=pravi', 'Orvet: measure-impossible');
      const [toStatus, , longest] = await press('F3', 8000);
      console.log(`editor F3 on an impossible level: the status line after ${ms(toStatus)} ` +
                  `ms, longest task ${task(longest)} ms: ` +
                  `"${await page.$eval('#status', (e) => e.textContent)}"`);
    }
  } finally {
    await browser.close();
    servers.forEach((s) => s.close());
    fs.rmSync(userData, { recursive: true, force: true });
    fs.rmSync(probeDir, { recursive: true, force: true });
  }
})();
