// A search engine's address with a place for the query: "{searchTerms}" as
// OpenSearch descriptions write it, or "%s" as browsers do.
#pragma once
#include "search/search_address.h"

namespace corvane {

enum class TemplateCheck {
  kUsable,
  kNotWeb,              // not https:// or http:// followed by a server's name
  kNoPlaceholder,       // no place for the query
  kPlaceholderInServer  // the query would choose the server
};

// Checks a zero-terminated UTF-8 engine address. Only a usable one is ever
// opened: anything else could name a file or a program.
TemplateCheck CheckEngineTemplate(const char* utf8Template);

// The engine's address with the encoded query at each place for it. kFailed
// for an address CheckEngineTemplate does not call usable.
AddressResult BuildEngineAddress(const char* utf8Template, const char* utf8Query,
                                 char16_t** address);

}  // namespace corvane
