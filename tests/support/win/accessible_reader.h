// A window's accessible object as screen readers get it, read back.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace corvane::test {

class Accessible {
 public:
  explicit Accessible(HWND window);
  explicit Accessible(IAccessible* object) : object(object) {}
  Accessible(Accessible&& other) noexcept : object(other.object) { other.object = nullptr; }
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;
  ~Accessible();
  explicit operator bool() const { return object != nullptr; }

  long ChildCount();
  // The child that is an object of its own (a window), or an empty one.
  Accessible Child(long child);
  std::wstring Name(long child);
  std::wstring Value(long child);
  std::wstring DefaultAction(long child);
  long Role(long child);
  long State(long child);
  HRESULT DoDefaultAction(long child);

 private:
  bool comInitialized = false;
  IAccessible* object = nullptr;
};

}  // namespace corvane::test
