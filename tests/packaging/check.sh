#!/usr/bin/env bash
# Installs a built stompvale package as a player would, starts the game from
# the desktop entry's Exec line under Xvfb as an ordinary user with a scratch
# home, sees the history appear in the user's data folder, then removes and
# purges the package and checks that nothing it installed is left. The desktop
# entry and the AppStream metadata are validated on the way. Needs root
# (dpkg), xvfb, xdotool, desktop-file-utils and appstream.
#
# A stompvale installed before is removed first, so that the package's files
# are seen to come and go, and this package is installed again at the end.
#
#   bash tests/packaging/check.sh stompvale_VERSION_ARCH.deb
set -euo pipefail
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: bash tests/packaging/check.sh PACKAGE.deb" >&2
    exit 2
fi
deb="$(realpath "$1")"
if [ "$(id -u)" -ne 0 ]; then
    echo "check.sh: installing a package needs root" >&2
    exit 1
fi
package="$(dpkg-deb --field "$deb" Package)"
version="$(dpkg-deb --field "$deb" Version)"
player=65534 # nobody: root could write beside the game, a player cannot
failures=0

say() { echo "== $*"; }
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
installed_version() {
    { dpkg-query -W -f='${Status} ${Version}' "$package" 2>/dev/null || true; } |
        sed -n 's/^install ok installed //p'
}
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -y -q --no-install-recommends "$@" >>"$scratch/apt.log" 2>&1
}

scratch="$(mktemp -d)"
xvfb=""
game=""
installed=0
# A check that stops half-way leaves no package behind either.
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    [ "$installed" = 1 ] && dpkg --purge "$package" >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT

before="$(installed_version)"
if [ -n "$before" ]; then
    say "$package $before was installed: removed for the check, this build comes back after"
    dpkg --purge "$package" >>"$scratch/apt.log" 2>&1
fi

# The package's own view of its files, and what is there before it.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' | grep -v '^$' |
    sort >"$scratch/listed"
while read -r path; do
    if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi
done <"$scratch/listed" >"$scratch/there-before"
if grep -q '^/usr/games/Stompvale' "$scratch/there-before"; then
    fail "a game is in /usr/games before the package is installed"
fi

say "extracted: desktop-file-validate and appstreamcli validate-tree"
mkdir "$scratch/tree"
dpkg-deb --extract "$deb" "$scratch/tree"
entry="$(find "$scratch/tree/usr/share/applications" -name '*.desktop' | head -n 1)"
desktop-file-validate "$entry" || fail "desktop-file-validate $(basename "$entry")"
appstreamcli validate-tree --no-net --pedantic "$scratch/tree" ||
    fail "appstreamcli validate-tree"

say "apt-get install ./$(basename "$deb")"
if ! apt_get install "$deb"; then
    cat "$scratch/apt.log" >&2
    echo "check.sh: the package did not install" >&2
    installed=1
    exit 1
fi
installed=1
[ "$(installed_version)" = "$version" ] || fail "dpkg says $(installed_version), not $version"

say "every file dpkg -L lists is there"
dpkg -L "$package" | sort >"$scratch/dpkg-L"
missing=0
while read -r path; do
    if [ ! -e "$path" ] && [ ! -L "$path" ]; then
        fail "listed but missing: $path"
        missing=$((missing + 1))
    fi
done <"$scratch/dpkg-L"
echo "$(wc -l <"$scratch/dpkg-L") paths listed, $missing missing"
for path in /usr/games/Stompvale_v1.6_1024x768 /usr/games/Stompvale_v1.6_FullScreen \
    /usr/bin/stompvale-monster-check /usr/share/stompvale/Monsters /usr/share/stompvale/images \
    /usr/share/applications/stompvale.desktop /usr/share/man/man6/stompvale.6.gz \
    /usr/share/icons/hicolor/48x48/apps/stompvale.png; do
    grep -qxF "$path" "$scratch/dpkg-L" || fail "the package does not hold $path"
done
ls /usr/share/metainfo/*.metainfo.xml >/dev/null 2>&1 || fail "no AppStream metadata installed"
for metainfo in /usr/share/metainfo/*.metainfo.xml; do
    grep -qxF "$metainfo" "$scratch/dpkg-L" || continue
    appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate $metainfo"
done
desktop-file-validate /usr/share/applications/stompvale.desktop ||
    fail "desktop-file-validate of the installed entry"

say "the desktop entry's Exec line, as an ordinary user with a scratch home"
# Exec's quoting is the shell's double quotes; field codes are dropped.
exec_line="$(sed -n 's/^Exec=//p' /usr/share/applications/stompvale.desktop | head -n 1)"
eval "command=($exec_line)"
arguments=()
for word in "${command[@]}"; do
    [[ "$word" =~ ^%[a-zA-Z]$ ]] || arguments+=("$word")
done
echo "Exec: ${arguments[*]}"
home="$scratch/home"
mkdir "$home"
chown "$player:$player" "$home"
chmod 755 "$scratch"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
display=":$(cat "$scratch/display")"
env -i PATH=/usr/bin:/bin:/usr/games HOME="$home" DISPLAY="$display" \
    setpriv --reuid="$player" --regid="$player" --clear-groups \
    "${arguments[@]}" >"$scratch/game.log" 2>&1 &
game=$!
window="$(DISPLAY="$display" timeout 30 xdotool search --sync --all --pid "$game" --name Gloamward |
    head -n 1 || true)"
if [ -z "$window" ]; then
    fail "the game opened no window within 30 s"
    cat "$scratch/game.log" >&2
else
    echo "window $window on $display"
    if [ -n "${STOMPVALE_PACKAGE_SHOT:-}" ]; then # a picture of it, to look at
        sleep 2
        DISPLAY="$display" import -window root "$STOMPVALE_PACKAGE_SHOT"
    fi
fi
# Escape, held a moment as a player would, until the game has ended (the first
# may come before the game reads keys).
status=0
for _ in $(seq 20); do
    kill -0 "$game" 2>/dev/null || break
    if [ -n "$window" ]; then
        DISPLAY="$display" xdotool windowfocus "$window" keydown Escape sleep 0.1 keyup Escape \
            2>/dev/null || true
    fi
    sleep 0.5
done
if kill -0 "$game" 2>/dev/null; then
    fail "the game did not end after Escape"
    kill "$game"
fi
wait "$game" || status=$?
game=""
[ "$status" = 0 ] || fail "the game ended with status $status: $(cat "$scratch/game.log")"
history="$home/.local/share/stompvale/History.ini"
if [ -s "$history" ]; then
    echo "history: ${history#"$home"/} ($(wc -l <"$history") monsters)"
else
    fail "no history in the player's data folder (${history#"$home"/})"
fi
[ ! -e /usr/games/History.ini ] || fail "the game wrote a history beside itself in /usr/games"

say "apt-get remove, dpkg --purge: nothing listed is left"
apt_get remove "$package" || fail "apt-get remove $package"
dpkg --purge "$package" >>"$scratch/apt.log" 2>&1 || fail "dpkg --purge $package"
installed=0
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -qv 'not-installed'; then
    fail "dpkg still knows $package: $(dpkg-query -W -f='${Status}' "$package")"
fi
left=0
while read -r path; do
    grep -qxF "$path" "$scratch/there-before" && continue
    if [ -e "$path" ] || [ -L "$path" ]; then
        fail "left behind: $path"
        left=$((left + 1))
    fi
done < <(sort -u "$scratch/listed" "$scratch/dpkg-L")
ls /var/lib/dpkg/info/"$package".* >/dev/null 2>&1 && fail "dpkg's records of $package remain"
echo "$left of the package's paths left behind; the player's history stays: $([ -s "$history" ] && echo yes || echo no)"
[ -s "$history" ] || fail "removing the package took the player's history"

if [ -n "$before" ]; then
    say "installing this build again in place of $before"
    apt_get install "$deb" || fail "this build did not install again"
fi

if [ "$failures" -ne 0 ]; then
    echo "Package check: $failures failures" >&2
    exit 1
fi
say "package check of $(basename "$deb") passed"
