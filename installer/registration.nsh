; The band's class as the module's own registration writes it, in one
; registry view, and its removal, leaves first, as the module's own
; unregistration does.

!define BAND_CLASS_KEY "CLSID\${BAND_CLASS_ID}"
; Where the classes of each bitness lie. For all users, the machine's two
; registry views; for one user, the user's classes, whose 32-bit side
; 64-bit Windows keeps in Wow6432Node beneath them.
!if ${SCOPE} == machine
  !define CLASSES_64 "HKLM64 Software\Classes"
  !define CLASSES_32 "HKLM32 Software\Classes"
!else
  !define CLASSES_64 "${ROOT} Software\Classes"
  !define CLASSES_32 "${ROOT} Software\Classes\Wow6432Node"
!endif
!define CLASSES "${ROOT} Software\Classes"
!define TOOLBAR_CACHE_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\Discardable\PostSetup"

; `classes` is a root and its classes key, as CLASSES_64 gives them.
!macro WriteBandClass classes dll
  !insertmacro WriteBandClassAt ${classes} "${dll}"
!macroend
!macro WriteBandClassAt root key dll
  WriteRegStr ${root} "${key}\${BAND_CLASS_KEY}" "" "${BAND_DISPLAY_NAME}"
  WriteRegStr ${root} "${key}\${BAND_CLASS_KEY}\InprocServer32" "" "${dll}"
  WriteRegStr ${root} "${key}\${BAND_CLASS_KEY}\InprocServer32" "ThreadingModel" "Apartment"
  ; The category's key holds nothing, as the platform's category manager
  ; leaves it.
  WriteRegStr ${root} "${key}\${BAND_CLASS_KEY}\Implemented Categories\${DESK_BAND_CATEGORY_ID}" "" ""
  DeleteRegValue ${root} "${key}\${BAND_CLASS_KEY}\Implemented Categories\${DESK_BAND_CATEGORY_ID}" ""
!macroend

; A key that something else has added to is left, and so are its parents.
!macro DeleteBandClass classes
  !insertmacro DeleteBandClassAt ${classes}
!macroend
!macro DeleteBandClassAt root key
  DeleteRegKey /ifnosubkeys ${root} "${key}\${BAND_CLASS_KEY}\InprocServer32"
  DeleteRegKey /ifnosubkeys ${root} "${key}\${BAND_CLASS_KEY}\Implemented Categories\${DESK_BAND_CATEGORY_ID}"
  DeleteRegKey /ifnosubkeys ${root} "${key}\${BAND_CLASS_KEY}\Implemented Categories"
  DeleteRegKey /ifnosubkeys ${root} "${key}\${BAND_CLASS_KEY}"
!macroend

; Explorer fills its "Toolbars" menu from a per-user cache of the desk band
; category; without the cache it asks the registry afresh.
!macro ForgetCachedToolbars
  DeleteRegKey HKCU "${TOOLBAR_CACHE_KEY}\Component Categories\${DESK_BAND_CATEGORY_ID}"
  DeleteRegKey HKCU "${TOOLBAR_CACHE_KEY}\Component Categories64\${DESK_BAND_CATEGORY_ID}"
!macroend
