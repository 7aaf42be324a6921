#!/usr/bin/env bash
# The About box, the message boxes and the file dialog come up centred over their owner's client
# area, as the X server places them: once on a bare server and once under a window manager
# (openbox), which adds frames the program cannot know before they are there. Measured with
# xwininfo, client area against whole client area, the main window's menu bar included, as Qt
# centres its own dialogs.
set -euo pipefail
vellum=$1
source "$(dirname "$0")/../support/xvfb.sh"
# The program's own dialog, also on a desktop whose session bus offers a portal.
unset DBUS_SESSION_BUS_ADDRESS

# Prints "x y width height" of the named window's client area.
geometry_of() {
    xwininfo -name "$1" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

# Prints the centre's offset "dx dy" of a box from its owner, both given as "x y width height".
offset() {
    read -r ox oy ow oh <<<"$1"
    read -r bx by bw bh <<<"$2"
    echo $((2 * bx + bw - 2 * ox - ow)) $((2 * by + bh - 2 * oy - oh)) | awk '{print $1 / 2, $2 / 2}'
}

# Waits until the box stands centred over its owner, within a pixel, and fails with the last
# offset seen when it does not within about ten seconds.
expect_centred() {
    local box=$1 owner=$2 seen
    wait_for_window "$box"
    for _ in $(seq 100); do
        seen=$(offset "$(geometry_of "$owner")" "$(geometry_of "$box")")
        awk '{exit !($1 >= -1 && $1 <= 1 && $2 >= -1 && $2 <= 1)}' <<<"$seen" && {
            echo "ok ($desktop): \"$box\" centred over \"$owner\" (offset $seen)"
            return 0
        }
        sleep 0.1
    done
    echo "FAIL ($desktop): \"$box\" is off the centre of \"$owner\" by $seen" >&2
    exit 1
}

focus() {
    local window
    window=$(xdotool search --sync --name "^$1\$" | head -n1)
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
}

run_on() {
    desktop=$1
    start_private_xvfb
    WM_PID= pid=
    # An empty desktop: nothing is associated with web pages, so the link's launch fails with a
    # box owned by the About box.
    home=$(mktemp -d)
    trap 'kill $pid $WM_PID 2>/dev/null || true; stop_private_xvfb; rm -rf "$home"' EXIT
    export XDG_DATA_HOME=$home XDG_DATA_DIRS=$home XDG_CONFIG_HOME=$home XDG_CONFIG_DIRS=$home
    export XDG_RUNTIME_DIR=$home/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    if [ "$desktop" = openbox ]; then
        start_window_manager
    fi

    "$vellum" &
    pid=$!
    wait_for_window 'Untitled - Vellum'
    focus 'Untitled - Vellum'
    xdotool key --delay 50 alt+h a
    expect_centred 'About Vellum' 'Untitled - Vellum'

    # The link's failure box belongs to the About box.
    read -r ax ay _ _ <<<"$(geometry_of 'About Vellum')"
    xdotool mousemove --sync $((ax + 90)) $((ay + 192)) click 1
    expect_centred 'Address Access Error' 'About Vellum'
    focus 'Address Access Error'
    xdotool key Return
    focus 'About Vellum'
    xdotool key Return

    # Help > Content's failure box belongs to the main window.
    focus 'Untitled - Vellum'
    xdotool key F1
    expect_centred 'Address Access Error' 'Untitled - Vellum'
    focus 'Address Access Error'
    xdotool key Return

    # So does the file dialog.
    focus 'Untitled - Vellum'
    xdotool key ctrl+o
    expect_centred 'Open DIZ File' 'Untitled - Vellum'
}

(run_on bare)
(run_on openbox)
