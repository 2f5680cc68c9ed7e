// The resources of the built CORVANE.DLL, read as the band reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "support/module_state.h"
#include "support/resource_strings.h"
#include "tests/support/win/test_support.h"

namespace corvane {
namespace {

constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);

std::wstring DllPath() { return test::ProgramFolder() + L"\\CORVANE.DLL"; }

class ResourcesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dll = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(dll, nullptr);
  }
  static HMODULE dll;
};
HMODULE ResourcesTest::dll = nullptr;

// Whatever ran before: the cache starts out empty, as in a process that
// loads the module anew.
TEST_F(ResourcesTest, AStringThatFailedToLoadIsTriedAgain) {
  FreeResourceStrings();
  ModuleInstance = GetModuleHandleW(nullptr);  // this program has no strings
  const wchar_t* first = LoadResString(IDS_PRODUCT_NAME);
  EXPECT_STREQ(first, L"");
  ModuleInstance = dll;
  EXPECT_STREQ(LoadResString(IDS_PRODUCT_NAME), L"Corvane");
  EXPECT_EQ(LoadResString(IDS_PRODUCT_NAME), first);  // same slot
}

TEST_F(ResourcesTest, EveryStringExactly) {
  ModuleInstance = dll;
  const struct {
    int id;
    const wchar_t* text;
  } table[] = {
      {301, L"Show \u201C&Go\u201D button"},
      {302, L"About Corvane"},
      {303, L"&About Corvane..."},
      {305, L"Corvane"},
      {306, L"&Corvane"},
      {307, L"Start search in Web"},
      {308, L"Google search"},
      {309, L"Can't search for empty query.\nPlease input what to search for."},
      {310,
       L"Congratulations, your new Corvane toolbar is installed.\n\nTo display "
       L"it, right-click the taskbar, go to \u201CToolbars\u201D submenu and "
       L"select \u201CCorvane\u201D.\n"},
      {311, L"Recent"},
      {312, L"Press"},
      {313, L"Suggestions"},
  };
  for (const auto& row : table) EXPECT_STREQ(LoadResString(row.id), row.text) << row.id;

  // The About text: two fixed lines, then the maker's four.
  std::wstring about = LoadResString(304);
  EXPECT_EQ(about.rfind(L"Corvane\nversion 1.0\n", 0), 0u);
  EXPECT_NE(about.find(L"Ostrand"), std::wstring::npos);
  EXPECT_EQ(std::count(about.begin(), about.end(), L'\n'), 6);
  EXPECT_EQ(about.find(L"\n\n"), about.find(L"\n", about.find(L"Ostrand")));
  EXPECT_EQ(about.back(), L'\n');
  EXPECT_EQ(about.find(L'\r'), std::wstring::npos);
}

TEST_F(ResourcesTest, PointersAreStableAndOutsideIdsAreEmpty) {
  ModuleInstance = dll;
  const wchar_t* hint = LoadResString(308);
  EXPECT_EQ(LoadResString(308), hint);
  EXPECT_NE(LoadResString(307), hint);
  for (int id : {-1, 0, 300, IDS_LAST + 1, 100000}) {
    const wchar_t* text = LoadResString(id);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, L"");
    for (int slot = IDS_FIRST; slot <= IDS_LAST; ++slot) EXPECT_NE(text, LoadResString(slot));
  }
}

std::vector<BYTE> Resource(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
  HRSRC found = FindResourceExW(module, type, name, language);
  if (found == nullptr) return {};
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  return std::vector<BYTE>(data, data + SizeofResource(module, found));
}

struct Pixel {
  int r, g, b;
};

Pixel PixelAt(const std::vector<BYTE>& bitmap, int x, int y) {
  const BYTE* p = bitmap.data() + 40 + (21 - y) * 68 + x * 3;  // bottom-up
  return {p[2], p[1], p[0]};
}

TEST_F(ResourcesTest, GoButtonBitmaps) {
  std::vector<BYTE> normal = Resource(dll, RT_BITMAP, MAKEINTRESOURCEW(201), kNeutral);
  std::vector<BYTE> active = Resource(dll, RT_BITMAP, MAKEINTRESOURCEW(202), kNeutral);
  for (const auto* bitmap : {&normal, &active}) {
    ASSERT_EQ(bitmap->size(), 1536u);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap->data());
    EXPECT_EQ(header->biSize, 40u);
    EXPECT_EQ(header->biWidth, 22);
    EXPECT_EQ(header->biHeight, 22);  // bottom-up
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header->biClrUsed, 0u);
    for (int y = 0; y < 22; ++y) {  // row padding
      EXPECT_EQ((*bitmap)[40 + y * 68 + 66], 0);
      EXPECT_EQ((*bitmap)[40 + y * 68 + 67], 0);
    }
    for (auto [x, y] :
         {std::pair{0, 0}, {21, 0}, {0, 21}, {21, 21}, {1, 10}, {20, 10}, {2, 2}, {19, 19}}) {
      Pixel p = PixelAt(*bitmap, x, y);
      EXPECT_TRUE(p.r == 192 && p.g == 192 && p.b == 192) << x << "," << y;
    }
    Pixel arrow = PixelAt(*bitmap, 8, 10);
    EXPECT_TRUE(arrow.r == 255 && arrow.g == 255 && arrow.b == 255);
  }
  Pixel green = PixelAt(normal, 4, 4);
  Pixel lighter = PixelAt(active, 4, 4);
  EXPECT_GT(green.g, green.r + 60);
  EXPECT_GT(green.g, green.b + 60);
  EXPECT_GT(lighter.g, lighter.r + 60);
  EXPECT_GT(lighter.r + lighter.g + lighter.b, green.r + green.g + green.b);
  // What the band itself does with them.
  EXPECT_NE(LoadBitmapW(dll, MAKEINTRESOURCEW(201)), nullptr);
  EXPECT_NE(LoadBitmapW(dll, MAKEINTRESOURCEW(202)), nullptr);
}

TEST_F(ResourcesTest, Manifest) {
  std::vector<BYTE> bytes = Resource(dll, RT_MANIFEST, MAKEINTRESOURCEW(1), kNeutral);
  std::string xml(bytes.begin(), bytes.end());
  const char* arch = sizeof(void*) == 8 ? "amd64" : "X86";
  for (std::string part :
       {std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"),
        std::string(
            "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"),
        "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"" + std::string(arch) +
            "\" name=\"Ostrand.Corvane\" type=\"win32\"/>",
        std::string("<description>Corvane</description>"),
        "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
        "version=\"6.0.0.0\" processorArchitecture=\"" +
            std::string(arch) + "\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"})
    EXPECT_NE(xml.find(part), std::string::npos) << part;
  EXPECT_LT(xml.find("<dependency>"), xml.find("<dependentAssembly>"));
}

// Keys of the string table in the order they are stored.
std::vector<std::wstring> StringKeys(const BYTE* block) {
  // VS_VERSIONINFO > StringFileInfo > "00000000" > String entries; every
  // entry: wLength, wValueLength, wType, key, padding to 4, value.
  auto align = [](const BYTE* base, const BYTE* p) { return base + ((p - base + 3) & ~3); };
  auto childrenOf = [&](const BYTE* entry, const BYTE* base) {
    const WCHAR* key = reinterpret_cast<const WCHAR*>(entry + 6);
    const BYTE* afterKey = reinterpret_cast<const BYTE*>(key + wcslen(key) + 1);
    WORD valueLength = *reinterpret_cast<const WORD*>(entry + 2);
    WORD type = *reinterpret_cast<const WORD*>(entry + 4);
    const BYTE* value = align(base, afterKey);
    return align(base, value + (type == 1 ? valueLength * 2 : valueLength));
  };
  std::vector<std::wstring> keys;
  const BYTE* stringFileInfo = childrenOf(block, block);
  const BYTE* table = childrenOf(stringFileInfo, block);
  const BYTE* tableEnd = table + *reinterpret_cast<const WORD*>(table);
  for (const BYTE* entry = childrenOf(table, block); entry < tableEnd;) {
    keys.push_back(reinterpret_cast<const WCHAR*>(entry + 6));
    entry = align(block, entry + *reinterpret_cast<const WORD*>(entry));
  }
  return keys;
}

TEST_F(ResourcesTest, VersionBlock) {
  std::wstring path = DllPath();
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
  EXPECT_EQ(fixed->dwFileFlags, 0u);
  EXPECT_EQ(fixed->dwFileOS, 0x4u);
  EXPECT_EQ(fixed->dwFileType, 0x2u);
  EXPECT_EQ(fixed->dwFileSubtype, 0u);
  EXPECT_EQ(fixed->dwFileDateMS | fixed->dwFileDateLS, 0u);

  const struct {
    const wchar_t* key;
    const wchar_t* value;  // nullptr: the maker's own, only present
  } strings[] = {
      {L"CompanyName", L"Ostrand"},
      {L"FileDescription", L"Corvane : COM Component"},
      {L"FileVersion", L"1.0.0.1"},
      {L"InternalName", L"Corvane.dll"},
      {L"LegalCopyright", nullptr},
      {L"OriginalFilename", L"Corvane.dll"},
      {L"ProductName", L"Corvane"},
      {L"ProductVersion", L"1.0.0.1"},
      {L"URL", nullptr},
      {L"E-mail", nullptr},
  };
  std::vector<std::wstring> order;
  for (const auto& s : strings) {
    wchar_t* value = nullptr;
    std::wstring query = std::wstring(L"\\StringFileInfo\\00000000\\") + s.key;
    ASSERT_TRUE(
        VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        << test::Narrow(s.key);
    if (s.value != nullptr)
      EXPECT_STREQ(value, s.value);
    else
      EXPECT_GT(wcslen(value), 0u);
    order.push_back(s.key);
  }
  EXPECT_EQ(StringKeys(block.data()), order);
  DWORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(length, 4u);
  EXPECT_EQ(*translation, 0u);
}

TEST_F(ResourcesTest, FreshModuleMayBeUnloaded) {
  auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(GetProcAddress(dll, "DllCanUnloadNow"));
  ASSERT_NE(canUnload, nullptr);
  EXPECT_EQ(canUnload(), S_OK);
}

}  // namespace
}  // namespace corvane
