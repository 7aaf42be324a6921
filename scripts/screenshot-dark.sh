#!/usr/bin/env bash
# Makes docs/screenshot-dark.png and docs/about-dark.png: Vellum with a FILE_ID.DIZ loaded, and
# its About box, on a desktop with a dark colour scheme, under a private Xvfb. The scheme comes
# the way a Plasma desktop hands it to Qt programs: a kdeglobals file read by Qt's KDE theme.
# Builds the program first when needed, in VELLUM_BUILD_DIR (build/ by default).
set -euo pipefail
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
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME"
export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true
cat >"$XDG_CONFIG_HOME/kdeglobals" <<'SCHEME'
[Colors:Button]
BackgroundNormal=52,56,61
ForegroundNormal=235,236,238

[Colors:Selection]
BackgroundNormal=47,111,180
ForegroundNormal=255,255,255

[Colors:Tooltip]
BackgroundNormal=40,43,47
ForegroundNormal=235,236,238

[Colors:View]
BackgroundNormal=30,32,35
ForegroundNormal=235,236,238
ForegroundInactive=150,154,160
ForegroundLink=110,170,240
ForegroundVisited=170,140,230

[Colors:Window]
BackgroundNormal=45,48,52
ForegroundNormal=235,236,238
SCHEME

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

window_of() {
    xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) \"$1\".*/\1/p" | head -n1
}

"$build/vellum" "$work/FILE_ID.DIZ" &
vellum_pid=$!
wait_for_window 'FILE_ID.DIZ - Vellum'
sleep 1 # let the first paint finish
mkdir -p "$root/docs"
import -window "$(window_of 'FILE_ID.DIZ - Vellum')" "$root/docs/screenshot-dark.png"
xdotool windowfocus --sync "$(window_of 'FILE_ID.DIZ - Vellum')"
xdotool key --delay 50 alt+h a
wait_for_window 'About Vellum'
sleep 1
import -window "$(window_of 'About Vellum')" "$root/docs/about-dark.png"
echo "wrote $root/docs/screenshot-dark.png and $root/docs/about-dark.png"
