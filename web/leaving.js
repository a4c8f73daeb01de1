// Leaving the page (a reload, "Edit", "Open a puzzle", closing it) while
// play or editing is not saved asks first, where the browser lets a page
// ask. In play, a saved game the page has seen stored counts as the save.
(function () {
  'use strict';

  function gameExport(name) {
    return typeof Module !== 'undefined' && document.body.dataset.state === 'running'
        ? Module[name] : null;
  }

  function unsaved() {
    var changed = gameExport('_orvetUnsavedProgress');
    try {
      return !!(changed && changed());
    } catch (e) {
      return false;
    }
  }

  window.addEventListener('beforeunload', function (e) {
    if (!unsaved()) return;
    e.preventDefault();
    e.returnValue = '';
  });

  // The status line says "saved" once the folder holding a new saved game
  // or puzzle is stored; the game is told outside its own turn.
  var status = document.getElementById('status');
  new MutationObserver(function () {
    if (status.textContent !== 'saved') return;
    setTimeout(function () {
      var saved = gameExport('_orvetProgressSaved');
      if (saved) saved();
    }, 0);
  }).observe(status, { childList: true, characterData: true, subtree: true });
})();
