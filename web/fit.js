// Sizing the picture to the window: the largest 4:3 size that fits beside
// or under the page's controls, with no page scrolling. A whole factor of
// device pixels shows sharp pixels; the size just above a whole factor is
// taken down to it; below 1x the picture is scaled smoothly, and between two
// factors its sharp enlargement by the lower one is. In full screen the picture is alone. A resize, a turn
// of the phone, full screen and a change of devicePixelRatio fit it again.
var orvetFit = (function () {
  'use strict';
  var kWidth = 640, kHeight = 480;
  // A size at most this much above a whole factor is taken down to it.
  var kSnap = 1.05;
  // The narrowest panel of controls beside the picture.
  var kSideWidth = 220;

  function element(id) {
    return document.getElementById(id);
  }

  function fullScreen() {
    return !!document.fullscreenElement;
  }

  // The height the controls under the picture need at least: the key row,
  // the guide and the status line.
  function reservedUnder() {
    var side = element('side');
    if (!side) return 0;
    var needed = 8;
    ['keys', 'guide', 'status'].forEach(function (id) {
      var e = element(id);
      if (e && !e.hidden && e.offsetParent !== null) needed += e.offsetHeight + 4;
    });
    return needed;
  }

  // The scale in device pixels for an available size, whole where it is
  // close above a whole factor.
  function deviceScale(width, height, ratio) {
    var scale = Math.max(0, Math.min(width / kWidth, height / kHeight)) * ratio;
    var whole = Math.floor(scale);
    if (whole >= 1 && scale < whole * kSnap) scale = whole;
    return scale;
  }

  function fit() {
    var canvas = element('canvas');
    var stage = element('stage');
    if (!canvas || !stage) return;
    var ratio = window.devicePixelRatio || 1;
    var width = document.documentElement.clientWidth || window.innerWidth;
    var height = window.innerHeight;
    var layout, scale;
    if (fullScreen()) {
      layout = 'alone';
      scale = deviceScale(width, height, ratio);
    } else {
      var under = deviceScale(width, height - reservedUnder(), ratio);
      var beside = deviceScale(width - kSideWidth, height, ratio);
      layout = beside > under ? 'beside' : 'under';
      scale = Math.max(under, beside);
    }
    // Whole device pixels, and a width that is a multiple of 4 so the
    // height is exactly three quarters of it.
    var deviceWidth = Math.max(4, Math.floor(kWidth * scale / 4) * 4);
    if (scale === Math.floor(scale)) deviceWidth = kWidth * scale;
    var sharp = deviceWidth % kWidth === 0;
    stage.dataset.layout = layout;
    canvas.style.width = deviceWidth / ratio + 'px';
    canvas.style.height = deviceWidth * 3 / 4 / ratio + 'px';
    canvas.classList.toggle('smooth', !sharp);
    enlarge(sharp || deviceWidth < 2 * kWidth ? 0 : Math.floor(deviceWidth / kWidth));
    watchRatio(ratio);
  }

  // Between two whole factors the picture is first enlarged sharply by the
  // lower one and that is scaled smoothly, so lines stay as crisp as they
  // can. The enlargement is drawn behind the game's canvas, which stays on
  // top (see-through) for the pointer and keeps the picture's pixels; it
  // follows every picture the host puts on the canvas. Until the host has
  // put one there, or at 1x and whole factors, the canvas shows itself.
  var enlargement = { factor: 0, hooked: false, seen: false };
  function copyEnlarged() {
    var big = element('enlarged'), canvas = element('canvas');
    if (!enlargement.factor || !big) return;
    var context = big.getContext('2d');
    context.imageSmoothingEnabled = false;
    context.drawImage(canvas, 0, 0, big.width, big.height);
  }
  function hookPresents() {
    if (enlargement.hooked) return;
    enlargement.hooked = true;
    var context = element('canvas').getContext('2d');
    var put = context.putImageData;
    context.putImageData = function () {
      put.apply(context, arguments);
      if (!enlargement.seen) {
        enlargement.seen = true;
        showEnlarged();
      }
      copyEnlarged();
    };
  }
  function showEnlarged() {
    var big = element('enlarged'), canvas = element('canvas');
    var on = enlargement.factor > 0 && enlargement.seen;
    big.hidden = !on;
    canvas.classList.toggle('over-enlarged', on);
  }
  function enlarge(factor) {
    var big = element('enlarged');
    if (!big) return;
    hookPresents();
    enlargement.factor = factor;
    if (factor && big.width !== kWidth * factor) {
      big.width = kWidth * factor;
      big.height = kHeight * factor;
    }
    var canvas = element('canvas');
    big.style.width = canvas.style.width;
    big.style.height = canvas.style.height;
    showEnlarged();
    copyEnlarged();
  }

  // matchMedia on the current ratio tells when it changes (a zoom, a move
  // to another screen).
  var ratioQuery = null;
  function watchRatio(ratio) {
    if (ratioQuery && ratioQuery.ratio === ratio) return;
    if (ratioQuery) ratioQuery.list.removeEventListener('change', fit);
    var list = window.matchMedia('(resolution: ' + ratio + 'dppx)');
    list.addEventListener('change', fit);
    ratioQuery = { ratio: ratio, list: list };
  }

  window.addEventListener('resize', fit);
  window.addEventListener('orientationchange', fit);
  document.addEventListener('fullscreenchange', fit);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', fit);
  fit();
  return { fit: fit };
})();
