// A typed text that is plainly a web address is opened, not searched for.
#pragma once
#include "search/search_address.h"

namespace corvane {

// Begins with "https://", "http://" (followed by a server's name) or "www."
// (followed by something), ASCII case ignored, and holds no space, control
// character or Unicode space anywhere.
bool IsTypedWebAddress(const char* utf8Text);

// The address to open: "https://" goes before "www."; characters an address
// may not hold are %-escaped. kFailed when IsTypedWebAddress says no.
AddressResult BuildTypedAddress(const char* utf8Text, char16_t** address);

}  // namespace corvane
