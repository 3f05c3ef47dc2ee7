#pragma once
// Conversions between the cores' kv::Variant and the automation VARIANT.
#include <windows.h>
#include <oaidl.h>
#include <string>
#include <utility>

#include "Variant.h"

namespace kv::com {

// Follows VT_BYREF; arrays (SAFEARRAY of any element type, any dimensions) keep their
// bounds; VT_UI1 one-dimensional arrays become ByteArray. Other integer and floating types
// become Long or Double; VT_UNKNOWN objects are queried for IDispatch. Unsupported types
// raise 13 ("Type mismatch").
Variant FromVARIANT(const VARIANT& v);
// Writes into an initialised (empty) VARIANT the caller then owns.
void ToVARIANT(const Variant& value, VARIANT* out);

// Stores value in a caller's [in,out] VARIANT. An array already there (also one held by
// reference, as a script's fixed-size array is) keeps its storage and receives the elements
// when the shape agrees; anything else replaces the old value.
void StoreVARIANT(const Variant& value, VARIANT* target);

// Optional argument helpers: a missing optional VARIANT arrives as VT_ERROR/DISP_E_PARAMNOTFOUND.
bool IsMissing(const VARIANT& v);

BSTR ToBSTR(const std::wstring& s);   // raises 7 ("Out of memory")
inline VARIANT_BOOL ToVariantBool(bool b) { return b ? VARIANT_TRUE : VARIANT_FALSE; }
std::wstring FromBSTR(BSTR b);         // null BSTR is ""

// An owned VARIANT, cleared on destruction.
class ComVariant {
public:
    ComVariant() { VariantInit(&v_); }
    explicit ComVariant(const Variant& value) : ComVariant() { ToVARIANT(value, &v_); }
    ~ComVariant() { VariantClear(&v_); }
    ComVariant(const ComVariant&) = delete;
    ComVariant& operator=(const ComVariant&) = delete;
    ComVariant(ComVariant&& o) noexcept : v_(o.v_) { VariantInit(&o.v_); }

    VARIANT* Get() { return &v_; }
    const VARIANT& operator*() const { return v_; }
    VARIANT* operator->() { return &v_; }
    VARIANT* Put() { VariantClear(&v_); return &v_; }   // cleared, for an [out] VARIANT*
    VARIANT Detach() { VARIANT r = v_; VariantInit(&v_); return r; }

private:
    VARIANT v_;
};

}  // namespace kv::com
