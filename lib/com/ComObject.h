#pragma once
// IUnknown for the objects a server hands out: an interlocked reference count, a module
// reference while the object lives (DllCanUnloadNow waits for it) and QueryInterface over
// IUnknown and the interfaces FindInterface names.
#include <windows.h>
#include <unknwn.h>

#include "ComServer.h"

namespace kv::com {

// Primary stands for IUnknown; Others are further interfaces with vtables of their own.
template <class Primary, class... Others>
class ComObject : public Primary, public Others... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = riid == IID_IUnknown ? static_cast<Primary*>(this) : FindInterface(riid);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return n;
    }

protected:
    ComObject() { ModuleAddRef(); }
    virtual ~ComObject() { ModuleRelease(); }

    // The object as the interface riid (other than IUnknown), or nullptr.
    virtual void* FindInterface(REFIID riid) = 0;

private:
    LONG refs_ = 1;
};

}  // namespace kv::com
