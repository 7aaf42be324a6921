#!/usr/bin/env bash
# A file dragged from another program and dropped on the text through the X server's own drag and
# drop: the real program asks about its unsaved changes first (answered No here), then opens the
# first of the dropped files as File > Open would, instead of inserting its address as text.
set -euo pipefail
vellum=$1
source_program=$2/vellum_test_drag_source
source "$(dirname "$0")/../support/xvfb.sh"
start_private_xvfb

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; stop_private_xvfb; rm -rf "$work"' EXIT
printf 'dropped\r\n' >"$work/first.diz"
printf 'other\r\n' >"$work/second.diz"

# Windows mapped while the window manager is still starting may never be taken in.
start_window_manager
"$vellum" &
wait_for_window 'Untitled - Vellum'
window=$(xdotool search --name '^Untitled - Vellum$' | head -n1)
xdotool windowactivate --sync "$window"
xdotool type --delay 20 'typed'
"$source_program" "$work/first.diz" "$work/second.diz" >"$work/source.log" &
wait_for_window 'Drag source'
source_window=$(xdotool search --name '^Drag source$' | head -n1)
xdotool windowmove --sync "$source_window" 700 500

# Press on the source, move over the text area in steps, as a hand would, and let go there.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync 740 540 mousedown 1
for _ in $(seq 200); do
    grep -q dragging "$work/source.log" && break
    sleep 0.05
done
grep -q dragging "$work/source.log" || { echo "the drag never began" >&2; exit 1; }
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove --sync $((740 - step * (740 - X - 200) / 8)) $((540 - step * (540 - Y - 200) / 8))
    sleep 0.05
done
xdotool mouseup 1

wait_for_window 'File Changed'
xdotool key --delay 50 alt+n
wait_for_window 'first.diz - Vellum'
echo "ok: the dropped file opened after the question, as File > Open opens it"
