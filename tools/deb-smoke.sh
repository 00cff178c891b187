#!/usr/bin/env bash
# Installs the Debian package in the current folder (vellmora_*.deb) on a pristine Debian root and
# plays it as a new user would: run as root inside that root (see fresh-root.sh). apt-get must
# bring every library by itself; the simulator and a scripted window run must succeed as an
# ordinary user with an empty home; the settings and scores must land in that user's XDG folders
# and nothing may be written under /usr. Prints one line per failure; exits 1 on any.
# The window's scripted year wins no game, so the score file comes from a simulator game that
# wins (one computer company, easiest difficulty), ranked into the folder the window reads.
set -u
export DEBIAN_FRONTEND=noninteractive
failures=0
fail() {
    echo "deb-smoke: FAIL: $*"
    failures=$((failures + 1))
}
finish() {
    if [ "$failures" -gt 0 ]; then
        echo "deb-smoke: $failures check(s) failed"
        exit 1
    fi
    echo "deb-smoke: all checks passed"
    exit 0
}

[ "$(id -u)" -eq 0 ] || { echo "deb-smoke: must run as root"; exit 2; }
shopt -s nullglob
debs=(./vellmora_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "deb-smoke: want exactly one vellmora_*.deb here, found ${#debs[@]}"; exit 2; }
deb=${debs[0]}
echo "deb-smoke: package $deb, $(stat -c %s "$deb") bytes"

log=$(mktemp)
if ! apt-get update -qq >"$log" 2>&1; then
    fail "apt-get update: $(tail -1 "$log")"
fi
before=$(dpkg-query -W -f='.\n' | wc -l)
start=$(date +%s%N)
if ! apt-get install -y -qq --download-only "$deb" >"$log" 2>&1; then
    fail "apt-get install --download-only $deb: $(grep -E '^E:' "$log" | head -1)"
    finish
fi
fetched=$(date +%s%N)
if ! apt-get install -y -qq "$deb" >"$log" 2>&1; then
    fail "apt-get install $deb: $(grep -E '^E:' "$log" | head -1)"
    finish
fi
end=$(date +%s%N)
echo "deb-smoke: $(($(dpkg-query -W -f='.\n' | wc -l) - before)) packages installed;" \
    "download $(((fetched - start) / 1000000)) ms, install $(((end - fetched) / 1000000)) ms"
if ! dpkg-query -W -f='${Status}' vellmora 2>/dev/null | grep -q "install ok installed"; then
    fail "dpkg does not list vellmora as installed"
fi

for file in /usr/share/applications/io.github.vellmora.Vellmora.desktop \
    /usr/share/metainfo/io.github.vellmora.Vellmora.metainfo.xml \
    /usr/share/icons/hicolor/48x48/apps/io.github.vellmora.Vellmora.png \
    /usr/share/icons/hicolor/scalable/apps/io.github.vellmora.Vellmora.svg \
    /usr/share/man/man6/vellmora.6.gz /usr/share/man/man6/vellmora-sim.6.gz \
    /usr/share/doc/vellmora/copyright; do
    [ -s "$file" ] || fail "the package did not install $file"
done

user=player
home=/home/$user
useradd --no-create-home --home-dir "$home" --shell /bin/bash "$user" || fail "useradd $user"
mkdir -p "$home" && chown "$user:" "$home" && chmod 700 "$home"
[ -z "$(ls -A "$home")" ] || fail "$home is not empty before the runs"

# A login shell, as the user would start the game: PATH from /etc/profile, no XDG variables.
as_user() {
    runuser -l "$user" -c "$1"
}

stamp=$(mktemp)
sleep 1
touch "$stamp"

for command in vellmora vellmora-sim; do
    found=$(as_user "command -v $command")
    [ "$found" = "/usr/games/$command" ] || fail "$command is '$found' on the user's PATH, not /usr/games/$command"
done

for command in vellmora vellmora-sim; do
    version=$(as_user "$command --version" 2>&1)
    [[ "$version" =~ ^$command\ [0-9]+\.[0-9]+$ ]] || fail "$command --version printed '$version'"
done

if ! as_user "vellmora-sim --map hinode --months 12" >"$log" 2>&1; then
    fail "vellmora-sim --map hinode --months 12: $(tail -1 "$log")"
elif ! grep -q '^{' "$log"; then
    fail "vellmora-sim printed no result line"
fi

# XDG_DATA_HOME is unset: the window's score folder is ~/.local/share/vellmora/zrf/.
if ! as_user "vellmora-sim --map hinode --seed 1 --difficulty 4 --competitors 1 \
        --scores ~/.local/share/vellmora/zrf" >"$log" 2>&1; then
    fail "vellmora-sim --scores: $(tail -1 "$log")"
elif ! grep -q '"outcome": "victory"' "$log"; then
    fail "the simulator's game for the score file was not won"
fi

shots=$home/shots
if ! as_user "QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy vellmora --screenshots $shots" \
    >"$log" 2>&1; then
    fail "vellmora --screenshots: $(grep -v '^$' "$log" | tail -1)"
fi
for picture in title game statements score_table about; do
    [ -s "$shots/$picture.png" ] || fail "vellmora --screenshots wrote no $picture.png"
done

[ -s "$home/.config/vellmora/vellmora.ini" ] ||
    fail "no settings in $home/.config/vellmora/vellmora.ini"
scores=("$home"/.local/share/vellmora/zrf/*)
[ ${#scores[@]} -gt 0 ] || fail "no score file in $home/.local/share/vellmora/zrf/"
for name in "$home"/.* "$home"/*; do
    case "${name##*/}" in
        . | .. | .config | .local | shots) ;;
        *) fail "unexpected file in the home folder: $name" ;;
    esac
done

written=$(find /usr -newer "$stamp" 2>/dev/null | head -5)
[ -z "$written" ] || fail "written under /usr: $(echo "$written" | tr '\n' ' ')"
finish
