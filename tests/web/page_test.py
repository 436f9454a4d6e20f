#!/usr/bin/python3
"""The game in its page, in headless Chromium, as a player meets it: the
blue window and the splash, the title, a game started with Z, the cannon
moved by the keys and by a pad, a shot heard, the page frozen and back, q
to leave; then the canvas fitted to windows of other sizes, and a browser
without scripts or without WebAssembly told so. The splash and the title must be the desktop's own frames, pixel for
pixel, as orbostrak_export draws them through the game's draw path.

    page_test.py SITE_DIR SCREENS_DIR

SCREENS_DIR holds orbostrak_export's screens/*.pgm. Every wait has a
deadline; a check that fails says what it waited for and keeps the last
screenshot as /tmp/orbostrak-web-failed-NAME.pgm. Status 0 when all pass."""

import sys
import time
import urllib.request

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

import browser
import pictures
from browser import Failure, wait_until

# What the page shows and plays, recorded as it happens, before the page's
# own script runs: every picture put onto the canvas (with the red byte of
# two probe pixels, one lit on the splash alone and one on the title
# alone), every sound buffer handed to Web Audio, the audio contexts made,
# and whether the page kept each key from the browser. The browser's pads
# are the ones the test puts into record.pads.
RECORDER = """
(function () {
  var record = window.orbostrakRecord = {frames: [], first: null, sounds: [], contexts: [], keys: []};
  var put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (image) {
    var d = image.data;
    if (!record.first) record.first = [d[0], d[1], d[2], d[3]];
    record.frames.push([performance.now(), d[%(splash_probe)d], d[%(title_probe)d]]);
    return put.apply(this, arguments);
  };
  var Context = window.AudioContext;
  window.AudioContext = function (options) {
    var context = new Context(options);
    record.contexts.push(context);
    return context;
  };
  window.AudioContext.prototype = Context.prototype;
  var start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (when) {
    var buffer = this.buffer, samples = buffer.getChannelData(0), peak = 0, off = 0;
    for (var i = 0; i < samples.length; i++) {
      peak = Math.max(peak, Math.abs(samples[i]));
      if (samples[i] * 128 !== Math.round(samples[i] * 128)) off++;
    }
    record.sounds.push({rate: buffer.sampleRate, length: buffer.length, peak: peak, off: off,
                        ahead: (when || 0) + buffer.duration - this.context.currentTime});
    return start.apply(this, arguments);
  };
  window.addEventListener("keydown", function (event) {
    record.keys.push([event.key, event.defaultPrevented]);
  });
  record.pads = [];
  navigator.getGamepads = function () { return record.pads; };
})();
"""

# Desktop frames are drawn at 1:1 into a viewport that holds them whole.
VIEWPORT = (1920, 1080)
SPLASH_FRAMES = 180
SPLASH_SHOWN_MS = 2400
LOUD = 0.5    # a shot's samples reach 74 of 128 from the middle
QUIET = 0.45  # the march and the flying ship stay below 53 of 128
QUEUED_AHEAD_S = 0.35
# Frames are 16 ms; the page takes up to 2 ms off a wait for late timers.
CATCH_UP_MS = 8
BACKGROUND_S = 3


def probe(lit_in, dark_in):
    """The place of a pixel lit in one frame and black in the other."""
    for at, (a, b) in enumerate(zip(lit_in, dark_in)):
        if a >= 128 and b == 0:
            return at
    raise Failure("no pixel tells the two frames apart")


class PageTest:
    def __init__(self, site_folder, screens):
        self.splash = pictures.pgm_gray(screens + "/splash.pgm")[2]
        self.title = pictures.pgm_gray(screens + "/title.pgm")[2]
        splash_probe, title_probe = probe(self.splash, self.title), probe(self.title, self.splash)
        self.site = browser.Site(site_folder)
        self.chromium = browser.Chromium(*VIEWPORT, before_load=RECORDER % {
            "splash_probe": 4 * splash_probe, "title_probe": 4 * title_probe})
        self.last_shot = None
        self.chromium.driver.get(self.site.url)

    def close(self):
        self.chromium.quit()
        self.site.close()

    # ---- what the page shows ----

    def record(self, expression):
        return self.chromium.run("return window.orbostrakRecord." + expression)

    def shows(self, expected):
        """The canvas as the page shows it equals a desktop frame."""
        self.last_shot = self.chromium.canvas_shot()
        return browser.is_frame(self.last_shot, expected)

    def grays(self, *points):
        return browser.canvas_grays(self.chromium, [list(p) for p in points])

    def game_shown(self):
        # the separator, the panel's top line, the ground and the first shield
        return self.grays((1820, 500), (1821, 10), (500, 970), (24, 923)) == [255] * 4

    def band(self, x, y, width, height):
        """A digest of the canvas in a rectangle: it changes when anything
        in it is drawn anew."""
        return self.chromium.run(browser.CANVAS_READ + """
            var d = context.getImageData(arguments[0], arguments[1], arguments[2], arguments[3]).data;
            var sum = 0;
            for (var i = 0; i < d.length; i += 4) sum = (sum * 31 + d[i]) %% 1000000007;
            return sum;""".replace("%%", "%"), x, y, width, height)

    def cannon_centre(self):
        """The middle of the widest run of lit columns across the cannon's hull;
        none while it blinks in."""
        return self.chromium.run(browser.CANVAS_READ + """
            var d = context.getImageData(0, 959, 1820, 1).data, best = 0, at = -1, run = 0;
            for (var x = 0; x <= 1820; x++) {
              if (x < 1820 && d[4 * x] !== 0) { run++; continue; }
              if (run > best) { best = run; at = x - run; }
              run = 0;
            }
            return best > 5 ? at + Math.floor(best / 2) : null;""")

    def said(self):
        return self.chromium.run("return document.getElementById('said').textContent")

    # ---- keys, as the keyboard sends them to the page ----

    def hold_until(self, key, what, seconds, check):
        ActionChains(self.chromium.driver).key_down(key).perform()
        try:
            return wait_until(what + " while the key is held", seconds, check)
        finally:
            ActionChains(self.chromium.driver).key_up(key).perform()

    # ---- the checks, in the order a player meets them ----

    def check_opening_and_splash(self):
        wait_until("the first picture on the canvas", 60, lambda: self.record("first"))
        first = self.record("first")
        if first != [0, 0, 0xC0, 255]:
            raise Failure("the window opened in %s, not the blue 0, 0, 192" % first)
        wait_until("the splash probe lit", 30, lambda: any(f[1] for f in self.record("frames")))
        wait_until("a screenshot equal to the desktop's splash", 10, lambda: self.shows(self.splash),
                   interval=0)
        return "opened in blue; the splash is the desktop's to the pixel"

    def check_page(self):
        title = self.chromium.run("return document.title")
        if title != "ORBO-STRAK":
            raise Failure("the page's title is %r" % title)
        focused = self.chromium.run("return document.activeElement.id")
        if focused != "screen":
            raise Failure("the keyboard is on %r, not on the canvas" % focused)
        icon_url = self.chromium.run("return document.querySelector('link[rel=icon]').href")
        with urllib.request.urlopen(icon_url) as reply:
            width, height, gray, _ = pictures.png_gray(reply.read())
        lit = len(gray) - gray.count(0)
        if (width, height) != (64, 64) or lit == 0:
            raise Failure("the icon is %dx%d with %d lit pixels" % (width, height, lit))
        return "title %s, the keys on the canvas, a %dx%d icon" % (title, width, height)

    def check_splash_paced(self):
        wait_until("the title probe lit", 30, lambda: any(f[2] for f in self.record("frames")))
        frames = self.record("frames")
        splash = [f[0] for f in frames if f[1]]
        shown_ms = splash[-1] - splash[0]
        # the set-up's picture and one for each frame of its wait
        if len(splash) != SPLASH_FRAMES + 1 or shown_ms < SPLASH_SHOWN_MS:
            raise Failure("the splash was shown in %d pictures over %.0f ms" % (len(splash), shown_ms))
        return "%d pictures of the splash over %.0f ms" % (len(splash), shown_ms)

    def check_title(self):
        wait_until("a screenshot equal to the desktop's title with its prompt", 10,
                   lambda: self.shows(self.title), interval=0)
        state = self.record("contexts.map(function (c) { return c.state; })")
        if state != ["suspended"]:
            raise Failure("before any key the page's audio is %s" % state)
        return "the title is the desktop's to the pixel; the sound waits for a key"

    def check_game_starts(self):
        self.hold_until("z", "the game's panel, ground and shields", 10, self.game_shown)
        wait_until("the sound unlocked by the key", 5,
                   lambda: self.record("contexts[0].state") == "running")
        formation = self.band(0, 100, 1820, 800)
        wait_until("the formation to move", 10, lambda: self.band(0, 100, 1820, 800) != formation)
        return "Z started a game; the formation marches; the sound runs"

    def check_cannon_moves(self):
        start = wait_until("the cannon on its row", 10, self.cannon_centre)
        moved = self.hold_until(Keys.RIGHT, "the cannon 20 pixels to the right", 10,
                                lambda: (self.cannon_centre() or 0) >= start + 20 and self.cannon_centre())
        return "Right moved the cannon from x %d to x %d" % (start, moved)

    # a pad as the browser shows it: ten buttons, a stick
    PAD = "{connected: %s, buttons: [0,1,2,3,4,5,6,7,8,9].map(function (b) { return {pressed: b === %d}; })," \
          " axes: [%g, 0]}"

    def pads(self, *pads):
        self.chromium.run("window.orbostrakRecord.pads = [%s];" % ", ".join(pads))

    def check_pads(self):
        start = wait_until("the cannon on its row", 10, self.cannon_centre)
        # an empty place and a pad gone before the one that counts as pad 0
        self.pads("null", self.PAD % ("false", -1, 1), self.PAD % ("true", -1, -1))
        left = wait_until("the cannon 20 pixels to the left, pad 0's stick held left", 10,
                          lambda: (self.cannon_centre() or 9999) <= start - 20 and self.cannon_centre())
        self.pads(self.PAD % ("true", 9, 0))
        right = wait_until("the cannon 20 pixels to the right, pad 0's button 9 held", 10,
                           lambda: (self.cannon_centre() or 0) >= left + 20 and self.cannon_centre())
        self.pads(self.PAD % ("true", -1, 0))
        return "pad 0's stick took the cannon from x %d to x %d, its button 9 to x %d" % (start, left, right)

    def check_comes_back(self):
        # A page the browser froze, as it does a tab in the background,
        # goes on where it was when it comes back, at its pace: a game that
        # made up the lost time would show pictures a millisecond apart.
        frozen = len(self.record("frames"))
        formation = self.band(0, 100, 1820, 800)
        self.chromium.cdp("Page.setWebLifecycleState", state="frozen")
        time.sleep(BACKGROUND_S)  # the tab's time away, not a wait for anything
        self.chromium.cdp("Page.setWebLifecycleState", state="active")
        # back in front, as a tab the player comes back to
        self.chromium.cdp("Emulation.setFocusEmulationEnabled", enabled=True)
        wait_until("the page shown again", 10,
                   lambda: self.chromium.run("return document.visibilityState") == "visible")
        wait_until("60 pictures after the page came back", 10,
                   lambda: len(self.record("frames")) >= frozen + 60)
        wait_until("the formation to move on", 10, lambda: self.band(0, 100, 1820, 800) != formation)
        times = [f[0] for f in self.record("frames")[frozen:]]
        apart = [b - a for a, b in zip(times, times[1:])]
        if max(apart) < 1000:
            raise Failure("the page went on while frozen: its longest pause %.0f ms" % max(apart))
        if min(apart) < CATCH_UP_MS:
            raise Failure("pictures %.1f ms apart after the page came back" % min(apart))
        return "after %.1f s frozen the game plays on, its pictures at least %.1f ms apart" % (
            max(apart) / 1000, min(apart))

    def sounds(self):
        return self.record("sounds")

    def check_shot_sounds(self):
        # The tune that opens a game is loud, with rests between its notes;
        # the march and the ship are quiet. A press fires only once the
        # cannon stands ready, so Space is pressed again until one does.
        wait_until("the tune that opens the game to end", 15,
                   lambda: len(self.sounds()) > 40 and max(s["peak"] for s in self.sounds()[-20:]) < QUIET)
        before = len(self.sounds())

        def fired():
            return self.hold_until(Keys.SPACE, "a loud sound buffer handed to Web Audio", 1,
                                   lambda: [s for s in self.sounds()[before:] if s["peak"] >= LOUD])

        def fired_at_last():
            try:
                return fired()
            except Failure:
                return None

        loud = wait_until("a shot heard", 10, fired_at_last, interval=0)
        sounds = self.sounds()
        rates = sorted({s["rate"] for s in sounds})
        off = sum(s["off"] for s in sounds)
        ahead = max(s["ahead"] for s in sounds)
        if rates != [8000] or off or ahead > QUEUED_AHEAD_S:
            raise Failure("buffers at %s Hz, %d samples not of 8 bits, %.3f s queued ahead"
                          % (rates, off, ahead))
        return "Space fired; %d buffers, all at 8000 Hz in 8-bit steps, the shot's peak %.2f, " \
               "at most %.3f s queued ahead" % (len(sounds), loud[0]["peak"], ahead)

    def check_quit(self):
        ActionChains(self.chromium.driver).send_keys("q").perform()
        said = wait_until("the page to say the game has ended", 10,
                          lambda: "ended" in self.said() and self.said())
        focused = self.chromium.run("return document.activeElement.id")
        if focused == "screen":
            raise Failure("the canvas keeps the keys after the end")
        kept = {key for key, prevented in self.record("keys") if prevented}
        if not {"ArrowRight", " "} <= kept or self.chromium.run("return window.scrollY") != 0:
            raise Failure("keys kept from the browser: %s" % sorted(kept))
        return "q ended it: %r; the arrows and Space never reached the browser" % said

    # ---- the canvas fitted to the window ----

    # viewport in CSS pixels, device pixels per CSS pixel, and the canvas's
    # box in CSS pixels with its sampling, by the desktop's rule with no
    # rows kept for a title bar: 0.71 on 1366x768, twice on 3840x2160
    FITS = [
        ((1366, 768, 1), (8, 36, 1349, 695, "auto")),
        ((3840, 2160, 1), (20, 100, 3800, 1960, "pixelated")),
        ((1920, 1080, 2), (10, 50, 1900, 980, "pixelated")),
        ((1280, 720, 1.5), (6.67, 33.33, 1266.67, 653.33, "auto")),
        ((1920, 1080, 1), (10, 50, 1900, 980, "auto")),
    ]

    # the page lays boxes out in 64ths of a CSS pixel
    LAYOUT_STEP = 1 / 64

    def canvas_fits(self, expected):
        box = self.chromium.run(
            "var c = document.getElementById('screen'), r = c.getBoundingClientRect();"
            "return [r.left, r.top, r.width, r.height, getComputedStyle(c).imageRendering];")
        return box[4] == expected[4] and all(abs(a - b) <= self.LAYOUT_STEP for a, b in zip(box[:4], expected[:4]))

    def check_fits(self):
        seen = []
        for (width, height, ratio), box in self.FITS:
            self.chromium.viewport(width, height, ratio)
            wait_until("the canvas at %s in a %dx%d window of ratio %g" % (box, width, height, ratio),
                       5, lambda: self.canvas_fits(box))
            seen.append("%dx%d@%g: %gx%g %s" % (width, height, ratio, box[2], box[3], box[4]))
        return "; ".join(seen)


    # ---- browsers that cannot run it ----

    def body_text(self):
        # DevTools reads the page even where its scripts may not run
        return self.chromium.cdp("Runtime.evaluate", expression="document.body.innerText")["result"]["value"]

    def check_without_scripts(self):
        self.chromium.cdp("Emulation.setScriptExecutionDisabled", value=True)
        try:
            self.chromium.driver.get(self.site.url)
            said = wait_until("the page's sentence for a browser without scripts", 10,
                              lambda: "allow JavaScript" in self.body_text() and self.body_text())
        finally:
            self.chromium.cdp("Emulation.setScriptExecutionDisabled", value=False)
        return "without scripts: %r" % said.strip()

    def check_without_webassembly(self):
        hidden = self.chromium.cdp("Page.addScriptToEvaluateOnNewDocument", source="delete window.WebAssembly;")
        try:
            self.chromium.driver.get(self.site.url)
            said = wait_until("the page's sentence for a browser without WebAssembly", 10,
                              lambda: "WebAssembly" in self.said() and self.said())
        finally:
            self.chromium.cdp("Page.removeScriptToEvaluateOnNewDocument", identifier=hidden["identifier"])
        return "without WebAssembly: %r" % said


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    test = PageTest(*sys.argv[1:])
    play = [test.check_opening_and_splash, test.check_page, test.check_splash_paced, test.check_title,
            test.check_game_starts, test.check_cannon_moves, test.check_pads, test.check_shot_sounds,
            test.check_comes_back, test.check_quit]
    unable = [test.check_without_scripts, test.check_without_webassembly]
    failed = 0
    try:
        # each step of play stands on the ones before it; the others do not
        for group in (play, [test.check_fits], unable):
            for check in group:
                name = check.__name__[len("check_"):]
                try:
                    print("ok   %s: %s" % (name, check()), flush=True)
                except Failure as failure:
                    failed += 1
                    print("FAIL %s: %s" % (name, failure), flush=True)
                    if test.last_shot:
                        width, height, gray, _ = test.last_shot
                        print("     last screenshot: %s" % browser.save_failed(gray, width, height, name))
                    break
    finally:
        test.close()
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
