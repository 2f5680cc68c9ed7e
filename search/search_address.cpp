#include "search/search_address.h"

#include "search/country_domains.h"
#include "search/url_encoding.h"
#include "support/bounded_string.h"
#include "support/memory.h"

namespace corvane {
namespace {

// Units of kSearchAddressTemplate without its "%s".
std::size_t SearchTemplateLength() {
  return BoundedLength(kSearchAddressTemplate, kMaxBoundedCount) - 2;
}

}  // namespace

AddressResult BuildSearchAddress(const char* utf8Query, const char16_t* suffix,
                                 char16_t** address) {
  if (address == nullptr) return AddressResult::kFailed;
  *address = nullptr;
  if (utf8Query == nullptr || suffix == nullptr) return AddressResult::kFailed;

  std::size_t encodedUnits = EncodedQueryLength(utf8Query);
  if (encodedUnits == 0) return AddressResult::kNothingToSearch;

  // Room for prefix, query and terminator, plus one spare zero unit.
  std::size_t capacity =
      encodedUnits + BoundedLength(suffix, kMaxBoundedCount) + SearchTemplateLength() + 1;
  if (capacity > kMaxBoundedCount) return AddressResult::kFailed;
  UniqueMemory<char16_t> buffer(AllocArray<char16_t>(capacity + 1));
  if (!buffer) return AddressResult::kFailed;

  char16_t* prefixEnd = nullptr;
  std::size_t remaining = 0;
  Result formatted = BoundedFormatEx(buffer.Get(), capacity, &prefixEnd, &remaining, 0,
                                     kSearchAddressTemplate, suffix);
  if (formatted != kResultOk || prefixEnd == nullptr || remaining == 0 ||
      !WriteEncodedQuery(utf8Query, prefixEnd, buffer.Get() + capacity))
    return AddressResult::kFailed;
  // The zero fill terminates the address.
  *address = buffer.Detach();
  return AddressResult::kBuilt;
}

}  // namespace corvane
