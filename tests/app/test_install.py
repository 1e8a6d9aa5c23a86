"""Installing into a staging folder as a package does, running the installed
program from another folder in its window (the user folder made on first
start, a patch from outside it played, a patch saved into it, nothing written
into the installation), the desktop entry's command, and uninstalling."""
import configparser
import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import free_port, main  # noqa: E402
from window_support import PrivateDisplay, Window  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# A prefix with a space and a dollar sign: the desktop entry must quote and
# escape the program's path.
PREFIX = "/opt/Q Modular $HOME"
PATCH = ("BEGIN_OBJECTS_DECLARE\n"
         "VCO_1;TYPE=1;FREQ=440.000000;AMOUNT=0.50;PHASE=0;\n"
         "MIXER_4;;\n"
         "END_OBJECTS_DECLARE\n"
         "BEGIN_LINKS_DECLARE\nMIXER_4;ADD_CHANELL=VCO_1;\nEND_LINKS_DECLARE\n")
DEMOS = ["DEMO.QSY", "DRUMS.QSY", "KEYS.QSY", "MODULAR.QSY"]


def install(build, stage):
    """What `make install DESTDIR=stage` runs once the program is built."""
    subprocess.run(["cmake", "--install", build, "--prefix", PREFIX], check=True,
                   capture_output=True, env=dict(os.environ, DESTDIR=stage))


def uninstall(stage):
    """What `make uninstall DESTDIR=stage` runs; returns its output."""
    return subprocess.run([os.path.join(ROOT, "dist", "uninstall"), stage + PREFIX], check=True,
                          capture_output=True).stdout.decode()


def exec_arguments(value):
    """A desktop entry's Exec value split as a menu splits it: the string
    value's doubled backslashes first, then arguments, in whose double quotes
    a backslash takes the next character as it stands."""
    value = value.replace("\\\\", "\\")
    return [re.sub(r"\\(.)", r"\1", quoted) if quoted else plain
            for quoted, plain in re.findall(r'"((?:[^"\\]|\\.)*)"|(\S+)', value)]


def tree(folder):
    """Everything under folder, as sorted relative paths."""
    found = []
    for top, dirs, files in os.walk(folder):
        found += [os.path.relpath(os.path.join(top, n), folder) for n in dirs + files]
    return sorted(found)


def test_installed_program_works_in_the_users_folder(args, tmp):
    stage = os.path.join(tmp, "stage")
    prefix = stage + PREFIX
    install(args.build, stage)
    installed = tree(prefix)
    for path in ["bin/qmodular", "share/qmodular/grfx/opengl.qim", "share/qmodular/RC/LOAD.RC",
                 "share/qmodular/Fonts/04b_03b_.ttf", "share/qmodular/QSY/DEMO.QSY",
                 "share/qmodular/samples/kick.wav", "share/man/man1/qmodular.1",
                 "share/applications/qmodular.desktop",
                 "share/icons/hicolor/48x48/apps/qmodular.png",
                 "share/doc/qmodular/LICENSE-misaki.txt"]:
        assert path in installed, (path, installed)
    assert os.access(os.path.join(prefix, "bin/qmodular"), os.X_OK)
    entry = os.path.join(prefix, "share/applications/qmodular.desktop")
    r = subprocess.run(["desktop-file-validate", entry], capture_output=True)
    assert r.returncode == 0 and r.stdout == b"", r

    home, elsewhere = os.path.join(tmp, "home"), os.path.join(tmp, "elsewhere")
    os.makedirs(home)
    os.makedirs(elsewhere)
    with open(os.path.join(elsewhere, "MINE.QSY"), "w") as f:
        f.write(PATCH)
    folder = os.path.join(tmp, "xdg", "qmodular")
    exe = os.path.join(prefix, "bin", "qmodular")
    with PrivateDisplay() as display:
        env = dict(display.env, HOME=home, XDG_DATA_HOME=os.path.join(tmp, "xdg"))
        w = Window(exe, elsewhere, "MINE.QSY", free_port(), env, options=["--output", "none"],
                   keys=b"", caption=os.path.join(elsewhere, "MINE.QSY"))
        try:
            assert "First start: 4 demo patches copied into %s/QSY" % folder in w.start_up
            assert "Sound output none: NoSound, driver 1 - No sound" in w.start_up, w.start_up
            assert "Loading [%s/MINE.QSY]" % elsewhere in w.start_up, w.start_up
            w.save_as("SAVED.QSY")
            saved = w.wait_file(os.path.join(folder, "QSY", "SAVED.QSY"), "END_LINKS_DECLARE")
            assert saved.startswith("BEGIN_OBJECTS_DECLARE") and "VCO_1;" in saved, saved
            assert w.quit() == 0
        finally:
            w.kill()

        # The desktop entry's command (on a port of its own), started in the
        # home folder with /dev/null as input, as a desktop does: no JACK
        # server and an ALSA default device that cannot be opened leave no
        # sound, and the window opens on the user's demo and stays open.
        config = configparser.ConfigParser(interpolation=None)
        config.read(entry)
        command = exec_arguments(config["Desktop Entry"]["Exec"])
        assert command[0] == PREFIX + "/bin/qmodular", command
        alsa = os.path.join(tmp, "alsa.conf")
        with open(alsa, "w") as f:
            f.write("pcm.default { type hw card 99 }\n")
        env.update(ALSA_CONFIG_PATH=alsa, JACK_DEFAULT_SERVER="qmtest-none-%d" % os.getpid())
        w = Window(exe, home, command[-1], free_port(), env, options=command[1:-1], keys=b"",
                   stdin=subprocess.DEVNULL)
        try:
            assert "First start" not in w.start_up, w.start_up
            assert "Sound output none: NoSound" in w.start_up, w.start_up
            assert "Loading [QSY/DEMO.QSY]" in w.start_up, w.start_up
            time.sleep(1)
            assert w.session.process.poll() is None, "the window closed by itself"
            assert w.quit() == 0
        finally:
            w.kill()

    assert sorted(os.listdir(os.path.join(folder, "QSY"))) == sorted(DEMOS + ["SAVED.QSY"])
    for name in ("RC", "grfx", "Fonts", "samples"):
        assert os.readlink(os.path.join(folder, name)) == os.path.join(prefix, "share/qmodular",
                                                                        name)
    assert tree(prefix) == installed, "the installation changed"
    assert os.listdir(elsewhere) == ["MINE.QSY"]
    assert not os.path.exists(os.path.join(home, ".local")), tree(home)

    install(args.build, stage)                     # again, over itself
    assert tree(prefix) == installed
    uninstall(stage)
    assert tree(prefix) == [], tree(prefix)
    assert os.path.exists(os.path.join(folder, "QSY", "SAVED.QSY"))


def test_uninstall_keeps_what_it_did_not_make(args, tmp):
    stage = os.path.join(tmp, "stage")
    prefix = stage + PREFIX
    os.makedirs(os.path.join(prefix, "bin"))
    os.makedirs(os.path.join(prefix, "share", "applications"))
    with open(os.path.join(prefix, "bin", "other"), "w") as f:
        f.write("another program\n")
    install(args.build, stage)
    # Something of the user's inside a folder the installation made.
    with open(os.path.join(prefix, "share", "qmodular", "RC", "MINE.RC"), "w") as f:
        f.write("\n")
    said = uninstall(stage)
    assert tree(prefix) == ["bin", "bin/other", "share", "share/applications", "share/qmodular",
                            "share/qmodular/RC", "share/qmodular/RC/MINE.RC"], tree(prefix)
    assert "kept %s/share/qmodular/RC (not empty)" % prefix in said, said
    r = subprocess.run([os.path.join(ROOT, "dist", "uninstall"), prefix], capture_output=True)
    assert r.returncode == 1 and b"nothing to remove" in r.stderr, r


if __name__ == "__main__":
    main([test_installed_program_works_in_the_users_folder,
          test_uninstall_keeps_what_it_did_not_make])
