; The Windows installer: puts quillmoor.scr where the display settings list
; screen savers and registers an uninstaller with Add/Remove Programs. A
; 32-bit program, so that it runs on every Windows; it carries both savers and
; installs the one that matches the system. Built by the 32-bit Windows
; build's `installer` target (tools/package-windows.sh), which defines VERSION
; (x.y.z), VERSION4 (x.y.z.0), SAVER (the 32-bit .scr), SAVER64 (the 64-bit
; one), ICON, OUTFILE and LICENSE.
;
; Silent: `setup.exe /S` installs, `uninstall.exe /S` uninstalls; neither
; touches the user's choice of screen saver.

!ifndef VERSION | VERSION4 | SAVER | SAVER64 | ICON | OUTFILE | LICENSE
  !error "makensis needs -DVERSION -DVERSION4 -DSAVER -DSAVER64 -DICON -DOUTFILE -DLICENSE"
!endif

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include LogicLib.nsh
!include FileFunc.nsh
!include MUI2.nsh
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmoor"

Name "Quillmoor"
OutFile "${OUTFILE}"
; Only the uninstaller and the licence live here; the saver goes to the system
; folder. 64-bit Windows gets the 64-bit Program Files (see FindSaverDir).
InstallDir "$PROGRAMFILES\Quillmoor"
BrandingText "Quillmoor ${VERSION}"

VIProductVersion ${VERSION4}
VIFileVersion ${VERSION4}
VIAddVersionKey /LANG=0 ProductName "Quillmoor"
VIAddVersionKey /LANG=0 CompanyName "Orvel"
VIAddVersionKey /LANG=0 FileDescription "Quillmoor screen saver setup"
VIAddVersionKey /LANG=0 FileVersion "${VERSION}"
VIAddVersionKey /LANG=0 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 LegalCopyright "Copyright (c) 2026 Orvel. MIT License."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "This installs the Quillmoor screen saver for all users of this computer. The screen saver settings then list it as $\"Quillmoor$\".$\r$\n$\r$\nClick Install to continue."
; The finish page, and so this offer, is never shown in silent mode.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Make Quillmoor my screen saver and open the settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; Where this installation lives. 64-bit Windows gets the 64-bit saver in the
; real System32 (written with file-system redirection off, which a 32-bit
; program's $SYSDIR would otherwise send to SysWOW64), the uninstaller in the
; 64-bit Program Files and the uninstall entry in the registry's 64-bit view.
; 32-bit Windows gets the 32-bit saver in System32.
Var SaverDir
!macro FindSaverDir
  ${If} ${RunningX64}
    SetRegView 64
    StrCpy $SaverDir "$WINDIR\System32"
    StrCpy $INSTDIR "$PROGRAMFILES64\Quillmoor"
  ${Else}
    StrCpy $SaverDir "$SYSDIR"
  ${EndIf}
!macroend

; Redirection off only while this installer touches the system folder itself.
!macro SystemFolderBegin
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
  ${EndIf}
!macroend
!macro SystemFolderEnd
  ${If} ${RunningX64}
    ${EnableX64FSRedirection}
  ${EndIf}
!macroend

; The previous installer put the 32-bit saver into SysWOW64, its uninstaller
; into the 32-bit Program Files and its entry into the 32-bit registry view.
; Take those away, and let a user who chose that saver keep Quillmoor.
!define OLD_SAVER "$WINDIR\SysWOW64\quillmoor.scr"
Function RemoveOldInstallation
  ${IfNot} ${RunningX64}
    Return
  ${EndIf}
  Delete /REBOOTOK "${OLD_SAVER}"
  ; The 32-bit Program Files by the name that means it to 32-bit and 64-bit
  ; processes alike ($PROGRAMFILES32 is the 64-bit one in a 64-bit process).
  ReadEnvStr $1 "ProgramFiles(x86)"
  ${If} $1 != ""
    Delete "$1\Quillmoor\LICENSE.txt"
    Delete "$1\Quillmoor\uninstall.exe"
    RMDir "$1\Quillmoor"
  ${EndIf}
  SetRegView 32
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  SetRegView 64
  ReadRegStr $0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${If} $0 == "${OLD_SAVER}"
    WriteRegStr HKCU "Control Panel\Desktop" "SCRNSAVE.EXE" "$SaverDir\quillmoor.scr"
  ${EndIf}
FunctionEnd

; Writing to the system folder and HKLM needs an administrator. Where no UAC
; prompt raises the rights (older Windows, or refused), stop with 740
; (ERROR_ELEVATION_REQUIRED) instead of failing halfway.
!macro RequireAdmin
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_ICONSTOP|MB_OK "Installing or removing Quillmoor needs administrator rights." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RequireAdmin
  !insertmacro FindSaverDir
FunctionEnd

Function un.onInit
  !insertmacro RequireAdmin
  !insertmacro FindSaverDir
FunctionEnd

Section "Quillmoor"
  Call RemoveOldInstallation
  !insertmacro SystemFolderBegin
  SetOutPath "$SaverDir"
  ${If} ${RunningX64}
    File "/oname=quillmoor.scr" "${SAVER64}"
  ${Else}
    File "/oname=quillmoor.scr" "${SAVER}"
  ${EndIf}
  ${GetSize} "$SaverDir" "/M=quillmoor.scr /S=0K /G=0" $0 $1 $2
  !insertmacro SystemFolderEnd
  SetOutPath "$INSTDIR"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Add/Remove Programs (the view FindSaverDir chose).
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quillmoor"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Orvel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SaverDir\quillmoor.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; What Windows itself runs for a saver's "Install" command: makes it the
; current user's screen saver and opens the screen-saver settings. Redirection
; is off so that 64-bit Windows runs its own (64-bit) settings.
Function OpenScreenSaverSettings
  ${DisableX64FSRedirection}
  Exec '"$SYSDIR\rundll32.exe" desk.cpl,InstallScreenSaver "$SaverDir\quillmoor.scr"'
  ${EnableX64FSRedirection}
FunctionEnd

; The user's own key, HKCU\Software\Orvel\Quillmoor, stays: it belongs to
; each user (an administrator's uninstall reaches only its own), and the
; saver keeps no values in it. A saver still running is removed at the next
; restart.
Section "Uninstall"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  !insertmacro SystemFolderBegin
  Delete /REBOOTOK "$SaverDir\quillmoor.scr"
  !insertmacro SystemFolderEnd
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
