// The program's command line: none to show the search box, or the
// installer's "--autostart on|off", which only sets the start with Windows.
#pragma once

namespace corvane::program {

enum class ProgramAction { ShowBand, AutostartOn, AutostartOff, Unknown };

// `arguments` are the `count` arguments after the program's own name;
// switches and their values are matched ignoring ASCII case.
ProgramAction ParseProgramArguments(int count, const char16_t* const* arguments);

}  // namespace corvane::program
