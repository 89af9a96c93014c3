#!/usr/bin/env python3
"""Makes a working directory with a log of N CW QSOs of real callsigns, for measuring the
command-line program: python3 bench/make_log_dir.py DIR [N]."""
import shutil
import struct
import sys
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
CTY = Path("/usr/share/hamradio-files/cty.dat")
SCP = Path("/usr/share/hamradio-files/MASTER.SCP")
BANDS = ["20", "40", "15", "80", "10", "160"]
# (offset, capacity) of each text field of the 264-byte record.
FIELDS = {"time": (8, 8), "call": (17, 12), "band": (30, 12), "mode": (43, 4),
          "rst_s": (48, 10), "sent": (59, 12), "rst_r": (72, 10), "rcvd": (83, 12),
          "note": (96, 127), "mults": (236, 10), "prefix": (247, 10)}


def record(date, texts, points):
    out = bytearray(264)
    out[0:8] = struct.pack("<d", date)
    for name, text in texts.items():
        offset, capacity = FIELDS[name]
        data = text.encode("cp1251")[:capacity]
        out[offset] = len(data)
        out[offset + 1:offset + 1 + len(data)] = data
    out[224:228] = struct.pack("<i", points)
    return bytes(out)


def main():
    folder = Path(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy(CTY, folder / "CTY.DAT")
    shutil.copy(REPO / "data" / "Contests.mrv", folder / "Contests.mrv")
    calls = [line.strip() for line in SCP.read_text(encoding="latin-1").splitlines()
             if line.strip() and not line.startswith("#")]
    with open(folder / "mrvtest.dat", "wb") as log:
        for i in range(count):
            minute = i * 48 * 60 // count
            texts = {"time": "%02d:%02d" % (minute // 60 % 24, minute % 60),
                     "call": calls[i % len(calls)], "band": BANDS[i // len(calls) % 6],
                     "mode": "CW", "rst_s": "599", "sent": "14", "rst_r": "599",
                     "rcvd": str(1 + i % 40), "note": "" if i % 7 else "worked on the second try"}
            log.write(record(46000 + minute // 1440, texts, 3))


main()
