// The page's side of the web platform (src/platform/web/WebPage.h): the canvas, the page's
// events, Web Audio, localStorage, the dialog and the quiet page. Texts cross as UTF-8.
mergeInto(LibraryManager.library, {
  $MinnePage: {
    platform: 0,
    canvas: null,
    context: null,
    image: null,
    listeners: [],
    audio: null,
    songs: {},
    wanted: {},
    playing: [],
    beep: null,
    beepWave: null,
    decoder: 0,
    decoding: false,
    gestureSeen: false,

    listen: function (target, type, handler, options) {
      target.addEventListener(type, handler, options);
      MinnePage.listeners.push([target, type, handler, options]);
    },
    withText: function (text, use) {
      var pointer = allocateUTF8(text);
      try {
        return use(pointer);
      } finally {
        _free(pointer);
      }
    },
    // Positions in CSS pixels within the canvas as it is shown.
    pointer: function (kind, event) {
      var rect = MinnePage.canvas.getBoundingClientRect();
      _minne_web_pointer(MinnePage.platform, kind, event.button || 0, event.clientX - rect.left,
                         event.clientY - rect.top, rect.width, rect.height);
    },
    modifiers: function (event) {
      return (event.ctrlKey ? 1 : 0) | (event.altKey ? 2 : 0) | (event.metaKey ? 4 : 0);
    },
    // Browsers let sound start only in a user's gesture: the first click or key wakes it.
    wake: function () {
      MinnePage.gestureSeen = true;
      var hint = document.getElementById('wecken');
      if (hint) hint.hidden = true;
      if (MinnePage.platform === 0) return;
      if (!MinnePage.audio) {
        var Context = window.AudioContext || window.webkitAudioContext;
        try {
          MinnePage.audio = new Context();
        } catch (error) {
          return;
        }
        if (MinnePage.beepWave) {
          MinnePage.audio.decodeAudioData(MinnePage.beepWave).then(function (buffer) { MinnePage.beep = buffer; },
                                                                   function () {});
        }
        MinnePage.startWanted();
      } else if (MinnePage.audio.state !== 'running') {
        MinnePage.audio.resume();
      }
    },
    // Songs asked for whose sound is decoded begin once the page may make sound.
    startWanted: function () {
      var audio = MinnePage.audio;
      if (!audio) return;
      Object.keys(MinnePage.wanted).forEach(function (key) {
        var id = Number(key);
        var buffer = MinnePage.songs[id];
        if (!buffer || MinnePage.playing.some(function (entry) { return entry.id === id; })) return;
        var source = audio.createBufferSource();
        source.buffer = buffer;
        source.loop = true;
        source.connect(audio.destination);
        source.start();
        MinnePage.playing.push({id: id, source: source});
      });
    },
    flush: function () {
      var area = MinnePage.dirty;
      if (!area) return;
      MinnePage.dirty = null;
      MinnePage.context.putImageData(MinnePage.image, 0, 0, area.left, area.top, area.right - area.left,
                                     area.bottom - area.top);
    },
    toggleFullscreen: function () {
      var page = document.documentElement;
      if (document.fullscreenElement) {
        document.exitFullscreen().catch(function () {});
      } else if (page.requestFullscreen) {
        page.requestFullscreen().catch(function () {});
      }
    },
    onKey: function (down, event) {
      MinnePage.wake();
      // Alt+Enter belongs to the page: full screen needs the user's own gesture.
      if (down && event.altKey && (event.code === 'Enter' || event.code === 'NumpadEnter')) {
        event.preventDefault();
        if (!event.repeat) MinnePage.toggleFullscreen();
        return;
      }
      if (MinnePage.platform === 0 || document.getElementById('dialog').open) return;
      var taken = MinnePage.withText(event.code || '', function (code) {
        return MinnePage.withText(event.key || '', function (key) {
          return _minne_web_key(MinnePage.platform, down ? 1 : 0, code, key, event.repeat ? 1 : 0,
                                MinnePage.modifiers(event));
        });
      });
      if (taken) event.preventDefault();
    },
    // The on-screen keyboard types into a hidden field; what it typed goes on as text.
    onFieldInput: function (event) {
      var field = event.target;
      if (event.inputType === 'deleteContentBackward') {
        ['keydown', 'keyup'].forEach(function (type) {
          MinnePage.onKey(type === 'keydown', {code: 'Backspace', key: 'Backspace', repeat: false,
                                              preventDefault: function () {}});
        });
      } else {
        // The field keeps one blank, so that the keyboard's delete key has something to take.
        var typed = typeof event.data === 'string' ? event.data : field.value.replace(/^ /, '');
        if (typed) MinnePage.withText(typed, function (text) { _minne_web_text(MinnePage.platform, text); });
      }
      field.value = ' ';
    },
  },

  minne_page_attach__deps: ['$MinnePage'],
  minne_page_attach: function (platform) {
    var page = MinnePage;
    page.platform = platform;
    page.canvas = document.getElementById('canvas');
    page.context = page.canvas.getContext('2d', {alpha: false});
    var field = document.getElementById('tastatur');
    page.listen(window, 'keydown', function (event) { page.onKey(true, event); });
    page.listen(window, 'keyup', function (event) { page.onKey(false, event); });
    page.listen(page.canvas, 'pointermove', function (event) { page.pointer(0, event); });
    page.listen(page.canvas, 'pointerdown', function (event) {
      page.wake();
      page.pointer(1, event);
      // A finger has no keyboard: the hidden field brings the system's on-screen one.
      if (event.pointerType === 'touch') field.focus({preventScroll: true});
      event.preventDefault();
    });
    page.listen(window, 'pointerup', function (event) { page.pointer(2, event); });
    page.listen(page.canvas, 'pointerleave', function (event) { page.pointer(3, event); });
    page.listen(page.canvas, 'pointerenter', function (event) { page.pointer(4, event); });
    page.listen(page.canvas, 'contextmenu', function (event) { event.preventDefault(); });
    page.listen(field, 'input', page.onFieldInput);
    page.listen(window, 'focus', function () { _minne_web_focus(page.platform, 1); });
    page.listen(window, 'blur', function () { _minne_web_focus(page.platform, 0); });
    page.listen(document, 'visibilitychange', function () {
      _minne_web_visible(page.platform, document.visibilityState === 'visible' ? 1 : 0);
    });
    page.listen(document.getElementById('vollbild'), 'click', function (event) {
      event.currentTarget.blur();
      page.wake();
      page.toggleFullscreen();
    });
    page.listen(document.getElementById('dialog-ok'), 'click', function () {
      document.getElementById('dialog').close();
    });
    _minne_web_visible(platform, document.visibilityState === 'visible' ? 1 : 0);
    document.body.classList.add('running');
  },

  minne_page_detach__deps: ['$MinnePage'],
  minne_page_detach: function () {
    MinnePage.listeners.forEach(function (entry) {
      entry[0].removeEventListener(entry[1], entry[2], entry[3]);
    });
    MinnePage.listeners = [];
    MinnePage.platform = 0;
  },

  minne_page_present__deps: ['$MinnePage'],
  minne_page_present: function (rgba, width, height, left, top, right, bottom) {
    var page = MinnePage;
    if (!page.image || page.image.width !== width || page.image.height !== height) {
      page.image = page.context.createImageData(width, height);
      page.dirty = null;
    }
    var rowBytes = width * 4;
    page.image.data.set(HEAPU8.subarray(rgba + top * rowBytes, rgba + bottom * rowBytes), top * rowBytes);
    var area = page.dirty || {left: left, top: top, right: right, bottom: bottom};
    page.dirty = {left: Math.min(area.left, left), top: Math.min(area.top, top),
                  right: Math.max(area.right, right), bottom: Math.max(area.bottom, bottom)};
    // While main still loads, nothing reaches the screen before it returns: the frames are
    // kept and the last one goes to the canvas once, with the browser's next paint.
    if (!Module['started']) {
      if (!page.flushPending) {
        page.flushPending = true;
        requestAnimationFrame(function () { page.flushPending = false; page.flush(); });
      }
      return;
    }
    page.flush();
    // The first frame of the running program, for the page and for whoever measures it.
    if (!Module['titleShownAt']) Module['titleShownAt'] = performance.now();
  },

  minne_page_show_box: function (title, text, icon) {
    var dialog = document.getElementById('dialog');
    document.getElementById('dialog-title').textContent = UTF8ToString(title);
    document.getElementById('dialog-text').textContent = UTF8ToString(text);
    dialog.classList.toggle('error', icon === 2);
    if (!dialog.open) dialog.show();
    document.getElementById('dialog-ok').focus({preventScroll: true});
  },

  minne_page_open_tab: function (address) {
    var opened = window.open(UTF8ToString(address), '_blank', 'noopener');
    // With "noopener" a browser may open the tab and still hand back nothing.
    return opened !== undefined ? 1 : 0;
  },

  minne_page_toggle_fullscreen__deps: ['$MinnePage'],
  minne_page_toggle_fullscreen: function () {
    MinnePage.toggleFullscreen();
  },

  minne_page_storage_read: function (key) {
    try {
      var text = window.localStorage.getItem(UTF8ToString(key));
      return text === null ? 0 : allocateUTF8(text);
    } catch (error) {
      return 0;
    }
  },

  minne_page_storage_write: function (key, value) {
    try {
      window.localStorage.setItem(UTF8ToString(key), UTF8ToString(value));
      return 1;
    } catch (error) {
      return 0;
    }
  },

  minne_page_audio_open__deps: ['$MinnePage'],
  minne_page_audio_open: function () {
    return (window.AudioContext || window.webkitAudioContext) ? 1 : 0;
  },

  minne_page_audio_decode_later__deps: ['$MinnePage'],
  minne_page_audio_decode_later: function (audio) {
    MinnePage.decoder = audio;
    if (!audio || MinnePage.decoding) return;
    MinnePage.decoding = true;
    (function step() {
      if (MinnePage.decoder && _minne_web_audio_decode(MinnePage.decoder)) {
        setTimeout(step, 0);
      } else {
        MinnePage.decoding = false;
      }
    })();
  },

  minne_page_audio_song__deps: ['$MinnePage'],
  minne_page_audio_song: function (id, left, right, frames, rate) {
    var buffer;
    try {
      buffer = new AudioBuffer({numberOfChannels: 2, length: frames, sampleRate: rate});
    } catch (error) {
      return;
    }
    buffer.copyToChannel(HEAPF32.subarray(left >> 2, (left >> 2) + frames), 0);
    buffer.copyToChannel(HEAPF32.subarray(right >> 2, (right >> 2) + frames), 1);
    MinnePage.songs[id] = buffer;
    MinnePage.startWanted();
  },

  minne_page_audio_play__deps: ['$MinnePage'],
  minne_page_audio_play: function (id) {
    MinnePage.wanted[id] = true;
    if (!MinnePage.gestureSeen) {
      var hint = document.getElementById('wecken');
      if (hint) hint.hidden = false;
    }
    MinnePage.startWanted();
    return 1;
  },

  minne_page_audio_stop_all__deps: ['$MinnePage'],
  minne_page_audio_stop_all: function () {
    MinnePage.playing.forEach(function (entry) { entry.source.stop(); });
    MinnePage.playing = [];
    MinnePage.wanted = {};
  },

  minne_page_audio_close__deps: ['$MinnePage'],
  minne_page_audio_close: function (id) {
    MinnePage.playing = MinnePage.playing.filter(function (entry) {
      if (entry.id === id) entry.source.stop();
      return entry.id !== id;
    });
    delete MinnePage.wanted[id];
    delete MinnePage.songs[id];
  },

  minne_page_audio_set_beep__deps: ['$MinnePage'],
  minne_page_audio_set_beep: function (wave, size) {
    MinnePage.beepWave = HEAPU8.slice(wave, wave + size).buffer;
  },

  minne_page_audio_beep__deps: ['$MinnePage'],
  minne_page_audio_beep: function () {
    var audio = MinnePage.audio;
    if (!audio || !MinnePage.beep) return;
    var source = audio.createBufferSource();
    source.buffer = MinnePage.beep;
    source.connect(audio.destination);
    source.start();
  },

  minne_page_quiet__deps: ['$MinnePage'],
  minne_page_quiet: function () {
    if (MinnePage.audio) MinnePage.audio.close().catch(function () {});
    MinnePage.audio = null;
    document.body.classList.remove('running');
    document.body.classList.add('quiet');
    var again = document.getElementById('neu');
    again.addEventListener('click', function () { window.location.reload(); });
    again.focus({preventScroll: true});
  },
});
