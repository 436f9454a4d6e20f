; The ORBO-STRAK installer: for the current user (the default, no
; administrator needed, into the user's own programs folder) or for all
; users (Program Files), with a Start menu entry and an uninstaller that
; takes away everything it put there. /S installs silently; /AllUsers or
; /CurrentUser chooses without asking.
;
;   makensis -DVERSION=1.0.0 -DVERSION_NUMBERS=1.0.0.0 -DSTAGE=FOLDER -DICON=orbostrak.ico
;            -DOUTFILE=SETUP.exe installer.nsi
;
; FOLDER holds what the zip holds; scripts/build-windows.sh makes it, and
; the icon file of the program's build.
; a 64-bit installer for a 64-bit game, which Wine without its 32-bit part runs too
Target amd64-unicode
SetCompressor /SOLID lzma
; the packed files keep the times of FOLDER, which the build sets
SetDateSave on

!define NAME "ORBO-STRAK"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${NAME}"
; a second install, and the uninstaller, find the mode and folder of the first
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey "CompanyName" "The ${NAME} developers"
VIAddVersionKey "LegalCopyright" "Copyright The ${NAME} developers, MIT licence"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\orbostrak.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
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

; Every file by name, here and in the uninstaller: nothing else is removed
; from a folder the player may have chosen to share.
!macro GAME_FILES DO
  !insertmacro ${DO} "orbostrak.exe"
  !insertmacro ${DO} "SDL.dll"
  !insertmacro ${DO} "README.txt"
  !insertmacro ${DO} "LICENSE.txt"
  !insertmacro ${DO} "LICENSE-SDL.txt"
  !insertmacro ${DO} "LICENSE-mingw-w64.txt"
  !insertmacro ${DO} "LICENSE-GCC.txt"
!macroend
!macro INSTALL_FILE NAME
  File "${STAGE}/${NAME}"
!macroend
!macro REMOVE_FILE NAME
  Delete "$INSTDIR\${NAME}"
!macroend

Section
  SetOutPath "$INSTDIR"
  !insertmacro GAME_FILES INSTALL_FILE
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\orbostrak.exe"
  ; HKLM for all users, HKCU for one: the install mode chose the context
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The ${NAME} developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orbostrak.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro GAME_FILES REMOVE_FILE
  ; what the game wrote when SDL could not start
  Delete "$INSTDIR\stdout.txt"
  Delete "$INSTDIR\stderr.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; the user's own programs folder, made for the game where it was the first
  ${If} $MultiUser.InstallMode == CurrentUser
    GetKnownFolderPath $0 {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB} ; FOLDERID_UserProgramFiles
    StrCmp $0 "" 0 +2
    StrCpy $0 "$LOCALAPPDATA\Programs" ; where the installer puts it then
    RMDir "$0"
  ${EndIf}
  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; the same where the game's folder was closed to it: in the local
  ; application data of the player, who is the one uninstalling
  SetShellVarContext current
  Delete "$LOCALAPPDATA\${NAME}\stdout.txt"
  Delete "$LOCALAPPDATA\${NAME}\stderr.txt"
  RMDir "$LOCALAPPDATA\${NAME}"
SectionEnd
