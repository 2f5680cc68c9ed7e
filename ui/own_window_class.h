// Window classes of this module that outlive an unloaded image of it.
#pragma once
#include <windows.h>

namespace corvane {

// Registers `wanted` unless a class of its name with its window procedure is
// registered already; a class left by an unloaded image (another procedure)
// is registered afresh. When that is not possible no window is made from it.
HRESULT EnsureOwnWindowClass(const WNDCLASSW& wanted);

}  // namespace corvane
