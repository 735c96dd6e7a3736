"""The property panel driven from outside in host edit mode: three rows, the
bottom row's height, tilt and the segment arch, then "OK"; the host file must
hold exactly the description the editor writes for that window.
Usage (inside desktop_session.sh):
    property_panel_e2e.py path/to/fensterdaten path/to/fensterdaten-cli"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from atspi_driver import Editor, check, main  # noqa: E402

# Three rows; the bottom one 1200 mm high with a tilting segment arch whose
# measures start from that height (nine tenths of it for the rise).
EXPECTED = "3200,500,3,1200,1,500,F,K,T:9,r:1200,e:1080,b:1080;1000,1,500,F;1000,1,500,F;"


def file_text(path):
    with open(path, "rb") as f:
        return f.read().decode("cp1252")


def test(executable):
    cli = sys.argv[2]
    # The expected text is the writer's own form of that window.
    normalized = subprocess.run([cli, "normalize", "-"], input=EXPECTED.encode(), capture_output=True, check=True)
    check(normalized.stdout.decode().rstrip("\r\n") == EXPECTED,
          "the expected text is not the writer's form: %r" % normalized.stdout)

    with tempfile.TemporaryDirectory() as work:
        host = os.path.join(work, "host.Fnt")
        with open(host, "wb") as f:
            f.write(b"1000,500,1,1000,1,500,F;")
        env = os.environ.copy()
        env["FENSTER_CONFIG_DIR"] = os.path.join(work, "config")
        editor = Editor(executable, ["-FILE:" + host], env=env)
        try:
            editor.find("push button", "OK")
            rows = editor.find("spin button", "Anzahl Höhen")
            check(editor.value(rows) == 1, "the default window shows %s rows" % editor.value(rows))
            editor.set_value(rows, 3)
            editor.wait_until(lambda: editor.all(None, "Fenstergröße: 3000 x 500 mm"),
                              "the size caption of three rows")
            check(editor.all(None, "Höhe 1 von 3"), "the row group does not say row 1 of 3")

            height = editor.find("spin button", "1. Teilhöhe")
            editor.set_value(height, 1200)
            editor.wait_until(lambda: editor.all(None, "Fenstergröße: 3200 x 500 mm"),
                              "the size caption after the row height")

            tilt = editor.find("check box", "&Kippbar")
            check(editor.enabled(tilt), "Kippbar is disabled for a sash")
            editor.act(tilt)
            editor.wait_until(lambda: editor.checked(editor.find("check box", "Kippbar")), "Kippbar ticked")

            arch = editor.find("radio button", "Segmentbogen")
            editor.act(arch)
            editor.wait_until(lambda: editor.checked(editor.find("radio button", "Segmentbogen")),
                              "Segmentbogen chosen")
            editor.wait_until(lambda: editor.value(editor.find("spin button", "Extrahöhe (e)")) == 1080,
                              "the arch's extra height")
            # Only the segment arch's measures are shown for it, both of them.
            check(editor.value(editor.find("spin button", "Höhe 2 (b)")) == 1080, "Höhe 2 (b) is not 1080")

            editor.press("push button", "OK")
            editor.wait_until(lambda: file_text(host) == EXPECTED, "the host file to hold " + EXPECTED)
        finally:
            editor.close()
        check(file_text(host) == EXPECTED, "the host file holds %r" % file_text(host))


if __name__ == "__main__":
    main(test)
