#!/usr/bin/env bash
# Starts the real program under a private X server with arguments that Qt would otherwise take
# for its own, with several arguments and with spaces, and checks which file each window shows.
set -euo pipefail
vellum=$1
source "$(dirname "$0")/../support/xvfb.sh"
start_private_xvfb

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; stop_private_xvfb; rm -rf "$work"' EXIT
cd "$work"
printf 'joined\r\n' >'-platform foo'
printf 'style\r\n' >'-style'
mkdir 'my folder'
printf 'spaced\r\n' >'my folder/FILE ID.DIZ'

check() {
    local expected=$1
    shift
    "$vellum" "$@" &
    local pid=$!
    wait_for_window "$expected"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "ok: $* -> $expected"
}

check '-platform foo - Vellum' -platform foo
check '-style - Vellum' -style
check 'FILE ID.DIZ - Vellum' 'my folder/FILE ID.DIZ'
check 'FILE ID.DIZ - Vellum' 'my' 'folder/FILE' 'ID.DIZ'
check 'Untitled - Vellum'
