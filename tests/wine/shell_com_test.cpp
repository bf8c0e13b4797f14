// The COM contract of the DLL, reached through its exports as the system reaches it.
#include "support/Extension.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

class ComContract : public ::testing::Test {
  protected:
    ExtensionDll dll;

    IClassFactory* Factory() {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(
            dll.GetClassObject(kTarvixClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
        return factory;
    }
};

TEST_F(ComContract, ClassObjectOnlyForItsOwnClassAndInterfaces) {
    ASSERT_NE(dll.Module(), nullptr);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(dll.GetClassObject(IID_IUnknown, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(dll.GetClassObject(kTarvixClsid, IID_IDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(dll.GetClassObject(kTarvixClsid, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(dll.CanUnloadNow(), S_OK);
}

TEST_F(ComContract, CanUnloadNowWaitsForFactoryReferencesObjectsAndLocks) {
    IClassFactory* factory = Factory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE);

    IContextMenu* menu = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu)),
              S_OK);
    factory->Release();
    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "an object lives";
    menu->Release();
    EXPECT_EQ(dll.CanUnloadNow(), S_OK);

    factory = Factory();
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "a lock is held";
    factory = Factory();
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
    EXPECT_EQ(dll.CanUnloadNow(), S_OK);
}

TEST_F(ComContract, CreateInstanceRefusalsLeaveNoObject) {
    IClassFactory* factory = Factory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, nullptr), E_POINTER);

    void* object = reinterpret_cast<void*>(1);
    IUnknown* outer = factory;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IContextMenu, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);

    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    factory->Release();
    EXPECT_EQ(dll.CanUnloadNow(), S_OK) << "the refused object was destroyed";
}

TEST_F(ComContract, EveryInstanceIsNewAndAnswersItsInterfaceSet) {
    IClassFactory* factory = Factory();
    ASSERT_NE(factory, nullptr);
    IShellExtInit* first = nullptr;
    IShellExtInit* second = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&first)),
              S_OK);
    ASSERT_EQ(
        factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&second)),
        S_OK);
    factory->Release();
    EXPECT_NE(first, second);

    for (const IID* iid :
         {&IID_IUnknown, &IID_IShellExtInit, &IID_IContextMenu, &IID_ISupportErrorInfo}) {
        IUnknown* answer = nullptr;
        EXPECT_EQ(first->QueryInterface(*iid, reinterpret_cast<void**>(&answer)), S_OK);
        ASSERT_NE(answer, nullptr);
        answer->Release();
    }
    IUnknown* none = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(first->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&none)),
              E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    ISupportErrorInfo* errorInfo = nullptr;
    ASSERT_EQ(first->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&errorInfo)),
              S_OK);
    EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(IID_IContextMenu), S_OK);
    EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(IID_IDataObject), S_FALSE);
    errorInfo->Release();

    first->Release();
    second->Release();
    EXPECT_EQ(dll.CanUnloadNow(), S_OK);
}

} // namespace
} // namespace tarvix::test
