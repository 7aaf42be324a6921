#!/usr/bin/env bash
# One Open and Save As session in the real program, by keyboard alone, on a fresh home folder:
# the open dialog starts in the document's folder, not the working folder; a file whose name is
# not UTF-8 is listed and opened; its copy is saved; Ctrl+H shows a hidden folder to open a file
# from; the dialog comes back at the size it was left; and nothing but the copy appears under home.
set -euo pipefail
vellum=$1
source "$(dirname "$0")/../support/xvfb.sh"
# The program's own dialog, also on a desktop whose session bus offers a portal.
unset DBUS_SESSION_BUS_ADDRESS
start_private_xvfb

home=$(mktemp -d)
listings=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; stop_private_xvfb; rm -rf "$home" "$listings"' EXIT
pid=
export HOME=$home
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME
mkdir -p "$home/docs/sub" "$home/docs/.hidden"
printf 'inner' >"$home/docs/.hidden/inner.diz"
printf 'readme' >"$home/docs/README"
printf 'caf\351 text' >"$home/docs/$(printf 'caf\351.diz')"
cd "$home"
find . | sort >"$listings/before"

# Without a window manager nothing gives the main window the focus back when a dialog closes.
focus_main_window() {
    wait_for_window "$1"
    xdotool windowfocus --sync "$(xdotool search --name "^$1\$" | head -n1)"
}

"$vellum" docs/README &
pid=$!
focus_main_window 'README - Vellum'
xdotool key --delay 50 ctrl+o
wait_for_window 'Open DIZ File'
# From the name box back to the list, where the folder "sub" comes before the file.
xdotool key --delay 50 shift+Tab Down Down Return
opened="$(printf 'caf\357\277\275.diz') - Vellum"
focus_main_window "$opened"
xdotool key --delay 50 alt+f a
wait_for_window 'Save DIZ as..'
xdotool type --delay 20 'copy'
xdotool key --delay 50 Return
focus_main_window 'copy.diz - Vellum'
xdotool key --delay 50 ctrl+o
wait_for_window 'Open DIZ File'
xdotool windowsize --sync "$(xdotool search --name '^Open DIZ File$' | head -n1)" 701 502
# The hidden folder comes first once shown; Home in the list goes to the first item.
xdotool key --delay 50 ctrl+h shift+Tab Home Return Home Return
focus_main_window 'inner.diz - Vellum'
xdotool key --delay 50 ctrl+o
wait_for_window 'Open DIZ File'
size=$(xdotool getwindowgeometry "$(xdotool search --name '^Open DIZ File$' | head -n1)" |
    sed -n 's/ *Geometry: //p')
if [ "$size" != 701x502 ]; then
    echo "the dialog came back at $size, not at the 701x502 it was left at" >&2
    exit 1
fi
xdotool key --delay 50 Escape
focus_main_window 'inner.diz - Vellum'
xdotool key --delay 50 alt+f e
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program did not end on Exit: a dialog or box is still open" >&2
    xwininfo -root -tree >&2
    exit 1
fi

if ! printf 'caf\351 text' | cmp -s - docs/copy.diz; then
    echo "docs/copy.diz does not hold the text of the file opened from the list" >&2
    exit 1
fi
find . | sort >"$listings/after"
if ! diff <(printf './docs/copy.diz\n') <(comm -13 "$listings/before" "$listings/after"); then
    echo "the session left files under home besides the saved copy (lines with >)" >&2
    exit 1
fi
echo "ok: opened a name that is not UTF-8 from the document's folder, saved only the copy"
