#!/usr/bin/env bash
# File names as old archives leave them: bytes that are not UTF-8, a byte-order mark before a name
# that is also there without it, and a "[*]" that Qt would read as a mark. The real program opens
# each from its command line, shows its name in the title the window system sees, and saves back
# under the very same bytes, leaving nothing else behind.
set -euo pipefail
vellum=$1
source "$(dirname "$0")/../support/xvfb.sh"
# The program's own dialog, also on a desktop whose session bus offers a portal.
unset DBUS_SESSION_BUS_ADDRESS
start_private_xvfb

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; stop_private_xvfb; rm -rf "$work"' EXIT
cd "$work"
latin=$'caf\xe9.diz'
printf 'latin\r\n' >"$latin"
printf 'mark\n' >'x[*].diz'
marked=$'\xef\xbb\xbfFILE_ID.DIZ'
printf 'marked\n' >"$marked"
printf 'plain\n' >FILE_ID.DIZ

window_of() {
    local pid=$1 window
    for _ in $(seq 200); do
        window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1) || true
        [ -n "$window" ] && echo "$window" && return 0
        sleep 0.05
    done
    echo "no window for process $pid" >&2
    return 1
}

check() {
    local file=$1 title=$2 expected=$3
    "$vellum" "$file" &
    local pid=$! window shown
    window=$(window_of "$pid")
    shown=$(xdotool getwindowname "$window")
    if [ "$shown" != "$title" ]; then
        echo "title of $(printf %q "$file"): $(printf %q "$shown"), not $(printf %q "$title")" >&2
        exit 1
    fi
    xdotool windowfocus --sync "$window"
    xdotool key --delay 30 ctrl+End
    xdotool type --delay 30 'Z'
    xdotool key --delay 30 ctrl+s
    for _ in $(seq 100); do
        [ "$(cat "$file")" = "$expected" ] && break
        sleep 0.05
    done
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    if [ "$(cat "$file")" != "$expected" ]; then
        echo "$(printf %q "$file") holds $(od -c "$file")" >&2
        exit 1
    fi
    echo "ok: $(printf %q "$file") shown as $(printf %q "$shown") and saved in place"
}

check "$latin" $'caf\xef\xbf\xbd.diz - Vellum' $'latin\r\nZ'
check 'x[*].diz' 'x[*].diz - Vellum' $'mark\nZ'
check "$marked" "$marked - Vellum" $'marked\nZ'
if [ "$(cat FILE_ID.DIZ)" != plain ]; then
    echo "FILE_ID.DIZ was written: $(od -c FILE_ID.DIZ)" >&2
    exit 1
fi
listing=$(LC_ALL=C ls -A | od -c)
expected=$(printf '%s\n' "$latin" 'x[*].diz' "$marked" FILE_ID.DIZ | LC_ALL=C sort | od -c)
if [ "$listing" != "$expected" ]; then
    echo "the folder holds other files: $(ls -A | od -c)" >&2
    exit 1
fi
echo "ok: nothing but the four documents in the folder, FILE_ID.DIZ as it was"
