; Folders made with a permission of their own from their first moment, so
; that no one can put a file into them before setup has protected them.

!define SDDL_REVISION_1 1
!define ERROR_ALREADY_EXISTS 183
!if ${NSIS_PTR_SIZE} > 4
  !define SECURITY_ATTRIBUTES "(i 24, i 0, p r1, i 0, i 0)"
!else
  !define SECURITY_ATTRIBUTES "(i 12, p r1, i 0)"
!endif

!macro FolderAccessFunctions un
; Takes a path and, above it, a permission in SDDL ("" for the one the
; parent folder passes on); makes a new folder there with it. Leaves 1 when
; made, 0 when the path exists already, "" on failure.
Function ${un}MakeFolderWithAccess
  Exch $0
  Exch
  Exch $1
  Push $2
  Push $3
  StrCpy $3 ""
  ${If} $1 == ""
    System::Call 'kernel32::CreateDirectoryW(w r0, p 0) i .r0 ? e'
    Pop $3
  ${Else}
    System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW( \
        w r1, i ${SDDL_REVISION_1}, *p .r1, p 0) i .r2'
    ${If} $2 != 0
      System::Call '*${SECURITY_ATTRIBUTES} p .r2'
      System::Call 'kernel32::CreateDirectoryW(w r0, p r2) i .r0 ? e'
      Pop $3
      System::Free $2
      System::Call 'kernel32::LocalFree(p r1)'
    ${EndIf}
  ${EndIf}
  ; $3 holds the error of the attempt, "" when none was made.
  ${If} $3 != ""
    ${If} $0 != 0
      StrCpy $3 1
    ${ElseIf} $3 == ${ERROR_ALREADY_EXISTS}
      StrCpy $3 0
    ${Else}
      StrCpy $3 ""
    ${EndIf}
  ${EndIf}
  Pop $2
  Exch $3
  Exch 2
  Pop $0
  Pop $1
FunctionEnd
!macroend
!insertmacro FolderAccessFunctions ""
!insertmacro FolderAccessFunctions "un."
