#!/usr/bin/env bash
# Exit on a changed document, answered No, ends the program at once: the window's close request
# never asks a second time.
set -euo pipefail
vellum=$1
source "$(dirname "$0")/../support/xvfb.sh"
start_private_xvfb

"$vellum" &
pid=$!
trap 'kill $pid 2>/dev/null || true; stop_private_xvfb' EXIT
wait_for_window 'Untitled - Vellum'
window=$(xdotool search --name '^Untitled - Vellum$' | head -n1)
xdotool windowfocus --sync "$window"
xdotool type --delay 20 'abc'
xdotool key --delay 50 alt+f e
wait_for_window 'File Changed'
xdotool key --delay 50 alt+n

for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program still runs after Exit answered No" >&2
    xwininfo -root -tree >&2
    exit 1
fi
wait "$pid"
echo "ok: Exit answered No ended the program with one question"
