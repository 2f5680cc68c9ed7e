// The DLL's class object and the factory it hands out.
#include <gtest/gtest.h>

#include "res/product.h"
#include "support/band_class.h"
#include "tests/support/win/test_support.h"
#include "tests/support/win/ui_support.h"

namespace corvane::test {
namespace {

using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

HRESULT ClassObject(REFCLSID classId, REFIID iid, void** out) {
  auto get = reinterpret_cast<GetClassObject>(GetProcAddress(CorvaneDll(), "DllGetClassObject"));
  return get(classId, iid, out);
}

IClassFactory* Factory() {
  IClassFactory* factory = nullptr;
  EXPECT_EQ(ClassObject(CLSID_SearchBand, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
  return factory;
}

TEST(ClassObject, OnlyForTheBandsClassAndInterfaces) {
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(ClassObject(IID_IUnknown, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(ClassObject(CLSID_SearchBand, IID_IDeskBand, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  ASSERT_EQ(ClassObject(CLSID_SearchBand, IID_IUnknown, &out), S_OK);
  static_cast<IUnknown*>(out)->Release();
}

TEST(ClassObject, FactoryCountsAndLockServer) {
  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->AddRef(), 2u);
  EXPECT_EQ(factory->Release(), 1u);
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->QueryInterface(IID_IDeskBand, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(factory->LockServer(TRUE), E_NOTIMPL);
  EXPECT_EQ(factory->LockServer(FALSE), E_NOTIMPL);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(CanUnloadNow(), S_OK);  // a lock keeps nothing loaded
}

TEST(ClassObject, CreateInstance) {
  ScratchRegistryRoot user(HKEY_CURRENT_USER);
  IClassFactory* factory = Factory();
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown, &out),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(out, nullptr);
  DWORD value = 0, size = sizeof value;
  EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kShowGoButtonValue, RRF_RT_REG_DWORD,
                         nullptr, &value, &size),
            ERROR_SUCCESS);  // no band was made
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  // That band was made and destroyed at once: the setting was written.
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kShowGoButtonValue, RRF_RT_REG_DWORD,
                         nullptr, &value, &size),
            ERROR_SUCCESS);

  IDeskBand* band = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDeskBand, reinterpret_cast<void**>(&band)), S_OK);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);  // the band lives on without its factory
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_EQ(band->GetWindow(&window), S_OK);
  EXPECT_EQ(band->Release(), 0u);
  EXPECT_EQ(CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace corvane::test
