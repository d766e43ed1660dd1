#!/usr/bin/env bash
# Builds the libFuzzer target for jhead's parser and writer with clang and
# runs it for a bounded time: scripts/fuzz-jhead.sh [seconds, default 60].
# Seeds: small camera pictures from the shared corpus and pictures cjpeg makes.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
seconds="${1:-60}"
out=build/fuzz
mkdir -p "$out/corpus" "$out/seeds"

clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Ijhead jhead/byte_io.cpp jhead/cleaner.cpp jhead/eoi_finder.cpp \
    jhead/exif_orientation.cpp jhead/segment_kind.cpp tests/jhead/fuzz_jhead.cpp \
    -o "$out/fuzz_jhead"

corpus="$ROOT/../shared/corpus/exif-samples"
if [ -d "$corpus" ]; then
    find "$corpus" -iname '*.jp*g' -size -64k -exec cp -f {} "$out/seeds/" \;
fi
if command -v cjpeg >/dev/null; then
    printf 'P6\n16 16\n255\n' >"$out/seeds/gray.ppm"
    head -c 768 /dev/urandom >>"$out/seeds/gray.ppm"
    cjpeg -progressive "$out/seeds/gray.ppm" >"$out/seeds/progressive.jpg"
    cjpeg -restart 1 "$out/seeds/gray.ppm" >"$out/seeds/restart.jpg"
    rm -f "$out/seeds/gray.ppm"
fi

echo "== fuzzing jhead for ${seconds}s"
if ! "$out/fuzz_jhead" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=131072 -artifact_prefix="$out/" "$out/corpus" "$out/seeds" >"$out/fuzz.log" 2>&1; then
    tail -n 60 "$out/fuzz.log"
    echo "fuzz-jhead: failure; the input that caused it is in $out/"
    exit 1
fi
tail -n 3 "$out/fuzz.log"
