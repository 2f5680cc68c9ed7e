#include "support/module_state.h"

namespace corvane {

HINSTANCE ModuleInstance = nullptr;
// Interlocked, so that a host releasing objects on several threads cannot
// let the module unload under a live one.
volatile LONG ObjectCount = 0;

}  // namespace corvane
