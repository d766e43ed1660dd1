#!/usr/bin/env bash
# Benchmarks adding files, ratios from one run:
#   - 30,000 paths put on top of a queue of 30,000 (AddIt on the real list
#     box under Wine) against filling the box with the result's rows;
#   - the folder scan of a 100,000-file tree under Wine against `find` on the
#     same tree natively.
#   bench/add_files.sh [files in the tree, default 100000]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
count="${1:-100000}"
tree="$ROOT/build/bench-tree"

echo "== building add_files_bench (Windows, Release)"
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/win --target add_files_bench >/dev/null
bench="$ROOT/build/win/bin/add_files_bench.exe"

echo "== making a tree of $count files (100 folders in 10 groups, half .jpg)"
rm -rf "$tree"
python3 - "$tree" "$count" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
per = max(1, count // 100)
made = 0
for g in range(10):
    for f in range(10):
        d = os.path.join(root, f"group {g}", f"folder {f}")
        os.makedirs(d, exist_ok=True)
        for i in range(per):
            if made == count:
                break
            ext = ".jpg" if i % 2 == 0 else ".png"
            open(os.path.join(d, f"IMG_{i:06d}{ext}"), "wb").close()
            made += 1
PY

. scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start
winpath="$(winepath -w "$tree")"

wine "$bench" queue
# Warm both caches alike, then one timed run each.
find "$tree" -name '*.jpg' >/dev/null
wine "$bench" scan "$winpath" '*.jpg' >/dev/null
scan_line="$(wine "$bench" scan "$winpath" '*.jpg' | tr -d '\r')"
t0=$(date +%s.%N)
found=$(find "$tree" -name '*.jpg' | wc -l)
t1=$(date +%s.%N)
find_s=$(python3 -c "print($t1 - $t0)")
scan_s=$(echo "$scan_line" | sed -E 's/scan: ([0-9.]+) s.*/\1/')
echo "$scan_line"
printf 'find (native): %.3f s, %d files\n' "$find_s" "$found"
python3 -c "print('scan ratio (Wine scan / native find): %.1f' % ($scan_s / $find_s))"
rm -rf "$tree"
