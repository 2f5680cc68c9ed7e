; Setup runs elevated: as the signed-in user, as an administrator whose
; credentials a standard user typed, or as SYSTEM from a deployment tool. Its
; HKCU is the signed-in user's only in the first case, so per-user state is
; touched only when this process runs as the user whose shell runs in this
; session.

!define TOKEN_QUERY 8
!define TOKEN_USER_CLASS 1
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define TOKEN_USER_BYTES 256

!macro DesktopUserFunctions un
; Takes a process handle; leaves the text of its user's SID, or "".
Function ${un}UserSidOf
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $4 ""
  System::Call 'advapi32::OpenProcessToken(p r0, i ${TOKEN_QUERY}, *p .r1) i .r2'
  ${If} $2 != 0
    System::Alloc ${TOKEN_USER_BYTES}
    Pop $3
    System::Call 'advapi32::GetTokenInformation(p r1, i ${TOKEN_USER_CLASS}, p r3, \
        i ${TOKEN_USER_BYTES}, *i .r2) i .r2'
    ${If} $2 != 0
      System::Call '*$3(p .r2)'
      System::Call 'advapi32::ConvertSidToStringSidW(p r2, *p .r0) i .r2'
      ${If} $2 != 0
        System::Call 'kernel32::lstrcpynW(w .r4, p r0, i ${NSIS_MAX_STRLEN})'
        System::Call 'kernel32::LocalFree(p r0)'
      ${EndIf}
    ${EndIf}
    System::Free $3
    System::Call 'kernel32::CloseHandle(p r1)'
  ${EndIf}
  Exch $4
  Exch 4
  Pop $0
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

; Leaves 1 when HKCU is the signed-in user's, else 0.
Function ${un}IsDesktopUser
  Push $0
  Push $1
  Push $2
  StrCpy $2 0
  System::Call 'user32::GetShellWindow() p .r0'
  ${If} $0 P<> 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i r1) p .r0'
    ${If} $0 P<> 0
      Push $0
      Call ${un}UserSidOf
      Pop $1
      System::Call 'kernel32::CloseHandle(p r0)'
      System::Call 'kernel32::GetCurrentProcess() p .r0'
      Push $0
      Call ${un}UserSidOf
      Pop $0
      ${If} $1 != ""
      ${AndIf} $1 == $0
        StrCpy $2 1
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Exch $2
  Exch 2
  Pop $0
  Pop $1
FunctionEnd
!macroend
!insertmacro DesktopUserFunctions ""
!insertmacro DesktopUserFunctions "un."
