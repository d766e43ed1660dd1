#!/usr/bin/env bash
# Builds Velmora.exe and jhead.exe and starts the program under Wine.
# With picture paths, it runs the removal on them (as the Explorer verb does);
# without, it opens the main window.
# Without a display (DISPLAY unset) nobody could answer a window: the
# program's messages are printed here and answered with their default
# button, the results file follows them, and without pictures a screenshot
# of the main window is saved instead.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

scripts/install-deps.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/win --target Velmora jhead -j "$(nproc)"

headless=1
[ -n "${DISPLAY:-}" ] && headless=0
. scripts/wine-env.sh
[ $headless = 0 ] && export VELMORA_KEEP_DISPLAY=1  # show the windows on this desktop
trap wine_env_stop EXIT
wine_env_start

args=()
for picture in "$@"; do args+=("$(winepath -w "$(realpath "$picture")")"); done
exe=build/win/bin/Velmora.exe

if [ $headless = 0 ]; then
  wine "$exe" "${args[@]}"
elif [ ${#args[@]} -gt 0 ]; then
  VELMORA_UNATTENDED=1 wine "$exe" "${args[@]}"
  events="$(winepath -u "$(wine cmd /c 'echo %tmp%' | tr -d '\r')")/Event.txt"
  echo "== $events"
  [ -f "$events" ] && iconv -f GB18030 -t UTF-8 "$events"
else
  wine "$exe" &
  for _ in $(seq 100); do
    xdotool search --name "TarvikEXIF" >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 1
  shot="$ROOT/build/velmora-window.png"
  geometry=$(xdotool search --name "TarvikEXIF" getwindowgeometry --shell | tr '\n' ' ')
  eval "$geometry"
  import -display "$DISPLAY" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$shot"
  echo "No display: the main window is saved as $shot"
fi
