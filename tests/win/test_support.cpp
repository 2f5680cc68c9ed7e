#include "tests/win/test_support.h"

#include <gtest/gtest.h>

namespace corvane::testing {
namespace {

int nextScratch = 0;

std::wstring UniqueName(const wchar_t* stem) {
  return std::wstring(stem) + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++nextScratch);
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

ScratchRegistryRoot::ScratchRegistryRoot(HKEY root)
    : root_(root), path_(L"Software\\CorvaneTests\\" + UniqueName(L"root-")) {
  // Created under the real HKEY_LOCAL_MACHINE, which no test overrides.
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &scratch_, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegOverridePredefKey(root_, scratch_), ERROR_SUCCESS);
}

ScratchRegistryRoot::~ScratchRegistryRoot() {
  RegOverridePredefKey(root_, nullptr);
  RegCloseKey(scratch_);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
}

void SetRegistryValue(HKEY root, const std::wstring& key, const wchar_t* name,
                      DWORD type, const void* data, DWORD bytes) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &handle, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(handle, name, 0, type,
                           static_cast<const BYTE*>(data), bytes),
            ERROR_SUCCESS);
  RegCloseKey(handle);
}

void SetRegistryText(HKEY root, const std::wstring& key, const wchar_t* name,
                     const std::wstring& text) {
  SetRegistryValue(root, key, name, REG_SZ, text.c_str(),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + UniqueName(L"corvane-test-");
  MakeFolder(path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void MakeFolder(const std::wstring& path) {
  EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << Narrow(path);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << Narrow(path);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                        &written, nullptr));
  CloseHandle(file);
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
    bytes.append(chunk, got);
  CloseHandle(file);
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
  std::wstring command = L"\"" + RecorderPath() + L"\" \"%1\"";
  SetRegistryText(HKEY_CLASSES_ROOT, L"https\\shell\\open\\command", nullptr,
                  command);
  SetRegistryText(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr,
                  command);
  SetEnvironmentVariableW(L"CORVANE_URL_LOG", logPath.c_str());
}

SharedHookState* SharedWordsOf(HMODULE dll) {
  auto* base = reinterpret_cast<BYTE*>(dll);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
    if (std::string(reinterpret_cast<char*>(section->Name), 7) == ".shared")
      return reinterpret_cast<SharedHookState*>(base + section->VirtualAddress);
  return nullptr;
}

std::string Narrow(const std::wstring& text) { return Narrow(text.c_str()); }

std::string Narrow(const wchar_t* text) {
  if (text == nullptr) return "(null)";
  char buffer[8192] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer - 1, nullptr,
                      nullptr);
  return buffer;
}

}  // namespace corvane::testing
