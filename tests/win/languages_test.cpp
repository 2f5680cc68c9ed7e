// Every language has every text of CORVANE.DLL (in CORVANEUI.DLL) and of
// Corvane.exe, with the same slots for details; no text of the settings
// window is cut, and no two of its items, nor of the strip's menu, share a
// key. Run at 96 DPI and, through tests/support/win/at_dpi.sh, at 192.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cwctype>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "program/engine_columns.h"
#include "program/program_resource_ids.h"
#include "res/product.h"
#include "res/resource_ids.h"
#include "support/localized_text.h"
#include "support/text_language.h"
#include "tests/support/win/test_support.h"

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
    for (unsigned id = IDS_PROGRAM_CAPTION; id <= IDS_KEYS_SAME; ++id) {
      std::wstring english = Text(program, id, kEnglishLanguage);
      if (english.empty()) continue;
      std::wstring translated = Text(program, id, language);
      EXPECT_FALSE(translated.empty()) << std::hex << language << std::dec << " " << id;
      EXPECT_EQ(Count(translated, L"%s"), Count(english, L"%s")) << language << " " << id;
    }
  }
}

// The box's own menu, which CORVANEUI.DLL shows in every language, English
// too: each item has its text and a key of its own.
TEST_F(Languages, TheBoxsMenuHasItsTextsAndKeys) {
  ASSERT_NE(ui, nullptr);
  for (std::uint16_t language : kTextLanguages) {
    std::set<wchar_t> keys;
    for (unsigned id = IDS_UI_FIRST; id <= IDS_UI_LAST; ++id) {
      const std::wstring text = Text(ui, id, language);
      EXPECT_FALSE(text.empty()) << std::hex << language << std::dec << " " << id;
      EXPECT_TRUE(keys.insert(Mnemonic(text)).second) << language << " " << id;
    }
    EXPECT_EQ(keys.count(0), 0u) << language;
  }
}

// The strip's menu: the band's two items and the program's five, the
// icon's menu a part of it. "Settings" takes the key of its first letter, the
// one a user tries first (S where the text does not begin with a letter of
// the keyboard's).
TEST_F(Languages, TheMenusKeysAreDistinct) {
  for (std::uint16_t language : kTextLanguages) {
    HMODULE bandTexts = language == kEnglishLanguage ? band : ui;
    std::set<wchar_t> keys;
    for (unsigned id : {IDS_SHOW_GO_BUTTON, IDS_ABOUT_MENU})
      EXPECT_TRUE(keys.insert(Mnemonic(Text(bandTexts, id, language))).second) << language << id;
    for (unsigned id : {IDS_STRIP_PASTE_AND_SEARCH, IDS_SETTINGS, IDS_START_WITH_WINDOWS,
                        IDS_RESET_POSITION, IDS_EXIT})
      EXPECT_TRUE(keys.insert(Mnemonic(Text(program, id, language))).second) << language << id;
    EXPECT_EQ(keys.count(0), 0u) << language;
    const std::wstring settings = Text(program, IDS_SETTINGS, language);
    const wchar_t first = settings[0] == L'&' ? settings[1] : settings[0];
    EXPECT_EQ(Mnemonic(settings), first < 0x3000 ? std::towlower(first) : L's') << language;
  }
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// `text` drawn on one line at `left`, black on white in `dc`'s font: its
// pixels, `width` to a row.
std::vector<std::uint32_t> Picture(HDC dc, const wchar_t* text, int width, int height, int left) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  std::uint32_t* pixels = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
  HDC memory = CreateCompatibleDC(dc);
  SelectObject(memory, bitmap);
  SelectObject(memory, GetCurrentObject(dc, OBJ_FONT));
  std::fill(pixels, pixels + width * height, 0x00FFFFFFu);
  SetBkMode(memory, TRANSPARENT);
  RECT at = {left, 0, width, height};
  DrawTextW(memory, text, -1, &at, DT_SINGLELINE | DT_NOCLIP);
  GdiFlush();
  std::vector<std::uint32_t> picture(pixels, pixels + width * height);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return picture;
}

// A line of text as it is drawn (a "&" marks a key): its measured width, or
// further where a glyph's ink reaches past it, as Wine draws some fonts.
struct DrawnText {
  int measured;
  int drawn;
};
DrawnText Draw(HDC dc, const wchar_t* text) {
  RECT measured = {};
  DrawTextW(dc, text, -1, &measured, DT_CALCRECT | DT_SINGLELINE);
  constexpr int kLeft = 8;
  const int width = measured.right + 2 * kLeft + 16;
  const std::vector<std::uint32_t> picture = Picture(dc, text, width, measured.bottom + 4, kLeft);
  int inkEnd = 0;
  for (size_t at = 0; at < picture.size(); ++at)
    if ((picture[at] & 0xFFFFFF) != 0xFFFFFF)
      inkEnd = std::max(inkEnd, static_cast<int>(at % width) + 1);
  return {measured.right, std::max<int>(measured.right, inkEnd - kLeft)};
}

// The room each kind of control leaves its text, as it draws it: a box or
// a circle beside it, a button's edges, a group's indents.
int Room(LONG style, const std::wstring& className, const RECT& client) {
  const int edge = GetSystemMetrics(SM_CXEDGE);
  if (className != L"Button") return client.right;
  switch (style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_AUTORADIOBUTTON:
      return client.right - GetSystemMetrics(SM_CXMENUCHECK) - 4 * edge;
    case BS_GROUPBOX:
      return client.right - 8 * edge;
    default:
      return client.right - 6 * edge;
  }
}

std::string Shown(std::uint16_t language, const std::wstring& text) {
  return std::to_string(language) + ": " + Narrow(text);
}

// Every text as its control draws it, in every language; group boxes clip
// their caption to its measured width, the list's header its items to their
// columns less the header's margins.
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
      const int room = Room(style, className, client);
      const DrawnText line = Draw(dc, text);
      if (lstrcmpW(className, L"Static") == 0) {
        // Wrapped into the room less what ink reaches past a measured line.
        RECT wrapped = {0, 0, room - (line.drawn - line.measured), 0};
        DrawTextW(dc, text, -1, &wrapped, DT_CALCRECT | DT_WORDBREAK);
        EXPECT_LE(wrapped.right, room) << Shown(language, text);
        EXPECT_LE(wrapped.bottom, client.bottom) << Shown(language, text);
      } else {
        EXPECT_LE(line.drawn, room) << Shown(language, text);
        if ((style & BS_TYPEMASK) == BS_GROUPBOX) {
          EXPECT_LE(line.drawn, line.measured)
              << "past the caption's clip: " << Shown(language, text);
        }
      }
      if (wchar_t key = Mnemonic(text)) {
        EXPECT_TRUE(keys.insert(key).second) << Shown(language, text);
      }
    }
    ReleaseDC(dialog, dc);

    HWND list = GetDlgItem(dialog, IDC_ENGINE_LIST);
    const std::array<std::wstring, 3> headings = {Text(program, IDS_COLUMN_NAME, language),
                                                  Text(program, IDS_COLUMN_KEYWORD, language),
                                                  Text(program, IDS_COLUMN_ADDRESS, language)};
    program::SetUpEngineColumns(list, headings);
    HWND header = ListView_GetHeader(list);
    HDC headerDc = GetDC(header);
    SelectObject(headerDc, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
    const int margins = 2 * 3 * GetSystemMetrics(SM_CXEDGE);
    for (int column = 0; column < 3; ++column) {
      RECT item = {};
      ASSERT_TRUE(Header_GetItemRect(header, column, &item)) << language;
      EXPECT_LE(Draw(headerDc, headings[column].c_str()).drawn, item.right - item.left - margins)
          << Shown(language, headings[column]);
    }
    ReleaseDC(header, headerDc);
    DestroyWindow(dialog);
  }
}

// Setup's finish page: its check box "Start Corvane now and with Windows"
// (195 by 10 dialog units in Modern UI's page, in the font of each setup
// language) holds its text on one line beside the box in every language.
TEST_F(Languages, SetupsStartCheckBoxHoldsItsText) {
  std::ifstream texts(CORVANE_SETUP_TEXTS);
  ASSERT_TRUE(texts) << CORVANE_SETUP_TEXTS;
  const std::string prefix = "LangString RUN_NOW ${LANG_";
  HDC screen = GetDC(nullptr);
  int checked = 0;
  for (std::string line; std::getline(texts, line);) {
    if (line.rfind(prefix, 0) != 0) continue;
    const size_t open = line.find('"'), close = line.rfind('"');
    ASSERT_LT(open, close) << line;
    const std::string language = line.substr(prefix.size(), line.find('}') - prefix.size());
    wchar_t text[256] = {};
    MultiByteToWideChar(CP_UTF8, 0, line.c_str() + open + 1, static_cast<int>(close - open - 1),
                        text, 255);
    // Each setup language's font, as NSIS's language files name it.
    const bool japanese = language == "JAPANESE", chinese = language == "SIMPCHINESE";
    LOGFONTW face = {};
    lstrcpyW(face.lfFaceName, japanese  ? L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF"
                              : chinese ? L"\u5B8B\u4F53"
                                        : L"MS Shell Dlg");
    face.lfHeight = -MulDiv(japanese || chinese ? 9 : 8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    HFONT font = CreateFontIndirectW(&face);
    HGDIOBJ previous = SelectObject(screen, font);
    SIZE alphabet = {};
    GetTextExtentPoint32W(screen, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &alphabet);
    const int baseUnit = (alphabet.cx / 26 + 1) / 2;
    const RECT box = {0, 0, MulDiv(195, baseUnit, 4), MulDiv(10, baseUnit, 4)};
    EXPECT_LE(Draw(screen, text).drawn, Room(BS_AUTOCHECKBOX, L"Button", box)) << language;
    SelectObject(screen, previous);
    DeleteObject(font);
    ++checked;
  }
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(checked, 10);
}

// Japanese and Chinese are drawn in real glyphs, which differ from one
// another, never in the boxes of a font without them.
TEST_F(Languages, JapaneseAndChineseHaveGlyphs) {
  HDC screen = GetDC(nullptr);
  LOGFONTW face = {};
  face.lfHeight = -11;
  lstrcpyW(face.lfFaceName, L"MS Shell Dlg 2");
  HFONT font = CreateFontIndirectW(&face);
  HGDIOBJ previous = SelectObject(screen, font);
  std::set<std::vector<std::uint32_t>> seen;
  // Japanese "setting" and "search", Chinese "search" and "close".
  for (const wchar_t* character : {L"\u8A2D", L"\u5B9A", L"\u691C", L"\u641C", L"\u95ED"})
    EXPECT_TRUE(seen.insert(Picture(screen, character, 24, 24, 4)).second)
        << Narrow(character) << " is drawn as another character is: a box (no font for it)";
  SelectObject(screen, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace corvane::test
