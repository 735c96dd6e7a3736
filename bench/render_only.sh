#!/usr/bin/env bash
# The whole render-only process (start, read, draw, crop, write, exit) beside
# a process that only starts a QApplication and exits, run alternately in one
# go so that both see the same machine load. Prints the median of each and
# their ratio. Run without a display, as a host's server would:
#   bench/render_only.sh [build-folder] [runs] [example]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${FENSTER_BUILD_DIR:-$root/build}}
runs=${2:-30}
example=${3:-$root/examples/Tuer-mit-Seitenteil-und-Oberlicht.Fnt}
editor=$build/src/app/fensterdaten
floor=$build/bench/bench_application_floor
[ -x "$editor" ] && [ -x "$floor" ] || { echo "build fensterdaten and bench_application_floor first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export FENSTER_CONFIG_DIR=$work/config

elapsed_us() { # command...
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One warm-up run each: the first start pays for the disk cache.
elapsed_us "$editor" "-FILE:$example" "-OUTFILE:$work/out.bmp" >/dev/null
QT_QPA_PLATFORM=offscreen elapsed_us "$floor" >/dev/null
for _ in $(seq "$runs"); do
    elapsed_us "$editor" "-FILE:$example" "-OUTFILE:$work/out.bmp" >>"$work/render"
    QT_QPA_PLATFORM=offscreen elapsed_us "$floor" >>"$work/floor"
done
render=$(median <"$work/render")
floor_us=$(median <"$work/floor")
awk -v r="$render" -v f="$floor_us" -v n="$runs" 'BEGIN {
    printf "render-only  %8.1f ms (median of %d)\n", r / 1000, n
    printf "QApplication %8.1f ms (median of %d)\n", f / 1000, n
    printf "ratio        %8.2f\n", r / f
}'
