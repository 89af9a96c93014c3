"""What the group benches share: a nats-server of their own on a free loopback port, with a
token kept in a file and a store in the bench's temporary folder, and station folders."""
import os
import shutil
import socket
import subprocess
import time

RECORD = 264  # bytes of one QSO in mrvtest.dat
SRC = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def nats_server():
    """The broker's path, or None when it is not installed."""
    path = shutil.which("nats-server") or "/usr/sbin/nats-server"
    return path if os.access(path, os.X_OK) else None


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start_broker(nats, work, token, monitor_port=None):
    """Starts the broker with JetStream; returns its process, its URL and the secret file,
    once it listens. With a monitor port it also answers HTTP there, on loopback."""
    secret = os.path.join(work, "secret")
    with open(secret, "w") as f:
        f.write(token + "\n")
    port = free_port()
    broker = subprocess.Popen([nats, "-a", "127.0.0.1", "-p", str(port), "-js", "-sd",
                               os.path.join(work, "store"), "--auth", token] +
                              (["-m", str(monitor_port)] if monitor_port else []),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            break
        except OSError:
            time.sleep(0.05)
    else:
        broker.kill()
        raise RuntimeError("nats-server did not listen")
    return broker, f"nats://127.0.0.1:{port}", secret


def station_dir(work, name):
    """A new working directory with the test country file."""
    d = os.path.join(work, name)
    os.mkdir(d)
    shutil.copy(os.path.join(SRC, "tests/data/contest/CTY.DAT"), d)
    return d
