// One owner for a handle: closes it when the owner goes, hands it over on a
// move, never copies. No exceptions and no allocation of its own, so it costs
// the module no more than the close call it replaces.
#pragma once
#include <cstddef>

namespace corvane {

template <class Handle>
constexpr Handle NullHandle() {
  return Handle();
}

// `Close` is called once for a handle that is not `Invalid()`.
template <class Handle, auto Close, Handle (*Invalid)() = NullHandle<Handle>>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle(other.Detach()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Detach());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle; }
  Handle operator->() const { return handle; }
  explicit operator bool() const { return handle != Invalid(); }

  // Closes what is held and gives the place for a function to fill.
  Handle* Put() {
    Reset();
    return &handle;
  }
  // The caller owns the handle from now on.
  Handle Detach() {
    Handle released = handle;
    handle = Invalid();
    return released;
  }
  void Reset(Handle replacement = Invalid()) {
    if (handle != Invalid()) Close(handle);
    handle = replacement;
  }

 private:
  Handle handle = Invalid();
};

}  // namespace corvane
