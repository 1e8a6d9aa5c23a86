"""The whole program in its window, driven with real X input on an X server of
the test's own: a knob turned by dragging and saved through F4, a cable end
moved in the back view and saved, another patch loaded through F3 by clicking
its drawn name, the oscilloscope on F1, and Escape ending the program; the
console, cleared only when it is a terminal; and the statuses of a window
that cannot open."""
import os
import pty
import re
import select
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import free_port, main  # noqa: E402
from window_support import PrivateDisplay, Window, data_copy  # noqa: E402

LINKS = "BEGIN_LINKS_DECLARE\n%s\nEND_LINKS_DECLARE\n"
TEST_PATCH = ("BEGIN_OBJECTS_DECLARE\n"
              "VCO_1;TYPE=1;FREQ=440.000000;AMOUNT=0.50;PHASE=0;\n"
              "VCA_1;ATTACK=5;DECAY=300;SUSTAIN=0;RELEASE=80;INVERT=0;\n"
              "MIXER_4;;\n"
              "END_OBJECTS_DECLARE\n" + LINKS % "MIXER_4;ADD_CHANELL=VCO_1;")
OTHER_PATCH = ("BEGIN_OBJECTS_DECLARE\n"
               "VCO_A;TYPE=3;FREQ=110.000000;AMOUNT=0.80;PHASE=0;\n"
               "MIXER_4;;\n"
               "END_OBJECTS_DECLARE\n" + LINKS % "MIXER_4;ADD_CHANELL=VCO_A;")

# Where the program puts things, in window pixels: the oscillator's panel at
# (0, 25), the amplifier's at (210, 50) (the next column), the system
# dashboard at (75, 575), the load dialog's panel at (352, 264) with row r at
# y = 50 + 16 r on it.
KNOB = (0 + 98 + 16, 25 + 35 + 16)            # SLD_FREQUENCE, 32 x 32 at (98, 35)
KNOB_LABEL = (136, 72, 42, 12)                # LABEL_FREQUENCE at (139, 50)
VCO_OUTPUT = (0 + 152 + 8, 25 + 38 + 8)       # socket OUTPUT, 16 x 16 at (152, 38)
VCA_OUTPUT = (210 + 212 + 8, 50 + 38 + 8)     # socket OUTPUT at (212, 38)
VCA_SOCKET_AREA = (410, 76, 40, 60)
VCO_PANEL = (0, 25, 200, 130)                # where the views differ most
DIALOG = (352, 264, 320, 240)


def dialog_row_box(row):
    return (352 + 150 - 6, 264 + 50 + 16 * row - 5, 140, 16)


def listing_row(qsy, name):
    """The dialog's row of a name: the names holding "QSY" then those holding
    "qsy", each group sorted, from the top."""
    entries = sorted(os.listdir(qsy))
    names = [n for n in entries if "QSY" in n] + [n for n in entries if "qsy" in n]
    return names.index(name)


def is_red(c):
    return c[0] > 200 and c[1] < 80 and c[2] < 80


def is_magenta(c):
    return c == (255, 0, 255)


def is_grey(c):
    return c == (128, 128, 128)


def test_the_program_in_its_window(args, tmp):
    work = data_copy(args.data, tmp, {"TEST.QSY": TEST_PATCH, "OTHER.QSY": OTHER_PATCH})
    shots = os.path.join(args.build, "screenshots")
    os.makedirs(shots, exist_ok=True)
    with PrivateDisplay() as display:
        w = Window(args.exe, work, "QSY/TEST.QSY", free_port(), env=display.env)
        try:
            assert "\x1b" not in w.start_up, "the console was cleared while no terminal"
            # A knob dragged 10 pixels up raises the frequency, by 1 Hz a pixel
            # from 440 Hz.
            front = w.wait_for("the panels", lambda p: p.count(VCO_PANEL, lambda c: c != (0, 0, 0))
                               > 1000)
            w.save_shot(os.path.join(shots, "test-window-front.png"))
            w.point(*KNOB)
            w.xdo("mousedown", "1")
            w.xdo("mousemove", "--window", w.id, str(KNOB[0]), str(KNOB[1] - 10))
            w.xdo("mouseup", "1")
            w.wait_changed("the knob's new value", front, KNOB_LABEL)
            w.save_as("KNOB.QSY")
            saved = w.wait_file(os.path.join(work, "QSY", "KNOB.QSY"), "END_LINKS_DECLARE")
            assert re.search(r"^VCO_1;TYPE=1;FREQ=450\.000000;", saved, re.M), saved

            # The back view: the mixer's cable moved from the oscillator's
            # output to the amplifier's.
            before = w.shot()
            w.point(600, 700)
            w.key("F6")
            back = w.wait_changed("the back view", before, VCO_PANEL)
            w.save_shot(os.path.join(shots, "test-window-back.png"))
            w.point(*VCO_OUTPUT)
            w.xdo("mousedown", "1")
            w.point(300, 90)
            w.point(*VCA_OUTPUT)
            w.xdo("mouseup", "1")
            w.wait_changed("the cable at the amplifier", back, VCA_SOCKET_AREA)
            w.save_as("CABLE.QSY")
            saved = w.wait_file(os.path.join(work, "QSY", "CABLE.QSY"), "END_LINKS_DECLARE")
            links = saved[saved.index("BEGIN_LINKS_DECLARE"):]
            assert "MIXER_4;ADD_CHANELL=VCA_1;" in links, links
            assert "ADD_CHANELL=VCO_1" not in links, links

            # Another patch through F3: the name hovered turns red, a click
            # on it loads it.
            before = w.shot()
            w.point(600, 700)
            w.key("F6")
            before = w.wait_changed("the front view", before, VCO_PANEL)
            w.key("F3")
            w.wait_changed("the load dialog", before, DIALOG)
            row = listing_row(os.path.join(work, "QSY"), "OTHER.QSY")
            box = dialog_row_box(row)
            w.point(box[0] + 70, box[1] + 8)
            w.wait_for("the hovered name in red", lambda p: p.count(box, is_red) > 20)
            w.xdo("click", "1")
            w.wait_for("the new patch", lambda p: w.title() == "QSY/OTHER.QSY")

            # The oscilloscope: the trace of the new patch on magenta.
            w.point(600, 700)
            w.key("F1")
            w.wait_for("the trace",
                       lambda p: p.count((0, 300, 300, 168), is_grey) > 500 and
                       p.count((500, 100, 300, 100), is_magenta) == 300 * 100)
            w.save_shot(os.path.join(shots, "test-window-scope.png"))

            assert w.quit() == 0
        finally:
            w.kill()


CLEAR = b"\x1b[H\x1b[2J"  # what clear prints for TERM=xterm


def test_the_console_is_cleared_only_on_a_terminal(args, tmp):
    """On a terminal the console is cleared once the window is up; Escape on
    the console ends the program too."""
    work = data_copy(args.data, tmp, {"TEST.QSY": TEST_PATCH})
    master, slave = pty.openpty()
    output = bytearray()

    def read_until(done):
        deadline = time.monotonic() + 60
        while not done() and time.monotonic() < deadline:
            if select.select([master], [], [], 0.1)[0]:
                try:
                    output.extend(os.read(master, 4096))
                except OSError:  # the program has ended
                    return

    with PrivateDisplay() as display:
        program = subprocess.Popen([args.exe, "--no-remote", "QSY/TEST.QSY"], cwd=work,
                                   env=dict(display.env, TERM="xterm"), stdin=subprocess.PIPE,
                                   stdout=slave, stderr=slave)
        os.close(slave)
        try:
            program.stdin.write(b"41")
            program.stdin.flush()
            read_until(lambda: b"Playing [" in output)
            shown = bytes(output)
            assert b"Playing [" in shown, shown[-2000:]
            assert CLEAR in shown[shown.index(b"FreeType"):shown.index(b"Playing [")], shown[-500:]
            program.stdin.write(b"\x1b")
            program.stdin.flush()
            read_until(lambda: program.poll() is not None)
            assert program.wait(timeout=10) == 0
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()
            os.close(master)


def test_interrupt_and_terminate_end_the_program_cleanly(args, tmp):
    work = data_copy(args.data, tmp, {"TEST.QSY": TEST_PATCH})
    with PrivateDisplay() as display:
        for sig in (signal.SIGINT, signal.SIGTERM):
            w = Window(args.exe, work, "QSY/TEST.QSY", free_port(), env=display.env)
            try:
                w.session.process.send_signal(sig)
                assert w.session.process.wait(timeout=60) == 0, sig
            finally:
                w.kill()



def test_a_window_that_cannot_open_ends_start_up_with_its_status(args, tmp):
    """Without video the program ends with 1, without its image archive with
    255, each after saying why."""
    work = data_copy(args.data, tmp, {"TEST.QSY": TEST_PATCH})
    os.unlink(os.path.join(work, "grfx"))
    os.mkdir(os.path.join(work, "grfx"))
    with PrivateDisplay() as display:
        for env, status, said in (
                (dict(display.env, SDL_VIDEODRIVER="nothing"), 1, b"Video initialization failed"),
                (display.env, 255, b"Impossible d'ouvrir [grfx/opengl.qim]")):
            r = subprocess.run([args.exe, "--remote-port", str(free_port()), "QSY/TEST.QSY"],
                               cwd=work, env=env, input=b"41", capture_output=True, timeout=60)
            assert r.returncode == status, (status, r.returncode, r.stderr)
            assert said in r.stdout + r.stderr, (status, r.stdout[-500:], r.stderr)


if __name__ == "__main__":
    main([test_the_program_in_its_window, test_the_console_is_cleared_only_on_a_terminal,
          test_interrupt_and_terminate_end_the_program_cleanly,
          test_a_window_that_cannot_open_ends_start_up_with_its_status])
