#pragma once
// Base of every published class: IUnknown (ComObject), IDispatch served from the type info
// of the embedded type library, and ISupportErrorInfo.
//
// Invoke adapts script callers before calling the member through its vtable slot:
// arguments that arrive as VT_BYREF|VT_VARIANT (a script variable) or in another type are
// coerced to the declared parameter type; [in,out]/[out] parameters get a temporary of the
// declared type whose value is written back into the caller's variable afterwards; missing
// optional parameters get their declared default. Early-bound clients see the declared types.
//
//   class clsMainCom : public kv::com::DispatchObject<IclsMain> { ... };
//   in the server table: &kv::com::CreateObject<clsMainCom>
#include <windows.h>
#include <oaidl.h>
#include <memory>

#include "ComError.h"
#include "ComObject.h"
#include "ComPtr.h"
#include "ComServer.h"
#include "Guard.h"

namespace kv::com {

// What IDispatch serves of one interface, resolved once from the embedded type library and
// shared by every object of the module that serves the interface: the type info, the member
// names, and for each member and invoke kind its vtable slot and parameter types. Calls then
// cost the same whatever the member's place in the interface.
class DispatchTable;

// The table of iid, built on first use. Tables are shared between apartments (the servers
// register ThreadingModel Apartment), so finding and building one takes a lock; a built
// table is never changed. Each object keeps its own reference. Raises std::bad_alloc;
// its callers are guarded COM methods.
HRESULT FindDispatchTable(REFIID iid, std::shared_ptr<const DispatchTable>& out);
// Drops the module's references to the tables (CanUnloadNow, once no object lives).
void ReleaseDispatchTables();

ITypeInfo* TableTypeInfo(const DispatchTable& table);
HRESULT TableGetIDsOfNames(const DispatchTable& table, LPOLESTR* names, UINT count, DISPID* ids);
// The adapting Invoke shared by all classes; self is the interface pointer whose vtable
// serves the members.
HRESULT AdaptedInvoke(const DispatchTable& table, IDispatch* self, DISPID member, LCID lcid, WORD flags,
                      DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr);

// Extra: further interfaces of a derived class (the event container, see EventSource.h).
template <class Interface, class... Extra>
class DispatchObject : public ComObject<Interface, ISupportErrorInfo, Extra...> {
public:
    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
        return Guard(__uuidof(Interface), [&] {
            if (!out) return E_POINTER;
            *out = nullptr;
            if (index != 0) return DISP_E_BADINDEX;
            HRESULT hr = EnsureTable();
            if (SUCCEEDED(hr)) (*out = TableTypeInfo(*table_))->AddRef();
            return hr;
        });
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return Guard(__uuidof(Interface), [&] {
            if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
            HRESULT hr = EnsureTable();
            return FAILED(hr) ? hr : TableGetIDsOfNames(*table_, names, count, ids);
        });
    }
    // The member's own failures arrive as DISP_E_EXCEPTION with EXCEPINFO; the guard catches
    // what the adapting machinery itself might throw.
    STDMETHODIMP Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
        return Guard(__uuidof(Interface), [&] {
            if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
            HRESULT hr = EnsureTable();
            if (FAILED(hr)) return hr;
            return AdaptedInvoke(*table_, static_cast<Interface*>(this), member, lcid, flags, params, result,
                                 excep, argErr);
        });
    }

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override {
        return riid == __uuidof(Interface) ? S_OK : S_FALSE;
    }

protected:
    DispatchObject() = default;

    // A derived class with Extra interfaces extends this.
    void* FindInterface(REFIID riid) override {
        if (riid == IID_IDispatch || riid == __uuidof(Interface)) return static_cast<Interface*>(this);
        if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
        return nullptr;
    }

private:
    // An object is called from its apartment's thread only, so table_ needs no lock.
    HRESULT EnsureTable() { return table_ ? S_OK : FindDispatchTable(__uuidof(Interface), table_); }

    std::shared_ptr<const DispatchTable> table_;
};

// Creates a T (which must start with one reference, as DispatchObject does) and queries it
// for riid; the server table's create function of a class. A constructor that throws gives
// its error as the HRESULT.
template <class T>
HRESULT CreateObject(REFIID riid, void** ppv) {
    return Guard(IID_NULL, [&] {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        T* object = new T();
        HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    });
}

}  // namespace kv::com
