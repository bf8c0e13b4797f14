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

// An outer object that aggregates the extension: it counts its own references, answers
// IPersist itself and hands every other interface to the inner object.
class Outer final : public IPersist {
  public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPersist)) {
            *ppv = static_cast<IPersist*>(this);
            AddRef();
            return S_OK;
        }
        return inner->QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP GetClassID(CLSID* clsid) override {
        *clsid = IID_IPersist;
        return S_OK;
    }
    ULONG references = 1;
    IUnknown* inner = nullptr;
};

TEST_F(ComContract, AnAggregatedObjectDelegatesToItsOuterObject) {
    IClassFactory* factory = Factory();
    ASSERT_NE(factory, nullptr);
    Outer outer;
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
              S_OK);
    factory->Release();
    ASSERT_NE(outer.inner, nullptr);
    EXPECT_EQ(outer.references, 1u) << "the inner unknown does not count on the outer object";

    IContextMenu* menu = nullptr;
    ASSERT_EQ(outer.inner->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
    EXPECT_EQ(outer.references, 2u) << "an interface of the aggregate counts on the outer object";
    IUnknown* identity = nullptr;
    ASSERT_EQ(menu->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer)) << "one identity: the outer object's";
    identity->Release();
    IPersist* persist = nullptr;
    ASSERT_EQ(menu->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)), S_OK)
        << "the outer object's own interfaces are reached through the inner ones";
    EXPECT_EQ(persist, static_cast<IPersist*>(&outer));
    persist->Release();
    menu->Release();
    EXPECT_EQ(outer.references, 1u);

    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "the inner object lives";
    outer.inner->Release();
    EXPECT_EQ(dll.CanUnloadNow(), S_OK) << "releasing the inner unknown destroys the object";
}

} // namespace
} // namespace tarvix::test
