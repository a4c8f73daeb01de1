// The keys a phone lacks, as a row of buttons under the picture: each sends
// the game the key string the desktop's key sends (by its name in the key
// table), and full screen. The page's "On-screen keys" control shows or
// hides the row; until the player sets it, it follows the device (ticked
// where the pointer is coarse). In the editor a
// Keyboard button brings up the system keyboard: what is typed goes to the
// game as keys, at the pointer's last place (the last touch).
var orvetKeys = (function () {
  'use strict';
  var coarse = window.matchMedia('(pointer: coarse)');

  function element(id) {
    return document.getElementById(id);
  }

  function running() {
    return document.body.dataset.state === 'running' && typeof Module !== 'undefined' &&
           Module['_orvetPageKey'];
  }

  function sendKey(name) {
    if (!running()) return;
    Module['ccall']('orvetPageKey', 'number', ['string'], [name]);
    orvetPage.wakeHost();
  }

  function sendText(text) {
    if (!running() || !text) return;
    Module['ccall']('orvetPageText', null, ['string'], [text]);
    orvetPage.wakeHost();
  }

  function toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(function () {});
      return;
    }
    document.documentElement.requestFullscreen({ navigationUI: 'hide' }).then(function () {
      // A phone turns to landscape where it lets a page ask.
      if (screen.orientation && screen.orientation.lock && coarse.matches) {
        screen.orientation.lock('landscape').catch(function () {});
      }
    }).catch(function () {});
  }

  var chosen = false;  // the player has set the control

  function showRow() {
    var row = element('keys');
    var wanted = element('show-keys');
    if (wanted && !chosen) wanted.checked = coarse.matches;
    row.hidden = !(wanted ? wanted.checked : coarse.matches);
    element('key-keyboard').hidden = document.body.dataset.mode !== 'editor';
    if (window.orvetFit) orvetFit.fit();
  }

  // The hidden field the system keyboard types into; its text goes on to
  // the game at once, and Enter, Backspace and Escape as those keys.
  function wireKeyboard() {
    var field = element('key-input');
    element('key-keyboard').addEventListener('click', function () {
      field.value = '';
      field.focus();
    });
    field.addEventListener('keydown', function (e) {
      var named = { Enter: 'Enter', Backspace: 'Backspace', Escape: 'Escape', Tab: 'Tab' };
      if (named[e.key]) {
        e.preventDefault();
        sendKey(named[e.key]);
        if (e.key === 'Escape') field.blur();
      }
    });
    field.addEventListener('input', function () {
      var text = field.value;
      field.value = '';
      sendText(text);
    });
  }

  function wire() {
    var row = element('keys');
    Array.prototype.forEach.call(row.querySelectorAll('button[data-key]'), function (button) {
      button.addEventListener('click', function () { sendKey(button.dataset.key); });
    });
    // The buttons never take the focus: the system keyboard stays up, and
    // the desktop's keys go on to the game.
    row.addEventListener('pointerdown', function (e) {
      if (e.target.closest('button')) e.preventDefault();
    });
    row.addEventListener('mousedown', function (e) {
      if (e.target.closest('button')) e.preventDefault();
    });
    element('key-full').addEventListener('click', toggleFullScreen);
    var wanted = element('show-keys');
    if (wanted) {
      wanted.addEventListener('change', function () {
        chosen = true;
        showRow();
      });
    }
    coarse.addEventListener('change', showRow);
    wireKeyboard();
    showRow();
  }

  wire();
  return { showRow: showRow, sendKey: sendKey };
})();
