; Files that a running program still holds: a CORVANE.DLL that Explorer shows
; as a toolbar or that the F12 hook has put into other programs, and a
; Corvane.exe running in another user's session. Windows cannot delete such
; a file; it goes at the next restart.
;
; A DLL stays where it is until then, for the hook goes on loading it by its
; path into programs that start meanwhile; no installation uses that path
; again. A file whose path the next installation uses (Corvane.exe,
; uninstall.exe) is first renamed out of the way into "versions", which the
; next setup or the restart empties.

!macro FailInstall text
  DetailPrint "${text}"
  MessageBox MB_ICONSTOP|MB_OK "${text}" /SD IDOK
  SetErrorLevel ${ERROR_REFUSED}
  Abort
!macroend

!macro InUseFileFunctions un
; Takes a path from the stack and removes the file now, or at the restart.
Function ${un}RemoveNowOrAtRestart
  Exch $0
  Delete $0
  ${If} ${FileExists} $0
    !insertmacro DeleteOrLater $0
    DetailPrint "$(REMOVED_LATER)"
  ${EndIf}
  Pop $0
FunctionEnd

; Takes a folder from the stack and removes the files in it and then the
; folder, now or at the restart.
Function ${un}RemoveFilesAndFolder
  Exch $0
  Push $1
  Push $2
  ${If} ${FileExists} "$0\*"
    FindFirst $1 $2 "$0\*"
    ${DoWhile} $2 != ""
      ${IfNot} ${FileExists} "$0\$2\*"
        Push "$0\$2"
        Call ${un}RemoveNowOrAtRestart
      ${EndIf}
      FindNext $1 $2
    ${Loop}
    FindClose $1
    RMDir $0
    ${If} ${FileExists} "$0\*"
      !insertmacro RMDirOrLater $0
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Takes an installation's folder under "versions" and removes it with its
; x86 folder.
Function ${un}RemoveVersionFolder
  Exch $0
  Push "$0\x86"
  Call ${un}RemoveFilesAndFolder
  Push $0
  Call ${un}RemoveFilesAndFolder
  Pop $0
FunctionEnd

; Takes a path from the stack and renames the file into "versions", where it
; waits for its removal; a file that cannot even be renamed (held without
; sharing) is removed where it is at the restart.
Function ${un}MoveAside
  Exch $0
  Push $1
  Delete $0
  ${If} ${FileExists} $0
    CreateDirectory "$INSTDIR\${VERSIONS_FOLDER}"
    GetTempFileName $1 "$INSTDIR\${VERSIONS_FOLDER}"
    Delete $1
    ClearErrors
    Rename $0 $1
    ${If} ${Errors}
      !insertmacro DeleteOrLater $0
      DetailPrint "$(REMOVED_LATER)"
    ${Else}
      DetailPrint "$(MOVED_ASIDE)"
    ${EndIf}
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; Takes the name of the version to keep ("" for none) and removes every other
; entry of "versions", now or at the restart.
Function ${un}RemoveEarlierVersions
  Exch $0
  Push $1
  Push $2
  FindFirst $1 $2 "$INSTDIR\${VERSIONS_FOLDER}\*"
  ${DoWhile} $2 != ""
    ${If} $2 != "."
    ${AndIf} $2 != ".."
    ${AndIf} $2 != $0
      Push "$INSTDIR\${VERSIONS_FOLDER}\$2"
      ${If} ${FileExists} "$INSTDIR\${VERSIONS_FOLDER}\$2\*"
        Call ${un}RemoveVersionFolder
      ${Else}
        Call ${un}RemoveNowOrAtRestart
      ${EndIf}
    ${EndIf}
    FindNext $1 $2
  ${Loop}
  FindClose $1
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro InUseFileFunctions ""
!insertmacro InUseFileFunctions "un."

; Earlier versions kept the DLLs in the folder itself and replaced a file in
; use at the restart from a ".new" beside it: those go now or at the restart.
!macro RemoveFirstLayout un
  Push "$INSTDIR\${MODULE_FILE}"
  Call ${un}RemoveNowOrAtRestart
  Push "$INSTDIR\${MODULE_FILE}.new"
  Call ${un}RemoveNowOrAtRestart
  Push "$INSTDIR\${PROGRAM_FILE}.new"
  Call ${un}RemoveNowOrAtRestart
  Push "$INSTDIR\x86"
  Call ${un}RemoveFilesAndFolder
!macroend

; Puts a file in place, also over one in use.
!macro PutFile source folder name
  Push "${folder}\${name}"
  Call MoveAside
  ClearErrors
  ${If} ${FileExists} "${folder}\${name}"
    File "/oname=${folder}\${name}.new" "${source}"
    !insertmacro RenameOrLater "${folder}\${name}.new" "${folder}\${name}"
    StrCpy $NamedPath "${folder}\${name}"
    DetailPrint "$(REPLACED_LATER)"
  ${Else}
    File "/oname=${folder}\${name}" "${source}"
  ${EndIf}
  ${If} ${Errors}
    StrCpy $NamedPath "${folder}\${name}"
    !insertmacro FailInstall "$(CANNOT_WRITE)"
  ${EndIf}
!macroend
