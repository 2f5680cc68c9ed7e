; The uninstaller runs in place (so that whoever starts it gets its exit
; code), and a running program cannot delete its own file. A copy of it
; waits for it to end and removes uninstall.exe and the folder; the copy
; itself goes at the next restart, without asking for one.
;
; Installed for all users, the copy runs elevated, often as SYSTEM: it runs
; from a new folder that only administrators and SYSTEM can write, in the
; Windows temporary folder, so that no one else can put a file beside it or
; swap it before it starts. Installed for one user, it runs as that user
; from a new folder in the user's own temporary folder. When no such folder
; can be made, no copy runs and the file and the folder go at the restart.

!if ${SCOPE} == machine
  !define CLEANUP_FOLDER_ACCESS "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)"
  !define CLEANUP_PARENT "$WINDIR\Temp"
!else
  !define CLEANUP_FOLDER_ACCESS ""
  !define CLEANUP_PARENT "$TEMP"
!endif
!define CLEANUP_SWITCH "/CLEANUP"
!define CLEANUP_FOLDER_TRIES 5
!define MOVEFILE_DELAY_UNTIL_REBOOT 4

; Leaves a new folder that no one else can write, or "".
Function un.MakeCleanupFolder
  Push $0
  Push $1
  Push $2
  ${ForEach} $0 1 ${CLEANUP_FOLDER_TRIES} + 1
    ; A name no one holds at this moment; someone who takes it before the
    ; folder is made only makes this try fail.
    GetTempFileName $1 "${CLEANUP_PARENT}"
    Delete $1
    Push "${CLEANUP_FOLDER_ACCESS}"
    Push $1
    Call un.MakeFolderWithAccess
    Pop $2
    ${If} $2 == 1
      ${Break}
    ${EndIf}
    StrCpy $1 ""
  ${Next}
  Pop $2
  Exch $1
  Exch
  Pop $0
FunctionEnd

Function un.RemoveUninstaller
  Delete "$INSTDIR\uninstall.exe"
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    Call un.MakeCleanupFolder
    Pop $0
    ${If} $0 != ""
      ClearErrors
      CopyFiles /SILENT "$EXEPATH" "$0\uninstall.exe"
      ${IfNot} ${Errors}
        SetOutPath $0
        Exec '"$0\uninstall.exe" /S ${CLEANUP_SWITCH} _?=$INSTDIR'
        SetOutPath $INSTDIR
        Return
      ${EndIf}
      RMDir $0
    ${EndIf}
    Push "$INSTDIR\uninstall.exe"
    Call un.RemoveNowOrAtRestart
  ${EndIf}
FunctionEnd

; In the copy: once the uninstaller and any other Corvane setup have ended,
; uninstall.exe and the folder go, unless an installation has taken the
; folder meanwhile.
Function un.CleanUpAfterUninstaller
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "${CLEANUP_SWITCH}" $1
  ${If} ${Errors}
    Return
  ${EndIf}
!if ${SCOPE} == machine
  System::Call 'kernel32::MoveFileExW(w "$EXEPATH", p 0, i ${MOVEFILE_DELAY_UNTIL_REBOOT}) i'
  System::Call 'kernel32::MoveFileExW(w "$EXEDIR", p 0, i ${MOVEFILE_DELAY_UNTIL_REBOOT}) i'
!else
  !insertmacro DeleteOrLater "$EXEPATH"
  !insertmacro RMDirOrLater "$EXEDIR"
!endif
  ; The uninstaller holds the lock until it ends, however long its pages
  ; stay open.
  Push ${INFINITE}
  Call un.TakeSetupLock
  Pop $0
  ; Without the lock, a setup may be filling the folder: uninstall.exe stays.
  ${If} $0 != 1
    Quit
  ${EndIf}
  ReadRegStr $0 ${ROOT} "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != $INSTDIR
    Push "$INSTDIR\uninstall.exe"
    Call un.RemoveNowOrAtRestart
    RMDir "$INSTDIR\${VERSIONS_FOLDER}"
    !insertmacro RMDirOrLater "$INSTDIR"
  ${EndIf}
  Quit
FunctionEnd
