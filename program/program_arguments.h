// The program's command line: none to show the search box, "--startup"
// when a Run value starts it with Windows, "--settings" for the settings
// window, or "--autostart on|off", which only sets the start with Windows.
#pragma once

namespace corvane::program {

enum class ProgramAction {
  ShowBand,
  StartWithWindows,
  Settings,
  AutostartOn,
  AutostartOff,
  Unknown
};

// The switch the Run values start the program with.
constexpr char16_t kStartupSwitch[] = u"--startup";
// The switch the strip's menu and the Start menu's shortcut open the
// settings window with.
constexpr char16_t kSettingsSwitch[] = u"--settings";

// `arguments` are the `count` arguments after the program's own name;
// switches and their values are matched ignoring ASCII case.
ProgramAction ParseProgramArguments(int count, const char16_t* const* arguments);

}  // namespace corvane::program
