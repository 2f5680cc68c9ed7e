#include "support/guid_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct Guid {
  unsigned long Data1;
  unsigned short Data2;
  unsigned short Data3;
  unsigned char Data4[8];
};

TEST(GuidFromText, ReadsEachGroupInOrder) {
  constexpr Guid guid = GuidFromText<Guid>(L"{59E5B916-B4DC-4C77-82b3-1A22AF7FBAE8}");
  EXPECT_EQ(guid.Data1, 0x59E5B916ul);
  EXPECT_EQ(guid.Data2, 0xB4DC);
  EXPECT_EQ(guid.Data3, 0x4C77);
  const unsigned char tail[] = {0x82, 0xB3, 0x1A, 0x22, 0xAF, 0x7F, 0xBA, 0xE8};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(guid.Data4[i], tail[i]) << i;
}

TEST(IsGuidText, OnlyTheRegistryForm) {
  EXPECT_TRUE(IsGuidText(L"{00021492-0000-0000-C000-000000000046}"));
  for (const wchar_t* text :
       {L"00021492-0000-0000-C000-000000000046", L"{00021492-0000-0000-C000-00000000004}",
        L"{00021492-0000-0000-C000-0000000000460}", L"{00021492+0000-0000-C000-000000000046}",
        L"{0002149G-0000-0000-C000-000000000046}", L""})
    EXPECT_FALSE(IsGuidText(text)) << text;
}

}  // namespace
}  // namespace corvane
