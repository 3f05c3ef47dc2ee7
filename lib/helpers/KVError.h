#pragma once
// The one exception of the error convention: an error number and its description.
// Every component raises it; the COM faces turn it into a COM error and back.
#include <exception>
#include <string>

namespace kv {

class KVError : public std::exception {
public:
    KVError(long number, std::wstring description)
        : Number(number), Description(std::move(description)) {}
    const char* what() const noexcept override { return "KVError"; }

    long Number;
    std::wstring Description;
};

// The description of a failure the library did not foresee (a C++ library exception that
// escaped): the exception's own text is an English implementation detail and is never shown.
inline constexpr const wchar_t* conUnexpectedErrorText = L"Unerwarteter interner Fehler der Komponente.";

}  // namespace kv
