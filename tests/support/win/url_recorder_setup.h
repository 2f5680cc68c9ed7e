// Makes the URL recorder this process's browser: searches opened from here
// are appended to a log instead of reaching the network.
#pragma once
#include <string>

namespace corvane::host {

// Registers `recorder` as the https and http handler in the current
// HKEY_CLASSES_ROOT and points its log at `logPath`.
void RegisterRecorder(const std::wstring& recorder, const std::wstring& logPath);

}  // namespace corvane::host
