#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and runs every check:
#   1. the normal build (gcc, warnings as errors) and its test suite;
#   2. the same tests built with clang under AddressSanitizer and UBSan, with the fuzz targets;
#   3. a short run of every fuzz target on its seed corpus;
#   4. the desktop entry and AppStream data through their validators, and the Debian package
#      (tools/package.sh) through lintian.
# FUZZ_SECONDS sets the length of each fuzz run (default 30; 0 skips them).
set -euo pipefail
cd "$(dirname "$0")"
# Compiler cache hits across clones of the repository in other folders, and the same compiler
# package installed at another time (as on a fresh root) still counts as the same compiler.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
export CCACHE_COMPILERCHECK=content
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-30}

tools/install-packages.sh

echo "== normal build and tests"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLMORA_WERROR=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== sanitizer build and tests"
CXX=clang++ cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g" -DVELLMORA_WERROR=ON \
    -DVELLMORA_SANITIZE=ON -DVELLMORA_FUZZ=ON
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

if [ "$fuzz_seconds" -gt 0 ]; then
    echo "== fuzzing, ${fuzz_seconds}s per target"
    shopt -s nullglob
    program=build/sanitize/vellmora
    build/sanitize/fuzz/make_seeds build/sanitize/fuzz/seeds
    for fuzzer in build/sanitize/fuzz/*_fuzz; do
        name=$(basename "$fuzzer" _fuzz)
        work=$(mktemp -d)
        # Seeds: the text seeds kept in the repo and the data files the build wrote.
        seeds=(fuzz/corpus/"$name"/* build/sanitize/fuzz/seeds/"$name"/*)
        case "$name" in
            param_file) seeds+=("$program"/zdt/quillmarch_* "$program"/zdt/blddata) ;;
            settings) seeds+=("$program"/zdt/base.zdt) ;;
            account) seeds+=("$program"/acc.dat) ;;
            map_file) seeds+=("$program"/map/*.zmf) ;;
            chip_bitmap) seeds+=("$program"/*chip.bmp) ;;
        esac
        for seed in "${seeds[@]}"; do
            cp "$seed" "$work/"
        done
        echo "-- $name"
        log="$work.log"
        set +e
        "$fuzzer" "$work" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -timeout=10 \
            -print_final_stats=1 -artifact_prefix="build/sanitize/fuzz/${name}-" >"$log" 2>&1
        status=$?
        set -e
        grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Test unit written' "$log" || true
        rm -rf "$work" "$log"
        if [ "$status" -ne 0 ]; then
            echo "fuzz target $name failed (exit $status)"
            exit 1
        fi
    done
fi
echo "== desktop entry, AppStream data and the Debian package"
# desktop-file-validate fails on errors only; its warnings are printed, so any output fails.
report=$(desktop-file-validate resources/io.github.vellmora.Vellmora.desktop 2>&1) && [ -z "$report" ] ||
    { echo "$report"; exit 1; }
# --strict fails on warnings and hints too, not only on errors.
appstreamcli validate --no-net --strict resources/io.github.vellmora.Vellmora.metainfo.xml
deb=$(tools/package.sh)
echo "$deb: $(stat -c %s "$deb") bytes"
lintian --fail-on error --display-level '>=warning' "$deb"
# The installed tree: the AppStream data against the desktop entry and icons it names.
tree=$(mktemp -d)
dpkg-deb -x "$deb" "$tree"
appstreamcli validate-tree --no-net --strict "$tree"
rm -rf "$tree"
echo "All checks passed."
