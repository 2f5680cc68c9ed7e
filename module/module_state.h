// Module-wide values: this module's instance, the number of its live COM
// objects in the process, and the one class it serves.
#pragma once
#include <windows.h>

namespace corvane {

extern HINSTANCE ModuleInstance;
extern volatile LONG ObjectCount;
extern const CLSID CLSID_SearchBand;

inline void ObjectCreated() { InterlockedIncrement(&ObjectCount); }
inline void ObjectDestroyed() { InterlockedDecrement(&ObjectCount); }

}  // namespace corvane
