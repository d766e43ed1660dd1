#!/usr/bin/env bash
# Breaks the code on purpose, one fault at a time, and shows that the tests
# catch each: scripts/check-faults.sh [scripts/faults/NAME.txt ...]
# (default: every file in scripts/faults). Each fault is a block:
#   == what the fault is
#   file: path from the repository's root
#   find: an exact line fragment that occurs once in the file
#   replace: what stands there instead (may be empty)
#   test: native|win <ctest test name>
# The tree is copied to build/faults/tree, so the working tree is never
# touched; builds there are incremental, one target per fault. The test cases
# that failed for each caught fault go to build/faults/catches.tsv.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
[ $# -gt 0 ] || set -- scripts/faults/*.txt

work=build/faults
mkdir -p "$work/tree"
# The tree as it stands, changes not yet committed included.
git ls-files -z --cached --others --exclude-standard | python3 -c '
import os, shutil, sys
dst = sys.argv[1]
keep = set()
for name in sys.stdin.buffer.read().decode().split("\0"):
    if not name or not os.path.isfile(name):
        continue
    keep.add(name)
    out = os.path.join(dst, name)
    data = open(name, "rb").read()
    if os.path.exists(out) and open(out, "rb").read() == data:
        continue
    # Written with the time of now: a file put back after a mutation must
    # look newer than the objects built from the mutation.
    os.makedirs(os.path.dirname(out) or ".", exist_ok=True)
    open(out, "wb").write(data)
    shutil.copymode(name, out)
for base, _, files in os.walk(dst):
    for f in files:
        rel = os.path.relpath(os.path.join(base, f), dst)
        if rel not in keep:
            os.remove(os.path.join(base, f))
' "$work/tree"
tree="$ROOT/$work/tree"
: >"$work/catches.tsv"
: >"$work/unbroken"

configured_native=0 configured_win=0 wine_started=0
configure() {
  case "$1" in
    native)
      [ $configured_native = 1 ] && return
      # With the sanitizers, as the tests run: a read past a buffer fails.
      cmake -S "$tree" -B "$work/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
            -DVELMORA_SANITIZE=ON >/dev/null
      configured_native=1 ;;
    win)
      [ $configured_win = 1 ] && return
      cmake -S "$tree" -B "$work/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$tree/cmake/mingw-w64.cmake" >/dev/null
      configured_win=1
      if [ $wine_started = 0 ]; then
        . scripts/wine-env.sh
        trap wine_env_stop EXIT
        wine_env_start
        wine_started=1
      fi ;;
  esac
}

# Each test must pass on the tree as it is before it can show a fault: a
# test that fails anyway would call every fault caught.
# (run_fault runs in a subshell: what passed is kept in a file.)
check_unbroken() {
  local kind=$1 test=$2
  grep -qxF "$kind/$test" "$work/unbroken" && return 0
  build_and_test "$kind" "$test" || return 1
  echo "$kind/$test" >>"$work/unbroken"
}

# Builds and runs one test: 0 when it passes, 125 when it does not build,
# ctest's code when it fails (logs in last-build.log and last-test.log).
build_and_test() {
  local kind=$1 test=$2
  configure "$kind"
  cmake --build "$work/$kind" --target "$test" -j 2 >"$work/last-build.log" 2>&1 || return 125
  ctest --test-dir "$work/$kind" -R "^${test}\$" --output-on-failure >"$work/last-test.log" 2>&1
}

# Prints "caught", "MISSED", "does not apply" or "fails unbroken" for one fault.
run_fault() {
  local title=$1 file=$2 find=$3 replace=$4 kind=$5 test=$6
  local path="$tree/$file"
  if [ ! -f "$path" ] || [ "$(grep -cF -- "$find" "$path")" != 1 ]; then
    echo "does not apply"; return
  fi
  if ! check_unbroken "$kind" "$test"; then
    echo "fails unbroken (build/faults/last-test.log)"; return
  fi
  cp "$path" "$path.orig"
  FIND="$find" REPLACE="$replace" python3 - "$path" <<'PY'
import os, sys
p = sys.argv[1]
s = open(p, encoding="utf-8").read()
open(p, "w", encoding="utf-8").write(s.replace(os.environ["FIND"], os.environ["REPLACE"], 1))
PY
  local verdict result=0
  build_and_test "$kind" "$test" || result=$?
  if [ $result = 125 ]; then
    verdict="caught (does not build)"
  elif [ $result = 0 ]; then
    verdict="MISSED"
  else
    # Which test cases failed, so that a case that catches nothing shows.
    local by
    by=$(sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_/.]*\) (.*/\1/p' "$work/last-test.log" |
         sort -u | paste -sd' ')
    # A case that crashed the binary has no verdict line: the last one started.
    [ -n "$by" ] || by=$(sed -n 's/^\[ RUN      \] \(.*\)/\1 (crashed)/p' "$work/last-test.log" |
                         tail -1)
    printf '%s\t%s\n' "$title" "${by:-(no test case named)}" >>"$work/catches.tsv"
    verdict="caught"
  fi
  mv "$path.orig" "$path"
  touch "$path"
  echo "$verdict"
}

caught=0 missed=0 stale=0
for list in "$@"; do
  title="" file="" find="" replace="" kind="" test=""
  flush() {
    [ -n "$title" ] || return 0
    local v
    v=$(run_fault "$title" "$file" "$find" "$replace" "$kind" "$test")
    printf '%-16s %s: %s\n' "$v" "$(basename "$list" .txt)" "$title"
    case "$v" in caught*) caught=$((caught + 1)) ;; MISSED|fails*) missed=$((missed + 1)) ;;
      *) stale=$((stale + 1)) ;; esac
    title=""
  }
  while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
      "== "*) flush; title=${line#== } ;;
      "file: "*) file=${line#file: } ;;
      "find: "*) find=${line#find: } ;;
      "replace:"*) replace=${line#replace:}; replace=${replace# } ;;
      "test: "*) read -r kind test <<<"${line#test: }" ;;
    esac
  done <"$list"
  flush
done
echo "$caught caught, $missed missed, $stale no longer apply"
[ $missed = 0 ] && [ $stale = 0 ]
