#!/usr/bin/env bash
# Logging out of the desktop with unsaved changes, through a real session manager of the X
# session protocol: the File Changed question comes up; Cancel keeps the session and the text, No
# ends the program without saving, Yes saves first; an unchanged document ends without a question.
set -euo pipefail
vellum=$1
manager=$2/vellum_test_session_manager
source "$(dirname "$0")/../support/xvfb.sh"
start_private_xvfb

work=$(mktemp -d)
# A program left stopped by type_then_logout gets its signal once it goes on.
cleanup() {
    kill $(jobs -p) 2>/dev/null || true
    kill -CONT $(jobs -p) 2>/dev/null || true
    stop_private_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
log=$work/session.log

# Waits until the named window is on the screen and gives it the keyboard, as a window manager
# would: keys typed while its name is known but before it is shown would be lost.
focus() {
    local windows
    windows=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$") ||
        { echo "no window named \"$1\" on the screen" >&2; xwininfo -root -tree >&2; exit 1; }
    xdotool windowfocus --sync "${windows%%$'\n'*}"
}

# Starts a session manager and the program on a file inside its session.
start_session() {
    mkfifo "$work/to" "$work/from"
    "$manager" <"$work/to" >"$work/from" &
    exec 5>"$work/to" 6<"$work/from"
    rm "$work/to" "$work/from"
    local line
    read -r -t 10 line <&6
    SESSION_MANAGER=${line#SESSION_MANAGER=} "$vellum" "$1" &
    program=$!
    : >"$log"
    expect registered
    focus "$(basename "$1") - Vellum"
}

# Reads the session manager's lines until the wanted one; fails after 10 quiet seconds.
expect() {
    local line
    while read -r -t 10 line <&6; do
        echo "$line" >>"$log"
        [ "$line" = "$1" ] && return 0
    done
    echo "the session manager never said \"$1\"; it said:" >&2
    cat "$log" >&2
    exit 1
}

# Types into the stopped program, then logs out: the keys and the session manager's request wait
# side by side, as they do when the program is busy, and the keys must still count as changes.
type_then_logout() {
    kill -STOP "$program"
    xdotool type --delay 20 "$1"
    echo logout >&5
    expect save-yourself
    kill -CONT "$program"
}

ends() {
    for _ in $(seq 100); do
        kill -0 "$program" 2>/dev/null || return 0
        sleep 0.05
    done
    echo "the program still runs after the session ended" >&2
    exit 1
}

printf 'old' >"$work/a.diz"
start_session "$work/a.diz"
type_then_logout X
focus 'File Changed'
xdotool key --delay 50 Escape
expect 'interact-done cancel=1'
expect 'shutdown-cancelled'
kill -0 "$program"
[ "$(cat "$work/a.diz")" = old ]
echo "ok: Cancel keeps the program, its text and the session"

echo logout >&5
focus 'File Changed'
xdotool key --delay 50 alt+n
expect 'interact-done cancel=0'
expect die
ends
[ "$(cat "$work/a.diz")" = old ]
echo "ok: No ends the program without saving"

printf 'old' >"$work/b.diz"
start_session "$work/b.diz"
type_then_logout Y
focus 'File Changed'
xdotool key --delay 50 alt+y
expect 'interact-done cancel=0'
expect die
ends
[ "$(cat "$work/b.diz")" = Yold ]
echo "ok: Yes saves, then the program ends"

printf 'old' >"$work/c.diz"
start_session "$work/c.diz"
echo logout >&5
expect die
ends
if grep -q interact "$log"; then
    echo "an unchanged document asked: $(cat "$log")" >&2
    exit 1
fi
echo "ok: an unchanged document ends without a question"
