#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Vellmora need.
# Skips apt-get entirely when everything is already present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    libgtest-dev
    clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev libgl-dev
    qt6-charts-dev libqt6opengl6-dev
    fonts-noto-cjk qt6-translations-l10n
    libsdl2-mixer-dev libfluidsynth3 fluid-soundfont-gm
    fluidsynth sox
    libebur128-dev
    file dpkg-dev lintian desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
