// Compares two files written by geometry_bits (native and WebAssembly) record
// by record; prints each kind's count and, for every difference, the input.
// Exit status 1 when the curve samples, isNear or the drawn samples differ
// (the results that decide solving, flights and the picture), 0 otherwise: a last-bit difference of sin, cos
// or atan2 is reported with whether it moves a pixel of the spiral.
//
//   node compare-geometry.js NATIVE_FILE WASM_FILE
'use strict';
const fs = require('fs');

const kinds = { 1: 'curve samples', 2: 'isNear', 3: 'stroke cos', 4: 'stroke sin',
  5: 'spiral sinf', 6: 'spiral cosf', 7: 'arrow atan2', 8: 'drawn samples' };

function words(file) {
  const b = fs.readFileSync(file);
  return new Uint32Array(b.buffer, b.byteOffset, b.length / 4);
}

function asFloat(bits) {
  const v = new DataView(new ArrayBuffer(4));
  v.setUint32(0, bits, true);
  return v.getFloat32(0, true);
}

// Round half away from zero, as the drawing primitives do.
function pixel(v) {
  return v < 0 ? -Math.floor(-v + 0.5) : Math.floor(v + 0.5);
}

// Whether a spiral point cx + r * f(angle) lands on another pixel for some
// whole centre cx on the screen and one of the spiral's radii.
function movesSpiralPixel(a, b) {
  const fa = asFloat(a), fb = asFloat(b);
  for (let m = 0; m <= 15; m += 0.5) {
    const r = Math.fround(10 - Math.fround(m / 1.5));
    for (let cx = 0; cx < 640; ++cx) {
      if (pixel(Math.fround(cx + Math.fround(r * fa))) !== pixel(Math.fround(cx + Math.fround(r * fb)))) {
        return true;
      }
    }
  }
  return false;
}

const a = words(process.argv[2]);
const b = words(process.argv[3]);
const counts = {}, differing = {};
let decisive = 0, pixelsMoved = 0, anglesChanged = 0;
if (a.length !== b.length) {
  console.log(`lengths differ: ${a.length} and ${b.length} words`);
  process.exit(1);
}
for (let i = 0; i < a.length;) {
  const kind = a[i] >>> 24, n = a[i] & 0xffffff;
  counts[kind] = (counts[kind] || 0) + 1;
  const x = a.subarray(i + 1, i + 1 + n), y = b.subarray(i + 1, i + 1 + n);
  if (a[i] !== b[i] || x.some((w, k) => w !== y[k])) {
    differing[kind] = (differing[kind] || 0) + 1;
    if (kind <= 2 || kind === 8) ++decisive;
    let line = `${kinds[kind]} differ at input ${Array.from(x).map((w) => w.toString(16))}: ` +
      `native ${Array.from(x).map((w) => w.toString(16))}, wasm ${Array.from(y).map((w) => w.toString(16))}`;
    if (kind === 5 || kind === 6) {
      const moves = movesSpiralPixel(x[1], y[1]);
      if (moves) ++pixelsMoved;
      line = `${kinds[kind]}(${asFloat(x[0])}) [0x${x[0].toString(16)}]: native 0x${x[1].toString(16)}, ` +
        `wasm 0x${y[1].toString(16)}; ${moves ? 'MOVES a spiral pixel' : 'no pixel moves'}`;
      if (moves) console.log(line);
    }
    if (kind === 7) {
      // The arrow turns by the whole degrees: only a changed truncation shows.
      const degrees = (w) => new Float64Array(new Uint32Array([w[2], w[3]]).buffer)[0];
      if (Math.trunc(degrees(x)) !== Math.trunc(degrees(y))) {
        ++anglesChanged;
        console.log(`arrow atan2(${asFloat(x[0])}, ${asFloat(x[1])}) changes the arrow's whole angle`);
      }
    }
    if (differing[kind] <= 3) console.log(line);
  }
  i += 1 + n;
}
for (const kind of Object.keys(kinds)) {
  console.log(`${kinds[kind]}: ${counts[kind] || 0} compared, ${differing[kind] || 0} differ`);
}
console.log(`spiral differences that move a pixel: ${pixelsMoved}; arrow angles changed: ${anglesChanged}`);
process.exit(decisive ? 1 : 0);
