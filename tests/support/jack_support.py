"""A private JACK server with the dummy back end, and a JACK client that
records audio and sends MIDI, for the end-to-end tests and the benchmark.
Needs Debian's jackd2 and python3-jack-client."""
import array
import collections
import ctypes
import os
import signal
import subprocess
import time
import uuid

import jack

from e2e_support import Session

# The program's left output port.
PROGRAM_OUTPUT = "qmodular:out_0"

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
    cycle, noting the frame time, then the MIDI clock's pulses falling in the
    cycle, each at its own frame, while a clock runs (start_clock); while
    recording, it keeps every cycle of the input with its frame time."""

    def __init__(self, server):
        self.name = "tester%d" % os.getpid()
        self.client = jack.Client(self.name, servername=server.name, no_start_server=True)
        self.audio_in = self.client.inports.register("in")
        self.midi_out = self.client.midi_outports.register("midi_out")
        self.outbox = collections.deque()
        self.sent = []        # (frame time, message bytes)
        self.cycles = []      # (frame time, float32 samples)
        self.recording = False
        self.pulse_apart = None  # frames between clock pulses while a clock runs
        self.next_pulse = None
        self.pulses = []      # frame time of every pulse sent
        self.client.set_process_callback(self._process)
        self.client.activate()

    def _process(self, frames):
        now = self.client.last_frame_time
        self.midi_out.clear_buffer()
        while self.outbox:
            message = self.outbox.popleft()
            self.midi_out.write_midi_event(0, message)
            self.sent.append((now, message))
        if self.pulse_apart:
            if self.next_pulse is None:
                self.next_pulse = float(now)
            while self.next_pulse < now + frames:
                self.midi_out.write_midi_event(int(self.next_pulse) - now, b"\xf8")
                self.pulses.append(int(self.next_pulse))
                self.next_pulse += self.pulse_apart
        if self.recording:
            self.cycles.append((now, bytes(self.audio_in.get_buffer())))

    def listen_to_program(self):
        """Connects the program's left output to the input, once the program
        has made it (waited for up to 20 s)."""
        deadline = time.monotonic() + 20
        while not self.client.get_ports(PROGRAM_OUTPUT):
            if time.monotonic() > deadline:
                raise AssertionError("no port %s (ports: %s)" % (
                    PROGRAM_OUTPUT, [p.name for p in self.client.get_ports()]))
            time.sleep(0.05)
        self.client.connect(PROGRAM_OUTPUT, self.audio_in)

    def send(self, *message):
        """Queues one MIDI message; returns once a cycle has sent it."""
        count = len(self.sent)
        self.outbox.append(bytes(message))
        deadline = time.monotonic() + 5
        while len(self.sent) == count and time.monotonic() < deadline:
            time.sleep(0.001)
        return self.sent[-1][0]

    def clock(self, bpm):
        """Runs the MIDI clock at bpm (24 pulses a beat) from the next cycle,
        or on at the new tempo; None stops it."""
        self.pulse_apart = self.client.samplerate * 60.0 / (24 * bpm) if bpm else None
        if not bpm:
            self.next_pulse = None

    def recorded_until(self, frame, timeout=20):
        """Waits until the recording reaches frame time `frame`: on a busy
        machine the server's cycles lag the clock, so a wait of so many
        seconds may record fewer frames."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.cycles and self.cycles[-1][0] >= frame:
                return
            time.sleep(0.01)
        raise AssertionError("the recording did not reach frame %d" % frame)

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


def play_on_jack(server, args, exe, data):
    """Starts the program with args, picks the sound daemon and the JACK
    server's "system" output in the dialog, and returns the Session once it
    plays."""
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


# A sine played by the keyboard through an envelope amplifier it gates.
KEYBOARD_PATCH = """#MIDI:_a_sine_played_by_the_keyboard
BEGIN_OBJECTS_DECLARE
KEYBOARD_1;;
VCO_1;TYPE=1;FREQ=44.000000;AMOUNT=0.80;PHASE=0;
VCA_1;ATTACK=1;DECAY=10;SUSTAIN=1;RELEASE=2;INVERT=0;
MIXER_4;;
END_OBJECTS_DECLARE
BEGIN_LINKS_DECLARE
VCO_1;IN=KEYBOARD_1;
VCA_1;IN=VCO_1;GATE=KEYBOARD_1;
MIXER_4;ADD_CHANELL=VCA_1;
OUTPUT_1;MIXER_4;
END_LINKS_DECLARE
"""


def play_keys_on_jack(server, tester, patch, exe, data):
    """Starts the program on patch with its MIDI input connected from the
    tester, which listens to its output; returns the Session once it plays."""
    session = play_on_jack(server, ["--no-remote", "--midi-in", tester.name + ":midi", patch],
                           exe, data)
    try:
        tester.listen_to_program()
        return session
    except BaseException:
        session.kill()
        raise
