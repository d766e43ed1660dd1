; Velmora's per-user installer: no administrator rights, everything under
; the user's own profile and registry hive. Built by scripts/package.sh:
;   makensis -DVERSION=1.0.0 -DBIN=<folder with the exes> -DOUT=<setup.exe> velmora.nsi
; The programs are 64-bit, and so is their installer.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WordFunc.nsh"

!ifndef VERSION
  !error "VERSION is not defined"
!endif

!define PRODUCT "Velmora"
!define PUBLISHER "Tarvik软件"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"
; The main window's class: a running copy, seen or not, has one.
!define WINDOW_CLASS "VelmoraMainWindow"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT}"
InstallDir "$LOCALAPPDATA\Programs\Velmora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Velmora.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "Copyright © 2026 ${PUBLISHER}"

; An older version never replaces a newer one by accident: a silent run
; gives up with exit code 3 unless /ALLOWDOWNGRADE is given; an interactive
; one asks.
Function .onInit
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $0 != ""
    ${VersionCompare} "$0" "${VERSION}" $1
    ${If} $1 == 1
      ${GetParameters} $2
      ClearErrors
      ${GetOptions} "$2" "/ALLOWDOWNGRADE" $3
      ${If} ${Errors}
        MessageBox MB_ICONEXCLAMATION|MB_YESNO|MB_DEFBUTTON2 \
          "已安装较新的版本 $0。确实要换成较旧的版本 ${VERSION} 吗？" /SD IDNO IDYES downgrade
        SetErrorLevel 3
        Quit
        downgrade:
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd

; A running copy holds its files: replacing them half-way would leave a
; mix of two versions. Ask to close it; a silent run gives up.
!macro RefuseWhileRunning MESSAGE
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 <> 0
    MessageBox MB_ICONSTOP|MB_OK "${MESSAGE}" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Section "Velmora" SecMain
  SectionIn RO
  !insertmacro RefuseWhileRunning "Velmora 正在运行。请先关闭它，再运行安装程序。"
  SetOutPath "$INSTDIR"
  ; Each file is replaced whole or, when it is in use, not at all.
  SetOverwrite on
  File "${BIN}\Velmora.exe"
  File "${BIN}\jhead.exe"
  File "${BIN}\velmora-verb.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Velmora.lnk" "$INSTDIR\Velmora.exe" "" "$INSTDIR\Velmora.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velmora.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  ; Run in place (_?=), so that the caller waits for the real result; the
  ; plain command hands over to a copy in the temporary folder and returns 0.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; What the program leaves in the temporary folder: the tool's copy, the
; results file, its own Velmora-*.tmp files, and Go.bat when its first line is
; the one the program writes (it creates Event.txt in this same folder): a
; Go.bat of anyone else stays.
Function un.RemoveTempFiles
  Delete "$TEMP\jhead.exe"
  Delete "$TEMP\Event.txt"
  Delete "$TEMP\Velmora-*.tmp"
  ClearErrors
  FileOpen $0 "$TEMP\Go.bat" r
  IfErrors done
  FileRead $0 $1
  FileClose $0
  StrCpy $2 $1 12
  StrCmpS $2 'echo rem > "' 0 done
  StrCpy $1 $1 "" 12
  ; The folder: what stands before the file's name and the line break.
  StrCpy $2 $1 "" -13
  StrCmp $2 '\Event.txt"$\r$\n' 0 done
  StrCpy $1 $1 -13
  ; Compared by their short forms: the script may name the folder either way.
  GetFullPathName /SHORT $1 $1
  GetFullPathName /SHORT $2 $TEMP
  StrCmp $1 $2 0 done
  Delete "$TEMP\Go.bat"
done:
FunctionEnd

Section "Uninstall"
  !insertmacro RefuseWhileRunning "Velmora 正在运行。请先关闭它，再卸载。"
  ; The right-click verb goes with the same code that the program's check
  ; box uses, which also puts back another program's verb it had saved.
  ExecWait '"$INSTDIR\velmora-verb.exe" remove "$INSTDIR\Velmora.exe"' $0
  ${If} $0 != 0
    SetErrorLevel 1
  ${EndIf}
  ClearErrors
  Delete "$INSTDIR\Velmora.exe"
  Delete "$INSTDIR\jhead.exe"
  Delete "$INSTDIR\velmora-verb.exe"
  ${If} ${Errors}
    SetErrorLevel 1
  ${EndIf}
  Delete "$SMPROGRAMS\Velmora.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Call un.RemoveTempFiles
  SetOutPath "$TEMP"
  ${If} $EXEDIR == $INSTDIR
    ; Run in place, the uninstaller cannot delete itself: a hidden command
    ; interpreter does it after this process has ended (after two seconds,
    ; and again after seven). The folder goes only when it is empty.
    ExecShell "" "$SYSDIR\cmd.exe" '/d /q /c ping -n 3 127.0.0.1 >nul & del /f /q "$INSTDIR\uninstall.exe" & rmdir "$INSTDIR" & ping -n 6 127.0.0.1 >nul & del /f /q "$INSTDIR\uninstall.exe" & rmdir "$INSTDIR"' SW_HIDE
  ${Else}
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
  ${EndIf}
SectionEnd
