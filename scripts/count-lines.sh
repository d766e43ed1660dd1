#!/usr/bin/env bash
# Non-blank, non-comment C++ lines of the tests (tests/) against the rest of
# the project, and their ratio: scripts/count-lines.sh [-v] (-v lists files).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.cc' '*.h' '*.hpp' | xargs -0 python3 -c '
import re, sys
verbose = sys.argv[1] == "-v"
tests = code = 0
for name in sys.argv[2:]:
    text = open(name, encoding="utf-8").read()
    # Drop comments but keep string literals (a "//" in a URL is not one).
    text = re.sub(r"\"(?:\\.|[^\"\\\n])*\"|//[^\n]*|/\*.*?\*/",
                  lambda m: m.group(0) if m.group(0)[0] == "\"" else
                  "\n" * m.group(0).count("\n"), text, flags=re.S)
    n = sum(1 for line in text.splitlines() if line.strip())
    if verbose:
        print(f"{n:6} {name}")
    if name.startswith("tests/"):
        tests += n
    else:
        code += n
print(f"tests {tests}, code {code}: {100 * tests / code:.1f}%")
' "${1:-}"
