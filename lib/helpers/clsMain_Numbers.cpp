// Number helpers: the number check and reading numbers in the user's locale. (The texts and
// rounding live in clsMain_NumberTexts.cpp, so that a binary that only checks numbers does
// not carry the C99 printf.)
#include <cmath>
#include <cstdlib>
#include <string>

#include "clsMain.h"
#include "clsMainInternal.h"

namespace kv {

namespace {

// A number text in the user's locale: optional sign, digits with the locale's thousands
// separators, optionally the locale's decimal separator and more digits. Parsed here rather
// than by VarR8FromStr, which under Wine ignores the user's separator settings.
bool ParseLocaleNumber(const std::wstring& text, double& value) {
    const std::wstring decimal = detail::DecimalSeparator();
    const std::wstring thousand = clsMain().GetRegionalInfo(conRI_ThousandsSeperator);
    size_t first = text.find_first_not_of(L' '), last = text.find_last_not_of(L' ');
    if (first == std::wstring::npos) return false;
    const std::wstring t = text.substr(first, last - first + 1);
    std::string plain;
    size_t i = 0;
    if (t[i] == L'-' || t[i] == L'+') plain += static_cast<char>(t[i++]);
    bool digits = false, inFraction = false;
    while (i < t.size()) {
        if (t[i] >= L'0' && t[i] <= L'9') {
            plain += static_cast<char>(t[i++]);
            digits = true;
        } else if (!inFraction && !decimal.empty() && t.compare(i, decimal.size(), decimal) == 0) {
            plain += '.';
            i += decimal.size();
            inFraction = true;
        } else if (!inFraction && digits && !thousand.empty() && thousand != decimal &&
                   t.compare(i, thousand.size(), thousand) == 0) {
            i += thousand.size();
        } else {
            return false;
        }
    }
    if (!digits) return false;
    value = std::strtod(plain.c_str(), nullptr);
    return std::isfinite(value);
}

}  // namespace

bool clsMain::IsNumber(const Variant& vntNumber, long lngFormat, const Variant& dblRangeStart,
                       const Variant& dblRangeEnd) {
    return detail::Guarded(L"IsNumber", [&] {
        if (vntNumber.IsEmpty() || vntNumber.IsNull()) return false;
        if (vntNumber.IsArray() || vntNumber.IsObject()) return false;
        const std::wstring text = vntNumber.ToString();
        if (text.empty()) return false;

        std::wstring allowed = L"-0123456789";
        if (lngFormat == conNF_NumberFloatingPoint) allowed += detail::DecimalSeparator();
        if (text.find_first_not_of(allowed) != std::wstring::npos) return false;

        const bool ranged = !dblRangeStart.IsEmpty() && !dblRangeEnd.IsEmpty() && !dblRangeStart.IsNull() &&
                            !dblRangeEnd.IsNull();
        if (!ranged) return true;
        double value = 0;
        // "-" may stand anywhere; a text like "1-2" passes the characters but has no value.
        if (!ParseLocaleNumber(text, value)) return false;
        double low = dblRangeStart.ToDouble(), high = dblRangeEnd.ToDouble();
        if (low > high) std::swap(low, high);
        return value >= low && value <= high;
    });
}

double clsMain::UnFN(const std::wstring& strNumber) {
    return detail::Guarded(L"UnFN", [&] {
        double value = 0;
        if (!ParseLocaleNumber(strNumber, value)) throw KVError(13, L"Type mismatch");
        return value;
    });
}

}  // namespace kv
