#!/usr/bin/env bash
# Installs Vellum into a scratch prefix and uses it as a desktop would: checks the layout,
# validates the desktop entry and the metadata, asks GIO for the type of DIZ files and their
# default program, and opens a FILE_ID.DIZ through GIO, which must start the installed program.
# Then uninstalls it, which must leave nothing behind, and does both again beside an icon cache.
set -euo pipefail
build=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
app_id=org.example.vellum
source "$root/tests/support/xvfb.sh"
start_private_xvfb

work=$(mktemp -d)
app_pid=
cleanup() {
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null
        for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.05; done
    fi
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    # The last install was a staged one: its manifest must not lead an uninstall to /usr.
    rm -rf "$work" "$build/install_manifest.txt"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A prefix with characters that a desktop entry's Exec key must quote and escape. (Not "%": GIO
# looks for the program before it undoes the key's "%%", and hides the entry.)
prefix="$work/Vellum's \"own\" \$HOME"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log" >&2; fail "cmake --install"; }

# One program folder holds the program and the two files its help commands open.
program_dir=$prefix/lib/vellum
[ -x "$program_dir/vellum" ] && [ ! -L "$program_dir/vellum" ] || fail "no program in $program_dir"
cmp "$root/data/help.html" "$program_dir/help.html" || fail "help.html"
cmp "$build/readme.txt" "$program_dir/readme.txt" || fail "readme.txt"
head -n1 "$program_dir/readme.txt" | grep -qF "Vellum $version " || fail "readme.txt version"

# The command on the PATH is a relative link to it, so the tree can be moved.
link=$(readlink "$prefix/bin/vellum") || fail "bin/vellum is not a link"
[ "${link#/}" = "$link" ] || fail "bin/vellum points to an absolute path: $link"
[ "$(readlink -f "$prefix/bin/vellum")" = "$(readlink -f "$program_dir/vellum")" ] ||
    fail "bin/vellum does not lead to the program"

desktop_file=$prefix/share/applications/$app_id.desktop
desktop-file-validate "$desktop_file" || fail "desktop-file-validate"
for line in 'Name=Vellum' 'Categories=Utility;TextEditor;' 'StartupNotify=true' \
    'MimeType=text/x-diz;' "Icon=$app_id"; do
    grep -qxF "$line" "$desktop_file" || fail "desktop entry lacks $line"
done
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "the metainfo's release is not $version"
# The manual page names the version and the folder of the installed program.
man_page=$prefix/share/man/man1/vellum.1
grep -qF "\"Vellum $version\"" "$man_page" || fail "the manual page is not of version $version"
grep -qxF ".I $prefix/lib/vellum/help.html" "$man_page" || fail "the manual page's help.html"

for size in 16 32 64 128; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png
    [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x$size" ] || fail "icon $icon"
done

# A direct install compiles the MIME database of its prefix; the DIZ type is a kind of text.
[ -f "$prefix/share/mime/mime.cache" ] || fail "no compiled MIME database in the prefix"
grep -qxF 'text/x-diz text/plain' "$prefix/share/mime/subclasses" ||
    fail "text/x-diz is not a subclass of text/plain"
# but makes no icon cache, which would hide the icons that other programs add there later.
[ ! -e "$prefix/share/icons/hicolor/icon-theme.cache" ] || fail "the install made an icon cache"


# From here on the desktop sees only the installed prefix, so Vellum is the one handler there;
# PREFIX/bin is not on the PATH: the desktop entry names the program by its full path.
export XDG_DATA_DIRS=$prefix/share XDG_DATA_HOME=$work/data-home
export XDG_CONFIG_DIRS=$work/config-dirs XDG_CONFIG_HOME=$work/config-home
mkdir -p "$work/files"
printf 'Vellum\r\n' >"$work/files/FILE_ID.DIZ"
printf 'vellum\r\n' >"$work/files/file_id.diz"
for name in FILE_ID.DIZ file_id.diz; do
    type=$(gio info -a standard::content-type "$work/files/$name" |
        sed -n 's/^ *standard::content-type: //p')
    [ "$type" = text/x-diz ] || fail "$name has the type '$type'"
    echo "ok: $name is text/x-diz"
done
handlers=$(gio mime text/x-diz)
grep -qxF "Default application for “text/x-diz”: $app_id.desktop" <<<"$handlers" ||
    fail "Vellum is not the default for text/x-diz: $handlers"
echo "ok: $app_id.desktop is the default for text/x-diz"

# Opening the file as a file manager would starts the installed program through the entry.
gio open "$work/files/FILE_ID.DIZ" || fail "gio open"
wait_for_window 'FILE_ID.DIZ - Vellum'
window=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "FILE_ID.DIZ - Vellum".*/\1/p' | head -n1)
app_pid=$(xprop -id "$window" _NET_WM_PID | sed -n 's/.* = //p')
[ -n "$app_pid" ] || fail "the window names no process"
# The help commands look in the folder that /proc/self/exe resolves to.
[ "$(readlink "/proc/$app_pid/exe")" = "$(readlink -f "$program_dir/vellum")" ] ||
    fail "the running program is $(readlink "/proc/$app_pid/exe")"
[ "$(tr '\0' '|' <"/proc/$app_pid/cmdline")" = "$prefix/bin/vellum|$work/files/FILE_ID.DIZ|" ] ||
    fail "started as: $(tr '\0' '|' <"/proc/$app_pid/cmdline")"
echo "ok: gio open started $prefix/bin/vellum on FILE_ID.DIZ"
kill "$app_pid"
app_pid=

# The uninstall removes every file, the compiled MIME database and desktop cache that listed
# them, and the folders left empty.
uninstall() {
    cmake --build "$build" --target uninstall >"$work/uninstall.log" 2>&1 ||
        { cat "$work/uninstall.log" >&2; fail "uninstall"; }
}
uninstall
left=$(find "$prefix" -mindepth 1)
[ -z "$left" ] || fail "the uninstall left: $left"
echo "ok: the uninstall left an empty prefix"

# Beside another program's icon and a cache that was there before, the install and the
# uninstall keep the cache up to date.
if command -v gtk-update-icon-cache >/dev/null; then
    theme=$prefix/share/icons/hicolor
    mkdir -p "$theme/16x16/apps"
    convert -size 16x16 xc:red "$theme/16x16/apps/other-program.png"
    gtk-update-icon-cache -q -t -f "$theme"
    cmake --install "$build" --prefix "$prefix" >/dev/null
    grep -qaF "$app_id" "$theme/icon-theme.cache" || fail "the install did not refresh the icon cache"
    uninstall
    [ -f "$theme/icon-theme.cache" ] || fail "the uninstall removed an icon cache it did not make"
    ! grep -qaF "$app_id" "$theme/icon-theme.cache" || fail "the icon cache still lists Vellum"
    grep -qaF other-program "$theme/icon-theme.cache" || fail "the icon cache lost the other icon"
    echo "ok: an icon cache that was there follows the install and the uninstall"
fi

# A staged install, as a package build makes it, leaves the caches to the package manager.
DESTDIR=$work/stage cmake --install "$build" --prefix /usr >/dev/null
[ -x "$work/stage/usr/lib/vellum/vellum" ] || fail "staged install has no program"
[ "$(readlink "$work/stage/usr/bin/vellum")" = "$link" ] || fail "staged bin/vellum"
[ ! -e "$work/stage/usr/share/mime/mime.cache" ] || fail "staged install compiled a MIME cache"
