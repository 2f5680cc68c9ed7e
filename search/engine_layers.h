// The engines as the layers of the settings decide them (SettingLayer): the
// default engine's address and its suggestion address, each taken only as
// a search or a request for suggestions could use it, and the keywords'
// engines, each taken whole (address, name, suggestion address) from the
// first layer that holds a usable address for the keyword. The engines'
// layers are the machine's policies, the user's policies, then the user's
// own engines or, where the user keeps none, the recommended ones, unless a
// policy sets those aside (AllowUserEngines 0).
#pragma once
#include <windows.h>

#include "support/settings_store.h"

namespace corvane {

// kSearchAddress or kSuggestAddress. Set aside with the user's engines, the
// user's own search address is taken only where it is a built-in engine's
// or an engine's of the policies, and the user's suggestion address not.
HRESULT ReadEngineAddressSetting(Setting setting, UniqueMemory<wchar_t>* address,
                                 SettingLayer* from = nullptr);

// The keyword's address, name or suggestion address, from its engine's
// layer; S_FALSE when the keyword names no engine or the value is absent.
HRESULT ReadEngineText(SettingList list, const wchar_t* keyword, UniqueMemory<wchar_t>* text);
// Calls `visit` with each keyword that names an engine, once, and its
// engine's layer, in the layers' order, until it answers false.
using EngineVisitor = bool (*)(const wchar_t* keyword, SettingLayer layer, void* context);
HRESULT VisitEngines(EngineVisitor visit, void* context);

}  // namespace corvane
