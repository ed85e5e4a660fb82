#!/usr/bin/env bash
# Starts a private PipeWire for the loopback test and waits until it answers:
# its own D-Bus session bus, PipeWire at 44100 Hz, WirePlumber as the session
# manager and PipeWire's PulseAudio server (unpacked privately, see
# pipewire-pulse-unpack.sh). A null sink "bridge" is the default output and
# its monitor the default input, so what the program plays is what it records.
#
# ALSA reaches it only through the configuration files written into DIR:
#   DIR/alsa-pulse.conf     ALSA's pulse plugin -> PipeWire's PulseAudio socket
#   DIR/alsa-pipewire.conf  PipeWire's own ALSA plugin (from pipewire-alsa)
# and DIR/env holds the variables a test needs (ALSA_CONFIG_PATH and the
# rest); source it, or give them to CTest as ENVIRONMENT.
#
# Usage: pipewire-fixture-start.sh DIR [PROGRAM]   (DIR is emptied and used
# for everything; with PROGRAM, the varnex executable, the script returns only
# once the server delivers whole recordings to it)
# The unpacked packages are kept in PIPEWIRE_PULSE_ROOT (default: DIR.pkg
# beside DIR), so a second start does not download them again.
set -euo pipefail
dir=$(mkdir -p "$1" && cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
pkg=${PIPEWIRE_PULSE_ROOT:-$dir.pkg}
# Which ALSA route DIR/env selects: pulse (default) or pipewire.
route=${VARNEX_PIPEWIRE_ALSA_ROUTE:-pulse}

bash "$here/pipewire-fixture-stop.sh" "$dir" || true  # left over from an aborted run
rm -rf "$dir"
mkdir -p "$dir/run" "$dir/home" "$dir/config/pipewire/pipewire.conf.d" \
    "$dir/config/wireplumber/main.lua.d" "$dir/config/wireplumber/bluetooth.lua.d" \
    "$dir/state" "$dir/data"
chmod 700 "$dir/run"

bash "$here/pipewire-pulse-unpack.sh" "$pkg"
root=$pkg/root
plugin=$(find "$root/usr/lib" -name libasound_module_pcm_pipewire.so | head -n 1)

# PipeWire itself: one clock at 44100 Hz and the bridge sink. Suspending an
# idle sink would make the first recording after a pause wait for the graph
# to start again; a user's running desktop rarely shows that, so it is off.
# VARNEX_PIPEWIRE_RATE=default leaves PipeWire at its own clock (48 kHz), to
# see what a user's untouched server does to the captures.
if [ "${VARNEX_PIPEWIRE_RATE:-44100}" = 44100 ]; then
    cat >"$dir/config/pipewire/pipewire.conf.d/40-varnex-clock.conf" <<'CONF'
context.properties = {
    default.clock.rate          = 44100
    default.clock.allowed-rates = [ 44100 ]
}
CONF
fi
cat >"$dir/config/pipewire/pipewire.conf.d/50-varnex-bridge.conf" <<'CONF'
context.objects = [
    { factory = adapter
        args = {
            factory.name     = support.null-audio-sink
            node.name        = bridge
            node.description = "bridge"
            media.class      = Audio/Sink
            audio.position   = [ FL FR ]
            monitor.channel-volumes = true
            session.suspend-timeout-seconds = 0
        }
    }
]
CONF
# PipeWire's PulseAudio server reads pipewire-pulse.conf from the first config
# folder that has it: the private one.
cp "$root/usr/share/pipewire/pipewire-pulse.conf" "$dir/config/pipewire/pipewire-pulse.conf"
# PipeWire picks its configuration by the name it was started as.
mkdir -p "$dir/bin"
ln -s "$(command -v pipewire)" "$dir/bin/pipewire-pulse"

# WirePlumber: no hardware, cameras or Bluetooth to look for.
cat >"$dir/config/wireplumber/main.lua.d/80-varnex-no-devices.lua" <<'LUA'
alsa_monitor.enabled = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
LUA
echo 'bluez_monitor.enabled = false' >"$dir/config/wireplumber/bluetooth.lua.d/80-varnex-no-devices.lua"

# A session bus of its own that only listens and starts no services.
cat >"$dir/bus.conf" <<BUS
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$dir/run/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
BUS

# ALSA configurations that send the default device to this server only.
cat >"$dir/alsa-pulse.conf" <<ALSA
# ALSA's pulse plugin, talking to PipeWire's PulseAudio server.
pcm.!default { type pulse server "unix:$dir/run/pulse/native" hint.description "private PipeWire (pulse)" }
ctl.!default { type pulse server "unix:$dir/run/pulse/native" }
ALSA
cat >"$dir/alsa-pipewire.conf" <<ALSA
# PipeWire's ALSA plugin from the unpacked pipewire-alsa.
pcm_type.pipewire { lib "$plugin" }
ctl_type.pipewire { lib "${plugin%pcm_pipewire.so}ctl_pipewire.so" }
pcm.!default {
    type pipewire
    server "pipewire-0"
    playback_node "-1"
    capture_node "-1"
    hint.description "private PipeWire"
}
ctl.!default { type pipewire server "pipewire-0" }
ALSA

export XDG_RUNTIME_DIR="$dir/run" HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" \
    XDG_STATE_HOME="$dir/state" XDG_DATA_HOME="$dir/data" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/run/bus"
# No inherited address of another server may leak in.
unset PIPEWIRE_REMOTE PULSE_SERVER PIPEWIRE_RUNTIME_DIR PIPEWIRE_CONFIG_DIR

# setsid: the servers outlive this script (CTest runs it as a test of its own)
# and get no terminal signals; the PIDs go to DIR/pids for the stop script.
start() {  # name logfile command...
    local name=$1 log=$2
    shift 2
    setsid "$@" </dev/null >>"$log" 2>&1 &
    echo "$! $name" >>"$dir/pids"
}
start dbus-daemon "$dir/dbus.log" dbus-daemon --nofork --nopidfile --config-file="$dir/bus.conf"
for _ in $(seq 50); do [ -S "$dir/run/bus" ] && break; sleep 0.1; done
start pipewire "$dir/pipewire.log" pipewire
for _ in $(seq 50); do [ -S "$dir/run/pipewire-0" ] && break; sleep 0.1; done
start wireplumber "$dir/wireplumber.log" wireplumber
start pipewire-pulse "$dir/pipewire-pulse.log" "$dir/bin/pipewire-pulse"

export PULSE_SERVER="unix:$dir/run/pulse/native"
up=0
for _ in $(seq 100); do
    if pactl info >/dev/null 2>&1 && pactl list short sinks 2>/dev/null | grep -q "	bridge	"; then
        pactl set-default-sink bridge >/dev/null 2>&1 || true
        pactl set-default-source bridge.monitor >/dev/null 2>&1 || true
        info=$(pactl info 2>/dev/null || true)
        if grep -q "^Default Sink: bridge$" <<<"$info" &&
           grep -q "^Default Source: bridge.monitor$" <<<"$info"; then
            up=1
            break
        fi
    fi
    sleep 0.1
done
if [ "$up" != 1 ]; then
    echo "the private PipeWire did not come up; its logs:" >&2
    tail -n 20 "$dir"/*.log >&2 || true
    pactl info >&2 || true
    exit 1
fi

case $route in
    pipewire) alsa_conf=$dir/alsa-pipewire.conf ;;
    *) alsa_conf=$dir/alsa-pulse.conf ;;
esac
cat >"$dir/env" <<ENV
export XDG_RUNTIME_DIR="$dir/run" HOME="$dir/home" XDG_CONFIG_HOME="$dir/config"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/run/bus"
export PULSE_SERVER="unix:$dir/run/pulse/native" PIPEWIRE_REMOTE="pipewire-0"
export ALSA_CONFIG_PATH="$alsa_conf"
ENV

# A server just started on a machine just done with a build may drop frames
# for some seconds (seen here: every PipeWire test of a run failing in its
# first seconds, none after).  Wait until the program takes two whole
# readings through it, as a test's first step would.
if [ -n "${2:-}" ]; then
    settled=0
    for _ in $(seq 30); do
        if (source "$dir/env" && unset VARNEX_SIMULATE &&
            timeout 10 "$2" measure --count 2) >/dev/null 2>&1; then
            settled=1
            break
        fi
        sleep 1
    done
    if [ "$settled" != 1 ]; then
        echo "the private PipeWire did not deliver whole recordings within 30 s" >&2
        exit 1
    fi
fi
exit 0
