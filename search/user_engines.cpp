#include "search/user_engines.h"

#include "res/product.h"
#include "search/engine_template.h"
#include "search/keyword_query.h"
#include "search/launch_web_search.h"
#include "support/bounded_string.h"
#include "support/settings_store.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

UniqueMemory<char> ReadUsableEngine(const wchar_t* key, const wchar_t* name) {
  UniqueMemory<wchar_t> stored;
  char* utf8 = nullptr;
  if (FAILED(ReadTextSetting(key, name, &stored)) || !ToUtf8(stored.Get(), &utf8))
    return UniqueMemory<char>();
  UniqueMemory<char> engine(utf8);
  if (CheckEngineTemplate(engine.Get()) != TemplateCheck::kUsable) return UniqueMemory<char>();
  return engine;
}

}  // namespace

UniqueMemory<char> ReadDefaultEngine() {
  return ReadUsableEngine(kSettingsKey, kSearchAddressValue);
}

UniqueMemory<char> ReadKeywordEngine(const wchar_t* keyword, size_t length) {
  wchar_t name[kMaxKeywordLength + 1] = {};
  if (length > kMaxKeywordLength ||
      BoundedCopyN(AsUtf16(name), ARRAYSIZE(name), AsUtf16(keyword), length) != kResultOk)
    return UniqueMemory<char>();
  return ReadUsableEngine(kKeywordsKey, name);
}

}  // namespace corvane
