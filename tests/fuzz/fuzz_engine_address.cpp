// Whatever an engine's stored address, a typed text or a query holds, what
// is opened is a web address of printable ASCII that cannot break out of a
// browser's command line (no quote, no space), or nothing at all.
#include <cstdlib>
#include <string>

#include "search/engine_template.h"
#include "search/keyword_query.h"
#include "search/typed_address.h"
#include "search/web_scheme.h"
#include "support/memory.h"
#include "tests/support/fuzz/fuzz_input.h"

namespace {

void CheckOpened(corvane::AddressResult result, char16_t* address) {
  corvane::UniqueMemory<char16_t> owned(address);
  if ((result == corvane::AddressResult::kBuilt) != (address != nullptr)) std::abort();
  if (address == nullptr) return;
  std::string narrow;
  for (const char16_t* p = address; *p != 0; ++p) {
    if (*p <= 0x20 || *p >= 0x7F || *p == u'"') std::abort();
    narrow += static_cast<char>(*p);
  }
  if (corvane::WebSchemeLength(narrow.c_str()) == 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte says where the engine's address ends and the query begins.
  if (size == 0) return 0;
  std::size_t split = 1 + data[0] % size;
  std::string engine = corvane::fuzzing::Bytes(data + 1, split - 1);
  std::string query = corvane::fuzzing::Bytes(data + split, size - split);

  char16_t* address = nullptr;
  auto result = corvane::BuildEngineAddress(engine.c_str(), query.c_str(), &address);
  bool usable = corvane::CheckEngineTemplate(engine.c_str()) == corvane::TemplateCheck::kUsable;
  if (!usable && result != corvane::AddressResult::kFailed) std::abort();
  CheckOpened(result, address);

  result = corvane::BuildTypedAddress(query.c_str(), &address);
  if ((result == corvane::AddressResult::kBuilt) != corvane::IsTypedWebAddress(query.c_str()))
    std::abort();
  CheckOpened(result, address);

  std::u16string units = corvane::fuzzing::Units(data, size);
  corvane::KeywordQuery keyword = {};
  if (corvane::SplitKeywordQuery(units.c_str(), &keyword) &&
      (keyword.keywordLength == 0 || keyword.keywordLength > corvane::kMaxKeywordLength ||
       keyword.rest <= units.c_str() + keyword.keywordLength || *keyword.rest == 0))
    std::abort();
  return 0;
}
