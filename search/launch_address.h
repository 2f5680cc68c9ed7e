// Everything of a launch short of the shell call, apart from the launch
// itself only so that the launch path's benchmark can measure it: not for
// the product's other code, which opens searches with LaunchWebSearch.
#pragma once
#include "search/search_address.h"

namespace corvane {

// Converts `query`, picks the suffix now and builds the address; on kBuilt
// *address receives it (free with FreeMemory), otherwise nullptr.
AddressResult BuildLaunchAddress(const wchar_t* query, char16_t** address);

}  // namespace corvane
