// Registering the band's class and its place among the taskbar's toolbars,
// and taking it out again.
#include <windows.h>
#include <comcat.h>
#include <objbase.h>
#include <olectl.h>
#include <shlguid.h>

#include "res/resource_ids.h"
#include "support/band_class.h"
#include "support/bounded_string.h"
#include "support/hresult.h"
#include "support/module_state.h"
#include "support/resource_strings.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"

namespace corvane {
namespace {

constexpr size_t kTextUnits = 260;
constexpr DWORD kMessageDelayMs = 500;

// This module, whatever its file is called and whatever else is loaded.
HMODULE OwnModule() {
  HMODULE self = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&OwnModule), &self);
  return self;
}

// The GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in a 260-unit buffer.
BOOL GuidToText(REFGUID guid, wchar_t* text) {
  ZeroMemory(text, kTextUnits * sizeof(wchar_t));
  LPOLESTR platformText = nullptr;
  if (FAILED(StringFromIID(guid, &platformText)) || platformText == nullptr) return FALSE;
  bool copied = BoundedCopy(AsUtf16(text), kTextUnits, AsUtf16(platformText)) == kResultOk;
  ComPtr<IMalloc> allocator;
  if (SUCCEEDED(CoGetMalloc(1, allocator.Put()))) allocator->Free(platformText);
  return copied ? TRUE : FALSE;
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

HRESULT SetClassValue(const wchar_t* keyName, const wchar_t* valueName, const wchar_t* data) {
  UniqueRegistryKey key;
  RETURN_IF_FAILED(
      FromWin32(RegCreateKeyExW(HKEY_CLASSES_ROOT, keyName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_WRITE, nullptr, key.Put(), nullptr)));
  wchar_t value[kTextUnits] = {};
  BoundedCopy(AsUtf16(value), kTextUnits, AsUtf16(data));
  DWORD bytes =
      static_cast<DWORD>((BoundedLength(AsUtf16(value), kTextUnits) + 1) * sizeof(wchar_t));
  // A class whose server path was not stored cannot be created: that is a
  // failed registration, not a success.
  return FromWin32(
      RegSetValueExW(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes));
}

HRESULT WriteClassKeys(REFCLSID classId, const wchar_t* displayName) {
  wchar_t classText[kTextUnits];
  if (!GuidToText(classId, classText)) return E_FAIL;
  ModuleInstance = OwnModule();
  // A path cut to fit would register a file that does not exist.
  wchar_t path[kTextUnits] = {};
  DWORD pathUnits = GetModuleFileNameW(ModuleInstance, path, kTextUnits);
  RETURN_LAST_ERROR_IF(pathUnits == 0);
  if (pathUnits >= kTextUnits) return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
  const wchar_t* data[] = {displayName, path, L"Apartment"};
  for (size_t row = 0; row < ARRAYSIZE(kClassValues); ++row) {
    wchar_t keyName[kTextUnits] = {};
    BoundedFormat(AsUtf16(keyName), kTextUnits, kClassValues[row].keyFormat, classText);
    RETURN_IF_FAILED(SetClassValue(keyName, kClassValues[row].valueName, data[row]));
  }
  return S_OK;
}

HRESULT FileInCategory(REFCLSID classId, REFCATID categoryId) {
  ComPtr<ICatRegister> categories;
  RETURN_IF_FAILED(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_ICatRegister, categories.PutVoid()));
  CATID ids[1] = {categoryId};
  return categories->RegisterClassImplCategories(classId, 1, ids);
}

BOOL RegisterClassKeys(REFCLSID classId, const wchar_t* displayName) {
  return SUCCEEDED(WriteClassKeys(classId, displayName)) ? TRUE : FALSE;
}

BOOL RegisterDeskBandCategory(REFCLSID classId, REFCATID categoryId) {
  HRESULT initialized = CoInitialize(nullptr);
  HRESULT result = FileInCategory(classId, categoryId);
  // Only a successful CoInitialize is ours to undo.
  if (SUCCEEDED(initialized)) CoUninitialize();
  return SUCCEEDED(result) ? TRUE : FALSE;
}

}  // namespace
}  // namespace corvane

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  using namespace corvane;
  const wchar_t* displayName = LoadResString(IDS_DISPLAY_NAME);
  if (!RegisterClassKeys(CLSID_SearchBand, displayName) ||
      !RegisterDeskBandCategory(CLSID_SearchBand, CATID_DeskBand))
    return SELFREG_E_CLASS;
  Sleep(kMessageDelayMs);
  MessageBoxW(GetDesktopWindow(), LoadResString(IDS_INSTALLED), LoadResString(IDS_PRODUCT_NAME),
              MB_ICONINFORMATION | MB_OK);
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
    if (BoundedFormat(AsUtf16(keyName), kTextUnits, format, classText, categoryText) != kResultOk)
      return SELFREG_E_CLASS;
    // A key that is gone already, or that holds keys of others, is passed
    // over: what can go, goes.
    RegDeleteKeyW(HKEY_CLASSES_ROOT, keyName);
  }
  return S_OK;
}
