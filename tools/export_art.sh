#!/usr/bin/env bash
# Writes every sprite, glyph, screen picture and whole screen as PNG at 1:1
# and 4:1, and every sound as WAV with a spectrogram and a table of its
# levels (peak and RMS distance from 128, mean, share of samples at 0 or 255).
# Needs ImageMagick and sox (Debian: imagemagick, sox).
#
#   tools/export_art.sh BUILD_DIR OUT_DIR
set -euo pipefail

build=${1:?usage: export_art.sh BUILD_DIR OUT_DIR}
out=${2:?usage: export_art.sh BUILD_DIR OUT_DIR}
mkdir -p "$out"/{sprites,glyphs,pictures,screens,sounds}
"$build/tools/orbostrak_export" "$out"

# No time stamps in the PNG files: the same art gives the same bytes.
png=(-define "png:exclude-chunks=date,time")
for pgm in "$out"/{sprites,glyphs,pictures,screens}/*.pgm; do
    base=${pgm%.pgm}
    /usr/bin/convert "$pgm" "${png[@]}" "$base.png"
    # Whole windows are large enough at 1:1.
    if [[ $pgm != "$out"/screens/* ]]; then
        /usr/bin/convert "$pgm" -filter point -resize 400% "${png[@]}" "$base@4x.png"
    fi
    rm "$pgm"
done

for raw in "$out"/sounds/*.u8; do
    base=${raw%.u8}
    sox -t raw -r 8000 -e unsigned-integer -b 8 -c 1 "$raw" "$base.wav"
    sox "$base.wav" -n spectrogram -x 800 -y 257 -z 90 -t "$(basename "$base")" -o "$base.spectrogram.png"
    rm "$raw"
done
cat "$out/sounds/levels.txt"
