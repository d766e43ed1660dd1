#!/usr/bin/env bash
# The release's executables read from outside, as windres dumps their
# resources: each has the project's numeric version, the version strings a
# properties page shows and a manifest of the same version that declares
# long paths and lists Windows 7, 8, 8.1 and 10/11; the program's icon has
# every size Windows asks for; the installer, when given, has the version
# strings of the three programs.
#   release_resources_test.sh WINDRES BIN-FOLDER VERSION [SETUP.exe]
set -uo pipefail
windres=$1 bin=$2 version=$3 setup=${4:-}
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
numbers="${version//./, }, 0"
for exe in Velmora.exe jhead.exe velmora-verb.exe; do
  rc=$("$windres" -i "$bin/$exe" -O rc 2>&1)
  grep -qx " FILEVERSION $numbers" <<<"$rc" || fail "$exe: file version"
  grep -qx " PRODUCTVERSION $numbers" <<<"$rc" || fail "$exe: product version"
  for key in CompanyName FileDescription FileVersion LegalCopyright ProductName ProductVersion; do
    grep -q "VALUE \"$key\", L\?\"." <<<"$rc" || fail "$exe: $key"
  done
  grep -qF "version=\"\"$version.0\"\" processorArchitecture" <<<"$rc" || fail "$exe: manifest version"
  grep -qF '<longPathAware xmlns=""http://schemas.microsoft.com/SMI/2016/WindowsSettings"">true<' \
    <<<"$rc" || fail "$exe: long paths"
  for os in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
            1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    grep -qF "<supportedOS Id=\"\"{$os}\"\"/>" <<<"$rc" || fail "$exe: supported OS $os"
  done
done
# The icon group's entries begin with the width in octal (0 for 256).
sizes=$("$windres" -i "$bin/Velmora.exe" -O rc | sed -n 's/^ *"\\\([0-7]*\)\\.*Element no.*/\1/p' |
        while read -r w; do echo $((8#$w == 0 ? 256 : 8#$w)); done | sort -n | paste -sd' ')
[ "$sizes" = "16 20 24 32 40 48 64 256" ] || fail "icon sizes: $sizes"
if [ -n "$setup" ]; then
  rc=$("$windres" -i "$setup" -O rc 2>&1)
  for key in FileVersion ProductVersion; do
    grep -q "VALUE \"$key\", L\?\"$version\"" <<<"$rc" || fail "installer: $key"
  done
fi
echo "$failures failed"
[ $failures = 0 ]
