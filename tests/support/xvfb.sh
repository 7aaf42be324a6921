# Sourced by test scripts that need a real X server: starts a private Xvfb on a free display,
# exports DISPLAY and stops the server when the script exits.
start_private_xvfb() {
    local display_file attempt
    display_file=$(mktemp)
    # Servers started at the same moment by tests running side by side can pick the same free
    # display, and the loser exits: start again until one is up and stays up.
    for attempt in 1 2 3 4 5; do
        : >"$display_file"
        # Its output goes nowhere, so that no test runner waits on a server left behind.
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 400); do
            [ -s "$display_file" ] && break
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        if [ -s "$display_file" ]; then
            export DISPLAY=":$(head -n1 "$display_file")"
            sleep 0.2
            if kill -0 "$XVFB_PID" 2>/dev/null && xwininfo -root >/dev/null 2>&1; then
                break
            fi
        fi
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        unset DISPLAY
    done
    rm -f "$display_file"
    if [ -z "${DISPLAY:-}" ]; then
        echo "no private X server could be started" >&2
        return 1
    fi
    trap stop_private_xvfb EXIT
    unset QT_QPA_PLATFORM
}

# A script that sets its own EXIT trap calls this from it.
stop_private_xvfb() {
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
}

# Waits until a top-level window with exactly this name exists; fails after about 10 seconds.
wait_for_window() {
    local name=$1 tree
    for _ in $(seq 200); do
        # Read whole first: grep -q stops reading at the first match, and under pipefail the
        # listing cut short would count as a failure.
        tree=$(xwininfo -root -tree 2>/dev/null) || true
        grep -Fq "\"$name\"" <<<"$tree" && return 0
        sleep 0.05
    done
    echo "no window named \"$name\"" >&2
    xwininfo -root -tree >&2
    return 1
}
