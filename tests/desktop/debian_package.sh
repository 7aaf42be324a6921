#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh (lintian included), checks its fields and its
# exact file list, unpacks it into a scratch root and starts the unpacked program on a FILE_ID.DIZ
# under a private X server. Skips (77) where the Debian packaging tools are missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
for tool in dpkg-buildpackage dh lintian; do
    command -v "$tool" >/dev/null ||
        { echo "SKIP: $tool is missing; scripts/deps.sh package installs it"; exit 77; }
done
source "$root/tests/support/xvfb.sh"
start_private_xvfb

work=$(mktemp -d)
app_pid=
cleanup() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    stop_private_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$root/scripts/package.sh" "$work/out" >"$work/package.log" 2>&1 ||
    { cat "$work/package.log" >&2; fail "scripts/package.sh"; }
grep '^I: ' "$work/package.log" || true # the informational tags lintian leaves
version=$(sed -n 's/^project(Vellum VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
deb=$work/out/vellum_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") in: $(ls "$work/out")"

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version"
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in 'qt6-qpa-plugins' 'fonts-liberation | fonts-liberation2' 'libqt6widgets6 ' \
    'libglib2.0-0 '; do
    grep -qF "$dependency" <<<"$depends" || fail "Depends lacks $dependency: $depends"
done

# Every file with its type and permissions, and nothing else.
dpkg-deb -c "$deb" | awk '{ $2 = $3 = $4 = $5 = ""; print }' | tr -s ' ' | sort >"$work/files"
sort >"$work/expected" <<'LIST'
drwxr-xr-x ./
drwxr-xr-x ./usr/
drwxr-xr-x ./usr/bin/
lrwxrwxrwx ./usr/bin/vellum -> ../lib/vellum/vellum
drwxr-xr-x ./usr/lib/
drwxr-xr-x ./usr/lib/vellum/
-rwxr-xr-x ./usr/lib/vellum/vellum
-rw-r--r-- ./usr/lib/vellum/help.html
-rw-r--r-- ./usr/lib/vellum/readme.txt
drwxr-xr-x ./usr/share/
drwxr-xr-x ./usr/share/applications/
-rw-r--r-- ./usr/share/applications/org.example.vellum.desktop
drwxr-xr-x ./usr/share/doc/
drwxr-xr-x ./usr/share/doc/vellum/
-rw-r--r-- ./usr/share/doc/vellum/changelog.gz
-rw-r--r-- ./usr/share/doc/vellum/copyright
drwxr-xr-x ./usr/share/icons/
drwxr-xr-x ./usr/share/icons/hicolor/
drwxr-xr-x ./usr/share/icons/hicolor/16x16/
drwxr-xr-x ./usr/share/icons/hicolor/16x16/apps/
-rw-r--r-- ./usr/share/icons/hicolor/16x16/apps/org.example.vellum.png
drwxr-xr-x ./usr/share/icons/hicolor/32x32/
drwxr-xr-x ./usr/share/icons/hicolor/32x32/apps/
-rw-r--r-- ./usr/share/icons/hicolor/32x32/apps/org.example.vellum.png
drwxr-xr-x ./usr/share/icons/hicolor/64x64/
drwxr-xr-x ./usr/share/icons/hicolor/64x64/apps/
-rw-r--r-- ./usr/share/icons/hicolor/64x64/apps/org.example.vellum.png
drwxr-xr-x ./usr/share/icons/hicolor/128x128/
drwxr-xr-x ./usr/share/icons/hicolor/128x128/apps/
-rw-r--r-- ./usr/share/icons/hicolor/128x128/apps/org.example.vellum.png
drwxr-xr-x ./usr/share/man/
drwxr-xr-x ./usr/share/man/man1/
-rw-r--r-- ./usr/share/man/man1/vellum.1.gz
drwxr-xr-x ./usr/share/metainfo/
-rw-r--r-- ./usr/share/metainfo/org.example.vellum.metainfo.xml
drwxr-xr-x ./usr/share/mime/
drwxr-xr-x ./usr/share/mime/packages/
-rw-r--r-- ./usr/share/mime/packages/org.example.vellum.xml
LIST
diff -u "$work/expected" "$work/files" || fail "the package's file list"

dpkg -x "$deb" "$work/root"
usr=$work/root/usr
cmp "$root/data/help.html" "$usr/lib/vellum/help.html" || fail "help.html"
head -n1 "$usr/lib/vellum/readme.txt" | grep -qF "Vellum $version " || fail "readme.txt version"
grep -qxF 'Exec=vellum %f' "$usr/share/applications/org.example.vellum.desktop" ||
    fail "the packaged desktop entry does not run vellum by name"
grep -qxF 'License: BSD-2-Clause' "$usr/share/doc/vellum/copyright" || fail "copyright"
zgrep -qF "\"Vellum $version\"" "$usr/share/man/man1/vellum.1.gz" || fail "manual page version"
zgrep -qxF ".I /usr/lib/vellum/help.html" "$usr/share/man/man1/vellum.1.gz" ||
    fail "the manual page does not name /usr/lib/vellum"

# Stripped, and built with the distribution's hardening: a position-independent executable
# with full RELRO and the stack protector.
program=$usr/lib/vellum/vellum
elf=$(readelf -W --file-header --program-headers --section-headers --dynamic --dyn-syms "$program")
! grep -qE '\.symtab|\.debug_' <<<"$elf" || fail "the program is not stripped"
grep -qF 'DYN (Position-Independent Executable' <<<"$elf" || fail "not PIE"
grep -qE 'FLAGS_1.*NOW' <<<"$elf" || fail "not linked with -z now"
grep -qF GNU_RELRO <<<"$elf" || fail "no RELRO"
grep -qF __stack_chk_fail <<<"$elf" || fail "no stack protector"
echo "ok: the package holds the expected files, stripped and hardened"

# The unpacked command starts the unpacked program, which shows the file.
printf 'Vellum\r\n' >"$work/FILE_ID.DIZ"
"$usr/bin/vellum" "$work/FILE_ID.DIZ" &
app_pid=$!
wait_for_window 'FILE_ID.DIZ - Vellum'
[ "$(readlink "/proc/$app_pid/exe")" = "$program" ] ||
    fail "the running program is $(readlink "/proc/$app_pid/exe")"
echo "ok: the unpacked $usr/bin/vellum shows FILE_ID.DIZ"
