#!/usr/bin/env bash
# The manual the build renders beside the editor: a PDF whose text holds
# the chapters of docs/Handbuch.md.
# Usage: manual_check.sh HANDBUCH_PDF
set -euo pipefail
pdf=$1
[ -s "$pdf" ] || { echo "FAIL: $pdf missing or empty" >&2; exit 1; }
[ "$(head -c 5 "$pdf")" = "%PDF-" ] || { echo "FAIL: $pdf is no PDF" >&2; exit 1; }
text=$(pdftotext "$pdf" -)
for heading in "Fensterdaten – Handbuch" "Voreinstellungen F1 bis F12" "Freie Bemaßung" \
  "Dokumente und Begleitdateien" "Einsatz aus einem anderen Programm"; do
  grep -qF "$heading" <<<"$text" || { echo "FAIL: the manual lacks \"$heading\"" >&2; exit 1; }
done
echo "manual_check: $pdf holds the manual"
