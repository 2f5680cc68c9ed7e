#include "program/settings_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <initializer_list>

#include "program/engine_checks.h"
#include "program/engine_columns.h"
#include "program/key_field.h"
#include "program/program_arguments.h"
#include "program/program_resource_ids.h"
#include "program/program_settings.h"
#include "program/program_texts.h"
#include "search/built_in_engines.h"
#include "search/keyword_query.h"
#include "search/launch_web_search.h"
#include "search/suggest_address.h"
#include "support/focus_key.h"
#include "support/hresult.h"
#include "support/memory.h"
#include "support/settings_store.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"

namespace corvane::program {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
// An id for trying a combination: never one a band registers.
constexpr int kTrialHotkeyId = 0xBFFF;

std::string Utf8(const std::wstring& text) {
  UniqueMemory<char> utf8;
  if (FAILED(ConvertToUtf8(text.c_str(), &utf8))) return std::string();
  return std::string(utf8.Get());
}

// What the window says of each problem, and the field it puts the focus in.
const struct {
  EngineProblem problem;
  UINT message;
  int control;
} kEngineProblems[] = {
    {EngineProblem::kNoName, IDS_NEED_NAME, IDC_ENGINE_NAME},
    {EngineProblem::kNoKeyword, IDS_NEED_KEYWORD, IDC_ENGINE_KEYWORD},
    {EngineProblem::kKeywordNotOneWord, IDS_KEYWORD_NOT_ONE_WORD, IDC_ENGINE_KEYWORD},
    {EngineProblem::kKeywordTaken, IDS_KEYWORD_TAKEN, IDC_ENGINE_KEYWORD},
    {EngineProblem::kAddressNotWeb, IDS_ADDRESS_NOT_WEB, IDC_ENGINE_ADDRESS},
    {EngineProblem::kAddressWithoutPlace, IDS_ADDRESS_WITHOUT_PLACE, IDC_ENGINE_ADDRESS},
    {EngineProblem::kPlaceInServer, IDS_PLACE_IN_SERVER, IDC_ENGINE_ADDRESS},
};

}  // namespace

void OpenSettingsWindow() {
  wchar_t program[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  ShellExecuteW(nullptr, L"open", program, AsWide(kSettingsSwitch), nullptr, SW_SHOWNORMAL);
}

const SettingsWindow::CommandEntry SettingsWindow::kCommands[] = {
    {IDC_ENGINE_ADD, BN_CLICKED, &SettingsWindow::OnAdd},
    {IDC_ENGINE_CHANGE, BN_CLICKED, &SettingsWindow::OnChange},
    {IDC_ENGINE_REMOVE, BN_CLICKED, &SettingsWindow::OnRemove},
    {IDC_ENGINE_TEST, BN_CLICKED, &SettingsWindow::OnTest},
    {IDC_KEY_F12, BN_CLICKED, &SettingsWindow::OnKeyChoice},
    {IDC_KEY_NONE, BN_CLICKED, &SettingsWindow::OnKeyChoice},
    {IDC_KEY_COMBINATION, BN_CLICKED, &SettingsWindow::OnKeyChoice},
    {IDC_CLEAR_HISTORY, BN_CLICKED, &SettingsWindow::OnClearHistory},
    {IDOK, BN_CLICKED, &SettingsWindow::OnOk},
    {IDC_APPLY, BN_CLICKED, &SettingsWindow::OnApply},
    {IDCANCEL, BN_CLICKED, &SettingsWindow::OnCancel},
};

HRESULT SettingsWindow::Run() {
  std::wstring caption = ProgramText(IDS_SETTINGS_CAPTION);
  if (HWND open = FindWindowW(kDialogClass, caption.c_str())) {
    // Brought forward by the program the user started; refused, it still stands.
    SetForegroundWindow(open);
    return S_OK;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  RETURN_IF_FAILED(ReadEngineSettings(&settings));
  DWORD bytes = 0;
  const auto* layout = static_cast<const DLGTEMPLATE*>(
      FindProgramResource(RT_DIALOG, MAKEINTRESOURCEW(IDD_SETTINGS), &bytes));
  RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND), layout == nullptr);
  const INT_PTR closed = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout, nullptr,
                                                 DialogProc, reinterpret_cast<LPARAM>(this));
  RETURN_LAST_ERROR_IF(closed == -1);
  return S_OK;
}

INT_PTR CALLBACK SettingsWindow::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<SettingsWindow*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->dialog = dialog;
    self->OnInitDialog();
    return TRUE;
  }
  auto* self = reinterpret_cast<SettingsWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_COMMAND) {
    self->OnCommand(wParam);
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_ENGINE_LIST && header->code == LVN_ITEMCHANGED)
      self->OnEngineSelected();
    return TRUE;
  }
  return FALSE;
}

void SettingsWindow::OnCommand(WPARAM wParam) {
  for (const CommandEntry& entry : kCommands)
    if (entry.control == LOWORD(wParam) && entry.notification == HIWORD(wParam))
      return (this->*entry.handler)();
}

void SettingsWindow::OnInitDialog() {
  SetWindowTextW(dialog, ProgramText(IDS_SETTINGS_CAPTION).c_str());
  SetUpEngineList();
  ShowEngines();
  ShowDefaultEngines(settings.searchAddress);
  ShowFocusKey();
  ShowPlacement();
  CheckDlgButton(dialog, IDC_SUGGESTIONS, settings.suggestions ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_HISTORY, settings.history ? BST_CHECKED : BST_UNCHECKED);
  LockManagedSettings();
  SendDlgItemMessageW(dialog, IDC_ENGINE_KEYWORD, EM_LIMITTEXT, kMaxKeywordLength, 0);
  for (int field : {IDC_KEY_TEXT, IDC_CLIPBOARD_KEY_TEXT}) {
    SendDlgItemMessageW(dialog, field, EM_LIMITTEXT, kMaxFocusKeyUnits, 0);
    // Without it the combination is still typed.
    TakeCombinationsAsPressed(GetDlgItem(dialog, field));
  }
  SetForegroundWindow(dialog);
}

void SettingsWindow::SetUpEngineList() {
  HWND list = GetDlgItem(dialog, IDC_ENGINE_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  SetUpEngineColumns(list, {ProgramText(IDS_COLUMN_NAME), ProgramText(IDS_COLUMN_KEYWORD),
                            ProgramText(IDS_COLUMN_ADDRESS)});
}

void SettingsWindow::ShowEngines() {
  HWND list = GetDlgItem(dialog, IDC_ENGINE_LIST);
  ListView_DeleteAllItems(list);
  int row = 0;
  for (UserEngine& engine : settings.engines) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = &engine.name[0];
    ListView_InsertItem(list, &item);
    ListView_SetItemText(list, row, 1, &engine.keyword[0]);
    ListView_SetItemText(list, row, 2, &engine.address[0]);
    ++row;
  }
  EnableEngineButtons();
}

// Built-in engines, then the user's own; a stored address that is none of
// them stays a choice of its own, so that saving keeps it.
void SettingsWindow::ShowDefaultEngines(const std::wstring& chosen) {
  HWND box = GetDlgItem(dialog, IDC_DEFAULT_ENGINE);
  SendMessageW(box, CB_RESETCONTENT, 0, 0);
  defaultAddresses.clear();
  auto add = [&](const std::wstring& name, const std::wstring& address) {
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    defaultAddresses.push_back(address);
  };
  for (const BuiltInEngine& engine : kBuiltInEngines)
    add(engine.name != nullptr ? AsWide(engine.name) : ProgramText(IDS_ENGINE_GOOGLE),
        AsWide(engine.searchAddress));
  for (const UserEngine& engine : settings.engines) add(engine.name, engine.address);
  size_t selected = 0;
  while (selected < defaultAddresses.size() && defaultAddresses[selected] != chosen) ++selected;
  if (selected == defaultAddresses.size()) add(WithDetail(IDS_ENGINE_OTHER, chosen), chosen);
  SendMessageW(box, CB_SETCURSEL, selected, 0);
}

// The choices in the order of their settings' values.
void SettingsWindow::ShowPlacement() {
  struct Choice {
    int control;
    std::initializer_list<UINT> texts;
    int chosen;
  } choices[] = {
      {IDC_PLACEMENT,
       {IDS_PLACEMENT_FLOAT, IDS_PLACEMENT_RESERVE, IDS_PLACEMENT_HIDDEN},
       static_cast<int>(settings.placement)},
      {IDC_PLACEMENT_MONITOR,
       {IDS_MONITOR_PRIMARY, IDS_MONITOR_POINTER, IDS_MONITOR_ALL},
       static_cast<int>(settings.placementMonitor)},
  };
  for (const Choice& choice : choices) {
    for (UINT text : choice.texts)
      SendDlgItemMessageW(dialog, choice.control, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(ProgramText(text).c_str()));
    SendDlgItemMessageW(dialog, choice.control, CB_SETCURSEL, choice.chosen, 0);
  }
}

int SettingsWindow::ChosenIndex(int control) const {
  const LRESULT index = SendDlgItemMessageW(dialog, control, CB_GETCURSEL, 0, 0);
  return index < 0 ? 0 : static_cast<int>(index);
}

// What a policy fixes is shown greyed, under a line that says why; the
// engines of the policies stay in the list, never to be changed.
void SettingsWindow::LockManagedSettings() {
  const struct {
    Setting setting;
    std::initializer_list<int> controls;
  } locks[] = {
      {Setting::kSearchAddress, {IDC_DEFAULT_ENGINE}},
      {Setting::kFocusKey, {IDC_KEY_F12, IDC_KEY_NONE, IDC_KEY_COMBINATION, IDC_KEY_TEXT}},
      {Setting::kSuggestions, {IDC_SUGGESTIONS}},
      {Setting::kHistory, {IDC_HISTORY}},
      {Setting::kPlacement, {IDC_PLACEMENT}},
      {Setting::kPlacementMonitor, {IDC_PLACEMENT_MONITOR}},
      {Setting::kSearchClipboardKey, {IDC_CLIPBOARD_KEY_TEXT}},
  };
  bool managed = !settings.userEngines || settings.fixed != 0;
  for (const auto& lock : locks)
    if (settings.IsFixed(lock.setting))
      for (int control : lock.controls) EnableWindow(GetDlgItem(dialog, control), FALSE);
  for (const UserEngine& engine : settings.engines) managed = managed || IsPolicy(engine.layer);
  if (!settings.userEngines)
    for (int control : {IDC_ENGINE_NAME, IDC_ENGINE_KEYWORD, IDC_ENGINE_ADDRESS,
                        IDC_ENGINE_SUGGEST_ADDRESS, IDC_ENGINE_ADD, IDC_ENGINE_TEST})
      EnableWindow(GetDlgItem(dialog, control), FALSE);
  ShowWindow(GetDlgItem(dialog, IDC_MANAGED), managed ? SW_SHOW : SW_HIDE);
}

void SettingsWindow::ShowFocusKey() {
  const FocusKey& key = settings.focusKey;
  int choice = IDC_KEY_F12;
  if (key.kind == FocusKeyKind::kNone) choice = IDC_KEY_NONE;
  if (key.kind == FocusKeyKind::kCombination) choice = IDC_KEY_COMBINATION;
  CheckRadioButton(dialog, IDC_KEY_F12, IDC_KEY_COMBINATION, choice);
  ShowCombination(IDC_KEY_TEXT, key);
  ShowCombination(IDC_CLIPBOARD_KEY_TEXT, settings.searchClipboardKey);
  OnKeyChoice();
}

void SettingsWindow::ShowCombination(int field, const FocusKey& key) {
  wchar_t text[kMaxFocusKeyUnits + 1] = {};
  if (key.kind == FocusKeyKind::kCombination && FormatFocusKey(key, AsUtf16(text), ARRAYSIZE(text)))
    SetDlgItemTextW(dialog, field, text);
}

void SettingsWindow::OnKeyChoice() {
  EnableWindow(GetDlgItem(dialog, IDC_KEY_TEXT),
               !settings.IsFixed(Setting::kFocusKey) &&
                   IsDlgButtonChecked(dialog, IDC_KEY_COMBINATION) == BST_CHECKED);
}

int SettingsWindow::SelectedEngine() const {
  return ListView_GetNextItem(GetDlgItem(dialog, IDC_ENGINE_LIST), -1, LVNI_SELECTED);
}

bool SettingsWindow::MayChange(int engine) const {
  return engine >= 0 && static_cast<size_t>(engine) < settings.engines.size() &&
         !IsPolicy(settings.engines[engine].layer);
}

void SettingsWindow::EnableEngineButtons() {
  const BOOL mayChange = MayChange(SelectedEngine()) ? TRUE : FALSE;
  EnableWindow(GetDlgItem(dialog, IDC_ENGINE_CHANGE), mayChange);
  EnableWindow(GetDlgItem(dialog, IDC_ENGINE_REMOVE), mayChange);
}

void SettingsWindow::OnEngineSelected() {
  EnableEngineButtons();
  int selected = SelectedEngine();
  if (selected < 0 || static_cast<size_t>(selected) >= settings.engines.size()) return;
  const UserEngine& engine = settings.engines[selected];
  SetDlgItemTextW(dialog, IDC_ENGINE_NAME, engine.name.c_str());
  SetDlgItemTextW(dialog, IDC_ENGINE_KEYWORD, engine.keyword.c_str());
  SetDlgItemTextW(dialog, IDC_ENGINE_ADDRESS, engine.address.c_str());
  SetDlgItemTextW(dialog, IDC_ENGINE_SUGGEST_ADDRESS, engine.suggestAddress.c_str());
}

bool SettingsWindow::EngineFromFields(int replacing, UserEngine* engine) {
  engine->name = Text(IDC_ENGINE_NAME);
  engine->keyword = Text(IDC_ENGINE_KEYWORD);
  engine->address = Text(IDC_ENGINE_ADDRESS);
  std::vector<const char16_t*> others;
  for (size_t i = 0; i < settings.engines.size(); ++i)
    if (static_cast<int>(i) != replacing)
      others.push_back(AsUtf16(settings.engines[i].keyword.c_str()));
  EngineProblem problem =
      CheckUserEngine(AsUtf16(engine->name.c_str()), AsUtf16(engine->keyword.c_str()),
                      Utf8(engine->address).c_str(), others.data(), others.size());
  if (problem != EngineProblem::kNone) {
    SayEngineProblem(problem, engine->keyword);
    return false;
  }
  engine->suggestAddress = Text(IDC_ENGINE_SUGGEST_ADDRESS);
  if (!engine->suggestAddress.empty() &&
      !IsUsableSuggestAddress(Utf8(engine->suggestAddress).c_str())) {
    Problem(IDS_SUGGEST_ADDRESS_NOT_USABLE, GetDlgItem(dialog, IDC_ENGINE_SUGGEST_ADDRESS),
            std::wstring());
    return false;
  }
  return true;
}

void SettingsWindow::OnAdd() {
  UserEngine engine;
  if (!EngineFromFields(-1, &engine)) return;
  std::wstring chosen = ChosenDefaultAddress();
  settings.engines.push_back(std::move(engine));
  ShowEngines();
  ShowDefaultEngines(chosen);
}

void SettingsWindow::OnChange() {
  int selected = SelectedEngine();
  UserEngine engine;
  if (!MayChange(selected) || !EngineFromFields(selected, &engine)) return;
  // The default engine follows its engine's new address.
  std::wstring chosen = ChosenDefaultAddress();
  if (chosen == settings.engines[selected].address) chosen = engine.address;
  settings.engines[selected] = std::move(engine);
  ShowEngines();
  ShowDefaultEngines(chosen);
}

// An engine that goes as the default leaves Google's country site as the
// default, not an address nobody named.
void SettingsWindow::OnRemove() {
  int selected = SelectedEngine();
  if (!MayChange(selected)) return;
  std::wstring chosen = ChosenDefaultAddress();
  if (chosen == settings.engines[selected].address) chosen.clear();
  settings.engines.erase(settings.engines.begin() + selected);
  ShowEngines();
  ShowDefaultEngines(chosen);
}

// Opens the address in the field with a sample query, as a search would.
void SettingsWindow::OnTest() {
  std::wstring address = Text(IDC_ENGINE_ADDRESS);
  std::string utf8 = Utf8(address);
  EngineProblem problem = CheckUserEngine(u"-", u"-", utf8.c_str(), nullptr, 0);
  if (problem != EngineProblem::kNone) {
    SayEngineProblem(problem, std::wstring());
    return;
  }
  // Not opened, the shell has said why in a box of its own over the window.
  TRACE_IF_FAILED(LaunchEngineSearch(dialog, address.c_str(), ProgramText(IDS_TEST_QUERY).c_str()));
}

// The key as it is to be stored: "F12", "none", or a combination that the
// system lets Corvane have.
bool SettingsWindow::AcceptFocusKey(FocusKey* accepted) {
  if (settings.IsFixed(Setting::kFocusKey)) {
    *accepted = settings.focusKey;
    return true;
  }
  FocusKey key;
  if (IsDlgButtonChecked(dialog, IDC_KEY_NONE) == BST_CHECKED) {
    key.kind = FocusKeyKind::kNone;
  } else if (IsDlgButtonChecked(dialog, IDC_KEY_COMBINATION) == BST_CHECKED) {
    if (!AcceptCombination(IDC_KEY_TEXT, settings.focusKey, &key)) return false;
  }
  *accepted = key;
  return true;
}

// The clipboard's key: none where the field is empty or says so, else a
// combination the system lets Corvane have, other than the focus key.
bool SettingsWindow::AcceptClipboardKey(const FocusKey& focusKey, FocusKey* accepted) {
  if (settings.IsFixed(Setting::kSearchClipboardKey)) {
    *accepted = settings.searchClipboardKey;
    return true;
  }
  const std::wstring typed = Text(IDC_CLIPBOARD_KEY_TEXT);
  FocusKey key = {FocusKeyKind::kNone, 0, 0};
  const bool none =
      typed.empty() || ParseFocusKey(AsUtf16(typed.c_str())).kind == FocusKeyKind::kNone;
  if (!none && !AcceptCombination(IDC_CLIPBOARD_KEY_TEXT, settings.searchClipboardKey, &key))
    return false;
  if (key.kind == FocusKeyKind::kCombination && key == focusKey) {
    Problem(IDS_KEYS_SAME, GetDlgItem(dialog, IDC_CLIPBOARD_KEY_TEXT),
            Text(IDC_CLIPBOARD_KEY_TEXT));
    return false;
  }
  *accepted = key;
  return true;
}

// The combination typed into `field`, in its canonical form, when the
// system lets Corvane have it (unless it is the one stored already, which a
// band of the session may hold); otherwise says what is wrong.
bool SettingsWindow::AcceptCombination(int field, const FocusKey& stored, FocusKey* accepted) {
  const std::wstring typed = Text(field);
  const FocusKey key =
      ParseFocusKey(AsUtf16(typed.c_str()), AsUtf16(ProgramText(IDS_KEY_NAMES).c_str()));
  if (key.kind != FocusKeyKind::kCombination) {
    Problem(IDS_KEY_INVALID, GetDlgItem(dialog, field), typed);
    return false;
  }
  wchar_t canonical[kMaxFocusKeyUnits + 1] = {};
  if (!FormatFocusKey(key, AsUtf16(canonical), ARRAYSIZE(canonical))) return false;
  if (key != stored) {
    if (!RegisterHotKey(dialog, kTrialHotkeyId, key.modifiers | MOD_NOREPEAT, key.virtualKey)) {
      Problem(IDS_KEY_TAKEN, GetDlgItem(dialog, field), canonical);
      return false;
    }
    UnregisterHotKey(dialog, kTrialHotkeyId);
  }
  // The field shows what is stored, in the names every Corvane reads.
  SetDlgItemTextW(dialog, field, canonical);
  *accepted = key;
  return true;
}

std::wstring SettingsWindow::ChosenDefaultAddress() const {
  LRESULT chosen = SendDlgItemMessageW(dialog, IDC_DEFAULT_ENGINE, CB_GETCURSEL, 0, 0);
  if (chosen < 0 || static_cast<size_t>(chosen) >= defaultAddresses.size()) return std::wstring();
  return defaultAddresses[chosen];
}

bool SettingsWindow::Save() {
  FocusKey focusKey, clipboardKey;
  if (!AcceptFocusKey(&focusKey) || !AcceptClipboardKey(focusKey, &clipboardKey)) return false;
  EngineSettings changed = settings;
  changed.focusKey = focusKey;
  changed.searchClipboardKey = clipboardKey;
  changed.searchAddress = ChosenDefaultAddress();
  changed.suggestions = IsDlgButtonChecked(dialog, IDC_SUGGESTIONS) == BST_CHECKED;
  changed.history = IsDlgButtonChecked(dialog, IDC_HISTORY) == BST_CHECKED;
  changed.placement = static_cast<StripMode>(ChosenIndex(IDC_PLACEMENT));
  changed.placementMonitor = static_cast<StripMonitor>(ChosenIndex(IDC_PLACEMENT_MONITOR));
  const HRESULT result = WriteEngineSettings(settings, changed);
  // Whatever was stored, the bands and the strip read it again; told or not,
  // each reads it when it starts.
  TRACE_IF_FAILED(AnnounceSettingsChange());
  if (FAILED(result)) {
    SayNotSaved(result);
    return false;
  }
  settings = std::move(changed);
  return true;
}

// At once, whatever else the window changes.
void SettingsWindow::OnClearHistory() {
  HRESULT result = ForgetRecentSearches();
  if (FAILED(result)) SayNotSaved(result);
}

void SettingsWindow::OnOk() {
  if (Save()) EndDialog(dialog, IDOK);
}

void SettingsWindow::OnApply() { Save(); }

void SettingsWindow::OnCancel() { EndDialog(dialog, IDCANCEL); }

void SettingsWindow::Problem(UINT textId, HWND control, const std::wstring& detail) {
  MessageBoxW(dialog, WithDetail(textId, detail).c_str(), ProgramText(IDS_SETTINGS_CAPTION).c_str(),
              MB_OK | MB_ICONWARNING);
  if (control != nullptr) {
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
  }
}

void SettingsWindow::SayNotSaved(HRESULT result) {
  wchar_t code[16] = {};
  wsprintfW(code, L"0x%08lX", static_cast<unsigned long>(result));
  Problem(IDS_NOT_SAVED, nullptr, code);
}

void SettingsWindow::SayEngineProblem(EngineProblem problem, const std::wstring& keyword) {
  for (const auto& entry : kEngineProblems)
    if (entry.problem == problem)
      return Problem(entry.message, GetDlgItem(dialog, entry.control), keyword);
}

std::wstring SettingsWindow::Text(int control) const {
  HWND window = GetDlgItem(dialog, control);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

}  // namespace corvane::program
