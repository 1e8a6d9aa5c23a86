"""Fifty misbehaving clients at once while a well-behaved one keeps being
served; afterwards the program holds no more threads or sockets than before."""

import os
import random
import socket
import sys
import threading
import time

sys.dont_write_bytecode = True   # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from remote_session import GREETING, PROMPT, Client, expect, run  # noqa: E402

ABUSERS = 50


def abuse(port, seed, errors):
    """One misbehaving client: random bytes, overlong and half lines, and an
    abrupt end in the middle of a line for one in three. The clients arrive
    within a second and stay for a second or two, so that all fifty are
    connected together without overflowing the listener's short queue of
    waiting connections (the program takes one per pass)."""
    rnd = random.Random(seed)
    time.sleep(seed * 0.02)
    try:
        sock = socket.create_connection(("127.0.0.1", port), timeout=20)
        for _ in range(rnd.randint(1, 6)):
            kind = rnd.choice(("random", "overlong", "half", "crlf-split"))
            if kind == "random":
                data = bytes(rnd.getrandbits(8) for _ in range(rnd.randint(1, 5000)))
            elif kind == "overlong":
                data = b"PORTA=" + b"9" * rnd.randint(100000, 250000) + b"\r\n"
            elif kind == "half":
                data = b"PORTA=2"
            else:
                data = b"BT_TOGGLE\r"
            sock.sendall(data)
            time.sleep(rnd.random() * 0.3)
        time.sleep(1.0)
        if rnd.random() < 0.66:
            sock.sendall(b"\r\n")
        sock.close()
    except OSError as error:
        errors.append(str(error))


def settle(program, threads, files, seconds=10):
    """Waits until the counts come back to the given ones."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        if program.threads() <= threads and program.files() <= files:
            return True
        time.sleep(0.1)
    return False


def exchange(program):
    good = Client(program.port)
    expect(good.message() == GREETING, "greeting")
    expect(good.message() == PROMPT, "prompt")
    expect(good.command(b"PORTA=0") == b"0\r\n", "first answer")
    time.sleep(0.3)
    threads, files = program.threads(), program.files()
    accepted_before = program.log().count("BEF : ")

    errors = []
    abusers = [threading.Thread(target=abuse, args=(program.port, seed, errors))
               for seed in range(ABUSERS)]
    for thread in abusers:
        thread.start()
    answers = 0
    busiest = threads
    while any(thread.is_alive() for thread in abusers):
        busiest = max(busiest, program.threads())
        start = time.time()
        answer = good.command(b"PORTA=0")
        expect(answer == b"0\r\n", "the well-behaved client is answered (%r)" % answer)
        expect(time.time() - start < 5, "the answer comes within five seconds")
        answers += 1
        time.sleep(0.05)
    for thread in abusers:
        thread.join()
    expect(not errors, "every misbehaving client could connect and send: %s" % errors[:3])
    print("%d answers to the well-behaved client; at most %d client threads at once"
          % (answers, busiest - threads))
    accepted = program.log().count("BEF : ") - accepted_before
    expect(accepted == ABUSERS, "%d clients accepted" % accepted)
    expect(busiest - threads >= ABUSERS * 3 // 4, "%d clients served together" % (busiest - threads))
    expect(answers > 0, "the well-behaved client was served during the storm")

    expect(settle(program, threads, files),
           "threads %d -> %d, descriptors %d -> %d after the storm"
           % (threads, program.threads(), files, program.files()))
    expect(good.command(b"PORTA=0") == b"0\r\n", "still served after the storm")
    expect(good.command(b"FINISH") == b"1\r\n", "FINISH")
    good.close()


run(exchange)
