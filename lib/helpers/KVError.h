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

}  // namespace kv
