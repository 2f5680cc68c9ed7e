#include "tests/support/win/accessible_reader.h"

namespace corvane::test {
namespace {

VARIANT Part(long child) {
  VARIANT part;
  part.vt = VT_I4;
  part.lVal = child;
  return part;
}

std::wstring Taken(BSTR text) {
  std::wstring taken = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
  SysFreeString(text);
  return taken;
}

}  // namespace

Accessible::Accessible(HWND window) {
  AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                             reinterpret_cast<void**>(&object));
}

Accessible::~Accessible() {
  if (object != nullptr) object->Release();
}

long Accessible::ChildCount() {
  long count = -1;
  object->get_accChildCount(&count);
  return count;
}

Accessible Accessible::Child(long child) {
  IDispatch* dispatch = nullptr;
  IAccessible* found = nullptr;
  if (object->get_accChild(Part(child), &dispatch) == S_OK && dispatch != nullptr) {
    dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&found));
    dispatch->Release();
  }
  return Accessible(found);
}

std::wstring Accessible::Name(long child) {
  BSTR text = nullptr;
  object->get_accName(Part(child), &text);
  return Taken(text);
}

std::wstring Accessible::Value(long child) {
  BSTR text = nullptr;
  object->get_accValue(Part(child), &text);
  return Taken(text);
}

std::wstring Accessible::DefaultAction(long child) {
  BSTR text = nullptr;
  object->get_accDefaultAction(Part(child), &text);
  return Taken(text);
}

long Accessible::Role(long child) {
  VARIANT role = {};
  return object->get_accRole(Part(child), &role) == S_OK && role.vt == VT_I4 ? role.lVal : -1;
}

long Accessible::State(long child) {
  VARIANT state = {};
  return object->get_accState(Part(child), &state) == S_OK && state.vt == VT_I4 ? state.lVal : -1;
}

HRESULT Accessible::DoDefaultAction(long child) { return object->accDoDefaultAction(Part(child)); }

}  // namespace corvane::test
