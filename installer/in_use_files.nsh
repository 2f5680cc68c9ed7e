; Files that a running program still holds: a CORVANE.DLL that Explorer shows
; as a toolbar, or that the F12 hook has put into other programs. Windows
; cannot delete such a file, but it can rename it within its volume: it is
; moved out of the way into the temporary folder and removed at the next
; restart. A file that cannot even be renamed is replaced or removed at the
; next restart where it is.

!macro FailInstall text
  DetailPrint "${text}"
  MessageBox MB_ICONSTOP|MB_OK "${text}" /SD IDOK
  SetErrorLevel ${ERROR_REFUSED}
  Abort
!macroend

; Takes a path from the stack; afterwards the file is gone, or moved aside
; and due at the next restart, or (where it could not be moved) still there.
!macro MoveAsideFunction un
Function ${un}MoveAside
  Exch $0
  Push $1
  ${If} ${FileExists} $0
    Delete $0
    ${If} ${FileExists} $0
      GetTempFileName $1 "$TEMP"
      Delete $1
      ClearErrors
      Rename $0 $1
      ${IfNot} ${Errors}
        Delete /REBOOTOK $1
        DetailPrint "$0 is in use: moved to $1, removed at the next restart."
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro MoveAsideFunction ""
!insertmacro MoveAsideFunction "un."

; Puts a file in place, also over one in use.
!macro PutFile source folder name
  CreateDirectory "${folder}"
  Push "${folder}\${name}"
  Call MoveAside
  ClearErrors
  ${If} ${FileExists} "${folder}\${name}"
    File "/oname=${folder}\${name}.new" "${source}"
    Rename /REBOOTOK "${folder}\${name}.new" "${folder}\${name}"
    DetailPrint "${folder}\${name} is in use: replaced at the next restart."
  ${Else}
    File "/oname=${folder}\${name}" "${source}"
  ${EndIf}
  ${If} ${Errors}
    !insertmacro FailInstall "Could not write ${folder}\${name}."
  ${EndIf}
!macroend

; Takes a path from the stack and removes the file, now or at the next restart.
Function un.RemoveFile
  Exch $0
  Push $0
  Call un.MoveAside
  ${If} ${FileExists} $0
    Delete /REBOOTOK $0
    DetailPrint "$0 is in use: removed at the next restart."
  ${EndIf}
  Pop $0
FunctionEnd

; The uninstaller runs from the temporary folder when started plainly, and
; from its own folder when started as registered (so that whoever starts it
; gets its exit code). A running program cannot delete its own file: a copy
; of it in the temporary folder waits for it to end, removes its file and
; the folder, and goes itself at the next restart, without asking for one.
!define MOVEFILE_DELAY_UNTIL_REBOOT 4
!define REMOVER_WAIT_MS 30000

Function un.RemoveUninstaller
  Delete "$INSTDIR\uninstall.exe"
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    GetTempFileName $0 "$TEMP"
    CopyFiles /SILENT "$EXEPATH" $0
    System::Call 'kernel32::GetCurrentProcessId() i .r1'
    Exec '"$0" /S /REMOVEAFTER=$1 _?=$INSTDIR'
  ${EndIf}
FunctionEnd

; In the copy: once the uninstaller has ended, its file and the folder go.
Function un.RemoveAfterUninstaller
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEAFTER=" $1
  ${If} ${Errors}
    Return
  ${EndIf}
  System::Call 'kernel32::MoveFileExW(w "$EXEPATH", p 0, i ${MOVEFILE_DELAY_UNTIL_REBOOT}) i'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
  ${If} $2 != 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i ${REMOVER_WAIT_MS}) i'
    System::Call 'kernel32::CloseHandle(p r2) i'
  ${EndIf}
  ; A setup that started meanwhile owns the folder now.
  Push 0
  Call un.TakeSetupLock
  Pop $0
  ${If} $0 == 1
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
  ${EndIf}
  Quit
FunctionEnd
