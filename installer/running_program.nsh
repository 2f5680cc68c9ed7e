; Closes every Corvane.exe strip of this session, as its menu's Close does,
; and waits for each process to end, so that its files can go. Strips of
; other sessions keep their files in use; those are handled as files in use.

!define SYNCHRONIZE 0x00100000
!define PROGRAM_EXIT_WAIT_MS 5000
!define MOST_STRIPS 16

!macro StopRunningProgramFunction un
Function ${un}StopRunningProgram
  Push $0
  Push $1
  Push $2
  Push $3
  StrCpy $3 0
  ${Do}
    FindWindow $0 "${STRIP_WINDOW_CLASS}"
    ${If} $0 == 0
    ${OrIf} $3 >= ${MOST_STRIPS}
      ${Break}
    ${EndIf}
    DetailPrint "$(CLOSING_PROGRAM)"
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=${PROGRAM_EXIT_WAIT_MS}
    ${If} $2 != 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i ${PROGRAM_EXIT_WAIT_MS}) i'
      System::Call 'kernel32::CloseHandle(p r2) i'
    ${EndIf}
    IntOp $3 $3 + 1
  ${Loop}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro StopRunningProgramFunction ""
!insertmacro StopRunningProgramFunction "un."
