#!/usr/bin/env bash
# The program as a user gets it: installed into a temporary prefix with
# cmake --install, then the installed command-line tool renders an example,
# the installed editor renders a host file without a display, opens a
# document given as a plain path with its own files from share/fensterdaten
# while it collects its log and language file in the user's data folder, the
# desktop file validates, the MIME type registers and cpack builds a Debian package
# with the same files.
# Usage: install_e2e.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
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

# A document opened from a file manager ("fensterdaten %f"), offscreen, until
# its first frame is drawn. The prefix is read-only and a user of its own
# owns the data folder: the program files come from share/fensterdaten, the
# log and the language file go to $XDG_DATA_HOME/fensterdaten, none into the
# prefix.
home=$work/home
mkdir -p "$home"
chmod -R a-w "$prefix"
before=$(cd "$prefix" && find . -printf '%p %s\n' | sort)
status=0
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u FENSTER_LOG_DIR HOME="$home" \
  XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=offscreen FENSTER_FIRST_PAINT=quit \
  timeout 60 "$prefix/bin/fensterdaten" "$work/Dreiteilig-mit-Sprossen.Fnt") >"$work/open.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  cat "$work/open.log" >&2
  fail "the installed editor opening a document ended with $status"
fi
grep -q 'first paint' "$work/open.log" || fail "the installed editor drew no frame"
collect=$home/data/fensterdaten
program=$(realpath "$prefix")/share/fensterdaten/
logs=$(ls "$collect"/log/*.log 2>/dev/null | head -n 1)
if [ -z "$logs" ]; then
  fail "no log in \$XDG_DATA_HOME/fensterdaten/log"
else
  grep -aqF "Programmordner: $program (5 Symbole, 5 Standardfenster)" "$logs" \
    || { grep -a Programmordner "$logs" >&2; fail "the installed editor did not find its files in share/fensterdaten"; }
  grep -aq 'Fehler' "$logs" && { cat "$logs" >&2; fail "opening the document logged an error"; }
  grep -aq 'Stop' "$logs" || fail "the log lacks the run's end"
fi
ls "$collect"/*.lng >/dev/null 2>&1 || fail "no language file in \$XDG_DATA_HOME/fensterdaten"
[ "$(cd "$prefix" && find . -printf '%p %s\n' | sort)" = "$before" ] || fail "the editor wrote into the prefix"
chmod -R u+w "$prefix"

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
