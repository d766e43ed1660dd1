#!/usr/bin/env bash
# Makes the small PNG and WebP pictures in png/ and webp/ with Debian's
# tools (ImageMagick, cwebp, img2webp, webpmux, exiftool): metadata of every
# kind in every chunk that holds it, an ICC profile, orientations, APNG and
# animated WebP, and damaged copies that must be refused.
#   tests/jhead/pictures/make_png_webp.sh
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
et() { exiftool -q -q -overwrite_original "$@"; }

# A minimal RGB ICC profile (version 2: description, white point,
# primaries, one gamma curve shared by the three channels).
python3 - "$tmp/rgb.icc" <<'PY'
import struct, sys
def xyz(x, y, z): return b"XYZ \0\0\0\0" + struct.pack(">3i", *(round(v * 65536) for v in (x, y, z)))
desc = b"desc\0\0\0\0" + struct.pack(">I", 5) + b"test\0" + b"\0" * 79
tags = [(b"desc", desc), (b"wtpt", xyz(0.9642, 1, 0.8249)), (b"rXYZ", xyz(0.4361, 0.2225, 0.0139)),
        (b"gXYZ", xyz(0.3851, 0.7169, 0.0971)), (b"bXYZ", xyz(0.1431, 0.0606, 0.7141)),
        (b"rTRC", b"curv\0\0\0\0" + struct.pack(">IH", 1, 0x0233) + b"\0\0")]
table, data, at = [], b"", 128 + 4 + 12 * (len(tags) + 2)
for sig, body in tags:
    table.append((sig, at + len(data), len(body)))
    data += body
table += [(b"gTRC",) + table[-1][1:], (b"bTRC",) + table[-1][1:]]
size = at + len(data)
head = struct.pack(">I4sI4s4s4s12s4s4sI4s4sQI", size, b"none", 0x02100000, b"mntr", b"RGB ", b"XYZ ",
                   b"\0" * 12, b"acsp", b"APPL", 0, b"none", b"none", 0, 0)
head += struct.pack(">3i", 63190, 65536, 54061) + b"\0" * 48
head = head.ljust(128, b"\0")
body = struct.pack(">I", len(table)) + b"".join(struct.pack(">4sII", *t) for t in table) + data
open(sys.argv[1], "wb").write(head + body)
PY

gps="-GPSLatitude=48.8 -GPSLatitudeRef=N -GPSLongitude=2.3 -GPSLongitudeRef=E"
exif="$gps -Make=Acme -Model=X1 -DateTimeOriginal=2020:01:01 -SerialNumber=123 -Artist=Ann"
xmp="-XMP-dc:Creator=Ann -XMP-xmp:CreatorTool=Editor -XMP-exif:GPSLongitude=2.3"

# PNG: RGB with ICC, Exif (orientation 6), XMP, text and tIME.
convert -size 40x30 -seed 3 plasma: -define png:exclude-chunks=date,time "$tmp/rgb.png"
cp "$tmp/rgb.png" png/exif_xmp_text_icc.png
et -n -Orientation=6 $exif $xmp -PNG:Author=Ann -PNG:Software=Editor -PNG:Comment=secret \
    -PNG:CreationTime=2020 -PNG:ModifyDate=2020:01:01 '-ICC_Profile<='"$tmp/rgb.icc" \
    png/exif_xmp_text_icc.png
# Palette with transparency, compressed text, orientation alone.
convert -size 24x16 gradient:red-blue -colors 8 -transparent '#0000ff' \
    -define png:exclude-chunks=date,time PNG8:png/palette_trns_ztxt.png
et -z -n -Orientation=8 -PNG:Description=secret -PNG:Copyright=Ann png/palette_trns_ztxt.png
# ImageMagick's own compressed text: XMP as a hex profile, its GPS
# properties under their names.
convert -size 8x8 xc:red "$tmp/xmp.jpg"
et -XMP-exif:GPSLatitude=10 -XMP-exif:GPSLongitude=20 "$tmp/xmp.jpg"
convert "$tmp/xmp.jpg" -define png:exclude-chunks=date,time,tEXt png/xmp_ztxt_gps.png
# 16-bit grey, interlaced, with pixel size and ImageMagick's own dates.
convert -size 20x20 gradient: -depth 16 -colorspace Gray -interlace PNG -density 300 \
    png/gray16_interlaced.png
# APNG: three frames, then text and Exif.
for i in 1 2 3; do
    convert -size 16x16 "xc:rgb($((i * 60)),90,30)" -define png:exclude-chunks=all PNG24:"$tmp/f$i.png"
done
python3 - "$tmp"/f?.png png/animated.png <<'PY'
import struct, sys, zlib
def chunks(path):
    b, at = open(path, "rb").read(), 8
    while at < len(b):
        n, kind = struct.unpack(">I4s", b[at:at + 8])
        yield kind, b[at + 8:at + 8 + n]
        at += 12 + n
def chunk(kind, data): return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
*frames, out = sys.argv[1:]
first = dict(chunks(frames[0]))
apng, seq = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", first[b"IHDR"]) + chunk(b"acTL", struct.pack(">II", len(frames), 0)), 0
for i, f in enumerate(frames):
    w, h = struct.unpack(">II", first[b"IHDR"][:8])
    apng += chunk(b"fcTL", struct.pack(">IIIIIHHBB", seq, w, h, 0, 0, 1, 10, 0, 0))
    seq += 1
    for kind, data in chunks(f):
        if kind == b"IDAT" and i == 0: apng += chunk(b"IDAT", data)
        elif kind == b"IDAT": apng += chunk(b"fdAT", struct.pack(">I", seq) + data); seq += 1
open(out, "wb").write(apng + chunk(b"IEND", b""))
PY
et $gps -PNG:Author=Ann png/animated.png
# Damage: a CRC one bit off (the last byte of IHDR's CRC), and a copy cut inside IDAT.
cp png/exif_xmp_text_icc.png png/bad_crc.png
python3 -c 'import sys; p=sys.argv[1]; b=bytearray(open(p,"rb").read()); b[32]^=1; open(p,"wb").write(b)' png/bad_crc.png
head -c 600 png/exif_xmp_text_icc.png >png/truncated.png

# WebP: lossy with ICC, Exif (orientation 3) and XMP.
cwebp -quiet -q 80 -metadata icc "$tmp/rgb.png" -o webp/lossy_exif_xmp_icc.webp
webpmux -set icc "$tmp/rgb.icc" webp/lossy_exif_xmp_icc.webp -o webp/lossy_exif_xmp_icc.webp
et -n -Orientation=3 $exif $xmp webp/lossy_exif_xmp_icc.webp
# Lossless with alpha, Exif behind "Exif\0\0" as some tools write it.
convert -size 20x14 gradient:'rgba(255,0,0,1)-rgba(0,0,255,0.2)' "$tmp/alpha.png"
cwebp -quiet -lossless "$tmp/alpha.png" -o "$tmp/alpha.webp"
cwebp -quiet -q 70 -alpha_q 50 "$tmp/alpha.png" -o webp/lossy_alpha_xmp.webp
et $xmp webp/lossy_alpha_xmp.webp
convert -size 8x8 xc:gray "$tmp/exif.jpg"
et $exif "$tmp/exif.jpg"
python3 -c 'import sys; b=open(sys.argv[1],"rb").read(); at=b.index(b"\xff\xe1"); n=b[at+2]<<8|b[at+3]; sys.stdout.buffer.write(b[at+4:at+2+n])' "$tmp/exif.jpg" >"$tmp/exif.bin"
webpmux -set exif "$tmp/exif.bin" "$tmp/alpha.webp" -o webp/lossless_alpha_exif.webp
# Animated: three frames, Exif and XMP.
img2webp -q 60 "$tmp"/f?.png -o "$tmp/anim.webp" 2>/dev/null
et $gps -XMP-dc:Creator=Ann "$tmp/anim.webp"
cp "$tmp/anim.webp" webp/animated.webp
# Damage: a RIFF size two past the end, and a copy cut inside the image chunk.
cp webp/lossy_exif_xmp_icc.webp webp/bad_riff_size.webp
python3 -c 'import sys; p=sys.argv[1]; b=bytearray(open(p,"rb").read()); b[4:8]=(len(b)-6).to_bytes(4,"little"); open(p,"wb").write(b)' webp/bad_riff_size.webp
head -c 300 webp/lossless_alpha_exif.webp >webp/truncated.webp
ls -l png webp
