; One Corvane setup at a time on this machine: an installer, an uninstaller
; and the copy that removes the uninstaller's own file after it. The lock is
; held until the process ends.
;
; For all users the lock is a file in Program Files, opened for this process
; alone and gone with it. Any user may make a named object first, of any
; kind, and keep every later setup waiting; only administrators can make a
; file in Program Files. For one user it is a named mutex, and a setup for
; one user also waits while a setup for all users runs.

!define SETUP_LOCK_WAIT_MS 60000
!define SETUP_LOCK_POLL_MS 250
!define SETUP_LOCK_PATH "$PROGRAMFILES64\${SETUP_LOCK_FILE}"
!define INFINITE 0xFFFFFFFF
!define WAIT_OBJECT_0 0
!define WAIT_ABANDONED 0x80
!define GENERIC_READ 0x80000000
!define GENERIC_WRITE 0x40000000
!define DELETE 0x00010000
!define OPEN_ALWAYS 4
!define OPEN_EXISTING 3
!define FILE_ATTRIBUTE_HIDDEN 2
!define FILE_FLAG_DELETE_ON_CLOSE 0x04000000
!define ERROR_SHARING_VIOLATION 32

; Inside a loop over the time left in $0: a moment more, or 0 and out of
; the loop when the time is up.
!macro WaitSomeMore
  ${If} $0 != ${INFINITE}
    ${If} $0 <= 0
      StrCpy $0 0
      ${Break}
    ${EndIf}
    IntOp $0 $0 - ${SETUP_LOCK_POLL_MS}
  ${EndIf}
  Sleep ${SETUP_LOCK_POLL_MS}
!macroend

!macro SetupLockFunctions un
!if ${SCOPE} == machine
; Takes the time to wait (INFINITE: as long as it takes); leaves 1 when the
; lock file is this process's, else 0. A file a setup left behind (the power
; went) is taken over.
Function ${un}TakeSetupLock
  Exch $0
  Push $1
  Push $2
  ${Do}
    System::Call 'kernel32::CreateFileW(w "${SETUP_LOCK_PATH}", \
        i ${GENERIC_READ}|${GENERIC_WRITE}|${DELETE}, i 0, p 0, i ${OPEN_ALWAYS}, \
        i ${FILE_ATTRIBUTE_HIDDEN}|${FILE_FLAG_DELETE_ON_CLOSE}, p 0) p .r1 ? e'
    Pop $2
    ; Kept open, and so held, until the process ends.
    ${If} $1 != -1
      StrCpy $0 1
      ${Break}
    ${EndIf}
    ${If} $2 != ${ERROR_SHARING_VIOLATION}
      StrCpy $0 0
      ${Break}
    ${EndIf}
    !insertmacro WaitSomeMore
  ${Loop}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!else
; Takes the time to wait; leaves 1 when the lock is this process's, else 0.
Function ${un}TakeSetupLock
  Exch $0
  Push $1
  Push $2
  System::Call 'kernel32::GetTickCount() i .r2'
  System::Call 'kernel32::CreateMutexW(p 0, i 0, w "${SETUP_MUTEX}") p .r1'
  System::Call 'kernel32::WaitForSingleObject(p r1, i r0) i .r1'
  ; A setup that ended without letting go (the uninstaller's cleanup copy
  ; never does) leaves the lock abandoned: it is free all the same.
  ${If} $1 = ${WAIT_OBJECT_0}
  ${OrIf} $1 = ${WAIT_ABANDONED}
    ; The time left, while a setup for all users holds its lock.
    ${If} $0 != ${INFINITE}
      System::Call 'kernel32::GetTickCount() i .r1'
      IntOp $1 $1 - $2
      IntOp $0 $0 - $1
    ${EndIf}
    ${Do}
      System::Call 'kernel32::CreateFileW(w "${SETUP_LOCK_PATH}", i ${GENERIC_READ}, i 0, p 0, \
          i ${OPEN_EXISTING}, i 0, p 0) p .r1 ? e'
      Pop $2
      ${If} $1 != -1
        System::Call 'kernel32::CloseHandle(p r1)'
      ${EndIf}
      ${If} $2 != ${ERROR_SHARING_VIOLATION}
        StrCpy $0 1
        ${Break}
      ${EndIf}
      !insertmacro WaitSomeMore
    ${Loop}
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!endif
!macroend
!insertmacro SetupLockFunctions ""
!insertmacro SetupLockFunctions "un."

!macro WaitForOtherSetups un
  Push ${SETUP_LOCK_WAIT_MS}
  Call ${un}TakeSetupLock
  Pop $0
  ${If} $0 != 1
    !insertmacro RefuseToRun "$(SETUP_RUNNING)"
  ${EndIf}
!macroend
