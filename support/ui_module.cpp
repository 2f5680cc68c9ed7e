#include "support/ui_module.h"

#include "res/product.h"
#include "support/bounded_string.h"
#include "support/module_state.h"
#include "support/system_library.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

HMODULE Loaded = nullptr;

// The folder of this module with the UI module's name; false when the path
// does not fit.
bool UiModulePath(wchar_t (&path)[MAX_PATH]) {
  DWORD length = GetModuleFileNameW(ModuleInstance, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  while (length > 0 && path[length - 1] != L'\\') --length;
  path[length] = 0;
  return BoundedAppend(AsUtf16(path), MAX_PATH, AsUtf16(kUiModuleFile));
}

}  // namespace

HMODULE UiModule() {
  if (Loaded != nullptr) return Loaded;
  wchar_t path[MAX_PATH] = {};
  if (!UiModulePath(path)) return nullptr;
  return KeepLoaded(LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH), &Loaded);
}

}  // namespace corvane
