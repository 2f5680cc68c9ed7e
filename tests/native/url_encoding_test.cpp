#include "search/url_encoding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "search/search_address.h"
#include "support/memory.h"
#include "tests/support/native/failing_memory.h"

namespace corvane {
namespace {

std::u16string Encode(const std::string& utf8) {
  std::size_t units = EncodedQueryLength(utf8.c_str());
  // The counted units and the terminator's, exactly, on the heap, so that
  // AddressSanitizer sees any overrun; the terminator's unit stays untouched.
  std::unique_ptr<char16_t[]> out(new char16_t[units + 1]);
  out[units] = u'#';
  EXPECT_TRUE(WriteEncodedQuery(utf8.c_str(), out.get(), out.get() + units + 1));
  EXPECT_EQ(out[units], u'#');
  return std::u16string(out.get(), units);
}

std::u16string Widen(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// What one byte must become, written from the rule rather than the table.
std::string ExpectedForByte(unsigned char b) {
  bool alnum = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
  if (alnum || b == '*' || b == '-' || b == '.' || b == '_')
    return std::string(1, static_cast<char>(b));
  if (b == ' ' || b == '\t') return "+";
  if (b == '\n' || b == '\r') return "";
  char escaped[4];
  std::snprintf(escaped, sizeof escaped, "%%%02X", b);
  return escaped;
}

TEST(UrlEncoding, EveryByteBothPasses) {
  int literal = 0;
  for (int b = 1; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    std::string expected = ExpectedForByte(static_cast<unsigned char>(b));
    EXPECT_EQ(EncodedQueryLength(one.c_str()), expected.size()) << "byte " << b;
    EXPECT_EQ(Encode(one), Widen(expected)) << "byte " << b;
    if (Encode(one) == Widen(one)) ++literal;
  }
  EXPECT_EQ(literal, 66);
  EXPECT_EQ(EncodedQueryLength(""), 0u);
}

TEST(UrlEncoding, Examples) {
  const struct {
    const char* utf8;
    const char* encoded;
  } cases[] = {
      {"a b", "a+b"},
      {"a\tb", "a+b"},
      {"C++", "C%2B%2B"},
      {"~", "%7E"},
      {"x.y-z_*", "x.y-z_*"},
      {"\xC3\xBC", "%C3%BC"},
      {"\xE2\x82\xAC", "%E2%82%AC"},
      {"a\r\nb", "ab"},
      {" ", "+"},
      {"\r\n\r", ""},
      {"/?&=#%\"'", "%2F%3F%26%3D%23%25%22%27"},
  };
  for (const auto& c : cases) EXPECT_EQ(Encode(c.utf8), Widen(c.encoded)) << c.utf8;
}

// The band refuses a query from its text before any launch: exactly the
// queries whose encoded form is empty.
TEST(UrlEncoding, SomethingToSearchAsTheEncoderCounts) {
  const struct {
    const char16_t* query;
    const char* utf8;
  } cases[] = {
      {u"", ""},
      {u"\r\n\r", "\r\n\r"},
      {u"\n", "\n"},
      {u" ", " "},
      {u"\t", "\t"},
      {u"\r\na", "\r\na"},
      {u"\u00FC", "\xC3\xBC"},
      {u"\n\u20AC\r", "\n\xE2\x82\xAC\r"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HoldsSomethingToSearch(c.query), EncodedQueryLength(c.utf8) != 0) << c.utf8;
}

TEST(UrlEncoding, NothingIsWrittenAtOrPastTheLimit) {
  const struct {
    const char* utf8;
    int room;
    bool whole;
    const char16_t* written;
  } cases[] = {
      {"ab", 1, false, u"a"},   {"ab", 2, true, u"ab"}, {"~", 1, false, u""},
      {"~", 2, false, u""},     {"~", 3, true, u"%7E"}, {"a~", 3, false, u"a"},
      {"a\r\n", 1, true, u"a"}, {"\r", 0, true, u""},
  };
  for (const auto& c : cases) {
    char16_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(WriteEncodedQuery(c.utf8, buffer, buffer + c.room), c.whole) << c.utf8;
    std::u16string written(c.written);
    EXPECT_EQ(std::u16string(buffer, written.size()), written) << c.utf8;
    for (int i = static_cast<int>(written.size()); i < 8; ++i)
      EXPECT_EQ(buffer[i], u'#') << c.utf8 << " unit " << i;
  }
}

struct AddressCase {
  const char* utf8;
  const char16_t* suffix;
  AddressResult result;
  const char16_t* address;
};

TEST(SearchAddress, BuildsWholeAddresses) {
  const AddressCase cases[] = {
      {"a b", u"co.uk", AddressResult::kBuilt,
       u"https://www.google.co.uk/search?ie=UTF-8&oe=UTF-8&q=a+b"},
      {" ", u"com", AddressResult::kBuilt, u"https://www.google.com/search?ie=UTF-8&oe=UTF-8&q=+"},
      {"C++ \xC3\xBC", u"de", AddressResult::kBuilt,
       u"https://www.google.de/search?ie=UTF-8&oe=UTF-8&q=C%2B%2B+%C3%BC"},
      {"", u"com", AddressResult::kNothingToSearch, nullptr},
      {"\r\n\n", u"com", AddressResult::kNothingToSearch, nullptr},
  };
  for (const AddressCase& c : cases) {
    char16_t* address = reinterpret_cast<char16_t*>(1);
    EXPECT_EQ(BuildSearchAddress(c.utf8, c.suffix, &address), c.result);
    if (c.address == nullptr) {
      EXPECT_EQ(address, nullptr);
    } else {
      ASSERT_NE(address, nullptr);
      EXPECT_EQ(std::u16string(address), c.address);
    }
    FreeMemory(address);
  }
}

TEST(SearchAddress, LongQueriesAreNotCut) {
  std::string query;
  for (int i = 0; i < 64 * 1024 / 2; ++i) query += "\xC3\xBC";
  char16_t* address = nullptr;
  ASSERT_EQ(BuildSearchAddress("x", u"com", &address), AddressResult::kBuilt);
  const std::size_t prefixLength = std::u16string(address).size() - 1;
  FreeMemory(address);
  ASSERT_EQ(BuildSearchAddress(query.c_str(), u"com", &address), AddressResult::kBuilt);
  std::u16string text(address);
  EXPECT_EQ(text.size(), prefixLength + query.size() * 3);
  EXPECT_EQ(text.substr(text.size() - 6), u"%C3%BC");
  FreeMemory(address);
}

TEST(SearchAddress, FailedAllocationLeavesNothingBehind) {
  test::ResetAllocationCounters();
  test::FailAllocationAfter(0);
  char16_t* address = reinterpret_cast<char16_t*>(1);
  EXPECT_EQ(BuildSearchAddress("a", u"com", &address), AddressResult::kFailed);
  EXPECT_EQ(address, nullptr);
  EXPECT_EQ(test::LiveAllocations(), 0);
}

}  // namespace
}  // namespace corvane
