#!/usr/bin/env bash
# Runs a test on a session bus of its own, which ends with it; skips without dbus-run-session.
# Usage: on_session_bus.sh PROGRAM [ARGS]
command -v dbus-run-session >/dev/null || { echo "dbus-run-session is not installed"; exit 77; }
exec dbus-run-session -- "$@"
