#!/bin/sh
# Builds the Debian package, checks the desktop entry, the metainfo, the
# manual page and the package with lintian, then installs the package,
# starts the program once without a display and removes the package again.
# Run as root from the top of the source tree: sh packaging/check-package.sh
# BUILD_DIR chooses the build folder (default build-deb).
set -eu
BUILD_DIR=${BUILD_DIR:-build-deb}
export DEBIAN_FRONTEND=noninteractive

apt-get update
apt-get install -y --no-install-recommends \
    g++ cmake make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev portaudio19-dev \
    fonts-liberation2 dpkg-dev file gzip \
    desktop-file-utils appstream lintian man-db groff-base

# Debian's compiler and linker flags, with every hardening feature.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVARNEX_BUILD_TESTS=OFF -DVARNEX_BUILD_BENCH=OFF \
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
if dpkg -c "$deb" | grep -E '_test|_bench|measure_accuracy'; then
    echo "a test or benchmark program is in the package" >&2
    exit 1
fi

apt-get install -y "./$deb"
status=0
QT_QPA_PLATFORM=offscreen VARNEX_SIMULATE=R=100 timeout 5 varnex || status=$?
apt-get remove -y varnex
# 124: the window was still up when timeout ended it, as it should be.
if [ "$status" -ne 124 ]; then
    echo "varnex did not keep running (status $status)" >&2
    exit 1
fi
echo "package checks passed"
