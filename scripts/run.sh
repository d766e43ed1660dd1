#!/usr/bin/env bash
# Builds Velmora.exe and jhead.exe and starts the program under Wine.
# With picture paths, it runs the removal on them (as the Explorer verb does);
# without, it opens the main window.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

scripts/install-deps.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/win --target Velmora jhead -j "$(nproc)"

. scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
  export VELMORA_KEEP_DISPLAY=1  # show the windows on this desktop
else
  echo "No DISPLAY: the windows go to a virtual screen (Xvfb) that nobody sees." >&2
fi
trap wine_env_stop EXIT
wine_env_start

args=()
for picture in "$@"; do args+=("$(winepath -w "$(realpath "$picture")")"); done
wine build/win/bin/Velmora.exe "${args[@]}"
