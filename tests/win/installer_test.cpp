// The installer of this architecture as an administrator meets it: run
// silently in the prefix, then its files, registry and uninstaller checked
// from outside. A file held open without delete sharing stands in for a
// Corvane.exe of another session that Windows can neither delete nor rename;
// a loaded CORVANE.DLL, and a band host that setup does not close, stand for
// the taskbar's band and its F12 hook.
#include <windows.h>
#include <aclapi.h>
#include <msi.h>
#include <msiquery.h>
#include <gtest/gtest.h>
#include <sddl.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "res/product.h"
#include "support/windows_handles.h"
#include "tests/support/win/test_support.h"
#include "tests/support/win/ui_support.h"

namespace corvane::test {
namespace {

const std::wstring kClassKey = std::wstring(L"Software\\Classes\\CLSID\\") + kBandClassId;
const wchar_t kSessionManagerKey[] = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingRenames[] = L"PendingFileRenameOperations";
// The Start menu's shortcuts, for all users.
const wchar_t* const kShortcuts[] = {L"\\Corvane.lnk", L"\\Corvane Settings.lnk"};
// Explorer's per-user cache of the desk band category, for each bitness.
const std::wstring kToolbarCaches[] = {
    std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Discardable\\PostSetup\\"
                 L"Component Categories\\") +
        kDeskBandCategoryId,
    std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Discardable\\PostSetup\\"
                 L"Component Categories64\\") +
        kDeskBandCategoryId};
constexpr DWORD kRestartNeeded = 3010;
constexpr DWORD kRefused = 2;
constexpr DWORD kInstallerTimeoutMs = 120000;
constexpr UINT kDisplayNameId = 306;
constexpr WORD kF12 = VK_F12, kKeyA = 'A';

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

bool IsPendingRemoval(const std::wstring& path) {
  for (const auto& rename : PendingRenames())
    if (rename.second.empty() &&
        (_wcsicmp(rename.first.c_str(), NtPath(path).c_str()) == 0 ||
         _wcsicmp(rename.first.c_str(), NtPath(path + L"\\").c_str()) == 0))
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

std::wstring ParentOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

std::vector<std::wstring> EntriesOf(const std::wstring& folder) {
  std::vector<std::wstring> entries;
  WIN32_FIND_DATAW found = {};
  UniqueFindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
  for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.Get(), &found))
    if (found.cFileName[0] != L'.') entries.push_back(found.cFileName);
  return entries;
}

// Makes `window` the shell's window, as Explorer's desktop is; not declared
// by the SDK, exported by user32.
bool MakeShellWindow(HWND window) {
  using SetShellWindow = BOOL(WINAPI*)(HWND);
  auto set = reinterpret_cast<SetShellWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetShellWindow")));
  return set != nullptr && set(window);
}

// The rights a folder grants Everyone, Users, Authenticated Users or the
// interactive users: what a standard user has there.
ACCESS_MASK RightsOfStandardUsers(const std::wstring& path) {
  PACL dacl = nullptr;
  UniqueLocalMemory descriptor;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, &dacl, nullptr, descriptor.Put()) != ERROR_SUCCESS)
    return GENERIC_ALL;
  ACCESS_MASK rights = 0;
  for (WORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace)) ||
        ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE)
      continue;
    PSID sid = &ace->SidStart;
    for (WELL_KNOWN_SID_TYPE type :
         {WinWorldSid, WinBuiltinUsersSid, WinAuthenticatedUserSid, WinInteractiveSid})
      if (IsWellKnownSid(sid, type)) rights |= ace->Mask;
  }
  return rights;
}

constexpr ACCESS_MASK kWriteRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                     FILE_WRITE_ATTRIBUTES | FILE_DELETE_CHILD | DELETE |
                                     WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

DWORD RunAndWait(const std::wstring& command) {
  return ChildProcess(command).Wait(kInstallerTimeoutMs);
}

DWORD RunInstaller(const std::wstring& installer, const std::wstring& options) {
  EXPECT_TRUE(Exists(installer)) << Narrow(installer) << " is missing: tools/dist.sh makes it";
  return RunAndWait(L"\"" + installer + L"\" /S " + options);
}

DWORD Install(const std::wstring& options = L"") {
  return RunInstaller(Environment(L"CORVANE_INSTALLER"), options);
}

// As "Apps & features" does it, quietly.
DWORD Uninstall() {
  std::wstring command = Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString");
  EXPECT_FALSE(command.empty()) << "no quiet uninstall command";
  return command.empty() ? kRefused : RunAndWait(command);
}

// One registration of the band: the registry view and the DLL it names.
struct ClassView {
  REGSAM view;
  std::wstring dll;
};

std::vector<ClassView> ClassViews() {
  std::vector<ClassView> views;
  for (REGSAM view : sizeof(void*) == 8 ? std::vector<REGSAM>{KEY_WOW64_64KEY, KEY_WOW64_32KEY}
                                        : std::vector<REGSAM>{0})
    views.push_back(
        {view, Value(HKEY_LOCAL_MACHINE, kClassKey + L"\\InprocServer32", nullptr, view)});
  return views;
}

std::wstring RegisteredDll() { return ClassViews()[0].dll; }

std::vector<std::wstring> InstalledFiles() {
  std::vector<std::wstring> files = {InstallFolder() + L"\\Corvane.exe",
                                     InstallFolder() + L"\\uninstall.exe"};
  for (const ClassView& view : ClassViews()) {
    files.push_back(view.dll);
    files.push_back(view.dll.substr(0, view.dll.rfind(L'\\') + 1) + kUiModuleFile);
  }
  return files;
}

// The user's setting, which no installer or silent uninstaller touches.
void HideGoButton() {
  DWORD hidden = 0;
  SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, L"ShowGoButton", REG_DWORD, &hidden,
                   sizeof hidden);
}

std::wstring ProgramCommand() { return L"\"" + InstallFolder() + L"\\Corvane.exe\""; }

bool StripAppears() {
  for (int tries = 0; tries < 100 && FindWindowW(kStripWindowClass, nullptr) == nullptr; ++tries)
    Sleep(100);
  return FindWindowW(kStripWindowClass, nullptr) != nullptr;
}

// Which file serves the band to a COM host built by `probe`.
std::wstring ServerSeenBy(const std::wstring& probe) {
  ScratchFolder scratch;
  std::wstring output = scratch.Child(L"server.txt");
  EXPECT_EQ(RunAndWait(L"\"" + probe + L"\" \"" + output + L"\""), 0u) << Narrow(probe);
  std::string bytes = ReadBytes(output);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()),
                      bytes.size() / sizeof(wchar_t));
}

// Keeps a file open without delete sharing, as a program of another session
// may hold it.
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
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
    for (const std::wstring& cache : kToolbarCaches)
      RegDeleteTreeW(HKEY_CURRENT_USER, cache.c_str());
    // Nothing here restarts: the pending operations go as they came.
    if (pendingBefore.empty())
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenames);
    else
      SetRegistryValue(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenames, REG_MULTI_SZ,
                       pendingBefore.data(),
                       static_cast<DWORD>(pendingBefore.size() * sizeof(wchar_t)));
  }

  static void RemoveInstallation() {
    if (KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) {
      std::wstring folder = Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation");
      Uninstall();
      GoesSoon(folder + L"\\uninstall.exe");
    }
    RemoveTree(InstallFolder());
  }

  void ExpectNothingRegistered() {
    for (const ClassView& view : ClassViews())
      EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kClassKey, view.view)) << "view " << view.view;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), L"");
    for (const wchar_t* shortcut : kShortcuts)
      EXPECT_FALSE(Exists(CommonProgramsFolder() + shortcut)) << Narrow(shortcut);
  }

  std::vector<wchar_t> pendingBefore;
};

TEST_F(InstallerTest, InstallsTheFilesTheBandClassesAndTheAppsEntry) {
  ASSERT_EQ(Install(), 0u);
  ULONGLONG bytes = 0;
  for (const std::wstring& file : InstalledFiles()) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_TRUE(GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) << Narrow(file);
    bytes += data.nFileSizeLow;
  }
  // The DLLs lie in a folder of this installation's own, named by its version.
  const std::wstring versionFolder = ParentOf(RegisteredDll());
  EXPECT_EQ(ParentOf(versionFolder), InstallFolder() + L"\\versions");
  const std::wstring version = FileVersionOf(RegisteredDll());
  EXPECT_EQ(versionFolder.substr(ParentOf(versionFolder).size() + 1, version.size() + 1),
            version + L"-");
  for (const ClassView& view : ClassViews()) {
    SCOPED_TRACE(Narrow(view.dll));
    std::wstring category = kClassKey + L"\\Implemented Categories\\" + kDeskBandCategoryId;
    EXPECT_EQ(view.dll, view.view == KEY_WOW64_32KEY ? versionFolder + L"\\x86\\CORVANE.DLL"
                                                     : versionFolder + L"\\CORVANE.DLL");
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kClassKey, nullptr, view.view), DisplayNameOf(view.dll));
    EXPECT_EQ(
        Value(HKEY_LOCAL_MACHINE, kClassKey + L"\\InprocServer32", L"ThreadingModel", view.view),
        L"Apartment");
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, category, view.view), 0u) << "no category key";
  }
  const std::wstring folder = InstallFolder();
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), kRunValue);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"Publisher"), L"Ostrand");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), version);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayIcon"), folder + L"\\Corvane.exe,0");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"),
            L"\"" + folder + L"\\uninstall.exe\" _?=" + folder);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"NoModify"), L"1");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"NoRepair"), L"1");
  // In KiB, rounded file by file.
  EXPECT_NEAR(std::stod(L"0" + Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"EstimatedSize")),
              bytes / 1024.0, static_cast<double>(InstalledFiles().size()));
  for (const wchar_t* shortcut : kShortcuts)
    EXPECT_TRUE(Exists(CommonProgramsFolder() + shortcut)) << Narrow(shortcut);
  // This Windows has toolbars: the program does not start with it unasked.
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), L"");

  EXPECT_EQ(ServerSeenBy(ProgramFolder() + L"\\class_probe.exe"), RegisteredDll());
}

// The machine's Run value starts Corvane for every user (each can decline
// in its menu); setup writes no user's Run value.
TEST_F(InstallerTest, StartsWithWindowsForEveryUserAsChosen) {
  const std::wstring command = ProgramCommand() + L" --startup";
  struct Step {
    const wchar_t* options;
    const wchar_t* runValue;
  } steps[] = {{L"/AUTOSTART=yes", command.c_str()},
               {L"", command.c_str()},  // an upgrade keeps the choice
               {L"/AUTOSTART=no", L""}};
  for (const Step& step : steps) {
    EXPECT_EQ(Install(step.options), 0u) << Narrow(std::wstring(step.options));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), step.runValue)
        << Narrow(std::wstring(step.options));
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kRunKey, kRunValue), L"");
  }
}

// Setup runs elevated, maybe as another account or as SYSTEM: per-user state
// is touched only where this setup runs as the user whose shell is on the
// screen (here: a shell window of this test's own).
TEST_F(InstallerTest, TouchesPerUserStateOnlyOfTheSignedInUser) {
  for (bool signedInUser : {false, true}) {
    SCOPED_TRACE(signedInUser ? "setup runs as the shell's user" : "no shell of this user");
    // The shell's window is never a topmost one.
    UniqueWindow shell(signedInUser ? CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 10, 10,
                                                      nullptr, nullptr, nullptr, nullptr)
                                    : nullptr);
    if (signedInUser) {
      ASSERT_TRUE(MakeShellWindow(shell.Get()));
    }
    for (const std::wstring& cache : kToolbarCaches)
      SetRegistryText(HKEY_CURRENT_USER, cache + L"\\Enum", L"Implementing", L"");
    // An earlier version's start value of the user's own.
    SetRegistryText(HKEY_CURRENT_USER, kRunKey, kRunValue, ProgramCommand());
    ASSERT_EQ(Install(), 0u);
    // So that the "Toolbars" menu lists the band the first time.
    for (const std::wstring& cache : kToolbarCaches)
      EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, cache), !signedInUser) << Narrow(cache);
    EXPECT_EQ(Uninstall(), 0u);
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kRunKey, kRunValue), signedInUser ? L"" : ProgramCommand());
  }
}

TEST_F(InstallerTest, UninstallClosesTheProgramAndLeavesOnlyTheSettings) {
  ASSERT_EQ(Install(L"/AUTOSTART=yes"), 0u);
  HideGoButton();
  ChildProcess program(ProgramCommand());
  ASSERT_TRUE(StripAppears()) << "the program did not start";

  EXPECT_EQ(Uninstall(), 0u);
  EXPECT_EQ(program.Wait(), 0u) << "the program was not closed";
  EXPECT_TRUE(GoesSoon(InstallFolder()));
  ExpectNothingRegistered();
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kSettingsKey, L"ShowGoButton"), L"0");

  // The copy that removed uninstall.exe ran from a folder that no standard
  // user can reach, and goes at the restart.
  std::wstring copy;
  for (const auto& rename : PendingRenames())
    if (rename.second.empty() && rename.first.size() > 18 &&
        _wcsicmp(rename.first.c_str() + rename.first.size() - 14, L"\\uninstall.exe") == 0)
      copy = rename.first.substr(4);
  ASSERT_FALSE(copy.empty()) << "no copy of the uninstaller due for removal";
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  EXPECT_EQ(_wcsicmp(ParentOf(ParentOf(copy)).c_str(), (std::wstring(windows) + L"\\Temp").c_str()),
            0)
      << Narrow(copy);
  EXPECT_EQ(RightsOfStandardUsers(ParentOf(copy)), 0u) << Narrow(copy);
  EXPECT_TRUE(IsPendingRemoval(ParentOf(copy)));
}

// A file that Windows cannot delete goes at the restart, and the uninstaller
// says so with its exit code. A loaded DLL stays where it is until then.
TEST_F(InstallerTest, UninstallRemovesFilesInUseAtTheNextRestart) {
  for (bool dllLoaded : {true, false}) {
    SCOPED_TRACE(dllLoaded ? "CORVANE.DLL loaded" : "Corvane.exe held");
    ASSERT_EQ(Install(), 0u);
    const std::wstring inUse = dllLoaded ? RegisteredDll() : InstallFolder() + L"\\Corvane.exe";
    const std::vector<std::wstring> files = InstalledFiles();
    const std::string contents = ReadBytes(inUse);
    HMODULE loaded = dllLoaded ? LoadLibraryW(inUse.c_str()) : nullptr;
    auto held = dllLoaded ? nullptr : std::make_unique<HeldFile>(inUse);
    EXPECT_EQ(Uninstall(), kRestartNeeded);
    held.reset();
    if (loaded != nullptr) FreeLibrary(loaded);
    EXPECT_TRUE(GoesSoon(InstallFolder() + L"\\uninstall.exe"));
    EXPECT_TRUE(ReadBytes(inUse) == contents) << "the file in use was moved";
    EXPECT_TRUE(IsPendingRemoval(inUse)) << "no removal of the file in use";
    EXPECT_TRUE(IsPendingRemoval(InstallFolder())) << "no removal of the folder";
    for (const std::wstring& file : files) {
      if (file == inUse) continue;
      EXPECT_FALSE(Exists(file)) << Narrow(file);
    }
    ExpectNothingRegistered();
    RemoveTree(InstallFolder());
  }
}

TEST_F(InstallerTest, UpgradeClosesTheProgramAndKeepsTheSettings) {
  ASSERT_EQ(Install(), 0u);
  HideGoButton();
  // What an earlier version kept beside the program: its DLLs, and a
  // replacement waiting for the restart.
  const std::vector<std::wstring> earlier = {InstallFolder() + L"\\CORVANE.DLL",
                                             InstallFolder() + L"\\CORVANE.DLL.new",
                                             InstallFolder() + L"\\x86\\CORVANE.DLL"};
  MakeFolder(InstallFolder() + L"\\x86");
  for (const std::wstring& file : earlier) WriteBytes(file, ReadBytes(RegisteredDll()));
  ChildProcess program(ProgramCommand());
  ASSERT_TRUE(StripAppears()) << "the program did not start";
  EXPECT_EQ(Install(), 0u);
  EXPECT_EQ(program.Wait(), 0u) << "the program was not closed";
  for (const std::wstring& file : InstalledFiles()) EXPECT_TRUE(Exists(file)) << Narrow(file);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kSettingsKey, L"ShowGoButton"), L"0");
  // Nothing held the earlier installations' DLLs: they are gone.
  EXPECT_EQ(EntriesOf(InstallFolder() + L"\\versions").size(), 1u);
  for (const std::wstring& file : earlier) EXPECT_FALSE(Exists(file)) << Narrow(file);
  EXPECT_FALSE(Exists(InstallFolder() + L"\\x86"));
}

// The taskbar keeps its band, and with it the F12 hook, across setup: the
// hook goes on loading the DLL by the path it was set with into every
// program that starts later. Whatever setup does then, a program started
// afterwards and typed into still gets the hook of the band that is alive.
TEST_F(InstallerTest, AnUpgradeLeavesALiveBandItsDll) {
  struct Case {
    const char* what;
    std::wstring installer;
    bool removeFirst;
  } cases[] = {
      {"a build whose code lies elsewhere", Environment(L"CORVANE_RELAID_INSTALLER"), false},
      {"the same build over itself", Environment(L"CORVANE_INSTALLER"), false},
      {"removed, then installed again", Environment(L"CORVANE_INSTALLER"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(Install(), 0u);
    const std::wstring liveDll = RegisteredDll();
    const std::string liveContents = ReadBytes(liveDll);
    ScratchFolder scratch;
    const std::wstring status = scratch.Child(L"status"), keys = scratch.Child(L"keys");
    ChildProcess host(L"\"" + ProgramFolder() + L"\\band_host.exe\" --status \"" + status +
                      L"\" --exit-after-ms 60000");
    ASSERT_TRUE(WaitForText(status, "focus=")) << "the band host did not start";

    if (c.removeFirst) {
      EXPECT_EQ(Uninstall(), kRestartNeeded);
    }
    EXPECT_EQ(RunInstaller(c.installer, L""), kRestartNeeded);
    EXPECT_NE(RegisteredDll(), liveDll);
    EXPECT_TRUE(ReadBytes(liveDll) == liveContents) << "the live band's DLL was replaced";

    ChildProcess target(L"\"" + ProgramFolder() + L"\\key_target.exe\" \"" + keys + L"\"");
    HWND window = nullptr;
    for (int tries = 0; tries < 100 && window == nullptr; ++tries, Sleep(50))
      window = FindWindowW(L"CorvaneKeyTarget", nullptr);
    ASSERT_NE(window, nullptr) << "the new program did not start";
    Activate(window);
    SendKeys({kKeyA});
    ASSERT_TRUE(WaitForText(keys, "up 65")) << "the new program was not typed into";
    SendKeys({kF12});
    EXPECT_TRUE(WaitForText(status, "focus=search")) << "F12 did not reach the band";
    EXPECT_EQ(ReadBytes(keys).find(" 123\n"), std::string::npos) << "F12 reached the program";
  }
}

// What could hurt is refused, and nothing is changed: a folder that holds
// other files, a second installation elsewhere, an older version over a
// newer one (unless asked for).
TEST_F(InstallerTest, RefusesWhatCouldHurt) {
  ScratchFolder scratch;
  const std::wstring theirs = scratch.Child(L"theirs.txt");
  WriteBytes(theirs, "their own");
  EXPECT_EQ(Install(L"/D=" + scratch.Path()), kRefused);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_EQ(ReadBytes(theirs), "their own");
  EXPECT_FALSE(Exists(scratch.Child(L"Corvane.exe")));

  ASSERT_EQ(Install(), 0u);
  const std::wstring installed = RegisteredDll();
  MakeFolder(scratch.Child(L"elsewhere"));
  EXPECT_EQ(Install(L"/D=" + scratch.Child(L"elsewhere")), kRefused);
  EXPECT_EQ(RegisteredDll(), installed);

  SetRegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion", L"99.0.0.0");
  EXPECT_EQ(Install(), kRefused);
  EXPECT_EQ(RegisteredDll(), installed);
  EXPECT_EQ(Install(L"/ALLOWDOWNGRADE"), 0u);
  EXPECT_NE(RegisteredDll(), installed);
}

// Chosen by an administrator, a folder that standard users may change (a
// new folder at a drive's root inherits that) gets a permission of its own.
TEST_F(InstallerTest, GivesItsFolderWritableOnlyByAdministrators) {
  ScratchFolder scratch;
  const std::wstring folder = scratch.Child(kRunValue);
  MakeFolder(folder);
  UniqueLocalMemory everyone;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
      L"D:(A;OICI;FA;;;WD)", SDDL_REVISION_1, everyone.Put(), nullptr));
  ASSERT_TRUE(SetFileSecurityW(folder.c_str(), DACL_SECURITY_INFORMATION, everyone.Get()));
  ASSERT_NE(RightsOfStandardUsers(folder) & kWriteRights, 0u);

  ASSERT_EQ(Install(L"/D=" + folder), 0u);
  EXPECT_EQ(ParentOf(ParentOf(ParentOf(RegisteredDll()))), folder);
  for (const std::wstring& path : {folder, ParentOf(RegisteredDll())})
    EXPECT_EQ(RightsOfStandardUsers(path) & kWriteRights, 0u) << Narrow(path);
  EXPECT_EQ(Uninstall(), 0u);
  EXPECT_TRUE(GoesSoon(folder));
}

// A folder that others could change is refused, and nothing is installed: a
// "versions" folder that setup did not make (a standard user who made it
// beforehand would own it, and what setup put into it), and a folder on the
// way that leads elsewhere. (Wine makes no junctions, but shows a Unix
// symbolic link as one: the test's fixture makes C:\corvane-linked so. Wine
// keeps no owners, so the owner setup gives its folders is not read back.)
TEST_F(InstallerTest, RefusesAFolderThatOthersCouldChange) {
  ScratchFolder scratch;
  const std::wstring folder = scratch.Child(kRunValue);
  MakeFolder(folder);
  MakeFolder(folder + L"\\versions");
  EXPECT_EQ(Install(L"/D=" + folder), kRefused);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(Exists(folder + L"\\Corvane.exe"));
  EXPECT_TRUE(EntriesOf(folder + L"\\versions").empty());

  ASSERT_TRUE(Exists(L"C:\\corvane-linked")) << "made by the test's fixture";
  EXPECT_EQ(Install(L"/D=C:\\corvane-linked\\Corvane"), kRefused);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(Exists(L"C:\\corvane-linked\\Corvane"));
}

// One setup at a time: for all users its lock is a file in Program Files,
// which only administrators can make. A setup waits while another holds it
// and goes on once it is free; a named object that anyone can make first
// (the name of the lock of earlier versions) holds no setup up.
TEST_F(InstallerTest, OneSetupAtATimeWhichNoOneElseCanHoldUp) {
  wchar_t programFiles[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles);
  const std::wstring lock = std::wstring(programFiles) + L"\\" + kSetupLockFile;
  {
    UniqueFile held(CreateFileW(lock.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    ASSERT_TRUE(held);
    ChildProcess setup(L"\"" + Environment(L"CORVANE_INSTALLER") + L"\" /S");
    EXPECT_EQ(setup.Wait(1500), static_cast<DWORD>(STILL_ACTIVE)) << "did not wait";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    held.Reset();
    EXPECT_EQ(setup.Wait(kInstallerTimeoutMs), 0u);
  }
  EXPECT_FALSE(Exists(lock)) << "the lock stayed";
  UniqueKernelObject squatted(CreateMutexW(nullptr, TRUE, kSetupMutex));
  ASSERT_TRUE(squatted);
  EXPECT_EQ(Uninstall(), 0u);
  EXPECT_EQ(Install(), 0u);
}

// Installed for one user, without administrator rights: the user's own
// programs folder, classes, start and "Apps & features" entry.
std::wstring UserInstallFolder() {
  wchar_t folder[MAX_PATH] = {};
  ExpandEnvironmentStringsW(L"%LOCALAPPDATA%\\Programs\\Corvane", folder, MAX_PATH);
  return folder;
}

const wchar_t kRunOnceKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The values the per-user setup left in the user's RunOnce key, and their
// commands for the next sign-in.
std::vector<std::wstring> CleanupValueNames() {
  std::vector<std::wstring> names;
  UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunOnceKey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
    return names;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = ARRAYSIZE(name);
    if (RegEnumValueW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    if (std::wstring(name).rfind(L"Corvane cleanup", 0) == 0) names.push_back(name);
  }
  return names;
}

std::vector<std::wstring> CommandsAtSignIn() {
  std::vector<std::wstring> commands;
  for (const std::wstring& name : CleanupValueNames())
    commands.push_back(Value(HKEY_CURRENT_USER, kRunOnceKey, name.c_str()));
  return commands;
}

std::string ManifestOf(const std::wstring& program) {
  HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC found =
      module != nullptr ? FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST) : nullptr;
  std::string text;
  if (found != nullptr)
    text.assign(static_cast<const char*>(LockResource(LoadResource(module, found))),
                SizeofResource(module, found));
  if (module != nullptr) FreeLibrary(module);
  return text;
}

class UserInstallerTest : public InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    RemoveUserInstallation();
  }
  void TearDown() override {
    RemoveUserInstallation();
    for (const std::wstring& name : CleanupValueNames())
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunOnceKey, name.c_str());
    InstallerTest::TearDown();
  }

  static DWORD InstallForUser(const std::wstring& options = L"") {
    return RunInstaller(Environment(L"CORVANE_USER_INSTALLER"), options);
  }

  static DWORD UninstallForUser() {
    std::wstring command = Value(HKEY_CURRENT_USER, kUninstallKey, L"QuietUninstallString");
    EXPECT_FALSE(command.empty()) << "no quiet uninstall command for the user";
    return command.empty() ? kRefused : RunAndWait(command);
  }

  static void RemoveUserInstallation() {
    if (KeyExists(HKEY_CURRENT_USER, kUninstallKey)) {
      UninstallForUser();
      GoesSoon(UserInstallFolder() + L"\\uninstall.exe");
    }
    RemoveTree(UserInstallFolder());
  }

  // The user's classes of each bitness: 64-bit Windows keeps the 32-bit side
  // in Wow6432Node beneath them.
  static std::vector<std::wstring> UserClassKeys() {
    const std::wstring classKey = kClassKey.substr(kClassKey.find(L"CLSID"));
    std::vector<std::wstring> keys = {L"Software\\Classes\\" + classKey};
    if (sizeof(void*) == 8) keys.push_back(L"Software\\Classes\\Wow6432Node\\" + classKey);
    return keys;
  }
  static std::vector<std::wstring> UserDlls() {
    std::vector<std::wstring> dlls;
    for (const std::wstring& key : UserClassKeys())
      dlls.push_back(Value(HKEY_CURRENT_USER, key + L"\\InprocServer32", nullptr));
    return dlls;
  }

  static std::wstring UserShortcut() {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::wstring(folder) + L"\\Corvane.lnk";
  }

  void ExpectNothingOfTheUsers() {
    for (const std::wstring& key : UserClassKeys())
      EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key)) << Narrow(key);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kRunKey, kRunValue), L"");
    EXPECT_FALSE(Exists(UserShortcut()));
  }
};

TEST_F(UserInstallerTest, InstallsAndRemovesForOneUserWithoutAdministratorRights) {
  const std::wstring folder = UserInstallFolder();
  EXPECT_NE(ManifestOf(Environment(L"CORVANE_USER_INSTALLER")).find("level=\"asInvoker\""),
            std::string::npos)
      << "setup asks for elevation";
  ASSERT_EQ(InstallForUser(L"/AUTOSTART=yes"), 0u);
  const std::vector<std::wstring> dlls = UserDlls();
  EXPECT_EQ(ParentOf(ParentOf(dlls[0])), folder + L"\\versions");
  if (dlls.size() == 2) {
    EXPECT_EQ(dlls[1], ParentOf(dlls[0]) + L"\\x86\\CORVANE.DLL");
  }
  for (const std::wstring& dll : dlls) {
    EXPECT_TRUE(Exists(dll)) << Narrow(dll);
    EXPECT_TRUE(Exists(ParentOf(dll) + L"\\" + kUiModuleFile)) << Narrow(dll);
  }
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation"), folder);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"), kRunValue);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kRunKey, kRunValue),
            L"\"" + folder + L"\\Corvane.exe\" --startup");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), L"");
  EXPECT_TRUE(Exists(UserShortcut()));

  EXPECT_EQ(UninstallForUser(), 0u);
  EXPECT_TRUE(GoesSoon(folder));
  ExpectNothingOfTheUsers();
  // Only the copy that removed uninstall.exe, from the user's own temporary
  // folder, is left for the next sign-in, as it would be for the restart.
  wchar_t temporary[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temporary);
  for (const std::wstring& command : CommandsAtSignIn())
    EXPECT_NE(command.find(L"\"" + std::wstring(temporary)), std::wstring::npos) << Narrow(command);
}

// The same guarantees as for all users: an upgrade never replaces the DLL a
// live band holds, and what is in use goes at the next sign-in (a user
// cannot ask for the restart), with the exit code that says so.
TEST_F(UserInstallerTest, LeavesAHeldDllAloneAndRemovesItAtTheNextSignIn) {
  ASSERT_EQ(InstallForUser(), 0u);
  const std::wstring liveDll = UserDlls()[0];
  const std::string contents = ReadBytes(liveDll);
  HMODULE loaded = LoadLibraryW(liveDll.c_str());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(InstallForUser(), kRestartNeeded);
  EXPECT_NE(UserDlls()[0], liveDll);
  EXPECT_TRUE(ReadBytes(liveDll) == contents) << "the live band's DLL was replaced";
  EXPECT_EQ(UninstallForUser(), kRestartNeeded);
  FreeLibrary(loaded);
  EXPECT_TRUE(GoesSoon(UserInstallFolder() + L"\\uninstall.exe"));
  ExpectNothingOfTheUsers();
  const std::vector<std::wstring> commands = CommandsAtSignIn();
  bool removesDll = false;
  for (const std::wstring& command : commands)
    removesDll =
        removesDll || command.find(L"del /f /q \"" + liveDll + L"\"") != std::wstring::npos;
  EXPECT_TRUE(removesDll) << "nothing removes the held DLL at the next sign-in";
  EXPECT_FALSE(IsPendingRemoval(liveDll)) << "a user's setup asked for the restart";
}

TEST_F(UserInstallerTest, StopsWhereCorvaneIsInstalledForAllUsers) {
  ASSERT_EQ(Install(), 0u);
  EXPECT_EQ(InstallForUser(), kRefused);
  EXPECT_FALSE(Exists(UserInstallFolder()));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  for (const std::wstring& key : UserClassKeys())
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key)) << Narrow(key);
}

// The MSI packages, as a deployment tool runs them: msiexec, silently.
class MsiTest : public InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    RemoveMsiInstallation();
  }
  void TearDown() override {
    RemoveMsiInstallation();
    InstallerTest::TearDown();
  }

  static DWORD Msiexec(const wchar_t* action, const std::wstring& package) {
    EXPECT_TRUE(Exists(package)) << Narrow(package) << " is missing: tools/dist.sh makes it";
    return RunAndWait(L"msiexec.exe " + std::wstring(action) + L" \"" + package + L"\" /qn");
  }

  // The installed package's product, found by the upgrade code all its
  // versions share; "" when none is installed.
  static std::wstring InstalledProduct() {
    wchar_t product[39] = {};
    return MsiEnumRelatedProductsW(kMsiUpgradeCode, 0, 0, product) == ERROR_SUCCESS ? product : L"";
  }

  static void RemoveMsiInstallation() {
    for (std::wstring product = InstalledProduct(); !product.empty(); product = InstalledProduct())
      if (RunAndWait(L"msiexec.exe /x " + product + L" /qn") > kRestartNeeded) break;
  }

  // Windows Installer puts a package for all users' shortcuts into the
  // common Start menu; Wine's into the installing user's (measured).
  static bool ShortcutExists(const wchar_t* shortcut) {
    wchar_t user[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, user);
    return Exists(CommonProgramsFolder() + shortcut) || Exists(user + std::wstring(shortcut));
  }

  static std::wstring AppsEntry(const wchar_t* name) {
    return Value(HKEY_LOCAL_MACHINE,
                 L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + InstalledProduct(),
                 name);
  }
};

// Installed, upgraded by a newer package and removed, each silently: the
// same files, classes and shortcuts as setup's, the DLLs in a folder of
// their version's own, one entry in "Apps & features", nothing left.
TEST_F(MsiTest, InstallsUpgradesAndRemovesSilently) {
  const std::wstring package = Environment(L"CORVANE_MSI");
  ASSERT_EQ(Msiexec(L"/i", package), 0u);
  const std::wstring version = FileVersionOf(RegisteredDll());
  EXPECT_EQ(ParentOf(RegisteredDll()), InstallFolder() + L"\\versions\\" + version);
  for (const std::wstring& file : InstalledFiles())
    if (file.find(L"uninstall.exe") == std::wstring::npos) {
      EXPECT_TRUE(Exists(file)) << Narrow(file);
    }
  for (const ClassView& view : ClassViews()) {
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kClassKey, nullptr, view.view), DisplayNameOf(view.dll));
    EXPECT_EQ(
        Value(HKEY_LOCAL_MACHINE, kClassKey + L"\\InprocServer32", L"ThreadingModel", view.view),
        L"Apartment");
  }
  for (const wchar_t* shortcut : kShortcuts)
    EXPECT_TRUE(ShortcutExists(shortcut)) << Narrow(shortcut);
  EXPECT_EQ(AppsEntry(L"DisplayName"), kRunValue);
  EXPECT_EQ(ServerSeenBy(ProgramFolder() + L"\\class_probe.exe"), RegisteredDll());
  const std::wstring olderDll = RegisteredDll(), olderProduct = InstalledProduct();

  ASSERT_EQ(Msiexec(L"/i", Environment(L"CORVANE_NEWER_MSI")), 0u);
  EXPECT_NE(InstalledProduct(), olderProduct);
  EXPECT_NE(RegisteredDll(), olderDll);
  EXPECT_TRUE(Exists(RegisteredDll()));
  EXPECT_FALSE(Exists(ParentOf(olderDll))) << "the older version stayed";
  EXPECT_EQ(EntriesOf(InstallFolder() + L"\\versions").size(), 1u);

  EXPECT_EQ(RunAndWait(L"msiexec.exe /x " + InstalledProduct() + L" /qn"), 0u);
  EXPECT_EQ(InstalledProduct(), L"");
  EXPECT_FALSE(Exists(InstallFolder()));
  ExpectNothingRegistered();
  for (const wchar_t* shortcut : kShortcuts)
    EXPECT_FALSE(ShortcutExists(shortcut)) << Narrow(shortcut);
}

// Started with Windows for every user only when asked (this Windows has
// toolbars), kept by an upgrade, gone with the package. (A file in use goes
// at the restart with exit code 3010 under Windows Installer; Wine's
// msiexec neither schedules nor reports one, as measured, so that is not
// tested here.)
TEST_F(MsiTest, StartsWithWindowsWhenAskedAndKeepsItOnUpgrade) {
  const std::wstring command = ProgramCommand() + L" --startup";
  ASSERT_EQ(Msiexec(L"/i", Environment(L"CORVANE_MSI")), 0u);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), L"");
  RemoveMsiInstallation();
  ASSERT_EQ(
      RunAndWait(L"msiexec.exe /i \"" + Environment(L"CORVANE_MSI") + L"\" /qn AUTOSTART=yes"), 0u);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), command);
  ASSERT_EQ(Msiexec(L"/i", Environment(L"CORVANE_NEWER_MSI")), 0u);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), command) << "lost on upgrade";
  RemoveMsiInstallation();
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), L"");
}

// A property of a built package, "" when it has none.
std::wstring PackageProperty(const std::wstring& package, const wchar_t* name) {
  MSIHANDLE database = 0, view = 0, record = 0;
  std::wstring value;
  if (MsiOpenDatabaseW(package.c_str(), MSIDBOPEN_READONLY, &database) == ERROR_SUCCESS &&
      MsiDatabaseOpenViewW(database, L"SELECT `Value` FROM `Property` WHERE `Property` = ?",
                           &view) == ERROR_SUCCESS) {
    MSIHANDLE which = MsiCreateRecord(1);
    MsiRecordSetStringW(which, 1, name);
    if (MsiViewExecute(view, which) == ERROR_SUCCESS &&
        MsiViewFetch(view, &record) == ERROR_SUCCESS) {
      wchar_t text[64] = {};
      DWORD units = ARRAYSIZE(text);
      if (MsiRecordGetStringW(record, 1, text, &units) == ERROR_SUCCESS) value = text;
      MsiCloseHandle(record);
    }
    MsiCloseHandle(which);
  }
  if (view != 0) MsiCloseHandle(view);
  if (database != 0) MsiCloseHandle(database);
  return value;
}

// The process of the strip in sight, 0 for none.
DWORD StripProcess() {
  HWND strip = FindWindowW(kStripWindowClass, nullptr);
  DWORD process = 0;
  if (strip != nullptr) GetWindowThreadProcessId(strip, &process);
  return process;
}

// Windows Installer closes no program for the packages (its Restart Manager
// would close Explorer and every program F12's hook reached): an upgrade
// closes Corvane.exe itself, as setup does, and starts it again, not
// elevated.
TEST_F(MsiTest, AnUpgradeClosesTheProgramItselfAndStartsItAgain) {
  for (const wchar_t* package : {L"CORVANE_MSI", L"CORVANE_NEWER_MSI"})
    EXPECT_EQ(PackageProperty(Environment(package), L"MSIRESTARTMANAGERCONTROL"), L"Disable");
  ASSERT_EQ(Msiexec(L"/i", Environment(L"CORVANE_MSI")), 0u);
  ChildProcess program(ProgramCommand());
  ASSERT_TRUE(StripAppears()) << "the program did not start";
  ASSERT_EQ(Msiexec(L"/i", Environment(L"CORVANE_NEWER_MSI")), 0u);
  EXPECT_EQ(program.Wait(), 0u) << "the program was not closed";
  DWORD again = 0;
  for (int tries = 0; tries < 100 && (again = StripProcess()) == 0; ++tries) Sleep(100);
  EXPECT_NE(again, 0u) << "the program was not started again";
  EXPECT_NE(again, program.Id());
  RemoveMsiInstallation();
  EXPECT_EQ(FindWindowW(kStripWindowClass, nullptr), nullptr) << "the removal left it running";
}

// Every user's taskbar loads the band from the package's folder: one that
// standard users may change is refused, and nothing is installed.
TEST_F(MsiTest, RefusesAFolderOutsideProgramFiles) {
  ScratchFolder scratch;
  const std::wstring elsewhere = scratch.Child(L"Corvane\\");
  constexpr DWORD kInstallFailure = 1603;
  EXPECT_EQ(RunAndWait(L"msiexec.exe /i \"" + Environment(L"CORVANE_MSI") +
                       L"\" /qn INSTALLDIR=\"" + elsewhere + L"\""),
            kInstallFailure);
  EXPECT_EQ(InstalledProduct(), L"");
  EXPECT_FALSE(Exists(elsewhere + kProgramFile));
}

// Two installations would register the band twice: the package and setup
// (for all users or for one) each refuse beside the other.
TEST_F(MsiTest, PackageAndSetupRefuseBesideEachOther) {
  ASSERT_EQ(Install(), 0u);
  const std::wstring installed = RegisteredDll();
  EXPECT_NE(Msiexec(L"/i", Environment(L"CORVANE_MSI")), 0u);
  EXPECT_EQ(InstalledProduct(), L"");
  EXPECT_EQ(RegisteredDll(), installed);
  RemoveInstallation();

  ASSERT_EQ(Msiexec(L"/i", Environment(L"CORVANE_MSI")), 0u);
  const std::wstring packaged = RegisteredDll();
  for (const wchar_t* setup : {L"CORVANE_INSTALLER", L"CORVANE_USER_INSTALLER"}) {
    EXPECT_EQ(RunInstaller(Environment(setup), L""), kRefused) << Narrow(std::wstring(setup));
    EXPECT_EQ(RegisteredDll(), packaged);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  }
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
