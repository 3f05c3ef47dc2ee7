#pragma once
// Fills a face's [out, retval] value from its core, with every exception stopped at the COM
// boundary: E_POINTER for a missing out pointer, the COM error of a failure.
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "ComError.h"
#include "ComVariant.h"

namespace kv::com {

inline BSTR ToOut(const std::wstring& value) { return ToBSTR(value); }
inline VARIANT_BOOL ToOut(bool value) { return ToVariantBool(value); }
inline long ToOut(long value) { return value; }

// *out = the getter's value (enumerations arrive as long and are cast to Out).
template <class Out, class Getter>
HRESULT GetValue(Out* out, const wchar_t* project, REFIID iid, Getter&& getter) {
    if (!out) return E_POINTER;
    try {
        *out = static_cast<Out>(ToOut(getter()));
        return S_OK;
    } catch (...) {
        return CurrentExceptionToHResult(project, iid);
    }
}

}  // namespace kv::com
