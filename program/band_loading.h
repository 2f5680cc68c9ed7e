// Where the program's band comes from: the registered class, else the
// CORVANE.DLL beside the program (a copy that was never registered).
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace corvane::program {

// The band, or the failure of the copy beside the program when the class is
// not usable either: a missing file, or a DLL built for the other kind of
// process (HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT)).
HRESULT LoadBand(IDeskBand** band);

// The folder of Corvane.exe, where its unregistered band is looked for.
std::wstring ProgramFolder();

}  // namespace corvane::program
