; Corvane's folder. Every user's Explorer loads CORVANE.DLL from it, and the
; F12 hook loads it into their programs, so only administrators and SYSTEM
; may write there: setup takes a folder of its own (new, empty, or holding
; only Corvane's files) and gives it that permission, not inherited from a
; parent that standard users may write (a new folder at a drive's root).
; Administrators own it and everything setup makes below it: the owner of a
; folder may always change its permission, and a standard user who made the
; folder beforehand would own it. A folder on the way that leads elsewhere
; (a junction, a symbolic link, a mount point) is refused, and so is a
; "versions" folder that setup did not make: its contents are what every
; program loads.
;
; The hook names its DLL by path, and Windows loads that path into every
; program that needs the hook later, for as long as the band that set the
; hook lives (in Explorer, until it restarts). So no file is ever put where
; a CORVANE.DLL was: each installation puts its DLLs into a folder of its
; own under "versions", never used before, and the class names it. Earlier
; ones go when nothing holds them, or at the restart.

!if ${SCOPE} == machine
  !define INSTALL_FOLDER_ACCESS "O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)\
(A;OICI;0x1200a9;;;S-1-15-2-1)(A;OICI;0x1200a9;;;S-1-15-2-2)"
!else
  ; Installed for one user, only that user's programs load it: the folder
  ; keeps the permission of the user's profile.
  !define INSTALL_FOLDER_ACCESS ""
!endif
!define VERSIONS_FOLDER "versions"
!define OWNER_SECURITY_INFORMATION 1
!define DACL_SECURITY_INFORMATION 4
!define PROTECTED_DACL_SECURITY_INFORMATION 0x80000000
!define SE_FILE_OBJECT 1
!define FILE_ATTRIBUTE_REPARSE_POINT 0x400
!define FILE_READ_ATTRIBUTES 0x80
!define READ_CONTROL 0x00020000
!define WRITE_DAC 0x00040000
!define WRITE_OWNER 0x00080000
!define FILE_SHARE_ALL 7
!define FILE_FLAG_BACKUP_SEMANTICS 0x02000000
!define FILE_FLAG_OPEN_REPARSE_POINT 0x00200000
!define BY_HANDLE_FILE_INFORMATION_BYTES 52
!define TOKEN_ADJUST_PRIVILEGES 0x20
!define SE_PRIVILEGE_ENABLED 2
; As the platform defines it, sign-extended where pointers have 64 bits.
!define HKEY_LOCAL_MACHINE -2147483646
!define RRF_RT_REG_MULTI_SZ 0x20
!define SESSION_MANAGER_KEY "System\CurrentControlSet\Control\Session Manager"
!define ADMINISTRATORS_SID "S-1-5-32-544"
!define SYSTEM_SID "S-1-5-18"

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
  StrCpy $0 $2
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

!if ${SCOPE} == machine
; Takes a path; leaves the first folder on the way to it (itself included)
; that leads elsewhere (a junction, a symbolic link, a mount point), or "".
Function FindLinkOnTheWay
  Exch $0
  Push $1
  Push $2
  StrCpy $2 ""
  ${Do}
    System::Call 'kernel32::GetFileAttributesW(w r0) i .r1'
    ${If} $1 != -1
      IntOp $1 $1 & ${FILE_ATTRIBUTE_REPARSE_POINT}
      ${If} $1 != 0
        StrCpy $2 $0
        ${Break}
      ${EndIf}
    ${EndIf}
    ${GetParent} $0 $1
    ; Up to the drive's root, which is no link.
    StrLen $0 $1
    ${If} $0 <= 2
      ${Break}
    ${EndIf}
    StrCpy $0 $1
  ${Loop}
  StrCpy $0 $2
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Takes a path; leaves the text of its owner's SID, or "".
Function OwnerOf
  Exch $0
  Push $1
  Push $2
  Push $3
  StrCpy $3 ""
  System::Call 'advapi32::GetNamedSecurityInfoW(w r0, i ${SE_FILE_OBJECT}, \
      i ${OWNER_SECURITY_INFORMATION}, *p .r1, p 0, p 0, p 0, *p .r2) i .r0'
  ${If} $0 = 0
    System::Call 'advapi32::ConvertSidToStringSidW(p r1, *p .r1) i .r0'
    ${If} $0 != 0
      System::Call 'kernel32::lstrcpynW(w .r3, p r1, i ${NSIS_MAX_STRLEN})'
      System::Call 'kernel32::LocalFree(p r1)'
    ${EndIf}
    System::Call 'kernel32::LocalFree(p r2)'
  ${EndIf}
  StrCpy $0 $3
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Takes a path; leaves 1 when Windows is to remove it at the restart (only
; administrators can ask for that: an uninstall left it, a file in it being
; in use), else 0.
Function IsPendingRemoval
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  StrCpy $4 0
  ; As Windows names them there; a folder's name may end in a backslash.
  StrCpy $5 "\??\$0"
  StrCpy $6 "\??\$0\"
  System::Call 'advapi32::RegGetValueW(p ${HKEY_LOCAL_MACHINE}, w "${SESSION_MANAGER_KEY}", \
      w "PendingFileRenameOperations", i ${RRF_RT_REG_MULTI_SZ}, p 0, p 0, *i .r2) i .r1'
  ${If} $1 = 0
    System::Alloc $2
    Pop $1
    System::Call 'advapi32::RegGetValueW(p ${HKEY_LOCAL_MACHINE}, w "${SESSION_MANAGER_KEY}", \
        w "PendingFileRenameOperations", i ${RRF_RT_REG_MULTI_SZ}, p 0, p r1, *i r2) i .r3'
    ${If} $3 = 0
      ; Pairs of texts (each removal's second one empty) up to an empty one.
      StrCpy $3 $1
      ${Do}
        System::Call 'kernel32::lstrlenW(p r3) i .r2'
        ${If} $2 = 0
          ${Break}
        ${EndIf}
        System::Call 'kernel32::lstrcmpiW(p r3, w r5) i .r0'
        ${If} $0 <> 0
          System::Call 'kernel32::lstrcmpiW(p r3, w r6) i .r0'
        ${EndIf}
        ${If} $0 = 0
          StrCpy $4 1
          ${Break}
        ${EndIf}
        ; Past the text and the one it is renamed to ("" for a removal).
        IntOp $2 $2 + 1
        IntOp $2 $2 * 2
        IntPtrOp $3 $3 + $2
        System::Call 'kernel32::lstrlenW(p r3) i .r2'
        IntOp $2 $2 + 1
        IntOp $2 $2 * 2
        IntPtrOp $3 $3 + $2
      ${Loop}
    ${EndIf}
    System::Free $1
  ${EndIf}
  StrCpy $0 $4
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Takes a folder that is there; leaves 1 when setup made it: Administrators
; or SYSTEM own it, or, where Corvane is installed already, the account this
; setup runs as (an administrator, where the system lets its creator own
; what it makes), or an uninstall left it for the restart. Else 0.
Function MadeBySetup
  Exch $0
  Push $1
  Push $2
  Push $0
  Call OwnerOf
  Pop $1
  StrCpy $2 0
  ${If} $1 == ${ADMINISTRATORS_SID}
  ${OrIf} $1 == ${SYSTEM_SID}
    StrCpy $2 1
  ${ElseIf} $InstalledFolder != ""
  ${AndIf} $1 != ""
    System::Call 'kernel32::GetCurrentProcess() p .s'
    Call UserSidOf
    Pop $2
    ${If} $2 == $1
      StrCpy $2 1
    ${Else}
      StrCpy $2 0
    ${EndIf}
  ${EndIf}
  ${If} $2 == 0
    Push $0
    Call IsPendingRemoval
    Pop $2
  ${EndIf}
  StrCpy $0 $2
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Takes a folder of Corvane's; leaves "" when setup may use it, else why not.
Function CheckFolderOfSetup
  Exch $0
  Push $1
  Push $0
  Call FindLinkOnTheWay
  Pop $1
  ${If} $1 != ""
    StrCpy $0 "$1 leads elsewhere (it is a junction or another link): what Corvane puts \
        there could be changed through it.$\n$\nPlease choose a folder that is no link and \
        lies in none."
  ${ElseIf} ${FileExists} "$0\${VERSIONS_FOLDER}\*"
    Push "$0\${VERSIONS_FOLDER}"
    Call MadeBySetup
    Pop $1
    ${If} $1 != 1
      StrCpy $0 "$0\${VERSIONS_FOLDER} was not made by Corvane's setup, and whoever made it \
          could change what it holds.$\n$\nPlease choose a new or empty folder."
    ${Else}
      StrCpy $0 ""
    ${EndIf}
  ${Else}
    StrCpy $0 ""
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd
!endif

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
!if ${SCOPE} == machine
  ${If} $0 == ""
    Push $INSTDIR
    Call CheckFolderOfSetup
    Pop $0
  ${EndIf}
!endif
  Exch $0
FunctionEnd

; A new folder at `folder` with Corvane's permission. Leaves 1 when made, 0
; when it exists already, "" on failure.
!macro MakeProtectedFolder folder
  Push "${INSTALL_FOLDER_ACCESS}"
  Push "${folder}"
  Call MakeFolderWithAccess
!macroend

!if ${SCOPE} == machine
; Setting the owner to Administrators, and a permission on a folder whose
; permission leaves administrators out, takes these privileges, which an
; elevated administrator and SYSTEM have but must turn on.
Function EnableOwnershipPrivileges
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  System::Call 'kernel32::GetCurrentProcess() p .r0'
  System::Call 'advapi32::OpenProcessToken(p r0, i ${TOKEN_ADJUST_PRIVILEGES}, *p .r0) i .r1'
  ${If} $1 != 0
    System::Alloc 8
    Pop $2
    ${ForEach} $1 1 2 + 1
      StrCpy $3 "SeTakeOwnershipPrivilege"
      ${If} $1 == 2
        StrCpy $3 "SeRestorePrivilege"
      ${EndIf}
      System::Call 'advapi32::LookupPrivilegeValueW(p 0, w r3, p r2) i .r4'
      ${If} $4 != 0
        ; TOKEN_PRIVILEGES with one LUID_AND_ATTRIBUTES, 16 bytes.
        System::Call '*$2(i .r3, i .r4)'
        System::Call '*(i 1, i r3, i r4, i ${SE_PRIVILEGE_ENABLED}) p .r3'
        ; Without it, a folder is given its owner and permission where the
        ; account may anyway.
        System::Call 'advapi32::AdjustTokenPrivileges(p r0, i 0, p r3, i 0, p 0, p 0) i'
        System::Free $3
      ${EndIf}
    ${Next}
    System::Free $2
    System::Call 'kernel32::CloseHandle(p r0)'
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!endif

; Gives the folder on the stack Corvane's owner and permission, through a
; handle of the folder itself (a link swapped in meanwhile is refused, not
; followed). Sets the error flag on failure.
Function ProtectFolder
  Exch $0
!if "${INSTALL_FOLDER_ACCESS}" == ""
  Pop $0
  Return
!endif
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $4 0
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW( \
      w "${INSTALL_FOLDER_ACCESS}", i ${SDDL_REVISION_1}, *p .r1, p 0) i .r2'
  ${If} $2 != 0
    System::Call 'kernel32::CreateFileW(w r0, \
        i ${READ_CONTROL}|${WRITE_DAC}|${WRITE_OWNER}|${FILE_READ_ATTRIBUTES}, \
        i ${FILE_SHARE_ALL}, p 0, i ${OPEN_EXISTING}, \
        i ${FILE_FLAG_BACKUP_SEMANTICS}|${FILE_FLAG_OPEN_REPARSE_POINT}, p 0) p .r2'
    ${If} $2 != -1
      System::Alloc ${BY_HANDLE_FILE_INFORMATION_BYTES}
      Pop $3
      System::Call 'kernel32::GetFileInformationByHandle(p r2, p r3) i .r4'
      ${If} $4 != 0
        System::Call '*$3(i .r4)'
        IntOp $4 $4 & ${FILE_ATTRIBUTE_REPARSE_POINT}
        ${If} $4 == 0
          System::Call 'advapi32::SetKernelObjectSecurity(p r2, \
              i ${OWNER_SECURITY_INFORMATION}|${DACL_SECURITY_INFORMATION}|${PROTECTED_DACL_SECURITY_INFORMATION}, \
              p r1) i .r4'
        ${Else}
          StrCpy $4 0
        ${EndIf}
      ${EndIf}
      System::Free $3
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
    System::Call 'kernel32::LocalFree(p r1)'
  ${EndIf}
  ${If} $4 == 0
    SetErrors
  ${EndIf}
  Pop $4
  Pop $3
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
!if ${SCOPE} == machine
  Call EnableOwnershipPrivileges
  ; Checked again: until the folder is protected, others may change it.
  Push $INSTDIR
  Call CheckFolderOfSetup
  Pop $0
  ${If} $0 != ""
    !insertmacro FailInstall $0
  ${EndIf}
!endif
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
