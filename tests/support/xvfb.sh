# Sourced by test scripts that need a real X server: starts a private Xvfb on a free display,
# exports DISPLAY and stops the server when the script exits.
start_private_xvfb() {
    local display_file
    display_file=$(mktemp)
    # Its output goes nowhere, so that no test runner waits on a server left behind.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    trap stop_private_xvfb EXIT
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$display_file")"
    rm -f "$display_file"
    unset QT_QPA_PLATFORM
}

# A script that sets its own EXIT trap calls this from it.
stop_private_xvfb() {
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
}

# Waits until a top-level window with exactly this name exists; fails after about 10 seconds.
wait_for_window() {
    local name=$1
    for _ in $(seq 200); do
        xwininfo -root -tree 2>/dev/null | grep -Fq "\"$name\"" && return 0
        sleep 0.05
    done
    echo "no window named \"$name\"" >&2
    xwininfo -root -tree >&2
    return 1
}
