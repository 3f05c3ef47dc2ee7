#pragma once
// A client of a COM server DLL as one without registration is: objects made by the DLL's
// own class factory, and event sinks advised on their connection points.
#include <windows.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include "ComPtr.h"

namespace kvtest {

// A new object of a class the DLL serves, as Interface; empty when the DLL, the class or the
// interface is missing. The DLL stays loaded: COM may still hold its type library.
template <class Interface = IDispatch>
kv::ComPtr<Interface> CreateFromDll(const wchar_t* dll, const CLSID& clsid) {
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    HMODULE module = LoadLibraryW(dll);
    EXPECT_NE(module, nullptr) << GetLastError();
    auto get = module ? reinterpret_cast<GetClassObject>(
                            reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")))
                      : nullptr;
    kv::ComPtr<IClassFactory> factory;
    kv::ComPtr<Interface> object;
    if (get && SUCCEEDED(get(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Put()))))
        factory->CreateInstance(nullptr, __uuidof(Interface), reinterpret_cast<void**>(object.Put()));
    return object;
}

// An event sink as a client writes one: IDispatch (and the source interface, when given) with
// nothing but Invoke, which the test writes. It lives on the test's stack.
class SinkBase : public IDispatch {
public:
    explicit SinkBase(const IID& events = IID_IDispatch) : events_(events) {}
    virtual ~SinkBase() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = riid == IID_IUnknown || riid == IID_IDispatch || riid == events_ ? this : nullptr;
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

protected:
    ULONG refs_ = 1;

private:
    IID events_;
};

// Advises the sink on the object's connection point of the source interface; the cookie.
inline DWORD Advise(IUnknown* object, const IID& events, IDispatch* sink, kv::ComPtr<IConnectionPoint>& point) {
    kv::ComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Put())), S_OK);
    DWORD cookie = 0;
    if (container && container->FindConnectionPoint(events, point.Put()) == S_OK) {
        EXPECT_EQ(point->Advise(sink, &cookie), S_OK);
    } else {
        ADD_FAILURE() << "no connection point";
    }
    return cookie;
}

}  // namespace kvtest
