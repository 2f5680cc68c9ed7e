// Values of the whole module in one process: its own instance, which the
// module's entry records and every resource, class, window and hook call
// names, and the number of its live COM objects, on which the module's
// unloading waits.
#pragma once
#include <windows.h>

namespace corvane {

extern HINSTANCE ModuleInstance;
extern volatile LONG ObjectCount;

inline void ObjectCreated() { InterlockedIncrement(&ObjectCount); }
inline void ObjectDestroyed() { InterlockedDecrement(&ObjectCount); }

}  // namespace corvane
