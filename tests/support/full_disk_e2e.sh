#!/usr/bin/env bash
# A full disk seen from outside: the real programs write onto a 64 KiB tmpfs
# filled to the last byte and must keep what was there.
# Usage: full_disk_e2e.sh editor path/to/fensterdaten
#        full_disk_e2e.sh cli path/to/fensterdaten-cli
set -uo pipefail

[ "$(id -u)" = 0 ] || { echo "SKIP: mounting a small tmpfs needs root"; exit 77; }
mode=$1
program=$(realpath "$2")
work=$(mktemp -d)
disk="$work/disk"
mkdir "$disk"
if ! mount -t tmpfs -o size=64k tmpfs "$disk"; then
    rm -rf "$work"
    echo "SKIP: cannot mount a tmpfs here"
    exit 77
fi
trap 'umount -l "$disk"; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

printf '1000,1000,1,1000,1,1000,L,F,K;' >"$work/r.Fnt"
printf 'alt-bmp' >"$disk/x.bmp"
printf 'alt-png' >"$disk/x.png"
mkdir -p "$disk/config/Vandl"
printf '{"Rahmen":"7","Fremd":"bleibt"}' >"$disk/config/Vandl/Fenster.json"
cp "$disk/config/Vandl/Fenster.json" "$work/Fenster.json"
dd if=/dev/zero of="$disk/fill" bs=4k 2>/dev/null
dd if=/dev/zero of="$disk/fill2" bs=1 2>/dev/null

if [ "$mode" = editor ]; then
rc=0
FENSTER_CONFIG_DIR="$disk/config" QT_QPA_PLATFORM=offscreen \
    "$program" "-FILE:$work/r.Fnt" "-OUTFILE:$disk/x.bmp" >/dev/null 2>"$work/e.err" || rc=$?
[ "$rc" = 2 ] || fail "render-only onto a full disk exited $rc, expected 2"
grep -q 'nicht genug Speicherplatz' "$work/e.err" || fail "no disk-full message: $(cat "$work/e.err")"
[ "$(cat "$disk/x.bmp")" = alt-bmp ] || fail "the old picture was damaged"
cmp -s "$disk/config/Vandl/Fenster.json" "$work/Fenster.json" || fail "the preferences store changed"
else

rc=0
"$program" render "$work/r.Fnt" -o "$disk/x.png" >/dev/null 2>"$work/c.err" || rc=$?
[ "$rc" != 0 ] || fail "the command-line tool reported success on a full disk"
[ "$(cat "$disk/x.png")" = alt-png ] || fail "the old PNG was damaged"
fi

left=$(find "$disk" -name '*.tmp*' -printf x | wc -c)
[ "$left" = 0 ] || fail "$left temporary files left behind"
exit $((failures > 0))
