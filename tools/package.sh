#!/usr/bin/env bash
# Builds the Debian package: a release build with Debian's hardening flags in build/package (or
# the folder given), then CPack's DEB generator. Prints the path of the .deb it made on standard
# output; the build's own output goes to standard error.
#   BUILD_NUMBER  the package's Debian revision (default: the number of commits, or 1)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 CCACHE_COMPILERCHECK=content
number=${BUILD_NUMBER:-$(git rev-list --count HEAD 2>/dev/null || echo 1)}

# dpkg-buildflags gives the flags Debian builds its packages with (stack protector, fortify,
# full RELRO, bind now).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS=$(dpkg-buildflags --get CXXFLAGS) CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS)
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLMORA_TESTS=OFF \
    "-DCMAKE_CXX_FLAGS=$CPPFLAGS $CXXFLAGS" "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS" \
    "-DVELLMORA_BUILD_NUMBER=$number" >&2
cmake --build "$build" -j "$(nproc)" >&2
rm -f "$build"/vellmora_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/vellmora_*.deb
