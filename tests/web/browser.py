"""What the web tests and the web benchmark share: the site served on
127.0.0.1, headless Chromium driven through chromium-driver, waits with a
deadline, and the canvas read back from the page and from screenshots."""

import base64
import functools
import http.server
import os
import shutil
import subprocess
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common import utils

import pictures

SCREEN_WIDTH, SCREEN_HEIGHT = 1900, 980
CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# The network is closed here: whatever Chromium would fetch by itself is
# refused, and it waits for none of it.
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync"]


class Failure(Exception):
    pass


# ---- the site ----

class QuietHandler(http.server.SimpleHTTPRequestHandler):
    # .wasm is served as WebAssembly whatever the system's MIME list says
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


class Site:
    """The site's folder served by a plain static server on 127.0.0.1, on a
    port the system picks; the server listens before this returns."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


# ---- waits ----

def wait_until(what, seconds, check, interval=0.05):
    """Runs check until it gives something true and returns that; after
    `seconds` fails, naming what it waited for."""
    deadline = time.monotonic() + seconds
    while True:
        found = check()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure("timed out after %g s waiting for %s" % (seconds, what))
        time.sleep(interval)


# ---- the browsers' processes ----


def end_browser(process, profile):
    """Waits for a browser told to end, kills one that does not, and
    removes its profile."""
    try:
        process.wait(30)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    shutil.rmtree(profile, ignore_errors=True)


# ---- Chromium ----

class DriverService(Service):
    """chromium-driver reached at 127.0.0.1: Selenium would ask for
    localhost, a name that a minimal system without /etc/hosts does not
    give."""

    def is_connectable(self):
        return utils.is_connectable(self.port, "127.0.0.1")

    @property
    def service_url(self):
        return "http://127.0.0.1:%d" % self.port


class Chromium:
    """A headless Chromium with a new empty profile, its page's viewport set
    in CSS pixels and device pixels per CSS pixel. It is started here, its
    DevTools at 127.0.0.1, and chromium-driver attaches to it there: a
    Chromium the driver starts itself is reached at localhost too."""

    def __init__(self, width=1920, height=1080, ratio=1, before_load=None):
        self.profile = tempfile.mkdtemp(prefix="orbostrak-chromium-")
        self.process = subprocess.Popen(
            [CHROMIUM] + CHROMIUM_FLAGS + ["--user-data-dir=" + self.profile,
                                           "--remote-debugging-address=127.0.0.1",
                                           "--remote-debugging-port=0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")

        def port():
            if self.process.poll() is not None:
                raise Failure("Chromium ended with status %d" % self.process.returncode)
            try:
                with open(port_file) as f:
                    lines = f.read().split("\n")
            except OSError:
                return None
            return len(lines) > 1 and lines[0]

        options = webdriver.ChromeOptions()
        options.debugger_address = "127.0.0.1:" + wait_until("Chromium to name its DevTools port", 60, port)
        self.driver = webdriver.Chrome(service=DriverService(CHROMEDRIVER), options=options)
        self.viewport(width, height, ratio)
        if before_load:
            self.cdp("Page.addScriptToEvaluateOnNewDocument", source=before_load)

    def cdp(self, command, **arguments):
        return self.driver.execute_cdp_cmd(command, arguments)

    def viewport(self, width, height, ratio=1):
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=ratio, mobile=False)

    def run(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def canvas_shot(self):
        """The canvas as it stands on the page, cut from a screenshot."""
        left, top, width, height = self.run(
            "var r = document.getElementById('screen').getBoundingClientRect();"
            "return [r.left, r.top, r.width, r.height];")
        shot = self.cdp("Page.captureScreenshot", format="png",
                        clip={"x": left, "y": top, "width": width, "height": height, "scale": 1})
        return pictures.png_gray(base64.b64decode(shot["data"]))

    def quit(self):
        try:
            self.driver.quit()
        finally:
            self.process.terminate()
            end_browser(self.process, self.profile)


# ---- the canvas read in the page ----

# The canvas's own pixels read in the page, for the checks that poll: far
# quicker than a screenshot, and what the page shows at 1:1.
CANVAS_READ = """
var canvas = document.getElementById('screen');
var context = canvas.getContext('2d');
function gray(x, y) { return context.getImageData(x, y, 1, 1).data[0]; }
"""


def canvas_grays(browser, points):
    return browser.run(CANVAS_READ + "return arguments[0].map(function (p) { return gray(p[0], p[1]); });",
                       points)


def is_frame(shot, frame):
    """A screenshot, as pictures.png_gray gives it, is the desktop's frame
    (gray bytes) to the pixel, and nothing in it is not gray."""
    width, height, gray, not_gray = shot
    return (width, height) == (SCREEN_WIDTH, SCREEN_HEIGHT) and not_gray == 0 and gray == frame


def save_failed(gray, width, height, name):
    """The last picture of a failed check, as a PGM file in /tmp."""
    path = "/tmp/orbostrak-web-failed-%s.pgm" % name
    with open(path, "wb") as f:
        f.write(b"P5\n%d %d\n255\n" % (width, height) + gray)
    return path
