// One program per session: the first start claims the session, a later one
// hands the user over to the running program's search box and leaves.
#pragma once
#include <windows.h>

#include "support/windows_handles.h"

namespace corvane::program {

// Held for the life of the program; empty when another program of this
// session holds the claim.
UniqueKernelObject ClaimSession();

// Asks the running program's strip to put the focus into its search box.
// False when no strip answered in time.
bool FocusRunningProgram();

// The message the running strip receives for that.
UINT FocusSearchBoxMessage();

}  // namespace corvane::program
