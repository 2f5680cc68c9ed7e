// The little of the C++ runtime the DLL needs, without the library's
// exception and demangling machinery: allocation on the process heap (null
// when no memory is left: every caller checks) and the pure-call trap.
#include <windows.h>

#include <new>

// The library's own tag would bring its new-handler with it, and with that a
// writable section and two of unwind data into every process the hook reaches.
namespace std {
const nothrow_t nothrow{};
}

void* operator new(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return HeapAlloc(GetProcessHeap(), 0, size);
}
void operator delete(void* block) noexcept {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { operator delete(block); }

extern "C" void __cxa_pure_virtual() { __builtin_trap(); }
