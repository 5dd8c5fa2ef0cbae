; The Windows installer: puts quillmoor.scr where the display settings list
; screen savers and registers an uninstaller with Add/Remove Programs.
; Built by the Windows build's `installer` target (tools/package-windows.sh),
; which defines VERSION (x.y.z), VERSION4 (x.y.z.0), SAVER (the built .scr),
; ICON and OUTFILE.
;
; Silent: `setup.exe /S` installs, `uninstall.exe /S` uninstalls; neither
; touches the user's choice of screen saver.

!ifndef VERSION | VERSION4 | SAVER | ICON | OUTFILE
  !error "makensis needs -DVERSION -DVERSION4 -DSAVER -DICON -DOUTFILE"
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
; Only the uninstaller lives here; the saver goes to the system folder.
InstallDir "$PROGRAMFILES\Quillmoor"
BrandingText "Quillmoor ${VERSION}"

VIProductVersion ${VERSION4}
VIFileVersion ${VERSION4}
VIAddVersionKey /LANG=0 ProductName "Quillmoor"
VIAddVersionKey /LANG=0 CompanyName "Orvel"
VIAddVersionKey /LANG=0 FileDescription "Quillmoor screen saver setup"
VIAddVersionKey /LANG=0 FileVersion "${VERSION}"
VIAddVersionKey /LANG=0 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 LegalCopyright "Copyright 2026 Orvel. All rights reserved."

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

; The folder the saver goes into, as every program on the machine names it.
; The display settings look for savers in the system folder. On 64-bit
; Windows this 32-bit installer's $SYSDIR (System32) is redirected to
; SysWOW64, which is where a 32-bit saver belongs; but paths handed to 64-bit
; programs (Add/Remove Programs' icon, the chosen saver) would be read as the
; real System32. So on 64-bit Windows the folder is spelt out as SysWOW64,
; which means the same to 32-bit and 64-bit programs.
Var SaverDir
!macro FindSaverDir
  ${If} ${IsWow64}
    StrCpy $SaverDir "$WINDIR\SysWOW64"
  ${Else}
    StrCpy $SaverDir "$SYSDIR"
  ${EndIf}
!macroend

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
  SetOutPath "$SaverDir"
  File "/oname=quillmoor.scr" "${SAVER}"
  SetOutPath "$INSTDIR"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Add/Remove Programs. A 32-bit installer's HKLM\Software is the 32-bit
  ; view on 64-bit Windows (WOW6432Node), which the list reads as well.
  ${GetSize} "$SaverDir" "/M=quillmoor.scr /S=0K /G=0" $0 $1 $2
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
  Exec '"$SYSDIR\rundll32.exe" desk.cpl,InstallScreenSaver $SaverDir\quillmoor.scr'
  ${EnableX64FSRedirection}
FunctionEnd

; The user's own key, HKCU\Software\Orvel\Quillmoor, stays: it belongs to
; each user (an administrator's uninstall reaches only its own), and the
; saver keeps no values in it. A saver still running is removed at the next
; restart.
Section "Uninstall"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete /REBOOTOK "$SaverDir\quillmoor.scr"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
