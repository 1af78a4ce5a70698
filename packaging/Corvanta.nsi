; Corvanta's Windows installer, in Italian (NSIS 3, Unicode, 64-bit).
;
; tools/make-dist builds it; by hand:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.1.0.0 -DSTAGE=<folder> -DICON=<file.ico> \
;            -DWIZARD=<164x314.bmp> -DOUTFILE=<setup.exe> packaging/Corvanta.nsi
; STAGE holds Corvanta.exe, LEGGIMI.txt and LICENZA.txt; WIZARD is the side
; picture of the first and last page.
;
; The player installs either for himself alone (no administrator rights,
; into %LOCALAPPDATA%\Programs\Corvanta) or for every user of the computer
; (into Program Files). Silent use: /S, with /CurrentUser or /AllUsers to
; choose, and /D=<folder> (last, unquoted) to choose the folder.
;
; The uninstaller removes exactly what the installer put down: the three
; files, the uninstaller, the shortcuts, the "Installed apps" entry, and the
; folder only when nothing else is left in it. The score table lives in the
; player's local application data folder (Corvanta\Score\Classifica.txt) and
; is never touched, even when the game was installed right next to it.

!ifndef VERSION | STAGE | ICON | WIZARD | OUTFILE
  !error "Give VERSION, STAGE, ICON, WIZARD and OUTFILE with -D (see the top of this file)"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestSupportedOS all
ManifestDPIAware true

!define PRODUCT "Corvanta"
!define PUBLISHER "Gli autori di Corvanta"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvanta"
!define UNINSTALLER "Disinstalla.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

; Per user or for all users. The mode and folder of an earlier installation
; are the defaults of a new one.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINST_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINST_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_PAGE_CUSTOMFUNCTION_LEAVE KeepChosenFolder
; The uninstaller finds its mode by itself (un.onInit below).
!define MULTIUSER_NOUNINSTALL

!include MUI2.nsh
!include MultiUser.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENZA.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LEGGIMI.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Mostra il file LEGGIMI"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Italian"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "FileDescription" "Installazione di ${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "LegalCopyright" "© 2026 ${PUBLISHER}"

; The folder given with /D= on the command line, empty when none was given.
Var ChosenFolder
; "AllUsers" or "CurrentUser", for the uninstaller.
Var UninstallMode

Function .onInit
  ; No InstallDir attribute: $INSTDIR holds something here only when /D= was
  ; given. The mode setup below overwrites it, so it is put back afterwards.
  StrCpy $ChosenFolder $INSTDIR
  !insertmacro MULTIUSER_INIT
  Call KeepChosenFolder
FunctionEnd

Function KeepChosenFolder
  ${If} $ChosenFolder != ""
    StrCpy $INSTDIR $ChosenFolder
  ${EndIf}
FunctionEnd

Section "Corvanta" SecGame
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}/Corvanta.exe"
  File "${STAGE}/LEGGIMI.txt"
  File "${STAGE}/LICENZA.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Corvanta.exe" "" "$INSTDIR\Corvanta.exe" 0

  ; The entry of "Installed apps" (HKCU for one user, HKLM for all).
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Corvanta.exe,0"
  WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" \
      '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" \
      '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
  SectionGetSize ${SecGame} $0
  WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Collegamento sul desktop" SecDesktop
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\Corvanta.exe" "" "$INSTDIR\Corvanta.exe" 0
SectionEnd

; The uninstaller's mode: /AllUsers or /CurrentUser from the command line
; (the "Installed apps" entry passes one), otherwise the entry whose folder is
; this one; an all-users removal needs administrator rights.
Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $UninstallMode "AllUsers"
  ${Else}
    ClearErrors
    ${GetOptions} $R0 "/CurrentUser" $R1
    ${IfNot} ${Errors}
      StrCpy $UninstallMode "CurrentUser"
    ${Else}
      ReadRegStr $R1 HKCU "${UNINST_KEY}" "InstallLocation"
      ReadRegStr $R2 HKLM "${UNINST_KEY}" "InstallLocation"
      ${If} $R1 == $INSTDIR
        StrCpy $UninstallMode "CurrentUser"
      ${ElseIf} $R2 == $INSTDIR
        StrCpy $UninstallMode "AllUsers"
      ${Else}
        StrCpy $UninstallMode "CurrentUser"
      ${EndIf}
    ${EndIf}
  ${EndIf}

  ${If} $UninstallMode == "AllUsers"
    UserInfo::GetAccountType
    Pop $R1
    ${If} $R1 != "Admin"
    ${AndIf} $R1 != "Power"
      MessageBox MB_OK|MB_ICONSTOP \
          "Corvanta è installato per tutti gli utenti: per disinstallarlo servono i diritti di amministratore." \
          /SD IDOK
      SetErrorLevel 5 ; access denied
      Quit
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  Delete /REBOOTOK "$INSTDIR\Corvanta.exe"
  Delete "$INSTDIR\LEGGIMI.txt"
  Delete "$INSTDIR\LICENZA.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Never /r: whatever else is in the folder (the score table, if the game
  ; was installed next to it, or the player's own files) stays.
  RMDir /REBOOTOK "$INSTDIR"

  ; Drop the "Installed apps" entry only when it is this copy's: a newer
  ; installation elsewhere keeps its own.
  ReadRegStr $R1 SHCTX "${UNINST_KEY}" "InstallLocation"
  ${If} $R1 == $INSTDIR
    DeleteRegKey SHCTX "${UNINST_KEY}"
  ${EndIf}
SectionEnd
