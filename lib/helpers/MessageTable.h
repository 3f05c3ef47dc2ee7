#pragma once
// The component error messages (-52000 to -52020) and the filling of their $1$..$5$
// placeholders. Shared by every library that raises a component error.
#include <string>

#include "Variant.h"

namespace kv {

// The raw table text of an error number; "Unbekannter Fehler." for numbers not in it.
std::wstring MessageTableText(long lngErrorNumber);

// Replaces the first occurrence of $1$..$5$ by the parameters' texts (Null gives "").
std::wstring FillPlaceholders(const std::wstring& strMessage, const Variant& vntParam1 = L"",
                              const Variant& vntParam2 = L"", const Variant& vntParam3 = L"",
                              const Variant& vntParam4 = L"", const Variant& vntParam5 = L"");

// The finished message of an error number: table text with its placeholders filled.
std::wstring ComponentMessage(long lngErrorNumber, const Variant& vntParam1 = L"",
                              const Variant& vntParam2 = L"", const Variant& vntParam3 = L"",
                              const Variant& vntParam4 = L"", const Variant& vntParam5 = L"");

}  // namespace kv
