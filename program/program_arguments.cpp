#include "program/program_arguments.h"

#include "support/ascii_text.h"

namespace corvane::program {

ProgramAction ParseProgramArguments(int count, const char16_t* const* arguments) {
  if (count == 0) return ProgramAction::ShowBand;
  if (count == 1 && EqualsIgnoringAsciiCase(arguments[0], kStartupSwitch))
    return ProgramAction::StartWithWindows;
  if (count == 1 && EqualsIgnoringAsciiCase(arguments[0], kSettingsSwitch))
    return ProgramAction::Settings;
  if (count != 2 || !EqualsIgnoringAsciiCase(arguments[0], u"--autostart"))
    return ProgramAction::Unknown;
  if (EqualsIgnoringAsciiCase(arguments[1], u"on")) return ProgramAction::AutostartOn;
  if (EqualsIgnoringAsciiCase(arguments[1], u"off")) return ProgramAction::AutostartOff;
  return ProgramAction::Unknown;
}

}  // namespace corvane::program
