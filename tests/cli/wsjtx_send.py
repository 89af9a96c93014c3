#!/usr/bin/env python3
"""Sends datagrams of the digital-mode programs' UDP protocol, as WSJT-X and JTDX build them.

usage: wsjtx_send.py HOST PORT ITEM...   sends one datagram per ITEM, in order
       wsjtx_send.py --corpus DIR        writes seed datagrams into DIR
ITEM, its words joined by commas: heartbeat | qso,CALL,HZ,MODE,HHMM[,SCHEMA[,SENT,RCVD]] |
adif,TEXT | broken
A group HOST (224.0.0.0/4) is sent to over the loopback interface.
"""
import socket
import struct
import sys

MAGIC = 0xADBCCBDA
JULIAN_2024_11_30 = 2460645


def utf8(text):
    if text is None:
        return struct.pack(">I", 0xFFFFFFFF)
    data = text.encode("utf-8")
    return struct.pack(">I", len(data)) + data


def head(kind, schema=3, ident="WSJT-X"):
    return struct.pack(">III", MAGIC, schema, kind) + utf8(ident)


def utc(ms, day=JULIAN_2024_11_30):
    return struct.pack(">qIB", day, ms, 1)


def heartbeat(schema=3):
    return head(0, schema) + struct.pack(">I", 3) + utf8("2.7.0") + utf8("abc123")


def qso(call, hz, mode, hhmm, schema=3, sent=None, rcvd=None):
    on = (hhmm // 100 * 60 + hhmm % 100) * 60000 + 12000
    body = utc(on + 45000) + utf8(call) + utf8("JO22") + struct.pack(">Q", hz) + utf8(mode)
    body += utf8("-08") + utf8("-11") + utf8("100") + utf8("") + utf8(None) + utc(on)
    if sent is not None:
        body += utf8("") + utf8("OH2XX") + utf8("KP20") + utf8(sent) + utf8(rcvd) + utf8("")
    return head(5, schema) + body


def adif(text, schema=3):
    return head(12, schema) + utf8(text)


def broken():
    # A logged QSO whose callsign claims more bytes than the datagram holds.
    return head(5) + utc(0) + struct.pack(">I", 4000) + b"DL1"


def send(host, port, data):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    if (int(host.split(".")[0]) >> 4) == 0xE:
        s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_IF, socket.inet_aton("127.0.0.1"))
        s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_LOOP, 1)
        s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_TTL, 1)
    s.sendto(data, (host, port))
    s.close()


def build(kind, args):
    if kind == "heartbeat":
        return heartbeat()
    if kind == "qso":
        call, hz, mode, hhmm = args[0], int(args[1]), args[2], int(args[3])
        schema = int(args[4]) if len(args) > 4 else 3
        sent, rcvd = (args[5], args[6]) if len(args) > 6 else (None, None)
        return qso(call, hz, mode, hhmm, schema, sent, rcvd)
    if kind == "adif":
        return adif(args[0])
    if kind == "broken":
        return broken()
    raise SystemExit("unknown kind " + kind)


def corpus(folder):
    seeds = {
        "heartbeat2": heartbeat(2),
        "qso_schema2": qso("DL1ABC", 14074000, "FT8", 1234, 2),
        "qso_exchange": qso("K1ABC", 7080000, "RTTY", 1200, 3, "599 001", "579 MA"),
        "adif": adif("<call:6>DL1ABC <gridsquare:4>JO31 <mode:4>MFSK <submode:3>FT4"
                     " <qso_date:8>20241130 <time_on:6>123412 <band:3>20m <freq:9>14.080000"
                     " <rst_sent:3>-08 <rst_rcvd:3>-11 <srx_string:2>MA <eor>"),
        "broken": broken(),
    }
    for name, data in seeds.items():
        with open(f"{folder}/{name}.bin", "wb") as out:
            out.write(data)


if __name__ == "__main__":
    if sys.argv[1] == "--corpus":
        corpus(sys.argv[2])
    else:
        for item in sys.argv[3:]:
            words = item.split(",")
            send(sys.argv[1], int(sys.argv[2]), build(words[0], words[1:]))
