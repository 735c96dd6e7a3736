"""Presets, a macro and the proportional resize in host edit mode, from
outside: keys and mouse clicks through the X server, controls found through
the accessibility interface, the host file checked at the end against the
description the model gives for the expected window.
Usage: presets_e2e.py fensterdaten fensterdaten-cli"""

import os
import subprocess
import sys
import tempfile
import time

from atspi_driver import Editor, check, main

# The window after each step, starting from the default window
# 1000 x 500 mm with one sash:
AFTER_F4 = "1000,500,1,1000,1,500,R,F,K,G;"  # "Rechts Dreh-Kippflügel"
AFTER_NEW_ROW = "1500,500,2,500,1,500,F;1000,1,500,R,F,K,G;"  # 500 mm row below, selected
AFTER_RESIZE = "3000,1000,2,1000,1,1000,F;2000,1,1000,R,F,K,G;"  # to 1000 wide, 3000 high
AFTER_THUMBNAIL = "3000,1000,2,1000,1,1000,L,F,G;2000,1,1000,R,F,K,G;"  # "Links Drehflügel" on row 1
AFTER_DRAG = "3000,1000,2,1000,1,1000,L,F,G;2000,1,1000,V;"  # "Festverglast" dropped on row 2, the upper one


def xdotool(*arguments):
    subprocess.run(["xdotool", *[str(a) for a in arguments]], check=True)


def key(editor, keys):
    """A key press as the X server delivers it to the focused editor window."""
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(editor.process.pid)],
                         stdout=subprocess.PIPE, check=True).stdout.split()
    check(ids, "no visible editor window")
    xdotool("windowfocus", "--sync", ids[-1].decode())
    time.sleep(0.1)
    xdotool("key", keys)


def normalised(cli, description):
    """The description as the model writes it back."""
    out = subprocess.run([cli, "normalize", "-"], input=description.encode("latin-1"),
                         stdout=subprocess.PIPE, check=True).stdout
    return out.decode("latin-1").strip()


def host_text(path):
    with open(path, "rb") as f:
        return f.read().decode("latin-1").strip()


def upper_row_point(editor):
    """A screen point inside the upper row of the two-row window, found from
    the drawing as it is on screen: the drawing is the part of the drawing
    area that is not background. Rows are drawn from the bottom up, so the
    2000 mm row 2 fills the upper two thirds of the window; edge dimensions
    below and beside the window only push the point further into it."""
    area = editor.find(None, "Zeichnung")
    x, y, width, height = editor.extents(area)
    pixels = editor.screenshot(area)
    line = width * 3
    background = pixels[0:3]
    drawn = [(c, r) for r in range(0, height, 2) for c in range(0, width, 2)
             if pixels[r * line + c * 3:r * line + c * 3 + 3] != background]
    check(drawn, "nothing drawn in the drawing area")
    left, right = min(c for c, _ in drawn), max(c for c, _ in drawn)
    top, bottom = min(r for _, r in drawn), max(r for _, r in drawn)
    return x + left + (right - left) * 30 // 100, y + top + (bottom - top) * 35 // 100


def drag_thumbnail(editor, caption, target):
    """Presses the mouse on the thumbnail captioned caption, moves it in steps
    (a drag starts only after a few pixels) and lets go over target."""
    sx, sy = editor.centre(editor.find(None, caption))
    tx, ty = target
    xdotool("mousemove", "--sync", sx, sy)
    time.sleep(0.2)
    xdotool("mousedown", 1)
    steps = 20
    for i in range(1, steps + 1):
        xdotool("mousemove", "--sync", sx + (tx - sx) * i // steps, sy + (ty - sy) * i // steps)
        time.sleep(0.05)
    time.sleep(0.3)
    xdotool("mouseup", 1)
    time.sleep(0.3)


def test_with(executable, cli):
    for step in (AFTER_F4, AFTER_NEW_ROW, AFTER_RESIZE, AFTER_THUMBNAIL, AFTER_DRAG):
        check(normalised(cli, step) == step, "the model writes %r as %r" % (step, normalised(cli, step)))

    work = tempfile.mkdtemp()
    host = os.path.join(work, "host.Fnt")
    with open(host, "wb") as f:
        f.write(b"1000,500,1,1000,1,500,F;\r\n")
    env = os.environ.copy()
    env["FENSTER_CONFIG_DIR"] = os.path.join(work, "config")
    editor = Editor(executable, ["-FILE:" + host], env=env)
    try:
        editor.find("push button", "OK")

        def save_and_expect(expected, what):
            editor.press("push button", "OK")
            editor.wait_until(lambda: host_text(host) == expected,
                              "%s: host file %r, expected %r" % (what, host_text(host), expected))

        key(editor, "F4")
        save_and_expect(AFTER_F4, "F4")

        # The panel's edit that has the keyboard leaves Ctrl+Ins to the menu.
        key(editor, "ctrl+Insert")
        save_and_expect(AFTER_NEW_ROW, "Nue Zeile untern einfügen")

        # The menu item opens the modal dialog, as Ctrl+M does.
        editor.trigger_modal("&Fenstereinstellungen", "&Fenstermaße ändern")
        dialog = editor.find("dialog", "Fenstermaße ändern")
        width = editor.find("text", "neue Breite [mm]", within=dialog)
        height = editor.find("text", "neue Höhe [mm]", within=dialog)
        check(editor.text(width) == "500" and editor.text(height) == "1500",
              "the dialog offers %r x %r" % (editor.text(width), editor.text(height)))
        editor.set_text(width, "1000")
        editor.set_text(height, "3000")
        editor.press("push button", "OK", within=dialog)
        editor.wait_until(lambda: not editor.all("dialog", "Fenstermaße ändern"), "the dialog to close")
        save_and_expect(AFTER_RESIZE, "Fenstermaße ändern")

        # The thumbnails, shown by Ctrl+H, take a real click.
        key(editor, "ctrl+h")
        thumbnail = editor.find(None, "Links Drehflügel")
        tx, ty = editor.centre(thumbnail)
        xdotool("mousemove", tx, ty)
        time.sleep(0.2)
        xdotool("click", 1)
        save_and_expect(AFTER_THUMBNAIL, "thumbnail click")

        # A thumbnail dragged onto a field runs its preset on that field, not
        # on the one selected before (row 1, which the click changed).
        drag_thumbnail(editor, "Festverglast", upper_row_point(editor))
        fixed = editor.find("radio button", "fest Verglast")
        editor.wait_until(lambda: editor.checked(fixed), "the panel to show the dropped preset")
        save_and_expect(AFTER_DRAG, "thumbnail dropped on row 2")

        editor.press("push button", "Abbrechen")
        check(editor.wait_exit() == 0, "the editor ends cleanly")
        check(host_text(host) == AFTER_DRAG, "Abbrechen keeps the last saved window")
    finally:
        editor.close()


main(lambda executable: test_with(executable, sys.argv[2]))
