#!/usr/bin/env bash
# The editor's start to its first painted frame beside a bare QApplication
# showing an empty window, both under a private Xvfb, run alternately so that
# both see the same machine load. Each prints a line when its first frame is
# on screen and quits; the time is the whole process. Prints the median of
# each and their ratio:
#   bench/startup_frame.sh [build-folder] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${FENSTER_BUILD_DIR:-$root/build}}
runs=${2:-20}
editor=$build/src/app/fensterdaten
floor=$build/bench/bench_empty_window_floor
[ -x "$editor" ] && [ -x "$floor" ] || { echo "build fensterdaten and bench_empty_window_floor first" >&2; exit 1; }
if [ -z "${FENSTER_STARTUP_SESSION:-}" ]; then
    FENSTER_STARTUP_SESSION=1 exec "$root/tests/editor/e2e/desktop_session.sh" "$0" "$build" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export FENSTER_CONFIG_DIR=$work/config
export QT_QPA_PLATFORM=xcb

elapsed_us() { # command...: the time to the first-paint line, which ends the process
    local start end
    start=$(date +%s%N)
    FENSTER_FIRST_PAINT=quit "$@" >/dev/null 2>"$work/err"
    end=$(date +%s%N)
    grep -q '^first paint$' "$work/err" || { echo "no first paint from $1" >&2; cat "$work/err" >&2; exit 1; }
    echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One warm-up run each: the first start pays for the disk and font caches.
elapsed_us "$editor" >/dev/null
elapsed_us "$floor" >/dev/null
for _ in $(seq "$runs"); do
    elapsed_us "$editor" >>"$work/editor"
    elapsed_us "$floor" >>"$work/floor"
done
editor_us=$(median <"$work/editor")
floor_us=$(median <"$work/floor")
awk -v e="$editor_us" -v f="$floor_us" -v n="$runs" 'BEGIN {
    printf "editor       %8.1f ms to its first frame (median of %d)\n", e / 1000, n
    printf "empty window %8.1f ms (median of %d)\n", f / 1000, n
    printf "ratio        %8.2f\n", e / f
}'
