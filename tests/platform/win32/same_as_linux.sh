#!/bin/sh
# The Windows tools give what the Linux tools give: the oracle the same answers, byte for byte,
# to the same 200 questions with the same seed (through pipes); the picture tool the same PPM
# bytes for every test picture, the program's JPEG pictures within a small difference per
# channel and the synthetic test JPEGs within a small mean difference.
# usage: same_as_linux.sh LINUX_BIN_DIR WINDOWS_BIN_DIR DATA_DIR SOURCE_DIR WORK_DIR
set -eu
linux=$1 windows=$2 data=$3 source=$4 work=$5
jpegTolerance=3
syntheticMeanTolerance=400
failed=0
rm -rf "$work" && mkdir -p "$work"

# 150 questions of the oracle's tests and 50 made of words the answer files know, in UTF-8.
{
    iconv -f CP1252 -t UTF-8 "$source/tests/oracle/harmless-questions.txt"
    iconv -f CP1252 -t UTF-8 "$source/tests/oracle/help-questions.txt"
    i=0
    for who in Jürgen Mädchen Freund Schwester Lehrer; do
        for what in "liebt mich" "denkt an mich" "hasst mich" "küsst mich" "wird mich heiraten" \
                    "vermisst mich" "ist treu" "schläft schlecht" "grüßt mich nicht" "will Geld"; do
            echo "Mein $who $what?"
            i=$((i + 1))
        done
    done
} > "$work/questions.txt"
count=$(wc -l < "$work/questions.txt")
[ "$count" -eq 200 ] || { echo "expected 200 questions, made $count"; exit 1; }

for mode in --raw ""; do
    (cd "$data" && "$linux/minnespiegel-oracle" $mode --seed 4711 < "$work/questions.txt" > "$work/linux$mode.txt")
    (cd "$data" && wine "$windows/minnespiegel-oracle.exe" $mode --seed 4711 < "$work/questions.txt" > "$work/windows$mode.txt")
    if ! cmp "$work/linux$mode.txt" "$work/windows$mode.txt"; then
        echo "oracle ${mode:-interactive}: answers differ"
        failed=1
    fi
done

# The largest difference of one byte between two files of the same size, and the mean
# difference in hundredths.
differences() {
    cmp -l "$1" "$2" | awk -v bytes="$(wc -c < "$1")" '
        function oct(s,  v, k) { v = 0; for (k = 1; k <= length(s); k++) v = v * 8 + substr(s, k, 1); return v }
        { d = oct($2) - oct($3); if (d < 0) d = -d; if (d > m) m = d; sum += d }
        END { printf "%d %d\n", m, int(sum * 100 / bytes) }'
}

for picture in "$source"/tests/image/fixtures/*.bmp "$source"/tests/image/fixtures/*.tga \
               "$source"/tests/image/fixtures/*.pcx "$source"/tests/image/fixtures/*.psd \
               "$source"/tests/image/fixtures/*.jpg "$data"/gfx/*.jpg "$data"/gfx/tor.bmp \
               "$data"/gfx/cursor.bmp "$data"/gfx/eingabe.bmp; do
    name=$(basename "$picture")
    depths="32 16"
    case $name in *.jpg) depths=32 ;; esac # a channel off by one may change a 5-bit step
    for depth in $depths; do
        "$linux/minnespiegel-image" "$picture" "$work/linux-$depth-$name.ppm" --depth $depth > /dev/null
        wine "$windows/minnespiegel-image.exe" "$picture" "$work/windows-$depth-$name.ppm" --depth $depth > /dev/null
        case $name in
        *.jpg)
            if [ "$(wc -c < "$work/linux-$depth-$name.ppm")" -ne "$(wc -c < "$work/windows-$depth-$name.ppm")" ]; then
                echo "$name at $depth bits: sizes differ"; failed=1; continue
            fi
            set -- $(differences "$work/linux-$depth-$name.ppm" "$work/windows-$depth-$name.ppm")
            echo "$name: largest channel difference $1, mean $2/100"
            case $picture in
            "$data"/*) [ "$1" -le $jpegTolerance ] || failed=1 ;;
            # Sharp-edged synthetic pictures with halved colour resolution: the two decoders
            # fill in the colour between samples a little differently.
            *) [ "$2" -le $syntheticMeanTolerance ] || failed=1 ;;
            esac ;;
        *)
            cmp "$work/linux-$depth-$name.ppm" "$work/windows-$depth-$name.ppm" || failed=1 ;;
        esac
    done
done
exit $failed
