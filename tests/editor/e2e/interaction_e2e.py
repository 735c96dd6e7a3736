"""The drawing area from outside: real mouse clicks (xdotool) on the real
editor, checked through the accessibility interface and the screen's pixels.
A field is selected by a click, a symbol placed and grown, a free dimension
line drawn with three clicks, the document saved and its ".fn2" and ".fn3"
records checked, the lengths read back in "Maßzahlen einstellen", the line
deleted and saved again."""

import os
import re
import subprocess
import tempfile
import time

from atspi_driver import DriverError, Editor, check, main

PROMPT_WINDOW = "Fenstermodus aktiv"
PROMPT_PLACE = "Bitte wählen sie die Position aus, an der das Symbol eingefügt werden soll!"
PROMPT_FIRST = "Freie Bemaßung - Bitte geben Sie den ersten Maßpunkt an!"
PROMPT_SECOND = "Freie Bemaßung - Bitte geben Sie den zweiten Maßpunkt an!"
PROMPT_PLACEMENT = "Freie Bemaßung - Bitte geben Sie den Punkt für die Bemaßung an!"
PROMPT_SYMBOLS = "Bitmapmodus aktiv"
PROMPT_LINES = "Maßlinienmodus aktiv"


def read(path):
    with open(path, encoding="cp1252") as f:
        return f.read()


def darkness(box, work):
    """Mean darkness (0 white .. 1 black) of a screen rectangle."""
    x, y, w, h = box
    shot = "%s/shot.png" % work
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), shot], check=True)
    mean = subprocess.run(["convert", shot, "-colorspace", "Gray", "-format", "%[fx:mean]", "info:"],
                          check=True, capture_output=True, text=True).stdout
    return 1.0 - float(mean)


def test(executable):
    work = tempfile.mkdtemp()
    env = dict(os.environ, FENSTER_CONFIG_DIR=work + "/config")
    editor = Editor(executable, env=env, cwd=work)
    try:
        areas = [o for o in editor.all(None, "Zeichnung")]
        check(areas, "no drawing area on the accessibility bus")
        area = areas[0]
        prompt = editor.find("label", "Modus")
        position = editor.find("label", "Position")

        def wait_prompt(text):
            editor.wait_until(lambda: prompt.name == text or editor.text(prompt) == text,
                              "the prompt %r (it shows %r)" % (text, editor.text(prompt)))

        x0, y0, w, h = editor.extents(area)
        check(w > 200 and h > 200, "the drawing area is %dx%d" % (w, h))
        cx, cy = x0 + w // 2, y0 + h // 2
        wait_prompt(PROMPT_WINDOW)

        # Window mode: a click in the field selects it; the readout follows the pointer.
        editor.click_at(cx, cy)
        editor.move_to(cx + 10, cy + 10)
        editor.wait_until(lambda: editor.text(position).startswith("X: "), "the pointer readout")
        readout = editor.text(position)
        check(" mm  Y: " in readout and readout.endswith(" mm"), "readout %r" % readout)
        wait_prompt(PROMPT_WINDOW)

        # A symbol of our own, placed with one click in the lower left.
        symbol_at = (x0 + w // 4, y0 + 3 * h // 4)
        before = darkness((symbol_at[0] - 40, symbol_at[1] - 40, 80, 80), work)
        editor.menu("&Symbole", "VSG")
        wait_prompt(PROMPT_PLACE)
        editor.close_menus()
        editor.click_at(*symbol_at)
        wait_prompt(PROMPT_SYMBOLS)
        time.sleep(0.5)
        placed = darkness((symbol_at[0] - 40, symbol_at[1] - 40, 80, 80), work)
        check(placed > before + 0.01, "no symbol appeared (darkness %.3f, before %.3f)" % (placed, before))

        # Selected by a click on it, grown with Ctrl+Z: more of the picture is dark.
        editor.click_at(*symbol_at)
        time.sleep(0.3)
        editor.key("ctrl+z")
        editor.key("ctrl+z")
        editor.key("ctrl+z")
        time.sleep(0.5)
        grown = darkness((symbol_at[0] - 40, symbol_at[1] - 40, 80, 80), work)
        check(grown > placed, "Ctrl+Z did not grow the symbol (%.4f, before %.4f)" % (grown, placed))

        # Free dimensioning: two measured points, then the placement above them.
        editor.key("ctrl+f")
        wait_prompt(PROMPT_FIRST)
        editor.click_at(cx - 100, cy)
        wait_prompt(PROMPT_SECOND)
        editor.click_at(cx + 100, cy)
        wait_prompt(PROMPT_PLACEMENT)
        editor.click_at(cx, cy - 80)
        wait_prompt(PROMPT_LINES)
        # For the README: FENSTER_E2E_SCREENSHOT names a PNG of the window as it stands.
        if os.environ.get("FENSTER_E2E_SCREENSHOT"):
            time.sleep(0.5)
            subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w + 40, h + 120, x0 - 20, y0 - 60),
                            os.environ["FENSTER_E2E_SCREENSHOT"]], check=True)

        # Saved: the grown symbol and the dimension line are records of the companions.
        document = os.path.join(work, "Interaktion")
        editor.trigger_modal("Datei", "Speichern unter...")
        editor.choose_file("Speichern unter", document, "Speichern")
        editor.wait_until(lambda: os.path.exists(document + ".fn3"), "Interaktion.fn3")
        editor.focus_window("Korvelan V2 2025")
        symbols = read(document + ".fn2")
        check(re.fullmatch(r"B:VSG\.BMP,-?\d+,-?\d+,13,[0-9.,E-]+;\s*", symbols),
              "Interaktion.fn2 holds %r, expected one VSG symbol of size 13" % symbols)
        lines = read(document + ".fn3")
        record = re.fullmatch(r"M:(-?\d+),(-?\d+),(-?\d+),(-?\d+),(-?\d+),0;\s*", lines)
        check(record, "Interaktion.fn3 holds %r, expected one horizontal dimension line" % lines)
        x1, y1, x2, y2, dy = (int(v) for v in record.groups())
        check(y1 == y2 and x2 > x1 and dy > 0, "the dimension line record %r" % lines)

        # One click selects dimension line 1; its lengths come up in the dialog.
        editor.click_at(cx, cy + 50)
        time.sleep(0.3)
        editor.key("ctrl+alt+e")
        dialog = editor.find("dialog", "Maßzahlen einstellen")
        spins = [o for o in editor.all("spin button") if editor._is_inside(o, dialog)]
        check(len(spins) == 2, "the dialog has %d spin edits" % len(spins))
        horizontal, vertical = spins
        check(editor.enabled(horizontal), "the horizontal length is not offered")
        check(editor.value(horizontal) == x2 - x1,
              "horizontal length %s, the record says %d" % (editor.value(horizontal), x2 - x1))
        check(not editor.enabled(vertical) and editor.value(vertical) == 1,
              "the vertical edit is not the disabled 1")
        editor.press("push button", "Abbruch")
        editor.wait_until(lambda: not editor.all("dialog", "Maßzahlen einstellen"), "the dialog to close")
        editor.focus_window("Korvelan V2 2025")

        # Deleted: the selection now names no record, so the dialog is refused.
        editor.key("ctrl+alt+d")
        time.sleep(0.3)
        editor.key("ctrl+alt+e")
        editor.find("label", "Keine Maßlinie ausgewählt!")
        editor.key("Return")
        editor.focus_window("Korvelan V2 2025")
        editor.key("ctrl+s")
        editor.wait_until(lambda: read(document + ".fn3").strip() == "", "the deleted line to leave Interaktion.fn3")
    finally:
        editor.close()


if __name__ == "__main__":
    main(test)
