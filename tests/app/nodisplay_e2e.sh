#!/usr/bin/env bash
# Without a display, named or reachable, the real program says so in one line and ends with
# status 1: no abort, no core, none of the toolkit's advice.
set -euo pipefail
vellum=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
ulimit -c unlimited

# A display number with no server behind it.
number=99
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
done

expect_one_line() {
    local what=$1 status=0
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "$@" \
        "$vellum" FILE_ID.DIZ 2>stderr >stdout || status=$?
    if [ "$status" != 1 ] || [ "$(od -c stderr)" != "$(printf 'vellum: cannot open a display\n' | od -c)" ] ||
        [ -s stdout ] || [ "$(ls -A)" != "$(printf 'stderr\nstdout')" ]; then
        echo "$what: status $status, standard error:" >&2
        cat stderr >&2
        ls -A >&2
        exit 1
    fi
    echo "ok: $what: one line and status 1"
}

expect_one_line 'no display named'
expect_one_line "DISPLAY=:$number, where no server listens" DISPLAY=":$number"
