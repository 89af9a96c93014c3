#!/usr/bin/env bash
# The program's controls reach a screen reader: under Xvfb, on a private session bus with the
# accessibility bus running, every control of the open windows is found over AT-SPI by the
# object name that MIRVA_ACCESSIBLE_IDS=1 puts into its description, with the name spoken.
# Usage: atspi.sh MIRVA SOURCE_DIR. Exits 77 when Xvfb, the bus or pyatspi is missing.
set -euo pipefail
mirva="$1"
source_dir="$2"
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb openbox xdotool dbus-run-session /usr/bin/python3 "$launcher"; do
  command -v "$tool" >/dev/null || { echo "no $tool"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "no pyatspi"; exit 77; }

work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
bash "$source_dir/scripts/prepare-home.sh" "$work/home" >/dev/null
cp "$source_dir/tests/data/contest/CTY.DAT" "$work/home/CTY.DAT"
printf '[Contest]\nName=CQ WW DX Contest (CW)\n[Station configuration]\neCall=DL1ABC\neCountry=DL\neITU=28\neCQ=14\neCont=EU\n' \
  >"$work/home/workspace.ini"
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"
printf '[Main]\nsbNew.Down=true\nsbContestStat.Down=true\nsbQSOList.Down=true\nsbCalls.Down=true\n' \
  >"$XDG_CONFIG_HOME/Mirva contest module.conf"

Xvfb -displayfd 3 -screen 0 1280x960x24 3>"$work/display" >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &

cat >"$work/inside.sh" <<INSIDE
set -euo pipefail
$launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 MIRVA_ACCESSIBLE_IDS=1 "$mirva" --dir "$work/home" \
  >"$work/program.log" 2>&1 &
status=0
/usr/bin/python3 - <<'PY' || status=\$?
import re, subprocess, sys, time
import pyatspi

# objectName -> the name a screen reader must speak for it
expected = {
    "sbNew": "1- New", "sbQSOList": "4 - List", "eCall": "Callsign", "eRcvd": "Rcvd",
    "cbBand": "Band", "bSave": "Save", "sgMults": None, "lblScore": "Score",
    "Button1": "Update score", "sgQSOList": None, "sgCalls": None, "CountryLbl": "Country",
}

def spoken_name(node):
    """The node's name and the names of the labels it is labelled by: a combo box on Linux
    names its current text and speaks its label through that relation."""
    names = [node.name or ""]
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name or "" for i in range(relation.getNTargets())]
    return " ".join(names)

def collect(node, found):
    try:
        if node.description:
            found.setdefault(node.description, spoken_name(node))
        for i in range(node.childCount):
            collect(node.getChildAtIndex(i), found)
    except Exception:
        pass

found = {}
for _ in range(100):
    found = {}
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "mirva" in (app.name or "").lower():
            collect(app, found)
    if all(name in found for name in expected):
        break
    time.sleep(0.2)
failed = False
# Values are spoken with their captions: a saved QSO raises the score, and a typed call shows
# its country.
subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^New QSO$",
                "windowactivate", "--sync"], check=True, stdout=subprocess.DEVNULL)
subprocess.run(["xdotool", "type", "--delay", "60", "UA3ABC"], check=True)
subprocess.run(["xdotool", "key", "--delay", "200", "Return", "Return"], check=True)
subprocess.run(["xdotool", "type", "--delay", "60", "JA1ABC"], check=True)
values = {"lblScore": r"^Score [1-9][0-9]*\b", "CountryLbl": r"^Country Japan\b"}
for _ in range(50):
    found = {}
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "mirva" in (app.name or "").lower():
            collect(app, found)
    if all(re.search(pattern, found.get(name) or "") for name, pattern in values.items()):
        break
    time.sleep(0.2)
for name, pattern in values.items():
    print(f"{name} speaks {found.get(name)!r}")
    if not re.search(pattern, found.get(name) or ""):
        print(f"{name}: speaks {found.get(name)!r}, expected {pattern!r}"); failed = True
for name, spoken in expected.items():
    if name not in found:
        print(f"{name}: not found over AT-SPI"); failed = True
    elif not (found[name] or "").strip() or (spoken and spoken not in found[name].replace("&", "")):
        print(f"{name}: speaks {found[name]!r}, expected {spoken!r}"); failed = True
print(f"{len(found)} controls found over AT-SPI")
sys.exit(1 if failed else 0)
PY
kill \$(jobs -p) 2>/dev/null || true
exit \$status
INSIDE
dbus-run-session -- bash "$work/inside.sh" 2> >(grep -v 'fd limit' >&2)
