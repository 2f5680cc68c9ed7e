; For whom setup installs: every user of the machine (-DSCOPE=machine, the
; default: elevated, into Program Files, under HKLM) or only the user who
; runs it (-DSCOPE=user: no elevation, into the user's own programs folder,
; under HKCU). Everything else is the same in both.
;
; What setup cannot remove now goes when Windows restarts; a user without
; administrator rights cannot ask Windows for that, so a per-user setup
; leaves it to the user's RunOnce key, which runs at the next sign-in, when
; nothing of Corvane's that is gone holds its files any more.

!ifndef SCOPE
  !define SCOPE machine
!endif

!define RUN_ONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"

!if ${SCOPE} == machine
  !define ROOT HKLM
  !define SHELL_CONTEXT all
  !define EXECUTION_LEVEL admin
!else if ${SCOPE} == user
  !define ROOT HKCU
  !define SHELL_CONTEXT current
  !define EXECUTION_LEVEL user
!else
  !error "SCOPE must be machine or user"
!endif

; Delete, RMDir and Rename as /REBOOTOK makes them: now, or else when
; Windows starts again (for one user: at the user's next sign-in).
!if ${SCOPE} == machine
!macro DeleteOrLater path
  Delete /REBOOTOK "${path}"
!macroend
!macro RMDirOrLater path
  RMDir /REBOOTOK "${path}"
!macroend
!macro RenameOrLater from to
  Rename /REBOOTOK "${from}" "${to}"
!macroend
!else
; Each command gets a value of its own, named by this run's start and a
; count, so that no earlier setup's command is overwritten; they run in the
; order they were written. Folders go only when empty, so that a new
; installation in the same place meanwhile loses nothing.
Var LaterRun
Var LaterCount
!macro AtNextSignIn command
  ${If} $LaterRun == ""
    System::Call 'kernel32::GetTickCount() i .s'
    Pop $LaterRun
  ${EndIf}
  IntOp $LaterCount $LaterCount + 1
  WriteRegExpandStr HKCU "${RUN_ONCE_KEY}" "${PRODUCT_NAME} cleanup $LaterRun-$LaterCount" \
      '%ComSpec% /d /c ${command}'
  SetRebootFlag true
!macroend
!macro DeleteOrLater path
  Delete "${path}"
  ${If} ${FileExists} "${path}"
    !insertmacro AtNextSignIn 'del /f /q "${path}"'
  ${EndIf}
!macroend
!macro RMDirOrLater path
  RMDir "${path}"
  ${If} ${FileExists} "${path}\*"
    !insertmacro AtNextSignIn 'rd /q "${path}"'
  ${EndIf}
!macroend
!macro RenameOrLater from to
  ClearErrors
  Rename "${from}" "${to}"
  ${If} ${Errors}
    !insertmacro AtNextSignIn 'move /y "${from}" "${to}"'
  ${EndIf}
!macroend
!endif
