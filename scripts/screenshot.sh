#!/usr/bin/env bash
# Makes docs/screenshot.png: Vellum with a FILE_ID.DIZ loaded, under a private Xvfb. Builds the
# program first when needed, in VELLUM_BUILD_DIR (build/ by default, as scripts/run.sh does).
# "screenshot.sh dark" makes docs/screenshot-dark.png and docs/about-dark.png instead: the window
# and its About box on a desktop with a dark colour scheme, handed to Qt as a Plasma desktop does
# (dark-scheme.kdeglobals, read by Qt's own KDE theme).
set -euo pipefail
scheme=${1:-light}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELLUM_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh" test
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DVELLUM_TESTS=OFF >/dev/null
build_log=$(cmake --build "$build" --target vellum 2>&1) || { echo "$build_log" >&2; exit 1; }

source "$root/tests/support/xvfb.sh"
start_private_xvfb
work=$(mktemp -d)
vellum_pid=
cleanup() {
    [ -n "$vellum_pid" ] && kill "$vellum_pid" 2>/dev/null
    kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
if [ "$scheme" = dark ]; then
    export XDG_CONFIG_HOME=$work/config XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
    mkdir -p "$XDG_CONFIG_HOME"
    cp "$root/scripts/dark-scheme.kdeglobals" "$XDG_CONFIG_HOME/kdeglobals"
fi

# Ten lines of at most 45 characters, CR LF between them.
lines=(
    '============================================='
    '        RetroTour 2.1  -  Freeware'
    '============================================='
    'A guided walk through the text-mode demos of'
    'the nineties, with notes, screenshots and'
    'the full sources of every demo.'
    ''
    ' * 40 demos, each with its own notes'
    ' * Runs from any folder, no install'
    'Unpack with any ZIP tool and open INDEX.TXT.')
printf '%s\r\n' "${lines[@]:0:9}" >"$work/FILE_ID.DIZ"
printf '%s' "${lines[9]}" >>"$work/FILE_ID.DIZ"

"$build/vellum" "$work/FILE_ID.DIZ" &
vellum_pid=$!
wait_for_window 'FILE_ID.DIZ - Vellum'
window_of() {
    xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) \"$1\".*/\1/p" | head -n1
}
window=$(window_of 'FILE_ID.DIZ - Vellum')
sleep 1 # let the first paint finish
mkdir -p "$root/docs"
if [ "$scheme" != dark ]; then
    import -window "$window" "$root/docs/screenshot.png"
    echo "wrote $root/docs/screenshot.png"
    exit 0
fi
import -window "$window" "$root/docs/screenshot-dark.png"
xdotool windowfocus --sync "$window"
xdotool key --delay 50 alt+h a
wait_for_window 'About Vellum'
sleep 1
import -window "$(window_of 'About Vellum')" "$root/docs/about-dark.png"
echo "wrote $root/docs/screenshot-dark.png and $root/docs/about-dark.png"
