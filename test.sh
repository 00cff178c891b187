#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds Vellmora with warnings as errors
# and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-packages.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLMORA_WERROR=ON
cmake --build build/test -j "$(nproc)"
ctest --test-dir build/test --output-on-failure -j "$(nproc)"
