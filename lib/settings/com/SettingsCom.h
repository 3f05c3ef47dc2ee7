#pragma once
// What the published classes of KVSettings.dll share.
#include <windows.h>
#include <oaidl.h>

#include "ComVariant.h"

// Generated from KVSettings.idl; its optional string parameters default to L"", which a
// C++ compiler warns about in the generated declarations.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wwrite-strings"
#endif
#include "KVSettings.h"
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace kv::settings::com {

inline constexpr const wchar_t* conProject = L"KVSettings";
using kv::com::ToVariantBool;

}  // namespace kv::settings::com
