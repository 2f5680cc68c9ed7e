#include "search/engine_layers.h"

#include "search/built_in_engines.h"
#include "search/engine_template.h"
#include "search/launch_web_search.h"
#include "search/suggest_address.h"
#include "support/hresult.h"
#include "support/wide_text.h"

namespace corvane {
namespace {

// The two policies' and the user's own, or the two recommended.
struct EngineLayerList {
  SettingLayer layers[4];
  unsigned count;
};

bool UserEnginesAllowed() { return DecidedNumber(Setting::kAllowUserEngines) != 0; }

EngineLayerList EngineLayers() {
  EngineLayerList list = {{SettingLayer::kMachinePolicy, SettingLayer::kUserPolicy}, 2};
  if (!UserEnginesAllowed()) return list;
  if (HasOwnEngines()) {
    list.layers[list.count++] = SettingLayer::kUser;
  } else {
    list.layers[list.count++] = SettingLayer::kMachineRecommended;
    list.layers[list.count++] = SettingLayer::kUserRecommended;
  }
  return list;
}

bool IsUsable(const wchar_t* text, bool (*usable)(const char* utf8)) {
  UniqueMemory<char> utf8;
  return SUCCEEDED(ConvertToUtf8(text, &utf8)) && usable(utf8.Get());
}

bool IsEngineTemplate(const char* utf8) {
  return CheckEngineTemplate(utf8) == TemplateCheck::kUsable;
}

bool HoldsEngine(SettingLayer layer, const wchar_t* keyword) {
  UniqueMemory<wchar_t> address;
  return ReadListedSetting(layer, SettingList::kKeywords, keyword, &address) == S_OK &&
         IsUsable(address.Get(), IsEngineTemplate);
}

// The layer of `list` whose engine the keyword names; false when none does.
bool FindEngineLayerIn(const EngineLayerList& list, const wchar_t* keyword, SettingLayer* layer) {
  for (unsigned at = 0; at < list.count; ++at)
    if (HoldsEngine(list.layers[at], keyword)) {
      *layer = list.layers[at];
      return true;
    }
  return false;
}

struct AddressSearch {
  const wchar_t* address;
  bool found;
};

bool IsPolicyEngineOf(const wchar_t* keyword, SettingLayer layer, void* context) {
  auto* search = static_cast<AddressSearch*>(context);
  // The policies' engines come first: the search ends at the first other.
  if (!IsPolicy(layer)) return false;
  UniqueMemory<wchar_t> address;
  search->found = ReadListedSetting(layer, SettingList::kKeywords, keyword, &address) == S_OK &&
                  CompareStringOrdinal(address.Get(), -1, search->address, -1, FALSE) == CSTR_EQUAL;
  return !search->found;
}

bool TakesSearchAddress(SettingLayer layer, const wchar_t* address) {
  if (!IsUsable(address, IsEngineTemplate)) return false;
  if (IsPolicy(layer) || UserEnginesAllowed()) return true;
  if (FindBuiltInEngine(AsUtf16(address)) != nullptr) return true;
  AddressSearch search = {address, false};
  return SUCCEEDED(VisitEngines(IsPolicyEngineOf, &search)) && search.found;
}

bool TakesSuggestAddress(SettingLayer layer, const wchar_t* address) {
  return IsUsable(address, IsUsableSuggestAddress) && (IsPolicy(layer) || UserEnginesAllowed());
}

struct LayerVisit {
  const EngineLayerList* list;
  SettingLayer layer;
  EngineVisitor visit;
  void* context;
  bool stopped;
};

bool VisitIfDecided(const wchar_t* keyword, void* context) {
  auto* at = static_cast<LayerVisit*>(context);
  SettingLayer layer = at->layer;
  if (FindEngineLayerIn(*at->list, keyword, &layer) && layer == at->layer)
    at->stopped = !at->visit(keyword, layer, at->context);
  return !at->stopped;
}

}  // namespace

HRESULT ReadEngineAddressSetting(Setting setting, UniqueMemory<wchar_t>* address,
                                 SettingLayer* from) {
  if (setting != Setting::kSearchAddress && setting != Setting::kSuggestAddress)
    return E_INVALIDARG;
  return ReadTextSetting(
      setting, address,
      setting == Setting::kSearchAddress ? TakesSearchAddress : TakesSuggestAddress, from);
}

HRESULT ReadEngineText(SettingList list, const wchar_t* keyword, UniqueMemory<wchar_t>* text) {
  text->Reset();
  SettingLayer layer = SettingLayer::kUser;
  if (!FindEngineLayerIn(EngineLayers(), keyword, &layer)) return S_FALSE;
  return ReadListedSetting(layer, list, keyword, text);
}

HRESULT VisitEngines(EngineVisitor visit, void* context) {
  const EngineLayerList list = EngineLayers();
  for (unsigned at = 0; at < list.count; ++at) {
    LayerVisit layerVisit = {&list, list.layers[at], visit, context, false};
    RETURN_IF_FAILED(
        VisitKeywords(list.layers[at], SettingList::kKeywords, VisitIfDecided, &layerVisit));
    if (layerVisit.stopped) return S_OK;
  }
  return S_OK;
}

}  // namespace corvane
