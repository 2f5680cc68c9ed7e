; Corvane's installers, one script for both architectures:
;   makensis -DARCH=x64 -DDLL=<64-bit CORVANE.DLL> -DDLL_X86=<32-bit CORVANE.DLL>
;            -DPROGRAM=<64-bit Corvane.exe> -DICON=<corvane.ico> -DOUTFILE=<setup.exe> corvane.nsi
;   makensis -DARCH=x86 -DDLL=<32-bit CORVANE.DLL>
;            -DPROGRAM=<32-bit Corvane.exe> -DICON=<corvane.ico> -DOUTFILE=<setup.exe> corvane.nsi
; Exit codes: 0 done, 1 cancelled, 2 refused or failed, 3010 done but a file
; still in use goes at the next restart.

Unicode true
!if ${ARCH} == x64
  Target amd64-unicode
!else if ${ARCH} == x86
  Target x86-unicode
!else
  !error "ARCH must be x64 or x86"
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true
ManifestSupportedOS all

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include WinVer.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include registration.nsh
!include setup_lock.nsh
!include running_program.nsh
!include in_use_files.nsh

!getdllversion "${DLL}" DLL_VERSION_
!define VERSION "${DLL_VERSION_1}.${DLL_VERSION_2}.${DLL_VERSION_3}.${DLL_VERSION_4}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "SOFTWARE\Ostrand\Corvane"
!define ERROR_REFUSED 2
!define ERROR_SUCCESS_REBOOT_REQUIRED 3010
!define FIRST_WINDOWS_11_BUILD 22000
!define INSTALLED_MESSAGE_ID 310

Name "Corvane"
OutFile "${OUTFILE}"
!if ${ARCH} == x64
  InstallDir "$PROGRAMFILES64\Corvane"
!else
  InstallDir "$PROGRAMFILES\Corvane"
!endif
; An upgrade goes where the last installation went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show
BrandingText "Ostrand"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Corvane"
VIAddVersionKey /LANG=1033 "CompanyName" "Ostrand"
VIAddVersionKey /LANG=1033 "FileDescription" "Corvane setup (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright © 2026 Ostrand. All rights reserved."

Var StartWithWindows
Var FinishText

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Corvane now and with Windows"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgramNowAndWithWindows
!define MUI_PAGE_CUSTOMFUNCTION_PRE ComposeFinishText
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowFinishPage
; A file left for the restart harms nothing meanwhile.
!define MUI_FINISHPAGE_REBOOTLATER_DEFAULT
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_REBOOTLATER_DEFAULT
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

!macro RefuseToRun text
  MessageBox MB_ICONSTOP|MB_OK "${text}" /SD IDOK
  SetErrorLevel ${ERROR_REFUSED}
  Quit
!macroend

!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    !insertmacro RefuseToRun "Corvane is installed for all users of this computer: \
        please run this as an administrator."
  ${EndIf}
!macroend

Function .onInit
!if ${ARCH} == x86
  ${If} ${RunningX64}
    !insertmacro RefuseToRun "This is Corvane for 32-bit Windows, and this Windows is 64-bit.$\n$\n\
        Please use corvane-setup-x64.exe instead."
  ${EndIf}
!else
  ${IfNot} ${RunningX64}
    !insertmacro RefuseToRun "This is Corvane for 64-bit Windows, and this Windows is 32-bit.$\n$\n\
        Please use corvane-setup-x86.exe instead."
  ${EndIf}
  SetRegView 64
!endif
  !insertmacro RequireAdministrator
  !insertmacro WaitForOtherSetups ""
  Call ChooseStartWithWindows
FunctionEnd

; Windows 11's taskbar has no toolbars: there the program is the way in.
; Elsewhere the user chooses: /AUTOSTART=yes|no, or the finish page's box.
; An upgrade keeps what the user had.
Function ChooseStartWithWindows
  StrCpy $StartWithWindows 0
  ReadRegStr $0 HKCU "${RUN_KEY}" "Corvane"
  ${If} $0 != ""
  ${OrIf} ${AtLeastBuild} ${FIRST_WINDOWS_11_BUILD}
    StrCpy $StartWithWindows 1
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART=" $1
  ${IfNot} ${Errors}
    ${If} $1 == "yes"
      StrCpy $StartWithWindows 1
    ${ElseIf} $1 == "no"
      StrCpy $StartWithWindows 0
    ${EndIf}
  ${EndIf}
FunctionEnd

!macro PutFiles
  !insertmacro PutFile "${DLL}" "$INSTDIR" "CORVANE.DLL"
  !insertmacro PutFile "${PROGRAM}" "$INSTDIR" "Corvane.exe"
!if ${ARCH} == x64
  !insertmacro PutFile "${DLL_X86}" "$INSTDIR\x86" "CORVANE.DLL"
!endif
  ClearErrors
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    !insertmacro FailInstall "Could not write $INSTDIR\uninstall.exe."
  ${EndIf}
!macroend

!macro RegisterBands
  ClearErrors
!if ${ARCH} == x64
  !insertmacro WriteBandClass HKLM64 "$INSTDIR\CORVANE.DLL"
  !insertmacro WriteBandClass HKLM32 "$INSTDIR\x86\CORVANE.DLL"
!else
  !insertmacro WriteBandClass HKLM "$INSTDIR\CORVANE.DLL"
!endif
  ${If} ${Errors}
    !insertmacro FailInstall "Could not register the Corvane toolbar."
  ${EndIf}
  !insertmacro ForgetCachedToolbars
!macroend

!macro WriteAppsEntry
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Corvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Ostrand"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Corvane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; Run in place ("_?="), so that whoever starts them waits for the end and
  ; gets the exit code.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" _?=$INSTDIR'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" \
      '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
!macroend

Section "Corvane"
  SetShellVarContext all
  Call StopRunningProgram
  !insertmacro PutFiles
  !insertmacro RegisterBands
  !insertmacro WriteAppsEntry
  CreateShortcut "$SMPROGRAMS\Corvane.lnk" "$INSTDIR\Corvane.exe"
  ${If} ${Silent}
  ${AndIf} $StartWithWindows == 1
    ExecWait '"$INSTDIR\Corvane.exe" --autostart on'
  ${EndIf}
  ${If} ${RebootFlag}
    SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
  ${EndIf}
SectionEnd

; The finish page: on Windows with toolbars it says how to show the band, in
; the module's own words; its box starts the program.
Function ComposeFinishText
  ${If} ${AtLeastBuild} ${FIRST_WINDOWS_11_BUILD}
    StrCpy $FinishText "Corvane is installed. Its search box sits in a small strip beside \
        the taskbar, which starts with Windows; F12 in any application jumps into it."
  ${Else}
    System::Call 'kernel32::LoadLibraryExW(w "$INSTDIR\CORVANE.DLL", p 0, i 0x22) p .r0'
    System::Call 'user32::LoadStringW(p r0, i ${INSTALLED_MESSAGE_ID}, w .r1, i ${NSIS_MAX_STRLEN})'
    System::Call 'kernel32::FreeLibrary(p r0)'
    StrCpy $FinishText $1
  ${EndIf}
FunctionEnd

Function ShowFinishPage
  ${If} $StartWithWindows == 1
    ${NSD_Check} $mui.FinishPage.Run
  ${Else}
    ${NSD_Uncheck} $mui.FinishPage.Run
  ${EndIf}
FunctionEnd

; The installer runs elevated; the program should not: the shell starts it
; as the signed-in user.
Function StartProgramNowAndWithWindows
  ExecWait '"$INSTDIR\Corvane.exe" --autostart on'
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\Corvane.exe"'
FunctionEnd

Function un.onInit
  Call un.RemoveAfterUninstaller
!if ${ARCH} == x64
  SetRegView 64
!endif
  !insertmacro RequireAdministrator
  !insertmacro WaitForOtherSetups "un."
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Call un.StopRunningProgram
  DeleteRegValue HKCU "${RUN_KEY}" "Corvane"
!if ${ARCH} == x64
  !insertmacro DeleteBandClass HKLM64
  !insertmacro DeleteBandClass HKLM32
!else
  !insertmacro DeleteBandClass HKLM
!endif
  !insertmacro ForgetCachedToolbars
  Delete "$SMPROGRAMS\Corvane.lnk"
  Delete "$INSTDIR\Corvane.exe"
  Call un.RemoveUninstaller
  Push "$INSTDIR\CORVANE.DLL"
  Call un.RemoveFile
  Delete "$INSTDIR\CORVANE.DLL.new"
!if ${ARCH} == x64
  Push "$INSTDIR\x86\CORVANE.DLL"
  Call un.RemoveFile
  Delete "$INSTDIR\x86\CORVANE.DLL.new"
!endif
  ; A file in use keeps its folder until the restart removes both.
  ${If} ${RebootFlag}
!if ${ARCH} == x64
    RMDir /REBOOTOK "$INSTDIR\x86"
!endif
    RMDir /REBOOTOK "$INSTDIR"
  ${Else}
!if ${ARCH} == x64
    RMDir "$INSTDIR\x86"
!endif
    RMDir "$INSTDIR"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Remove your Corvane settings too?" /SD IDNO IDNO keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\Ostrand"
  keep:
  ${If} ${RebootFlag}
    MessageBox MB_ICONINFORMATION|MB_OK "A Corvane file is still in use; Windows removes it at \
        the next restart." /SD IDOK
    SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
  ${EndIf}
SectionEnd
