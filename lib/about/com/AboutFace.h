#pragma once
// What the KVAbout face classes share: their error source and the filling of [out, retval]
// values from the cores, with every exception stopped at the COM boundary.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <type_traits>

#include "ComError.h"
#include "ComVariant.h"

namespace kv::about {

inline constexpr const wchar_t* conProject = L"KVAbout";

inline BSTR ToOut(const std::wstring& value) { return com::ToBSTR(value); }
inline VARIANT_BOOL ToOut(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }
inline long ToOut(long value) { return value; }

// *out = the core's value; E_POINTER for a missing out pointer, COM error for a failure.
template <class Out, class Getter>
HRESULT GetValue(Out* out, REFIID iid, Getter&& getter) {
    if (!out) return E_POINTER;
    try {
        *out = static_cast<Out>(ToOut(getter()));
        return S_OK;
    } catch (...) {
        return com::CurrentExceptionToHResult(conProject, iid);
    }
}

}  // namespace kv::about
