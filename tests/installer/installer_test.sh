#!/usr/bin/env bash
# The installer under Wine, as a user meets it: silent install per user,
# the installed program cleans a picture given on its command line, the
# right-click verb installed over another program's one, silent uninstall,
# then nothing of ours left and the other program's verb back.
#   installer_test.sh SETUP.exe PICTURE.jpg
# Runs inside the test environment of scripts/wine-env.sh.
set -uo pipefail
setup=$1 picture=$2
passes=0 failures=0
check() {  # check "what" command...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then
    echo "ok: $what"; passes=$((passes + 1))
  else
    echo "FAILED: $what"; failures=$((failures + 1))
  fi
}
wine_value() { wine cmd /c "echo $1" 2>/dev/null | tr -d '\r'; }
reg_query() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
wait_until() {  # wait_until seconds command...
  local s=$1; shift
  for _ in $(seq $((s * 5))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
  return 1
}

verb='去除EXIF信息'
classes='HKCU\Software\Classes'
foreign='"C:\Other\other.exe" "%1"'
install_dir=$(winepath -u "$(wine_value '%LOCALAPPDATA%')\\Programs\\Velmora")
start_menu=$(winepath -u "$(wine_value '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'

# Explorer's file type for .jpg, with another program's verb of our name.
wine reg add "$classes\\.jpg" /ve /d jpegfile /f >/dev/null 2>&1
wine reg add "$classes\\.jpeg" /ve /d jpegfile /f >/dev/null 2>&1
wine reg add "$classes\\jpegfile\\shell\\$verb\\command" /ve /d "$foreign" /f >/dev/null 2>&1

wine "$setup" /S
check "installed per user" test -f "$install_dir/Velmora.exe" -a -f "$install_dir/jhead.exe" \
  -a -f "$install_dir/uninstall.exe"
check "Start-menu shortcut" test -f "$start_menu/Velmora.lnk"
check "installed-programs entry" bash -c "wine reg query '$uninstall_key' /v Publisher 2>/dev/null | grep -q 'Tarvik'"

work=$(mktemp -d)
cp "$picture" "$work/照片.jpg"
VELMORA_UNATTENDED=1 wine "$install_dir/Velmora.exe" "$(winepath -w "$work/照片.jpg")" >"$work/out.txt" 2>&1
check "the installed program reports done" grep -q '搞定' "$work/out.txt"
check "the installed program cleans the picture" test "$(stat -c %s "$work/照片.jpg")" -lt "$(stat -c %s "$picture")"
check "no Exif left" bash -c "! grep -q Exif '$work/照片.jpg'"

# Installing again over an older copy replaces it.
printf 'old copy' > "$install_dir/jhead.exe"
wine "$setup" /S
check "installing over an older copy replaces it" test "$(head -c 2 "$install_dir/jhead.exe")" = MZ

# The verb, as the check box installs it: the other command is saved.
wine "$install_dir/velmora-verb.exe" install "$(winepath -w "$install_dir/Velmora.exe")"
check "our verb installed" bash -c "wine reg query '$classes\\jpegfile\\shell\\$verb\\command' /ve 2>/dev/null | grep -q Velmora.exe"
check "the other verb saved" bash -c "wine reg query '$classes\\jpegfile\\shell_Old' /s 2>/dev/null | grep -q other.exe"

# A running copy is reported, never overwritten half-way.
wine "$install_dir/Velmora.exe" >/dev/null 2>&1 &
running=$!
wait_until 30 xdotool search --name TarvikEXIF
check "installing over a running copy is refused" bash -c "! wine '$setup' /S"
kill $running 2>/dev/null; wine taskkill /f /im Velmora.exe >/dev/null 2>&1; wait $running 2>/dev/null

wine "$install_dir/uninstall.exe" /S
# The uninstaller finishes in a copy of itself that runs on after it returns.
wait_until 60 test ! -e "$install_dir"
check "program folder removed" test ! -e "$install_dir"
check "shortcut removed" test ! -e "$start_menu/Velmora.lnk"
check "installed-programs entry removed" bash -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
check "the other verb is back" bash -c "wine reg query '$classes\\jpegfile\\shell\\$verb\\command' /ve 2>/dev/null | grep -q other.exe"
check "no save area left" bash -c "! wine reg query '$classes\\jpegfile\\shell_Old' >/dev/null 2>&1"
check "no SystemFileAssociations verb left" bash -c "! wine reg query '$classes\\SystemFileAssociations\\.jpg\\shell\\$verb' >/dev/null 2>&1"

wine reg delete "$classes\\jpegfile" /f >/dev/null 2>&1
wine reg delete "$classes\\.jpg" /f >/dev/null 2>&1
wine reg delete "$classes\\.jpeg" /f >/dev/null 2>&1
rm -rf "$work"
echo "$passes passed, $failures failed"
[ $failures = 0 ]
