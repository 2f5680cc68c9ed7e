#include "ui/accessible_window.h"

#include <oleacc.h>

#include <new>

#include "support/system_library.h"

namespace corvane {
namespace {

// The interfaces' ids as the platform publishes them, written here: the
// module links no library that defines them.
constexpr IID kUnknownId = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kDispatchId = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kAccessibleId = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// The calls of oleacc.dll and oleaut32.dll this file makes, found at run
// time in the process that shows the window, never in programs that merely
// load the module.
struct AccessibilityApi {
  decltype(&::LresultFromObject) lresultFromObject;
  decltype(&::AccessibleObjectFromWindow) objectFromWindow;
  decltype(&::SysAllocStringLen) allocString;
};

bool LoadAccessibilityApi(AccessibilityApi* api) {
  static HMODULE oleacc = nullptr, oleaut = nullptr;
  return FindFunction(LoadSystemLibrary(L"oleacc.dll", &oleacc), "LresultFromObject",
                      &api->lresultFromObject) &&
         FindFunction(oleacc, "AccessibleObjectFromWindow", &api->objectFromWindow) &&
         FindFunction(LoadSystemLibrary(L"oleaut32.dll", &oleaut), "SysAllocStringLen",
                      &api->allocString);
}

class AccessibleWindow final : public IAccessible {
 public:
  AccessibleWindow(HWND window, const AccessibleParts* parts, const AccessibilityApi& api)
      : window_(window), parts_(parts), api_(api) {
    // The parts' functions stay loaded as long as a screen reader holds the
    // object, whichever module they are in.
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<const wchar_t*>(parts), &partsModule_);
  }
  AccessibleWindow(const AccessibleWindow&) = delete;
  AccessibleWindow& operator=(const AccessibleWindow&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, kUnknownId) && !IsEqualIID(iid, kDispatchId) &&
        !IsEqualIID(iid, kAccessibleId))
      return E_NOINTERFACE;
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
  STDMETHODIMP_(ULONG) Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: screen readers call the interface directly.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    if (!IsWindow(window_)) return RPC_E_DISCONNECTED;
    return api_.objectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), kDispatchId,
                                 reinterpret_cast<void**>(parent));
  }
  STDMETHODIMP get_accChildCount(long* count) override {
    if (count == nullptr) return E_POINTER;
    *count = IsWindow(window_) ? parts_->count(window_) : 0;
    return S_OK;
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    AccessiblePart facts;
    HRESULT known = Describe(child, &facts);
    if (known != S_OK) return known;
    if (facts.window == nullptr) return S_FALSE;  // a part drawn in the window
    return api_.objectFromWindow(facts.window, static_cast<DWORD>(OBJID_CLIENT), kDispatchId,
                                 reinterpret_cast<void**>(object));
  }
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    return TextOf(child, name, &AccessiblePart::name);
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    AccessiblePart facts;
    HRESULT known = Describe(child, &facts);
    if (known != S_OK) return known;
    if (facts.valueOf == nullptr) return S_FALSE;
    int length = GetWindowTextLengthW(facts.valueOf);
    *value = api_.allocString(nullptr, static_cast<UINT>(length));
    if (*value == nullptr) return E_OUTOFMEMORY;
    GetWindowTextW(facts.valueOf, *value, length + 1);
    return S_OK;
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override {
    return TextOf(child, description, &AccessiblePart::description);
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    return NumberOf(child, role, &AccessiblePart::role);
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    return NumberOf(child, state, &AccessiblePart::state);
  }
  STDMETHODIMP get_accHelp(VARIANT, BSTR* help) override { return Nothing(help); }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (topic != nullptr) *topic = 0;
    return Nothing(file);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
    return Nothing(shortcut);
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    focus->vt = VT_EMPTY;
    if (GetFocus() != window_) return S_FALSE;
    SetPart(focus, CHILDID_SELF);
    return S_OK;
  }
  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    if (selection == nullptr) return E_POINTER;
    selection->vt = VT_EMPTY;
    long chosen = parts_->chosen != nullptr && IsWindow(window_) ? parts_->chosen(window_) : 0;
    if (chosen <= 0) return S_FALSE;
    SetPart(selection, chosen);
    return S_OK;
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    return TextOf(child, action, &AccessiblePart::defaultAction);
  }
  STDMETHODIMP accSelect(long, VARIANT) override { return E_NOTIMPL; }
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                           VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
      return E_POINTER;
    *left = *top = *width = *height = 0;
    RECT place;
    HRESULT known = PlaceOf(child, &place);
    if (known != S_OK) return known;
    *left = place.left;
    *top = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
  }
  STDMETHODIMP accNavigate(long, VARIANT, VARIANT* end) override {
    if (end != nullptr) end->vt = VT_EMPTY;
    return E_NOTIMPL;
  }
  STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override {
    if (child == nullptr) return E_POINTER;
    child->vt = VT_EMPTY;
    if (!IsWindow(window_)) return RPC_E_DISCONNECTED;
    const POINT point = {x, y};
    for (long part = parts_->count(window_); part >= 0; --part) {
      VARIANT asked;
      SetPart(&asked, part);
      RECT place;
      if (PlaceOf(asked, &place) == S_OK && PtInRect(&place, point)) {
        SetPart(child, part);
        return S_OK;
      }
    }
    return S_FALSE;
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    AccessiblePart facts;
    HRESULT known = Describe(child, &facts);
    if (known != S_OK) return known;
    if (facts.defaultAction == nullptr || parts_->act == nullptr) return DISP_E_MEMBERNOTFOUND;
    return parts_->act(window_, child.lVal) ? S_OK : E_FAIL;
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~AccessibleWindow() {
    if (partsModule_ != nullptr) FreeLibrary(partsModule_);
  }

  static void SetPart(VARIANT* variant, long part) {
    variant->vt = VT_I4;
    variant->lVal = part;
  }

  // S_OK with the part's facts; an error for a part that is not there, or
  // once the window is gone (screen readers may hold the object longer).
  HRESULT Describe(VARIANT child, AccessiblePart* facts) const {
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (!IsWindow(window_)) return RPC_E_DISCONNECTED;
    if (child.lVal < 0 || child.lVal > parts_->count(window_) ||
        !parts_->describe(window_, child.lVal, facts))
      return E_INVALIDARG;
    return S_OK;
  }

  HRESULT PlaceOf(VARIANT child, RECT* place) const {
    AccessiblePart facts;
    HRESULT known = Describe(child, &facts);
    if (known != S_OK) return known;
    if (child.lVal == CHILDID_SELF || facts.window != nullptr) {
      GetWindowRect(facts.window != nullptr ? facts.window : window_, place);
      return S_OK;
    }
    *place = facts.place;
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(place), 2);
    return S_OK;
  }

  HRESULT TextOf(VARIANT child, BSTR* text, const wchar_t* AccessiblePart::*field) const {
    if (text == nullptr) return E_POINTER;
    *text = nullptr;
    AccessiblePart facts;
    HRESULT known = Describe(child, &facts);
    if (known != S_OK) return known;
    const wchar_t* said = facts.*field;
    if (said == nullptr) return S_FALSE;
    *text = api_.allocString(said, static_cast<UINT>(lstrlenW(said)));
    return *text != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  HRESULT NumberOf(VARIANT child, VARIANT* number, long AccessiblePart::*field) const {
    if (number == nullptr) return E_POINTER;
    number->vt = VT_EMPTY;
    AccessiblePart facts;
    HRESULT known = Describe(child, &facts);
    if (known != S_OK) return known;
    SetPart(number, facts.*field);
    return S_OK;
  }

  static HRESULT Nothing(BSTR* text) {
    if (text == nullptr) return E_POINTER;
    *text = nullptr;
    return S_FALSE;
  }

  volatile LONG references_ = 1;
  HWND window_;
  const AccessibleParts* parts_;
  AccessibilityApi api_;
  HMODULE partsModule_ = nullptr;
};

}  // namespace

bool AnswerAccessibleObject(HWND window, WPARAM flags, LPARAM objectId,
                            const AccessibleParts* parts, LRESULT* answer) {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT) return false;
  AccessibilityApi api;
  if (!LoadAccessibilityApi(&api)) return false;
  auto* object = new (std::nothrow) AccessibleWindow(window, parts, api);
  if (object == nullptr) return false;
  *answer = api.lresultFromObject(kAccessibleId, flags, object);
  object->Release();
  return *answer > 0;
}

}  // namespace corvane
