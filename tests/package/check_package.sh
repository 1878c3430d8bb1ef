#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a build tree and checks it without
# installing it: lintian, the unpacked programs, the maintainer scripts on a
# scratch root, and the unpacked program's window under a virtual display.
#
# usage: check_package.sh build BUILD-DIR
#        check_package.sh lintian|unpacked|scripts|window PACKAGE-DIR
set -u

readonly CAPTION="Программа тестирования знаний"

fail() {
    echo "package: $*" >&2
    exit 1
}

# The one .deb in the package folder.
the_deb() {
    local debs=("$1"/knowtest_*.deb)
    [ -f "${debs[0]}" ] || fail "no .deb in $1"
    [ ${#debs[@]} -eq 1 ] || fail "more than one .deb in $1"
    echo "${debs[0]}"
}

build() {
    rm -rf "$1/package"
    (cd "$1" && cpack -G DEB) || fail "cpack failed"
    the_deb "$1/package" >/dev/null
}

run_lintian() {
    command -v lintian >/dev/null || fail "lintian is missing (setup/deps.sh test)"
    # Warnings are printed for the log; only errors fail.
    lintian --fail-on error --allow-root --tag-display-limit 0 "$(the_deb "$1")"
}

unpack() { # deb folder
    dpkg-deb -x "$1" "$2" || fail "dpkg-deb -x failed"
}

# The unpacked tree: the reader out of PATH, the sample bank, and qbank
# finding the reader from its own folder.
unpacked() {
    local root="$WORK/root"
    unpack "$(the_deb "$1")" "$root"
    local f
    for f in usr/bin/knowtest usr/bin/qbank usr/libexec/knowtest/knowtest-reader; do
        [ -x "$root/$f" ] || fail "$f is missing or not executable"
    done
    [ ! -e "$root/usr/bin/knowtest-reader" ] || fail "the reader is in PATH"
    for f in share/knowtest/sample.mdb share/knowtest/sample_bank.csv \
        share/applications/example.kt.knowtest.desktop share/doc/knowtest/copyright \
        share/icons/hicolor/16x16/apps/knowtest.png share/icons/hicolor/256x256/apps/knowtest.png \
        share/man/man1/knowtest.1.gz share/man/man1/qbank.1.gz; do
        [ -s "$root/usr/$f" ] || fail "usr/$f is missing"
    done
    local out
    out=$("$root/usr/bin/qbank" check "$root/usr/share/knowtest/sample.mdb" 2>&1) ||
        fail "qbank check on the packaged sample bank failed: $out"
    echo "$out"
    grep -q "Проблем не найдено" <<<"$out" || fail "qbank check found problems in the sample bank"
}

# postinst and postrm on a scratch root (DPKG_ROOT): a new installation gets
# the sample bank; a teacher's bank survives upgrade, removal and purge; a
# purge takes the untouched sample away.
scripts() {
    local root="$WORK/root" ctrl="$WORK/control"
    local deb bank="$WORK/root/opt/qbank/DB1.MDB"
    deb=$(the_deb "$1")
    unpack "$deb" "$root"
    dpkg-deb -e "$deb" "$ctrl" || fail "dpkg-deb -e failed"
    export DPKG_ROOT="$root"
    sh "$ctrl/postinst" configure || fail "postinst failed"
    cmp -s "$bank" "$root/usr/share/knowtest/sample.mdb" || fail "no sample bank after install"
    echo "teacher's bank" >"$bank"
    sh "$ctrl/postinst" configure 1.0 || fail "postinst on upgrade failed"
    sh "$ctrl/postrm" remove && sh "$ctrl/postrm" purge || fail "postrm failed"
    [ "$(cat "$bank")" = "teacher's bank" ] || fail "the teacher's bank was touched"
    rm "$bank"
    sh "$ctrl/postinst" configure && sh "$ctrl/postrm" purge || fail "scripts failed"
    [ ! -e "$bank" ] || fail "purge left the untouched sample bank"
    [ ! -e "$root/opt/qbank" ] || fail "purge left the empty bank folder"
    [ ! -e "$root/var/lib/knowtest" ] || fail "purge left the package's state"
    # A plain file, or a link to a share that is not mounted, where the bank
    # folder should be: no sample, a note, and the package still configures.
    local note
    for odd in file link; do
        rm -rf "$root/opt/qbank"
        if [ $odd = file ]; then echo "not a folder" >"$root/opt/qbank"; fi
        if [ $odd = link ]; then ln -s "$WORK/unmounted/share" "$root/opt/qbank"; fi
        note=$(sh "$ctrl/postinst" configure 2>&1) || fail "postinst failed on a bank folder that is a $odd"
        grep -q "не скопирован" <<<"$note" || fail "postinst said nothing on a bank folder that is a $odd"
    done
    rm -rf "$root/opt/qbank"
}

# The unpacked program on the packaged sample bank until its window shows.
window_inner() {
    local root="$WORK/root"
    (cd "$WORK" && exec "$root/usr/bin/knowtest" "$root/usr/share/knowtest/sample.mdb") &
    local app=$!
    local found=0
    timeout 60 xdotool search --sync --name "$CAPTION" >/dev/null && found=1
    kill "$app" 2>/dev/null
    wait "$app" 2>/dev/null
    [ $found -eq 1 ] || fail "the window \"$CAPTION\" did not show"
    echo "window shown"
}

window() {
    command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || exit 77
    unpack "$(the_deb "$1")" "$WORK/root"
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inner "$WORK"
}

if [ "$1" = --inner ]; then
    WORK=$2
    window_inner
    exit 0
fi

[ $# -eq 2 ] || fail "usage: $0 build|lintian|unpacked|scripts|window DIR"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
case "$1" in
    build) build "$2" ;;
    lintian) run_lintian "$2" ;;
    unpacked) unpacked "$2" ;;
    scripts) scripts "$2" ;;
    window) window "$2" ;;
    *) fail "unknown check $1" ;;
esac
