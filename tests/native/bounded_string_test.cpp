#include "support/bounded_string.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr char16_t kSentinel = u'#';

struct CopyCase {
  const char16_t* source;
  std::size_t capacity;
  std::size_t maxSource;
  Result expected;
  const char16_t* stored;  // nullptr: nothing written
};

class BoundedCopyTest : public ::testing::TestWithParam<CopyCase> {};

TEST_P(BoundedCopyTest, CopiesWithinCapacity) {
  const CopyCase& c = GetParam();
  char16_t buffer[16];
  std::fill(std::begin(buffer), std::end(buffer), kSentinel);
  Result r = c.maxSource == kMaxBoundedCount
                 ? BoundedCopy(buffer, c.capacity, c.source)
                 : BoundedCopyN(buffer, c.capacity, c.source, c.maxSource);
  EXPECT_EQ(r, c.expected);
  if (c.stored == nullptr) {
    EXPECT_EQ(buffer[0], kSentinel);
  } else {
    EXPECT_EQ(std::u16string(buffer), c.stored);
  }
  for (std::size_t i = c.capacity; i < 16; ++i) EXPECT_EQ(buffer[i], kSentinel);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoundedCopyTest,
    ::testing::Values(CopyCase{u"abc", 0, kMaxBoundedCount, kResultInvalidArg, nullptr},
                      CopyCase{u"abc", 4, kMaxBoundedCount, kResultOk, u"abc"},
                      CopyCase{u"abc", 3, kMaxBoundedCount, kResultInsufficientBuffer, u"ab"},
                      CopyCase{u"abc", 1, kMaxBoundedCount, kResultInsufficientBuffer, u""},
                      CopyCase{u"", 1, kMaxBoundedCount, kResultOk, u""},
                      CopyCase{u"abcdef", 10, 3, kResultOk, u"abc"},
                      CopyCase{u"abcdef", 3, 3, kResultInsufficientBuffer, u"ab"},
                      CopyCase{u"abcdef", 4, 3, kResultOk, u"abc"},
                      CopyCase{u"abcdef", 5, 0, kResultOk, u""},
                      CopyCase{u"ab", 5, 9, kResultOk, u"ab"}));

TEST(BoundedCopyLimits, RefusesHugeCapacityAndNullSource) {
  char16_t buffer[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
  EXPECT_EQ(BoundedCopy(buffer, kMaxBoundedCount + 1, u"a"), kResultInvalidArg);
  EXPECT_EQ(buffer[0], kSentinel);
  EXPECT_EQ(BoundedCopy(buffer, 4, static_cast<const char16_t*>(nullptr)), kResultInvalidArg);
  EXPECT_EQ(buffer[0], 0);
}

TEST(BoundedAppend, AppendsOnlyWhatFitsWhole) {
  char16_t path[8] = u"C:";
  EXPECT_TRUE(BoundedAppend(path, 8, u"\\ab"));
  EXPECT_EQ(std::u16string(path), u"C:\\ab");
  EXPECT_FALSE(BoundedAppend(path, 8, u"cde"));  // needs 9 units
  char16_t full[3] = {u'a', u'b', u'c'};         // no terminator within 3
  EXPECT_FALSE(BoundedAppend(full, 3, u""));
}

struct FormatCase {
  const char16_t* format;
  const char16_t* argument;  // nullptr: no argument passed
  std::size_t capacity;
  Result expected;
  const char16_t* stored;
};

class BoundedFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(BoundedFormatTest, FormatsWithinCapacity) {
  const FormatCase& c = GetParam();
  char16_t buffer[64];
  std::fill(std::begin(buffer), std::end(buffer), kSentinel);
  Result r = c.argument ? BoundedFormat(buffer, c.capacity, c.format, c.argument)
                        : BoundedFormat(buffer, c.capacity, c.format);
  EXPECT_EQ(r, c.expected);
  if (c.stored == nullptr) {
    EXPECT_EQ(buffer[0], kSentinel);
  } else {
    EXPECT_EQ(std::u16string(buffer), c.stored);
    if (r != kResultOk) EXPECT_EQ(buffer[c.capacity - 1], 0);
  }
  for (std::size_t i = c.capacity; i < 64; ++i) EXPECT_EQ(buffer[i], kSentinel);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoundedFormatTest,
    ::testing::Values(FormatCase{u"CLSID\\%38s", u"{59E5B916-B4DC-4C77-82B3-1A22AF7FBAE8}", 60,
                                 kResultOk, u"CLSID\\{59E5B916-B4DC-4C77-82B3-1A22AF7FBAE8}"},
                      FormatCase{u"[%5s]", u"ab", 20, kResultOk, u"[   ab]"},
                      FormatCase{u"[%1s]", u"abc", 20, kResultOk, u"[abc]"},
                      FormatCase{u"a%%b%s", u"c", 20, kResultOk, u"a%bc"},
                      FormatCase{u"http\\shell\\%s\\command", u"open", 30, kResultOk,
                                 u"http\\shell\\open\\command"},
                      FormatCase{u"abc", nullptr, 4, kResultOk, u"abc"},
                      FormatCase{u"abc", nullptr, 3, kResultInsufficientBuffer, u"ab"},
                      FormatCase{u"%10s", u"x", 5, kResultInsufficientBuffer, u"    "},
                      FormatCase{u"ab%d", nullptr, 20, kResultInsufficientBuffer, u"ab"},
                      FormatCase{u"ab%s", nullptr, 20, kResultInsufficientBuffer, u"ab"},
                      FormatCase{u"ab%", nullptr, 20, kResultInsufficientBuffer, u"ab"},
                      FormatCase{u"%ls", u"x", 20, kResultInsufficientBuffer, u""},
                      FormatCase{u"%-5s", u"x", 20, kResultInsufficientBuffer, u""},
                      FormatCase{u"abc", nullptr, 0, kResultInvalidArg, nullptr}));

TEST(BoundedFormat, RefusesCapacityAboveLimit) {
  char16_t buffer[4] = {kSentinel};
  EXPECT_EQ(BoundedFormat(buffer, kMaxBoundedCount + 1, u"a"), kResultInvalidArg);
  EXPECT_EQ(buffer[0], kSentinel);
}

TEST(BoundedFormat, NullArgumentIsAnErrorNotAText) {
  char16_t buffer[16];
  const char16_t* none = nullptr;
  EXPECT_EQ(BoundedFormat(buffer, 16, u"x%s", none), kResultInsufficientBuffer);
  EXPECT_EQ(std::u16string(buffer), u"x");
}

TEST(BoundedFormatEx, ReportsEndAndRemaining) {
  char16_t buffer[10];
  char16_t* end = nullptr;
  std::size_t remaining = 99;
  EXPECT_EQ(BoundedFormatEx(buffer, 10, &end, &remaining, 0, u"a%sc", u"b"), kResultOk);
  EXPECT_EQ(end, buffer + 3);
  EXPECT_EQ(*end, 0);
  EXPECT_EQ(remaining, 7u);

  EXPECT_EQ(BoundedFormatEx(buffer, 4, &end, &remaining, 0, u"abcd"), kResultInsufficientBuffer);
  EXPECT_EQ(end, buffer + 3);
  EXPECT_EQ(remaining, 1u);
  EXPECT_EQ(std::u16string(buffer), u"abc");

  // Exactly full: the terminator takes the last unit.
  EXPECT_EQ(BoundedFormatEx(buffer, 4, &end, &remaining, 0, u"abc"), kResultOk);
  EXPECT_EQ(end, buffer + 3);
  EXPECT_EQ(remaining, 1u);
  // Either address may be left out.
  EXPECT_EQ(BoundedFormatEx(buffer, 4, nullptr, nullptr, 0, u"ab"), kResultOk);
}

TEST(BoundedFormatEx, FlagsAndZeroCapacity) {
  char16_t buffer[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
  char16_t* end = nullptr;
  std::size_t remaining = 9;
  EXPECT_EQ(BoundedFormatEx(buffer, 4, &end, &remaining, 0x2000, u"a"), kResultInvalidArg);
  EXPECT_EQ(buffer[0], kSentinel);
  EXPECT_EQ(end, nullptr);
  EXPECT_EQ(BoundedFormatEx(buffer, 4, nullptr, nullptr, 0x1FFF, u"a"), kResultOk);
  buffer[0] = kSentinel;
  EXPECT_EQ(BoundedFormatEx(buffer, 0, &end, &remaining, 0, u""), kResultOk);
  EXPECT_EQ(BoundedFormatEx(buffer, 0, &end, &remaining, 0, u"a"), kResultInsufficientBuffer);
  EXPECT_EQ(buffer[0], kSentinel);
  EXPECT_EQ(remaining, 0u);
}

}  // namespace
}  // namespace corvane
