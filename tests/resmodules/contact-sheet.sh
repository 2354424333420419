#!/bin/sh
# Renders the contact sheet under Wine and converts it to PNG for people to look at.
# Usage: contact-sheet.sh PROGRAM OUT_DIR
set -eu
program=$1
out=$2
rm -f "$out/contact-sheet.bmp" "$out/contact-sheet.png"
wine "$program" "Z:$(echo "$out/contact-sheet.bmp" | tr / '\\')"
convert "$out/contact-sheet.bmp" "$out/contact-sheet.png"
echo "contact sheet: $out/contact-sheet.png"
