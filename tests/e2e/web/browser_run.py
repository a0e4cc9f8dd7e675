#!/usr/bin/env python3
"""The site in headless Chromium, driven through the DevTools protocol: the title menu, Start,
a question with its umlaut, the flight, glow and answer, the settings kept over a reload, and
Escape's quiet page, with no error in the console. Screenshots go to OUT; the figures (load
to title menu, the scene's frame time) are printed and written to OUT/figures.txt.

The dancer is checked against her own pictures (GFX_DIR) at each moment of the sequence.

    browser_run.py SITE_DIR OUT_DIR GFX_DIR [CHROMIUM]
"""
import base64
import contextlib
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

from cdp import Page
from dancer_frames import best_frame, load_frames

# A window wider than the picture's aspect: the canvas is centred with black beside it, so
# every click also tests the mapping from the scaled canvas.
VIEW_WIDTH, VIEW_HEIGHT = 960, 600
LEFT = (VIEW_WIDTH - 800) // 2
QUESTION = "Werde ich glücklich heiraten?"
QUESTION_COLOUR = (18, 72, 122)
ANSWER_COLOUR = (100, 25, 125)
BOX = (141, 505, 500, 95)
# The blinking caret has the question's colour: 2 by 18 pixels.
CARET = 36
# Where the dancer's frames stand in the first and the second landscape.
DANCER_AT = {1: (200, 335), 2: (580, 320)}
DANCER_SIZE = (140, 180)

# Canvas helpers inside the page: colour counts and differences against kept captures.
HELPERS = """
window.__minne = {
  kept: {},
  pixels(x, y, w, h) {
    return document.getElementById('canvas').getContext('2d').getImageData(x, y, w, h).data;
  },
  count(x, y, w, h, r, g, b) {
    const d = this.pixels(x, y, w, h);
    let n = 0;
    for (let i = 0; i < d.length; i += 4) if (d[i] === r && d[i + 1] === g && d[i + 2] === b) n++;
    return n;
  },
  keep(name, x, y, w, h) { this.kept[name] = this.pixels(x, y, w, h); return true; },
  differing(name, x, y, w, h) {
    const a = this.kept[name], d = this.pixels(x, y, w, h);
    let n = 0;
    for (let i = 0; i < d.length; i += 4)
      if (Math.abs(a[i] - d[i]) + Math.abs(a[i + 1] - d[i + 1]) + Math.abs(a[i + 2] - d[i + 2]) > 24) n++;
    return n;
  },
  // The pixels as base64, far shorter on the wire than a list of numbers.
  capture(x, y, w, h) {
    const d = this.pixels(x, y, w, h);
    let text = '';
    for (let i = 0; i < d.length; i += 8192) text += String.fromCharCode.apply(null, d.subarray(i, i + 8192));
    return btoa(text);
  },
  inked(x, y, w, h) {
    const d = this.pixels(x, y, w, h);
    let n = 0;
    for (let i = 0; i < d.length; i += 4) if (d[i] + d[i + 1] + d[i + 2] > 60) n++;
    return n;
  },
};
true
"""

# German keyboard: the key each character comes from.
GERMAN_CODES = {" ": "Space", "?": "Minus", "ü": "BracketLeft", "ä": "Quote", "ö": "Semicolon", "ß": "Minus"}


def free_port():
    with contextlib.closing(socket.socket()) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait_for_file(path, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if os.path.exists(path) and os.path.getsize(path) > 0:
            with open(path) as f:
                return f.read().split("\n")
        time.sleep(0.05)
    raise TimeoutError(f"no {path}")


class Run:
    def __init__(self, page, out, dancer_frames):
        self.page = page
        self.out = out
        self.dancer_frames = dancer_frames
        self.shots = 0
        self.figures = []

    def shot(self, name):
        self.shots += 1
        return self.page.screenshot(os.path.join(self.out, f"{self.shots:02d}-{name}.png"))

    def js(self, expression):
        return self.page.evaluate(expression)

    def move(self, x, y):
        self.page.call("Input.dispatchMouseEvent", type="mouseMoved", x=LEFT + x, y=y)

    def click(self, x, y):
        self.move(x, y)
        for kind in ("mousePressed", "mouseReleased"):
            self.page.call("Input.dispatchMouseEvent", type=kind, x=LEFT + x, y=y, button="left", clickCount=1)
        time.sleep(0.15)

    def key(self, key, code, text="", modifiers=0, virtual=0):
        down = {"type": "keyDown", "key": key, "code": code, "modifiers": modifiers,
                "windowsVirtualKeyCode": virtual}
        if text:
            down["text"] = text
        self.page.call("Input.dispatchKeyEvent", **down)
        self.page.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code, modifiers=modifiers,
                       windowsVirtualKeyCode=virtual)

    def type(self, text):
        for character in text:
            code = GERMAN_CODES.get(character) or "Key" + character.upper()
            shift = 8 if character.isupper() or character == "?" else 0
            self.key(character, code, character, shift)
            time.sleep(0.03)

    def count(self, colour, region=BOX):
        return self.js(f"__minne.count({','.join(map(str, region))},{','.join(map(str, colour))})")

    def question_ink(self):
        return self.count(QUESTION_COLOUR)

    def wait(self, expression, timeout, what):
        self.page.wait_for(expression, timeout, what)

    # Every pixel of her figure above the box is one of her frames' own, exactly.
    def check_dancer(self, moment, landscape=1):
        x, y = DANCER_AT[landscape]
        rgba = base64.b64decode(self.js(f"__minne.capture({x}, {y}, {DANCER_SIZE[0]}, {DANCER_SIZE[1]})"))
        number, wrong = best_frame(self.dancer_frames, rgba, min(DANCER_SIZE[1], BOX[1] - y))
        check(wrong == 0, f"the dancer {moment} is none of her frames: {wrong} pixels differ from frame {number}")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def console_errors(events):
    errors = []
    for event in events:
        method, params = event.get("method"), event.get("params", {})
        if method == "Runtime.exceptionThrown":
            errors.append("exception: " + json.dumps(params.get("exceptionDetails", {}))[:400])
        elif method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert"):
            errors.append("console.error: " + json.dumps(params.get("args", []))[:400])
        elif method == "Log.entryAdded" and params.get("entry", {}).get("level") == "error":
            errors.append("log: " + params["entry"].get("text", "")[:400])
    return errors


def console_lines(events):
    lines = []
    for event in events:
        if event.get("method") == "Runtime.consoleAPICalled":
            lines.append(" ".join(str(arg.get("value", "")) for arg in event["params"].get("args", [])))
    return lines


def load(run, address):
    run.js("window.__before = true")
    run.page.call("Page.navigate", url=address)
    run.wait("!window.__before && typeof Module === 'object' && !!Module.titleShownAt", 20, "the title menu")
    run.js(HELPERS)
    time.sleep(0.3)


def scenario(run, address):
    page = run.page
    load(run, address)
    loaded = run.js("Module.titleShownAt")
    run.figures.append(f"page load to title menu: {loaded:.0f} ms")
    title = run.shot("title-menu")
    check(run.js("__minne.inked(0, 0, 800, 600)") > 200000, "the title menu is not drawn")
    run.js("__minne.keep('title', 0, 0, 800, 300)")

    # The music waits for the first gesture, and says so; then the song loops.
    check(run.js("!document.getElementById('wecken').hidden"), "the page does not say that a click wakes it")
    run.js("""(() => { window.__songs = []; const start = AudioBufferSourceNode.prototype.start;
        AudioBufferSourceNode.prototype.start = function (...args) {
          if (this.loop) __songs.push(this.buffer.duration); return start.apply(this, args); }; return true; })()""")

    # Alt+Enter belongs to the page: full screen and back, and the program sees no Enter.
    run.key("Enter", "Enter", "\r", modifiers=1, virtual=13)
    run.wait("!!document.fullscreenElement", 5, "full screen after Alt+Enter")
    run.key("Enter", "Enter", "\r", modifiers=1, virtual=13)
    run.wait("!document.fullscreenElement", 5, "the window again after Alt+Enter")
    time.sleep(0.3)

    run.click(50, 350)
    run.wait("__minne.differing('title', 0, 0, 800, 300) > 50000", 10, "the scene after Start")
    run.wait("__songs.length === 1 && __songs[0] > 10", 10, "the song looping after the first click")
    check(run.js("document.getElementById('wecken').hidden"), "the hint stays after the click")
    time.sleep(0.3)
    run.shot("scene")
    run.check_dancer("in the scene")
    check(run.question_ink() <= CARET, "the question box is not empty at the start")

    # The scene's frame time: the program's own work per frame, measured around each call.
    run.js("""(() => { const t = window.__frames = []; let at = 0;
        Module.preMainLoop = () => { at = performance.now(); };
        Module.postMainLoop = () => { t.push(performance.now() - at); }; return true; })()""")
    time.sleep(2.0)
    frames = run.js("(() => { const t = __frames.slice().sort((a, b) => a - b); Module.preMainLoop = null;"
                    " Module.postMainLoop = null; return [t.length, t[t.length >> 1], t[Math.floor(t.length * 0.95)]]; })()")
    run.figures.append(f"scene frame time: median {frames[1]:.2f} ms, 95th percentile {frames[2]:.2f} ms "
                       f"over {frames[0]} frames in 2 s")

    run.type(QUESTION[:-4])  # without "ten?"
    time.sleep(0.2)
    before = run.question_ink()
    run.type("ten?")
    time.sleep(0.3)
    typed = run.question_ink()
    check(before > 200 and typed > before, f"the typed question does not show ({before} then {typed} pixels)")
    run.key("ü", "BracketLeft", "ü")
    time.sleep(0.2)
    with_extra = run.question_ink()
    check(with_extra > typed, "the umlaut added nothing to the box")
    run.key("Backspace", "Backspace", virtual=8)
    time.sleep(0.2)
    check(run.question_ink() < with_extra, "Backspace removed nothing")
    run.shot("question")
    run.js("__minne.keep('gate', 412, 314, 69, 80)")

    run.key("Enter", "Enter", "\r", virtual=13)
    time.sleep(0.25)
    run.shot("flight")
    check(run.question_ink() < typed, "the question did not leave the box")
    run.wait("__minne.differing('gate', 412, 314, 69, 80) > 300", 5, "the glow of the gate")
    run.shot("glow")
    run.check_dancer("during the glow")
    run.wait(f"__minne.count({','.join(map(str, BOX))},{','.join(map(str, ANSWER_COLOUR))}) >= 100", 10,
             "an answer")
    time.sleep(1.0)
    run.shot("answer")
    run.check_dancer("beside the answer")

    run.click(400, 200)
    time.sleep(0.3)
    run.shot("question-again")
    run.check_dancer("after the answer")
    check(run.count(ANSWER_COLOUR) == 0, "the answer is still shown after the click")
    check(run.question_ink() <= CARET, "the question was not emptied")

    # A finger: the tap focuses the hidden field, whose on-screen keyboard types into the box.
    page.call("Emulation.setTouchEmulationEnabled", enabled=True)
    for kind, points in (("touchStart", [{"x": LEFT + 400, "y": 550}]), ("touchEnd", [])):
        page.call("Input.dispatchTouchEvent", type=kind, touchPoints=points)
    page.call("Emulation.setTouchEmulationEnabled", enabled=False)
    check(run.js("document.activeElement && document.activeElement.id") == "tastatur",
          "a tap does not bring the on-screen keyboard's field")
    page.call("Input.insertText", text="Küss")
    time.sleep(0.3)
    run.shot("on-screen-keyboard")
    check(run.question_ink() > 100, "text from the on-screen keyboard does not show")

    # Settings: landscape 1 -> 2, music on -> off; Zurück stores them in the page's storage.
    run.click(720, 35)
    run.wait("__minne.differing('title', 0, 0, 800, 300) < 2000", 5, "the title menu after Zurück")
    run.click(60, 400)
    run.click(403, 279)
    run.click(403, 424)
    run.move(600, 100)
    time.sleep(0.2)
    run.shot("settings-changed")
    run.js("__minne.keep('selectors', 380, 256, 46, 215)")
    selectors = run.js("Array.from(__minne.kept.selectors).join(',')")
    run.click(720, 565)
    stored = run.js("localStorage.getItem('minnespiegel.registry') || ''")
    check("REGEDIT4" in stored, "the settings were not stored as a registry text")
    for line in ('"back"=dword:00000001', '"music"=dword:00000001'):
        check(line in stored.replace("\r", ""), f"the stored settings lack {line}")

    load(run, address)
    run.shot("title-after-reload")
    run.click(60, 400)
    run.move(600, 100)
    time.sleep(0.3)
    run.shot("settings-after-reload")
    check(run.js("Array.from(__minne.pixels(380, 256, 46, 215)).join(',')") == selectors,
          "the settings screen after the reload differs from before it")
    run.click(720, 565)
    run.click(50, 350)
    time.sleep(0.5)
    run.shot("scene-landscape-2")
    run.check_dancer("in the second landscape", landscape=2)
    run.click(720, 35)
    time.sleep(0.3)

    run.key("Escape", "Escape", virtual=27)
    run.wait("document.body.classList.contains('quiet')", 5, "the quiet page")
    check(run.js("document.getElementById('ruhe').innerText.includes('Der Spiegel ruht.')"),
          "the quiet page does not say so")
    run.shot("quiet")

    # Homepage: the home page in a new tab, and this one goes quiet.
    load(run, address)
    run.click(100, 450)
    run.wait("document.body.classList.contains('quiet')", 5, "the quiet page after Homepage")
    deadline = time.monotonic() + 5
    while not any("minnespiegel.example" in target.get("url", "")
                  for target in page.call("Target.getTargets")["targetInfos"]):
        check(time.monotonic() < deadline, "no new tab with the home page")
        time.sleep(0.1)
    run.shot("quiet-after-homepage")


def main():
    site, out, gfx = sys.argv[1], sys.argv[2], sys.argv[3]
    chromium = sys.argv[4] if len(sys.argv) > 4 else "/usr/bin/chromium"
    os.makedirs(out, exist_ok=True)
    for old in os.listdir(out):
        if old.endswith(".png"):
            os.remove(os.path.join(out, old))
    profile = tempfile.mkdtemp(prefix="minne-chromium-")
    port = free_port()
    server = subprocess.Popen([sys.executable, "-m", "http.server", "--bind", "127.0.0.1", "-d", site, str(port)],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    browser = subprocess.Popen([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                                "--remote-debugging-port=0", f"--user-data-dir={profile}",
                                "--autoplay-policy=user-gesture-required",
                                f"--window-size={VIEW_WIDTH},{VIEW_HEIGHT}", "about:blank"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        # Read while the browser starts.
        dancer = load_frames(gfx)
        debug_port = int(wait_for_file(os.path.join(profile, "DevToolsActivePort"), 20)[0])
        targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{debug_port}/json/list"))
        page = Page(next(t for t in targets if t["type"] == "page")["webSocketDebuggerUrl"])
        for domain in ("Page", "Runtime", "Log"):
            page.call(f"{domain}.enable")
        page.call("Emulation.setDeviceMetricsOverride", width=VIEW_WIDTH, height=VIEW_HEIGHT,
                  deviceScaleFactor=1, mobile=False)
        deadline = time.monotonic() + 10
        while True:
            try:
                urllib.request.urlopen(f"http://127.0.0.1:{port}/index.html").read()
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.05)
        run = Run(page, out, dancer)
        failure = None
        try:
            scenario(run, f"http://127.0.0.1:{port}/index.html")
        except (AssertionError, TimeoutError, RuntimeError) as error:
            failure = error
            run.shot("failure")
        errors = console_errors(page.events)
        # The program's logs reach the console in their own format.
        if not failure and not any(line.endswith(": Farbtiefe: 32") for line in console_lines(page.events)):
            failure = AssertionError("the program's log did not reach the console")
        with open(os.path.join(out, "console.txt"), "w") as log:
            log.write("\n".join(console_lines(page.events)) + "\n")
        with open(os.path.join(out, "figures.txt"), "w") as figures:
            figures.write("\n".join(run.figures) + "\n")
        print("\n".join(run.figures))
        print(f"{run.shots} screenshots in {out}")
        if failure:
            print(f"FAILED: {failure}")
            return 1
        if errors:
            print("errors in the console:\n" + "\n".join(errors))
            return 1
        return 0
    finally:
        browser.terminate()
        server.terminate()
        browser.wait(10)
        server.wait(10)
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
