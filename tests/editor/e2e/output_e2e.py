"""The drawing leaving the real editor: the clipboard read back by a real
clipboard client (xclip) and a print job through a real CUPS queue that
writes PDF files, turned into pixels with pdftoppm.
Runs inside desktop_session.sh inside cups_session.sh; argument: the editor."""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_driver import DriverError, Editor, check, main  # noqa: E402

# A window twice as high as wide, two fields side by side.
DESCRIPTION = "2000,1000,1,2000,2,500,L,F;500,R,F;"
HEIGHT, WIDTH = 2000, 1000


def read_ppm(data):
    """(width, height, rows of (r, g, b)) of a binary P6 picture."""
    fields = []
    at = 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            at = data.index(b"\n", at) + 1
            continue
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    at += 1
    check(fields[0] == b"P6" and fields[3] == b"255", "not an 8-bit PPM picture")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[at:at + 3 * width * height]
    check(len(pixels) == 3 * width * height, "PPM picture cut short")
    return width, height, pixels


def ink_box(width, height, pixels):
    """Bounding box (left, top, right, bottom) of the pixels darker than 250."""
    left, top, right, bottom = width, height, -1, -1
    for y in range(height):
        row = pixels[3 * width * y:3 * width * (y + 1)]
        for x in range(width):
            r, g, b = row[3 * x], row[3 * x + 1], row[3 * x + 2]
            if (r + g + b) // 3 < 250:
                if x < left:
                    left = x
                if x > right:
                    right = x
                top = min(top, y)
                bottom = y
    return left, top, right, bottom


def count_colour(width, height, pixels, colour):
    target = bytes(colour)
    return sum(1 for i in range(0, 3 * width * height, 3) if pixels[i:i + 3] == target)


def to_ppm(picture_bytes, kind):
    return subprocess.run(["convert", kind + ":-", "-depth", "8", "ppm:-"], input=picture_bytes,
                          stdout=subprocess.PIPE, check=True).stdout


def clipboard(target):
    deadline = time.monotonic() + 10
    while True:
        result = subprocess.run(["xclip", "-selection", "clipboard", "-t", target, "-o"],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if result.returncode == 0 and result.stdout:
            return result.stdout
        if time.monotonic() > deadline:
            raise DriverError("the clipboard offers no %s: %s" % (target, result.stderr.decode(errors="replace")))
        time.sleep(0.2)


def drawing_area_size(editor):
    found = editor.all(None, "Zeichnung")
    check(found, "no drawing area named Zeichnung")
    area = found[0]
    extents = area.queryComponent().getExtents(0)
    return extents.width, extents.height


def wait_for_pdf(folder, timeout=60):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for name in os.listdir(folder):
            path = os.path.join(folder, name)
            if name.endswith(".pdf") and os.path.getsize(path) > 0:
                with open(path, "rb") as f:
                    data = f.read()
                if data.startswith(b"%PDF-") and b"%%EOF" in data[-1024:]:
                    return path
        time.sleep(0.2)
    raise DriverError("no PDF file arrived from the printer queue in %s" % folder)


def test(executable):
    folder = tempfile.mkdtemp()
    document = os.path.join(folder, "Fenster.Fnt")
    with open(document, "w") as f:
        f.write(DESCRIPTION + "\n")
    editor = Editor(executable, ["-FILE:" + document])
    try:
        editor.find("push button", "OK")
        time.sleep(0.5)
        area_width, area_height = drawing_area_size(editor)
        check(area_width > 100 and area_height > 100, "drawing area too small: %dx%d" % (area_width, area_height))

        # The screen copy: no highlighted field, cropped to the drawing.
        editor.menu("&Datei", "In &Zwischenablage")
        width, height, pixels = read_ppm(to_ppm(clipboard("image/png"), "png"))
        check(width < area_width and height < area_height,
              "the screen copy is cropped: %dx%d of %dx%d" % (width, height, area_width, area_height))
        check(count_colour(width, height, pixels, (0, 0, 255)) == 0, "the screen copy shows the selected field")
        left, top, right, bottom = ink_box(width, height, pixels)
        check(left == 0 and top == 0 and bottom == height - 1, "cropped to the content: %r" % ((left, top, right, bottom),))

        # The vector copy: SVG and PDF beside a picture of the expected size.
        editor.menu("&Datei", "In Zwischenablage (als &Meta)")
        targets = clipboard("TARGETS").decode().split()
        for wanted in ("image/svg+xml", "application/pdf", "image/png"):
            check(wanted in targets, "the vector copy offers %s: %s" % (wanted, targets))
        expected_width = round(area_width * WIDTH / HEIGHT) + 70
        width, height, pixels = read_ppm(to_ppm(clipboard("image/png"), "png"))
        check((width, height) == (expected_width, area_height),
              "vector copy picture %dx%d, expected %dx%d" % (width, height, expected_width, area_height))
        svg = clipboard("image/svg+xml")
        check(b"<svg" in svg and (b'viewBox="0 0 %d %d"' % (width, height)) in svg,
              "the SVG has the picture's size")
        check(b"<path" in svg or b"<polyline" in svg, "the SVG holds the drawing's lines")
        # The PDF target drawn to pixels at its 96 dpi shows the same drawing
        # as the picture.
        pdf_copy = clipboard("application/pdf")
        check(pdf_copy.startswith(b"%PDF-"), "the PDF target is a PDF")
        pdf_pixels = subprocess.run(["pdftoppm", "-r", "96", "-"], input=pdf_copy, stdout=subprocess.PIPE,
                                    check=True).stdout
        copy_w, copy_h, copy_pixels = read_ppm(pdf_pixels)
        check(abs(copy_w - width) <= 1 and abs(copy_h - height) <= 1, "PDF copy %dx%d" % (copy_w, copy_h))
        a = ink_box(width, height, pixels)
        b = ink_box(copy_w, copy_h, copy_pixels)
        check(all(abs(p - q) <= 3 for p, q in zip(a, b)), "PDF copy and picture differ: %r %r" % (a, b))

        # Printing: one page through the default queue, margins of 10 %.
        editor.menu("&Datei", "Fenster &drucken")
        pdf = wait_for_pdf(os.environ["CUPS_PDF_OUT"])
        page = subprocess.run(["pdftoppm", "-r", "40", "-f", "1", "-l", "1", pdf], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              check=True).stdout
        pw, ph, page_pixels = read_ppm(page)
        check(1.3 < ph / pw < 1.5, "a portrait page: %dx%d" % (pw, ph))
        left, top, right, bottom = ink_box(pw, ph, page_pixels)
        check(right > left and bottom > top, "the page is empty")
        check(left >= 0.08 * pw, "left margin of 10 %%: ink from %d of %d" % (left, pw))
        check(bottom <= 0.91 * ph, "bottom margin of 10 %%: ink to %d of %d" % (bottom, ph))
        check((bottom - top) > 1.2 * (right - left), "the tall window stays tall: %r" % ((left, top, right, bottom),))
        keep = os.environ.get("OUTPUT_E2E_KEEP_PAGE")
        if keep:
            subprocess.run(["pdftoppm", "-r", "60", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, keep], stderr=subprocess.DEVNULL,
                           check=True)
    finally:
        editor.close()


main(test)
