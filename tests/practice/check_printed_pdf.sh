#!/usr/bin/env bash
# Reads the PDF that the printing test sent to the private printer: every entry on
# paper once per copy, the pages of the copies alike, and the text at the margins.
# Skipped (77) when the printing test printed nothing, as without a printer.
set -euo pipefail
out=${LINGORIX_PRINT_OUT:-}
[ -n "$out" ] && [ -f "$out/printing-test.txt" ] || exit 77
pdf=$out/printing-test.pdf
. "$out/printing-test.txt"
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
[ $((pages % copies)) -eq 0 ] || { echo "pages $pages not a multiple of $copies copies"; exit 1; }
per=$((pages / copies))
[ "$per" -ge 2 ] || { echo "200 entries on $per page"; exit 1; }
first=$(pdftotext -layout -f 1 -l "$per" "$pdf" - | tr -d '\f')
for c in $(seq 2 "$copies"); do
  [ "$(pdftotext -layout -f $(((c - 1) * per + 1)) -l $((c * per)) "$pdf" - | tr -d '\f')" = "$first" ] ||
    { echo "copy $c differs from the first"; exit 1; }
done
n=$(grep -cE '^palabra[0-9]{3} +. +word[0-9]{3}$' <<<"$first" || true)
[ "$n" -eq "$entries" ] || { echo "$n of $entries entries on the first copy"; exit 1; }
grep -q '^Spanish  *English$' <<<"$first" || { echo "no header"; exit 1; }
read -r x y < <(pdftotext -bbox -f 1 -l 1 "$pdf" - | sed -n 's/.*<word xMin="\([0-9.]*\)" yMin="\([0-9.]*\)".*/\1 \2/p' | head -1)
awk -v x="$x" -v y="$y" -v l="$left" -v t="$top" 'BEGIN {
  if (x < l - 1 || x > l + 1) { print "left edge " x " not " l; exit 1 }
  if (y < t || y > t + 6) { print "top line at " y " not just below " t; exit 1 } }'
