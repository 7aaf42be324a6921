# Sourced by test scripts that need a real X server: starts a private Xvfb on a free display,
# exports DISPLAY and stops the server when the script exits.
start_private_xvfb() {
    local display_file attempt lock_fd
    display_file=$(mktemp)
    # Servers started at the same moment by tests running side by side can take the same free
    # display (a server told to find one writes no lock file), and a program then cannot connect
    # to its test's server. Servers are therefore started one at a time.
    exec {lock_fd}>"${TMPDIR:-/tmp}/.vellum-xvfb-start.lock"
    flock "$lock_fd"
    for attempt in 1 2 3 4 5; do
        : >"$display_file"
        # Its output goes nowhere, so that no test runner waits on a server left behind. With
        # -noreset the server does not start over whenever its last client leaves.
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$display_file" \
            {lock_fd}>&- >/dev/null 2>&1 &
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
    flock -u "$lock_fd"
    exec {lock_fd}>&-
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

# Starts openbox and waits until it manages the screen; sets WM_PID. It finds its theme in the
# system's folders whatever the test's own desktop folders are (without one it exits at once), and
# a window manager that is not there fails the test instead of letting it pass on a bare server.
start_window_manager() {
    local check
    XDG_DATA_DIRS=/usr/local/share:/usr/share XDG_CONFIG_DIRS=/etc/xdg \
        openbox --sm-disable >/dev/null 2>&1 &
    WM_PID=$!
    for _ in $(seq 200); do
        check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) || true
        if [[ $check == *"window id # "* ]] && xwininfo -id "${check##* }" >/dev/null 2>&1 &&
            kill -0 "$WM_PID" 2>/dev/null; then
            return 0
        fi
        sleep 0.05
    done
    echo "the window manager did not start" >&2
    return 1
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
