// The page offline and installed: registers the service worker (sw.js, which
// keeps the whole site of one build for visits with no network), says
// "updated" once a new build has replaced the old one, and asks the browser
// to keep the folder's storage before the first save.
var orvetOffline = (function () {
  var askedToKeep = false;

  function say(text, ms) {
    if (window.orvetPage) orvetPage.status(text, ms);
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
      say('updated', 5000);
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
      // Said after the "saved" that follows, once it has been read.
      var line = document.getElementById('status');
      var tries = 0;
      setTimeout(function sayWhenFree() {
        if (line && line.textContent === 'saved' && ++tries < 40) {
          setTimeout(sayWhenFree, 250);
          return;
        }
        say('persistent storage refused: short of space, the browser may clear the puzzles ' +
            'and saved games kept here', 10000);
      }, 500);
    }, function (error) {
      console.error('orvet: could not ask for persistent storage', error);
    });
  }

  register();
  return { beforeSave: beforeSave };
})();
