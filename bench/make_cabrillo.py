#!/usr/bin/env python3
"""Writes a Cabrillo log of N CW QSOs of real callsigns, for timing the command-line import:
python3 bench/make_cabrillo.py FILE [N]. Each callsign is worked on up to six bands, over 48
hours from 2025-11-29 00:00, with a CQ zone received."""
import datetime
import sys
from pathlib import Path

SCP = Path("/usr/share/hamradio-files/MASTER.SCP")
BANDS = [("20", 14025), ("40", 7025), ("15", 21025), ("80", 3525), ("10", 28025), ("160", 1825)]


def main():
    out = Path(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    calls = [line.strip() for line in SCP.read_text(encoding="latin-1").splitlines()
             if line.strip() and not line.startswith("#")]
    start = datetime.datetime(2025, 11, 29)
    lines = ["START-OF-LOG: 3.0", "CONTEST: CQ-WW-CW", "CALLSIGN: DL1ABC"]
    for i in range(count):
        at = start + datetime.timedelta(minutes=i * 48 * 60 // count)
        _, khz = BANDS[i // len(calls) % 6]
        lines.append("QSO: %5d CW %s %s DL1ABC 599 14 %-13s 599 %d" %
                     (khz, at.strftime("%Y-%m-%d"), at.strftime("%H%M"), calls[i % len(calls)],
                      1 + i % 40))
    lines.append("END-OF-LOG:")
    out.write_text("\n".join(lines) + "\n", encoding="ascii")


main()
