// Result codes shared by the platform-free code. They carry the platform's
// own HRESULT values so the Windows layer can pass them on unchanged.
#pragma once
#include <cstdint>

namespace corvane {

using Result = std::int32_t;

constexpr Result kResultOk = 0;                                        // S_OK
constexpr Result kResultInvalidArg = static_cast<Result>(0x80070057u);  // E_INVALIDARG
constexpr Result kResultInsufficientBuffer =
    static_cast<Result>(0x8007007Au);  // STRSAFE_E_INSUFFICIENT_BUFFER

// The largest count the bounded string helpers accept.
constexpr std::size_t kMaxBoundedCount = 0x7FFFFFFF;

inline bool Succeeded(Result r) { return r >= 0; }

}  // namespace corvane
