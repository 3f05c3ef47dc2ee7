#pragma once
// Text at the edges of the library: the system's ANSI code page that the registry and
// profile functions are spoken to in, and the upper case used in error messages.
#include <cstddef>
#include <string>

namespace kv::settings {

std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const char* text, std::size_t length);

// Upper case as the user's locale writes it (for names and paths in messages).
std::wstring UpperCase(std::wstring text);

}  // namespace kv::settings
