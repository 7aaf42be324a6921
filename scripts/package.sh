#!/usr/bin/env bash
# Builds the Debian package of Vellum and checks it with lintian:
#   scripts/package.sh [OUTDIR]      (OUTDIR: build-deb/)
# leaves in OUTDIR the package vellum_VERSION_ARCH.deb, its debug symbols
# vellum-dbgsym_VERSION_ARCH.deb (none when DEB_BUILD_OPTIONS holds noautodbgsym), the record of
# the build's environment vellum_VERSION_ARCH.buildinfo, and vellum_VERSION_ARCH.changes, which
# lists those files with their checksums.
# The build runs in a scratch copy of the sources, so the tree stays as it was.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build-deb}")
"$root/scripts/deps.sh" package

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/vellum"
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    # The files a build of the tree sees, as they are now: those under version control and the
    # new ones not yet added, without what git ignores (build folders).
    (cd "$root" && git ls-files -z --cached --others --exclude-standard) |
        (cd "$root" && while IFS= read -r -d '' file; do
            [ -e "$file" ] && printf '%s\0' "$file"
        done) |
        tar -C "$root" --null -T - -cf - | tar -C "$work/vellum" -xf -
else
    tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$work/vellum" -xf -
fi

cd "$work/vellum"
DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -b -us -uc >"$work/build.log" 2>&1 ||
    { cat "$work/build.log" >&2; echo "FAILED: dpkg-buildpackage (log above)" >&2; exit 1; }
changes=$(ls "$work"/vellum_*.changes)
# No error and no warning; the informational tags, and those overridden on purpose
# (debian/vellum.lintian-overrides says why), are shown for whoever reads the output.
lintian --fail-on error,warning --display-info --show-overrides "$changes"

mkdir -p "$out"
shopt -s nullglob
for file in "$work"/vellum_* "$work"/vellum-dbgsym_*; do
    cp "$file" "$out/"
    echo "built $out/$(basename "$file")"
done
