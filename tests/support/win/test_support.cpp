#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include "support/windows_handles.h"
#include "tests/support/win/url_recorder_setup.h"

namespace corvane::test {
namespace {

int NextScratch = 0;

// Process ids start again with every Wine session, and the prefix outlives
// them: the start time keeps a name from meeting a leftover of an earlier run.
std::wstring UniqueName(const wchar_t* stem) {
  static const ULONGLONG start = GetTickCount64();
  return std::wstring(stem) + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(start) + L"-" + std::to_wstring(++NextScratch);
}

}  // namespace

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  UniqueFindHandle search(FindFirstFileW((path + L"\\*").c_str(), &entry));
  if (search) {
    do {
      std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(search.Get(), &entry));
  }
  RemoveDirectoryW(path.c_str());
}

ChildProcess::ChildProcess(std::wstring commandLine) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    ADD_FAILURE() << "cannot start " << Narrow(commandLine) << ": error " << GetLastError();
}

ChildProcess::~ChildProcess() {
  if (info.hProcess == nullptr) return;
  if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 9);
  WaitForSingleObject(info.hProcess, 5000);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
}

DWORD ChildProcess::Wait(DWORD timeoutMs) {
  if (info.hProcess == nullptr) return STILL_ACTIVE;
  ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    ULONGLONG now = GetTickCount64();
    DWORD left = now < end ? static_cast<DWORD>(end - now) : 0;
    DWORD woke = MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, left, QS_ALLINPUT);
    if (woke != WAIT_OBJECT_0 + 1) break;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info.hProcess, &code);
  return code;
}

ScratchRegistryRoot::ScratchRegistryRoot(HKEY root)
    : root(root), path(L"Software\\CorvaneTests\\" + UniqueName(L"root-")) {
  // Created under the real HKEY_LOCAL_MACHINE, which no test overrides.
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &scratch, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegOverridePredefKey(root, scratch), ERROR_SUCCESS);
}

ScratchRegistryRoot::~ScratchRegistryRoot() {
  RegOverridePredefKey(root, nullptr);
  RegCloseKey(scratch);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
}

void SetRegistryValue(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type,
                      const void* data, DWORD bytes) {
  UniqueRegistryKey handle;
  ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, handle.Put(),
                            nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(handle.Get(), name, 0, type, static_cast<const BYTE*>(data), bytes),
            ERROR_SUCCESS);
}

void SetRegistryText(HKEY root, const std::wstring& key, const wchar_t* name,
                     const std::wstring& text) {
  SetRegistryValue(root, key, name, REG_SZ, text.c_str(),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  path = std::wstring(temp) + UniqueName(L"corvane-test-");
  MakeFolder(path);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path); }

void MakeFolder(const std::wstring& path) {
  EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << Narrow(path);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << Narrow(path);
  DWORD written = 0;
  EXPECT_TRUE(
      WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

std::string ReadBytes(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return "";
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
    bytes.append(chunk, got);
  return bytes;
}

std::string WaitForLine(const std::wstring& path, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    std::string text = ReadBytes(path);
    if (!text.empty() && text.back() == '\n') return text;
    Sleep(20);
  }
  return ReadBytes(path);
}

bool WaitForText(const std::wstring& path, const std::string& text, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    if (ReadBytes(path).find(text) != std::string::npos) return true;
    Sleep(20);
  }
  return ReadBytes(path).find(text) != std::string::npos;
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

namespace {

// The test bed puts the recorder at a short fixed place, so that a long
// address still fits the command line whatever folder the checkout is in.
std::wstring RecorderPath() {
  const wchar_t kFixedPlace[] = L"C:\\ct\\url_recorder.exe";
  if (GetFileAttributesW(kFixedPlace) != INVALID_FILE_ATTRIBUTES) return kFixedPlace;
  return ProgramFolder() + L"\\url_recorder.exe";
}

}  // namespace

void RegisterRecorder(const std::wstring& logPath) {
  host::RegisterRecorder(RecorderPath(), logPath);
}

void RegisterSlowRecorder(const std::wstring& logPath, DWORD startMs) {
  RegisterRecorder(logPath);
  const std::wstring dde = L"https\\shell\\open\\ddeexec";
  SetRegistryText(HKEY_CLASSES_ROOT, dde, nullptr, L"%1");
  SetRegistryText(HKEY_CLASSES_ROOT, dde + L"\\application", nullptr, L"CorvaneRecorder");
  SetRegistryText(HKEY_CLASSES_ROOT, dde + L"\\topic", nullptr, L"WWW_OpenURL");
  SetEnvironmentVariableW(L"CORVANE_RECORDER_START_MS", std::to_wstring(startMs).c_str());
}

const IMAGE_NT_HEADERS* ImageHeadersOf(HMODULE module) {
  auto* base = reinterpret_cast<const BYTE*>(module);
  return reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
}

SharedHookBlock* SharedWordsOf(HMODULE dll) {
  auto* base = reinterpret_cast<BYTE*>(dll);
  const IMAGE_NT_HEADERS* nt = ImageHeadersOf(dll);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
    if (std::string(reinterpret_cast<const char*>(section->Name), 7) == ".shared")
      return reinterpret_cast<SharedHookBlock*>(base + section->VirtualAddress);
  return nullptr;
}

}  // namespace corvane::test
