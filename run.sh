#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds Vellmora and runs it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-packages.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLMORA_TESTS=OFF
cmake --build build/release -j "$(nproc)"
exec build/release/vellmora/vellmora-sim "$@"
