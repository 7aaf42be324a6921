#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh (lintian included), checks that the debug
# symbols and the build's records are kept and that lintian shows only the overridden tags, checks
# the package's fields and its exact file list, unpacks it into a scratch root and runs the
# package's smoke test (debian/tests/smoke) on the unpacked program under a private X server.
# Skips (77) where the Debian packaging tools are missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
for tool in dpkg-buildpackage dh lintian; do
    command -v "$tool" >/dev/null ||
        { echo "SKIP: $tool is missing; scripts/deps.sh package installs it"; exit 77; }
done
source "$root/tests/support/xvfb.sh"
start_private_xvfb

work=$(mktemp -d)
trap 'stop_private_xvfb; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$root/scripts/package.sh" "$work/out" >"$work/package.log" 2>&1 ||
    { cat "$work/package.log" >&2; fail "scripts/package.sh"; }
# Every tag lintian shows is one that debian/vellum.lintian-overrides explains (its comments
# come out as notes, N:).
grep -E '^[A-MO-Z]: ' "$work/package.log" | sort >"$work/tags" || true
diff -u - "$work/tags" <<'TAGS' || fail "lintian's tags"
O: vellum: hardening-no-fortify-functions [usr/lib/vellum/vellum]
O: vellum: package-contains-documentation-outside-usr-share-doc [usr/lib/vellum/help.html]
O: vellum: package-contains-documentation-outside-usr-share-doc [usr/lib/vellum/readme.txt]
TAGS
version=$(sed -n 's/^project(Vellum VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
name=${version}_$(dpkg --print-architecture)
deb=$work/out/vellum_$name.deb
# The package, its debug symbols and the build's records, each as the .changes lists it.
left=$(cd "$work/out" && LC_ALL=C ls)
[ "$left" = "$(printf '%s\n' vellum-dbgsym_"$name".deb vellum_"$name".{buildinfo,changes,deb})" ] ||
    fail "the files left are: $left"
sed -n '/^Checksums-Sha256:/,/^[^ ]/s/^ \([0-9a-f]*\) [0-9]* \(.*\)/\1  \2/p' \
    "$work/out/vellum_$name.changes" >"$work/sums"
(cd "$work/out" && sha256sum --quiet -c "$work/sums") || fail "the .changes' checksums"

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
drwxr-xr-x ./usr/share/lintian/
drwxr-xr-x ./usr/share/lintian/overrides/
-rw-r--r-- ./usr/share/lintian/overrides/vellum
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
# The debug symbols are the stripped program's own: they are found by its build ID.
build_id=$(readelf -n "$program" | sed -n 's/.*Build ID: \([0-9a-f]*\)/\1/p')
symbols=$(dpkg-deb -c "$work/out/vellum-dbgsym_$name.deb")
grep -qF "./usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug" <<<"$symbols" ||
    fail "vellum-dbgsym holds no symbols for build ID $build_id"
echo "ok: the package holds the expected files, stripped and hardened, with its debug symbols"

# The package's smoke test, run on the unpacked command.
PATH=$usr/bin:$PATH "$root/debian/tests/smoke" || fail "debian/tests/smoke"
