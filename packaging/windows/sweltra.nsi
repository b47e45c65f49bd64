; The Windows installer: per machine, into Program Files, with a Start-menu shortcut and an entry
; in Apps & features; /S installs silently. Made by make-packages.cmake, which passes the folder
; to pack (FOLDER), the lists of what to install and remove (FILES, UNFILES), the version, the
; size and the installer's name (OUT).
; The program is 64-bit, and so is its installer.
Target amd64-unicode
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sweltra"

Name "Sweltra"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES64\Sweltra"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "Sweltra ${VERSION}"
VIProductVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "Sweltra"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Sweltra ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${FOLDER}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext all
  SetRegView 64
  UserInfo::GetAccountType
  Pop $0
  StrCmp $0 "Admin" admin
    MessageBox MB_OK|MB_ICONSTOP "Sweltra is installed for everyone on this computer: please run the setup as an administrator." /SD IDOK
    SetErrorLevel 740
    Quit
  admin:
  ; Over an earlier version, into its folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" +2
    StrCpy $INSTDIR $0
FunctionEnd

Section
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Sweltra.lnk" "$INSTDIR\SweltraC.exe" "" "$INSTDIR\SweltraC.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Sweltra"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${SITE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\SweltraC.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

; Only what the setup put there goes: a document of the organisation's own, under another name,
; stays, and so does the folder then.
Section "Uninstall"
  !include "${UNFILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Sweltra.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
