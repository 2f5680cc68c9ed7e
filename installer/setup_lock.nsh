; One Corvane setup at a time on this machine: an installer, an uninstaller
; and the copy that removes the uninstaller's own file after it. The lock is
; held until the process ends.

!define SETUP_LOCK_WAIT_MS 60000
!define INFINITE 0xFFFFFFFF
!define WAIT_OBJECT_0 0
!define WAIT_ABANDONED 0x80

; Leaves 1 on the stack when the lock is this process's, else 0.
!macro TakeSetupLockFunction un
Function ${un}TakeSetupLock
  Exch $0
  Push $1
  System::Call 'kernel32::CreateMutexW(p 0, i 0, w "${SETUP_MUTEX}") p .r1'
  System::Call 'kernel32::WaitForSingleObject(p r1, i r0) i .r0'
  ; A setup that ended without letting go (the uninstaller's cleanup copy
  ; never does) leaves the lock abandoned: it is free all the same.
  ${If} $0 = ${WAIT_OBJECT_0}
  ${OrIf} $0 = ${WAIT_ABANDONED}
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro TakeSetupLockFunction ""
!insertmacro TakeSetupLockFunction "un."

!macro WaitForOtherSetups un
  Push ${SETUP_LOCK_WAIT_MS}
  Call ${un}TakeSetupLock
  Pop $0
  ${If} $0 != 1
    !insertmacro RefuseToRun "$(SETUP_RUNNING)"
  ${EndIf}
!macroend
