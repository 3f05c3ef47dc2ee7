#pragma once
// The library's own error messages, numbered apart from the shared table (-52000 ... -52020)
// and from the other libraries' own numbers.
#include "Variant.h"

namespace kv::files {

// $1$ the file, $2$ its size in bytes: too large for the 32-bit Size.
inline constexpr long conErrSizeTooLarge = -52301;
// A search started again while it is still running (from one of its own event handlers).
inline constexpr long conErrSearchRunning = -52302;
// From the shared table: "$1$" ungültig oder nicht gesetzt.
inline constexpr long conErrInvalid = -52016;
// From the shared table: Fehler ($1$) beim Schreiben des Datums für "$2$".
inline constexpr long conErrWriteDate = -52015;

// Raises one of the library's own messages (or any of the shared table).
[[noreturn]] void RaiseFilesError(long number, const Variant& param1 = L"", const Variant& param2 = L"");

}  // namespace kv::files
