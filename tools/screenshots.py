"""Takes the README's pictures of the program in its window, on the demo
patch, with real X input on a private X server: the front view, the back view
with its cables, the oscilloscope, the load dialog, both views again
scrolled to the right, where the filters and mixers stand, and the module
browser; then the drum patch's sampler panels, and a patch built from nothing
in the back view. The program works in a copy of the data, so that nothing
it keeps (a recovery file) lands in data/.

    /usr/bin/python3 tools/screenshots.py --exe build/release/qmodular --data data --out docs
"""
import argparse
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
from e2e_support import free_port  # noqa: E402
from window_support import BROWSER_PLATE, BROWSER_ROWS, PLATE, PrivateDisplay, Window, \
    data_copy  # noqa: E402

SYSTEM_DASH = (75, 575, 192, 56)
DIALOG = (352, 264, 320, 240)
TRACE_SECONDS = 4  # how much of the sweep the picture shows
# The scroll that shows the right end of the demo patch's columns: the
# filters and the mixers, the sequencers' ends on their left.
RIGHT_SCROLL = 670


def scroll_right(w, dx):
    """Scrolls the work area dx pixels to the right by dragging it to the
    left with the middle button, along the bottom of the window, where the
    release finds no panel to swap into its compact look. The work area
    follows the pointer one motion late, hence the last point twice."""
    x, y = 1000, 740
    w.point(x, y)
    w.xdo("mousedown", "2")
    for to in list(range(x - 20, x - dx, -20)) + [x - dx, x - dx]:
        w.xdo("mousemove", "--window", w.id, str(to), str(y))
    w.xdo("mouseup", "2")


def patches(data):
    qsy = os.path.join(data, "QSY")
    patches = {}
    for name in os.listdir(qsy):
        with open(os.path.join(qsy, name)) as f:
            patches[name] = f.read()
    return patches


def drums_and_built(w, out):
    """The drum patch's sampler panels; a patch built from nothing: an
    oscillator, an amplifier and a sequencer cabled to MIXER_4."""
    w.wait_for("the drum patch", lambda p: w.title() == "QSY/DRUMS.QSY")
    time.sleep(1)
    w.save_shot(os.path.join(out, "sampler-panels.png"))
    w.point(600, 700)
    w.key("ctrl+n")
    w.wait_for("the empty patch", lambda p: w.title() == "untitled")
    w.key("F6")
    time.sleep(1)
    for place, kind in (((320, 40), "oscillator"), ((320, 200), "amplifier"),
                        ((20, 420), "sequencer")):
        w.add_module(place, BROWSER_ROWS[kind])
    for start, end in (((480, 86), (356, 246)), ((540, 246), (24, 96)),
                       ((140, 496), (400, 246))):
        w.drag_cable(start, end)
    w.point(900, 700)
    time.sleep(1)
    w.save_shot(os.path.join(out, "built-from-nothing.png"))


def demo(w, out):
    """The demo patch: both views, the load dialog, the oscilloscope, both
    views scrolled right, the module browser."""
    w.point(1000, 750)
    front = w.wait_for("the panels",
                       lambda p: p.count(SYSTEM_DASH, lambda c: c != (0, 0, 0)) > 1000)
    time.sleep(1)
    w.save_shot(os.path.join(out, "front-view.png"))
    w.key("F6")
    w.wait_changed("the back view", front, SYSTEM_DASH)
    time.sleep(1)
    w.save_shot(os.path.join(out, "back-view.png"))
    w.key("F6")
    w.key("F3")
    w.wait_changed("the load dialog", front, DIALOG)
    w.point(352 + 220, 264 + 50 + 16 + 3)
    time.sleep(1)
    w.save_shot(os.path.join(out, "load-dialog.png"))
    w.key("Escape")
    w.key("F1")
    w.wait_for("the trace", lambda p: p.at(600, 100) == (255, 0, 255))
    time.sleep(TRACE_SECONDS)
    w.save_shot(os.path.join(out, "oscilloscope.png"))
    w.key("F1")
    before = w.wait_for("the front view again",
                        lambda p: p.count(SYSTEM_DASH, lambda c: c != (0, 0, 0)) > 1000)
    scroll_right(w, RIGHT_SCROLL)
    right = w.wait_changed("the scrolled front view", before, SYSTEM_DASH)
    time.sleep(1)
    w.save_shot(os.path.join(out, "front-view-right.png"))
    w.key("F6")
    w.wait_changed("the scrolled back view", right, (0, 0, 1024, 768))
    time.sleep(1)
    w.save_shot(os.path.join(out, "back-view-right.png"))
    w.key("F6")
    w.key("Home")
    w.point(600, 700)
    w.key("Insert")
    w.wait_for("the module browser", lambda p: p.at(*BROWSER_PLATE) == PLATE)
    w.key("Down", "Down")
    time.sleep(1)
    w.save_shot(os.path.join(out, "module-browser.png"))
    w.key("Escape")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--patch", default="QSY/DEMO.QSY")
    args = parser.parse_args()
    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    statuses = []
    with tempfile.TemporaryDirectory() as tmp, PrivateDisplay() as display:
        work = data_copy(os.path.abspath(args.data), tmp, patches(args.data))
        for patch, take in ((args.patch, demo), ("QSY/DRUMS.QSY", drums_and_built)):
            w = Window(os.path.abspath(args.exe), work, patch, free_port(), env=display.env)
            try:
                take(w, out)
                statuses.append(w.quit())
            finally:
                w.kill()
    print("pictures in %s, the program ended with statuses %s" % (out, statuses))
    return 0 if statuses == [0, 0] else 1


if __name__ == "__main__":
    sys.exit(main())
