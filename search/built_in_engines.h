// The engines Corvane knows without being told: their search addresses and
// where they answer for suggestions. Platform-free.
#pragma once
#include <cstddef>

namespace corvane {

struct BuiltInEngine {
  const char16_t* name;  // null for Google, which the program names in its language
  // Empty for Google: its country site, as a search without settings opens.
  const char16_t* searchAddress;
  const char16_t* suggestAddress;
};

extern const BuiltInEngine kBuiltInEngines[3];

// The built-in engine whose search address is `searchAddress` (null or
// empty: Google's country site), else null.
const BuiltInEngine* FindBuiltInEngine(const char16_t* searchAddress);

}  // namespace corvane
