// The Go-button setting on the registry of the Wine prefix (HKEY_CURRENT_USER
// redirected to a scratch key).
#include "res/product.h"
#include "support/settings_store.h"

#include <gtest/gtest.h>

#include "tests/support/win/test_support.h"

namespace corvane {
namespace {

using test::ScratchRegistryRoot;
using test::SetRegistryValue;

constexpr BOOL kUntouched = 42;

struct StoredCase {
  DWORD type;
  std::vector<BYTE> data;
  BOOL found;
  BOOL show;
};

TEST(ReadShowGoButton, ValidOnlyAsAFourByteDword) {
  const StoredCase cases[] = {
      {REG_DWORD, {0, 0, 0, 0}, TRUE, FALSE},
      {REG_DWORD, {7, 0, 0, 0}, TRUE, TRUE},
      {REG_DWORD, {0, 0, 0, 1}, TRUE, TRUE},
      {REG_SZ, {'0', 0, 0, 0}, FALSE, kUntouched},
      {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, FALSE, kUntouched},
      {REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}, FALSE, kUntouched},
      {REG_BINARY, {1, 0}, FALSE, kUntouched},
      {REG_DWORD, {1, 0}, FALSE, kUntouched},
  };
  for (const StoredCase& c : cases) {
    ScratchRegistryRoot user(HKEY_CURRENT_USER);
    SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kShowGoButtonValue, c.type, c.data.data(),
                     static_cast<DWORD>(c.data.size()));
    BOOL show = kUntouched;
    EXPECT_EQ(ReadShowGoButton(&show), c.found) << c.type << "/" << c.data.size();
    EXPECT_EQ(show, c.show) << c.type << "/" << c.data.size();
    if (c.found) {
      EXPECT_EQ(ReadShowGoButton(nullptr), TRUE);
    }
  }
}

TEST(ReadShowGoButton, MissingKeyOrValue) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  BOOL show = kUntouched;
  EXPECT_FALSE(ReadShowGoButton(&show));
  test::SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"Other", L"1");
  EXPECT_FALSE(ReadShowGoButton(&show));
  EXPECT_EQ(show, kUntouched);
}

TEST(WriteShowGoButton, CreatesTheKeyAndStoresZeroOrOne) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  EXPECT_TRUE(WriteShowGoButton(5));
  DWORD value = 99, size = sizeof value, type = 0;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kShowGoButtonValue, RRF_RT_ANY, &type,
                         &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(value, 1u);
  EXPECT_TRUE(WriteShowGoButton(FALSE));
  BOOL show = kUntouched;
  EXPECT_TRUE(ReadShowGoButton(&show));
  EXPECT_EQ(show, FALSE);
}

}  // namespace
}  // namespace corvane
