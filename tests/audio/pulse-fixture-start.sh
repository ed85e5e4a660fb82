#!/usr/bin/env bash
# Starts a private PulseAudio for the loopback test and waits until it answers.
# A null sink "bridge" is the default sink and its monitor the default source,
# so what the program plays is what it records. A loopback from the monitor
# into a second null sink keeps the monitor's clock running between streams;
# without it the first recording in a process can stall for up to 2 s.
# Usage: pulse-fixture-start.sh DIR   (DIR is emptied and used for everything)
set -euo pipefail
dir=$(mkdir -p "$1" && cd "$1" && pwd)  # PulseAudio needs an absolute home
here=$(cd "$(dirname "$0")" && pwd)

bash "$here/pulse-fixture-stop.sh" "$dir" || true  # left over from an aborted run
rm -rf "$dir"
mkdir -p "$dir/run" "$dir/home"
chmod 700 "$dir/run"

cat >"$dir/server.pa" <<'PA'
load-module module-null-sink sink_name=bridge rate=44100 channels=2
load-module module-null-sink sink_name=clock rate=44100 channels=2
load-module module-native-protocol-unix auth-anonymous=1
set-default-sink bridge
set-default-source bridge.monitor
load-module module-loopback source=bridge.monitor sink=clock
PA

# Its own runtime, state and home folders keep it apart from any user's
# server. As root it only warns that it is not a system-wide server.
export XDG_RUNTIME_DIR="$dir/run" HOME="$dir/home" PULSE_STATE_PATH="$dir/home"
pulseaudio -n -F "$dir/server.pa" --exit-idle-time=-1 --disable-shm=yes \
    --daemonize=yes --use-pid-file=yes --realtime=no --high-priority=no \
    --log-target="file:$dir/pulse.log"

export PULSE_SERVER="unix:$dir/run/pulse/native"
for _ in $(seq 100); do
    if pactl info >/dev/null 2>&1; then
        if pactl info | grep -q "^Default Source: bridge.monitor$"; then
            # A recording started in the first second or so of the server
            # waits about a second for its first data while the loopback
            # settles; a user's server has long been running by then.
            sleep 2
            exit 0
        fi
    fi
    sleep 0.1
done
echo "the private PulseAudio did not come up; its log:" >&2
cat "$dir/pulse.log" >&2 || true
exit 1
