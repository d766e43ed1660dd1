#!/usr/bin/env bash
# The installer under Wine, as a user meets it: silent install per user,
# the installed program cleans a picture given on its command line, the
# right-click verb installed over another program's one, silent uninstall,
# then nothing of ours left (in the temporary folder only the program's own
# files go) and the other program's verb back. Also: an older version does
# not silently replace a newer one, and the quiet uninstall command reports
# its real result.
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
fails() { ! "$@"; }
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
tmp=$(winepath -u "$(wine_value '%TEMP%')")
# The quiet uninstall command as the installed-programs entry gives it: the
# quoted program, then arguments (no blanks in them in this prefix).
quiet_uninstall() {
  local q exe
  q=$(reg_query "$uninstall_key" /v QuietUninstallString | sed -n 's/.*REG_SZ *//p')
  exe=${q#\"}; exe=${exe%%\"*}
  # shellcheck disable=SC2086
  wine "$exe" ${q:${#exe}+3}
}

# Explorer's file type for .jpg, with another program's verb of our name.
wine reg add "$classes\\.jpg" /ve /d jpegfile /f >/dev/null 2>&1
wine reg add "$classes\\.jpeg" /ve /d jpegfile /f >/dev/null 2>&1
wine reg add "$classes\\jpegfile\\shell\\$verb\\command" /ve /d "$foreign" /f >/dev/null 2>&1
wine reg add "$classes\\jpegfile\\shell\\$verb" /v MUIVerb /d '@C:\Other\other.dll,-7' /f >/dev/null 2>&1
wine reg add "$classes\\jpegfile\\shell\\$verb" /v Icon /t REG_EXPAND_SZ /d '%ProgramFiles%\Other\other.exe,0' /f >/dev/null 2>&1
foreign_verb=$(reg_query "$classes\\jpegfile\\shell\\$verb" /s)
check "the other verb has its own menu text and icon" \
  bash -c "grep -q MUIVerb <<<'$foreign_verb' && grep -q REG_EXPAND_SZ <<<'$foreign_verb'"
kinds=(.jpg .jpeg .png .webp .heic .heif .avif)
verb_on() { reg_query "$classes\\SystemFileAssociations\\$1\\shell\\$verb\\command" /ve | grep -q Velmora.exe; }

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

# An older version does not replace a newer one unless asked to.
wine reg add "$uninstall_key" /v DisplayVersion /d 1.0.10 /f >/dev/null 2>&1
printf 'old copy' > "$install_dir/jhead.exe"
check "a silent downgrade is refused" bash -c "! wine '$setup' /S"
check "a refused downgrade leaves the newer copy" test "$(head -c 2 "$install_dir/jhead.exe")" = ol
wine "$setup" /S /ALLOWDOWNGRADE
check "a downgrade asked for replaces it" test "$(head -c 2 "$install_dir/jhead.exe")" = MZ

# The verb, as the check box installs it: the other command is saved.
wine "$install_dir/velmora-verb.exe" install "$(winepath -w "$install_dir/Velmora.exe")"
check "our verb installed" bash -c "wine reg query '$classes\\jpegfile\\shell\\$verb\\command' /ve 2>/dev/null | grep -q Velmora.exe"
check "the other verb saved" bash -c "wine reg query '$classes\\jpegfile\\shell_Old' /s 2>/dev/null | grep -q other.exe"
check "its menu text does not stay beside our command" \
  bash -c "! wine reg query '$classes\\jpegfile\\shell\\$verb' /v MUIVerb >/dev/null 2>&1"
for kind in "${kinds[@]}"; do check "our verb on $kind" verb_on "$kind"; done

# A running copy is reported, never overwritten half-way.
wine "$install_dir/Velmora.exe" >/dev/null 2>&1 &
running=$!
wait_until 30 xdotool search --name TarvikEXIF
check "installing over a running copy is refused" bash -c "! wine '$setup' /S"
check "the quiet uninstall command fails while it runs" fails quiet_uninstall
check "and removes nothing" test -f "$install_dir/Velmora.exe"
kill $running 2>/dev/null; wine taskkill /f /im Velmora.exe >/dev/null 2>&1; wait $running 2>/dev/null

# What the program left in the temporary folder, and the user's own files.
check "the run left its files in the temporary folder" test -f "$tmp/Go.bat" -a -f "$tmp/Event.txt" -a -f "$tmp/jhead.exe"
printf 'x' > "$tmp/Velmora-1a2b.tmp"
mine=(Velmora-notes.txt Velmora.tmp keep.tmp go.bat.txt)
for f in "${mine[@]}"; do printf 'mine' > "$tmp/$f"; done

check "the quiet uninstall command succeeds" quiet_uninstall
# Run in place, the uninstaller leaves its own removal to a helper.
wait_until 30 test ! -e "$install_dir"
check "Go.bat, Event.txt, the tool's copy and the program's files removed" \
  test ! -e "$tmp/Go.bat" -a ! -e "$tmp/Event.txt" -a ! -e "$tmp/jhead.exe" -a ! -e "$tmp/Velmora-1a2b.tmp"
for f in "${mine[@]}"; do check "the user's $f kept" test -f "$tmp/$f"; done
check "program folder removed" test ! -e "$install_dir"
check "shortcut removed" test ! -e "$start_menu/Velmora.lnk"
check "installed-programs entry removed" bash -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
check "the other verb is back as it was" test "$(reg_query "$classes\\jpegfile\\shell\\$verb" /s)" = "$foreign_verb"
check "no save area left" bash -c "! wine reg query '$classes\\jpegfile\\shell_Old' >/dev/null 2>&1"
for kind in "${kinds[@]}"; do check "no verb left on $kind" fails verb_on "$kind"; done

# Another program's Go.bat (it names an Event.txt elsewhere) stays, and the
# plain uninstall command, which finishes in a copy of itself, removes all.
wine "$setup" /S
printf 'echo rem > "C:\\Other\\Event.txt"\r\n' > "$tmp/Go.bat"
wine "$install_dir/uninstall.exe" /S
wait_until 60 test ! -e "$install_dir"
check "the plain uninstall command removes the program" test ! -e "$install_dir"
check "another program's Go.bat kept" test -f "$tmp/Go.bat"

rm -f "$tmp/Go.bat"
for f in "${mine[@]}"; do rm -f "$tmp/$f"; done
wine reg delete "$classes\\jpegfile" /f >/dev/null 2>&1
wine reg delete "$classes\\.jpg" /f >/dev/null 2>&1
wine reg delete "$classes\\.jpeg" /f >/dev/null 2>&1
rm -rf "$work"
echo "$passes passed, $failures failed"
[ $failures = 0 ]
