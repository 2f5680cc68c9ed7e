#include "module/self_registration.h"

#include <olectl.h>
#include <shlguid.h>

#include "module/module_state.h"
#include "res/resource_ids.h"
#include "support/bounded_string.h"
#include "support/resource_strings.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

constexpr size_t kTextUnits = 260;
constexpr DWORD kMessageDelayMs = 500;

// This module, whatever its file is called and whatever else is loaded.
HMODULE OwnModule() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&OwnModule), &self);
  return self;
}

struct ClassValue {
  const char16_t* keyFormat;
  const wchar_t* valueName;  // null: the key's default value
};

const ClassValue kClassValues[] = {
    {u"CLSID\\%38s", nullptr},
    {u"CLSID\\%38s\\InprocServer32", nullptr},
    {u"CLSID\\%38s\\InprocServer32", L"ThreadingModel"},
};

const char16_t* const kUnregisterKeys[] = {
    u"CLSID\\%38s\\InprocServer32",
    u"CLSID\\%38s\\Implemented Categories\\%38s",
    u"CLSID\\%38s\\Implemented Categories",
    u"CLSID\\%38s",
};

bool SetClassValue(const wchar_t* keyName, const wchar_t* valueName, const wchar_t* data) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, keyName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  wchar_t value[kTextUnits] = {};
  BoundedCopy(AsUtf16(value), kTextUnits, AsUtf16(data));
  DWORD bytes = static_cast<DWORD>((BoundedLength(AsUtf16(value), kTextUnits) + 1) *
                                   sizeof(wchar_t));
  RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
  RegCloseKey(key);
  return true;
}

}  // namespace

BOOL GuidToText(REFGUID guid, wchar_t* text) {
  ZeroMemory(text, kTextUnits * sizeof(wchar_t));
  LPOLESTR platformText = nullptr;
  if (FAILED(StringFromIID(guid, &platformText)) || platformText == nullptr) return FALSE;
  bool copied = BoundedCopy(AsUtf16(text), kTextUnits, AsUtf16(platformText)) == kResultOk;
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(CoGetMalloc(1, &allocator))) {
    allocator->Free(platformText);
    allocator->Release();
  }
  return copied ? TRUE : FALSE;
}

BOOL RegisterClassKeys(REFCLSID classId, const wchar_t* displayName) {
  wchar_t classText[kTextUnits];
  if (!GuidToText(classId, classText)) return FALSE;
  ModuleInstance = OwnModule();
  // A path cut to fit would register a file that does not exist.
  wchar_t path[kTextUnits] = {};
  DWORD pathUnits = GetModuleFileNameW(ModuleInstance, path, kTextUnits);
  if (pathUnits == 0 || pathUnits >= kTextUnits) return FALSE;
  const wchar_t* data[] = {displayName, path, L"Apartment"};
  for (size_t row = 0; row < 3; ++row) {
    wchar_t keyName[kTextUnits] = {};
    BoundedFormat(AsUtf16(keyName), kTextUnits, kClassValues[row].keyFormat, classText);
    if (!SetClassValue(keyName, kClassValues[row].valueName, data[row])) return FALSE;
  }
  return TRUE;
}

BOOL RegisterDeskBandCategory(REFCLSID classId, REFCATID categoryId) {
  HRESULT initialized = CoInitialize(nullptr);
  ICatRegister* categories = nullptr;
  HRESULT result = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr,
                                    CLSCTX_INPROC_SERVER, IID_ICatRegister,
                                    reinterpret_cast<void**>(&categories));
  if (SUCCEEDED(result)) {
    CATID ids[1] = {categoryId};
    result = categories->RegisterClassImplCategories(classId, 1, ids);
    categories->Release();
  }
  // Only a successful CoInitialize is ours to undo.
  if (SUCCEEDED(initialized)) CoUninitialize();
  return SUCCEEDED(result) ? TRUE : FALSE;
}

}  // namespace corvane

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  using namespace corvane;
  const wchar_t* displayName = LoadResString(IDS_DISPLAY_NAME);
  if (!RegisterClassKeys(CLSID_SearchBand, displayName) ||
      !RegisterDeskBandCategory(CLSID_SearchBand, CATID_DeskBand))
    return SELFREG_E_CLASS;
  Sleep(kMessageDelayMs);
  MessageBoxW(GetDesktopWindow(), LoadResString(IDS_INSTALLED),
              LoadResString(IDS_PRODUCT_NAME), MB_ICONINFORMATION | MB_OK);
  return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  using namespace corvane;
  wchar_t classText[kTextUnits];
  wchar_t categoryText[kTextUnits];
  if (!GuidToText(CLSID_SearchBand, classText) || !GuidToText(CATID_DeskBand, categoryText))
    return SELFREG_E_CLASS;
  for (const char16_t* format : kUnregisterKeys) {
    wchar_t keyName[kTextUnits] = {};
    if (BoundedFormat(AsUtf16(keyName), kTextUnits, format, classText, categoryText) !=
        kResultOk)
      return SELFREG_E_CLASS;
    RegDeleteKeyW(HKEY_CLASSES_ROOT, keyName);
  }
  return S_OK;
}
