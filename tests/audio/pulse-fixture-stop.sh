#!/usr/bin/env bash
# Stops the private PulseAudio of pulse-fixture-start.sh by the PID in its pid file.
# Usage: pulse-fixture-stop.sh DIR [KILL]   (KILL: as if it crashed, no clean exit)
set -uo pipefail
pidfile=$1/run/pulse/pid
signal=${2:-TERM}
[ -f "$pidfile" ] || exit 0
pid=$(tr -dc '0-9' <"$pidfile")
[ -n "$pid" ] || exit 0
# Only a PulseAudio of ours: a stale file may name a PID that was reused.
if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "pulseaudio" ]; then
    kill -s "$signal" "$pid"
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill -9 "$pid"
fi
rm -f "$pidfile"
exit 0
