; The Windows installer: for the current user without administrator rights,
; or for all users when run as administrator (MultiUser); silent with /S.
; scripts/build-windows.sh defines VERSION, STAGE (the folder to install),
; OUTFILE, and writes files.nsh and uninstall-files.nsh listing each file, so
; that the uninstaller removes exactly what was installed and nothing of the
; user's (leagues, settings under %APPDATA%\Quintora).
; 64-bit, as the programs are (and Debian's Wine runs 64-bit programs only).
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "Quintora"
!define REGKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintora"
!define PROGID "Quintora.League"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Quintora"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
!define MUI_ICON "${STAGE}\quintora.ico"
!define MUI_UNICON "${STAGE}\quintora.ico"

!insertmacro MUI_PAGE_LICENSE "${STAGE}\licenses\Quintora.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\quintora.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Quintora"
  !include "files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Quintora"
  CreateShortcut "$SMPROGRAMS\Quintora\Quintora.lnk" "$INSTDIR\quintora.exe"
  CreateShortcut "$SMPROGRAMS\Quintora\Quintora user guide.lnk" "$INSTDIR\README.txt"
  CreateShortcut "$SMPROGRAMS\Quintora\Uninstall Quintora.lnk" "$INSTDIR\uninstall.exe" "/$MultiUser.InstallMode"

  ; League files (.sch) open in Quintora, with their own icon.
  WriteRegStr SHCTX "Software\Classes\.sch" "" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Quintora league"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\quintora-league.ico"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\quintora.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; Apps & features.
  WriteRegStr SHCTX "${REGKEY}" "DisplayName" "Quintora"
  WriteRegStr SHCTX "${REGKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${REGKEY}" "Publisher" "The Quintora developers"
  WriteRegStr SHCTX "${REGKEY}" "DisplayIcon" "$INSTDIR\quintora.exe"
  WriteRegStr SHCTX "${REGKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${REGKEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${REGKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${REGKEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${REGKEY}" "NoRepair" 1
  WriteRegDWORD SHCTX "${REGKEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  !include "uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Quintora\Quintora.lnk"
  Delete "$SMPROGRAMS\Quintora\Quintora user guide.lnk"
  Delete "$SMPROGRAMS\Quintora\Uninstall Quintora.lnk"
  RMDir "$SMPROGRAMS\Quintora"

  ; The association only while it is still ours.
  ReadRegStr $0 SHCTX "Software\Classes\.sch" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.sch"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey SHCTX "${REGKEY}"
SectionEnd
