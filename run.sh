#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds Vellmora and opens the game window.
# On a machine without a display it says so and plays a headless game with the simulator instead.
# Arguments go to the game, e.g. ./run.sh --screenshots shots (which needs no display).
set -euo pipefail
cd "$(dirname "$0")"
# Compiler cache hits across clones of the repository in other folders, and the same compiler
# package installed at another time (as on a fresh root) still counts as the same compiler.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
export CCACHE_COMPILERCHECK=content
tools/install-packages.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLMORA_TESTS=OFF
cmake --build build/release -j "$(nproc)"
program=build/release/vellmora
if [ "${1:-}" != "--screenshots" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): playing a headless game with the simulator instead."
    "$program"/vellmora-sim --map hinode
    exit 0
fi
exec "$program"/vellmora "$@"
