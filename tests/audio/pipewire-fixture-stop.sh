#!/usr/bin/env bash
# Stops the private PipeWire of pipewire-fixture-start.sh: every process named
# in DIR/pids that still is what it was started as, and any other process
# that runs with DIR's runtime folder (one the servers started, or one of an
# earlier run whose pid file is gone). Nothing else is touched.
# Usage: pipewire-fixture-stop.sh DIR [KILL]   (KILL: as if they crashed)
set -uo pipefail
[ -d "$1" ] || exit 0
dir=$(cd "$1" && pwd)
signal=${2:-TERM}

ours() {  # pid: true when the process runs with this fixture's runtime folder
    grep -qzxF "XDG_RUNTIME_DIR=$dir/run" "/proc/$1/environ" 2>/dev/null
}

pids=()
if [ -f "$dir/pids" ]; then
    while read -r pid name; do
        [[ $pid =~ ^[0-9]+$ ]] || continue
        # A stale file may name a PID that was reused by something else.
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "${name:0:15}" ] && ours "$pid" && pids+=("$pid")
    done <"$dir/pids"
fi
for p in /proc/[0-9]*; do
    pid=${p#/proc/}
    [ "$pid" = "$$" ] && continue
    ours "$pid" && [[ ! " ${pids[*]} " =~ " $pid " ]] && pids+=("$pid")
done
# This script itself and its parents may carry the variable too (a test that
# sourced DIR/env): only processes of the servers are ended.
keep=" $$ $PPID "
stop=()
for pid in "${pids[@]}"; do
    [[ $keep =~ " $pid " ]] && continue
    case $(cat "/proc/$pid/comm" 2>/dev/null) in
        dbus-daemon|pipewire|wireplumber|pipewire-pulse) stop+=("$pid") ;;
    esac
done

# A process that has ended but is not yet reaped (its parent is init, which
# reaps in its own time) counts as ended.
running() { [ -r "/proc/$1/stat" ] && [ "$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null)" != Z ]; }

[ ${#stop[@]} -gt 0 ] && kill -s "$signal" "${stop[@]}" 2>/dev/null
alive=()
for _ in $(seq 50); do
    alive=()
    for pid in "${stop[@]}"; do running "$pid" && alive+=("$pid"); done
    [ ${#alive[@]} -eq 0 ] && break
    sleep 0.1
done
for pid in "${alive[@]}"; do kill -9 "$pid" 2>/dev/null; done
rm -f "$dir/pids"
exit 0
