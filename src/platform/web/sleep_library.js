// The host's sleep (web_window.cpp): the browser's turn for up to ms
// milliseconds, 0 for only a turn. The page's input handlers end it early
// through Module.orvetSleeper.wake (web/page.js), from a timer of their own,
// so the game never resumes inside one of them. The game resumes through the
// runtime's callback wrapper, as after emscripten_sleep, so that the program
// can end in the pass that follows. A turn of no time goes through a message
// rather than a timer, which the browser holds back to 4 ms once nested.
mergeInto(LibraryManager.library, {
  orvet_sleep_until_woken__deps: ['$callUserCallback'],
  orvet_sleep_until_woken: function (ms) {
    return Asyncify.handleSleep(function (wakeUp) {
      var sleeper = Module['orvetSleeper'] || (Module['orvetSleeper'] = {});
      var timer = 0;
      var done = function () {
        if (sleeper.wake !== done) return;
        sleeper.wake = null;
        clearTimeout(timer);
        callUserCallback(wakeUp);
      };
      sleeper.wake = done;
      if (ms > 0) {
        timer = setTimeout(done, ms);
      } else {
        var channel = sleeper.channel || (sleeper.channel = new MessageChannel());
        channel.port1.onmessage = function () { done(); };
        channel.port2.postMessage(0);
      }
    });
  },
});
