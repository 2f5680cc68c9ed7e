// The "Corvane settings" window: the default engine, the user's own engines,
// the focus key, the key that searches what was copied and where the strips
// stand. OK and Apply store the settings and tell every band of
// the session; nothing is stored that the window does not accept.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "program/engine_checks.h"
#include "program/engine_settings.h"
#include "program/program_settings.h"

namespace corvane::program {

// Starts this program again with the settings window, which thus never
// holds up the strip.
void OpenSettingsWindow();

class SettingsWindow {
 public:
  SettingsWindow() = default;
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;

  // Shows the window until the user closes it; a window that is open already
  // is brought to the front instead. Fails when the settings cannot be read
  // or the window cannot be made.
  HRESULT Run();

 private:
  using CommandHandler = void (SettingsWindow::*)();
  struct CommandEntry {
    int control;
    WORD notification;
    CommandHandler handler;
  };
  static const CommandEntry kCommands[];
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  void OnInitDialog();
  void OnCommand(WPARAM wParam);
  void OnEngineSelected();
  void OnAdd();
  void OnChange();
  void OnRemove();
  void OnTest();
  void OnKeyChoice();
  void OnClearHistory();
  void OnOk();
  void OnApply();
  void OnCancel();

  void SetUpEngineList();
  void ShowEngines();
  // Fills the default engine's choices and selects the one of `chosen`.
  void ShowDefaultEngines(const std::wstring& chosen);
  void ShowFocusKey();
  void ShowCombination(int field, const FocusKey& key);
  void ShowPlacement();
  int ChosenIndex(int control) const;
  void LockManagedSettings();
  // Whether the engine at that row is the user's to change or remove.
  bool MayChange(int engine) const;
  void EnableEngineButtons();
  int SelectedEngine() const;
  // The engine in the fields, when it is acceptable beside the others (the
  // one at `replacing` is left out); otherwise says what is wrong.
  bool EngineFromFields(int replacing, UserEngine* engine);
  bool AcceptFocusKey(FocusKey* key);
  bool AcceptClipboardKey(const FocusKey& focusKey, FocusKey* key);
  bool AcceptCombination(int field, const FocusKey& stored, FocusKey* key);
  std::wstring ChosenDefaultAddress() const;
  bool Save();
  void Problem(UINT textId, HWND control, const std::wstring& detail = L"");
  // Says what is wrong with the engine in the fields (`keyword`: its own).
  void SayEngineProblem(EngineProblem problem, const std::wstring& keyword);
  void SayNotSaved(HRESULT result);
  std::wstring Text(int control) const;

  HWND dialog = nullptr;
  EngineSettings settings;
  // The default engine's items: the address each stands for.
  std::vector<std::wstring> defaultAddresses;
};

}  // namespace corvane::program
