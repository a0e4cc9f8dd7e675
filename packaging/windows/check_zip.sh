#!/bin/bash
# Builds the Windows zip and checks what a user finds in it: the three programs, the data at
# the top beside them, the pictures under gfx/, and a German read-me with Windows line ends.
# Usage: check_zip.sh BUILD_FOLDER DATA_FOLDER (the native build's data the zip packs)
set -eu
build=$1
data=$2
cmake --build "$build" --target windows-zip >/dev/null
zip="$build/Minnespiegel-1.0-win64.zip"
[ -f "$zip" ] || { echo "no $zip"; exit 1; }
listing=$(unzip -Z1 "$zip")
for file in minnespiegel.exe minnespiegel-oracle.exe minnespiegel-image.exe sw.dat hv.dat hilfe.dat \
    resource.dat LIESMICH.txt gfx/mi_titel2.jpg gfx/cursor.bmp; do
    printf '%s\n' "$listing" | grep -qx "$file" || { echo "the zip lacks $file"; exit 1; }
done
unexpected=$(printf '%s\n' "$listing" | grep -v '^gfx/' |
    grep -vxE 'minnespiegel(-oracle|-image)?\.exe|(sw|hv|hilfe|resource)\.dat|LIESMICH\.txt' || true)
[ -z "$unexpected" ] || { echo "the zip holds more: $unexpected"; exit 1; }
[ "$(printf '%s\n' "$listing" | grep -c '^gfx/.')" -eq "$(find "$data/gfx" -type f | wc -l)" ] ||
    { echo "not every picture is in the zip"; exit 1; }
readme=$(mktemp)
trap 'rm -f "$readme"' EXIT
unzip -p "$zip" LIESMICH.txt >"$readme"
# Every line ends in CR LF, and the umlauts are single Windows-1252 bytes.
[ "$(grep -c $'\r$' "$readme")" -eq "$(wc -l <"$readme")" ] || { echo "LIESMICH.txt has bare LF"; exit 1; }
iconv -f WINDOWS-1252 -t UTF-8 "$readme" | grep -q "Tasten und Maus" || { echo "LIESMICH.txt is not Windows-1252"; exit 1; }
grep -q $'\xFC' "$readme" || { echo "LIESMICH.txt has no ü as one byte"; exit 1; }
for topic in "/v" "--window" "Esc" "HKEY_CURRENT_USER" "error_log.txt"; do
    grep -qF -- "$topic" "$readme" || { echo "LIESMICH.txt does not mention $topic"; exit 1; }
done
echo "zip: $(printf '%s\n' "$listing" | wc -l) entries, $(stat -c %s "$zip") bytes"
