#!/usr/bin/env bash
# Runs a command inside a private desktop session: its own X server (Xvfb),
# D-Bus session bus and accessibility bus, so that the editor's controls can
# be found and driven through the desktop accessibility interface. Everything
# started here is stopped again when the command ends.
# Usage: desktop_session.sh command [arguments...]
set -euo pipefail

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# The X server picks a display number nobody uses and tells it once it
# accepts connections: several sessions starting at once never race for one.
# A client must then really get through; a server that does not take one
# (it happened once on a loaded machine) is replaced, at most three times.
display=""
for attempt in 1 2 3; do
    Xvfb -displayfd 5 -screen 0 1600x1200x24 -nolisten tcp 5>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    pids+=("$xvfb")
    display=""
    for _ in $(seq 1 200); do
        if [ -s "$work/display" ]; then display=":$(head -n 1 "$work/display")"; break; fi
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.05
    done
    if [ -n "$display" ] && [ "$display" != ":" ]; then
        for _ in $(seq 1 50); do
            if DISPLAY="$display" xdotool getdisplaygeometry >/dev/null 2>&1; then break 2; fi
            sleep 0.1
        done
    fi
    echo "the X server did not take a client (attempt $attempt):" >&2
    cat "$work/xvfb.log" >&2
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    display=""
    : >"$work/display"
done
[ -n "$display" ] || { echo "the X server did not start" >&2; exit 1; }
export DISPLAY="$display"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
pids+=("$(cat "$work/bus.pid")")
export DBUS_SESSION_BUS_ADDRESS
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)
# The registry answers once the accessibility bus is up.
for _ in $(seq 1 100); do
    if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; then
        break
    fi
    sleep 0.05
done

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1
export NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
status=0
"$@" || status=$?
if [ "$status" -ne 0 ] && [ -s "$work/xvfb.log" ]; then
    echo "--- X server log ($DISPLAY) ---" >&2
    cat "$work/xvfb.log" >&2
fi
exit "$status"
