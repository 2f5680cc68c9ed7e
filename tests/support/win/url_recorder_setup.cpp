#include "tests/support/win/url_recorder_setup.h"

#include <windows.h>

namespace corvane::host {

void RegisterRecorder(const std::wstring& recorder, const std::wstring& logPath) {
  std::wstring command = L"\"" + recorder + L"\" \"%1\"";
  for (const wchar_t* key : {L"https\\shell\\open\\command", L"http\\shell\\open\\command"})
    RegSetValueW(HKEY_CLASSES_ROOT, key, REG_SZ, command.c_str(),
                 static_cast<DWORD>(command.size() * sizeof(wchar_t)));
  SetEnvironmentVariableW(L"CORVANE_URL_LOG", logPath.c_str());
}

}  // namespace corvane::host
