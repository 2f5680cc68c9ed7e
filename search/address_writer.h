// Addresses built in two passes over the same parts: one counts the units,
// the other fills one zero-filled allocation of exactly that size.
#pragma once
#include <cstddef>

#include "search/search_address.h"
#include "support/bounded_string.h"
#include "support/memory.h"

namespace corvane {

class AddressWriter {
 public:
  // Counts only.
  AddressWriter() = default;
  // Writes into `buffer`, never at or past unit `capacity`.
  AddressWriter(char16_t* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) {}

  // Units that stand as they are (a scheme).
  void Literal(const char16_t* text);
  // Text of the address itself (an engine's, a typed one): printable ASCII is
  // kept, except what would let the address break out of a browser's command
  // line or is not allowed in addresses (" < > \ ^ ` { | }); every other byte
  // becomes %XY.
  void AddressText(const char* utf8, std::size_t bytes);
  // The query, encoded as the search address encodes it.
  void Query(const char* utf8);

  std::size_t Units() const { return units_; }
  bool Failed() const { return failed_; }

 private:
  bool Reserve(std::size_t units);
  void Put(char16_t unit);
  void Escape(unsigned char byte);

  char16_t* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t units_ = 0;
  bool failed_ = false;
};

// Calls `parts(writer)` once to count and once to write; on kBuilt *address
// receives the terminated address (free with FreeMemory), otherwise nullptr.
template <class Parts>
AddressResult BuildAddress(const Parts& parts, char16_t** address) {
  *address = nullptr;
  AddressWriter counter;
  parts(counter);
  if (counter.Failed() || counter.Units() >= kMaxBoundedCount) return AddressResult::kFailed;
  UniqueMemory<char16_t> buffer(AllocArray<char16_t>(counter.Units() + 1));
  if (!buffer) return AddressResult::kFailed;
  AddressWriter writer(buffer.Get(), counter.Units());
  parts(writer);
  if (writer.Failed() || writer.Units() != counter.Units()) return AddressResult::kFailed;
  *address = buffer.Detach();
  return AddressResult::kBuilt;
}

}  // namespace corvane
