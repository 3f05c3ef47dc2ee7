#pragma once
// Conversions between the cores' kv::Variant and the automation VARIANT.
#include <windows.h>
#include <oaidl.h>
#include <string>

#include "Variant.h"

namespace kv::com {

// Follows VT_BYREF; arrays (SAFEARRAY of any element type, any dimensions) keep their
// bounds; VT_UI1 one-dimensional arrays become ByteArray. Unsupported types raise 13.
Variant FromVARIANT(const VARIANT& v);
// Writes into an initialised (empty) VARIANT the caller then owns.
void ToVARIANT(const Variant& value, VARIANT* out);

// Optional argument helpers: a missing optional VARIANT arrives as VT_ERROR/DISP_E_PARAMNOTFOUND.
bool IsMissing(const VARIANT& v);

BSTR ToBSTR(const std::wstring& s);   // raises E_OUTOFMEMORY as KVError
std::wstring FromBSTR(BSTR b);         // null BSTR is ""

}  // namespace kv::com
