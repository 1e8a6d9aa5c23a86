"""Undo and recovery with real X input: a knob turned and a cable moved are
undone by Ctrl+Z twice, and the patch saved then is the file saved before
the edits; an edit left unsaved when the program is killed comes back at the
next start, and one left when it is terminated is written as it ends."""
import os
import signal
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import free_port, main  # noqa: E402
from test_window import KNOB, KNOB_LABEL, TEST_PATCH, VCA_OUTPUT, VCA_SOCKET_AREA, \
    VCO_OUTPUT, VCO_PANEL  # noqa: E402
from window_support import PrivateDisplay, Window, data_copy  # noqa: E402


def turn_knob_up(w):
    """The oscillator's frequency knob dragged 10 pixels up: 10 Hz more."""
    before = w.shot()
    w.point(*KNOB)
    w.xdo("mousedown", "1")
    w.xdo("mousemove", "--window", w.id, str(KNOB[0]), str(KNOB[1] - 10))
    w.xdo("mouseup", "1")
    w.wait_changed("the knob's new value", before, KNOB_LABEL)


def switch_view(w):
    before = w.shot()
    w.point(600, 700)
    w.key("F6")
    w.wait_changed("the other view", before, VCO_PANEL)


def test_undo_gives_the_file_back_and_edits_survive_a_kill(args, tmp):
    work = data_copy(args.data, tmp, {"TEST.QSY": TEST_PATCH})
    qsy = os.path.join(work, "QSY")
    recovery = os.path.join(qsy, ".recovery", "UNDONE.QSY")
    with PrivateDisplay() as display:
        w = Window(args.exe, work, "QSY/TEST.QSY", free_port(), env=display.env,
                   options=["--autosave", "1"])
        try:
            w.wait_for("the panels", lambda p: p.count(VCO_PANEL, lambda c: c != (0, 0, 0)) > 1000)
            w.save_as("ORIG.QSY")
            original = w.wait_file(os.path.join(qsy, "ORIG.QSY"), "END_PANELS_DECLARE")
            turn_knob_up(w)
            switch_view(w)
            back = w.shot()
            w.point(*VCO_OUTPUT)
            w.xdo("mousedown", "1")
            w.point(300, 90)
            w.point(*VCA_OUTPUT)
            w.xdo("mouseup", "1")
            w.wait_changed("the cable at the amplifier", back, VCA_SOCKET_AREA)
            w.wait_for("the caption marking edits", lambda p: w.title() == "QSY/ORIG.QSY *")
            w.key("ctrl+z")
            w.key("ctrl+z")
            w.wait_for("the caption without edits", lambda p: w.title() == "QSY/ORIG.QSY")
            switch_view(w)
            w.save_as("UNDONE.QSY")
            undone = w.wait_file(os.path.join(qsy, "UNDONE.QSY"), "END_PANELS_DECLARE")
            assert undone == original, (original, undone)
            turn_knob_up(w)
            w.wait_file(recovery, "FREQ=450.000000")
            w.session.process.kill()
            w.session.process.wait(timeout=60)
        finally:
            w.kill()

        w = Window(args.exe, work, "QSY/UNDONE.QSY", free_port(), env=display.env,
                   options=["--autosave", "3600"])
        try:
            said = w.session.wait_for("were recovered")
            assert "F3 lists them as RECOVERED_UNDONE.QSY" in said, said[-300:]
            recovered = w.wait_file(os.path.join(qsy, "RECOVERED_UNDONE.QSY"), "END_PANELS_DECLARE")
            assert "FREQ=450.000000" in recovered, recovered
            assert not os.path.exists(recovery)
            # An edit left when the program is terminated: written as it ends.
            w.wait_for("the panels", lambda p: p.count(VCO_PANEL, lambda c: c != (0, 0, 0)) > 1000)
            turn_knob_up(w)
            w.wait_for("the caption marking edits", lambda p: w.title() == "QSY/UNDONE.QSY *")
            w.session.process.send_signal(signal.SIGTERM)
            assert w.session.process.wait(timeout=60) == 0
            assert "FREQ=450.000000" in w.wait_file(recovery, "END_PANELS_DECLARE")
        finally:
            w.kill()


if __name__ == "__main__":
    main([test_undo_gives_the_file_back_and_edits_survive_a_kill])
