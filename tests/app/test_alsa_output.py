"""The program playing through the real ALSA path with no sound card: a
test-local ALSA configuration offers a device that writes into a file."""
import array
import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import Session, main  # noqa: E402

CONFIG = """pcm.default { type null }
pcm.qm_file_out {
    type file
    slave.pcm { type null }
    file "%s"
    format "raw"
}
"""


def test_alsa_device_plays_the_patch(args, tmp):
    raw = os.path.join(tmp, "out.raw")
    conf = os.path.join(tmp, "alsa.conf")
    with open(conf, "w") as f:
        f.write(CONFIG % raw)
    env = dict(os.environ, ALSA_CONFIG_PATH=conf)
    s = Session(["--no-remote", "QSY/DEMO.QSY"], args.exe, args.data, env=env)
    try:
        s.send(b"3")
        menu = s.wait_for("Press a corresponding number or ESC to quit", timeout=20)
        menu = s.wait_for("Press a corresponding number or ESC to quit", timeout=20)
        assert "Alsa Driver list" in menu, menu
        drivers = dict(re.findall(r"^(\d) - (\S+)$", menu, re.M))
        number = [n for n, name in drivers.items() if name == "qm_file_out"]
        assert number, menu
        s.send(number[0].encode())
        s.wait_for("Playing [")
        time.sleep(1.0)
        assert s.quit() == 0
    finally:
        s.kill()
    samples = array.array("h")
    with open(raw, "rb") as f:
        samples.frombytes(f.read())
    assert len(samples) >= 2 * 3072, len(samples)
    assert samples[0::2] == samples[1::2], "channels differ"
    assert any(samples), "only silence reached the device"


if __name__ == "__main__":
    main([test_alsa_device_plays_the_patch])
