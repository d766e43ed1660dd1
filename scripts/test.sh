#!/usr/bin/env bash
# Builds everything and runs every test: the portable code natively under
# ASan/UBSan, then the Windows build under Wine (in-process and end-to-end).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
jobs=$(nproc)

scripts/install-deps.sh

echo "== native build and tests"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"
scripts/fuzz-jhead.sh 60

echo "== Windows build"
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/win -j "$jobs"

echo "== Windows tests under Wine"
. scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start
ctest --test-dir build/win --output-on-failure

# The end-to-end tests leave screenshots of the main window and the About
# box (at 96 and at 144 dots per inch) and of the progress window (at 144)
# to look at.
for shot in build/win/bin/*-screenshot*.bmp; do
  [ -f "$shot" ] && convert "$shot" -alpha off "${shot%.bmp}.png" && echo "screenshot: ${shot%.bmp}.png"
done
exit 0
