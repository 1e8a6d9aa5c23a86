"""Shared pieces of the end-to-end scripts: their arguments, a free port, the
program driven through pipes, and a tiny test runner (standard library only)."""
import argparse
import os
import queue
import random
import socket
import subprocess
import sys
import tempfile
import threading
import time
import traceback


def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--build", required=True)
    args = parser.parse_args()
    for name in ("exe", "data", "build"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    return args


def free_port():
    """A random port from 20000 up that nothing listens on right now."""
    for _ in range(200):
        port = random.randint(20000, 60000)
        with socket.socket() as s:
            try:
                s.bind(("0.0.0.0", port))
                return port
            except OSError:
                continue
    raise RuntimeError("no free port found")


def data_copy(data, tmp, patches):
    """A working directory for the program: the run-time data linked from
    data/, and a QSY/ of its own holding the given {name: text} patches, so
    that saved files land in tmp."""
    work = os.path.join(tmp, "data")
    os.makedirs(os.path.join(work, "QSY"))
    for sub in ("RC", "grfx", "Fonts", "samples"):
        os.symlink(os.path.join(data, sub), os.path.join(work, sub))
    for name, text in patches.items():
        with open(os.path.join(work, "QSY", name), "w") as f:
            f.write(text)
    return work


def run(args, exe, data, keys=b"", env=None, timeout=60):
    """Runs the program to its end with keys on standard input."""
    return subprocess.run([exe] + args, cwd=data, input=keys, capture_output=True,
                          env=env, timeout=timeout)


class Session:
    """The program running with pipes (or the input given), its output read
    line by line."""

    def __init__(self, args, exe, data, env=None, stdin=subprocess.PIPE):
        self.process = subprocess.Popen([exe] + args, cwd=data, env=env,
                                        stdin=stdin, stdout=subprocess.PIPE,
                                        stderr=subprocess.STDOUT)
        self.lines = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in iter(self.process.stdout.readline, b""):
            self.lines.put(line.decode(errors="replace"))
        self.lines.put(None)

    def send(self, keys):
        self.process.stdin.write(keys)
        self.process.stdin.flush()

    def wait_for(self, text, timeout=20):
        """Returns the output seen up to the first line holding text."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                line = self.lines.get(timeout=0.1)
            except queue.Empty:
                continue
            if line is None:
                break
            self.seen.append(line)
            if text in line:
                return "".join(self.seen)
        raise AssertionError("never printed %r; output:\n%s" % (text, "".join(self.seen)))

    def quit(self, timeout=20):
        """Sends Escape and returns the exit status."""
        try:
            self.send(b"\x1b")
        except BrokenPipeError:
            pass
        return self.process.wait(timeout=timeout)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def listening_addresses(port):
    """The local IPv4 addresses with a socket listening on port."""
    found = []
    with open("/proc/net/tcp") as table:
        next(table)
        for row in table:
            local, state = row.split()[1], row.split()[3]
            address, hex_port = local.split(":")
            if state == "0A" and int(hex_port, 16) == port:
                found.append(socket.inet_ntoa(bytes.fromhex(address)[::-1]))
    return found


def main(tests):
    """Runs every test(args, tmp) function, prints a summary, exits 1 on failure."""
    args = arguments()
    failed = 0
    for test in tests:
        with tempfile.TemporaryDirectory() as tmp:
            try:
                test(args, tmp)
                print("PASS", test.__name__)
            except Exception:
                failed += 1
                print("FAIL", test.__name__)
                traceback.print_exc(file=sys.stdout)
    print("%d passed, %d failed" % (len(tests) - failed, failed))
    sys.exit(1 if failed else 0)


def write_patch(directory, name, text):
    path = os.path.join(directory, name)
    with open(path, "w") as f:
        f.write(text)
    return path
