#!/usr/bin/env bash
# Builds the libFuzzer target for jhead's parser and writer (CMake option
# JHEAD_FUZZ, clang, ASan/UBSan) and runs it for a bounded time:
#   scripts/fuzz-jhead.sh [seconds, default 60]
# Seeds: the small test pictures (JPEG, HEIC, AVIF), the shared corpus when
# it is there, and pictures cjpeg makes.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
seconds="${1:-60}"
out=build/fuzz
mkdir -p "$out/corpus" "$out/seeds"

CC=clang CXX=clang++ cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS=-O1 -DVELMORA_SANITIZE=ON -DJHEAD_FUZZ=ON >/dev/null
cmake --build "$out" --target jhead_fuzz

for dir in tests/jhead/pictures ../shared/corpus/exif-samples; do
    [ -d "$dir" ] && find "$dir" \( -iname '*.jp*g' -o -iname '*.png' -o -iname '*.webp' -o -iname '*.hei[cf]' \
        -o -iname '*.avif' \) -size -64k -exec cp -f {} "$out/seeds/" \;
done
if command -v cjpeg >/dev/null; then
    printf 'P6\n16 16\n255\n' >"$out/seeds/gray.ppm"
    head -c 768 /dev/urandom >>"$out/seeds/gray.ppm"
    cjpeg -progressive "$out/seeds/gray.ppm" >"$out/seeds/progressive.jpg"
    cjpeg -restart 1 "$out/seeds/gray.ppm" >"$out/seeds/restart.jpg"
    rm -f "$out/seeds/gray.ppm"
fi

echo "== fuzzing jhead for ${seconds}s"
if ! "$out/bin/jhead_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=131072 -artifact_prefix="$out/" "$out/corpus" "$out/seeds" >"$out/fuzz.log" 2>&1; then
    tail -n 60 "$out/fuzz.log"
    echo "fuzz-jhead: failure; the input that caused it is in $out/"
    exit 1
fi
tail -n 3 "$out/fuzz.log"
