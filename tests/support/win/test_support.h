// Helpers for tests that run under Wine: scratch registry roots, scratch
// folders and files, and the recorder program that stands in for a browser.
#pragma once
#include <windows.h>

#include <string>

#include "tests/support/win/utf8_text.h"

namespace corvane {
struct SharedHookBlock;
}

namespace corvane::test {

// Redirects a predefined root (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER) of this
// process to a new empty key, deleted again at the end.
class ScratchRegistryRoot {
 public:
  explicit ScratchRegistryRoot(HKEY root);
  ~ScratchRegistryRoot();
  ScratchRegistryRoot(const ScratchRegistryRoot&) = delete;
  ScratchRegistryRoot& operator=(const ScratchRegistryRoot&) = delete;

 private:
  HKEY root;
  HKEY scratch = nullptr;
  std::wstring path;
};

// Writes a value (creating the key); data is taken as given, in bytes.
void SetRegistryValue(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type,
                      const void* data, DWORD bytes);
// A key below `key`: a list of engines below the settings' or a policy's.
inline std::wstring Below(const wchar_t* key, const wchar_t* below) {
  return std::wstring(key) + L"\\" + below;
}
// A REG_SZ value with its terminator; name nullptr is the default value.
void SetRegistryText(HKEY root, const std::wstring& key, const wchar_t* name,
                     const std::wstring& text);

// A new empty folder under %TEMP%, removed with everything in it at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::wstring& Path() const { return path; }
  std::wstring Child(const std::wstring& relative) const { return path + L"\\" + relative; }

 private:
  std::wstring path;
};

void MakeFolder(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
// The file's bytes, or "" if it is missing.
std::string ReadBytes(const std::wstring& path);
// Polls until the file holds at least one complete line, or gives up.
std::string WaitForLine(const std::wstring& path, DWORD timeoutMs = 15000);
// Polls until the file holds `text`; false when it never does.
bool WaitForText(const std::wstring& path, const std::string& text, DWORD timeoutMs = 15000);

// Removes a folder with everything in it.
void RemoveTree(const std::wstring& path);

// A program started by a test; ended at the test's end if it still runs.
class ChildProcess {
 public:
  explicit ChildProcess(std::wstring commandLine);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // The exit code, or STILL_ACTIVE when it did not end in time; this
  // thread's messages are delivered meanwhile.
  DWORD Wait(DWORD timeoutMs = 10000);
  DWORD Id() const { return info.dwProcessId; }
  // Whether it came to wait for input (its windows set up) in time.
  bool WaitUntilIdle() const { return WaitForInputIdle(info.hProcess, 10000) == 0; }

 private:
  PROCESS_INFORMATION info = {};
};

// Folder of the running test program (the helper programs sit beside it).
std::wstring ProgramFolder();
// Registers the URL recorder as the https (and http) handler in the current
// HKEY_CLASSES_ROOT and points its log at `logPath`.
void RegisterRecorder(const std::wstring& logPath);
// The same, as a browser that takes `startMs` to start and is spoken to by
// DDE, as some browsers are: the shell's open waits for it to start.
void RegisterSlowRecorder(const std::wstring& logPath, DWORD startMs);

// The headers of a loaded module's image.
const IMAGE_NT_HEADERS* ImageHeadersOf(HMODULE module);

// The F12 hook's shared words inside a loaded CORVANE.DLL, found through its
// section table (the DLL exports nothing for them).
struct SharedHookBlock* SharedWordsOf(HMODULE dll);

// UTF-8 for the tests' messages.
template <class Text>
std::string Narrow(const Text& text) {
  return host::Utf8(text);
}

}  // namespace corvane::test
