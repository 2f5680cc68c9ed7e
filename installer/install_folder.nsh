; Corvane's folder. Every user's Explorer loads CORVANE.DLL from it, and the
; F12 hook loads it into their programs, so only administrators and SYSTEM
; may write there: setup takes a folder of its own (new, empty, or holding
; only Corvane's files) and gives it that permission, not inherited from a
; parent that standard users may write (a new folder at a drive's root).
;
; The hook names its DLL by path, and Windows loads that path into every
; program that needs the hook later, for as long as the band that set the
; hook lives (in Explorer, until it restarts). So no file is ever put where
; a CORVANE.DLL was: each installation puts its DLLs into a folder of its
; own under "versions", never used before, and the class names it. Earlier
; ones go when nothing holds them, or at the restart.

!if ${SCOPE} == machine
  !define INSTALL_FOLDER_ACCESS "D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)\
(A;OICI;0x1200a9;;;S-1-15-2-1)(A;OICI;0x1200a9;;;S-1-15-2-2)"
!else
  ; Installed for one user, only that user's programs load it: the folder
  ; keeps the permission of the user's profile.
  !define INSTALL_FOLDER_ACCESS ""
!endif
!define VERSIONS_FOLDER "versions"
!define DACL_SECURITY_INFORMATION 4
!define PROTECTED_DACL_SECURITY_INFORMATION 0x80000000

; Where an installed Corvane is, or "".
Var InstalledFolder
; This installation's DLLs.
Var VersionFolder

; Leaves 1 when every entry of the folder on the stack is one that Corvane
; makes (or made in earlier versions), else 0.
Function HoldsOnlyCorvanesFiles
  Exch $0
  Push $1
  Push $2
  StrCpy $2 1
  FindFirst $1 $0 "$0\*"
  ${DoWhile} $0 != ""
    ${If} $0 != "."
    ${AndIf} $0 != ".."
    ${AndIf} $0 != "${PROGRAM_FILE}"
    ${AndIf} $0 != "uninstall.exe"
    ${AndIf} $0 != "${VERSIONS_FOLDER}"
    ${AndIf} $0 != "${MODULE_FILE}"
    ${AndIf} $0 != "${MODULE_FILE}.new"
    ${AndIf} $0 != "${PROGRAM_FILE}.new"
    ${AndIf} $0 != "x86"
      StrCpy $2 0
    ${EndIf}
    FindNext $1 $0
  ${Loop}
  FindClose $1
  Pop $1
  Pop $0
  Exch $2
FunctionEnd

; Leaves "" when $INSTDIR can be Corvane's folder, else why not.
Function CheckInstallFolder
  Push $0
  ${If} $InstalledFolder != ""
    ${If} $INSTDIR != $InstalledFolder
      StrCpy $0 "Corvane is installed in $InstalledFolder.$\n$\nTo install it in another \
          folder, please uninstall it first."
    ${Else}
      StrCpy $0 ""
    ${EndIf}
  ${Else}
    Push $INSTDIR
    Call HoldsOnlyCorvanesFiles
    Pop $0
    ${If} $0 == 1
      StrCpy $0 ""
    ${Else}
      StrCpy $0 "$INSTDIR holds other files, and Corvane needs a folder of its own.$\n$\n\
          Please choose a new or empty folder."
    ${EndIf}
  ${EndIf}
  Exch $0
FunctionEnd

; A new folder at `folder` with Corvane's permission. Leaves 1 when made, 0
; when it exists already, "" on failure.
!macro MakeProtectedFolder folder
  Push "${INSTALL_FOLDER_ACCESS}"
  Push "${folder}"
  Call MakeFolderWithAccess
!macroend

; Gives the folder on the stack Corvane's permission. Sets the error flag on
; failure.
Function ProtectFolder
  Exch $0
!if "${INSTALL_FOLDER_ACCESS}" == ""
  Pop $0
  Return
!endif
  Push $1
  Push $2
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW( \
      w "${INSTALL_FOLDER_ACCESS}", i ${SDDL_REVISION_1}, *p .r1, p 0) i .r2'
  ${If} $2 != 0
    System::Call 'advapi32::SetFileSecurityW(w r0, \
        i ${DACL_SECURITY_INFORMATION}|${PROTECTED_DACL_SECURITY_INFORMATION}, p r1) i .r2'
    System::Call 'kernel32::LocalFree(p r1)'
  ${EndIf}
  ${If} $2 == 0
    SetErrors
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; `folder`, made or, when it is there already, given Corvane's permission.
!macro PrepareProtectedFolder folder
  ClearErrors
  !insertmacro MakeProtectedFolder "${folder}"
  Pop $0
  ${If} $0 == 0
    Push "${folder}"
    Call ProtectFolder
  ${ElseIf} $0 == ""
    SetErrors
  ${EndIf}
  ${If} ${Errors}
    StrCpy $NamedPath "${folder}"
    !insertmacro FailInstall "$(CANNOT_PROTECT)"
  ${EndIf}
!macroend

!macro PrepareInstallFolder
  ${GetParent} "$INSTDIR" $0
  CreateDirectory $0
  !insertmacro PrepareProtectedFolder "$INSTDIR"
  !insertmacro PrepareProtectedFolder "$INSTDIR\${VERSIONS_FOLDER}"
!macroend

; This installation's folder under "versions": its version and the time, a
; name never used before on this machine.
!macro MakeVersionFolder
  ${GetTime} "" "LS" $0 $1 $2 $3 $4 $5 $6
  StrCpy $7 "$INSTDIR\${VERSIONS_FOLDER}\${VERSION}-$2$1$0-$4$5$6"
  StrCpy $VersionFolder $7
  StrCpy $8 1
  ${Do}
    !insertmacro MakeProtectedFolder $VersionFolder
    Pop $0
    ${If} $0 != 0
      ${Break}
    ${EndIf}
    IntOp $8 $8 + 1
    StrCpy $VersionFolder "$7-$8"
  ${Loop}
  ${If} $0 == ""
    StrCpy $NamedPath $VersionFolder
    !insertmacro FailInstall "$(CANNOT_MAKE)"
  ${EndIf}
!macroend
