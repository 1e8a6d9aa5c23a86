"""Every demo patch of QSY/ rendered offline must sound: no sample wrapped
beyond full scale, no silence, no DC offset. The figures of each are printed."""
import glob
import os
import re
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import arguments, run  # noqa: E402
from wav_stats import Sound  # noqa: E402

SECONDS = "10"
MIN_RMS = 0.02          # of full scale
MAX_SILENT_SHARE = 0.5  # of 100 ms windows below -60 dBFS
MAX_DC = 0.02           # mean of the signal, of full scale


def check(args, patch, tmp):
    """Returns the list of faults of one demo patch."""
    out = os.path.join(tmp, os.path.basename(patch) + ".wav")
    r = run(["--render", out, "--seconds", SECONDS, patch], args.exe, args.data)
    if r.returncode != 0:
        return ["render failed with status %d: %s" % (r.returncode, r.stderr.decode())]
    sound = Sound(out)
    print("  %-16s %s" % (os.path.basename(patch), sound.describe()))
    faults = []
    wrapped = re.search(rb"(\d+) samples beyond full scale", r.stdout)
    if not wrapped or wrapped.group(1) != b"0":
        faults.append("wrapped samples: %s" % (wrapped.group(1) if wrapped else r.stdout))
    if sound.rms() / 32767 < MIN_RMS:
        faults.append("too quiet: rms %.4f" % (sound.rms() / 32767))
    if sound.silent_share() > MAX_SILENT_SHARE:
        faults.append("silent %.0f%% of the time" % (100 * sound.silent_share()))
    if abs(sound.mean()) / 32767 > MAX_DC:
        faults.append("DC offset %+.4f" % (sound.mean() / 32767))
    return faults


def main():
    args = arguments()
    patches = sorted(glob.glob(os.path.join(args.data, "QSY", "*.QSY")))
    if not patches:
        print("no demo patch in", os.path.join(args.data, "QSY"))
        print("0 passed, 1 failed")
        sys.exit(1)
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        for patch in patches:
            faults = check(args, os.path.relpath(patch, args.data), tmp)
            failed += bool(faults)
            print("%s %s %s" % ("FAIL" if faults else "PASS", os.path.basename(patch),
                                "; ".join(faults)))
    print("%d passed, %d failed" % (len(patches) - failed, failed))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
