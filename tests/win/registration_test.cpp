// Registration through the DLL's exports, the message box caught as it
// opens. Class keys go to a scratch HKEY_CLASSES_ROOT; the component
// category manager writes to the prefix's real one, which is cleaned after.
#include <gtest/gtest.h>

#include <string>

#include "res/product.h"
#include "support/module_state.h"
#include "tests/support/win/test_support.h"
#include "tests/support/win/ui_support.h"

namespace corvane::test {
namespace {

const std::wstring kClassKey = std::wstring(L"CLSID\\") + kBandClassId;
const std::wstring kRealCategories =
    L"Software\\Classes\\" + kClassKey + L"\\Implemented Categories";
const std::wstring kCategoryKey = kRealCategories + L"\\" + kDeskBandCategoryId;

HRESULT CallEntry(HMODULE dll, const char* name) {
  auto entry = reinterpret_cast<HRESULT(WINAPI*)()>(GetProcAddress(dll, name));
  return entry == nullptr ? E_POINTER : entry();
}

struct StoredText {
  std::wstring text;
  DWORD bytes = 0;
  bool found = false;
};

StoredText ReadText(const std::wstring& key, const wchar_t* name) {
  StoredText stored;
  wchar_t buffer[512] = {};
  DWORD bytes = sizeof buffer, type = 0;
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return stored;
  if (RegQueryValueExW(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) ==
          ERROR_SUCCESS &&
      type == REG_SZ)
    stored = {buffer, bytes, true};
  RegCloseKey(handle);
  return stored;
}

bool KeyExists(HKEY root, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

std::wstring ModulePath(HMODULE dll) {
  wchar_t path[MAX_PATH + 1] = {};
  GetModuleFileNameW(dll, path, MAX_PATH);
  return path;
}

class Registration : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kRealCategories.c_str()); }
  void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kRealCategories.c_str()); }
};

TEST_F(Registration, WritesTheClassTellsTheUserAndUnregisters) {
  ScratchRegistryRoot classes(HKEY_CLASSES_ROOT);
  MessageBoxCatcher boxes;
  for (int round = 0; round < 2; ++round) {  // registering again changes nothing
    ASSERT_EQ(CallEntry(CorvaneDll(), "DllRegisterServer"), S_OK);
    StoredText name = ReadText(kClassKey, nullptr);
    EXPECT_EQ(name.text, L"&Corvane");
    EXPECT_EQ(name.bytes, 18u);
    std::wstring path = ModulePath(CorvaneDll());
    StoredText server = ReadText(kClassKey + L"\\InprocServer32", nullptr);
    EXPECT_EQ(server.text, path);
    EXPECT_EQ(server.bytes, (path.size() + 1) * 2);
    StoredText model = ReadText(kClassKey + L"\\InprocServer32", L"ThreadingModel");
    EXPECT_EQ(model.text, L"Apartment");
    EXPECT_EQ(model.bytes, 20u);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kCategoryKey));
  }
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].caption, L"Corvane");
  EXPECT_EQ(boxes.boxes[0].text,
            L"Congratulations, your new Corvane toolbar is installed.\n\nTo display it, "
            L"right-click the taskbar, go to \u201CToolbars\u201D submenu and select "
            L"\u201CCorvane\u201D.\n");

  // The category as unregistration finds it, beside the class keys.
  SetRegistryText(HKEY_CLASSES_ROOT,
                  kClassKey + L"\\Implemented Categories\\" + kDeskBandCategoryId, L"x", L"");
  EXPECT_EQ(CallEntry(CorvaneDll(), "DllUnregisterServer"), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
  EXPECT_EQ(CallEntry(CorvaneDll(), "DllUnregisterServer"), S_OK);  // nothing there
  EXPECT_EQ(boxes.boxes.size(), 2u);                                // unregistering says nothing
}

TEST_F(Registration, ACopyRegistersItsOwnPath) {
  ScratchRegistryRoot classes(HKEY_CLASSES_ROOT);
  ScratchFolder folder;
  std::wstring copy = folder.Child(L"Toolbar%Copy.dll");
  ASSERT_TRUE(CopyFileW(ModulePath(CorvaneDll()).c_str(), copy.c_str(), FALSE));
  HMODULE other = LoadLibraryW(copy.c_str());
  ASSERT_NE(other, nullptr);
  MessageBoxCatcher boxes;
  ASSERT_EQ(CallEntry(other, "DllRegisterServer"), S_OK);
  EXPECT_EQ(ReadText(kClassKey + L"\\InprocServer32", nullptr).text, copy);
  FreeLibrary(other);
}

// A copy whose full path does not fit the registration's buffer (260 units).
TEST_F(Registration, APathTooLongToRegisterWritesNothing) {
  ScratchRegistryRoot classes(HKEY_CLASSES_ROOT);
  ScratchFolder folder;
  std::wstring deep = L"\\\\?\\" + folder.Path();
  while (deep.size() < 280) {
    deep += L"\\" + std::wstring(40, L'd');
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
  }
  std::wstring copy = deep + L"\\CORVANE.DLL";
  ASSERT_TRUE(CopyFileW(ModulePath(CorvaneDll()).c_str(), copy.c_str(), FALSE));
  HMODULE other = LoadLibraryW(copy.c_str());
  ASSERT_NE(other, nullptr);
  MessageBoxCatcher boxes;
  EXPECT_EQ(CallEntry(other, "DllRegisterServer"), static_cast<HRESULT>(0x80040201));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kCategoryKey));
  EXPECT_TRUE(boxes.boxes.empty());
  FreeLibrary(other);
  DeleteFileW(copy.c_str());
  for (; deep.size() > folder.Path().size() + 4; deep.resize(deep.rfind(L'\\')))
    RemoveDirectoryW(deep.c_str());
}

TEST_F(Registration, ClassKeysThatCannotBeWrittenStopEverything) {
  // Lasting keys cannot be made below a volatile one.
  HKEY volatileRoot = nullptr;
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\CorvaneTests\\Volatile");
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\CorvaneTests\\Volatile", 0, nullptr,
                            REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &volatileRoot, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, volatileRoot), ERROR_SUCCESS);
  MessageBoxCatcher boxes;
  EXPECT_EQ(CallEntry(CorvaneDll(), "DllRegisterServer"),
            static_cast<HRESULT>(0x80040201));  // SELFREG_E_CLASS
  RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  RegCloseKey(volatileRoot);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\CorvaneTests\\Volatile");
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kCategoryKey));
}

}  // namespace
}  // namespace corvane::test
