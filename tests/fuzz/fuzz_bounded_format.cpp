// Any format, argument and capacity: never a write outside the buffer, and a
// terminated buffer whenever anything was written.
#include <cstdlib>
#include <memory>

#include "support/bounded_string.h"
#include "tests/support/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::size_t capacity = data[0] % 64;
  std::size_t split = data[1] % (size - 1);
  std::u16string format = corvane::fuzzing::Units(data + 2, split);
  std::u16string argument = corvane::fuzzing::Units(data + 2 + split, size - 2 - split);
  std::unique_ptr<char16_t[]> buffer(new char16_t[capacity == 0 ? 1 : capacity]);
  char16_t* end = nullptr;
  std::size_t remaining = 0;
  corvane::Result r = corvane::BoundedFormatEx(buffer.get(), capacity, &end, &remaining, 0,
                                               format.c_str(), argument.c_str());
  if (capacity == 0) return 0;
  if (r == corvane::kResultOk) {
    if (*end != 0 || remaining != capacity - static_cast<std::size_t>(end - buffer.get()))
      std::abort();
  } else if (buffer[capacity - 1] != 0 || remaining != 1) {
    std::abort();
  }
  corvane::BoundedCopy(buffer.get(), capacity, argument.c_str());
  return 0;
}
