"""The true-scale sheet and the CAD file from outside: "Export als PDF/SVG…"
opened by name through the accessibility interface, its dialog filled (A3,
Querformat, 1:50), the name typed into the save dialog; the PDF read by
pdfinfo and pdftotext, and "Export als DXF…" read back by ezdxf.
Arguments: the editor, tests/render/check_dxf.py."""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_driver import Editor, check, main  # noqa: E402

DESCRIPTION = "1500,1000,1,1500,2,500,L,F;500,R,F;"


def wait_for_file(path, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if os.path.exists(path) and os.path.getsize(path) > 0:
            return
        time.sleep(0.2)
    check(False, "%s was not written" % path)


def test(executable):
    check_dxf = sys.argv[2]
    work = tempfile.mkdtemp()
    editor = None
    try:
        document = os.path.join(work, "Haus.Fnt")
        with open(document, "w") as f:
            f.write(DESCRIPTION + "\n")
        env = os.environ.copy()
        env["FENSTER_CONFIG_DIR"] = os.path.join(work, "config")
        editor = Editor(executable, ["-FILE:" + document], env=env, cwd=work)
        editor.find("push button", "OK")

        editor.trigger_modal("&Datei", "Export als PDF/SVG…")
        title = "Export als PDF/SVG"
        dialog = editor.find("dialog", title)
        editor.find("radio button", "Hochformat", within=dialog)
        # Qt names a combo box by its current text; the paper combo is the
        # one that offers A3, and A3 is chosen from its list.
        editor.find("label", "Papier", within=dialog)
        papers = [o for o in editor.all("list item", "A3", within=dialog)]
        check(papers, "the paper combo offers A3")
        # The list has no selection interface: the keyboard chooses, as a
        # person does, in the combo that has the focus when the dialog opens.
        editor.focus_window(title)
        papers[0].parent.parent.queryComponent().grabFocus()
        time.sleep(0.2)
        editor.key("Down")
        editor.wait_until(lambda: editor.all("combo box", "A3", within=dialog), "A3 to be the paper")
        editor.act(editor.find("radio button", "Querformat", within=dialog))
        ratio = editor.find("text", "Maßstab 1:", within=dialog)
        editor.set_text(ratio, "50")
        editor.press("push button", "OK", within=dialog)
        editor.wait_until(lambda: not editor.showing("dialog", title), "the sheet dialog to close")

        sheet = os.path.join(work, "Blatt.pdf")
        editor.choose_file("Speichern unter", sheet, "Speichern")
        wait_for_file(sheet)
        info = subprocess.run(["pdfinfo", sheet], stdout=subprocess.PIPE, check=True).stdout.decode()
        size = [line for line in info.splitlines() if line.startswith("Page size:")]
        check(size and "1191 x 842 pts (A3)" in size[0], "the sheet is A3 landscape (420 x 297 mm): %r" % size)
        text = subprocess.run(["pdftotext", sheet, "-"], stdout=subprocess.PIPE, check=True).stdout.decode()
        check("M 1:50" in text and "Haus" in text, "the caption names the document and M 1:50: %r" % text)

        editor.trigger_modal("&Datei", "Export als DXF…")
        cad = os.path.join(work, "Haus-CAD.dxf")
        editor.choose_file("Speichern unter", cad, "Speichern")
        wait_for_file(cad)
        read = json.loads(subprocess.run(["/usr/bin/python3", check_dxf, cad], stdout=subprocess.PIPE,
                                         check=True).stdout)[cad]
        check(read["version"] == "AC1015" and read["audit_errors"] == 0, "ezdxf reads the DXF: %r" % read)
        outline = read["layer_stats"].get("Umriss")
        check(outline and outline["extents"], "the outline layer holds lines: %r" % read["layer_stats"])
        xmin, ymin, xmax, ymax = outline["extents"]
        check(abs((xmax - xmin) - 1000) < 2 and abs((ymax - ymin) - 1500) < 2,
              "the outline is 1000 x 1500 mm at 1:1: %r" % outline["extents"])

        editor.press("push button", "Abbrechen")
        check(editor.wait_exit() == 0, "the editor ends cleanly")
        # The sheet's values are kept with the preferences.
        with open(os.path.join(work, "config", "Vandl", "Fenster.json")) as f:
            stored = json.load(f)
        check((stored.get("ExportPapier"), stored.get("ExportQuer"), stored.get("ExportMassstab")) == ("A3", 1, 50),
              "the sheet is remembered: %r" % stored)
    finally:
        if editor is not None:
            editor.close()
        shutil.rmtree(work, ignore_errors=True)


main(test)
