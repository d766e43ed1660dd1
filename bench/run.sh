#!/usr/bin/env bash
# Benchmarks jhead -de as Velmora's removal run uses it: one process per
# picture, flushing included, side by side in one hyperfine run with copying
# the same files (the physical limit) and, when installed, Debian's jhead -de,
# exiv2 rm and exiftool -all=. Prints wall and CPU time ratios, ours against
# each. Then the other kinds (PNG, WebP, HEIC/HEIF/AVIF), each in its own
# run against copying, exiftool -all= and mat2; what the directory flush
# after the rename would cost; and one 500 MB picture, JPEG and PNG,
# against copying it, with peak memory.
#   bench/run.sh [picture folder] [big picture MiB, default 500] [runs, default 5]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
pictures="${1:-$ROOT/tests/jhead/pictures $ROOT/../shared/corpus/exif-samples}"
big_mib="${2:-500}"
runs="${3:-5}"
work="$ROOT/build/bench-run"

# The peers for the other kinds: mat2 is needed here only, not by the tests.
scripts/install-deps.sh
if ! command -v mat2 >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends mat2 || true
fi

echo "== building jhead (Release)"
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF >/dev/null
cmake --build build/bench --target jhead >/dev/null
ours="$ROOT/build/bench/bin/jhead"

rm -rf "$work"
mkdir -p "$work/master"
n=0
while IFS= read -r -d '' f; do
    n=$((n + 1))
    cp "$f" "$work/master/$n.jpg"
done < <(find $pictures -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) -print0 2>/dev/null | sort -z)
chmod -R u+w "$work/master"
echo "== $n pictures from $pictures ($(du -sh "$work/master" | cut -f1))"

# Each command gets a fresh copy of the pictures; a loop runs one process per file.
prepare="rm -rf '$work/w' && cp -r '$work/master' '$work/w' && sync"
each() { echo "for f in '$work/w'/*.jpg; do $1; done"; }
cmds=(-n "copy (cp)" "$(each 'cp "$f" "$f.copy"')"
      -n "copy+fsync (dd)" "$(each 'dd if="$f" of="$f.copy" bs=1M conv=fsync status=none')"
      -n "ours (jhead -de)" "$(each "'$ours' -de \"\$f\" >/dev/null")")
command -v jhead >/dev/null && cmds+=(-n "debian jhead -de" "$(each '/usr/bin/jhead -de "$f" >/dev/null')")
command -v exiv2 >/dev/null && cmds+=(-n "exiv2 rm" "$(each 'exiv2 rm "$f" 2>/dev/null || true')")
command -v exiftool >/dev/null && cmds+=(-n "exiftool -all=" \
    "$(each 'exiftool -q -q -overwrite_original -all= "$f" || true')")
hyperfine --style basic --runs "$runs" --prepare "$prepare" --export-json "$work/folder.json" "${cmds[@]}"

# The other kinds: the test pictures that are not damaged, and the HEIF
# photos of the shared corpus.
for kind in png webp heif; do
    case $kind in png) re=png ;; webp) re=webp ;; heif) re='heic\|heif\|avif' ;; esac
    rm -rf "$work/$kind" && mkdir -p "$work/$kind"
    n=0
    while IFS= read -r -d '' f; do
        n=$((n + 1))
        cp "$f" "$work/$kind/$n.${f##*.}"
    done < <(find $pictures "$ROOT/../shared/corpus/heic" -type f -iregex ".*\.\($re\)" ! -name 'bad_*' ! -name 'truncated*' -print0 2>/dev/null | sort -z)
    [ "$n" -gt 0 ] || continue
    chmod -R u+w "$work/$kind"
    echo "== $n $kind pictures ($(du -sh "$work/$kind" | cut -f1))"
    kprep="rm -rf '$work/k' && cp -r '$work/$kind' '$work/k' && sync"
    keach() { echo "for f in '$work/k'/*; do $1; done"; }
    kcmds=(-n "copy (cp)" "$(keach 'cp "$f" "$f.copy"')"
           -n "ours (jhead -de)" "$(keach "'$ours' -de \"\$f\" >/dev/null || true")")
    command -v exiftool >/dev/null && kcmds+=(-n "exiftool -all=" \
        "$(keach 'exiftool -q -q -overwrite_original -all= "$f" || true')")
    command -v mat2 >/dev/null && kcmds+=(-n "mat2 --inplace" "$(keach 'mat2 --inplace "$f" >/dev/null 2>&1 || true')")
    hyperfine --style basic --runs "$runs" --prepare "$kprep" --export-json "$work/kind-$kind.json" "${kcmds[@]}"
done

echo "== the directory flush after the rename"
c++ -std=c++20 -O2 -o "$work/dir_flush" bench/dir_flush.cpp
eval "$prepare"
"$work/dir_flush" "$work/w" "$work/master"/*.jpg | tee "$work/dir_flush.txt"

echo "== one ${big_mib} MiB picture, JPEG and PNG"
python3 bench/make_big_jpeg.py "$work/big-master.jpg" $((big_mib << 20))
python3 bench/make_big_png.py "$work/big-master.png" $((big_mib << 20))
big_prepare="rm -f '$work'/big.jpg '$work'/big.png '$work/big.copy' '$work'/.jhead-*.part && cp '$work/big-master.jpg' '$work/big.jpg' && cp '$work/big-master.png' '$work/big.png' && sync"
hyperfine --style basic --runs 3 --prepare "$big_prepare" --export-json "$work/big.json" \
    -n "copy (cp)" "cp '$work/big.jpg' '$work/big.copy'" \
    -n "copy+fsync (dd)" "dd if='$work/big.jpg' of='$work/big.copy' bs=1M conv=fsync status=none" \
    -n "ours (jhead -de)" "'$ours' -de '$work/big.jpg' >/dev/null" \
    -n "ours, PNG (jhead -de)" "'$ours' -de '$work/big.png' >/dev/null"
eval "$big_prepare"
peak=$(/usr/bin/time -f '%M' "$ours" -de "$work/big.jpg" 2>&1 >/dev/null | tail -n 1)
peak_png=$(/usr/bin/time -f '%M' "$ours" -de "$work/big.png" 2>&1 >/dev/null | tail -n 1)

python3 - "$work" "$peak" "$peak_png" <<'PY'
import json, os, sys
def load(path):
    return {r["command"]: r for r in json.load(open(path))["results"]}
work, peak, peak_png = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
cpu = lambda r: r["user"] + r["system"]
def table(title, runs):
    ours = runs["ours (jhead -de)"]
    print(f"\n== {title}: mean wall and CPU seconds, ours / this")
    for name, r in runs.items():
        print(f"  {name:20s} wall {r['mean']:7.3f} s  cpu {cpu(r):7.3f} s   "
              f"ours/this: wall {ours['mean'] / r['mean']:5.2f}  cpu {cpu(ours) / cpu(r):5.2f}")
table("JPEG folder, one process per picture", load(f"{work}/folder.json"))
for kind in ("png", "webp", "heif"):
    if os.path.exists(f"{work}/kind-{kind}.json"):
        table(f"{kind} folder, one process per picture", load(f"{work}/kind-{kind}.json"))
big = load(f"{work}/big.json")
b = big["ours (jhead -de)"]["mean"]
print("\n== big picture")
for name, r in big.items():
    print(f"  {name:22s} {r['mean']:8.3f} s   ours (JPEG)/this = {b / r['mean']:5.2f}")
print(f"  peak memory of jhead -de: JPEG {peak / 1024:.1f} MiB, PNG {peak_png / 1024:.1f} MiB")
PY
rm -rf "$work/w" "$work/k" "$work"/big.jpg "$work"/big.png "$work/big.copy" "$work"/big-master.*
