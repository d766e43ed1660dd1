# Sourced by the scripts that run Windows binaries: a private Wine prefix in
# the build folder, a simplified Chinese locale (ANSI code page 936), no
# install prompts, and an Xvfb display for the windows.
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$ROOT/build/wine-prefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEARCH=win64

wine_env_start() {
  if [ -z "${VELMORA_KEEP_DISPLAY:-}" ]; then
    local n=97
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    VELMORA_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wine_env_fonts
  fi
  # One resident wineserver for all test binaries: starting Wine costs seconds.
  wineserver -p >/dev/null 2>&1 || true
  # Start Wine's own background processes now, away from the test runner's
  # output: a runner waits for every holder of its pipe to let go.
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# SimSun (宋体), the font of Chinese forms, is not installed here: map it to
# WenQuanYi Zen Hei, as a Chinese system's SimSun would show the same texts.
wine_env_fonts() {
  local reg="$WINEPREFIX/velmora-fonts.reg"
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"SimSun"="WenQuanYi Zen Hei"' '"宋体"="WenQuanYi Zen Hei"' \
    '"NSimSun"="WenQuanYi Zen Hei"' | iconv -f UTF-8 -t UTF-16 > "$reg"
  wine regedit "$reg" >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${VELMORA_XVFB_PID:-}" ] && kill "$VELMORA_XVFB_PID" 2>/dev/null || true
}
