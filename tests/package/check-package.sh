#!/usr/bin/env bash
# Checks a built Debian package of Ordrane: unpacks it into a temporary root (dpkg -x), finds
# the program, the launcher, the icons and the metainfo where the launcher and the metainfo say
# they are, runs the launcher's and the metainfo's validators, checks the declared dependencies
# and, where a virtual X display can be had, starts and ends the unpacked program.
# Usage: check-package.sh ordrane_<version>_<architecture>.deb
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deb=$(realpath "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
checks=0

ok() {
    checks=$((checks + 1))
    echo "ok: $*"
}
fail() {
    checks=$((checks + 1))
    failures=$((failures + 1))
    echo "FAILED: $*" >&2
}
check() {
    local what=$1
    shift
    if "$@"; then ok "$what"; else fail "$what"; fi
}
field() { dpkg-deb --field "$deb" "$1"; }
# The value of a key of the [Desktop Entry] group.
desktop_key() { sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$2" 2>/dev/null | head -n 1 || true; }
# The text of the first element of the metainfo matching the pattern.
metainfo_value() { sed -n "s|.*$1\(.*\)</.*|\1|p" "$2" 2>/dev/null | head -n 1 || true; }
known_package() { dpkg-query -W "$1" >/dev/null 2>&1; }
libraries_found() {
    local libraries
    libraries=$(ldd "$1") || return 1
    ! grep -q "not found" <<<"$libraries"
}
png_size() { file -b "$1" | sed -n 's/^PNG image data, \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }

dpkg -x "$deb" "$root"
echo "unpacked $(basename "$deb") into a temporary root"

check "package name is ordrane" test "$(field Package)" = ordrane
check "version is in the file name" test "$(basename "$deb")" = \
    "ordrane_$(field Version)_$(field Architecture).deb"
check "maintainer is set" test -n "$(field Maintainer)"

# Dependencies: the Qt libraries found by dpkg-shlibdeps, each a package this machine knows by
# that name.
depends=$(field Depends)
for wanted in libqt6widgets6 libc6; do
    check "depends on $wanted" grep -Eq "(^|, )$wanted( |,|$)" <<<"$depends"
done
while read -r name; do
    check "dependency $name is a Debian package" known_package "$name"
done < <(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | grep -v '^$')

launchers=("$root"/usr/share/applications/*.desktop)
check "one launcher" test "${#launchers[@]}" -eq 1 -a -f "${launchers[0]}"
launcher=${launchers[0]}
check "launcher passes desktop-file-validate" desktop-file-validate "$launcher"

exec_line=$(desktop_key Exec "$launcher")
program=${exec_line%% *}
check "launcher names a program" test -n "$program"
check "launcher's program /usr/bin/$program is an executable" test -x "$root/usr/bin/$program"
check "launcher's program is found on the PATH" test "${program#/}" = "$program"
check "program's libraries are all found" libraries_found "$root/usr/bin/$program"
# The version check's helper, where the program looks for it, runs (and refuses no arguments).
helper="$root/usr/libexec/ordrane/ordrane-fetch"
check "helper ordrane-fetch installed" test -x "$helper"
check "helper's libraries are all found" libraries_found "$helper"
helper_refuses() { "$helper" 2>/dev/null; test $? -eq 64; }
check "helper runs" helper_refuses

icon=$(desktop_key Icon "$launcher")
check "launcher names an icon by theme name" test -n "$icon" -a "${icon#/}" = "$icon"
hicolor="$root/usr/share/icons/hicolor"
check "scalable icon $icon.svg" test -s "$hicolor/scalable/apps/$icon.svg"
for size in 16 32 48 64 128 256; do
    png="$hicolor/${size}x${size}/apps/$icon.png"
    check "icon $icon.png of ${size}x${size}" test "$(png_size "$png" 2>/dev/null)" = "${size}x${size}"
done

metainfos=("$root"/usr/share/metainfo/*.metainfo.xml)
check "one metainfo file" test "${#metainfos[@]}" -eq 1 -a -f "${metainfos[0]}"
metainfo=${metainfos[0]}
id=$(metainfo_value '<id>' "$metainfo")
check "metainfo file is named after its id $id" \
    test "$(basename "$metainfo")" = "$id.metainfo.xml"
launchable=$(metainfo_value '<launchable type="desktop-id">' "$metainfo")
check "metainfo's launcher $launchable is the installed one" \
    test "$launchable" = "$(basename "$launcher")"
check "metainfo's icon is the launcher's" \
    test "$(metainfo_value '<icon type="stock">' "$metainfo")" = "$icon"
check "metainfo's program is the launcher's" \
    test "$(metainfo_value '<binary>' "$metainfo")" = "$program"
check "metainfo passes appstreamcli validate-tree" appstreamcli validate-tree --no-net "$root"

if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
    check "unpacked program starts and ends cleanly" \
        "$here/../smoke/smoke.sh" "$root/usr/bin/$program"
else
    echo "skipped: starting the unpacked program (needs xvfb-run and xdotool)"
fi

if [ "$failures" -ne 0 ]; then
    echo "package check: $failures of $checks checks failed" >&2
    exit 1
fi
echo "package check: all $checks checks passed"
