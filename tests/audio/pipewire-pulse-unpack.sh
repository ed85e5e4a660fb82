#!/usr/bin/env bash
# Unpacks pipewire-pulse (PipeWire's PulseAudio server) and pipewire-alsa (its
# ALSA plugin) into a private folder without installing them: pipewire-alsa
# conflicts with the pulseaudio package the other fixture needs, and neither
# may replace the system's sound setup. Both must match the installed
# pipewire version exactly. Does nothing when DEST already holds that version.
# Usage: pipewire-pulse-unpack.sh DEST
set -euo pipefail
dest=$1
version=$(dpkg-query -W -f='${Version}' pipewire 2>/dev/null) || {
    echo "pipewire is not installed" >&2
    exit 1
}
if [ -f "$dest/version" ] && [ "$(cat "$dest/version")" = "$version" ]; then exit 0; fi

rm -rf "$dest"
mkdir -p "$dest/debs" "$dest/root"
# apt-get download writes into the current folder; as root it warns that the
# _apt user cannot reach a private folder and downloads unsandboxed.
(cd "$dest/debs" && apt-get download -qq "pipewire-pulse=$version" "pipewire-alsa=$version" 2>&1 |
    grep -v "unsandboxed" >&2 || true)
for deb in "$dest"/debs/*.deb; do
    [ -f "$deb" ] || { echo "apt-get download pipewire-pulse pipewire-alsa failed" >&2; exit 1; }
    dpkg -x "$deb" "$dest/root"
done
[ -f "$dest/root/usr/share/pipewire/pipewire-pulse.conf" ] &&
    find "$dest/root/usr/lib" -name libasound_module_pcm_pipewire.so | grep -q . ||
    { echo "the unpacked packages lack pipewire-pulse.conf or the ALSA plugin" >&2; exit 1; }
echo "$version" >"$dest/version"
