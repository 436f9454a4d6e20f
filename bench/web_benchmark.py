#!/usr/bin/python3
"""The game in its page, in headless Chromium, timed in play: a game
started with Z, the cannon walked right and left with Space tapped, for a
number of seconds; then the frames the page put onto its canvas in that
time, the frame rate, how long the canvas took each picture, and the
processor time of the page's renderer and of all of Chromium, as a share
of one core. It prints figures and judges none.

    web_benchmark.py SITE_DIR [SECONDS]"""

import os
import statistics
import sys
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import browser  # noqa: E402
from browser import wait_until  # noqa: E402

# Every picture put onto the canvas, with how long the canvas took it.
TIMER = """
(function () {
  var frames = window.orbostrakFrames = [];
  var put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function () {
    var start = performance.now();
    put.apply(this, arguments);
    frames.push([start, performance.now() - start]);
  };
})();
"""
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
STEP_S = 0.25  # the scripted player's beat


def processes(chromium):
    """Every process of this Chromium: the browser, its children and theirs
    (zygotes, renderers and helpers)."""
    parents = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % pid) as f:
                parents[int(pid)] = int(f.read().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError, ValueError):
            continue  # gone while looked at
    ours, grown = {chromium.process.pid}, True
    while grown:
        more = {pid for pid, parent in parents.items() if parent in ours}
        grown = not more <= ours
        ours |= more
    return sorted(ours)


def renderer_pids(chromium):
    """The processes of Chromium's renderers, whose work a page is."""
    renderers = []
    for pid in processes(chromium):
        try:
            with open("/proc/%d/cmdline" % pid, "rb") as f:
                # Chromium rewrites its children's command lines, spaces for NULs
                if b"--type=renderer" in f.read():
                    renderers.append(pid)
        except OSError:
            continue
    return renderers


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])  # utime, stime
        except OSError:
            continue  # a process that ended took its time with it
    return total / CLOCK_TICKS


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    seconds = float(sys.argv[2]) if len(sys.argv) == 3 else 10
    site = browser.Site(sys.argv[1])
    chromium = browser.Chromium(before_load=TIMER)
    try:
        chromium.driver.get(site.url)
        version = chromium.driver.capabilities.get("browserVersion", "?")
        # the title listens from its prompt on
        wait_until("the title's prompt", 60, lambda: browser.canvas_grays(
            chromium, [[906 + x, 550 + y] for x in range(8) for y in range(8)]).count(0) < 64)
        keys = ActionChains(chromium.driver)
        keys.key_down("z").perform()
        wait_until("the game's panel", 10, lambda: browser.canvas_grays(
            chromium, [[1820, 500], [500, 970]]) == [255, 255])
        ActionChains(chromium.driver).key_up("z").perform()
        time.sleep(3)  # past the cannon's entry and the opening tune

        renderers = renderer_pids(chromium)
        everything = processes(chromium)
        first = chromium.run("return window.orbostrakFrames.length")
        page_cpu, all_cpu, wall = cpu_seconds(renderers), cpu_seconds(everything), time.monotonic()
        beat = 0
        while time.monotonic() - wall < seconds:
            direction = Keys.RIGHT if beat // 12 % 2 == 0 else Keys.LEFT
            ActionChains(chromium.driver).key_down(direction).perform()
            if beat % 2 == 0:
                ActionChains(chromium.driver).key_down(Keys.SPACE).perform()
            else:
                ActionChains(chromium.driver).key_up(Keys.SPACE).perform()
            time.sleep(STEP_S)
            ActionChains(chromium.driver).key_up(direction).perform()
            beat += 1
        wall = time.monotonic() - wall
        page_cpu, all_cpu = cpu_seconds(renderers) - page_cpu, cpu_seconds(everything) - all_cpu
        frames = chromium.run("return window.orbostrakFrames.slice(arguments[0])", first)
    finally:
        chromium.quit()
        site.close()

    span = (frames[-1][0] - frames[0][0]) / 1000
    gaps = [(b[0] - a[0]) for a, b in zip(frames, frames[1:])]
    puts = [f[1] for f in frames]
    rate = (len(frames) - 1) / span
    print("headless Chromium %s, %.1f s of play: %d frames" % (version, wall, len(frames)))
    print("  frame interval: median %.2f ms, longest %.1f ms" % (statistics.median(gaps), max(gaps)))
    print("  canvas update (putImageData): median %.2f ms, longest %.1f ms"
          % (statistics.median(puts), max(puts)))
    print("  CPU of one core: page %.1f %%, all of Chromium %.1f %%"
          % (100 * page_cpu / wall, 100 * all_cpu / wall))
    print("  in play: %.1f frames/s, page %.1f %% CPU" % (rate, 100 * page_cpu / wall))


if __name__ == "__main__":
    main()
