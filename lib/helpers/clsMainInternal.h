#pragma once
// What the clsMain source files share and nobody else needs.
#include <exception>
#include <functional>
#include <new>
#include <string>

#include "LastError.h"
#include "clsMain.h"

namespace kv::detail {

// Runs a member body; any error leaves it forwarded with "clsMain_<function>" and "KVCore"
// in its chains, as every component member does. A C++ library exception (a fault of ours)
// leaves as an error too, without its English text.
// The error leaving a member, raised again as Guarded describes. Out of line, so each member
// carries one small handler, not three.
[[noreturn]] void RaiseGuarded(const wchar_t* function);

template <class F>
decltype(auto) Guarded(const wchar_t* function, F&& body) {
    try {
        return body();
    } catch (...) {
        RaiseGuarded(function);
    }
}

// The option-button rule: the first index in 0 .. count - 1 that is set, scanning no
// further than count - 1, which is the answer when none before it is set.
long FirstSetOption(long count, const std::function<bool(long)>& isSet);

// The user locale's decimal separator.
std::wstring DecimalSeparator();

// Upper/lower case by the platform's rules (umlauts included).
std::wstring UpperCase(std::wstring text);
std::wstring LowerCase(std::wstring text);

}  // namespace kv::detail
