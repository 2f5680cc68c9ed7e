#include "tests/support/win/accessible_reader.h"

namespace corvane::test {
namespace {

// Written out: oleacc's import library gives IID_IAccessible as an import
// thunk's address, not the id.
constexpr IID kAccessibleId = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

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

// A screen reader's thread is a COM apartment: another process's object
// comes to it marshalled.
Accessible::Accessible(HWND window) : comInitialized(SUCCEEDED(CoInitialize(nullptr))) {
  AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kAccessibleId,
                             reinterpret_cast<void**>(&object));
}

Accessible::~Accessible() {
  if (object != nullptr) object->Release();
  if (comInitialized) CoUninitialize();
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
    dispatch->QueryInterface(kAccessibleId, reinterpret_cast<void**>(&found));
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
