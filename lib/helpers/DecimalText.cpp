#include "DecimalText.h"

namespace kv {

std::wstring DecimalText(unsigned long long magnitude, bool negative) {
    wchar_t buffer[24];
    wchar_t* const end = buffer + 24;
    wchar_t* p = end;
    do {
        *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *--p = L'-';
    return std::wstring(p, end);
}

}  // namespace kv
