// Every language has every text of CORVANE.DLL (in CORVANEUI.DLL) and of
// Corvane.exe, with the same slots for details; no text of the settings
// window is cut, and no two of its items, nor of the strip's menu, share a
// key. Run at 96 DPI and, through tests/support/win/at_dpi.sh, at 192.
#include <windows.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>

#include "program/program_resource_ids.h"
#include "res/product.h"
#include "res/resource_ids.h"
#include "support/localized_text.h"
#include "support/text_language.h"

namespace corvane::test {
namespace {

HMODULE LoadBeside(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.rfind(L'\\') + 1);
  return LoadLibraryExW((folder + name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

std::wstring Text(HMODULE module, unsigned id, std::uint16_t language) {
  wchar_t text[4096] = {};
  return LoadLanguageString(module, id, language, text, 4096) ? text : L"";
}

int Count(const std::wstring& text, const std::wstring& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The key a text's & gives, lower case; 0 for none.
wchar_t Mnemonic(const std::wstring& text) {
  size_t at = text.find(L'&');
  return at != std::wstring::npos && at + 1 < text.size() ? std::towlower(text[at + 1]) : 0;
}

class Languages : public ::testing::Test {
 protected:
  HMODULE band = LoadBeside(kModuleFile);
  HMODULE ui = LoadBeside(kUiModuleFile);
  HMODULE program = LoadBeside(kProgramFile);
};

TEST_F(Languages, EveryLanguageHasEveryText) {
  ASSERT_NE(band, nullptr);
  ASSERT_NE(ui, nullptr);
  ASSERT_NE(program, nullptr);
  for (std::uint16_t language : kTextLanguages) {
    if (language == kEnglishLanguage) continue;
    for (unsigned id = IDS_FIRST; id <= IDS_LAST; ++id) {
      std::wstring english = Text(band, id, kEnglishLanguage), translated = Text(ui, id, language);
      EXPECT_FALSE(translated.empty()) << std::hex << language << std::dec << " " << id;
      EXPECT_EQ(Count(translated, L"\n"), Count(english, L"\n")) << language << " " << id;
    }
    for (unsigned id = IDS_PROGRAM_CAPTION; id <= IDS_OPEN_MENU; ++id) {
      std::wstring english = Text(program, id, kEnglishLanguage);
      if (english.empty()) continue;
      std::wstring translated = Text(program, id, language);
      EXPECT_FALSE(translated.empty()) << std::hex << language << std::dec << " " << id;
      EXPECT_EQ(Count(translated, L"%s"), Count(english, L"%s")) << language << " " << id;
    }
  }
}

// The strip's menu: the band's two items and the program's four.
TEST_F(Languages, TheMenusKeysAreDistinct) {
  for (std::uint16_t language : kTextLanguages) {
    HMODULE bandTexts = language == kEnglishLanguage ? band : ui;
    std::set<wchar_t> keys;
    for (unsigned id : {IDS_SHOW_GO_BUTTON, IDS_ABOUT_MENU})
      EXPECT_TRUE(keys.insert(Mnemonic(Text(bandTexts, id, language))).second) << language << id;
    for (unsigned id : {IDS_SETTINGS, IDS_START_WITH_WINDOWS, IDS_RESET_POSITION, IDS_CLOSE})
      EXPECT_TRUE(keys.insert(Mnemonic(Text(program, id, language))).second) << language << id;
    EXPECT_EQ(keys.count(0), 0u) << language;
  }
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The room a control's text needs beside it: a box or a circle, a button's
// edges, a group's line ends.
int Decoration(LONG style, const std::wstring& className) {
  const int edge = GetSystemMetrics(SM_CXEDGE);
  if (className != L"Button") return 0;
  switch (style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_AUTORADIOBUTTON:
      return GetSystemMetrics(SM_CXMENUCHECK) + 4 * edge;
    case BS_GROUPBOX:
      return 8 * edge;
    default:
      return 6 * edge;
  }
}

TEST_F(Languages, NoTextOfTheSettingsWindowIsCut) {
  ASSERT_NE(program, nullptr);
  for (std::uint16_t language : kTextLanguages) {
    DWORD bytes = 0;
    auto layout = static_cast<const DLGTEMPLATE*>(
        FindLanguageResource(program, RT_DIALOG, MAKEINTRESOURCEW(IDD_SETTINGS), language, &bytes));
    ASSERT_NE(layout, nullptr) << language;
    HWND dialog =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), layout, nullptr, QuietDialog, 0);
    ASSERT_NE(dialog, nullptr) << language;
    HDC dc = GetDC(dialog);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    std::set<wchar_t> keys;
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
      wchar_t className[32] = {}, text[512] = {};
      GetClassNameW(control, className, 32);
      GetWindowTextW(control, text, 512);
      if (text[0] == 0 || (lstrcmpW(className, L"Static") && lstrcmpW(className, L"Button")))
        continue;
      const LONG style = GetWindowLongW(control, GWL_STYLE);
      RECT client = {};
      GetClientRect(control, &client);
      RECT needed = {0, 0, client.right - Decoration(style, className), 0};
      const bool wraps = lstrcmpW(className, L"Static") == 0;
      DrawTextW(dc, text, -1, &needed, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
      EXPECT_LE(needed.right, client.right - Decoration(style, className))
          << std::hex << language << ": " << std::wstring(text);
      EXPECT_LE(needed.bottom, client.bottom) << std::hex << language << ": " << std::wstring(text);
      if (wchar_t key = Mnemonic(text)) {
        EXPECT_TRUE(keys.insert(key).second) << std::hex << language << ": " << std::wstring(text);
      }
    }
    ReleaseDC(dialog, dc);
    DestroyWindow(dialog);
  }
}

}  // namespace
}  // namespace corvane::test
