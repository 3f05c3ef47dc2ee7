#pragma once
// Base of every published class: IUnknown with an interlocked count and a module
// reference, IDispatch served from the type info of the embedded type library, and
// ISupportErrorInfo.
//
// Invoke adapts script callers before handing over to ITypeInfo::Invoke: arguments that
// arrive as VT_BYREF|VT_VARIANT (a script variable) or in another type are coerced to the
// declared parameter type; [in,out]/[out] parameters get a temporary of the declared type
// whose value is written back into the caller's variable afterwards; missing optional
// parameters get their declared default. Early-bound clients see the declared types.
//
//   class clsMainCom : public kv::com::DispatchObject<_clsMain> { ... };
//   create: kv::com::CreateObject<clsMainCom>(riid, ppv)
#include <windows.h>
#include <oaidl.h>

namespace kv::com {

// Declared here, defined in DispatchObject.cpp: the adapting Invoke shared by all classes.
HRESULT AdaptedInvoke(ITypeInfo* typeInfo, IDispatch* self, DISPID member, WORD flags,
                      DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr);
HRESULT LoadTypeInfo(REFIID iid, ITypeInfo** out);

template <class Interface>
class DispatchObject : public Interface, public ISupportErrorInfo {
    // (implemented in this header)
};

template <class T>
HRESULT CreateObject(REFIID riid, void** ppv);

}  // namespace kv::com
