#!/usr/bin/env bash
# The program as a user gets it: installed into a temporary prefix with
# cmake --install, then the installed command-line tool renders an example,
# the installed editor renders a host file without a display, the desktop
# file validates, the MIME type registers and cpack builds a Debian package
# with the same files.
# Usage: install_e2e.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log" >&2; exit 1; }

for f in bin/fensterdaten bin/fensterdaten-cli \
  share/fensterdaten/VSG.BMP share/fensterdaten/help/Handbuch.pdf share/fensterdaten/Festverglasung.std \
  share/doc/fensterdaten/Handbuch.md \
  share/doc/fensterdaten/examples/Dreiteilig-mit-Sprossen.Fnt \
  share/applications/fensterdaten.desktop \
  share/icons/hicolor/scalable/apps/fensterdaten.svg \
  share/mime/packages/fensterdaten.xml; do
  [ -s "$prefix/$f" ] || fail "not installed: $f"
done
for f in bin/fensterdaten bin/fensterdaten-cli; do
  [ -x "$prefix/$f" ] || fail "not executable: $f"
done

# The desktop entry and the MIME type, as the desktop reads them.
desktop-file-validate "$prefix/share/applications/fensterdaten.desktop" || fail "desktop-file-validate"
grep -qx 'MimeType=application/x-fensterdaten;' "$prefix/share/applications/fensterdaten.desktop" \
  || fail "the desktop entry does not name the document type"
# Told where it is, update-mime-database does not warn about a folder
# outside the desktop's search path.
XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" || fail "update-mime-database"
grep -q '\*\.fnt' "$prefix/share/mime/globs2" 2>/dev/null || fail "no glob for *.Fnt in the MIME database"
grep -q 'application/x-fensterdaten' "$prefix/share/mime/globs2" 2>/dev/null || fail "the MIME type is not registered"
/usr/bin/python3 -c 'import sys, xml.dom.minidom as m; d = m.parse(sys.argv[1]); assert d.documentElement.tagName == "svg"' \
  "$prefix/share/icons/hicolor/scalable/apps/fensterdaten.svg" || fail "the icon is not an SVG document"
manual=$(pdftotext "$prefix/share/fensterdaten/help/Handbuch.pdf" -) || fail "pdftotext on the installed manual"
grep -qF 'Einsatz aus einem anderen Programm' <<<"$manual" || fail "the installed manual lacks its host-use chapter"

# The installed tools at work, from a folder of their own.
cd "$work"
cp "$source/examples/Dreiteilig-mit-Sprossen.Fnt" "$source/examples/Dreiteilig-mit-Sprossen.fn2" \
  "$source/examples/Dreiteilig-mit-Sprossen.fn3" "$source/examples/VSG.bmp" "$work/"
if "$prefix/bin/fensterdaten-cli" render Dreiteilig-mit-Sprossen.Fnt -o cli.png; then
  [ "$(head -c 8 cli.png | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "fensterdaten-cli render wrote no PNG"
else
  fail "fensterdaten-cli render"
fi

# A host's render-only run on a machine without a screen.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$prefix/bin/fensterdaten" -FILE:"$work/Dreiteilig-mit-Sprossen.Fnt" -OUTFILE:"$work/host.bmp" M \
  >"$work/editor.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  cat "$work/editor.log" >&2
  fail "the installed editor's render-only run ended with $status"
elif [ "$(head -c 2 "$work/host.bmp")" != "BM" ]; then
  fail "the installed editor wrote no BMP"
fi

# The Debian package holds the same files under /usr.
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null; then
  (cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
  deb=$(ls "$work"/package/*.deb 2>/dev/null | head -n 1)
  if [ -n "$deb" ]; then
    contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
    for f in ./usr/bin/fensterdaten ./usr/bin/fensterdaten-cli ./usr/share/fensterdaten/help/Handbuch.pdf \
      ./usr/share/applications/fensterdaten.desktop ./usr/share/mime/packages/fensterdaten.xml; do
      grep -qx "$f" <<<"$contents" || fail "the package lacks $f"
    done
    grep -q 'libqt6gui6' <<<"$(dpkg-deb -f "$deb" Depends)" || fail "the package's dependencies lack Qt"
    [ "$(dpkg-deb -f "$deb" Package)" = fensterdaten ] || fail "the package is not named fensterdaten"
  else
    fail "cpack made no package"
  fi
else
  fail "cpack or dpkg-deb missing (tools/setup-deps installs them)"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install_e2e: all checks passed"
