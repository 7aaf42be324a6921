#!/usr/bin/env bash
# What a screen reader finds, read through the real accessibility bus (AT-SPI, in a D-Bus session
# of the test's own, on a private X server): the text area has a name, the guide's bars are not
# listed, the About box's link is a link whose press action follows it while only OK takes the
# focus, and the icons of the About box and of a message box are named.
set -euo pipefail
vellum=$1
if [ -z "${VELLUM_OWN_BUS:-}" ]; then
    exec env VELLUM_OWN_BUS=1 dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/../support/xvfb.sh"
start_private_xvfb

# An empty desktop, so that following the link fails with a message box.
home=$(mktemp -d)
pid=
trap 'kill $pid 2>/dev/null || true; stop_private_xvfb; rm -rf "$home"' EXIT
export XDG_DATA_HOME=$home XDG_DATA_DIRS=$home XDG_CONFIG_HOME=$home XDG_CONFIG_DIRS=$home
export XDG_RUNTIME_DIR=$home/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The bus that screen readers use is started first, so that the program finds it, with this
# test's runtime folder: by default it would put its socket where tests side by side share it.
dbus-update-activation-environment XDG_RUNTIME_DIR DISPLAY
dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

"$vellum" &
pid=$!
wait_for_window 'Untitled - Vellum'

# The About box comes up from the keyboard, as a user would open it.
xdotool windowfocus --sync "$(xdotool search --name '^Untitled - Vellum$' | head -n1)"
xdotool key --delay 50 alt+h a
wait_for_window 'About Vellum'

/usr/bin/python3 - <<'PYTHON'
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(condition, what):
    print(("ok: " if condition else "FAIL: ") + what)
    if not condition:
        failures.append(what)


def wait_for(find, what, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit("FAIL: no " + what)


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i).lower() for i in range(action.nActions)]


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Vellum":
            return app
    return None


def window(title):
    app = application()
    if app is None:
        return None
    for child in app:
        if child is not None and child.name == title:
            return child
    return None


main = wait_for(lambda: window("Untitled - Vellum"), "main window on the accessibility bus")
texts = [n for n in descendants(main) if n.getRole() == pyatspi.ROLE_TEXT]
check(len(texts) == 1 and texts[0].name != "",
      "the text area has a name: %r" % [t.name for t in texts])
if not texts:
    sys.exit(1)
guide = texts[0].parent
unnamed = [n.getRoleName() for n in guide if n is not None and not n.name]
check(guide.childCount > 1 and not unnamed,
      "the guide lists only named captions and the text area (unnamed: %r)" % unnamed)

box = wait_for(lambda: window("About Vellum"), "About box on the accessibility bus")
nodes = list(descendants(box))
links = [n for n in nodes if n.getRole() == pyatspi.ROLE_LINK]
check(len(links) == 1 and links[0].name.startswith("https://"),
      "the About box has one link, named by its address: %r" % [l.name for l in links])
if not links:
    sys.exit(1)
check("press" in actions(links[0]), "the link offers a press action: %r" % actions(links[0]))
focusable = [n.getRoleName() + " " + n.name for n in nodes
             if n.getState().contains(pyatspi.STATE_FOCUSABLE)]
check(focusable == ["push button OK"], "only OK takes the focus: %r" % focusable)
check(any(n.name == "Vellum icon" for n in nodes), "the About box's icon is named")

# Following the link on a desktop without a browser brings up the launcher's message box.
# Qt answers the press only once the box that it opens has closed, so the call runs out of time.
try:
    links[0].queryAction().doAction(actions(links[0]).index("press"))
except GLib.GError:
    pass
failure = wait_for(lambda: window("Address Access Error"), "message box after following the link")
icons = [n.name for n in descendants(failure) if n.name in ("Error", "Question", "Warning")]
check(icons == ["Error"], "the message box's icon is named: %r" % icons)

sys.exit(1 if failures else 0)
PYTHON
