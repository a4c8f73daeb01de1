// Compares what the native and the WebAssembly orvet-script left: exit
// status, stdout, stderr, and every file in the two directories, PNG shots by
// their decoded pixels (the native shots are compressed by libpng, the
// WebAssembly ones stored). Prints one line per difference, nothing when the
// runs agree.
//
//   node compare-runs.js NATIVE_DIR WASM_DIR NATIVE_STATUS WASM_STATUS \
//        NATIVE_OUT WASM_OUT NATIVE_ERR WASM_ERR
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

// The RGB(A) rows of a PNG, unfiltered; null when it is not one this reads.
function decodePng(bytes) {
  if (bytes.length < 8 || bytes.readUInt32BE(0) !== 0x89504e47) return null;
  let offset = 8, width = 0, height = 0, channels = 0;
  const data = [];
  while (offset < bytes.length) {
    const length = bytes.readUInt32BE(offset);
    const type = bytes.toString('latin1', offset + 4, offset + 8);
    const body = bytes.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0) return null;
      channels = { 2: 3, 6: 4, 0: 1 }[body[9]];
      if (!channels) return null;
    } else if (type === 'IDAT') {
      data.push(body);
    }
    offset += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const out = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const row = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? out[y * stride + x - channels] : 0;
      const b = y > 0 ? out[(y - 1) * stride + x] : 0;
      const c = x >= channels && y > 0 ? out[(y - 1) * stride + x - channels] : 0;
      let predicted = 0;
      if (filter === 1) predicted = a;
      else if (filter === 2) predicted = b;
      else if (filter === 3) predicted = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      out[y * stride + x] = (row[x] + predicted) & 0xff;
    }
  }
  return { width, height, channels, pixels: out };
}

function listFiles(dir, prefix = '') {
  let names = [];
  for (const entry of fs.readdirSync(path.join(dir, prefix), { withFileTypes: true })) {
    const name = path.join(prefix, entry.name);
    if (entry.isDirectory()) names = names.concat(listFiles(dir, name));
    else names.push(name);
  }
  return names;
}

function firstDifference(a, b) {
  const n = Math.min(a.length, b.length);
  for (let i = 0; i < n; ++i) if (a[i] !== b[i]) return i;
  return n;
}

const [nativeDir, wasmDir, nativeStatus, wasmStatus, nativeOut, wasmOut, nativeErr, wasmErr] =
  process.argv.slice(2);
const differences = [];
if (nativeStatus !== wasmStatus) {
  differences.push(`exit status: native ${nativeStatus}, wasm ${wasmStatus}`);
}
// The solver's messages give the wall-clock time its search took, which
// is measured, not computed: compared as "N s" (the rest of the line, the
// found path's word included, must agree).
const untimed = (text) => text.replace(
  /(orvet: (?:level \d+ solved|no path of \d+ segments found for level \d+) in )\d+\.\d s/g,
  '$1N s');
for (const [what, a, b] of [['stdout', nativeOut, wasmOut], ['stderr', nativeErr, wasmErr]]) {
  const x = untimed(fs.readFileSync(a, 'utf8')), y = untimed(fs.readFileSync(b, 'utf8'));
  if (x !== y) differences.push(`${what}: native ${JSON.stringify(x)}, wasm ${JSON.stringify(y)}`);
}
const skip = new Set(['.stdout', '.stderr']);
const nativeFiles = listFiles(nativeDir).filter((n) => !skip.has(n)).sort();
const wasmFiles = listFiles(wasmDir).filter((n) => !skip.has(n)).sort();
if (nativeFiles.join('\n') !== wasmFiles.join('\n')) {
  differences.push(`files: native [${nativeFiles}], wasm [${wasmFiles}]`);
}
let shots = 0, files = 0;
for (const name of nativeFiles.filter((n) => wasmFiles.includes(n))) {
  const a = fs.readFileSync(path.join(nativeDir, name));
  const b = fs.readFileSync(path.join(wasmDir, name));
  const modeA = fs.statSync(path.join(nativeDir, name)).mode & 0o7777;
  const modeB = fs.statSync(path.join(wasmDir, name)).mode & 0o7777;
  if (modeA !== modeB) {
    differences.push(`${name}: mode native ${modeA.toString(8)}, wasm ${modeB.toString(8)}`);
  }
  if (name.endsWith('.png')) {
    const x = decodePng(a), y = decodePng(b);
    if (!x || !y) {
      differences.push(`${name}: not a PNG this comparison reads`);
    } else if (x.width !== y.width || x.height !== y.height || !x.pixels.equals(y.pixels)) {
      const at = firstDifference(x.pixels, y.pixels) / x.channels;
      differences.push(`${name}: pixels differ, first at (${at % x.width}, ${Math.floor(at / x.width)})`);
    }
    ++shots;
  } else {
    if (!a.equals(b)) differences.push(`${name}: bytes differ from offset ${firstDifference(a, b)}`);
    ++files;
  }
}
if (differences.length) console.log(differences.join('\n'));
else if (process.env.ORVET_COMPARE_VERBOSE) console.error(`same: ${files} files, ${shots} shots`);
