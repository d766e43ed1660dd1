#!/usr/bin/env bash
# What naming the kinds of personal information costs, one process per
# picture as Velmora runs the tool, all in one hyperfine run: jhead -de
# against the same tool built from a baseline revision, and report mode
# against Debian's jhead in its report mode. Prints wall and CPU ratios.
#   bench/kinds.sh [baseline revision, default main] [picture folders] [runs, default 10]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
base_rev="${1:-main}"
pictures="${2:-$ROOT/tests/jhead/pictures $ROOT/../shared/corpus/exif-samples}"
runs="${3:-10}"
work="$ROOT/build/bench-kinds"

release() {  # source folder, build folder
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF >/dev/null
    cmake --build "$2" --target jhead >/dev/null
}
echo "== building jhead (Release), here and at $base_rev"
release . build/bench
rm -rf "$work" && mkdir -p "$work/base-src" "$work/master"
git archive "$base_rev" | tar -x -C "$work/base-src"
release "$work/base-src" "$work/base-build"
ours="$ROOT/build/bench/bin/jhead"
base="$work/base-build/bin/jhead"

n=0
while IFS= read -r -d '' f; do
    n=$((n + 1))
    cp "$f" "$work/master/$n.jpg"
done < <(find $pictures -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) -print0 2>/dev/null | sort -z)
chmod -R u+w "$work/master"
echo "== $n pictures from $pictures"

prepare="rm -rf '$work/w' && cp -r '$work/master' '$work/w' && sync"
each() { echo "for f in '$work/w'/*.jpg; do $1 \"\$f\" >/dev/null; done"; }
hyperfine --style basic --runs "$runs" --prepare "$prepare" --export-json "$work/kinds.json" \
    -n "ours -de" "$(each "'$ours' -de")" \
    -n "$base_rev -de" "$(each "'$base' -de")" \
    -n "ours report" "$(each "'$ours'")" \
    -n "debian jhead report" "$(each /usr/bin/jhead)"

python3 - "$work/kinds.json" "$base_rev" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
base = sys.argv[2]
cpu = lambda x: x["user"] + x["system"]
def ratio(a, b):
    print(f"  {a:12s} / {b:20s} wall {r[a]['mean'] / r[b]['mean']:5.3f}  "
          f"cpu {cpu(r[a]) / cpu(r[b]):5.3f}")
print("\n== ratios of mean wall and CPU time")
ratio("ours -de", base + " -de")
ratio("ours report", "debian jhead report")
PY
