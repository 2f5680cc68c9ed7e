; The band's class as the module's own registration writes it, in one
; registry view, and its removal, leaves first, as the module's own
; unregistration does.

!define BAND_CLASS_KEY "Software\Classes\CLSID\${BAND_CLASS_ID}"
!define TOOLBAR_CACHE_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\Discardable\PostSetup"

!macro WriteBandClass root dll
  WriteRegStr ${root} "${BAND_CLASS_KEY}" "" "${BAND_DISPLAY_NAME}"
  WriteRegStr ${root} "${BAND_CLASS_KEY}\InprocServer32" "" "${dll}"
  WriteRegStr ${root} "${BAND_CLASS_KEY}\InprocServer32" "ThreadingModel" "Apartment"
  ; The category's key holds nothing, as the platform's category manager
  ; leaves it.
  WriteRegStr ${root} "${BAND_CLASS_KEY}\Implemented Categories\${DESK_BAND_CATEGORY_ID}" "" ""
  DeleteRegValue ${root} "${BAND_CLASS_KEY}\Implemented Categories\${DESK_BAND_CATEGORY_ID}" ""
!macroend

; A key that something else has added to is left, and so are its parents.
!macro DeleteBandClass root
  DeleteRegKey /ifnosubkeys ${root} "${BAND_CLASS_KEY}\InprocServer32"
  DeleteRegKey /ifnosubkeys ${root} "${BAND_CLASS_KEY}\Implemented Categories\${DESK_BAND_CATEGORY_ID}"
  DeleteRegKey /ifnosubkeys ${root} "${BAND_CLASS_KEY}\Implemented Categories"
  DeleteRegKey /ifnosubkeys ${root} "${BAND_CLASS_KEY}"
!macroend

; Explorer fills its "Toolbars" menu from a per-user cache of the desk band
; category; without the cache it asks the registry afresh.
!macro ForgetCachedToolbars
  DeleteRegKey HKCU "${TOOLBAR_CACHE_KEY}\Component Categories\${DESK_BAND_CATEGORY_ID}"
  DeleteRegKey HKCU "${TOOLBAR_CACHE_KEY}\Component Categories64\${DESK_BAND_CATEGORY_ID}"
!macroend
