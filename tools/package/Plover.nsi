; Plover's per-user installer.  scripts/package makes one for each build:
;   makensis -DVERSION=2.00 -DARCH=x64|x86 -DSTAGE=<folder of the files> -DOUTFILE=<setup.exe>
; It needs no administrator: the program goes to the user's own programs folder,
; its shortcut to the user's Start menu and its uninstall entry under HKCU.
; Plover keeps its schedule beside the program there (the folder is the user's to
; write), so the uninstaller removes only what the installer put in and leaves the
; schedule, the pictures the user added and the settings alone.

Unicode true
!if "${ARCH}" == "x64"
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\WREN.Plover"

Name "Plover ${VERSION}"
Caption "Plover ${VERSION} セットアップ"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Plover"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

!include "MUI2.nsh"
; The last page offers to start Plover at once, ticked; a silent install shows no
; page and starts nothing.
!define MUI_FINISHPAGE_RUN "$INSTDIR\Plover.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunPlover)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"
LangString RunPlover ${LANG_JAPANESE} "Plover を起動する"
LangString RunPlover ${LANG_ENGLISH} "Start Plover"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "Plover"
VIAddVersionKey /LANG=1041 "CompanyName" "WREN"
VIAddVersionKey /LANG=1041 "FileDescription" "Plover ${VERSION} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (C) 2026 WREN"

Section "Plover"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}\Plover.exe"
  File "${STAGE}\Plover.wav"
  File "${STAGE}\PloverExit.wav"
  File "${STAGE}\PloverVer.wav"
  File "${STAGE}\README.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Plover.lnk" "$INSTDIR\Plover.exe" "" "$INSTDIR\Plover.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Plover ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "WREN"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Plover.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; Only the installer's own files, by name: Plover.pvd (and its .bak and .tmp),
  ; the user's pictures and HKCU\Software\WREN\Plover stay.
  Delete "$INSTDIR\Plover.exe"
  Delete "$INSTDIR\Plover.wav"
  Delete "$INSTDIR\PloverExit.wav"
  Delete "$INSTDIR\PloverVer.wav"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\Plover.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Windows would start a program that is gone at the next sign-in.
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Plover"
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run" "Plover"
  ; Removed only when nothing of the user's is left in it.
  RMDir "$INSTDIR"
SectionEnd
