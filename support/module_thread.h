// Work that must not hold the thread it starts from (the taskbar's, for the
// band): a thread of its own that keeps this module loaded until the work
// has returned, so that the host may let go of the module meanwhile.
#pragma once
#include <windows.h>

namespace corvane {

using ModuleThreadWork = void (*)(void* parameter);

// Runs `work(parameter)` on a new thread. False, with nothing started and
// `parameter` still the caller's, when no thread could be made.
bool StartModuleThread(ModuleThreadWork work, void* parameter);

}  // namespace corvane
