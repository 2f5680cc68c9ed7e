#include "program/program_window_class.h"

#include "support/hresult.h"

namespace corvane::program {

HRESULT RegisterProgramClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &windowClass)) return S_OK;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RETURN_LAST_ERROR_IF(RegisterClassExW(&windowClass) == 0);
  return S_OK;
}

}  // namespace corvane::program
