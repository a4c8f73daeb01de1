// Puzzle links in the page: the Share control (the link to the puzzle being
// played or edited, in a field, copied, handed to the system's share sheet
// and drawn as a QR code), opening a link from the address before the game
// starts, storing a puzzle in the folder without replacing a different file,
// and removing a file from the folder.
//
// A link is the page's address with "#p1=<base64url, no padding, of the raw
// deflate of the .zag file>&n=<its name, percent-encoded>"; the desktop's
// `orvet --share` and `--open-link` (src/level/share_link.cpp) follow the
// same rules, so either reads what the other writes.

var orvetShare = (function () {
  var kOutputLimit = 4 << 20;  // a link never gives more bytes (bombs stop here)
  var kNameLimit = 100;        // bytes of a stored name, ".zag" included
  var kDefaultName = 'puzzle.zag';
  var kMaxCandidates = 999;
  var kAlphabet = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
  // What is wrong with a link, as the desktop says it.
  var kErrors = {
    NoPuzzle: 'the link holds no puzzle (no p1=)',
    NewerVersion: 'the link was made by a newer version of the game',
    BadBase64: 'the link is damaged (bad base64)',
    Unfinished: 'the link is cut short (the compressed puzzle does not end)',
    TooLarge: 'the link\'s puzzle is too large (over 4 MiB)',
    Corrupt: 'the link is damaged (bad compressed data)',
    NotAPuzzle: 'the link does not hold a puzzle (it does not begin with "LVL")',
  };
  var shownLink = '';

  function element(id) {
    return document.getElementById(id);
  }

  function folder() {
    return orvetPage.folder;
  }

  // ---- the codec ----

  function encode64(bytes) {
    var out = '';
    var i = 0;
    for (; i + 3 <= bytes.length; i += 3) {
      var v = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
      out += kAlphabet[v >> 18] + kAlphabet[(v >> 12) & 63] + kAlphabet[(v >> 6) & 63] +
             kAlphabet[v & 63];
    }
    var rest = bytes.length - i;
    if (rest > 0) {
      var w = (bytes[i] << 16) | (rest === 2 ? bytes[i + 1] << 8 : 0);
      out += kAlphabet[w >> 18] + kAlphabet[(w >> 12) & 63];
      if (rest === 2) out += kAlphabet[(w >> 6) & 63];
    }
    return out;
  }

  // The bytes, or null on a character outside the alphabet, padding, or a
  // length of 4n+1.
  function decode64(text) {
    if (text.length % 4 === 1) return null;
    var out = new Uint8Array(Math.floor(text.length * 3 / 4));
    var v = 0, bits = 0, n = 0;
    for (var i = 0; i < text.length; ++i) {
      var d = kAlphabet.indexOf(text[i]);
      if (d < 0) return null;
      v = ((v << 6) | d) & 0xffffff;
      bits += 6;
      if (bits >= 8) {
        bits -= 8;
        out[n++] = (v >> bits) & 0xff;
      }
    }
    return out;
  }

  function concat(chunks, total) {
    var out = new Uint8Array(total);
    var at = 0;
    chunks.forEach(function (c) {
      out.set(c, at);
      at += c.length;
    });
    return out;
  }

  async function deflate(bytes) {
    var stream = new Blob([bytes]).stream().pipeThrough(new CompressionStream('deflate-raw'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // { bytes } or { error }: the output stops as soon as it passes the limit.
  async function inflate(bytes) {
    var stream = new DecompressionStream('deflate-raw');
    var writer = stream.writable.getWriter();
    writer.write(bytes).then(function () { return writer.close(); }).catch(function () {});
    var reader = stream.readable.getReader();
    var chunks = [], total = 0;
    try {
      for (;;) {
        var part = await reader.read();
        if (part.done) break;
        total += part.value.length;
        if (total > kOutputLimit) {
          reader.cancel().catch(function () {});
          return { error: 'TooLarge' };
        }
        chunks.push(part.value);
      }
    } catch (e) {
      // The stream says which: input that ends inside a block, or bad data
      // (junk after the last block included).
      var message = String(e && e.message || e);
      return { error: /unexpected end|incomplete|truncat/i.test(message) ? 'Unfinished' : 'Corrupt' };
    }
    return { bytes: concat(chunks, total) };
  }

  // ---- names ----

  function utf8Length(text) {
    return new TextEncoder().encode(text).length;
  }

  // The name a link gives, made safe to store (the desktop's cleanLinkName):
  // raw is the n= value as it stands in the link.
  function cleanName(raw) {
    var name;
    try {
      name = decodeURIComponent(raw.replace(/\+/g, ' '));
    } catch (e) {
      return { name: kDefaultName, changed: true };  // bad %XX or not UTF-8
    }
    var s = name.replace(/[\x00-\x1f\x7f\/\\]/g, '_').replace(/^[. ]+/, '').replace(/ +$/, '');
    if (!/\.zag$/i.test(s)) s += '.zag';
    if (utf8Length(s) > kNameLimit) {
      var bytes = new TextEncoder().encode(s);
      var cut = kNameLimit - 4;
      // Back to the start of the character that does not fit whole.
      var start = cut;
      while (start > 0 && (bytes[start] & 0xc0) === 0x80) --start;
      cut = start;
      s = new TextDecoder().decode(bytes.subarray(0, cut)) + s.slice(s.length - 4);
    }
    if (s.length === 4) return { name: kDefaultName, changed: true };
    return { name: s, changed: s !== name };
  }

  function candidate(name, index) {
    if (index <= 1) return name;
    var cut = /\.zag$/i.test(name) ? name.length - 4 : name.length;
    return name.slice(0, cut) + '-' + index + name.slice(cut);
  }

  function sameBytes(a, b) {
    if (a.length !== b.length) return false;
    for (var i = 0; i < a.length; ++i) if (a[i] !== b[i]) return false;
    return true;
  }

  // Stores bytes in the folder under name, or name-2.zag, name-3.zag ...
  // when a different file has the name; the same bytes already there are
  // used as they are. { name, stored } (stored false: already there), or
  // null when every name is taken.
  function store(name, bytes) {
    for (var index = 1; index <= kMaxCandidates; ++index) {
      var tried = candidate(name, index);
      var path = folder() + '/' + tried;
      if (FS.analyzePath(path).exists) {
        var existing = null;
        try {
          existing = FS.readFile(path);
        } catch (e) {
          existing = null;  // a folder: taken
        }
        if (existing && sameBytes(existing, bytes)) return { name: tried, stored: false };
        continue;
      }
      FS.writeFile(path, bytes);
      return { name: tried, stored: true };
    }
    return null;
  }

  // The game's own reader decides, through a scratch file outside the folder.
  function isPuzzle(bytes) {
    var scratch = '/tmp/orvet-link.zag';
    FS.writeFile(scratch, bytes);
    var puzzle = Module['ccall']('orvetIsPuzzleFile', 'number', ['string'], [scratch]);
    FS.unlink(scratch);
    return puzzle === 1;
  }

  // { bytes, name, changed } or { error } for a fragment (without "#").
  async function decodeLink(fragment) {
    var data = null, raw = null, newer = false;
    fragment.split('&').forEach(function (part) {
      var eq = part.indexOf('=');
      var key = eq < 0 ? part : part.slice(0, eq);
      var value = eq < 0 ? '' : part.slice(eq + 1);
      if (key === 'p1' && data === null) data = value;
      else if (key === 'n' && !raw) raw = value;
      else if (/^p[1-9]/.test(key)) newer = true;
    });
    if (data === null) return { error: newer ? 'NewerVersion' : 'NoPuzzle' };
    var packed = decode64(data);
    if (!packed) return { error: 'BadBase64' };
    var result = await inflate(packed);
    if (result.error) return result;
    if (!isPuzzle(result.bytes)) return { error: 'NotAPuzzle' };
    var cleaned = cleanName(raw || '');
    return { bytes: result.bytes, name: cleaned.name, changed: cleaned.changed };
  }

  // What the desktop's --open-link says on stderr, one line each.
  function storedReport(decoded, kept) {
    var lines = [];
    if (!kept.stored) {
      lines.push('orvet: the link\'s puzzle is already here as "' + kept.name + '"');
    } else if (kept.name !== decoded.name) {
      lines.push('orvet: stored the link\'s puzzle as "' + kept.name + '" (another "' +
                 decoded.name + '" is here)');
    } else {
      lines.push('orvet: stored the link\'s puzzle as "' + kept.name + '"');
    }
    if (decoded.changed) lines.push('orvet: the name the link gave was not a safe file name');
    return lines.join('\n');
  }

  // Before the game starts: a puzzle link in the address is taken off it
  // (a reload does not store it again), decoded, checked and stored, and
  // the game starts on that puzzle; a bad link stores nothing and the game
  // starts as the address's arguments say (the chooser, as a rule).
  function openLinkThen(args, start) {
    var fragment = window.location.hash.slice(1);
    if (!/(^|&)p[0-9]+=/.test(fragment)) return start(args);
    history.replaceState(history.state, '', window.location.href.split('#')[0]);
    decodeLink(fragment).then(function (decoded) {
      if (decoded.error) {
        orvetPage.status('orvet: nothing stored: ' + kErrors[decoded.error]);
        return start(args);
      }
      var kept = store(decoded.name, decoded.bytes);
      if (!kept) {
        orvetPage.status('orvet: nothing stored: no free name for "' + decoded.name + '"');
        return start(args);
      }
      orvetPage.storeThen(function () {
        // Stored already: the host's next poll has nothing to write and no
        // "saved" to say over the report.
        var storage = Module['orvetStorage'];
        if (storage) storage.changed = storage.saved = false;
        orvetPage.status(storedReport(decoded, kept));
        start([kept.name]);
      });
    }, function (e) {
      console.error('orvet: could not open the link', e);
      orvetPage.status('orvet: nothing stored: ' + kErrors.Corrupt);
      start(args);
    });
  }

  // ---- the Share control ----

  function pageAddress() {
    return window.location.href.split('#')[0].split('?')[0];
  }

  async function linkTo(name) {
    var bytes = FS.readFile(folder() + '/' + name);
    return pageAddress() + '#p1=' + encode64(await deflate(bytes)) + '&n=' +
           encodeURIComponent(name);
  }

  function drawQr(link) {
    var code = qrcode(0, 'L');
    code.addData(link);
    code.make();
    element('share-qr').src = code.createDataURL(3, 12);
  }

  async function showShare() {
    var name = orvetPage.current();
    if (!name || !FS.analyzePath(folder() + '/' + name).exists) {
      orvetPage.status('orvet: the puzzle is not in the folder yet; save it first', 5000);
      return;
    }
    var unsaved = Module['_orvetUnsavedChanges'] && Module['_orvetUnsavedChanges']() === 1;
    element('share-unsaved').hidden = !unsaved;
    shownLink = await linkTo(name);
    element('share-link').value = shownLink;
    drawQr(shownLink);
    element('share-system').hidden = !navigator.share;
    element('share-panel').hidden = false;
    document.body.setAttribute('data-share', 'shown');
  }

  function removeFile() {
    var name = element('download-name').value;
    if (!name || !window.confirm('Remove "' + name + '" from the folder for good?')) return;
    try {
      FS.unlink(folder() + '/' + name);
    } catch (e) {
      orvetPage.status('orvet: could not remove "' + name + '"', 5000);
      return;
    }
    orvetPage.storeThen(function () {
      orvetPage.refreshDownloads();
      orvetPage.status('removed "' + name + '"', 5000);
    });
  }

  function wire() {
    element('share').addEventListener('click', function () {
      showShare().catch(function (e) {
        orvetPage.status('orvet: could not make the link: ' + e, 5000);
      });
    });
    element('share-save').addEventListener('click', function () {
      if (Module['_orvetSavePuzzle'] && Module['_orvetSavePuzzle']() === 1) showShare();
    });
    element('share-copy').addEventListener('click', function () {
      navigator.clipboard.writeText(shownLink).then(function () {
        orvetPage.status('the link is copied', 3000);
      }, function () {
        element('share-link').select();
        orvetPage.status('select the link and copy it', 5000);
      });
    });
    element('share-system').addEventListener('click', function () {
      navigator.share({ title: document.title, url: shownLink }).catch(function () {});
    });
    element('share-close').addEventListener('click', function () {
      element('share-panel').hidden = true;
      document.body.removeAttribute('data-share');
    });
    element('remove').addEventListener('click', removeFile);
  }

  return {
    openLinkThen: openLinkThen, store: store, wire: wire, cleanName: cleanName,
    decodeLink: decodeLink,
  };
})();
