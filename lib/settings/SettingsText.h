#pragma once
// Text at the edges of the library: the system's ANSI code page that the registry and
// profile functions are spoken to in, the limits those functions put on names, and the
// library's own error messages.
#include <cstddef>
#include <string>

#include "Variant.h"

namespace kv::settings {

// The library's own messages, numbered apart from the shared table (-52000 ... -52020) so
// that neither grows into the other. $1$ names the argument or property at fault.
inline constexpr long conErrTooLong = -52101;       // $2$ its length, $3$ the limit
inline constexpr long conErrNotAnsi = -52102;
inline constexpr long conErrDeleteRefused = -52103;  // $1$ the key path
inline constexpr long conErrKeyHasSubKeys = -52104;  // $1$ the key path
// From the shared table: "$1$" ungültig oder nicht gesetzt.
inline constexpr long conErrInvalid = -52016;

// Raises one of the library's own messages (or any of the shared table).
[[noreturn]] void RaiseSettingsError(long number, const Variant& param1 = L"", const Variant& param2 = L"",
                                     const Variant& param3 = L"");

// The text in the ANSI code page. A character without an exact form there (best-fit
// look-alikes included) raises conErrNotAnsi naming `what`: "日本" and "中国" would both
// become "??" and address the same entry.
std::string ToAnsi(const std::wstring& text, const wchar_t* what);

// A name, path or entry for the platform: raises conErrInvalid for a zero character (the
// platform would end the text there), conErrTooLong beyond maxChars (the platform counts
// lengths in 16 bits and would wrap around to another entry), then converts as ToAnsi.
std::string AnsiName(const std::wstring& text, const wchar_t* what, std::size_t maxChars);

std::wstring FromAnsi(const char* text, std::size_t length);

// Upper case as the user's locale writes it (for names and paths in messages).
std::wstring UpperCase(std::wstring text);

}  // namespace kv::settings
