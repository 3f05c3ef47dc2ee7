#pragma once
// The one shape of every COM method (faces, IDispatch, the class factory, the Dll* entry
// points): the body runs inside Guard and returns its HRESULT, so every return is written
// out and no exception crosses the COM boundary.
//
//   STDMETHODIMP clsIniCom::put_File(BSTR value) {
//       return Guard(IID_IclsIni, [&] {
//           core_.File(FromBSTR(value));
//           return S_OK;
//       });
//   }
//   STDMETHODIMP clsIniCom::get_File(BSTR* value) {
//       return Guard(IID_IclsIni, [&] { return HandOut(value, core_.File()); });
//   }
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <type_traits>

#include "ComError.h"
#include "ComPtr.h"
#include "ComVariant.h"
#include "Variant.h"

namespace kv::com {

// The server's project name, the source of the errors it reports.
const wchar_t* ErrorSource() noexcept;

// body's HRESULT; whatever it throws becomes the HRESULT of the error convention, with the
// description in the thread's error info (source: the server, interface: iid).
template <class Body>
HRESULT Guard(REFIID iid, Body&& body) noexcept {
    static_assert(std::is_same_v<std::invoke_result_t<Body&>, HRESULT>, "a guarded body returns its HRESULT");
    try {
        return body();
    } catch (...) {
        return CurrentExceptionToHResult(ErrorSource(), iid);
    }
}

// Hands a member's [out, retval] value to the caller: S_OK, or E_POINTER when the caller
// gave no place for it. The caller owns what it receives (a new string, a reference).
inline HRESULT HandOut(BSTR* out, const std::wstring& value) {
    if (!out) return E_POINTER;
    *out = ToBSTR(value);
    return S_OK;
}
inline HRESULT HandOut(VARIANT_BOOL* out, bool value) {
    if (!out) return E_POINTER;
    *out = ToVariantBool(value);
    return S_OK;
}
inline HRESULT HandOut(LONG* out, LONG value) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
}
inline HRESULT HandOut(double* out, double value) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
}
inline HRESULT HandOut(VARIANT* out, const Variant& value) {
    if (!out) return E_POINTER;
    ToVARIANT(value, out);
    return S_OK;
}
// An enumeration of the type library from the core's enumeration or number.
template <class Enum, class Value>
    requires std::is_enum_v<Enum> && (std::is_enum_v<Value> || std::is_integral_v<Value>)
HRESULT HandOut(Enum* out, Value value) {
    if (!out) return E_POINTER;
    *out = static_cast<Enum>(value);
    return S_OK;
}
// An object: the caller gets the reference value holds (null stays null).
template <class Interface, class Object>
    requires std::is_convertible_v<Object*, Interface*>
HRESULT HandOut(Interface** out, ComPtr<Object> value) {
    if (!out) return E_POINTER;
    *out = value.Detach();
    return S_OK;
}

}  // namespace kv::com
