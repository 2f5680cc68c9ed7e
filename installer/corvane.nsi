; Corvane's installers, one script for both architectures and both scopes
; (-DSCOPE=machine, the default, or -DSCOPE=user: see install_scope.nsh):
;   makensis -DARCH=x64 -DDEFINES=<product.nsh> -DDLL=<64-bit CORVANE.DLL>
;            -DDLL_X86=<32-bit CORVANE.DLL> -DUI_DLL=<64-bit CORVANEUI.DLL>
;            -DUI_DLL_X86=<32-bit CORVANEUI.DLL> -DPROGRAM=<64-bit Corvane.exe> -DICON=<corvane.ico>
;            -DOUTFILE=<setup.exe> corvane.nsi
;   makensis -DARCH=x86 -DDEFINES=<product.nsh> -DDLL=<32-bit CORVANE.DLL> -DUI_DLL=<its CORVANEUI.DLL>
;            -DPROGRAM=<32-bit Corvane.exe> -DICON=<corvane.ico> -DOUTFILE=<setup.exe> corvane.nsi
; and -DSIGN_SCRIPT=<tools/sign_file.sh> for both.
; product.nsh is the build tree's installer/product.nsh: the names, ids and
; version that the code shares.
; Exit codes: 0 done, 1 cancelled, 2 refused or failed, 3010 done but a file
; still in use goes at the next restart.
; Switches: /S silent, /D=folder (a new installation only), /AUTOSTART=yes|no,
; /ALLOWDOWNGRADE to put this version over a newer one.

Unicode true
!include install_scope.nsh
!if ${ARCH} == x64
  Target amd64-unicode
!else if ${ARCH} == x86
  Target x86-unicode
!else
  !error "ARCH must be x64 or x86"
!endif
SetCompressor /SOLID lzma
; The same files pack to the same setup, whenever they were built.
SetDateSave off
RequestExecutionLevel ${EXECUTION_LEVEL}
ManifestDPIAware true
ManifestSupportedOS all

!include "${DEFINES}"
; Setup, and the uninstaller it writes, are signed as they are made where a
; certificate is given.
!finalize 'bash "${SIGN_SCRIPT}" "${PRODUCT_NAME}" "%1"' = 0
!uninstfinalize 'bash "${SIGN_SCRIPT}" "${PRODUCT_NAME}" "%1"' = 0

; The path a text of setup names, in every language.
Var NamedPath

!define RUN_COMMAND '"$INSTDIR\${PROGRAM_FILE}" --startup'
!define ERROR_CANCELLED 1
!define ERROR_REFUSED 2
!define ERROR_SUCCESS_REBOOT_REQUIRED 3010
!define FIRST_WINDOWS_11_BUILD 22000

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include WinVer.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include WordFunc.nsh
!include registration.nsh
!include setup_lock.nsh
!include running_program.nsh
!if ${SCOPE} == machine
  !include desktop_user.nsh
!endif
!include folder_access.nsh
!include install_folder.nsh
!include in_use_files.nsh
!include uninstaller_cleanup.nsh

Name "${PRODUCT_NAME}"
OutFile "${OUTFILE}"
!if ${SCOPE} == user
  InstallDir "$LOCALAPPDATA\Programs\Corvane"
!else if ${ARCH} == x64
  InstallDir "$PROGRAMFILES64\Corvane"
!else
  InstallDir "$PROGRAMFILES\Corvane"
!endif
; An upgrade goes where the installed version is.
InstallDirRegKey ${ROOT} "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show
BrandingText "${COMPANY_NAME}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY_NAME}"
VIAddVersionKey /LANG=1033 "FileDescription" "Corvane setup (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

Var StartWithWindows
Var FinishText

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipDirectoryOnUpgrade
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE AcceptDirectory
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(RUN_NOW)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgramNow
!define MUI_PAGE_CUSTOMFUNCTION_PRE ComposeFinishText
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowFinishPage
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE ApplyFinishPageChoice
; A file left for the restart harms nothing meanwhile.
!define MUI_FINISHPAGE_REBOOTLATER_DEFAULT
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_REBOOTLATER_DEFAULT
!insertmacro MUI_UNPAGE_FINISH
!include languages.nsh

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

; Two installations would register the band twice: setup refuses beside the
; MSI package, and setup for one user beside an installation for all users
; (a band class and start of the user's own would stand in its way).
!macro RefuseBesideOtherInstallations
!if ${SCOPE} == machine
  !define PACKAGE_REFUSAL "$(INSTALLED_BY_PACKAGE)"
!else
  !define PACKAGE_REFUSAL "$(INSTALLED_FOR_ALL)"
  ReadRegStr $0 HKLM64 "${UNINSTALL_KEY}" "DisplayVersion"
  ReadRegStr $1 HKLM32 "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} "$0$1" != ""
    !insertmacro RefuseToRun "$(INSTALLED_FOR_ALL)"
  ${EndIf}
!endif
  System::Call 'msi::MsiEnumRelatedProductsW(w "${MSI_UPGRADE_CODE}", i 0, i 0, w .r1) i .r0'
  ${If} $0 = 0
    !insertmacro RefuseToRun "${PACKAGE_REFUSAL}"
  ${EndIf}
  !undef PACKAGE_REFUSAL
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
!if ${SCOPE} == machine
  !insertmacro RequireAdministrator
!endif
  !insertmacro RefuseBesideOtherInstallations
  !insertmacro WaitForOtherSetups ""
  ReadRegStr $InstalledFolder ${ROOT} "${UNINSTALL_KEY}" "InstallLocation"
  Call RefuseDowngrade
  ${If} ${Silent}
  ${OrIf} $InstalledFolder != ""
    Call CheckInstallFolder
    Pop $0
    ${If} $0 != ""
      !insertmacro RefuseToRun $0
    ${EndIf}
  ${EndIf}
  Call ChooseStartWithWindows
FunctionEnd

; An older version over a newer one only when asked: /ALLOWDOWNGRADE, or Yes
; to the question.
Function RefuseDowngrade
  ReadRegStr $0 ${ROOT} "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $0 == ""
    Return
  ${EndIf}
  ${VersionCompare} $0 "${VERSION}" $1
  ${If} $1 != 1
    Return
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/ALLOWDOWNGRADE" $2
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ${If} ${Silent}
    !insertmacro RefuseToRun "$(NEWER_SILENT)"
  ${EndIf}
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(NEWER_ASK)" IDYES downgrade
  SetErrorLevel ${ERROR_CANCELLED}
  Quit
  downgrade:
FunctionEnd

; An upgrade goes where the installed version is.
Function SkipDirectoryOnUpgrade
  ${If} $InstalledFolder != ""
    Abort
  ${EndIf}
FunctionEnd

Function AcceptDirectory
  Call CheckInstallFolder
  Pop $0
  ${If} $0 != ""
    MessageBox MB_ICONEXCLAMATION|MB_OK $0
    Abort
  ${EndIf}
FunctionEnd

; Windows 11's taskbar has no toolbars: there the program is the way in.
; Elsewhere the administrator chooses: /AUTOSTART=yes|no, or the finish
; page's box. An upgrade keeps what was chosen. The machine's Run value
; starts it for every user; each user can turn that off in its menu.
Function ChooseStartWithWindows
  StrCpy $StartWithWindows 0
  ReadRegStr $0 ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
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

; The DLLs into a folder never used before; the program and the uninstaller
; where they always are.
!macro PutFiles
  !insertmacro MakeVersionFolder
  !insertmacro RemoveFirstLayout ""
  ClearErrors
  SetOutPath $VersionFolder
  File "/oname=${MODULE_FILE}" "${DLL}"
  File "/oname=${UI_MODULE_FILE}" "${UI_DLL}"
!if ${ARCH} == x64
  SetOutPath "$VersionFolder\x86"
  File "/oname=${MODULE_FILE}" "${DLL_X86}"
  File "/oname=${UI_MODULE_FILE}" "${UI_DLL_X86}"
!endif
  SetOutPath $INSTDIR
  ${If} ${Errors}
    StrCpy $NamedPath $VersionFolder
    !insertmacro FailInstall "$(CANNOT_WRITE)"
  ${EndIf}
  !insertmacro PutFile "${PROGRAM}" "$INSTDIR" "${PROGRAM_FILE}"
  Push "$INSTDIR\uninstall.exe"
  Call MoveAside
  ClearErrors
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    StrCpy $NamedPath "$INSTDIR\uninstall.exe"
    !insertmacro FailInstall "$(CANNOT_WRITE)"
  ${EndIf}
!macroend

!macro RegisterBands
  ClearErrors
!if ${ARCH} == x64
  !insertmacro WriteBandClass "${CLASSES_64}" "$VersionFolder\${MODULE_FILE}"
  !insertmacro WriteBandClass "${CLASSES_32}" "$VersionFolder\x86\${MODULE_FILE}"
!else
  !insertmacro WriteBandClass "${CLASSES}" "$VersionFolder\${MODULE_FILE}"
!endif
  ${If} ${Errors}
    !insertmacro FailInstall "$(CANNOT_REGISTER)"
  ${EndIf}
  ; Installed for one user, HKCU is always that user's.
!if ${SCOPE} == machine
  Call IsDesktopUser
  Pop $0
!else
  StrCpy $0 1
!endif
  ${If} $0 == 1
    !insertmacro ForgetCachedToolbars
  ${EndIf}
!macroend

!macro ApplyStartWithWindows
  ${If} $StartWithWindows == 1
    WriteRegStr ${ROOT} "${RUN_KEY}" "${RUN_VALUE}" '${RUN_COMMAND}'
  ${Else}
    DeleteRegValue ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
!macroend

!macro WriteAppsEntry
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "Publisher" "${COMPANY_NAME}"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_FILE},0"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; Run in place ("_?="), so that whoever starts them waits for the end and
  ; gets the exit code.
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" _?=$INSTDIR'
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "QuietUninstallString" \
      '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "EstimatedSize" $0
!macroend

Section "Corvane"
  SetShellVarContext ${SHELL_CONTEXT}
  Call StopRunningProgram
  !insertmacro PrepareInstallFolder
  !insertmacro PutFiles
  !insertmacro RegisterBands
  ${GetFileName} $VersionFolder $0
  Push $0
  Call RemoveEarlierVersions
  !insertmacro WriteAppsEntry
  CreateShortcut "$SMPROGRAMS\Corvane.lnk" "$INSTDIR\${PROGRAM_FILE}"
  CreateShortcut "$SMPROGRAMS\Corvane Settings.lnk" "$INSTDIR\${PROGRAM_FILE}" "--settings"
  !insertmacro ApplyStartWithWindows
  ${If} ${RebootFlag}
    SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
  ${EndIf}
SectionEnd

; The finish page: on Windows with toolbars it says how to show the band, in
; the module's own words; its box starts the program.
Function ComposeFinishText
  ${If} ${AtLeastBuild} ${FIRST_WINDOWS_11_BUILD}
    StrCpy $FinishText "$(FINISH_STRIP)"
  ${Else}
    ; English is CORVANE.DLL's own; the other languages are its UI module's,
    ; which holds the user's display language (setup's too).
    StrCpy $2 "${UI_MODULE_FILE}"
    ${If} $LANGUAGE == ${LANG_ENGLISH}
      StrCpy $2 "${MODULE_FILE}"
    ${EndIf}
    System::Call 'kernel32::LoadLibraryExW(w "$VersionFolder\$2", p 0, i 0x22) p .r0'
    System::Call 'user32::LoadStringW(p r0, i ${IDS_INSTALLED}, w .r1, i ${NSIS_MAX_STRLEN})'
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

; The box, ticked or not, decides; on the restart page it is not shown, and
; the choice made before stays.
Function ApplyFinishPageChoice
  ${IfNot} ${RebootFlag}
    ${NSD_GetState} $mui.FinishPage.Run $StartWithWindows
    !insertmacro ApplyStartWithWindows
  ${EndIf}
FunctionEnd

; The installer runs elevated; the program should not: the shell starts it
; as the signed-in user.
Function StartProgramNow
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${PROGRAM_FILE}"'
FunctionEnd

Function un.onInit
!if ${ARCH} == x64
  SetRegView 64
!endif
  Call un.CleanUpAfterUninstaller
!if ${SCOPE} == machine
  !insertmacro RequireAdministrator
!endif
  !insertmacro WaitForOtherSetups "un."
FunctionEnd

Section "Uninstall"
  SetShellVarContext ${SHELL_CONTEXT}
  Call un.StopRunningProgram
  DeleteRegValue ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
!if ${ARCH} == x64
  !insertmacro DeleteBandClass "${CLASSES_64}"
  !insertmacro DeleteBandClass "${CLASSES_32}"
!else
  !insertmacro DeleteBandClass "${CLASSES}"
!endif
  Delete "$SMPROGRAMS\Corvane.lnk"
  Delete "$SMPROGRAMS\Corvane Settings.lnk"
  Push "$INSTDIR\${PROGRAM_FILE}"
  Call un.MoveAside
  !insertmacro RemoveFirstLayout "un."
  Push ""
  Call un.RemoveEarlierVersions
  Call un.RemoveUninstaller
  ; A file in use keeps its folders until the restart removes them.
  ${If} ${RebootFlag}
    !insertmacro RMDirOrLater "$INSTDIR\${VERSIONS_FOLDER}"
    !insertmacro RMDirOrLater "$INSTDIR"
  ${Else}
    RMDir "$INSTDIR\${VERSIONS_FOLDER}"
    RMDir "$INSTDIR"
  ${EndIf}
  DeleteRegKey ${ROOT} "${UNINSTALL_KEY}"
  Call un.RemoveUserParts
  ${If} ${RebootFlag}
    MessageBox MB_ICONINFORMATION|MB_OK "$(REMOVED_AT_RESTART)" /SD IDOK
    SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
  ${EndIf}
SectionEnd

; What earlier versions wrote for the installing user, and the settings if
; the user wants them gone, only where HKCU is the signed-in user's.
Function un.RemoveUserParts
!if ${SCOPE} == machine
  Call un.IsDesktopUser
  Pop $0
  ${If} $0 != 1
    DetailPrint "$(SETTINGS_LEFT)"
    Return
  ${EndIf}
!endif
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  !insertmacro ForgetCachedToolbars
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(REMOVE_SETTINGS)" /SD IDNO IDNO keep
    DeleteRegKey HKCU "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKCU "${COMPANY_KEY}"
  keep:
FunctionEnd
