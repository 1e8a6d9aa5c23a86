"""A MIDI controller learned on a knob, with real X input and a private JACK
server: Ctrl+click on an oscillator's frequency knob, then a test client
moves controller 74; the oscillator is heard at the value the controller
chose on the knob's sweep, the turn counts as an edit, and the saved patch
holds that frequency and the binding."""
import math
import os
import re
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import free_port, main  # noqa: E402
from jack_support import JackServer, TestClient  # noqa: E402
from wav_stats import frequency  # noqa: E402
from window_support import PrivateDisplay, Window, data_copy  # noqa: E402

# A sine straight into the output mixer; its panel in the window's corner.
PATCH = """BEGIN_OBJECTS_DECLARE
VCO_1;TYPE=1;FREQ=100.000000;AMOUNT=0.80;PHASE=0;
MIXER_4;;
END_OBJECTS_DECLARE
BEGIN_LINKS_DECLARE
MIXER_4;ADD_CHANELL=VCO_1;
OUTPUT_1;MIXER_4;
END_LINKS_DECLARE
BEGIN_PANELS_DECLARE
VCO_1;KIND=VCO;X=0;Y=0;VIEW=1;
MIXER_4;KIND=MIXER;X=400;Y=0;VIEW=1;
END_PANELS_DECLARE
"""
FREQUENCY_KNOB = (98 + 12, 35 + 12)  # inside the knob at its place in RC/VCO.RC
STATUS_LINE = (0, 740, 1024, 28)
CONTROLLER, VALUE = 74, 93


def test_a_learned_controller_turns_the_knob_and_is_saved(args, tmp):
    work = data_copy(args.data, tmp, {"LEARN.QSY": PATCH})
    # The knob's sweep: 0.01 to 22050 Hz, evenly in the logarithm.
    wanted = 0.01 * math.exp(VALUE / 127 * math.log(22050 / 0.01))
    with PrivateDisplay() as display, JackServer() as server:
        tester = TestClient(server)
        env = dict(display.env, **{k: v for k, v in server.env().items()
                                   if k.startswith("JACK_")})
        w = None
        try:
            w = Window(args.exe, work, "QSY/LEARN.QSY", free_port(), env=env, keys=b"",
                       options=["--output", "jack:system", "--midi-in", tester.name + ":midi"])
            tester.listen_to_program()
            before = w.shot()
            w.point(*FREQUENCY_KNOB)
            w.xdo("keydown", "ctrl")
            w.xdo("click", "1")
            w.xdo("keyup", "ctrl")
            w.wait_changed("the status line asking for a controller", before, STATUS_LINE)
            tester.send(0xB0, CONTROLLER, VALUE)
            time.sleep(0.5)  # the main loop turns the knob at its next pass
            _, samples = tester.record(1.0)
            heard = frequency(samples[4410:])
            # The turn is an edit, noted once the controller rests, though
            # nothing else redraws the window (the status line saying the
            # binding stays 10 s).
            deadline = time.monotonic() + 7
            while w.title() != "QSY/LEARN.QSY *":
                assert time.monotonic() < deadline, "the edit was not noted: " + w.title()
                time.sleep(0.1)
            w.save_as("LEARNT.QSY")
            saved = w.wait_file(os.path.join(work, "QSY", "LEARNT.QSY"),
                                "END_CONTROLLERS_DECLARE")
            assert w.quit() == 0
        finally:
            if w:
                w.kill()
            tester.close()
    assert "VCO_1;KNOB=SLD_FREQUENCE;CHANNEL=1;CONTROLLER=74;" in saved, saved
    freq = float(re.search(r"VCO_1;TYPE=1;FREQ=([0-9.]+);", saved).group(1))
    print("  controller %d at %d: %.2f Hz saved, %.2f Hz heard, %.2f Hz on the sweep"
          % (CONTROLLER, VALUE, freq, heard, wanted))
    assert abs(freq - wanted) <= 1.0, (freq, wanted)  # the knob steps a hertz there
    # Within 1 %: the oscillator itself runs slightly flat.
    assert abs(heard - freq) < freq * 0.01, (heard, freq)


if __name__ == "__main__":
    main([test_a_learned_controller_turns_the_knob_and_is_saved])
