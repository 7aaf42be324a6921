#!/usr/bin/env bash
# A save killed part way leaves the folder as it was: the document alone, every old byte of it. The
# real program saves a 50 MiB document; it is frozen while its copy of the document is still open,
# which proves the save under way, and then killed.
set -euo pipefail
vellum=$1
source "$(dirname "$0")/../support/xvfb.sh"
start_private_xvfb

work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null || true; stop_private_xvfb; rm -rf "$work"' EXIT
folder=$work/folder
document=$folder/FILE_ID.DIZ
mkdir "$folder"
yes 'a line of the document' | head -c $((50 << 20)) >"$work/old" || true
cp "$work/old" "$document"

"$vellum" "$document" &
pid=$!
# The window is ready once it is the program's only one, the load's progress window gone.
for _ in $(seq 1200); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null) || true
    [[ $window =~ ^[0-9]+$ ]] &&
        [ "$(xdotool getwindowname "$window" 2>/dev/null)" = 'FILE_ID.DIZ - Vellum' ] && break
    sleep 0.1
done
xdotool windowfocus --sync "$window"

# The program's descriptors of files in the folder besides the document: its copy of it.
copies() { find "/proc/$pid/fd" -lname "$folder/*" ! -lname "$document" 2>/dev/null || true; }

# An unchanged document is saved all the same; a save that ends before the program is frozen is
# let finish, and another one started.
for _ in 1 2 3 4 5; do
    xdotool key ctrl+s
    for _ in $(seq 2000); do
        [ -n "$(copies)" ] && break
    done
    kill -STOP "$pid"
    # A write under way ends before the stop takes effect.
    until [[ $(cut -d' ' -f3 "/proc/$pid/stat") == T ]]; do sleep 0.01; done
    [ -n "$(copies)" ] && break
    kill -CONT "$pid"
    while [ -n "$(copies)" ]; do sleep 0.1; done
done
copy=$(copies)
[ -n "$copy" ] || { echo "no save was caught under way" >&2; exit 1; }
echo "killing the program with $(stat -L -c %s "$copy") bytes of the copy written"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true

[ "$(ls -A "$folder")" = FILE_ID.DIZ ] || { echo "left: $(ls -A "$folder")" >&2; exit 1; }
cmp "$document" "$work/old"
echo "ok: the document alone is left, whole"
