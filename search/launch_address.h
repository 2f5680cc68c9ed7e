// Everything of a launch short of the shell call, apart from the launch
// itself only so that the launch path's benchmark can measure it: not for
// the product's other code, which opens searches with LaunchWebSearch.
#pragma once
#include "search/search_address.h"

namespace corvane {

// Converts `query` and builds what it opens: a typed web address as it
// stands, else a search with the engine of its keyword, else with the user's
// default engine, else with the service under the suffix picked now. On
// kBuilt *address receives it (free with FreeMemory), otherwise nullptr.
AddressResult BuildLaunchAddress(const wchar_t* query, char16_t** address);

}  // namespace corvane
