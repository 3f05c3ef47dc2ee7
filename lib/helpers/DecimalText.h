#pragma once
// Whole numbers as decimal text. std::to_wstring formats through the C99 wide printf, which
// the static runtime would then carry in every binary (about 20 KB) for nothing but digits.
#include <concepts>
#include <string>

namespace kv {

std::wstring DecimalText(unsigned long long magnitude, bool negative);

template <std::integral T>
std::wstring DecimalText(T value) {
    const auto wide = static_cast<unsigned long long>(value);
    return value < 0 ? DecimalText(0ull - wide, true) : DecimalText(wide, false);
}

}  // namespace kv
