#!/usr/bin/env bash
# Makes the small HEIC and AVIF pictures beside this script with Debian's
# tools: heif-enc (libheif-examples) encodes, exiftool fills Exif, GPS and
# XMP. heif-enc writes even a tiny picture as a grid (an idat item), with a
# thumbnail when asked (-t) and an alpha plane for a PNG with alpha.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

convert -size 64x48 -seed 3 plasma: "$tmp/in.png"
convert "$tmp/in.png" -alpha on -channel A -evaluate set 50% +channel "$tmp/alpha.png"
convert "$tmp/in.png" "$tmp/in.jpg"  # AVIF from PNG trips the encoder here

heif-enc -q 30 "$tmp/in.png" -o plain.heic
heif-enc -q 30 "$tmp/in.png" -o gps.heic
heif-enc -q 30 -t 16 "$tmp/alpha.png" -o thumb-alpha.heic
heif-enc -A -q 30 "$tmp/in.jpg" -o gps.avif

gps=(-GPSLatitude=48.8 -GPSLatitudeRef=N -GPSLongitude=2.3 -GPSLongitudeRef=E)
exiftool -q -overwrite_original "${gps[@]}" -Make=Acme -Model=X1 -XMP-dc:Creator=Ann gps.heic
exiftool -q -overwrite_original -Artist=Ann -Software=Editor -XMP-xmp:CreateDate=2020:01:01 \
    thumb-alpha.heic
exiftool -q -overwrite_original "${gps[@]}" -SerialNumber=123 gps.avif
