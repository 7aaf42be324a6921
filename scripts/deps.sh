#!/usr/bin/env bash
# Installs the Debian packages that are missing for the given purpose: "build" (the program),
# "package" (the program's Debian package) or "test" (the program, its package, its tests and
# benchmarks).
set -euo pipefail

build_packages=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libglib2.0-dev
    fonts-liberation)
test_packages=(libgtest-dev libgmock-dev xvfb xauth x11-utils imagemagick libx11-dev
    desktop-file-utils appstream shared-mime-info xdotool)
# The desktop install test asks GIO; the start-up benchmark types through XTest and sees Damage.
test_packages+=(libglib2.0-bin libxtst-dev libxdamage-dev)
# Boxes are placed under a real window manager; screen readers' view is read over AT-SPI.
test_packages+=(openbox dbus at-spi2-core python3-pyatspi)
# The save tests make an ext2 file system, which cannot reserve room, and set access lists; served
# through FUSE by fuse2fs, the file system makes no unnamed files.
test_packages+=(e2fsprogs acl fuse2fs)
# The logout test runs a small session manager of its own, built on libSM.
test_packages+=(libsm-dev)
# The desktop's file chooser is tested through the XDG desktop portal with GTK's backend.
test_packages+=(xdg-desktop-portal xdg-desktop-portal-gtk)
# The package test builds the Debian package and checks it with lintian (about 35 MB);
# dpkg-buildpackage refuses to start without build-essential.
package_packages=(build-essential dpkg-dev debhelper lintian)

wanted=("${build_packages[@]}")
case "${1:-build}" in
package) wanted+=("${package_packages[@]}") ;;
test) wanted+=("${package_packages[@]}" "${test_packages[@]}") ;;
esac

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
