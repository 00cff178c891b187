#!/usr/bin/env bash
# Meets the project the way a new user does, on a pristine Debian 12 (minbase) root made by
# fresh-root.sh, in a clean clone of this repository's HEAD:
#   1. ./run.sh with no display: installs the packages, builds the release program folder and
#      plays a headless game with the simulator;
#   2. ./run.sh --screenshots: the window's screens under Qt's offscreen platform;
#   3. tools/package.sh builds the .deb, which is then installed with apt-get on a second pristine
#      root and played there by an ordinary user (tools/deb-smoke.sh).
# Any failure fails the check; so does a root that cannot be made (no debootstrap, no mirror).
# Needs root. The compiler cache of this machine is shared with the roots, and the pristine root's
# tarball is kept in FRESH_ROOT_CACHE (default /var/cache/fresh-root) so later runs only unpack it.
#
#   tools/fresh-root-check.sh [--fresh-root PATH]   (default: ../shared/fresh-root.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD
fresh_root=../shared/fresh-root.sh
if [ "${1:-}" = "--fresh-root" ]; then
    fresh_root=$2
fi
[ -f "$fresh_root" ] || { echo "fresh-root check: $fresh_root is missing"; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "fresh-root check: needs root"; exit 1; }
ccache_dir=${CCACHE_DIR:-$HOME/.cache/ccache}
mkdir -p "$ccache_dir"

seconds() { date +%s; }
started=$(seconds)

# Runs fresh-root.sh and turns its "root could not be made" status into one clear line.
in_fresh_root() {
    local status=0
    bash "$fresh_root" "$@" || status=$?
    if [ "$status" -eq 3 ]; then
        echo "fresh-root check: FAILED: the pristine root could not be made (debootstrap or the package mirror is unreachable)"
    fi
    return "$status"
}

work=$(mktemp -d /tmp/fresh-root-check.XXXXXX)
deb_repo=$(mktemp -d /tmp/fresh-root-deb.XXXXXX)
trap 'rm -rf "$work" "$deb_repo"' EXIT

# The compiler is the same package on this machine and in the root, but installed at another time,
# so the cache compares compilers by content.
inner='export CCACHE_COMPILERCHECK=content CCACHE_MAXSIZE=20G
set -e
t0=$(date +%s)
./run.sh
t1=$(date +%s)
./run.sh --screenshots /tmp/screens
count=$(ls /tmp/screens/*.png | wc -l)
echo "fresh-root check: $count screenshots"
[ "$count" -ge 20 ]
t2=$(date +%s)
tools/package.sh
t3=$(date +%s)
echo "fresh-root check: run.sh $((t1 - t0)) s, screenshots $((t2 - t1)) s, package $((t3 - t2)) s"'

echo "== fresh root: ./run.sh, screenshots and the package"
in_fresh_root --work "$work" --keep --ccache "$ccache_dir" -- bash -c "$inner" || {
    echo "fresh-root check: FAILED in the pristine root (see above)"
    exit 1
}
built=$(seconds)

shopt -s nullglob
debs=("$work"/root/root/project/build/package/vellmora_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "fresh-root check: FAILED: expected one .deb in build/package, found ${#debs[@]}"; exit 1; }
ls -l "${debs[0]}"
# fresh-root.sh clones a repository into the root: hand it the package and its smoke test that way.
cp "${debs[0]}" "$project/tools/deb-smoke.sh" "$deb_repo/"
git -C "$deb_repo" init -q
git -C "$deb_repo" add -A
git -C "$deb_repo" -c user.name=check -c user.email=check@localhost commit -qm package
rm -rf "$work"

echo "== fresh root: apt-get install ./vellmora_*.deb and play it as an ordinary user"
in_fresh_root --repo "$deb_repo" -- bash deb-smoke.sh || {
    echo "fresh-root check: FAILED installing or playing the package in a pristine root"
    exit 1
}
finished=$(seconds)
echo "fresh-root check: passed (build stage $((built - started)) s, package stage $((finished - built)) s)"
