// The result codes of the platform-free code: the platform's own HRESULT
// values, so that the Windows layer passes them on unchanged.
#pragma once
#include <cstddef>
#include <cstdint>

namespace corvane {

enum Result : std::int32_t {
  kResultOk = 0,                                               // S_OK
  kResultInvalidArg = static_cast<std::int32_t>(0x80070057u),  // E_INVALIDARG
  kResultInsufficientBuffer =
      static_cast<std::int32_t>(0x8007007Au),  // STRSAFE_E_INSUFFICIENT_BUFFER
};

// The largest count the bounded string helpers accept.
constexpr std::size_t kMaxBoundedCount = 0x7FFFFFFF;

}  // namespace corvane
