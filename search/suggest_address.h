// Where suggestions may be asked for: what is typed goes there as it is
// typed, so only over https, or over http to this machine itself (a local
// service, a test). Platform-free.
#pragma once

namespace corvane {

// A usable engine address (search/engine_template.h) that is https://, or
// http:// to "localhost", 127.x.x.x or [::1]; never one that names a user.
bool IsUsableSuggestAddress(const char* utf8Template);

}  // namespace corvane
