// Building the complete search address for one query.
#pragma once
#include <cstddef>

namespace corvane {

enum class AddressResult {
  kFailed,
  kBuilt,
  kNothingToSearch,  // empty, or only line feeds and carriage returns
};

// Builds scheme, host with `suffix`, path and the encoded query into one
// exactly sized, zero-filled allocation that the caller frees with
// FreeMemory. On kBuilt *address receives it; otherwise nullptr.
AddressResult BuildSearchAddress(const char* utf8Query, const char16_t* suffix, char16_t** address);

}  // namespace corvane
