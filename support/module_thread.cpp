#include "support/module_thread.h"

#include "support/memory.h"

namespace corvane {
namespace {

struct ThreadStart {
  ModuleThreadWork work;
  void* parameter;
  HMODULE module;
};

DWORD WINAPI RunModuleThread(void* started) {
  ThreadStart start = *static_cast<ThreadStart*>(started);
  FreeMemory(started);
  start.work(start.parameter);
  FreeLibraryAndExitThread(start.module, 0);
}

}  // namespace

bool StartModuleThread(ModuleThreadWork work, void* parameter) {
  UniqueMemory<ThreadStart> start(AllocArray<ThreadStart>(1));
  if (!start) return false;
  start.Get()->work = work;
  start.Get()->parameter = parameter;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<const wchar_t*>(&RunModuleThread), &start.Get()->module))
    return false;
  HMODULE module = start.Get()->module;
  HANDLE thread = CreateThread(nullptr, 0, RunModuleThread, start.Get(), 0, nullptr);
  if (thread == nullptr) {
    FreeLibrary(module);
    return false;
  }
  start.Detach();
  CloseHandle(thread);
  return true;
}

}  // namespace corvane
