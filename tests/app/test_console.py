"""Start-up on the console, driven through a pipe: the sound dialog, playing
with no sound card, the remote-control port and the exit statuses."""
import os
import pty
import random
import re
import select
import signal
import socket
import subprocess
import sys
import termios
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import Session, free_port, listening_addresses, main, run  # noqa: E402

PATCH = "QSY/DEMO.QSY"
RULE = "-" * 57 + "\n"
OUTPUT_MENU = (RULE + "Output Type\n" + RULE +
               "1 - OSS - Open Sound System\n"
               "2 - ESD - Elightment Sound Daemon\n"
               "3 - ALSA 0.9 - Advanced Linux Sound Architecture\n"
               "4 - NoSound\n" +
               RULE + "Press a corresponding number or ESC to quit\n")
NO_SOUND_DRIVERS = (RULE + "NoSound Driver list\n" + RULE + "1 - No sound\n" + RULE +
                    "Press a corresponding number or ESC to quit\n")
NO_JACK_SERVER = (RULE + "Enlightment Sound Daemon Driver list\n" + RULE +
                  "No JACK server is running\n")
NO_OSS_DRIVER = (RULE + "Open Sound System Driver list\n" + RULE + RULE +
                 "No driver found for this output type\n")


def without_sound_server(tmp, alsa=""):
    """The environment of a machine without a JACK server (the sound daemon)
    whose ALSA devices are a null default one and those of alsa, whatever
    this machine holds."""
    conf = os.path.join(tmp, "alsa.conf")
    with open(conf, "w") as f:
        f.write("pcm.default { type null }\n" + alsa)
    return dict(os.environ, ALSA_CONFIG_PATH=conf,
                JACK_DEFAULT_SERVER="qmtest-none-%d" % os.getpid())


def greeting(port):
    """Connects as a remote-control client and returns what the server says
    first, then leaves."""
    with socket.create_connection(("127.0.0.1", port), timeout=5) as client:
        client.settimeout(5)
        said = b""
        while b"remote access" not in said:
            piece = client.recv(1000)
            if not piece:
                break
            said += piece
        client.sendall(b"FINISH\r\n")
        return said


def test_output_menu_is_exact_and_other_keys_leave_with_0(args, tmp):
    for keys in (b"x", b"\x1b", b"5", b"0", b""):
        r = run(["--remote-port", str(free_port()), PATCH], args.exe, args.data, keys)
        out = r.stdout.decode()
        assert r.returncode == 0, (keys, r.returncode, out)
        assert out == "Loading [%s]\n%s" % (PATCH, OUTPUT_MENU), (keys, out)


def test_no_sound_plays_until_escape(args, tmp):
    port = free_port()
    s = Session(["--remote-port", str(port), PATCH], args.exe, args.data)
    try:
        s.send(b"4")
        s.send(b"1")
        out = s.wait_for("Playing [")
        assert OUTPUT_MENU + NO_SOUND_DRIVERS in out, out
        assert "Init SDL_Net for the remote control on port %d" % port in out, out
        time.sleep(0.5)
        assert s.process.poll() is None, "ended while playing"
        assert listening_addresses(port) == ["0.0.0.0"], listening_addresses(port)
        assert b"Hello to Q_SYNTH remote access!" in greeting(port)
        assert s.quit() == 0
    finally:
        s.kill()


def test_end_of_input_ends_playing(args, tmp):
    r = run(["--remote-port", str(free_port()), PATCH], args.exe, args.data, b"41", timeout=20)
    assert r.returncode == 0, r
    assert b"Playing [" in r.stdout


def test_driver_menu_ignores_unusable_keys(args, tmp):
    r = run(["--no-remote", PATCH], args.exe, args.data, b"4\n0971\x1b", timeout=20)
    assert r.returncode == 0, r
    assert b"Playing [" in r.stdout
    r = run(["--no-remote", PATCH], args.exe, args.data, b"4\n9\x1b", timeout=20)
    assert r.returncode == 0 and b"Playing [" not in r.stdout, r


def test_output_type_without_driver_goes_back_to_the_menu(args, tmp):
    env = without_sound_server(tmp)
    loading = "Loading [%s]\n" % PATCH
    cases = [
        (b"2\x1b", loading + OUTPUT_MENU + NO_JACK_SERVER + OUTPUT_MENU, False),
        (b"22", loading + (OUTPUT_MENU + NO_JACK_SERVER) * 2 + OUTPUT_MENU, False),
        (b"241", loading + OUTPUT_MENU + NO_JACK_SERVER + OUTPUT_MENU + NO_SOUND_DRIVERS, True),
    ]
    if not os.path.exists("/dev/dsp"):
        # No OSS device on this machine: the OSS type has no driver.
        cases.append((b"1\x1b", loading + OUTPUT_MENU + NO_OSS_DRIVER + OUTPUT_MENU, False))
    for keys, expected_start, plays in cases:
        r = run(["--no-remote", PATCH], args.exe, args.data, keys, env=env, timeout=20)
        out = r.stdout.decode()
        assert r.returncode == 0, (keys, r.returncode, out)
        assert out.startswith(expected_start), (keys, out)
        assert ("Playing [" in out) == plays, (keys, out)
        if not plays:
            assert out == expected_start, (keys, out)


def test_output_option_answers_the_dialog_or_falls_back_to_it(args, tmp):
    env = without_sound_server(tmp, "pcm.qm_file_out { type file slave.pcm { type null } "
                               "file \"%s\" format \"raw\" }\n" % os.path.join(tmp, "out.raw"))
    no_jack = "Sound output jack is not available: No JACK server is running\n"
    # (value of --output, keys, expected output after the loading line as a
    # pattern, whether it plays)
    cases = [
        ("none", b"", "Sound output none: NoSound, driver 1 - No sound\n", True),
        ("jack,alsa", b"", no_jack + r"Sound output alsa: Alsa, driver \d+ - default\n", True),
        ("alsa:qm_file", b"", r"Sound output alsa:qm_file: Alsa, driver \d+ - qm_file_out\n",
         True),
        ("alsa:99", b"", r"Sound output alsa:99 is not available: no driver 99 \(\d+ listed\)\n"
         + re.escape(OUTPUT_MENU) + "$", False),
        ("jack", b"41", no_jack + re.escape(OUTPUT_MENU + NO_SOUND_DRIVERS), True),
    ]
    for value, keys, expected, plays in cases:
        r = run(["--no-remote", "--output", value, PATCH], args.exe, args.data, keys, env=env,
                timeout=20)
        out = r.stdout.decode()
        assert r.returncode == 0, (value, r.returncode, out)
        assert re.match(re.escape("Loading [%s]\n" % PATCH) + expected, out), (value, out)
        assert ("Playing [" in out) == plays, (value, out)


def test_no_argument_waits_for_a_key_and_exits_255(args, tmp):
    for keys in (b"", b"q"):
        r = run([], args.exe, args.data, keys)
        assert r.returncode == 255, r
        assert r.stdout == b"Supply a synthethiseur file .QSY (QSYOrgue.QSY for eg)", r.stdout


def test_options_without_patch_ask_for_one_and_exit_1(args, tmp):
    r = run(["--no-remote"], args.exe, args.data)
    assert r.returncode == 1, r
    assert r.stdout == b"U must supply a syntheziser file (.QSY)\n", r.stdout


def test_unreadable_patch_ends_start_up_with_1_before_the_dialog(args, tmp):
    noise = os.path.join(tmp, "NOISE.QSY")
    with open(noise, "wb") as f:
        f.write(random.Random(3).randbytes(2048))
    for patch, why in ((os.path.join(tmp, "NONE.QSY"), b"No such file"), (tmp, b"Is a directory"),
                       (noise, b"NOISE.QSY, not a patch file: it declares no module\n")):
        r = run(["--no-remote", patch], args.exe, args.data)
        assert r.returncode == 1, r
        assert b"cannot read the patch" in r.stderr and why in r.stderr, r
        assert b"Output Type" not in r.stdout, r


def test_second_instance_on_a_taken_port_exits_2_after_the_dialog(args, tmp):
    port = free_port()
    first = Session(["--remote-port", str(port), PATCH], args.exe, args.data)
    try:
        first.send(b"41")
        first.wait_for("Playing [")
        r = run(["--remote-port", str(port), PATCH], args.exe, args.data, b"41")
        out = r.stdout.decode()
        assert r.returncode == 2, (r.returncode, out)
        assert NO_SOUND_DRIVERS in out, out
        assert out.splitlines()[-1].startswith("SDLNet_TCP_Open: "), out
        assert first.quit() == 0
    finally:
        first.kill()


def test_remote_local_listens_on_loopback_only(args, tmp):
    port = free_port()
    s = Session(["--remote-local", "--remote-port", str(port), PATCH], args.exe, args.data)
    try:
        s.send(b"41")
        s.wait_for("Playing [")
        assert listening_addresses(port) == ["127.0.0.1"], listening_addresses(port)
        assert b"Hello to Q_SYNTH remote access!" in greeting(port)
        assert s.quit() == 0
    finally:
        s.kill()


def test_no_remote_opens_no_port(args, tmp):
    port = free_port()
    s = Session(["--no-remote", "--remote-port", str(port), PATCH], args.exe, args.data)
    try:
        s.send(b"41")
        out = s.wait_for("Playing [")
        assert "Init SDL_Net" not in out, out
        assert listening_addresses(port) == []
        assert s.quit() == 0
    finally:
        s.kill()


def test_no_window_plays_without_a_display(args, tmp):
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    r = run(["--no-window", "--no-remote", PATCH], args.exe, args.data, b"41", env=env,
            timeout=20)
    out = r.stdout.decode()
    assert r.returncode == 0, (r.returncode, out)
    assert "Playing [%s]. Press Escape to quit.\n" % PATCH in out, out
    assert "FreeType" not in out, out


def test_signals_on_a_terminal_leave_it_in_line_mode(args, tmp):
    """Ctrl-C or SIGTERM while playing without a window end it as Escape does
    (status 0); during the sound dialog they end it at once. Either way the
    terminal has its line mode back."""
    for keys, sig, status, shown in ((b"41", signal.SIGINT, 0, b"Playing ["),
                                     (b"41", signal.SIGTERM, 0, b"Playing ["),
                                     (b"", signal.SIGINT, -signal.SIGINT, b"ESC to quit")):
        master, slave = pty.openpty()
        program = subprocess.Popen([args.exe, "--no-window", "--no-remote", PATCH],
                                   cwd=args.data, stdin=slave, stdout=slave, stderr=slave)
        try:
            output = b""
            deadline = time.monotonic() + 20
            while shown not in output and time.monotonic() < deadline:
                if select.select([master], [], [], 0.1)[0]:
                    output += os.read(master, 4096)
                if b"Output Type" in output and keys:
                    os.write(master, keys)
                    keys = b""
            assert shown in output, output
            program.send_signal(sig)
            assert program.wait(timeout=20) == status, sig
            assert termios.tcgetattr(slave)[3] & termios.ICANON, sig
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()
            os.close(master)
            os.close(slave)


def test_help_and_bad_options(args, tmp):
    r = run(["--help"], args.exe, args.data)
    assert r.returncode == 0, r
    for option in (b"--render", b"--seconds", b"--remote-port", b"--remote-local",
                   b"--no-remote", b"--no-window", b"--output", b"--help"):
        assert option in r.stdout, option
    usage = r.stdout.decode()
    # Bad usage has a status of its own, which the help text gives.
    for bad in (["--bogus", PATCH], ["--remote-port", "x", PATCH], [PATCH, "extra"],
                ["--render", "out.wav"], ["--output", "speakers", PATCH]):
        r = run(bad, args.exe, args.data)
        assert r.returncode == 64, (bad, r)
        assert b"--help" in r.stderr, r.stderr
        assert r.stdout == b"", r.stdout
    assert "64 for a command line" in " ".join(usage.split()), usage
    assert "at most 64 clients" in usage, usage


if __name__ == "__main__":
    main([test_output_menu_is_exact_and_other_keys_leave_with_0,
          test_no_sound_plays_until_escape,
          test_end_of_input_ends_playing,
          test_driver_menu_ignores_unusable_keys,
          test_output_type_without_driver_goes_back_to_the_menu,
          test_output_option_answers_the_dialog_or_falls_back_to_it,
          test_no_argument_waits_for_a_key_and_exits_255,
          test_options_without_patch_ask_for_one_and_exit_1,
          test_unreadable_patch_ends_start_up_with_1_before_the_dialog,
          test_second_instance_on_a_taken_port_exits_2_after_the_dialog,
          test_remote_local_listens_on_loopback_only,
          test_no_remote_opens_no_port,
          test_no_window_plays_without_a_display,
          test_signals_on_a_terminal_leave_it_in_line_mode,
          test_help_and_bad_options])
