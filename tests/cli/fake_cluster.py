"""A DX cluster node on 127.0.0.1 for the spots test: it writes its port to PORT_FILE, asks
for a call, checks it, then sends LINES recorded-style lines at RATE lines a second (0: a
login prompt and then silence until the client goes) and closes. The spot lines it sends, and
what the client must print for each, go to EXPECTED as "khz TAB call TAB spotter TAB worth TAB
mults" lines."""
import os
import random
import socket
import sys
import time

port_file, expected_file, call, lines, rate = sys.argv[1:6]
lines, rate = int(lines), float(rate)

# The log holds F5AB and W1AW on 20 m (CQ WW DX CW, station DL1ABC): frequency (kHz), call
# and the mode a skimmer hears (none: only people spot it), and what a spot is worth; the
# band plan's 20 m phone sub-band, data and 30 m are out of this CW contest.
TABLE = [
    ("14025.0", "F5AB", "CW", "dupe", ""),
    ("7025.0", "F5AB", "CW", "mult", "F 14"),
    ("14030.0", "F6XY", "CW", "qso", ""),
    ("14010.00", "W1AW", "CW", "dupe", ""),
    ("14015.5", "K1ABC", "CW", "qso", ""),
    ("21025", "JA2XYZ", "CW", "mult", "JA 25"),
    ("14250.0", "VK2AB", "", "out", ""),
    ("14080.0", "VK2AB", "FT8", "out", ""),
    ("10120.0", "VK2AB", "CW", "out", ""),
]
JUNK = [
    "To ALL de DL1ABC: CQ contest this weekend",
    "WWV de W0MU <18>:   SFI=68, A=4, K=1, No Storms -> No Storms",
    "WCY de DK0WCY-1 <12> : K=2 expK=2 A=8 R=0 SFI=71 SA=qui GMF=qui Au=no",
    "DX de DL1ABC:   14O25.0  UA9XYZ  CQ  1234Z",
    "DX de DL1ABC:   14025.0  QRZ?  1234Z",
    "DX de DL1ABC",
    "\xc4\xee\xe1\xf0\xfb\xe9 \xe4\xe5\xed\xfc \x1b[0m",
]


def spot_line(n, rnd):
    khz, call, mode, worth, mults = rnd.choice(TABLE)
    if mode and rnd.random() < 0.5:
        spotter = "DL%dZZ-#" % n
        comment = "%s    %d dB  %d WPM  CQ" % (mode, rnd.randint(3, 40), rnd.randint(18, 40))
    else:
        spotter = "DL%dZZ" % n
        comment = rnd.choice(["", "CQ", "tnx qso 73", "up 2"])
    text = "DX de %s:%s%s  %-12s %-30s %02d%02dZ" % (
        spotter, " " * rnd.randint(0, 5), khz.rjust(9), call, comment,
        rnd.randint(0, 23), rnd.randint(0, 59))
    if rnd.random() < 0.1:
        text += " JO21"
    return text, "\t".join([khz, call, spotter, worth, mults])


def main():
    rnd = random.Random(7)
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen(1)
    with open(port_file + ".tmp", "w") as f:
        f.write(str(server.getsockname()[1]))
    os.rename(port_file + ".tmp", port_file)
    server.settimeout(20)
    client, _ = server.accept()
    client.settimeout(20)
    # Telnet options first, as a node's telnet server sends them.
    client.sendall(b"\xff\xfb\x01\xff\xfd\x18Welcome\r\nlogin: ")
    got = b""
    while not got.endswith(b"\r\n"):
        piece = client.recv(100)
        if not piece:
            sys.exit("the client went before it logged in")
        got += piece
    if got != call.encode() + b"\r\n":
        sys.exit("the login was %r" % got)
    if rate == 0:
        while client.recv(100):
            pass
        return
    expected = []
    sent = []
    for n in range(lines):
        if rnd.random() < 0.8:
            text, want = spot_line(n, rnd)
            expected.append(want)
        else:
            text = rnd.choice(JUNK)
        sent.append(text.encode("latin-1") + b"\r\n")
    with open(expected_file, "w") as f:
        f.write("".join(line + "\n" for line in expected))
    start = time.monotonic()
    done = 0
    while done < len(sent):
        due = min(len(sent), int((time.monotonic() - start) * rate) + 1)
        if due > done:
            client.sendall(b"".join(sent[done:due]))
            done = due
        time.sleep(0.01)
    client.close()


main()
