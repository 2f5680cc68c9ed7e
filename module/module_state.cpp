#include "module/module_state.h"

namespace corvane {

HINSTANCE ModuleInstance = nullptr;
// Interlocked, so that a host releasing objects on several threads cannot
// let the module unload under a live one.
volatile LONG ObjectCount = 0;

// {59E5B916-B4DC-4C77-82B3-1A22AF7FBAE8}: fixed for good; registrations and
// the taskbar's saved toolbars name the band by it.
const CLSID CLSID_SearchBand = {
    0x59e5b916, 0xb4dc, 0x4c77, {0x82, 0xb3, 0x1a, 0x22, 0xaf, 0x7f, 0xba, 0xe8}};

}  // namespace corvane
