// The page's side of the web platform (page.h), linked into the program's
// JavaScript. SDL here is the emulation's own state, which these functions
// tune where the game needs it otherwise.

mergeInto(LibraryManager.library, {
  // The surface's memory is shown through an ImageData laid over it, so that
  // a frame costs the one copy that putImageData makes. The view is made
  // again should the memory ever move.
  $pageImage: null,
  $pageContext: null,
  page_show__deps: ['$pageImage', '$pageContext'],
  page_show: function(pixels, width, height) {
    if (!pageContext) {
      pageContext = Module['canvas'].getContext('2d');
    }
    if (!pageImage || pageImage.data.buffer !== HEAPU8.buffer ||
        pageImage.data.byteOffset !== pixels || pageImage.width !== width) {
      var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
      pageImage = new ImageData(bytes, width, height);
    }
    pageContext.putImageData(pageImage, 0, 0);
  },

  // A wait is a timer. Its callback only passes the wake-up on as a message
  // to the page itself: a timer set from a timer's callback, again and
  // again, is held to 4 ms at the least, and the next frame's wait is set
  // from within this one's wake-up. A message is also the turn of a frame
  // with no time to wait; it comes back once what already waits in the
  // page's event loop has run.
  //
  // The browser's timers count whole milliseconds and come a millisecond or
  // so late, which would stretch every frame to about 16.5 ms, 60 frames a
  // second. So what the waits ran over is kept, up to two milliseconds, and
  // taken off the next waits in whole milliseconds: the waits come out at
  // their length on the whole, and the game at its 62 frames a second. A
  // wait far past its time, in a tab the browser holds back, counts as two
  // milliseconds over, so the frames after it are hardly hurried.
  $pageYield: {channel: null, overrun: 0},
  page_yield__deps: ['$callUserCallback', '$pageYield'],
  page_yield: function(ms) {
    Asyncify.handleSleep(function(wakeUp) {
      if (!pageYield.channel) {
        pageYield.channel = new MessageChannel();
      }
      var start = performance.now();
      pageYield.channel.port1.onmessage = function() {
        if (ms > 0) {
          var over = performance.now() - start - ms;
          pageYield.overrun = Math.max(-2, Math.min(2, pageYield.overrun + over));
        }
        callUserCallback(wakeUp);
      };
      if (ms == 0) {
        pageYield.channel.port2.postMessage(0);
        return;
      }
      setTimeout(function() {
        pageYield.channel.port2.postMessage(0);
      }, ms - Math.max(0, Math.round(pageYield.overrun)));
    });
  },

  // The emulation's device: its rate, the length of its buffers in seconds,
  // and how many of them it queues ahead of what plays.
  //
  // Until the player presses a key or clicks, the browser keeps the page's
  // audio suspended. The emulation tries to resume it once, on the first
  // key or click, and a first key that unlocks nothing (Escape does not)
  // would leave it silent; so every key and click tries again until the
  // sound runs.
  page_audio_opened: function(rate, queued) {
    var audio = SDL.audio;
    if (!audio) {
      return;
    }
    audio.freq = rate;
    audio.bufferDurationSecs = audio.samples / rate;
    audio.numSimultaneouslyQueuedBuffers = queued;
    var context = SDL.audioContext;
    var unlocks = ['keydown', 'mousedown', 'touchend'];
    function unlock() {
      if (context.state === 'suspended') {
        context.resume();
        return;
      }
      unlocks.forEach(function(kind) {
        document.removeEventListener(kind, unlock, true);
      });
    }
    unlocks.forEach(function(kind) {
      document.addEventListener(kind, unlock, true);
    });
  },

  // Places the browser keeps for pads that are gone, or never came, hold
  // null or a pad that says it is not connected; neither counts. A PagePad
  // is 12 bytes: connected at 0, buttons at 4, the two axes at 8 and 10. The
  // stick becomes SDL's numbers as the emulation makes them.
  page_read_pads: function(pads, count) {
    var all = [];
    try {
      all = navigator.getGamepads ? navigator.getGamepads() : [];
    } catch (e) {
      // a page that may not use pads has none
    }
    var found = 0;
    for (var i = 0; i < all.length && found < count; i++) {
      var pad = all[i];
      if (!pad || !pad.connected) {
        continue;
      }
      var at = pads + 12 * found++;
      var pressed = 0;
      for (var b = 0; b < pad.buttons.length && b < 32; b++) {
        if (pad.buttons[b].pressed) {
          pressed |= 1 << b;
        }
      }
      HEAP32[at >> 2] = 1;
      HEAP32[(at + 4) >> 2] = pressed;
      for (var a = 0; a < 2; a++) {
        var value = a < pad.axes.length ? Math.min(1, Math.max(pad.axes[a], -1)) : 0;
        HEAP16[((at + 8) >> 1) + a] = Math.ceil((value + 1) * 32767.5 - 32768);
      }
    }
  },

  page_game_ended: function(status) {
    if (Module['onGameEnded']) {
      Module['onGameEnded'](status);
    }
  },
});
