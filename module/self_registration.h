// Registering the band's class and its place among the taskbar's toolbars,
// and taking it out again.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <comcat.h>

namespace corvane {

// The GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in a 260-unit buffer.
BOOL GuidToText(REFGUID guid, wchar_t* text);
BOOL RegisterClassKeys(REFCLSID classId, const wchar_t* displayName);
BOOL RegisterDeskBandCategory(REFCLSID classId, REFCATID categoryId);

}  // namespace corvane
