#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that are missing for building ("build"), for
# building the Debian package ("package") or for building and testing
# ("test"). Runs apt-get as root, through sudo otherwise.
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libqt6gui6
            mdbtools-dev libglib2.0-dev fonts-liberation fonts-urw-base35
            qt6-translations-l10n libquazip1-qt6-dev)
test_pkgs=(googletest libgtest-dev xvfb xauth xdotool x11-utils imagemagick libx11-dev nodejs npm mdbtools
           clang libclang-rt-dev lintian desktop-file-utils appstream)
# dpkg-shlibdeps (dpkg-dev) and file find the package's library dependencies.
package_pkgs=(dpkg-dev file)

want=("${build_pkgs[@]}")
case "${1:-build}" in
    package) want+=("${package_pkgs[@]}") ;;
    test) want+=("${package_pkgs[@]}" "${test_pkgs[@]}") ;;
esac

missing=()
for p in "${want[@]}"; do
    # npm ships with some Node.js packages; either source will do.
    if [ "$p" = npm ] && command -v npm >/dev/null 2>&1; then continue; fi
    if [ "$p" = nodejs ] && command -v node >/dev/null 2>&1; then continue; fi
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
