"""Documents from outside: a document with a symbol and a dimension line is
loaded and saved under a new name through Qt's file dialogs, its four files
are checked byte for byte, loading it again shows the same drawing, and a
standard window from the program folder is laid over it."""

import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_driver import Editor, check, main  # noqa: E402

EXAMPLE = "Dreiteilig-mit-Sprossen"
STANDARD = b"1200,800,1,1200,1,800,L,F,K"  # no final ";": must stay as written


def read(path):
    with open(path, "rb") as f:
        return f.read()


def choose_file(editor, dialog_title, path, button):
    dialog = editor.find("dialog", dialog_title)
    name = [o for o in editor.all("text", "Dateiname:") if editor._is_inside(o, dialog)]
    check(name, "the %s dialog has no file name field" % dialog_title)
    editor.set_text(name[0], path)
    buttons = [o for o in editor.all("push button", button) if editor._is_inside(o, dialog)]
    check(buttons, "the %s dialog has no button %s" % (dialog_title, button))
    editor.act(buttons[0])
    # The save dialog is kept for the next use, hidden.
    editor.wait_until(lambda: not editor.showing("dialog", dialog_title), "the %s dialog to close" % dialog_title)


def drawing(editor):
    # Give the repaint after the command a moment to reach the screen.
    time.sleep(0.5)
    return editor.screenshot(editor.find("filler", "Zeichnung"))


def test(executable):
    examples = sys.argv[2]
    work = tempfile.mkdtemp()
    try:
        # The program folder is the executable's: a copy of it, with a
        # standard window beside it.
        program = os.path.join(work, "program")
        os.makedirs(program)
        shutil.copy2(executable, program)
        with open(os.path.join(program, "Eckfenster.std"), "wb") as f:
            f.write(STANDARD)
        documents = os.path.join(work, "Daten.2024")
        os.makedirs(documents)
        for extension in ("Fnt", "fn2", "fn3"):
            shutil.copy2(os.path.join(examples, EXAMPLE + "." + extension), documents)
        shutil.copy2(os.path.join(examples, "VSG.bmp"), documents)
        env = os.environ.copy()
        env["FENSTER_CONFIG_DIR"] = os.path.join(work, "config")
        editor = Editor(os.path.join(program, os.path.basename(executable)), [], env=env, cwd=documents)
        try:
            editor.find("menu item", "Datei")
            blank = drawing(editor)

            editor.trigger_modal("Datei", "Laden")
            choose_file(editor, "Öffnen", os.path.join(documents, EXAMPLE + ".Fnt"), "Öffnen")
            loaded = drawing(editor)
            check(loaded != blank, "loading did not change the drawing")
            editor.find("filler", "Korvelan V2 2025 - %s.Fnt" % EXAMPLE)

            # Typed without extension: the dialog adds "Fnt".
            copy = os.path.join(documents, "Kopie")
            editor.trigger_modal("Datei", "Speichern unter...")
            choose_file(editor, "Speichern unter", copy, "Speichern")
            editor.wait_until(lambda: os.path.exists(copy + ".Fnt"), "Kopie.Fnt")
            editor.find("filler", "Korvelan V2 2025 - Kopie.Fnt")
            expected = {
                "Fnt": read(os.path.join(examples, EXAMPLE + ".Fnt")),
                "fn2": read(os.path.join(examples, EXAMPLE + ".fn2")),
                "fn3": read(os.path.join(examples, EXAMPLE + ".fn3")),
                "fn4": b"[Settings]\r\nRandlinks=1\r\nRandunten=1\r\nBemassung=1\r\n",
            }
            for extension, content in expected.items():
                written = read(copy + "." + extension)
                check(written == content, "Kopie.%s holds %r, expected %r" % (extension, written, content))

            editor.trigger("Datei", "Neu")
            check(drawing(editor) == blank, "Neu did not show the default window")

            editor.trigger_modal("Datei", "Laden")
            choose_file(editor, "Öffnen", copy + ".Fnt", "Öffnen")
            check(drawing(editor) == loaded, "the saved copy does not draw like the original")

            # A standard window: asked, then laid over the document; its text
            # stays as written and the lists of the document stay.
            editor.trigger_modal("Standardfenster", "Eckfenster")
            editor.press("push button", "OK")
            standard = drawing(editor)
            check(standard not in (loaded, blank), "the standard window did not change the drawing")
            editor.trigger("Datei", "Speichern")
            editor.wait_until(lambda: read(copy + ".Fnt") == STANDARD, "the standard window saved as Kopie.Fnt")
            check(read(copy + ".fn2") == expected["fn2"], "the symbol list did not stay")
            check(read(copy + ".fn3") == expected["fn3"], "the dimension line list did not stay")
            check(sorted(os.listdir(documents)) == sorted(
                [EXAMPLE + ".Fnt", EXAMPLE + ".fn2", EXAMPLE + ".fn3", "VSG.bmp",
                 "Kopie.Fnt", "Kopie.fn2", "Kopie.fn3", "Kopie.fn4"]),
                "unexpected files: %s" % sorted(os.listdir(documents)))
        finally:
            editor.close()
    finally:
        shutil.rmtree(work, ignore_errors=True)


main(test)
