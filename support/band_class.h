// The band's class id as the GUID that COM's calls take, read from the text
// that the registry and setup use.
#pragma once
#include <guiddef.h>

#include "res/product.h"
#include "support/guid_text.h"

namespace corvane {

static_assert(IsGuidText(kBandClassId));
inline constexpr CLSID CLSID_SearchBand = GuidFromText<CLSID>(kBandClassId);

}  // namespace corvane
