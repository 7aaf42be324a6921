#!/usr/bin/env bash
# The own dialog in the real program, by keyboard, bare and under openbox: a name in a folder still
# to be made is returned by the save dialog, so the save reports the missing path (its box read
# over AT-SPI on a bus of the test's own); Documents, named as the desktop names it, is a place;
# and "~/" is the home folder.
set -euo pipefail
vellum=$1
source "$(dirname "$0")/../support/busnoportal.sh"
source "$(dirname "$0")/../support/xvfb.sh"
start_private_xvfb

home=$(mktemp -d)
pid= WM_PID=
trap 'kill $pid $WM_PID 2>/dev/null || true; stop_private_xvfb; rm -rf "$home" "$VELLUM_BUS_DIR"' EXIT
export HOME=$home XDG_RUNTIME_DIR=$home/runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME
mkdir -p "$home/.config" "$home/Papers" "$home/work" && mkdir -m 700 "$XDG_RUNTIME_DIR"
echo 'XDG_DOCUMENTS_DIR="$HOME/Papers"' >"$home/.config/user-dirs.dirs"
# The screen readers' bus gets this test's runtime folder, not one shared with tests side by side.
dbus-update-activation-environment XDG_RUNTIME_DIR DISPLAY HOME
dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
cd "$home/work"

# Without a window manager nothing gives the main window the focus back when a box closes; the
# dialogs and boxes take it themselves.
in_window() {
    wait_for_window "$1"
    [[ $1 != *Vellum ]] || xdotool windowfocus --sync "$(xdotool search --name "^$1\$" | head -n1)"
    xdotool "${@:2}"
}

session() {
    "$vellum" &
    pid=$!
    in_window 'Untitled - Vellum' key --delay 50 alt+f a
    in_window 'Save DIZ as..' type --delay 20 'release/FILE_ID.DIZ'
    xdotool key Return
    wait_for_window 'Problems'
    local box
    box=$(/usr/bin/python3 -c '
import time, pyatspi
for _ in range(200):
    for app in pyatspi.Registry.getDesktop(0):
        for window in (app or []) if app and app.name == "Vellum" else []:
            if window and window.name == "Problems":
                print([n.name for n in pyatspi.findAllDescendants(window, lambda n: n.name)])
                raise SystemExit
    time.sleep(0.1)')
    in_window 'Problems' key Return
    in_window 'Untitled - Vellum' key --delay 50 alt+f a
    # From the name box back over the list to the places: Home first, then Documents.
    in_window 'Save DIZ as..' key --delay 50 shift+Tab shift+Tab Home Down Return Tab Tab
    in_window 'Save DIZ as..' type --delay 20 'box'
    xdotool key Return
    in_window 'box.diz - Vellum' key --delay 50 alt+f a
    in_window 'Save DIZ as..' type --delay 20 '~/tilde'
    xdotool key Return
    in_window 'tilde.diz - Vellum' key --delay 50 alt+f e
    if [[ $box != *"'There was a problem while attempting to save the file. The problem is unknown: Error Code: 76'"* ]] ||
        [ -e release ] || [ ! -f ../Papers/box.diz ] || [ ! -f ../tilde.diz ]; then
        echo "$1: the box read $box; the home folder holds:" >&2
        find "$home" -name '*.diz' -o -name release >&2
        exit 1
    fi
    rm ../Papers/box.diz ../tilde.diz
    echo "ok ($1): the missing folder reported as error 76, Documents a place, ~/ at home"
}

session 'without a window manager'
start_window_manager
session 'under openbox'
