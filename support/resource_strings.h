// Texts of the module's string table (IDS_FIRST to IDS_LAST), loaded once each and
// kept for the life of the module.
#pragma once

namespace corvane {

// Never null. The text stays valid until the module is unloaded and must not
// be changed or freed. Ids outside the table, and strings that cannot be
// loaded (tried again next time), give an empty text; so does every id when
// no memory is left for the cache.
const wchar_t* LoadResString(int id);

// Gives the cache back when the module is unloaded from a running process.
void FreeResourceStrings();

}  // namespace corvane
