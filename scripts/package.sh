#!/usr/bin/env bash
# Builds the release: build/package/Velmora-<version>-setup.exe, a per-user
# installer (NSIS, Unicode, simplified Chinese), and beside it
# Velmora-<version>.zip with the two programs for people who want no
# installer.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

scripts/install-deps.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/win --target installer -j "$(nproc)"

version=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out="$ROOT/build/package"
mkdir -p "$out"
bin="$ROOT/build/win/bin"
setup="$out/Velmora-$version-setup.exe"
# The build keeps its installer in its own tree; the release is handed out
# from build/package, beside the zip.
cp -f "$ROOT/build/win/package/Velmora-$version-setup.exe" "$setup"
rm -f "$out/Velmora-$version.zip"
(cd "$bin" && zip -q -X "$out/Velmora-$version.zip" Velmora.exe jhead.exe)
echo "$setup"
echo "$out/Velmora-$version.zip"
