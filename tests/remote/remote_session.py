"""Running the program with no sound and talking to its remote control."""

import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import arguments, data_copy, free_port  # noqa: E402

GREETING = b"Hello to Q_SYNTH remote access!\r\nENTER YOU COMMAND then FINISH to exit"
PROMPT = b"\r\nCommand>"


class Program:
    """The synthesizer playing a patch with the "No sound" driver; its
    standard input stays open until stop()."""

    def __init__(self, exe, data, patch="QSY/DEMO.QSY"):
        self.port = free_port()
        # A working directory of its own: what the remote orders change is
        # kept (recovered) there, never in data/.
        self.tmp = tempfile.mkdtemp(prefix="qm_remote_")
        with open(os.path.join(data, patch)) as f:
            work = data_copy(data, self.tmp, {os.path.basename(patch): f.read()})
        self.output = tempfile.NamedTemporaryFile(prefix="qm_remote_", suffix=".log", delete=False)
        self.process = subprocess.Popen(
            [os.path.abspath(exe), "--remote-port", str(self.port), patch],
            cwd=work, stdin=subprocess.PIPE, stdout=self.output, stderr=subprocess.STDOUT)
        self.process.stdin.write(b"41")
        self.process.stdin.flush()
        deadline = time.time() + 30
        while True:
            if self.process.poll() is not None:
                raise RuntimeError("the program ended at start-up:\n" + self.log())
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return
            except OSError:
                if time.time() > deadline:
                    raise RuntimeError("the program does not listen:\n" + self.log())
                time.sleep(0.1)

    def log(self):
        with open(self.output.name, "rb") as f:
            return f.read().decode("latin-1")

    def threads(self):
        return len(os.listdir("/proc/%d/task" % self.process.pid))

    def files(self):
        return len(os.listdir("/proc/%d/fd" % self.process.pid))

    def stop(self):
        """Ends the program by closing its input; returns its exit status."""
        self.process.stdin.close()
        try:
            return self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return "hung"

    def cleanup(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.output.close()
        os.unlink(self.output.name)
        shutil.rmtree(self.tmp, ignore_errors=True)


class Client:
    """One remote-control connection reading NUL-terminated messages."""

    def __init__(self, port, timeout=10):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=timeout)
        self.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.pending = b""

    def message(self):
        """The next message without its NUL, or None once the server closed."""
        while b"\0" not in self.pending:
            data = self.sock.recv(65536)
            if not data:
                return None
            self.pending += data
        text, _, self.pending = self.pending.partition(b"\0")
        return text

    def send(self, data):
        self.sock.sendall(data)

    def command(self, line):
        """Sends one line and returns the answer; the next prompt is consumed."""
        self.send(line + b"\r\n")
        answer = self.message()
        if answer is not None and answer != b"1\r\n":
            expect(self.message() == PROMPT, "prompt after the answer to %r" % line)
        return answer

    def close(self):
        self.sock.close()


failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED: " + what, file=sys.stderr)


def run(body):
    """Starts the program, runs body(program), stops the program and exits
    with the test's result."""
    args = arguments()
    program = Program(args.exe, args.data)
    try:
        body(program)
    except Exception as error:  # any fault of the exchange is a failure of the test
        expect(False, "%s: %s" % (type(error).__name__, error))
    status = program.stop()
    expect(status == 0, "the program ends with status 0 when its input closes, not %r" % status)
    if failures:
        print(program.log()[-3000:], file=sys.stderr)
    program.cleanup()
    print("%d failure(s)" % len(failures))
    sys.exit(1 if failures else 0)
