// Touch and pen on the canvas, turned into the game's mouse buttons (a mouse
// keeps the host's own mouse callbacks). Everything is queued into the
// game's input feed and the host's sleep woken; the game reads it in its
// next pass.
//
// One finger: a press that moves beyond a small radius is the left button
// pressed where the finger came down, then a drag; lifting releases it. A
// press held still for a while is a right press and release there (a flight
// on a knot, the menu elsewhere), and the rest of that touch is spent. A
// press lifted before either is a left click. The left press is held back
// until the touch is known not to be a long press, so that a long press
// never also acts as a left press (a grab, a menu row).
//
// Two fingers: a tap with two fingers is a right click; a second finger
// during a drag releases the drag at the first finger's last position.
var orvetPointer = (function () {
  'use strict';
  var kLongPressMs = 450;
  var kStillRadius = 8;  // CSS pixels
  var kWidth = 640, kHeight = 480;
  var kLeft = 1, kRight = 3;
  var kMoved = 0, kPressed = 1, kReleased = 2;

  // The touch that drives the game: where it came down and last was (client
  // and game positions), and what it is: 'waiting' (not yet known), 'drag',
  // 'two' (a second finger came while waiting) or 'spent'.
  var touch = null;
  var fingers = {};  // pointerId -> true for every finger down
  var penButtons = 0;

  function element(id) {
    return document.getElementById(id);
  }

  function running() {
    return document.body.dataset.state === 'running' && typeof Module !== 'undefined' &&
           Module['_orvetPagePointer'];
  }

  // A client position in game pixels, kept on the picture: a finger has no
  // place off it.
  function gamePoint(clientX, clientY) {
    var canvas = element('canvas');
    var r = canvas.getBoundingClientRect();
    var x = Math.floor((clientX - r.left) * kWidth / r.width);
    var y = Math.floor((clientY - r.top) * kHeight / r.height);
    return { x: Math.min(kWidth - 1, Math.max(0, x)), y: Math.min(kHeight - 1, Math.max(0, y)) };
  }

  function send(kind, point, button) {
    if (!running()) return;
    Module['_orvetPagePointer'](kind, point.x, point.y, button || 0);
    orvetPage.wakeHost();
  }

  function click(point, button) {
    send(kMoved, point);
    send(kPressed, point, button);
    send(kReleased, point, button);
  }

  function fingerCount() {
    return Object.keys(fingers).length;
  }

  function clearTimer() {
    if (touch && touch.timer) clearTimeout(touch.timer);
    if (touch) touch.timer = 0;
  }

  function longPress() {
    if (!touch || touch.state !== 'waiting') return;
    touch.timer = 0;
    touch.state = 'spent';
    if (navigator.vibrate) navigator.vibrate(30);
    if (window.orvetLoupe) orvetLoupe.mark(touch.startClient.x, touch.startClient.y);
    click(touch.start, kRight);
  }

  function moved(e) {
    return Math.hypot(e.clientX - touch.startClient.x, e.clientY - touch.startClient.y) >
           kStillRadius;
  }

  function onDown(e) {
    if (e.pointerType === 'mouse' || !running()) return;
    e.preventDefault();  // no mouse events made up from this touch
    var canvas = element('canvas');
    if (document.activeElement && document.activeElement !== document.body &&
        document.activeElement.id !== 'key-input') {
      document.activeElement.blur();
    }
    try {
      canvas.setPointerCapture(e.pointerId);
    } catch (err) {
      // A pointer already gone.
    }
    var point = gamePoint(e.clientX, e.clientY);
    if (e.pointerType === 'pen' && e.button === 2) {
      // The pen's barrel button is the right button.
      penButtons |= 2;
      send(kMoved, point);
      send(kPressed, point, kRight);
      return;
    }
    fingers[e.pointerId] = true;
    if (touch === null) {
      if (fingerCount() > 1) return;  // the rest of an earlier touch
      touch = {
        id: e.pointerId, state: 'waiting', start: point, last: point,
        startClient: { x: e.clientX, y: e.clientY }, timer: 0,
      };
      touch.timer = setTimeout(longPress, kLongPressMs);
      send(kMoved, point);
      if (window.orvetLoupe) orvetLoupe.show(e.clientX, e.clientY);
      return;
    }
    if (touch.state === 'waiting') {
      clearTimer();
      touch.state = 'two';
    } else if (touch.state === 'drag') {
      send(kReleased, touch.last, kLeft);
      touch.state = 'spent';
    }
    if (window.orvetLoupe) orvetLoupe.hide();
  }

  function onMove(e) {
    if (e.pointerType === 'mouse' || !running()) return;
    if (e.pointerType === 'pen' && !touch) {
      send(kMoved, gamePoint(e.clientX, e.clientY));  // a pen hovering, or its button held
      return;
    }
    if (!touch || e.pointerId !== touch.id) return;
    touch.last = gamePoint(e.clientX, e.clientY);
    if (touch.state === 'waiting' && moved(e)) {
      clearTimer();
      touch.state = 'drag';
      send(kPressed, touch.start, kLeft);
    }
    if (touch.state === 'drag') send(kMoved, touch.last);
    if (touch.state === 'waiting' || touch.state === 'drag') {
      if (window.orvetLoupe) orvetLoupe.show(e.clientX, e.clientY);
    }
  }

  function onUp(e) {
    if (e.pointerType === 'mouse') return;
    var cancelled = e.type === 'pointercancel';
    if (e.pointerType === 'pen' && penButtons) {
      penButtons = 0;
      send(kReleased, gamePoint(e.clientX, e.clientY), kRight);
      return;
    }
    delete fingers[e.pointerId];
    if (touch && (e.pointerId === touch.id || touch.state === 'two')) {
      clearTimer();
      if (touch.state === 'waiting' && !cancelled) {
        click(touch.start, kLeft);
      } else if (touch.state === 'drag') {
        send(kReleased, touch.last, kLeft);
      } else if (touch.state === 'two' && !cancelled) {
        click(touch.start, kRight);
      }
      touch.state = 'spent';
      if (window.orvetLoupe) orvetLoupe.hide();
    }
    if (fingerCount() === 0) touch = null;
  }

  // The mouse events a browser makes up from a touch or a pen (the pointer
  // entering and leaving the canvas as a finger taps elsewhere, a pen's
  // hover) would reach the host's mouse callbacks as a second pointer: a
  // pointer that left makes the game's readings fail, which holds the left
  // button down at the last place. Only a mouse's own events go on.
  var lastPointerType = 'mouse';
  function fromMouse(e) {
    if (e.sourceCapabilities && e.sourceCapabilities.firesTouchEvents) return false;
    return lastPointerType === 'mouse';
  }
  function keepFromHost(e) {
    if (fromMouse(e)) return;
    if (e.type === 'mouseup' || e.target === element('canvas')) e.stopImmediatePropagation();
  }

  function wire() {
    var canvas = element('canvas');
    ['pointerover', 'pointerdown', 'pointermove'].forEach(function (type) {
      window.addEventListener(type, function (e) { lastPointerType = e.pointerType; }, true);
    });
    ['mousedown', 'mouseup', 'mousemove', 'mouseover', 'mouseout', 'mouseenter', 'mouseleave']
        .forEach(function (type) { window.addEventListener(type, keepFromHost, true); });
    canvas.addEventListener('pointerdown', onDown);
    canvas.addEventListener('pointermove', onMove);
    canvas.addEventListener('pointerup', onUp);
    canvas.addEventListener('pointercancel', onUp);
  }

  wire();
  return { gamePoint: gamePoint };
})();
