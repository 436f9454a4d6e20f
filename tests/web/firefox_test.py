#!/usr/bin/python3
"""The title in Firefox ESR, headless: the page, served on 127.0.0.1, shows
the desktop's own title frame, pixel for pixel. Debian has no geckodriver;
Firefox speaks WebDriver BiDi itself on --remote-debugging-port.

    firefox_test.py SITE_DIR SCREENS_DIR

SCREENS_DIR holds orbostrak_export's screens/*.pgm. Status 0 when the title
shows; a failure says what it waited for and keeps the last screenshot as
/tmp/orbostrak-web-failed-firefox.pgm."""

import base64
import json
import re
import subprocess
import sys
import tempfile
import threading

import websocket

import browser
import pictures
from browser import Failure, wait_until

FIREFOX = "/usr/bin/firefox-esr"
VIEWPORT = {"width": 1920, "height": 1080}


class Firefox:
    """Firefox with a new empty profile, driven over WebDriver BiDi."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="orbostrak-firefox-")
        self.process = subprocess.Popen(
            [FIREFOX, "--headless", "--no-remote", "--profile", self.profile,
             "--remote-debugging-port", "0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.said = []
        listening = threading.Event()
        self.address = None

        def read_errors():
            # Firefox names the port it took on its standard error
            for line in self.process.stderr:
                self.said.append(line)
                found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
                if found:
                    self.address = found.group(1)
                    listening.set()

        threading.Thread(target=read_errors, daemon=True).start()
        wait_until("Firefox to listen for WebDriver BiDi", 60,
                   lambda: listening.is_set() or self.process.poll() is not None)
        if not self.address:
            raise Failure("Firefox ended: %s" % "".join(self.said[-20:]))
        # Firefox refuses a connection that names an origin
        self.socket = websocket.create_connection(self.address + "/session", suppress_origin=True,
                                                  timeout=60)
        self.last_id = 0
        self.version = self.call("session.new", capabilities={})["capabilities"]["browserVersion"]
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]

    def call(self, method, **params):
        self.last_id += 1
        self.socket.send(json.dumps({"id": self.last_id, "method": method, "params": params}))
        while True:
            answer = json.loads(self.socket.recv())
            if answer.get("id") != self.last_id:
                continue  # an event
            if answer.get("type") == "error":
                raise Failure("%s: %s %s" % (method, answer.get("error"), answer.get("message")))
            return answer["result"]

    def evaluate(self, expression):
        result = self.call("script.evaluate", expression=expression, awaitPromise=False,
                           target={"context": self.context})
        return result["result"].get("value")

    def quit(self):
        try:
            self.call("browser.close")
        except Exception:
            pass  # closing is what a failure here comes to as well
        browser.end_browser(self.process, self.profile)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    site_folder, screens = sys.argv[1:]
    title = pictures.pgm_gray(screens + "/title.pgm")[2]
    site = browser.Site(site_folder)
    firefox = None
    last = []
    try:
        firefox = Firefox()
        firefox.call("browsingContext.setViewport", context=firefox.context, viewport=VIEWPORT,
                     devicePixelRatio=1)
        firefox.call("browsingContext.navigate", context=firefox.context, url=site.url, wait="complete")

        def title_shown():
            box = json.loads(firefox.evaluate(
                "var r = document.getElementById('screen').getBoundingClientRect();"
                "JSON.stringify([r.left, r.top, r.width, r.height])"))
            shot = firefox.call("browsingContext.captureScreenshot", context=firefox.context,
                                clip={"type": "box", "x": box[0], "y": box[1], "width": box[2],
                                      "height": box[3]})
            last[:] = [pictures.png_gray(base64.b64decode(shot["data"]))]
            return browser.is_frame(last[0], title)

        wait_until("a screenshot equal to the desktop's title with its prompt", 60, title_shown,
                   interval=0)
        print("ok   firefox: Firefox %s shows the desktop's title to the pixel" % firefox.version)
    except Failure as failure:
        print("FAIL firefox: %s" % failure)
        if last:
            width, height, gray, _ = last[0]
            print("     last screenshot: %s" % browser.save_failed(gray, width, height, "firefox"))
        sys.exit(1)
    finally:
        if firefox:
            firefox.quit()
        site.close()


if __name__ == "__main__":
    main()
