#!/usr/bin/env python3
"""Kills the writers of the log with SIGKILL at random moments and checks the log after each kill.

mirva-cli's add, edit, delete, clear, import and rescore, and the running program saving what a
companion's command 129 hands it, are each started and killed after a random delay. After every
kill the log must load with no complaint, hold every QSO whose save was confirmed and nothing a
finished delete or clear removed, consist of whole, well-formed records, and take the next
writer at once (the lock goes with the killed process).

Usage: kill_test.py MIRVA MIRVA_CLI SOURCE_DIR, on a session bus of its own. MIRVA_KILLS sets the
number of kills (default 20), MIRVA_SEED the seed (default: from the clock, printed).
"""
import os
import random
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time

RECORD = 264
# (offset of the length byte, capacity) of each text of a record.
SLOTS = {"time": (8, 8), "call": (17, 12), "band": (30, 12), "mode": (43, 4),
         "rprt_sent": (48, 10), "number_sent": (59, 12), "rprt_rcvd": (72, 10),
         "number_rcvd": (83, 12), "note": (96, 127), "mults": (236, 10), "prefix": (247, 10)}
CONTEST = ["--contest", "CQ WW DX Contest (CW)", "--station", "call=DL1ABC"]


class Failure(Exception):
    pass


def record_fault(index, record):
    """Why the 264-byte record is not one a save writes; None when it is."""
    texts = {}
    for name, (offset, capacity) in SLOTS.items():
        length = record[offset]
        if length > capacity:
            return f"record {index}: {name} length {length} exceeds {capacity}"
        if any(record[offset + 1 + length:offset + 1 + capacity]):
            return f"record {index}: bytes after the {name}"
        texts[name] = record[offset + 1:offset + 1 + length].decode("cp1251")
    (date,) = struct.unpack_from("<d", record, 0)
    if not 40000 <= date <= 60000 or date != int(date):
        return f"record {index}: date {date}"
    if not re.fullmatch(r"[0-2]\d:[0-5]\d", texts["time"]):
        return f"record {index}: time {texts['time']!r}"
    if not re.fullmatch(r"[A-Z0-9/]+", texts["call"]):
        return f"record {index}: callsign {texts['call']!r}"
    if not re.fullmatch(r"\d+", texts["band"]) or texts["mode"] != "CW":
        return f"record {index}: band {texts['band']!r} mode {texts['mode']!r}"
    if any(record[257:]):
        return f"record {index}: bytes in the closing zeros"
    return None


def difference(found, expected):
    """What tells the log found from the expected one, in a few words."""
    missing = [q for q in expected if q not in found]
    extra = [q for q in found if q not in expected]
    if not missing and not extra:
        return "the same QSOs in another order or with other notes"
    return f"missing {missing[:5]}, unexpected {extra[:5]} ({len(found)} QSOs)"


class Rig:
    """A working directory, the commands that change its log, and what it must hold."""

    def __init__(self, mirva, cli, source, work):
        self.mirva, self.cli, self.work = mirva, cli, work
        self.home = os.path.join(work, "home")
        subprocess.run(["bash", os.path.join(source, "scripts/prepare-home.sh"), self.home],
                       check=True, stdout=subprocess.DEVNULL)
        shutil.copy(os.path.join(source, "tests/data/contest/CTY.DAT"), self.home)
        self.shared = os.path.join(work, "shared")
        config = os.path.join(work, "config")
        os.makedirs(self.shared)
        os.makedirs(config)
        with open(os.path.join(config, "Mirva contest module.conf"), "w") as conf:
            conf.write("[ContestName]\nlbContestList.Tag=0\n\n"
                       "[Station%20configuration]\neCall=DL1ABC\n")
        self.env = dict(os.environ, XDG_CONFIG_HOME=config, MIRVA_SHARED_DIR=self.shared,
                        QT_QPA_PLATFORM="offscreen")
        self.env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
        self.log = []  # (call, note) of every QSO, in log order
        self.serial = 0
        self.confirmed = {}  # QSOs whose save was confirmed, by who saved them
        self.checked = 0  # QSOs found in the log, summed over the checks after kills

    def new_call(self):
        self.serial += 1
        n = self.serial
        return "DL%d%s" % (n % 10, "".join(chr(65 + (n // 10 // 26 ** i) % 26) for i in range(3)))

    def start(self, args):
        return subprocess.Popen([self.cli, "--dir", self.home] + args, env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def found(self):
        """The log as `list` shows it, after checking the file record by record."""
        listed = subprocess.run([self.cli, "--dir", self.home, "list"], env=self.env,
                                capture_output=True, text=True)
        if listed.returncode != 0 or listed.stderr:
            raise Failure(f"list exited {listed.returncode}: {listed.stderr.strip()}")
        data = b""
        path = os.path.join(self.home, "mrvtest.dat")
        if os.path.exists(path):
            with open(path, "rb") as f:
                data = f.read()
        if len(data) % RECORD:
            raise Failure(f"mrvtest.dat holds {len(data)} bytes, a partial record")
        for i in range(len(data) // RECORD):
            fault = record_fault(i + 1, data[i * RECORD:(i + 1) * RECORD])
            if fault:
                raise Failure(fault)
        torn = [name for name in os.listdir(self.home) if ".torn" in name]
        if torn:
            raise Failure(f"torn bytes were set aside: {torn}")
        rows = [line.split("\t") for line in listed.stdout.splitlines()]
        return [(row[3], row[15] if len(row) > 15 else "") for row in rows]


def cli_operations(rig, rng):
    """The mirva-cli writers: (name, arguments, what a finished run leaves, what a kill may)."""
    ops = []
    call = rig.new_call()
    ops.append(("add", ["add", "--call", call, "--band", "20", "--rcvd", "14"],
                lambda log: log + [(call, "")], lambda log: [log, log + [(call, "")]]))
    calls = [rig.new_call() for _ in range(rng.randint(20, 200))]
    lines = ["START-OF-LOG: 3.0"] + [
        f"QSO: 14025 CW 2025-11-29 {i // 60 % 24:02d}{i % 60:02d} DL1ABC 599 14 {c} 599 14"
        for i, c in enumerate(calls)]
    source = os.path.join(rig.work, "import.log")
    with open(source, "w") as f:
        f.write("\n".join(lines + ["END-OF-LOG:", ""]))
    ops.append(("import", ["import", source], lambda log: log + [(c, "") for c in calls],
                lambda log: [log + [(c, "") for c in calls[:n]] for n in range(len(calls) + 1)]))
    ops.append(("rescore", ["rescore"], lambda log: log, lambda log: [log]))
    if rig.log:
        i = rng.randrange(len(rig.log))
        note = f"N{rig.serial}"
        rig.serial += 1

        def edited(log):
            return log[:i] + [(log[i][0], note)] + log[i + 1:]
        ops.append(("edit", ["edit", str(i + 1), "--note", note], edited,
                    lambda log: [log, edited(log)]))
        ops.append(("delete", ["delete", str(i + 1)], lambda log: log[:i] + log[i + 1:],
                    lambda log: [log, log[:i] + log[i + 1:]]))
        if rng.random() < 0.3:
            ops.append(("clear", ["clear", "--yes"], lambda log: [], lambda log: [log, []]))
    return ops


class Tally:
    def __init__(self):
        self.kills = {}
        self.finished = {}

    @staticmethod
    def count(table, name, n=1):
        table[name] = table.get(name, 0) + n


def run_cli(rig, rng, tally, durations):
    """Runs one writer, killing it after a random delay; True when it was killed."""
    name, args, after, after_kill = rng.choice(cli_operations(rig, rng))
    delay = rng.uniform(0, durations.get(name, 0.2) * 1.2)
    started = time.monotonic()
    process = rig.start(CONTEST + args)
    try:
        out, err = process.communicate(timeout=delay)
    except subprocess.TimeoutExpired:
        process.send_signal(signal.SIGKILL)
        process.communicate()
        tally.count(tally.kills, name)
        found = rig.found()
        rig.checked += len(found)
        if found not in after_kill(rig.log):
            raise Failure(f"killed {name} {args[:3]}: {difference(found, after_kill(rig.log)[-1])}")
        rig.log = found
        return True
    durations[name] = 0.7 * durations.get(name, 0.2) + 0.3 * (time.monotonic() - started)
    if "is open in" in err:
        raise Failure(f"{name}: the log is still locked after a kill: {err.strip()}")
    if process.returncode != 0:
        raise Failure(f"{name} {args} exited {process.returncode}: {err.strip()}")
    tally.count(tally.finished, name)
    if name in ("add", "import"):
        tally.count(rig.confirmed, name, len(after(rig.log)) - len(rig.log))
    rig.log = after(rig.log)
    return False


def run_program(rig, rng, tally):
    """Starts the program, hands it QSOs through command 129 and kills it at a random moment."""
    entry = os.path.join(rig.shared, "mirva.INI")
    if os.path.exists(entry):
        os.remove(entry)
    program = subprocess.Popen([rig.mirva, "--dir", rig.home], env=rig.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    killer = threading.Timer(rng.uniform(0.1, 1.2), program.send_signal, [signal.SIGKILL])
    killer.start()
    pending = None
    try:
        while program.poll() is None and not os.path.exists(entry):
            time.sleep(0.02)
        while program.poll() is None:
            pending = rig.new_call()
            with open(os.path.join(rig.shared, "loginput.ini"), "wb") as f:
                f.write(b"[QSO]\r\nCall=%s\r\nNumberRcvd=14\r\n" % pending.encode())
            sent = subprocess.run([rig.cli, "send", "129", str(4 | 1048576), "--wait", "3000"],
                                  env=rig.env, capture_output=True, text=True)
            if sent.stdout.strip() == "reply: wParam 129 lParam 1":
                rig.log.append((pending, ""))
                Tally.count(rig.confirmed, "program")
                pending = None
            elif sent.returncode != 3:
                raise Failure(f"send 129: {sent.stdout.strip()} {sent.stderr.strip()}")
    finally:
        killer.join()
        program.wait()
    if program.returncode != -signal.SIGKILL:
        raise Failure(f"the program ended by itself ({program.returncode}): {program.stderr.read()}")
    tally.count(tally.kills, "program")
    found = rig.found()
    rig.checked += len(found)
    allowed = [rig.log] + ([rig.log + [(pending, "")]] if pending else [])
    if found not in allowed:
        raise Failure(f"killed program: {difference(found, allowed[-1])}")
    rig.log = found


def main():
    mirva, cli, source = sys.argv[1:4]
    kills = int(os.environ.get("MIRVA_KILLS", "20"))
    seed = int(os.environ.get("MIRVA_SEED", str(int(time.time()))))
    print(f"seed {seed}, {kills} kills")
    rng = random.Random(seed)
    tally = Tally()
    durations = {}
    started = time.monotonic()
    with tempfile.TemporaryDirectory() as work:
        rig = Rig(mirva, cli, source, work)
        done = 0
        try:
            while done < kills:
                if rng.random() < 0.15:
                    run_program(rig, rng, tally)
                    done += 1
                elif run_cli(rig, rng, tally, durations):
                    done += 1
        except Failure as failure:
            print(f"FAIL after {done} kills (seed {seed}): {failure}")
            return 1
        found = len(rig.found())
    print("kills:", ", ".join(f"{k} {v}" for k, v in sorted(tally.kills.items())))
    print("finished:", ", ".join(f"{k} {v}" for k, v in sorted(tally.finished.items())))
    print("saves confirmed:", ", ".join(f"{k} {v}" for k, v in sorted(rig.confirmed.items())))
    print(f"QSOs found in the checks after the kills {rig.checked}, in the log at the end {found}, "
          f"torn records 0, {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
