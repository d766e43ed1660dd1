#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine (as root,
# or through sudo). Safe to run again: it skips what is already there.
set -euo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

pkgs=(cmake ninja-build g++ clang libclang-rt-14-dev googletest clang-format
      g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
      wine wine64 xvfb xdotool x11-utils imagemagick fonts-wqy-zenhei locales
      libimage-exiftool-perl libjpeg-turbo-progs jhead exiv2 hyperfine time python3
      nsis zip pngcheck webp libheif-examples)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine picks its ANSI code page (936 for simplified Chinese) from the locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  $sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
