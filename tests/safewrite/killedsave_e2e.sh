#!/usr/bin/env bash
# A save killed part way leaves the folder as it was: the document alone, every old byte of it. The
# real program saves a 50 MiB document, and then saves it as a new file; each time it is frozen
# while the file it writes is still open, which proves the save under way, and then killed.
set -euo pipefail
vellum=$1
source "$(dirname "$0")/../support/xvfb.sh"
# The program's own dialog for Save As, also on a desktop whose session bus offers a portal.
unset DBUS_SESSION_BUS_ADDRESS
start_private_xvfb

work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null || true; stop_private_xvfb; rm -rf "$work"' EXIT
folder=$work/folder
document=$folder/FILE_ID.DIZ
mkdir "$folder"
yes 'a line of the document' | head -c $((50 << 20)) >"$work/old" || true
cp "$work/old" "$document"

# Starts the program on the document and waits until its window is ready: the program's only one,
# the load's progress window gone.
start_program() {
    "$vellum" "$document" &
    pid=$!
    for _ in $(seq 1200); do
        window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null) || true
        [[ $window =~ ^[0-9]+$ ]] &&
            [ "$(xdotool getwindowname "$window" 2>/dev/null)" = 'FILE_ID.DIZ - Vellum' ] && break
        sleep 0.1
    done
    xdotool windowfocus --sync "$window"
}

# The program's descriptors of files in the folder besides the document: the file it writes.
written() { find "/proc/$pid/fd" -lname "$folder/*" ! -lname "$document" 2>/dev/null || true; }

# Runs the save command given until the program is caught writing, and kills it there. A save that
# ends before the program is frozen is let finish, what it made is removed, and the command is
# given again.
kill_during() {
    for _ in 1 2 3 4 5; do
        "$@"
        for _ in $(seq 2000); do
            [ -n "$(written)" ] && break
        done
        kill -STOP "$pid"
        # A write under way ends before the stop takes effect.
        until [[ $(cut -d' ' -f3 "/proc/$pid/stat") == T ]]; do sleep 0.01; done
        [ -n "$(written)" ] && break
        kill -CONT "$pid"
        while [ -n "$(written)" ]; do sleep 0.1; done
        find "$folder" -mindepth 1 ! -path "$document" -delete
    done
    local file
    file=$(written)
    [ -n "$file" ] || { echo "no save was caught under way" >&2; exit 1; }
    echo "killing the program with $(stat -L -c %s "$file") bytes written ($*)"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    [ "$(ls -A "$folder")" = FILE_ID.DIZ ] || { echo "left: $(ls -A "$folder")" >&2; exit 1; }
    cmp "$document" "$work/old"
}

# An unchanged document is saved all the same.
start_program
kill_during xdotool key ctrl+s
echo "ok: a save killed part way leaves the document alone, whole"

save_as_new() {
    xdotool key --delay 50 alt+f a
    wait_for_window 'Save DIZ as..'
    xdotool type --delay 20 'new'
    xdotool key Return
}
start_program
kill_during save_as_new
echo "ok: a save as a new file killed part way leaves no part of it"
