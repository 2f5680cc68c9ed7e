// The module unloaded and loaded again at another address in the same
// process: the window class left behind by the first image must not be used.
#include <gtest/gtest.h>

#include "module/module_state.h"
#include "tests/win/band_host.h"
#include "tests/win/test_support.h"

namespace corvane::testing {
namespace {

// Sites a band from `dll` in `frame`, exercises its window, and lets it go.
void LiveOnce(HMODULE dll, HWND frame) {
  TestSite site(frame, true, true);
  IDeskBand* band = CreateBandFrom(dll);
  ASSERT_NE(band, nullptr);
  IObjectWithSite* withSite = Query<IObjectWithSite>(band, IID_IObjectWithSite);
  ASSERT_EQ(withSite->SetSite(site.Unknown()), S_OK);
  band->ShowDW(TRUE);
  HWND window = nullptr;
  band->GetWindow(&window);
  ASSERT_NE(window, nullptr);
  SendMessageW(window, WM_SIZE, 0, MAKELPARAM(300, 30));
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(287, 15));
  PumpMessages();
  band->ShowDW(FALSE);
  band->CloseDW(0);
  withSite->SetSite(nullptr);
  withSite->Release();
  EXPECT_EQ(band->Release(), 0u);
}

TEST(ModuleReload, ANewImageMakesItsWindowsFromItsOwnCode) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  HWND frame = CreateFrame(300, 30);
  std::wstring path = ProgramFolder() + L"\\CORVANE.DLL";
  HMODULE first = LoadLibraryW(path.c_str());
  ASSERT_NE(first, nullptr);
  LiveOnce(first, frame);
  MEMORY_BASIC_INFORMATION image = {};
  VirtualQuery(first, &image, sizeof image);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      reinterpret_cast<BYTE*>(first) + reinterpret_cast<IMAGE_DOS_HEADER*>(first)->e_lfanew);
  SIZE_T imageSize = nt->OptionalHeader.SizeOfImage;
  ASSERT_TRUE(FreeLibrary(first));

  // Keep the old address taken, so that the module must load elsewhere.
  void* blocker = VirtualAlloc(first, imageSize, MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_EQ(blocker, static_cast<void*>(first));
  HMODULE second = LoadLibraryW(path.c_str());
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  LiveOnce(second, frame);  // a stale class would crash here
  FreeLibrary(second);
  VirtualFree(blocker, 0, MEM_RELEASE);
  DestroyWindow(frame);
}

}  // namespace
}  // namespace corvane::testing
