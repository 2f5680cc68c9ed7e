// The encoder's two passes must agree on every input: the writing pass fills
// exactly the units the counting pass promised, never more.
#include <cstdlib>
#include <memory>

#include "search/search_address.h"
#include "search/url_encoding.h"
#include "support/memory.h"
#include "tests/support/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string query = corvane::fuzzing::Bytes(data, size);
  std::size_t units = corvane::EncodedQueryLength(query.c_str());
  std::unique_ptr<char16_t[]> out(new char16_t[units + 1]);
  out[units] = 0;
  if (!corvane::WriteEncodedQuery(query.c_str(), out.get(), out.get() + units + 1) ||
      out[units] != 0)
    std::abort();
  for (std::size_t i = 0; i < units; ++i)
    if (out[i] < 0x20 || out[i] > 0x7E) std::abort();

  char16_t* address = nullptr;
  auto result = corvane::BuildSearchAddress(query.c_str(), u"co.uk", &address);
  if ((result == corvane::AddressResult::kNothingToSearch) != (units == 0)) std::abort();
  corvane::FreeMemory(address);
  return 0;
}
