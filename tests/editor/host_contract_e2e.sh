#!/usr/bin/env bash
# The host contract checked from outside, as a host program sees it: the real
# editor on a real X server (Xvfb), driven with xdotool, and render-only runs
# on a machine without any display.
# Usage: host_contract_e2e.sh path/to/fensterdaten [full-disk]
# With "full-disk" only the check of "OK" on a full file system runs.
set -euo pipefail

editor=$(realpath "$1")
only=${2:-}
work=$(mktemp -d)
small=
cleanup() {
    if [ -n "$small" ]; then umount "$small" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
export FENSTER_CONFIG_DIR="$work/config"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Exact bytes of a file, as hex, so that blanks and line breaks show.
bytes() { od -An -tx1 -v "$1" | tr -d ' \n'; }
hex() { printf '%s' "$1" | od -An -tx1 -v | tr -d ' \n'; }

expect_bytes() { # file expected-text what
    if [ "$(bytes "$1")" != "$(hex "$2")" ]; then
        fail "$3: file holds '$(cat "$1")', expected '$2'"
    fi
}

# ---------------------------------------------------------------------------
# Render-only without a display: the program picks the offscreen platform.
if [ -z "${FENSTER_E2E_INSIDE_X:-}" ] && [ -z "$only" ]; then
(
    unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
    printf '1000,1000,1,1000,1,1000,L,F,K;' >"$work/r.Fnt"
    printf 'old' >"$work/r.bmp"
    rc=0
    "$editor" "-FILE:$work/r.Fnt" "-OUTFILE:$work/r.bmp" M >"$work/r.out" 2>"$work/r.err" || rc=$?
    [ "$rc" = 0 ] || echo "FAIL: render-only exit code $rc" >&2
    head -c 2 "$work/r.bmp" | grep -q BM || echo "FAIL: render-only wrote no BMP" >&2
    bpp=$(od -An -tu2 -j28 -N2 "$work/r.bmp" | tr -d ' ')
    [ "$bpp" = 24 ] || echo "FAIL: BMP has $bpp bits per pixel" >&2

    printf '1000,1000,1,1000,1,F;' >"$work/bad.Fnt"
    rc=0
    "$editor" "-FILE:$work/bad.Fnt" "-OUTFILE:$work/bad.bmp" >"$work/bad.out" 2>/dev/null || rc=$?
    [ "$rc" = 137 ] || echo "FAIL: bad field width exit code $rc, expected 137" >&2
    grep -qx 'Fehler in Datendatei!' "$work/bad.out" || echo "FAIL: no 'Fehler in Datendatei!' on standard output" >&2
    [ ! -e "$work/bad.bmp" ] || echo "FAIL: a bitmap was written for a bad description" >&2

    rc=0
    "$editor" "-FILE:$work/missing.Fnt" "-OUTFILE:$work/m.bmp" >/dev/null 2>"$work/m.err" || rc=$?
    [ "$rc" = 2 ] || echo "FAIL: missing host file exit code $rc, expected 2" >&2
    grep -q 'missing.Fnt' "$work/m.err" || echo "FAIL: the error does not name the missing file" >&2
) 2>&1 | tee "$work/render.log" >&2
if grep -q FAIL "$work/render.log"; then failures=$((failures + 1)); fi
fi

# ---------------------------------------------------------------------------
# Host edit and read-only under Xvfb.
if [ -z "${FENSTER_E2E_INSIDE_X:-}" ]; then
    if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
        echo "xvfb-run and xdotool are needed (tools/setup-deps installs them)" >&2
        exit 1
    fi
    FENSTER_E2E_INSIDE_X=1 FENSTER_E2E_RENDER_FAILURES=$failures \
        xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
    exit $?
fi
failures=${FENSTER_E2E_RENDER_FAILURES:-0}
unset QT_QPA_PLATFORM

# The visible windows of the editor: the main window is the large one, a
# message box (same title) a small one.
editor_window() { windows_by_size -ge; }
message_box() { windows_by_size -lt; }
windows_by_size() { # -ge | -lt: compared with 640 pixels width
    local id
    for id in $(xdotool search --onlyvisible --name 'Korvelan V2 2025' 2>/dev/null || true); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed 's/^/box_/')"
        if [ "${box_WIDTH:-0}" "$1" 640 ]; then
            echo "$id"
            return 0
        fi
    done
}

# Waits for a message box and closes it with Return; fails when none comes.
dismiss_box() { # what
    local box=
    for _ in $(seq 50); do
        box=$(message_box)
        [ -n "$box" ] && break
        sleep 0.1
    done
    if [ -z "$box" ]; then
        fail "$1: no message box"
        return 1
    fi
    sleep 0.3
    xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
    for _ in $(seq 30); do
        [ -z "$(message_box)" ] && return 0
        sleep 0.1
    done
    fail "$1: the message box did not close"
}

pid=
start() { # arguments...
    "$editor" "$@" >/dev/null 2>&1 &
    pid=$!
    wid=
    for _ in $(seq 100); do
        wid=$(editor_window)
        [ -n "$wid" ] && break
        sleep 0.1
    done
    [ -n "$wid" ] || { fail "no editor window for $*"; return 1; }
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$wid")"
}

# The host bar's buttons lie at fixed places above the 20-pixel status bar.
click() { # OK | Entfernen | Abbrechen
    local x
    case $1 in
    OK) x=53 ;;
    Entfernen) x=149 ;;
    Abbrechen) x=$((WIDTH - 53)) ;;
    esac
    xdotool mousemove --window "$wid" "$x" $((HEIGHT - 42)) click 1
    sleep 0.3
}

wait_for_change() { # file old-hex
    for _ in $(seq 50); do
        [ "$(bytes "$1")" != "$2" ] && return 0
        sleep 0.1
    done
}

finish() { # expected: exits | killed
    local rc=0
    if [ "$1" = exits ]; then
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        if kill -0 "$pid" 2>/dev/null; then
            fail "the editor did not close"
            kill "$pid"
        fi
        wait "$pid" || rc=$?
        [ "$rc" = 0 ] || fail "exit code $rc after closing"
    else
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
}

# Mean brightness (0..1) of the window's top 18 pixel rows: the menu bar, or
# the white drawing area when there is no menu.
top_strip() {
    import -window "$wid" "$work/shot.png"
    convert "$work/shot.png" -crop "${WIDTH}x18+0+0" -colorspace Gray -format '%[fx:mean]' info:
}

if [ -z "$only" ]; then

# 1. "OK" without an edit writes the text as loaded, as Windows-1252 without
#    byte-order mark and without the final line break.
host="$work/Haus.Fnt"
printf '\xef\xbb\xbf2000,1000,1,1000,1,1000,L,F;\r\n' >"$host"
if start "-FILE:$host"; then
    old=$(bytes "$host")
    click OK
    wait_for_change "$host" "$old"
    expect_bytes "$host" '2000,1000,1,1000,1,1000,L,F;' "OK after no edit"
    menu_strip=$(top_strip)
    # 2. "Entfernen" then "OK": a single blank.
    click Entfernen
    old=$(bytes "$host")
    click OK
    wait_for_change "$host" "$old"
    expect_bytes "$host" ' ' "Entfernen and OK"
    click Abbrechen
    finish exits
fi

# 3. "Abbrechen" leaves the file as it was.
printf '1000,1000,1,1000,1,1000,R,F;\n' >"$host"
before=$(bytes "$host")
if start "-FILE:$host" M; then
    click Abbrechen
    finish exits
    [ "$(bytes "$host")" = "$before" ] || fail "Abbrechen changed the host file"
fi

# 4. Read-only shows no menu (and no host bar) and leaves the file alone.
if start "-FILE:$host" readonly; then
    strip=$(top_strip)
    if ! awk -v s="$strip" 'BEGIN { exit !(s > 0.99) }'; then
        fail "read-only window shows something above the drawing (brightness $strip)"
    fi
    if [ -n "${menu_strip:-}" ] && ! awk -v s="$menu_strip" 'BEGIN { exit !(s < 0.99) }'; then
        fail "the edit window's menu bar was not seen (brightness $menu_strip); the read-only check proves nothing"
    fi
    xdotool key --window "$wid" ctrl+s ctrl+b 2>/dev/null
    click OK
    finish killed
    [ "$(bytes "$host")" = "$before" ] || fail "read-only changed the host file"
fi

# 5. An empty host file becomes the default window on "OK".
: >"$host"
if start "-FILE:$host"; then
    click OK
    wait_for_change "$host" ""
    expect_bytes "$host" '1000,500,1,1000,1,500,F;' "empty host file and OK"
    click Abbrechen
    finish exits
fi

# 6. Render-only with a screen never waits for a person: every error ends the
#    run with its exit code, and no box is shown.
for case in missing notdescription samefile; do
    out="$work/ro.bmp"
    rm -f "$out"
    case $case in
    missing) in="$work/none.Fnt" ;;
    notdescription) in="$work/nd.Fnt"; printf '1000,abc,1,1000,1,1000,V;' >"$in" ;;
    samefile) in="$work/same.Fnt"; printf '1000,1000,1,1000,1,1000,V;' >"$in"; out="$work/same-link.Fnt"; ln -sf "$in" "$out" ;;
    esac
    before=$( [ -f "$in" ] && bytes "$in" || true)
    rc=0
    timeout 30 "$editor" "-FILE:$in" "-OUTFILE:$out" >/dev/null 2>"$work/ro.err" || rc=$?
    [ "$rc" = 2 ] || fail "render-only with a screen, $case: exit code $rc, expected 2"
    [ -s "$work/ro.err" ] || fail "render-only with a screen, $case: no message on standard error"
    if [ -f "$in" ] && [ "$(bytes "$in")" != "$before" ]; then fail "render-only, $case: the host file changed"; fi
done

# 7. A host file that could not be read is never overwritten by "OK".
big="$work/Gross.Fnt"
head -c $((16 * 1024 * 1024 + 1)) /dev/zero | tr '\0' '1' >"$big"
big_sum=$(cksum <"$big")
if start "-FILE:$big"; then
    dismiss_box "unreadable host file" || true
    click OK
    dismiss_box "OK after a failed read" || true
    [ "$(cksum <"$big")" = "$big_sum" ] || fail "OK replaced a host file that was never read"
    click Abbrechen
    finish exits
fi

fi

# 8. "OK" on a full disk keeps the host file's old bytes and reports the
#    error. Mounting needs root; elsewhere the check is skipped.
small="$work/small"
mkdir -p "$small"
if [ "$only" != full-disk ]; then
    small=
elif [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k tmpfs "$small" 2>/dev/null; then
    full="$small/Voll.Fnt"
    printf '1000,1000,1,1000,1,1000,V;' >"$full"
    if start "-FILE:$full"; then
        head -c 1048576 /dev/zero >"$small/fill" 2>/dev/null || true
        click OK
        dismiss_box "OK on a full disk" || true
        expect_bytes "$full" '1000,1000,1,1000,1,1000,V;' "OK on a full disk"
        click Abbrechen
        finish exits
    fi
else
    echo "skipped: OK on a full disk (mounting a small file system needs root)" >&2
    small=
fi

if [ "$failures" != 0 ]; then
    echo "$failures host contract check(s) failed" >&2
    exit 1
fi
echo "host contract: all checks passed"
