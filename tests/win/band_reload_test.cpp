// The module unloaded and loaded again at another address in the same
// process: the window class left behind by the first image must not be used.
#include <gtest/gtest.h>

#include "support/module_state.h"
#include "tests/support/win/test_support.h"
#include "tests/support/win/ui_support.h"

namespace corvane::test {
namespace {

// Sites a band from `dll` in `frame`, exercises its window, and lets it go.
void LiveOnce(HMODULE dll, HWND frame) {
  BandSite site(frame, true, true);
  IDeskBand* band = BandFrom(dll);
  ASSERT_NE(band, nullptr);
  ASSERT_EQ(program::SetBandSite(band, site.Unknown()), S_OK);
  band->ShowDW(TRUE);
  HWND window = nullptr;
  band->GetWindow(&window);
  ASSERT_NE(window, nullptr);
  SendMessageW(window, WM_SIZE, 0, MAKELPARAM(300, 30));
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(287, 15));
  PumpMessages();
  band->ShowDW(FALSE);
  band->CloseDW(0);
  program::SetBandSite(band, nullptr);
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
  const IMAGE_NT_HEADERS* nt = ImageHeadersOf(first);
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
}  // namespace corvane::test
