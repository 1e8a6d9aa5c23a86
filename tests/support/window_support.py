"""Driving the program's window as a person does: real X input through
xdotool and pictures of the window through ImageMagick's import, with waits
on what the window shows (standard library only)."""
import os
import re
import subprocess
import time

from e2e_support import Session, data_copy  # noqa: F401 (the window tests take it from here)


class Picture:
    """A picture of the window: pixel colours as (r, g, b), (0, 0) top left."""

    def __init__(self, ppm):
        # "P6", width, height, maximum, each after blanks, then one blank and
        # the pixels.
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        assert header, ppm[:20]
        self.width, self.height = int(header[1]), int(header[2])
        self.rgb = ppm[header.end():header.end() + 3 * self.width * self.height]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def count(self, box, test):
        """How many pixels of box (x, y, w, h) pass test(rgb)."""
        x0, y0, w, h = box
        return sum(1 for y in range(y0, y0 + h) for x in range(x0, x0 + w)
                   if test(self.at(x, y)))

    def region(self, box):
        x0, y0, w, h = box
        return [self.at(x, y) for y in range(y0, y0 + h) for x in range(x0, x0 + w)]


# A point of the file name entry's box, plate-coloured while it shows.
NAME_ENTRY_PLATE = (224 + 4, 258 + 120)
# The plate of the boxes, and a point of the module browser's plate, above
# its first row.
PLATE = (57, 60, 66)
BROWSER_PLATE = ((1024 - 480) // 2 + 4, (768 - 348) // 2 + 4)
# The module browser's rows.
BROWSER_ROWS = {"oscillator": 0, "sampler": 1, "amplifier": 2, "filter": 3, "mixer": 4,
                "sequencer": 5, "keyboard": 6}


class Window:
    """The program started on a patch with the remote control on a free port
    and the console keys given (by default the "No sound" driver), its window
    found by its caption (by default the patch as given). Without keys, the
    input may be another (stdin), as a desktop's launcher gives /dev/null."""

    def __init__(self, exe, work, patch, port, env=None, options=(), keys=b"41", caption=None,
                 stdin=subprocess.PIPE):
        self.env = dict(os.environ if env is None else env)
        self.session = Session(list(options) + ["--remote-port", str(port), patch], exe, work,
                               env=self.env, stdin=stdin)
        if keys:
            self.session.send(keys)
        self.start_up = self.session.wait_for("Playing [", timeout=60)
        # The caption as an extended regular expression matching it whole.
        caption = re.sub(r"([.^$*+?()\[\]{}|\\])", r"\\\1", caption or patch)
        self.id = self.xdo_output("search", "--sync", "--name", "^%s$" % caption).split()[0]

    def xdo_output(self, *args):
        return subprocess.check_output(["xdotool"] + list(args), env=self.env,
                                       timeout=60).decode()

    def xdo(self, *args):
        subprocess.check_call(["xdotool"] + list(args), env=self.env, timeout=60)

    def point(self, x, y):
        """Moves the pointer to (x, y) of the window, twice, so that the
        program sees the pointer over that place (some of its gestures look
        at where the pointer was at the previous motion)."""
        for dx in (1, 0):
            self.xdo("mousemove", "--window", self.id, str(x - dx), str(y))

    def pointer(self):
        """The pointer's position in the window."""
        def shell(*args):
            return dict(kv.split("=") for kv in self.xdo_output(*args).split())
        at, window = shell("getmouselocation", "--shell"), shell("getwindowgeometry", "--shell",
                                                                 self.id)
        return (int(at["X"]) - int(window["X"]), int(at["Y"]) - int(window["Y"]))

    def key(self, *keys):
        self.xdo("key", *keys)

    def title(self):
        return self.xdo_output("getwindowname", self.id).strip()

    def shot(self):
        ppm = subprocess.check_output(["import", "-window", self.id, "-depth", "8", "ppm:-"], env=self.env,
                                      timeout=60)
        return Picture(ppm)

    def save_shot(self, path):
        subprocess.check_call(["import", "-window", self.id, path], env=self.env, timeout=60)

    def wait_for(self, what, test, timeout=60):
        """Takes pictures until test(picture) holds; returns that picture."""
        deadline = time.monotonic() + timeout
        while True:
            picture = self.shot()
            if test(picture):
                return picture
            if time.monotonic() > deadline:
                raise AssertionError("the window never showed " + what)
            time.sleep(0.1)

    def wait_changed(self, what, before, box, timeout=60):
        """Waits until box differs from the same box of picture before."""
        old = before.region(box)
        return self.wait_for(what, lambda p: p.region(box) != old, timeout)

    def wait_file(self, path, text, timeout=60):
        """Waits until the file holds text; returns its contents."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if os.path.exists(path):
                with open(path) as f:
                    contents = f.read()
                if text in contents:
                    return contents
            time.sleep(0.1)
        raise AssertionError("%s never held %r" % (path, text))

    def save_as(self, name):
        """F4 in the front view, then the name typed into the entry once it
        shows, then Enter."""
        self.point(600, 700)
        self.key("F4")
        self.wait_for("the name entry", lambda p: p.at(*NAME_ENTRY_PLATE) == (57, 60, 66))
        self.xdo("type", "--delay", "30", name)
        self.key("Return")

    def add_module(self, place, row):
        """A right click on empty space at place, then the module browser's
        row (0 the oscillator) by the arrow keys and Enter."""
        self.point(*place)
        self.xdo("click", "3")
        self.wait_for("the module browser", lambda p: p.at(*BROWSER_PLATE) == PLATE)
        for _ in range(row):
            self.key("Down")
        self.key("Return")
        self.wait_for("the browser closed", lambda p: p.at(*BROWSER_PLATE) != PLATE)

    def drag_cable(self, start, end):
        """A cable end in the back view: the left button pressed at start,
        released at end, once the program shows the cable there."""
        box = (end[0] - 12, end[1] - 12, 24, 24)
        before = self.shot()
        self.point(*start)
        self.xdo("mousedown", "1")
        self.point(*end)
        self.xdo("mouseup", "1")
        self.wait_changed("the cable plugged", before, box)

    def quit(self, timeout=60):
        """Escape in the window; returns the exit status."""
        self.point(500, 700)
        self.key("Escape")
        return self.session.process.wait(timeout=timeout)

    def kill(self):
        self.session.kill()


class PrivateDisplay:
    """An X server of the test's own (Xvfb with OpenGL), so that no other
    window takes the pointer or the keys; its environment in env."""

    def __enter__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
             "+extension", "GLX", "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        with os.fdopen(read, "rb") as f:
            while not number.endswith(b"\n"):
                piece = f.read(1)
                if not piece:
                    raise RuntimeError("Xvfb did not start")
                number += piece
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip())
        return self

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait(timeout=30)
