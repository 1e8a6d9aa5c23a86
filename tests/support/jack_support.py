"""A private JACK server with the dummy back end, and a JACK client that
records audio and sends MIDI, for the end-to-end tests and the benchmark.
Needs Debian's jackd2 and python3-jack-client."""
import array
import collections
import ctypes
import os
import signal
import subprocess
import threading
import time
import uuid

import jack

# The client library's complaints while the server is still starting.
jack.set_error_function(lambda message: None)
jack.set_info_function(lambda message: None)


def _die_with_parent():
    """In the child: SIGTERM when the parent dies, so no server outlives its test."""
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


class JackServer:
    """jackd -d dummy under a name of its own, so that parallel runs never
    meet; stopped on exit of the with block. Runs without real-time
    scheduling (as root in CI too) and synchronously: every client finishes
    its cycle before the next one starts, so recordings have no gaps.

    The client library mixes up clients of one name opened at the same
    moment by two processes, even on different servers: the tests using
    JACK hold the ctest resource lock "jack", and the clients of this module
    carry the process id in their name."""

    def __init__(self, rate=44100, period=256):
        self.name = "qmtest-%d-%s" % (os.getpid(), uuid.uuid4().hex[:8])
        self.rate = rate
        self.period = period
        self.process = None

    def __enter__(self):
        self.process = subprocess.Popen(
            ["jackd", "--name", self.name, "--no-realtime", "--sync",
             "-d", "dummy", "-r", str(self.rate), "-p", str(self.period)],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            env=dict(os.environ, JACK_NO_AUDIO_RESERVATION="1"), preexec_fn=_die_with_parent)
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("jackd ended: %s" % self.process.stderr.read().decode())
            try:
                jack.Client("probe%d" % os.getpid(), servername=self.name,
                            no_start_server=True).close()
                return self
            except jack.JackError:
                time.sleep(0.05)
        self.__exit__(None, None, None)
        raise RuntimeError("jackd %s did not start" % self.name)

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def env(self):
        """The environment under which programs reach this server."""
        return dict(os.environ, JACK_DEFAULT_SERVER=self.name, JACK_NO_START_SERVER="1")


class TestClient:
    """A JACK client ("tester<pid>", see name) with one audio input ("in") and
    one MIDI output ("midi_out").
    The process callback sends the queued MIDI messages at the start of a
    cycle, noting the frame time, and, while recording, keeps every cycle of
    the input with its frame time."""

    def __init__(self, server):
        self.name = "tester%d" % os.getpid()
        self.client = jack.Client(self.name, servername=server.name, no_start_server=True)
        self.audio_in = self.client.inports.register("in")
        self.midi_out = self.client.midi_outports.register("midi_out")
        self.outbox = collections.deque()
        self.sent = []        # (frame time, message bytes)
        self.cycles = []      # (frame time, float32 samples)
        self.recording = False
        self.cycle_done = threading.Event()
        self.client.set_process_callback(self._process)
        self.client.activate()

    def _process(self, frames):
        now = self.client.last_frame_time
        self.midi_out.clear_buffer()
        while self.outbox:
            message = self.outbox.popleft()
            self.midi_out.write_midi_event(0, message)
            self.sent.append((now, message))
        if self.recording:
            self.cycles.append((now, bytes(self.audio_in.get_buffer())))
        self.cycle_done.set()

    def port_of(self, program_prefix, is_midi, is_input):
        """Full name of the first port of another client whose name starts with
        program_prefix, waited for up to 20 s."""
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            ports = self.client.get_ports(program_prefix, is_midi=is_midi, is_audio=not is_midi,
                                          is_input=is_input, is_output=not is_input)
            if ports:
                return ports[0].name
            time.sleep(0.05)
        raise AssertionError("no port %s* (ports: %s)" % (
            program_prefix, [p.name for p in self.client.get_ports()]))

    def listen_to(self, port_name):
        self.client.connect(port_name, self.audio_in)

    def send(self, *message):
        """Queues one MIDI message; returns once a cycle has sent it."""
        count = len(self.sent)
        self.outbox.append(bytes(message))
        deadline = time.monotonic() + 5
        while len(self.sent) == count and time.monotonic() < deadline:
            time.sleep(0.001)
        return self.sent[-1][0]

    def record(self, seconds):
        """Records for seconds; returns (first frame time, float samples)."""
        self.cycles = []
        self.recording = True
        time.sleep(seconds)
        self.recording = False
        return self.joined()

    def joined(self):
        samples = array.array("f")
        for _, data in self.cycles:
            samples.frombytes(data)
        return (self.cycles[0][0] if self.cycles else 0), samples

    def close(self):
        self.client.deactivate()
        self.client.close()


def frequency(samples, rate=44100):
    """Fundamental from the mean distance between upward zero crossings."""
    ups = [i for i in range(1, len(samples)) if samples[i - 1] < 0 <= samples[i]]
    if len(ups) < 2:
        return 0.0
    return rate * (len(ups) - 1) / (ups[-1] - ups[0])


def rms(samples):
    return (sum(s * s for s in samples) / max(len(samples), 1)) ** 0.5


def play_on_jack(server, args, exe, data):
    """Starts the program with args, picks the sound daemon and the JACK
    server's "system" output in the dialog, and returns the Session once it
    plays."""
    from e2e_support import Session
    session = Session(args, exe, data, env=server.env())
    try:
        session.send(b"2")
        session.wait_for("Enlightment Sound Daemon Driver list")
        menu = session.wait_for("Press a corresponding number or ESC to quit")
        numbers = [line.split(" - ")[0] for line in menu.splitlines()
                   if line.endswith(" - JACK: system")]
        assert numbers, menu
        session.send(numbers[-1].encode())
        session.wait_for("Playing [")
        return session
    except BaseException:
        session.kill()
        raise
