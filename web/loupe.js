// The loupe: while a finger is on the picture, an enlarged view of the
// picture around the touch point just above the finger, with a cross at the
// point the game reads, so that a knot five pixels wide can be seen under
// it. Drawn from the visible canvas; the game's picture is not touched. Also
// the brief mark that shows a long press has fired.
var orvetLoupe = (function () {
  'use strict';
  var kSpan = 24;        // game pixels shown across
  var kSize = 120;       // CSS pixels across
  var kAbove = 36;       // CSS pixels between the finger and the loupe
  var shown = false, clientX = 0, clientY = 0, frame = 0;

  function element(id) {
    return document.getElementById(id);
  }

  function draw() {
    frame = 0;
    var loupe = element('loupe'), canvas = element('canvas');
    if (!shown || !loupe || !canvas) return;
    var ratio = window.devicePixelRatio || 1;
    var pixels = Math.round(kSize * ratio);
    if (loupe.width !== pixels) loupe.width = loupe.height = pixels;
    var point = orvetPointer.gamePoint(clientX, clientY);
    var context = loupe.getContext('2d');
    context.imageSmoothingEnabled = false;
    context.fillStyle = '#000';
    context.fillRect(0, 0, pixels, pixels);
    // The read pixel in the middle.
    var cell = pixels / kSpan;
    var half = Math.floor(kSpan / 2);
    context.drawImage(canvas, point.x - half, point.y - half, kSpan, kSpan, 0, 0, pixels, pixels);
    var centre = half * cell + cell / 2;
    context.strokeStyle = '#e00';
    context.lineWidth = Math.max(1, ratio);
    context.beginPath();
    context.moveTo(centre, centre - 3 * cell);
    context.lineTo(centre, centre - cell);
    context.moveTo(centre, centre + cell);
    context.lineTo(centre, centre + 3 * cell);
    context.moveTo(centre - 3 * cell, centre);
    context.lineTo(centre - cell, centre);
    context.moveTo(centre + cell, centre);
    context.lineTo(centre + 3 * cell, centre);
    context.stroke();
    context.strokeRect(half * cell, half * cell, cell, cell);
    // Above the finger, or below it at the top of the screen; kept on screen.
    var left = Math.min(window.innerWidth - kSize, Math.max(0, clientX - kSize / 2));
    var top = clientY - kAbove - kSize;
    if (top < 0) top = clientY + kAbove;
    loupe.style.left = left + 'px';
    loupe.style.top = top + 'px';
    loupe.hidden = false;
    // The picture changes under a drag: draw again at the next frame.
    frame = requestAnimationFrame(draw);
  }

  function show(x, y) {
    clientX = x;
    clientY = y;
    shown = true;
    if (!frame) frame = requestAnimationFrame(draw);
  }

  function hide() {
    shown = false;
    if (frame) cancelAnimationFrame(frame);
    frame = 0;
    var loupe = element('loupe');
    if (loupe) loupe.hidden = true;
  }

  // A ring at a client position that fades out.
  function mark(x, y) {
    var ring = element('press-mark');
    if (!ring) return;
    ring.style.left = x + 'px';
    ring.style.top = y + 'px';
    ring.hidden = false;
    ring.classList.remove('fading');
    void ring.offsetWidth;  // restart the fade
    ring.classList.add('fading');
    clearTimeout(mark.timer);
    mark.timer = setTimeout(function () { ring.hidden = true; }, 600);
  }

  return { show: show, hide: hide, mark: mark };
})();
