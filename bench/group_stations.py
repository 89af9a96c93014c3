#!/usr/bin/env python3
"""A group of stations through a real nats-server on loopback: each station runs
`mirva-cli group sync --follow` and logs 300 QSOs an hour of CQ WW WPX (CW) with `mirva-cli add`
for the simulated minutes, faster than real time by SPEED. Once every station holds every QSO,
prints the CPU seconds and peak resident memory of each follower and of the broker, the
figures of the adds, and how long the group took to settle. With --program, the program itself
is one more station, offscreen, that only receives.

Usage: bench/group_stations.py BUILD_DIR [--stations 20] [--minutes 10] [--speed N]
[--program PATH] [--limit SECONDS]. Exits 77 when nats-server is missing, 1 when a station
did not get every QSO in time or a command failed."""
import argparse
import datetime
import json
import os
import resource
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

from group_broker import RECORD, SRC, free_port, nats_server, start_broker, station_dir

CONTEST = "CQ WW WPX Contest (CW)"
PER_HOUR = 300
IDLE = 5  # seconds of the settled group over which the idle CPU is taken
START = datetime.datetime(2026, 3, 28)
BANDS = ("160", "80", "40", "20", "15", "10")
PREFIXES = ("K", "DL", "G", "F", "I", "JA", "VK", "PY", "LU", "ZS", "UA", "SP", "EA", "ON")
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User and system time of the process and its threads so far."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def peak_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return 0.0


def api_requests(monitor):
    """How many JetStream API requests the broker has answered."""
    with urllib.request.urlopen(f"http://127.0.0.1:{monitor}/jsz") as answer:
        return json.load(answer)["api"]["total"]


def call_of(station, i):
    """A call of its own for the station's I-th QSO."""
    return (f"{PREFIXES[i % len(PREFIXES)]}{i % 10}{LETTERS[station // 26]}"
            f"{LETTERS[station % 26]}{LETTERS[i // 26 % 26]}{LETTERS[i % 26]}")


class Group:
    def __init__(self, args, work):
        self.cli = os.path.join(args.build, "mirva-cli")
        self.args = args
        self.work = work
        self.names = [f"S{k + 1:02}" for k in range(args.stations)]
        self.per_station = args.minutes * PER_HOUR // 60
        self.failures = []
        self.worst_late = 0.0
        self.slowest_add = 0.0
        self.noting = threading.Lock()

    def base(self, name):
        return [self.cli, "--dir", os.path.join(self.work, name), "--contest", CONTEST,
                "--station", "call=DL1ABC", "--wait", "30"]

    def log_station(self, k, start):
        """Logs the station's QSOs at their times; the stations take turns evenly."""
        period = 3600 / PER_HOUR
        for i in range(self.per_station):
            offset = i * period + k * period / len(self.names)
            due = start + offset / self.args.speed
            time.sleep(max(0.0, due - time.monotonic()))
            began = time.monotonic()
            at = (START + datetime.timedelta(seconds=offset)).strftime("%Y-%m-%d %H:%M")
            done = subprocess.run(self.base(self.names[k]) + [
                "add", "--at", at, "--call", call_of(k, i), "--band", BANDS[i * 7 % 6],
                "--rcvd", str(i + 1)], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                text=True)
            with self.noting:
                self.worst_late = max(self.worst_late, began - due)
                self.slowest_add = max(self.slowest_add, time.monotonic() - began)
                if done.returncode:
                    self.failures.append(f"{self.names[k]} add {call_of(k, i)}: {done.stderr}")

    def calls(self, name):
        listed = subprocess.run([self.cli, "--dir", os.path.join(self.work, name), "list"],
                                capture_output=True, text=True, check=True).stdout
        return sorted(line.split("\t")[3] for line in listed.splitlines())


def program_dir(work, url, secret):
    """The program's working directory, joined to the group by its workspace.ini alone."""
    d = station_dir(work, "PROGRAM")
    for name in os.listdir(os.path.join(SRC, "data")):
        if name != "README.md":
            shutil.copy(os.path.join(SRC, "data", name), d)
    lines = ["[Contest]", f"Name={CONTEST}", "[Station configuration]", "eCall=DL1ABC",
             "[Group]", f"Server={url}", "Name=Bench", "Station=PROGRAM",
             f"SecretFile={secret}", "Operator=DL1ABC", "Replicas=1"]
    with open(os.path.join(d, "workspace.ini"), "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    return d


def start_program(args, work, url, secret):
    d = program_dir(work, url, secret)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
               XDG_CONFIG_HOME=os.path.join(work, "config"),
               MIRVA_SHARED_DIR=os.path.join(work, "shared"))
    with open(os.path.join(work, "PROGRAM.err"), "w") as err:
        program = subprocess.Popen([args.program, "--dir", d], env=env,
                                   stdout=subprocess.DEVNULL, stderr=err)
    lock = os.path.join(d, "mrvtest.lck")
    for _ in range(100):
        if os.path.exists(lock) and "mirva" in open(lock).read():
            return program
        time.sleep(0.1)
    raise RuntimeError("the program did not open its log")


def wait_until_held(holders, total, limit):
    """Waits until every log holds TOTAL QSOs; returns the ones that do not."""
    until = time.monotonic() + limit
    while True:
        short = [name for name, d in holders.items()
                 if os.path.getsize(os.path.join(d, "mrvtest.dat")) < total * RECORD]
        if not short or time.monotonic() > until:
            return short
        time.sleep(0.05)


def stop(proc):
    proc.send_signal(signal.SIGTERM)
    try:
        return proc.wait(timeout=15)
    except subprocess.TimeoutExpired:
        proc.kill()
        return "still running after SIGTERM"


def spread(values):
    return "/".join(f"{v:.2f}" for v in (min(values), statistics.median(values), max(values)))


def run(args, nats, work):
    group = Group(args, work)
    monitor = free_port()
    broker, url, secret = start_broker(nats, work, "stations-token", monitor)
    running = {"broker": broker}
    try:
        holders = {}
        for name in group.names:
            holders[name] = station_dir(work, name)
            subprocess.run(group.base(name) + ["group", "sync", "--server", url, "--group",
                                               "Bench", "--station", name, "--token-file",
                                               secret], check=True, stdout=subprocess.DEVNULL,
                           timeout=60)
        for name in group.names:
            with open(os.path.join(work, name + ".err"), "w") as err:
                running[name] = subprocess.Popen(group.base(name) + ["group", "sync", "--follow"],
                                                 stdout=subprocess.DEVNULL, stderr=err)
        if args.program:
            running["PROGRAM"] = start_program(args, work, url, secret)
            holders["PROGRAM"] = os.path.join(work, "PROGRAM")
        time.sleep(1)

        total = group.per_station * len(group.names)
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        requests = api_requests(monitor)
        start = time.monotonic()
        loggers = [threading.Thread(target=group.log_station, args=(k, start))
                   for k in range(len(group.names))]
        for t in loggers:
            t.start()
        for t in loggers:
            t.join()
        load_end = time.monotonic()
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        requests = api_requests(monitor) - requests
        short = [] if group.failures else wait_until_held(holders, total, args.limit)
        held = time.monotonic()
        if short:
            group.failures.append(f"after {args.limit:g} s, {', '.join(short)} still lack QSOs")
        if group.failures:
            print("FAIL:", "\nFAIL: ".join(group.failures[:10]))
            return 1

        # The settled group, idle: what each process spends doing nothing.
        # The broker last, so that no follower meets it gone.
        order = [name for name in running if name != "broker"] + ["broker"]
        idle = {name: cpu_seconds(running[name].pid) for name in order}
        idle_requests = api_requests(monitor)
        time.sleep(IDLE)
        idle_requests = api_requests(monitor) - idle_requests
        figures = {}
        for name in order:
            pid = running[name].pid
            figures[name] = (cpu_seconds(pid), (cpu_seconds(pid) - idle[name]) / IDLE * 100,
                             peak_mb(pid))
        for name in order:
            status = stop(running.pop(name))
            if name in group.names and status != 0:
                group.failures.append(f"{name} ended with {status} at SIGTERM")

        expected = sorted(call_of(k, i) for k in range(len(group.names))
                          for i in range(group.per_station))
        for name in holders:
            if group.calls(name) != expected:
                group.failures.append(f"{name} does not hold exactly the logged QSOs")
        for name in group.names:
            with open(os.path.join(work, name + ".err")) as f:
                said = f.read().strip()
            if said:
                print(f"{name} said on stderr: {said[:500]}")

        print(f"{'station':8} {'CPU s':>7} {'idle %':>7} {'peak RSS MB':>12}")
        for name, (cpu, idle_pct, rss) in figures.items():
            print(f"{name:8} {cpu:7.2f} {idle_pct:7.2f} {rss:12.1f}")
        stations = [figures[name] for name in group.names]
        adds_cpu = (after.ru_utime + after.ru_stime) - (before.ru_utime + before.ru_stime)
        print(f"{len(group.names)} stations, {total} QSOs over {args.minutes} simulated min in "
              f"{load_end - start:.1f} s (speed {args.speed:g}, adds up to "
              f"{group.worst_late:.2f} s late, the slowest took {group.slowest_add:.2f} s); "
              f"every log held them all "
              f"{held - start:.1f} s after the first add, {held - load_end:.2f} s after the "
              f"last")
        print(f"followers min/median/max: CPU {spread([s[0] for s in stations])} s, idle "
              f"{spread([s[1] for s in stations])} %, peak RSS "
              f"{spread([s[2] for s in stations])} MB; broker: CPU {figures['broker'][0]:.2f} s, "
              f"peak RSS {figures['broker'][2]:.1f} MB; adds: {total} commands, "
              f"{adds_cpu:.2f} CPU s ({adds_cpu / total * 1000:.1f} ms each); JetStream API "
              f"requests: {requests} during the load ({requests / total:.1f} per QSO), "
              f"{idle_requests / IDLE:.0f}/s idle")
        for failure in group.failures:
            print("FAIL:", failure)
        return 1 if group.failures else 0
    finally:
        for proc in running.values():
            proc.kill()
            proc.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build")
    parser.add_argument("--stations", type=int, default=20)
    parser.add_argument("--minutes", type=int, default=10)
    parser.add_argument("--speed", type=float, help="default: a run of about one minute")
    parser.add_argument("--program", help="the program, as one more station that receives")
    parser.add_argument("--limit", type=float, default=120,
                        help="seconds after the last add for every station to hold every QSO")
    args = parser.parse_args()
    args.speed = args.speed or args.minutes
    if not 0 < args.stations <= 26 * 26 or not 0 < args.minutes * PER_HOUR // 60 <= 26 * 26:
        parser.error("the calls run out: 1 to 676 stations, 1 to 135 minutes")
    nats = nats_server()
    if not nats:
        print("nats-server is not installed")
        return 77
    work = tempfile.mkdtemp()
    status = run(args, nats, work)
    if status:
        print("kept", work)
    else:
        shutil.rmtree(work, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
