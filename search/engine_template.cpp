#include "search/engine_template.h"

#include <cstring>

#include "search/address_writer.h"
#include "search/url_encoding.h"
#include "search/web_scheme.h"

namespace corvane {
namespace {

constexpr char kSearchTermsPlaceholder[] = "{searchTerms}";
constexpr char kBrowserPlaceholder[] = "%s";

// "{searchTerms}" when the address holds it, else "%s" (which may then be
// absent too).
const char* PlaceholderOf(const char* utf8Template) {
  return std::strstr(utf8Template, kSearchTermsPlaceholder) != nullptr ? kSearchTermsPlaceholder
                                                                       : kBrowserPlaceholder;
}

}  // namespace

TemplateCheck CheckEngineTemplate(const char* utf8Template) {
  std::size_t server = WebSchemeLength(utf8Template);
  if (server == 0) return TemplateCheck::kNotWeb;
  std::size_t serverEnd = server + ServerNameLength(utf8Template + server);
  if (serverEnd == server) return TemplateCheck::kNotWeb;
  const char* placeholder = std::strstr(utf8Template, PlaceholderOf(utf8Template));
  if (placeholder == nullptr) return TemplateCheck::kNoPlaceholder;
  if (static_cast<std::size_t>(placeholder - utf8Template) < serverEnd)
    return TemplateCheck::kPlaceholderInServer;
  return TemplateCheck::kUsable;
}

AddressResult BuildEngineAddress(const char* utf8Template, const char* utf8Query,
                                 char16_t** address) {
  if (address == nullptr) return AddressResult::kFailed;
  *address = nullptr;
  if (utf8Template == nullptr || utf8Query == nullptr ||
      CheckEngineTemplate(utf8Template) != TemplateCheck::kUsable)
    return AddressResult::kFailed;
  if (EncodedQueryLength(utf8Query) == 0) return AddressResult::kNothingToSearch;
  const char* placeholder = PlaceholderOf(utf8Template);
  const std::size_t placeholderLength = std::strlen(placeholder);
  return BuildAddress(
      [&](AddressWriter& writer) {
        const char* text = utf8Template;
        while (const char* at = std::strstr(text, placeholder)) {
          writer.AddressText(text, static_cast<std::size_t>(at - text));
          writer.Query(utf8Query);
          text = at + placeholderLength;
        }
        writer.AddressText(text, std::strlen(text));
      },
      address);
}

}  // namespace corvane
