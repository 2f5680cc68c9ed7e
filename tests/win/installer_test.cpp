// The installer of this architecture as an administrator meets it: run
// silently in the prefix, then its files, registry and uninstaller checked
// from outside. A file held open without delete sharing stands in for a
// CORVANE.DLL that Explorer or the F12 hook keeps loaded: Wine does not lock
// a loaded module's file, but it does enforce share modes between processes.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "support/windows_handles.h"
#include "tests/support/win/test_support.h"

namespace corvane::test {
namespace {

const wchar_t kClassKey[] = L"Software\\Classes\\CLSID\\{59E5B916-B4DC-4C77-82B3-1A22AF7FBAE8}";
const wchar_t kDeskBandCategory[] = L"{00021492-0000-0000-C000-000000000046}";
const wchar_t kEntryKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kSettingsKey[] = L"SOFTWARE\\Ostrand\\Corvane\\1.0";
const wchar_t kSessionManagerKey[] = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingRenames[] = L"PendingFileRenameOperations";
const wchar_t kStripClass[] = L"Ostrand.Corvane.Strip";
// Explorer's per-user cache of the desk band category, for each bitness.
const wchar_t* const kToolbarCaches[] = {
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Discardable\\PostSetup\\"
    L"Component Categories\\{00021492-0000-0000-C000-000000000046}",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Discardable\\PostSetup\\"
    L"Component Categories64\\{00021492-0000-0000-C000-000000000046}"};
constexpr DWORD kRestartNeeded = 3010;
constexpr DWORD kRefused = 2;
constexpr DWORD kInstallerTimeoutMs = 120000;
constexpr UINT kDisplayNameId = 306;

std::wstring Environment(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value != nullptr ? value : L"";
}

std::wstring InstallFolder() {
  wchar_t folder[MAX_PATH] = {};
  ExpandEnvironmentStringsW(L"%ProgramFiles%\\Corvane", folder, MAX_PATH);
  return folder;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The uninstaller's own file goes just after it ends, removed by a copy.
bool GoesSoon(const std::wstring& path) {
  for (int tries = 0; tries < 100 && Exists(path); ++tries) Sleep(100);
  return !Exists(path);
}

// One registration of the band: the registry view and the DLL it names.
struct ClassView {
  REGSAM view;
  std::wstring dll;
};

std::vector<ClassView> ClassViews() {
  if (sizeof(void*) == 8)
    return {{KEY_WOW64_64KEY, InstallFolder() + L"\\CORVANE.DLL"},
            {KEY_WOW64_32KEY, InstallFolder() + L"\\x86\\CORVANE.DLL"}};
  return {{0, InstallFolder() + L"\\CORVANE.DLL"}};
}

std::vector<std::wstring> InstalledFiles() {
  std::vector<std::wstring> files = {InstallFolder() + L"\\Corvane.exe",
                                     InstallFolder() + L"\\uninstall.exe"};
  for (const ClassView& view : ClassViews()) files.push_back(view.dll);
  return files;
}

bool KeyExists(HKEY root, const std::wstring& key, REGSAM view = 0) {
  UniqueRegistryKey handle;
  return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, handle.Put()) == ERROR_SUCCESS;
}

// The value's data as text (REG_SZ) or number (REG_DWORD), "" when missing.
std::wstring Value(HKEY root, const std::wstring& key, const wchar_t* name, REGSAM view = 0) {
  UniqueRegistryKey handle;
  BYTE data[4096] = {};
  DWORD type = 0, bytes = sizeof data - sizeof(wchar_t);
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, handle.Put()) != ERROR_SUCCESS ||
      RegGetValueW(handle.Get(), nullptr, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, data,
                   &bytes) != ERROR_SUCCESS)
    return L"";
  if (type == REG_DWORD) return std::to_wstring(*reinterpret_cast<DWORD*>(data));
  return reinterpret_cast<wchar_t*>(data);
}

DWORD ValueCount(HKEY root, const std::wstring& key, REGSAM view) {
  UniqueRegistryKey handle;
  DWORD values = ~0u;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, handle.Put()) == ERROR_SUCCESS)
    RegQueryInfoKeyW(handle.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
  return values;
}

// The pending operations as (source, target) pairs, paths in the NT form.
using Renames = std::vector<std::pair<std::wstring, std::wstring>>;

std::vector<wchar_t> PendingRenamesData() {
  std::vector<wchar_t> data(32768);
  DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenames, RRF_RT_REG_MULTI_SZ,
                   nullptr, data.data(), &bytes) != ERROR_SUCCESS)
    return {};
  data.resize(bytes / sizeof(wchar_t));
  return data;
}

Renames PendingRenames() {
  std::vector<std::wstring> texts;
  std::vector<wchar_t> data = PendingRenamesData();
  for (size_t at = 0; at < data.size();) {
    size_t end = at;
    while (end < data.size() && data[end] != 0) ++end;
    texts.emplace_back(&data[at], end - at);
    at = end + 1;
  }
  // A REG_MULTI_SZ ends with an empty text of its own.
  if (!texts.empty() && texts.back().empty() && texts.size() % 2 == 1) texts.pop_back();
  Renames renames;
  for (size_t at = 0; at + 1 < texts.size(); at += 2)
    renames.emplace_back(texts[at], texts[at + 1]);
  return renames;
}

std::wstring NtPath(const std::wstring& path) { return L"\\??\\" + path; }

bool IsPending(const Renames& renames, const std::wstring& source, const std::wstring& target) {
  for (const auto& rename : renames)
    if (_wcsicmp(rename.first.c_str(), source.c_str()) == 0 &&
        _wcsicmp(rename.second.c_str(), target.c_str()) == 0)
      return true;
  return false;
}

std::wstring FileVersionOf(const std::wstring& path) {
  std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  if (block.empty() ||
      !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
      !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size))
    return L"";
  return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
         std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
         std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
         std::to_wstring(LOWORD(fixed->dwFileVersionLS));
}

// The class's name as the module's own registration writes it.
std::wstring DisplayNameOf(const std::wstring& dll) {
  HMODULE module = LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  wchar_t text[256] = {};
  LoadStringW(module, kDisplayNameId, text, ARRAYSIZE(text));
  FreeLibrary(module);
  return text;
}

std::wstring CommonProgramsFolder() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

DWORD Run(const std::wstring& command) { return ChildProcess(command).Wait(kInstallerTimeoutMs); }

DWORD RunInstaller(const std::wstring& installer, const std::wstring& options) {
  EXPECT_TRUE(Exists(installer)) << Narrow(installer) << " is missing: tools/dist.sh makes it";
  return Run(L"\"" + installer + L"\" /S " + options);
}

DWORD Install(const std::wstring& options = L"") {
  return RunInstaller(Environment(L"CORVANE_INSTALLER"), options);
}

// As "Apps & features" does it, quietly.
DWORD Uninstall() {
  std::wstring command = Value(HKEY_LOCAL_MACHINE, kEntryKey, L"QuietUninstallString");
  EXPECT_FALSE(command.empty()) << "no quiet uninstall command";
  return command.empty() ? kRefused : Run(command);
}

// The user's setting, which no installer or silent uninstaller touches.
void HideGoButton() {
  DWORD hidden = 0;
  SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, L"ShowGoButton", REG_DWORD, &hidden,
                   sizeof hidden);
}

std::wstring ProgramCommand() { return L"\"" + InstallFolder() + L"\\Corvane.exe\""; }

bool StripAppears() {
  for (int tries = 0; tries < 100 && FindWindowW(kStripClass, nullptr) == nullptr; ++tries)
    Sleep(100);
  return FindWindowW(kStripClass, nullptr) != nullptr;
}

// Which file serves the band to a COM host built by `probe`.
std::wstring ServerSeenBy(const std::wstring& probe) {
  ScratchFolder scratch;
  std::wstring output = scratch.Child(L"server.txt");
  EXPECT_EQ(Run(L"\"" + probe + L"\" \"" + output + L"\""), 0u) << Narrow(probe);
  std::string bytes = ReadBytes(output);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()),
                      bytes.size() / sizeof(wchar_t));
}

// Keeps a file open without delete sharing, as a loaded module stands.
class HeldFile {
 public:
  explicit HeldFile(const std::wstring& path)
      : file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr)) {
    EXPECT_TRUE(file) << "cannot hold " << Narrow(path);
  }

 private:
  UniqueFile file;
};

class InstallerTest : public testing::Test {
 protected:
  void SetUp() override {
    RemoveInstallation();
    pendingBefore = PendingRenamesData();
  }
  void TearDown() override {
    RemoveInstallation();
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    // Nothing here restarts: the pending operations go as they came.
    if (pendingBefore.empty())
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenames);
    else
      SetRegistryValue(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenames, REG_MULTI_SZ,
                       pendingBefore.data(),
                       static_cast<DWORD>(pendingBefore.size() * sizeof(wchar_t)));
  }

  static void RemoveInstallation() {
    if (KeyExists(HKEY_LOCAL_MACHINE, kEntryKey)) {
      Uninstall();
      GoesSoon(InstallFolder() + L"\\uninstall.exe");
    }
    RemoveTree(InstallFolder());
  }

  void ExpectNothingRegistered() {
    for (const ClassView& view : ClassViews())
      EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kClassKey, view.view)) << "view " << view.view;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kRunKey, L"Corvane"), L"");
    EXPECT_FALSE(Exists(CommonProgramsFolder() + L"\\Corvane.lnk"));
  }

  std::vector<wchar_t> pendingBefore;
};

TEST_F(InstallerTest, InstallsTheFilesTheBandClassesAndTheAppsEntry) {
  for (const wchar_t* cache : kToolbarCaches)
    SetRegistryText(HKEY_CURRENT_USER, std::wstring(cache) + L"\\Enum", L"Implementing", L"");
  ASSERT_EQ(Install(), 0u);
  // So that the "Toolbars" menu lists the band the first time.
  for (const wchar_t* cache : kToolbarCaches)
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, cache)) << Narrow(cache);
  ULONGLONG bytes = 0;
  for (const std::wstring& file : InstalledFiles()) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_TRUE(GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) << Narrow(file);
    bytes += data.nFileSizeLow;
  }
  for (const ClassView& view : ClassViews()) {
    SCOPED_TRACE(Narrow(view.dll));
    std::wstring server = std::wstring(kClassKey) + L"\\InprocServer32";
    std::wstring category =
        std::wstring(kClassKey) + L"\\Implemented Categories\\" + kDeskBandCategory;
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kClassKey, nullptr, view.view), DisplayNameOf(view.dll));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, server, nullptr, view.view), view.dll);
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, server, L"ThreadingModel", view.view), L"Apartment");
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, category, view.view), 0u) << "no category key";
  }
  const std::wstring folder = InstallFolder();
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kEntryKey, L"DisplayName"), L"Corvane");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kEntryKey, L"Publisher"), L"Ostrand");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kEntryKey, L"DisplayVersion"),
            FileVersionOf(folder + L"\\CORVANE.DLL"));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kEntryKey, L"DisplayIcon"), folder + L"\\Corvane.exe,0");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kEntryKey, L"UninstallString"),
            L"\"" + folder + L"\\uninstall.exe\" _?=" + folder);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kEntryKey, L"NoModify"), L"1");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kEntryKey, L"NoRepair"), L"1");
  // In KiB, rounded file by file.
  EXPECT_NEAR(std::stod(L"0" + Value(HKEY_LOCAL_MACHINE, kEntryKey, L"EstimatedSize")),
              bytes / 1024.0, static_cast<double>(InstalledFiles().size()));
  EXPECT_TRUE(Exists(CommonProgramsFolder() + L"\\Corvane.lnk"));
  // This Windows has toolbars: the program does not start with it unasked.
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kRunKey, L"Corvane"), L"");

  EXPECT_EQ(ServerSeenBy(ProgramFolder() + L"\\class_probe.exe"), ClassViews()[0].dll);
}

TEST_F(InstallerTest, UninstallClosesTheProgramAndLeavesOnlyTheSettings) {
  ASSERT_EQ(Install(L"/AUTOSTART=yes"), 0u);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kRunKey, L"Corvane"), ProgramCommand());
  HideGoButton();
  ChildProcess program(ProgramCommand());
  ASSERT_TRUE(StripAppears()) << "the program did not start";

  EXPECT_EQ(Uninstall(), 0u);
  EXPECT_EQ(program.Wait(), 0u) << "the program was not closed";
  EXPECT_TRUE(GoesSoon(InstallFolder()));
  ExpectNothingRegistered();
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kSettingsKey, L"ShowGoButton"), L"0");
}

TEST_F(InstallerTest, UninstallRemovesADllInUseAtTheNextRestart) {
  ASSERT_EQ(Install(), 0u);
  const std::wstring dll = InstallFolder() + L"\\CORVANE.DLL";
  {
    HeldFile held(dll);
    EXPECT_EQ(Uninstall(), kRestartNeeded);
  }
  EXPECT_TRUE(GoesSoon(InstallFolder() + L"\\uninstall.exe"));
  Renames pending = PendingRenames();
  EXPECT_TRUE(IsPending(pending, NtPath(dll), L"")) << "no removal of the DLL in use";
  EXPECT_TRUE(IsPending(pending, NtPath(InstallFolder() + L"\\"), L""))
      << "no removal of the folder";
  for (const std::wstring& file : InstalledFiles())
    EXPECT_EQ(Exists(file), file == dll) << Narrow(file);
  if (ClassViews().size() > 1) {
    EXPECT_FALSE(Exists(InstallFolder() + L"\\x86"));
  }
  ExpectNothingRegistered();
}

// As Explorer showing the toolbar holds it: a loaded module can be renamed,
// so it leaves the folder at once and the temporary folder at the restart.
TEST_F(InstallerTest, UninstallMovesALoadedDllOutOfTheWay) {
  ASSERT_EQ(Install(), 0u);
  const std::wstring dll = InstallFolder() + L"\\CORVANE.DLL";
  const std::string contents = ReadBytes(dll);
  HMODULE loaded = LoadLibraryW(dll.c_str());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Uninstall(), kRestartNeeded);
  FreeLibrary(loaded);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  bool movedAside = false;
  for (const auto& rename : PendingRenames())
    movedAside |= rename.second.empty() && rename.first.rfind(NtPath(temp), 0) == 0 &&
                  ReadBytes(rename.first.substr(4)) == contents;
  EXPECT_TRUE(movedAside) << "no DLL in the temporary folder due for removal";
  EXPECT_TRUE(GoesSoon(InstallFolder()));
  ExpectNothingRegistered();
}

TEST_F(InstallerTest, UpgradeKeepsTheSettingsAndReplacesADllInUse) {
  ASSERT_EQ(Install(), 0u);
  HideGoButton();
  {
    ChildProcess program(ProgramCommand());
    ASSERT_TRUE(StripAppears()) << "the program did not start";
    EXPECT_EQ(Install(), 0u);
    EXPECT_EQ(program.Wait(), 0u) << "the program was not closed";
  }
  for (const std::wstring& file : InstalledFiles()) EXPECT_TRUE(Exists(file)) << Narrow(file);

  const std::wstring dll = InstallFolder() + L"\\CORVANE.DLL";
  {
    HeldFile held(dll);
    EXPECT_EQ(Install(), kRestartNeeded);
  }
  EXPECT_TRUE(IsPending(PendingRenames(), NtPath(dll + L".new"), L"!" + NtPath(dll)))
      << "the new DLL does not replace the one in use";
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kSettingsKey, L"ShowGoButton"), L"0");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kEntryKey, L"DisplayName"), L"Corvane");
}

#ifdef _WIN64
// What needs the 32-bit side of 64-bit Windows: run only where this machine
// runs 32-bit code.
using InstallerOn64BitWindows = InstallerTest;

TEST_F(InstallerOn64BitWindows, ServesThe32BitDllTo32BitHosts) {
  ASSERT_EQ(Install(), 0u);
  EXPECT_EQ(ServerSeenBy(Environment(L"CORVANE_OTHER_ARCHITECTURE_PROBE")), ClassViews()[1].dll);
}

TEST_F(InstallerOn64BitWindows, The32BitInstallerRefusesToRun) {
  EXPECT_EQ(RunInstaller(Environment(L"CORVANE_OTHER_INSTALLER"), L""), kRefused);
  EXPECT_FALSE(Exists(InstallFolder()));
  ExpectNothingRegistered();
}
#endif

}  // namespace
}  // namespace corvane::test
