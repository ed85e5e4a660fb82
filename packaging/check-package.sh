#!/usr/bin/env bash
# Builds the Debian package, checks the desktop entry, the metainfo, the
# manual page and the package with lintian, then installs the package and
# runs the installed program: its version, and one start and Exit as a
# normal user whose settings must land in ~/.config/varnex.  The package is
# removed again whatever happens.
# Run as root from the top of the source tree, after
#   bash .ci/install-deps package
# BUILD_DIR chooses the build folder (default build-deb).
set -euo pipefail
BUILD_DIR=${BUILD_DIR:-build-deb}
export DEBIAN_FRONTEND=noninteractive

# Debian's compiler and linker flags, with every hardening feature.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DVARNEX_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$BUILD_DIR" -j2
(cd "$BUILD_DIR" && rm -f varnex_*.deb && cpack -G DEB)
deb=$(ls "$BUILD_DIR"/varnex_*_*.deb)

desktop-file-validate packaging/varnex.desktop
appstreamcli validate --no-net packaging/io.github.varnex.Varnex.metainfo.xml
# The installed layout too: the metainfo must find its desktop entry.
tree=$(mktemp -d)
dpkg-deb -x "$deb" "$tree"
appstreamcli validate-tree --no-net "$tree"
rm -rf "$tree"

# The manual page: any warning of groff or man fails.
warnings=$(groff -man -Tutf8 -ww -z packaging/varnex.1 2>&1)
warnings=$warnings$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z packaging/varnex.1 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    printf '%s\n' "$warnings" >&2
    exit 1
fi

lintian --fail-on error --display-info --show-overrides "$deb"

dpkg -c "$deb"
if dpkg -c "$deb" | grep -E '_test|_bench|measure_accuracy|measure_uncertainty'; then
    echo "a test or benchmark program is in the package" >&2
    exit 1
fi

display=:95
home=$(mktemp -d)
cleanup() {
    pkill -f "Xvfb $display" 2>/dev/null || true
    apt-get remove -y varnex >/dev/null 2>&1 || true
    rm -rf "$home"
}
trap cleanup EXIT

apt-get install -y "./$deb"
version=$(varnex --version)
[ "$version" = "varnex 1.0" ] || { echo "varnex --version says \"$version\"" >&2; exit 1; }

# One start and Exit of the installed window as a normal user with a home
# folder of its own.  Exit needs a click, so the window runs on a display
# server without a screen, driven by xdotool: the mixer reminder is
# answered with Return, then the Exit button is clicked at its place
# (client area 600 + 20, 208 + 12 pixels, below the menu bar).
chown nobody "$home"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
sleep 1
runuser -u nobody -- env -i HOME="$home" DISPLAY="$display" VARNEX_SIMULATE=R=100 \
    PATH=/usr/bin:/bin varnex &
program=$!
export DISPLAY=$display
reminder=$(timeout 20 xdotool search --sync --name '^Reminder$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$reminder")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.3
xdotool key Return
window=$(timeout 10 xdotool search --sync --name '^Varnex Impedance$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 620)) $((Y + HEIGHT - 471 + 220))
sleep 0.3
xdotool click 1
for _ in $(seq 200); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
    echo "the installed program did not end with Exit" >&2
    kill "$program"
    exit 1
fi
wait "$program"
settings="$home/.config/varnex/Varnexinit"
lines=$(wc -l < "$settings")
[ "$lines" -eq 26 ] || { echo "$settings holds $lines lines, not 26" >&2; exit 1; }
[ ! -e /usr/bin/Varnexinit ] || { echo "the installed program wrote into its own folder" >&2; exit 1; }
echo "package checks passed: the installed program wrote $settings"
