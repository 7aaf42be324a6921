#!/usr/bin/env bash
# The desktop's own file chooser, reached through the XDG desktop portal with GTK's backend in a
# D-Bus session of the test's own, driven by keys: Save names an untitled document (the default
# extension added), Save As replaces an existing file after GTK's question, a name that the
# extension turns into an existing one brings the program's own question, and a file whose name
# is not UTF-8 is opened and saved in place; every chooser cancelled changes nothing. Without a
# portal on the bus the own dialog comes up at once. Lists what the desktop wrote on its own.
set -euo pipefail
vellum=$1
if [ -z "${VELLUM_OWN_BUS:-}" ]; then
    exec env VELLUM_OWN_BUS=1 dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/../support/xvfb.sh"
start_private_xvfb

top=$(mktemp -d)
pid=
bare_bus=
# The document portal, started with the portal, mounts its file system in the runtime folder.
trap 'kill $pid $bare_bus 2>/dev/null || true; stop_private_xvfb
    fusermount3 -u -z "$top/runtime/doc" 2>/dev/null || true; rm -rf "$top"' EXIT
export HOME=$top/home XDG_RUNTIME_DIR=$top/runtime
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache \
    XDG_STATE_HOME=$HOME/.local/state
# The portal picks the backend whose UseIn names the desktop: gtk.portal says gnome. GLib shows
# and takes names in Latin-1, as on a desktop whose old files are named so.
export XDG_CURRENT_DESKTOP=GNOME NO_AT_BRIDGE=1 G_FILENAME_ENCODING=ISO-8859-1
mkdir -p "$HOME/docs"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The bus starts the portal and its backend with the environment it is given here.
dbus-update-activation-environment DISPLAY HOME XDG_RUNTIME_DIR XDG_CONFIG_HOME XDG_DATA_HOME \
    XDG_CACHE_HOME XDG_STATE_HOME XDG_CURRENT_DESKTOP NO_AT_BRIDGE G_FILENAME_ENCODING
docs=$HOME/docs
latin=$(printf 'caf\351.diz')
printf 'caf\351 text' >"$docs/$latin"
printf 'old' >"$docs/old.diz"
cd "$HOME"
listing() { find "$HOME" "$XDG_RUNTIME_DIR" | sed "s|^$top/||" | sort; }
listing >"$top/before"

# Waits for the visible window of this name and class and gives it the focus, as no window
# manager does here.
focus() {
    local candidate
    for _ in $(seq 200); do
        for candidate in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [[ $(xprop -id "$candidate" WM_CLASS 2>/dev/null) == *"\"$2\""* ]] || continue
            xdotool windowfocus --sync "$candidate"
            window=$candidate
            return 0
        done
        sleep 0.05
    done
    echo "no window \"$1\" of $2" >&2
    xwininfo -root -tree >&2
    exit 1
}
# The program takes no input while the desktop's chooser is open, and learns of its closing over
# D-Bus a moment after its window has gone.
asked=
chooser() {
    focus "$1" xdg-desktop-portal-gtk
    asked=$window
}
program() {
    for _ in $(seq 200); do
        [ -n "$asked" ] && xwininfo -id "$asked" 2>/dev/null | grep -q IsViewable || break
        sleep 0.05
    done
    [ -n "$asked" ] && sleep 0.5
    asked=
    focus "$1" vellum
}
keys() { xdotool key --delay 80 "$@"; }
typed() { xdotool type --delay 20 "$1"; }
holds() {
    if ! printf "$2" | cmp -s - "$1"; then
        echo "$1 does not hold \"$2\"" >&2
        exit 1
    fi
}

"$vellum" &
pid=$!
program 'Untitled - Vellum'
typed 'new text'
keys ctrl+s
chooser 'Save DIZ File as..'
# Escape, from a user who has looked at the chooser; its Cancel button elsewhere.
sleep 1.5
keys Escape
program 'Untitled - Vellum'
keys ctrl+s
chooser 'Save DIZ File as..'
keys ctrl+a
typed "$docs/new"
keys Return
program 'new.diz - Vellum'
holds "$docs/new.diz" 'new text'

# Save As onto old.diz as typed: GTK asks in a box without a title, and Replace is taken.
keys alt+f a
chooser 'Save DIZ as..'
keys ctrl+a
typed "$docs/old.diz"
# GTK's completion of the name comes up late and would take a Return pressed meanwhile.
sleep 1
keys Return
chooser ''
keys alt+r
program 'old.diz - Vellum'
holds "$docs/old.diz" 'new text'

# "new" becomes new.diz, which exists: the program asks, No shows the chooser again.
typed '!'
keys alt+f a
chooser 'Save DIZ as..'
keys ctrl+a
typed "$docs/new"
# Without GTK's completion of it to the existing name.
sleep 1
keys Delete Return
program 'Save DIZ as..'
keys n
chooser 'Save DIZ as..'
keys alt+c
program 'old.diz - Vellum'
holds "$docs/new.diz" 'new text'
holds "$docs/old.diz" 'new text'

# The Latin-1 name is typed as the desktop shows it under G_FILENAME_ENCODING.
keys ctrl+o
program 'File Changed'
keys n
chooser 'Open DIZ File'
keys alt+c
program 'old.diz - Vellum'
keys ctrl+o
program 'File Changed'
keys n
chooser 'Open DIZ File'
keys ctrl+l
typed "$docs/café.diz"
sleep 1
keys Return
program "$(printf 'caf\357\277\275.diz') - Vellum"
typed '!'
keys ctrl+s alt+f e
wait "$pid"
holds "$docs/$latin" '!caf\351 text'

# The program writes its documents and nothing else; what else is new is the desktop's: GTK's
# settings in dconf and its list of recent files, the portal's runtime files.
desktop='^(home/\.config(/dconf(/user)?|/gtk-3\.0)?|home/\.local(/share(/recently-used\.xbel)?)?|runtime/.*)$'
written=$(comm -13 "$top/before" <(listing))
echo "written by the desktop's chooser and its portal:"
grep -E "$desktop" <<<"$written" || true
if ! diff <(echo home/docs/new.diz) <(grep -Ev "$desktop" <<<"$written"); then
    echo "files other than the saved document and the desktop's own appeared (lines with >)" >&2
    exit 1
fi

# A bus without a portal: the program's own dialog comes up at once.
cat >"$top/bare.conf" <<EOF
<busconfig><type>session</type><listen>unix:tmpdir=$top</listen>
<policy context="default"><allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/>
</policy></busconfig>
EOF
dbus-daemon --config-file="$top/bare.conf" --nofork --print-address=3 3>"$top/bare.address" &
bare_bus=$!
for _ in $(seq 100); do
    [ -s "$top/bare.address" ] && break
    sleep 0.05
done
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$top/bare.address") "$vellum" &
pid=$!
program 'Untitled - Vellum'
start=$(date +%s%N)
keys ctrl+o
focus 'Open DIZ File' vellum
took=$((($(date +%s%N) - start) / 1000000))
echo "without a portal the own dialog came up ${took} ms after Ctrl+O"
if [ "$took" -ge 2000 ]; then
    echo "the program waited for a portal that is not there" >&2
    exit 1
fi
