"""The remote-control line protocol against the running program."""

import os
import sys
import time

sys.dont_write_bytecode = True   # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from remote_session import GREETING, PROMPT, Client, expect, run  # noqa: E402


def wait_for_log(program, text, seconds=5):
    deadline = time.time() + seconds
    while text not in program.log():
        if time.time() > deadline:
            return False
        time.sleep(0.05)
    return True


def exchange(program):
    client = Client(program.port)
    expect(client.message() == GREETING, "greeting with its NUL")
    expect(client.message() == PROMPT, "prompt with its NUL")

    # F1 held on the first oscillator: growing steps, one per main-loop pass.
    expect(client.command(b"PORTA=1") == b"0\r\n", "PORTA=1 answered with 0")
    expect(wait_for_log(program, "F1 [0.010000]\nF1 [0.015000]\nF1 [0.022500]\n"),
           "F1 steps of 0.01, 0.015, 0.0225")

    # A line cut inside a word, then a line cut between its CR and LF.
    client.send(b"PORT")
    time.sleep(0.3)
    client.send(b"A=0\r\n")
    expect(client.message() == b"0\r\n", "answer to a line sent in two segments")
    expect(client.message() == PROMPT, "prompt after a split line")
    expect(wait_for_log(program, "ORDER:[PORTA=0]"), "the split line is read as PORTA=0")
    client.send(b"PORTA=3\r")
    time.sleep(0.3)
    client.send(b"\n")
    expect(client.message() == b"0\r\n", "answer to a line whose LF comes late")
    expect(client.message() == PROMPT, "prompt after the late LF")
    expect(wait_for_log(program, "ORDER:[PORTA=3]"), "the CR|LF line is read as PORTA=3")
    client.command(b"PORTA=0")

    # An overlong line is answered like any other line and serving goes on.
    expect(client.command(b"x" * 150000) == b"0\r\n", "an overlong line gets the usual answer")
    expect(client.command(b"PORTA") == b"0\r\n", "PORTA without a value")
    expect(client.command(b"BT_TOGGLE") == b"0\r\n", "BT_TOGGLE")

    # A second client is served while the first stays connected.
    other = Client(program.port)
    expect(other.message() == GREETING, "second client greeted")
    other.message()
    expect(other.command(b"FINISH") == b"1\r\n", "FINISH answered with 1")
    expect(other.message() is None, "connection closed after FINISH")
    other.close()

    expect(client.command(b"FINISH") == b"1\r\n", "first client finishes")
    expect(client.message() is None, "first connection closed")
    client.close()


run(exchange)
