#include "ui/annotated_name.h"

#include <oleacc.h>

#include "support/hresult.h"

namespace corvane {
namespace {

// The platform's ids, written here: the module links no library that
// defines them.
constexpr CLSID kAccPropServicesClass = {
    0xB5F8350B, 0x0548, 0x48B1, {0xA6, 0xEE, 0x88, 0xBD, 0x00, 0xB4, 0xA5, 0xE7}};
constexpr IID kAccPropServicesId = {
    0x6E26E776, 0x04F0, 0x495D, {0x80, 0xE4, 0x33, 0x30, 0x35, 0x2E, 0x31, 0x69}};
constexpr MSAAPROPID kNameProperty = {
    0x608D3DF8, 0x8128, 0x4AA7, {0xA4, 0x28, 0xF5, 0x5E, 0x49, 0x26, 0x72, 0x91}};

// The accessibility library's annotation service, or null.
IAccPropServices* Annotations() {
  IAccPropServices* services = nullptr;
  if (FAILED(CoCreateInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                              kAccPropServicesId, reinterpret_cast<void**>(&services))))
    return nullptr;
  return services;
}

}  // namespace

bool AnnotateName(HWND window, const wchar_t* name) {
  IAccPropServices* services = Annotations();
  if (services == nullptr) return false;
  const HRESULT result = services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT),
                                                  CHILDID_SELF, kNameProperty, name);
  services->Release();
  return SUCCEEDED(result);
}

void ForgetAnnotatedName(HWND window) {
  IAccPropServices* services = Annotations();
  if (services == nullptr) return;
  // Nothing to take back is no failure: the window goes either way.
  TRACE_IF_FAILED(services->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                           &kNameProperty, 1));
  services->Release();
}

}  // namespace corvane
