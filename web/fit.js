// Sizing the picture to the window: the largest 4:3 size that fits beside
// or under the page's controls, with no page scrolling. A whole factor of
// device pixels shows sharp pixels; the size just above a whole factor is
// taken down to it, and any other size (below 1x, or between two factors)
// is scaled smoothly. In full screen the picture is alone. A resize, a turn
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
    watchRatio(ratio);
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
