#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR, as a package build does, and
# checks what the desktop needs of it: the entry and the metainfo validate,
# every icon size is there, and the installed program, started in a folder of
# its own, finds the installed guide and keeps its Photos.mdb in that folder.
# Usage: check-installed-tree.sh <build folder> <application id>
set -euo pipefail
build=$1 id=$2
scratch=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR=$scratch/root cmake --install "$build" --prefix /usr >/dev/null
usr=$(cd "$scratch/root/usr" && pwd -P)

desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }
icons=$usr/share/icons/hicolor
[ -s "$icons/scalable/apps/$id.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
    png=$icons/${size}x${size}/apps/$id.png
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png")"
done
[ -s "$usr/share/man/man1/orvala.1.gz" ] || fail "no manual page"

# The program writes what it found once its main window is up.
mkdir -p "$scratch/home" "$scratch/work"
cd "$scratch/work"
HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config QT_LOGGING_RULES="orvala.*.debug=true" \
    "$usr/bin/orvala" 2>"$scratch/log" &
pid=$!
for _ in $(seq 600); do
    grep -q "user guide:" "$scratch/log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
pid=
guide=$(sed -n 's/.*user guide: //p' "$scratch/log")
[ "$guide" = "file://$usr/share/orvala/help/index.html" ] ||
    fail "the installed program found the guide at '$guide'; its log:$(printf '\n'; cat "$scratch/log")"
[ -f "$scratch/work/Photos.mdb" ] || fail "no Photos.mdb in the working folder"
echo "installed tree checked"
