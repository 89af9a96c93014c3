#!/usr/bin/env python3
"""From a save at one station to the QSO in another station's log, through a real nats-server
on loopback: station A and station B each run `mirva-cli group sync --follow`; A logs N QSOs
with `mirva-cli add`, and the time from the return of each add to B's log file growing by one
record is taken. Prints the median, the 99th percentile and the worst, in milliseconds.

Usage: bench/group_latency.py BUILD_DIR [N]. Exits 77 when nats-server is missing."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from group_broker import RECORD, nats_server, start_broker, station_dir


def main():
    build = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 100
    nats = nats_server()
    if not nats:
        print("nats-server is not installed")
        return 77
    cli = os.path.join(build, "mirva-cli")
    work = tempfile.mkdtemp()
    procs = []
    try:
        broker, url, secret = start_broker(nats, work, "latency-token")
        procs.append(broker)
        dirs = {}
        for name, call in (("a", "DL1ABC"), ("b", "DL2ABC")):
            d = station_dir(work, name)
            base = [cli, "--dir", d, "--contest", "CQ WW DX Contest (CW)", "--station",
                    f"call={call}"]
            subprocess.run(base + ["add", "--call", "UA3ABC", "--band", "20"], check=True,
                           stdout=subprocess.DEVNULL)
            subprocess.run([cli, "--dir", d, "group", "sync", "--server", url, "--group", "Bench",
                            "--station", name.upper(), "--token-file", secret], check=True,
                           stdout=subprocess.DEVNULL)
            dirs[name] = (d, base)
        for name in dirs:
            procs.append(subprocess.Popen([cli, "--dir", dirs[name][0], "group", "sync",
                                           "--follow"], stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL))
        log_b = os.path.join(dirs["b"][0], "mrvtest.dat")
        time.sleep(1)
        delays = []
        for i in range(count):
            before = os.path.getsize(log_b)
            call = f"K{i % 10}X{chr(65 + i // 26 % 26)}{chr(65 + i % 26)}"
            # A writer may meet the follower's lock for a moment; the add is tried again.
            while subprocess.run(dirs["a"][1] + ["add", "--call", call, "--band", "40"],
                                 stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL).returncode != 0:
                time.sleep(0.005)
            saved = time.monotonic()
            while os.path.getsize(log_b) < before + RECORD:
                time.sleep(0.001)
            delays.append((time.monotonic() - saved) * 1000)
        delays.sort()
        p99 = delays[min(len(delays) - 1, int(len(delays) * 0.99))]
        print(f"{count} QSOs: median {statistics.median(delays):.1f} ms, "
              f"p99 {p99:.1f} ms, worst {delays[-1]:.1f} ms")
    finally:
        for p in procs:
            p.kill()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
