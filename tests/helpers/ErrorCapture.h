#pragma once
// The error a call raises (a failed expectation when it raises none).
#include <gtest/gtest.h>

#include <string>

#include "KVError.h"

namespace kv::test {

template <class Call>
KVError Raised(Call&& call) {
    try {
        call();
    } catch (const KVError& error) {
        return error;
    }
    ADD_FAILURE() << "no error was raised";
    return KVError(0, L"");
}

inline bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace kv::test
