// The loupe: while a finger is on the picture, an enlarged view of the
// picture around the touch point just above the finger, with a cross at the
// point the game reads, so that a knot five pixels wide can be seen under
// it. Drawn from the visible canvas; the game's picture is not touched. Also
// the brief mark that shows a long press has fired.
//
// The loupe's own canvas holds the game pixels shown, one for one, and the
// page enlarges it (sharp); the cross over it is drawn once. It is drawn
// again only when the finger reaches another game pixel or the host puts a
// new picture, at most once a frame, so a drag costs the page a copy of a
// few hundred pixels a picture and a finger held still costs nothing.
var orvetLoupe = (function () {
  'use strict';
  var kSpan = 24;   // game pixels shown across
  var kSize = 120;  // CSS pixels across
  var kAbove = 36;  // CSS pixels between the finger and the loupe
  var kWidth = 640, kHeight = 480;
  var shown = false, clientX = 0, clientY = 0, frame = 0;
  var drawn = null;  // the game pixel the loupe shows, or null for none
  var hooked = false;
  var last = null;   // the last picture the host put, while it still holds its pixels
  var cells = null;  // the loupe's pixels

  function element(id) {
    return document.getElementById(id);
  }

  function draw() {
    frame = 0;
    var loupe = element('loupe'), picture = element('loupe-picture'), canvas = element('canvas');
    if (!shown || !loupe || !picture || !canvas) return;
    var point = orvetPointer.gamePoint(clientX, clientY);
    var context = picture.getContext('2d');
    // The read pixel in the middle; black off the picture.
    var x0 = point.x - Math.floor(kSpan / 2), y0 = point.y - Math.floor(kSpan / 2);
    var source = last && last.data.length === kWidth * kHeight * 4 ? last.data : null;
    if (source) {
      if (!cells) cells = context.createImageData(kSpan, kSpan);
      var out = new Uint32Array(cells.data.buffer), from = new Uint32Array(source.buffer,
          source.byteOffset, kWidth * kHeight);
      for (var y = 0; y < kSpan; ++y) {
        var row = y0 + y;
        for (var x = 0; x < kSpan; ++x) {
          var column = x0 + x;
          out[y * kSpan + x] = row >= 0 && row < kHeight && column >= 0 && column < kWidth ?
              from[row * kWidth + column] : 0xff000000;
        }
      }
      context.putImageData(cells, 0, 0);
    } else {
      context.fillStyle = '#000';
      context.fillRect(0, 0, kSpan, kSpan);
      context.drawImage(canvas, x0, y0, kSpan, kSpan, 0, 0, kSpan, kSpan);
    }
    drawn = point;
    place(loupe);
    loupe.hidden = false;
  }

  // Above the finger, or below it at the top of the screen; kept on screen.
  function place(loupe) {
    var left = Math.min(window.innerWidth - kSize, Math.max(0, clientX - kSize / 2));
    var top = clientY - kAbove - kSize;
    if (top < 0) top = clientY + kAbove;
    loupe.style.transform = 'translate(' + left + 'px,' + top + 'px)';
  }

  function redraw() {
    if (shown && !frame) frame = requestAnimationFrame(draw);
  }

  // Every picture the host puts on the canvas may change what the loupe
  // shows.
  function hookPresents() {
    if (hooked) return;
    var canvas = element('canvas');
    if (!canvas) return;
    hooked = true;
    var context = canvas.getContext('2d');
    var put = context.putImageData;
    context.putImageData = function (image) {
      put.apply(context, arguments);
      last = image;
      redraw();
    };
  }

  function show(x, y) {
    hookPresents();
    clientX = x;
    clientY = y;
    shown = true;
    var point = orvetPointer.gamePoint(x, y);
    if (!drawn || point.x !== drawn.x || point.y !== drawn.y) {
      redraw();
    } else {
      place(element('loupe'));  // the same game pixel: only the loupe follows the finger
    }
  }

  function hide() {
    shown = false;
    drawn = null;
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
