// The page around the game (put before Emscripten's loader with --pre-js):
// the storage folder, the command line from the address, the status line and
// the controls beside the canvas.
//
// The working directory is /orvet, a folder kept in the browser's IndexedDB.
// On every visit the bundled pack (/pack) is copied into it, file by file,
// where a file of that name is not there yet, so nothing a player already
// has is overwritten. The game's writes, renames and removals mark the folder
// changed; the web host writes it out at its next poll.

var orvetPage = (function () {
  var params = new URLSearchParams(window.location.search);
  var folder = '/orvet';
  var statusTimer = null;
  var current = params.get('arg1') || '';

  function element(id) {
    return document.getElementById(id);
  }

  // The status line: what the desktop prints on stderr, and "saved".
  function status(text, seconds) {
    var line = element('status');
    if (!line) return;
    line.textContent = text;
    if (statusTimer) clearTimeout(statusTimer);
    statusTimer = seconds ? setTimeout(function () { line.textContent = ''; }, seconds) : null;
  }

  // The picture's size is web/fit.js's.
  function fitCanvas() {
    if (window.orvetFit) orvetFit.fit();
  }

  // Beside the guide: the puzzle being played or edited, from the title.
  function showPlaying(title) {
    var playing = element('playing');
    if (!playing) return;
    var name = title.replace(/^Orvet: /, '');
    var editing = document.body.dataset.mode === 'editor';
    playing.textContent = name === 'Odaberi zagonetku' ? 'Choose a puzzle:'
                                                       : (editing ? 'Editing ' : 'Playing ') + name + ':';
    fitCanvas();
  }

  function isPuzzle(name) {
    return /\.zag$/i.test(name);
  }

  function listFolder() {
    try {
      return FS.readdir(folder).filter(function (name) {
        return /\.za[gp]~?$/i.test(name) && name[0] !== '.';
      }).sort();
    } catch (e) {
      return [];
    }
  }

  function refreshDownloads() {
    var select = element('download-name');
    if (!select) return;
    var names = listFolder();
    select.innerHTML = '';
    names.forEach(function (name) {
      var option = document.createElement('option');
      option.value = option.textContent = name;
      if (name === current) option.selected = true;
      select.appendChild(option);
    });
  }

  // Opens the page again with the game's two arguments.
  function restartWith(arg1, arg2) {
    var query = new URLSearchParams();
    if (arg1) query.set('arg1', arg1);
    if (arg2) query.set('arg2', arg2);
    var search = query.toString();
    window.location.search = search ? '?' + search : '';
    if (!search) window.location.reload();
  }

  function storeThen(done) {
    FS.syncfs(false, function (error) {
      if (error) console.error('orvet: could not keep the files in the browser\'s storage', error);
      done();
    });
  }

  // Counts the game's changes to the folder, for the host's flush.
  function watchFolder() {
    var storage = Module['orvetStorage'] = { changed: false, saved: false };
    function inFolder(path) {
      return typeof path === 'string' && path.indexOf(folder + '/') === 0;
    }
    var rename = FS.rename, write = FS.write, unlink = FS.unlink, open = FS.open;
    var close = FS.close;
    // The browser is asked to keep its storage before the first save.
    function markSaved() {
      if (window.orvetOffline) orvetOffline.beforeSave();
      storage.saved = true;
    }
    FS.rename = function (from, to) {
      var result = rename.apply(FS, arguments);
      if (inFolder(FS.lookupPath(to).path)) {
        storage.changed = true;
        if (/\.za[gp]$/i.test(to)) markSaved();
      }
      return result;
    };
    FS.write = function (stream) {
      var result = write.apply(FS, arguments);
      if (inFolder(stream.path)) {
        storage.changed = true;
        stream.orvetWritten = true;
      }
      return result;
    };
    // A puzzle or saved game written in place (a hard-linked file, a folder
    // where no temporary file can be made) is saved when it is closed.
    FS.close = function (stream) {
      var result = close.apply(FS, arguments);
      if (stream.orvetWritten && /\.za[gp]$/i.test(stream.path)) markSaved();
      return result;
    };
    FS.unlink = function (path) {
      var result = unlink.apply(FS, arguments);
      storage.changed = true;
      return result;
    };
    FS.open = function (path) {
      var stream = open.apply(FS, arguments);
      if (typeof path === 'string' && isPuzzle(path) && inFolder(stream.path)) {
        current = stream.path.slice(folder.length + 1);
      }
      return stream;
    };
  }

  // Before the game starts: the folder's files come back from storage.
  function mountFolder() {
    FS.mkdir(folder);
    FS.mount(IDBFS, {}, folder);
    addRunDependency('orvet-storage');
    FS.syncfs(true, function (error) {
      if (error) console.error('orvet: could not read the browser\'s storage', error);
      removeRunDependency('orvet-storage');
    });
  }

  // Once the pack has arrived too: the pack's missing files are copied in
  // (the host writes them to storage at its first poll).
  function seedFolder() {
    var seeded = false;
    FS.readdir('/pack').forEach(function (name) {
      if (!isPuzzle(name) || FS.analyzePath(folder + '/' + name).exists) return;
      FS.writeFile(folder + '/' + name, FS.readFile('/pack/' + name));
      seeded = true;
    });
    FS.chdir(folder);
    watchFolder();
    if (seeded) Module['orvetStorage'].changed = true;
  }

  function wireControls() {
    var canvas = element('canvas');
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    // Keys go to the game once the canvas was clicked; the page keeps the
    // focus for its own fields.
    canvas.addEventListener('mousedown', function () {
      if (document.activeElement && document.activeElement !== document.body) {
        document.activeElement.blur();
      }
    });
    element('open-file').addEventListener('change', function (e) {
      var file = e.target.files[0];
      if (!file) return;
      file.arrayBuffer().then(function (bytes) {
        // Stored by the links' rule: a different file of that name stays.
        var name = orvetShare.store(file.name, new Uint8Array(bytes)).name;
        storeThen(function () { restartWith(name, ''); });
      });
    });
    element("download-name").addEventListener("focus", refreshDownloads);
    element("download-name").addEventListener("mousedown", refreshDownloads);
    element('download').addEventListener('click', function () {
      var name = element('download-name').value;
      if (!name) return;
      var blob = new Blob([FS.readFile(folder + '/' + name)], { type: 'application/octet-stream' });
      var link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(function () { URL.revokeObjectURL(link.href); }, 1000);
    });
    element('edit').addEventListener('click', function () {
      var name = element('edit-name').value.trim() || current;
      if (name && !/\.zag$/i.test(name)) name += '.zag';
      restartWith(name, 'pravi');
    });
    // Enter in the name field starts the editor, as the button does.
    element('edit-name').addEventListener('keydown', function (e) {
      if (e.key === 'Enter') element('edit').click();
    });
    element('again').addEventListener('click', function () { window.location.reload(); });
    element('edit-name').value = current;
    fitCanvas();
  }

  // Between passes the host sleeps until its next timed step. Any input (or
  // a resize, or the page shown again) ends the sleep: the handlers that
  // queue the input run first, and the game resumes in a timer of its own,
  // never inside a handler. A handler of the page's own may call wakeHost
  // too.
  var sleeper = Module['orvetSleeper'] = { wake: null, waking: false };
  function wakeHost() {
    if (!sleeper.wake || sleeper.waking) return;
    sleeper.waking = true;
    setTimeout(function () {
      sleeper.waking = false;
      if (sleeper.wake) sleeper.wake();
    }, 0);
  }
  ['keydown', 'keyup', 'mousedown', 'mouseup', 'mousemove', 'mouseover', 'mouseout', 'wheel',
   'pointerdown', 'pointerup', 'pointermove', 'pointercancel', 'touchstart', 'touchmove',
   'touchend', 'touchcancel', 'resize', 'focus', 'blur'].forEach(function (type) {
    window.addEventListener(type, wakeHost, { capture: true, passive: true });
  });
  document.addEventListener('visibilitychange', wakeHost);

  var args = [];
  if (params.has('arg1') || params.has('arg2')) args.push(params.get('arg1') || '');
  if (params.has('arg2')) args.push(params.get('arg2'));

  Module['arguments'] = args;
  Module['canvas'] = element('canvas');
  Module['print'] = function (text) { console.log(text); };
  Module['printErr'] = function (text) {
    console.error(text);
    status(text);
  };
  Module['orvetStatus'] = status;
  Module['orvetTitle'] = showPlaying;
  // The file packager has put its own step first.
  Module['preRun'] = (Module['preRun'] || []).concat([mountFolder]);
  // The game starts once a puzzle link in the address is stored (or found
  // bad), with that puzzle in place of the address's arguments.
  Module['onRuntimeInitialized'] = function () {
    seedFolder();
    refreshDownloads();
    orvetShare.openLinkThen(args, function (startArgs) {
      refreshDownloads();
      var editing = (startArgs[1] || '').toLowerCase() === 'pravi';
      document.body.setAttribute('data-mode', editing ? 'editor' : 'play');
      if (window.orvetKeys) orvetKeys.showRow();
      document.body.setAttribute('data-state', 'running');
      Module['callMain'](startArgs);
    });
  };
  // A save just before the game ends has had no poll to write it out.
  function storeIfChanged(done) {
    var storage = Module['orvetStorage'];
    if (!storage || !storage.changed) return done();
    storage.changed = false;
    if (storage.saved) status('saved', 3000);
    storage.saved = false;
    storeThen(done);
  }
  Module['onExit'] = function () {
    storeIfChanged(function () {
      // The editor's recovery file, written as the game ended, is offered too.
      refreshDownloads();
      element('ended').hidden = false;
      document.body.setAttribute('data-state', 'ended');
    });
  };
  // Leaving the page for good with unsaved editor changes writes the
  // recovery file first, as the game's own end does; the browser may still
  // close the page before the folder is stored. A page kept for the back
  // button goes on as it was.
  window.addEventListener('pagehide', function (event) {
    if (!event.persisted && document.body.dataset.state === 'running' &&
        Module['_orvetPageLeaving']) {
      try {
        Module['_orvetPageLeaving']();
      } catch (e) {
        console.error('orvet: could not keep the unsaved changes', e);
      }
    }
    storeIfChanged(function () {});
  });
  wireControls();
  orvetShare.wire();
  return {
    status: status, refreshDownloads: refreshDownloads, storeThen: storeThen, folder: folder,
    current: function () { return current; }, wakeHost: wakeHost,
  };
})();
