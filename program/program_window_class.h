// The window classes of Corvane.exe's own windows: the strips and the
// hidden window that owns them.
#pragma once
#include <windows.h>

namespace corvane::program {

// Registers the class `name` with `procedure` and the arrow cursor, unless
// this program registered it already.
HRESULT RegisterProgramClass(const wchar_t* name, WNDPROC procedure);

}  // namespace corvane::program
