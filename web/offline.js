// The page offline and installed: registers the service worker (sw.js, which
// keeps the whole site of one build for visits with no network), says
// "updated" once a new build has replaced the old one, and asks the browser
// to keep the folder's storage before the first save.
var orvetOffline = (function () {
  var askedToKeep = false;

  // Says text for ms on the status line once the line is free (nothing on
  // it and no save being written), never over another message; calls
  // missed() instead if it stays busy for a minute.
  function sayWhenFree(text, ms, missed) {
    var line = document.getElementById('status');
    var tries = 0;
    (function attempt() {
      var storage = window.Module && Module['orvetStorage'];
      if (!window.orvetPage || !line || line.textContent !== '' || (storage && storage.changed)) {
        if (++tries < 240) setTimeout(attempt, 250);
        else if (missed) missed();
        return;
      }
      orvetPage.status(text, ms);
    })();
  }

  function register() {
    // A service worker needs a secure context (https, or 127.0.0.1).
    if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
    var workers = navigator.serviceWorker;
    // A page opened by an older worker is taken over once a newer one has
    // its cache complete (the first worker takes no page over).
    var hadWorker = !!workers.controller, told = false;
    workers.addEventListener('controllerchange', function () {
      if (!hadWorker || told) return;
      told = true;
      sayWhenFree('updated', 5000);
    });
    window.addEventListener('load', function () {
      workers.register('sw.js').then(function (registration) {
        if (workers.controller) workers.controller.postMessage('started');
        // A newer build is looked for at every visit (with no network, in vain).
        return registration.update().catch(function () {});
      }).catch(function (error) {
        console.error('orvet: the page cannot be kept for offline use', error);
      });
    });
  }

  // Called as the game saves a puzzle or a game, once per page: a browser
  // short of space may otherwise clear the folder with the player's work.
  function beforeSave() {
    if (askedToKeep || !navigator.storage || !navigator.storage.persist) return;
    askedToKeep = true;
    navigator.storage.persisted().then(function (kept) {
      return kept || navigator.storage.persist();
    }).then(function (kept) {
      if (kept) return;
      // After the "saved" that follows (a later save asks again if the line
      // stays busy).
      setTimeout(function () {
        sayWhenFree('persistent storage refused: short of space, the browser may clear the ' +
                    'puzzles and saved games kept here', 10000,
                    function () { askedToKeep = false; });
      }, 500);
    }, function (error) {
      console.error('orvet: could not ask for persistent storage', error);
    });
  }

  register();
  return { beforeSave: beforeSave };
})();
