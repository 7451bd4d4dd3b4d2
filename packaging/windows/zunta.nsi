; Windows installer of the ZUNTA test programs.
;   launcher:    $PROGRAMFILES64\ZUNTA\ZUNTA_Run.exe with ZUNTA_Run.png beside it
;   test client: My Documents\ZUNTA\ZUNTA_Test.EXE (the launcher starts it from there)
; The zurun scheme is registered by running the launcher once without parameters.
;
; Build: makensis -DDEPLOY_DIR=<folder> zunta.nsi, where <folder> holds
;   launcher\   ZUNTA_Run.exe, ZUNTA_Run.png and the Qt runtime windeployqt put beside it
;   testclient\ ZUNTA_Test.EXE and the Qt runtime windeployqt put beside it
; Optionally -DOUT_FILE=<installer path> and -DVERSION=<x.y.z>.

Unicode true
!include "MUI2.nsh"

!ifndef DEPLOY_DIR
  !error "DEPLOY_DIR is not set: makensis -DDEPLOY_DIR=<folder> zunta.nsi"
!endif
!ifndef VERSION
  !define VERSION "0.1.0"
!endif
!ifndef OUT_FILE
  !define OUT_FILE "zunta-setup-${VERSION}.exe"
!endif

Name "ZUNTA"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\ZUNTA"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZUNTA"

!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"

Section "ZUNTA"
  ; My Documents of the user who installs, not of all users.
  SetShellVarContext current

  SetOutPath "$INSTDIR"
  File /r "${DEPLOY_DIR}\launcher\*.*"

  SetOutPath "$DOCUMENTS\ZUNTA"
  File /r "${DEPLOY_DIR}\testclient\*.*"
  CreateDirectory "$DOCUMENTS\ZUNTA\media"

  ; Started without parameters the launcher writes the zurun scheme's registry keys and quits.
  ExecWait '"$INSTDIR\ZUNTA_Run.exe"'

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "ZUNTA"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  DeleteRegKey HKCR "ZURUN"
  DeleteRegKey HKCU "Software\Classes\ZURUN"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The media folder holds the last test and Result.txt lies elsewhere: only the programs go.
  Delete "$DOCUMENTS\ZUNTA\ZUNTA_Test.EXE"
  RMDir /r "$INSTDIR"
SectionEnd
