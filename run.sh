#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds Vellmora and plays a game on the
# starter town with the headless simulator. Arguments are passed on to the simulator.
set -euo pipefail
cd "$(dirname "$0")"
# Compiler cache hits across clones of the repository in other folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
tools/install-packages.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLMORA_TESTS=OFF
cmake --build build/release -j "$(nproc)"
if [ "$#" -eq 0 ]; then
    set -- --map hinode
fi
exec build/release/vellmora/vellmora-sim "$@"
