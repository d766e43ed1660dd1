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
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "${PUBLISHER}"

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
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  !insertmacro RefuseWhileRunning "Velmora 正在运行。请先关闭它，再卸载。"
  ; The right-click verb goes with the same code that the program's check
  ; box uses, which also puts back another program's verb it had saved.
  ExecWait '"$INSTDIR\velmora-verb.exe" remove "$INSTDIR\Velmora.exe"' $0
  Delete "$INSTDIR\Velmora.exe"
  Delete "$INSTDIR\jhead.exe"
  Delete "$INSTDIR\velmora-verb.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Velmora.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
