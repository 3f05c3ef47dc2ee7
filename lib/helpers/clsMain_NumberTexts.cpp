// Number helpers: rounding, scaling and locale-aware number texts.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

#include "clsMain.h"
#include "clsMainInternal.h"
#include "DecimalText.h"

namespace kv {

namespace {

// The platform's formatter takes 0 to 9 decimal places (a locale's own setting is one digit).
constexpr long kMaxDecimalPlaces = 9;
// Wine's GetNumberFormat overruns its buffer on results of some 300 characters: longer
// results are refused before the call.
constexpr size_t kMaxNumberText = 256;

// A number as a message names it: 15 significant digits, as a Basic prints it.
std::wstring MessageText(double value) {
    if (std::isnan(value)) return L"NaN";
    if (std::isinf(value)) return value < 0 ? L"-INF" : L"INF";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return std::wstring(buffer, buffer + std::strlen(buffer));
}

[[noreturn]] void NotANumber(double value) {
    throw KVError(6, L"Zahl \"" + MessageText(value) + L"\" ist nicht darstellbar.");
}

// Shortest round-trip digits of |value| and the exponent of the first digit: the fewest
// significant digits that read back as the same double (printf rather than std::to_chars,
// whose tables would double the size of the library).
void Digits(double value, std::string& digits, int& exponent) {
    char buffer[64];
    const double magnitude = std::fabs(value);
    for (int precision = 0; precision <= 16; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision, magnitude);
        if (std::strtod(buffer, nullptr) == magnitude) break;
    }
    const char* e = std::strchr(buffer, 'e');
    exponent = static_cast<int>(std::strtol(e + 1, nullptr, 10));
    digits.clear();
    for (const char* c = buffer; c < e; ++c)
        if (*c != '.') digits += *c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

// The value in plain digits without exponent, as few as read back the same.
std::string FixedShortest(double value) {
    std::string digits;
    int exponent = 0;
    Digits(value, digits, exponent);
    std::string text = std::signbit(value) && value != 0 ? "-" : "";
    if (exponent < 0) {
        text += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else if (static_cast<size_t>(exponent) + 1 >= digits.size()) {
        text += digits + std::string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        text += digits.substr(0, static_cast<size_t>(exponent) + 1) + "." +
                digits.substr(static_cast<size_t>(exponent) + 1);
    }
    return text;
}

// The locale's digit grouping in the form NUMBERFMT wants ("3;0" -> 3, "3;2;0" -> 32).
UINT Grouping(const std::wstring& pattern) {
    std::vector<UINT> sizes;
    for (size_t at = 0; at < pattern.size();) {
        size_t end = pattern.find(L';', at);
        if (end == std::wstring::npos) end = pattern.size();
        sizes.push_back(static_cast<UINT>(std::wcstoul(pattern.substr(at, end - at).c_str(), nullptr, 10)));
        at = end + 1;
    }
    UINT result = 0;
    for (UINT s : sizes) result = result * 10 + s;
    if (!sizes.empty() && sizes.back() == 0) result /= 10;  // "…;0": the last group repeats
    else result *= 10;
    return result;
}

}  // namespace

double clsMain::Round(double dblNumber, double dblPrecision) {
    return detail::Guarded(L"Round", [&] {
        if (!std::isfinite(dblNumber)) NotANumber(dblNumber);
        if (!std::isfinite(dblPrecision)) NotANumber(dblPrecision);
        if (dblPrecision == 0) throw KVError(11, L"Division by zero");
        const double sign = dblNumber > 0 ? 1 : (dblNumber < 0 ? -1 : 0);
        // A quotient within a few units of its last place below a half counts as the half that
        // binary fractions miss (2.675 / 0.01 = 267.49999999999997); the tolerance is the
        // quotient's own precision, so a large quotient's real fraction (.498) still decides.
        const double quotient = dblNumber / dblPrecision;
        const double whole = std::trunc(quotient);
        const double magnitude = std::fabs(quotient);
        const double ulps = 4 * (std::nextafter(magnitude, INFINITY) - magnitude);
        const double q = whole + (std::fabs(quotient - whole) >= 0.5 - ulps ? sign : 0);
        const double result = q * dblPrecision;
        if (!std::isfinite(result))
            throw KVError(6, L"Ergebnis von Round(" + MessageText(dblNumber) + L"; " + MessageText(dblPrecision) +
                                 L") außerhalb des Zahlenbereichs.");
        return result;
    });
}

void clsMain::TransformSize(long& lngWidth, long& lngHeight, long lngMaxWidth, long lngMaxHeight,
                            bool blnNeverZoom) {
    detail::Guarded(L"TransformSize", [&] {
        if (lngWidth == 0 || lngHeight == 0) return;
        if (lngWidth <= lngMaxWidth && lngHeight <= lngMaxHeight && blnNeverZoom) return;
        double factor = static_cast<double>(lngMaxWidth) / lngWidth;
        if (lngHeight * factor > lngMaxHeight) factor = static_cast<double>(lngMaxHeight) / lngHeight;
        const double width = std::nearbyint(lngWidth * factor), height = std::nearbyint(lngHeight * factor);
        // Negative maxima can scale a size beyond a Long; both values stay as they were.
        auto fits = [](double v) { return v >= -2147483648.0 && v <= 2147483647.0; };
        if (!fits(width) || !fits(height))
            throw KVError(6, L"Größe " + kv::DecimalText(lngWidth) + L" x " + kv::DecimalText(lngHeight) +
                                 L" mit dem Faktor " + MessageText(factor) + L" außerhalb des Zahlenbereichs.");
        lngWidth = static_cast<long>(width);
        lngHeight = static_cast<long>(height);
    });
}

std::wstring clsMain::ConvertNumberFromExponential(double dblValue) {
    return detail::Guarded(L"ConvertNumberFromExponential", [&]() -> std::wstring {
        if (!std::isfinite(dblValue)) NotANumber(dblValue);
        if (dblValue == 0) return L"0";
        std::string digits;
        int exponent = 0;
        Digits(dblValue, digits, exponent);
        const long intDigits = exponent + 1;  // digits before the decimal separator
        std::string text;
        std::string sep = "\x01";             // placeholder, replaced by the locale's separator
        if (intDigits <= 0)
            text = "0" + sep + std::string(static_cast<size_t>(-intDigits), '0') + digits;
        else if (intDigits >= static_cast<long>(digits.size()))
            text = digits + std::string(static_cast<size_t>(intDigits) - digits.size(), '0');
        else
            text = digits.substr(0, static_cast<size_t>(intDigits)) + sep + digits.substr(static_cast<size_t>(intDigits));
        std::wstring result = dblValue < 0 ? L"-" : L"";
        for (char c : text) result += c == '\x01' ? detail::DecimalSeparator() : std::wstring(1, static_cast<wchar_t>(c));
        return result;
    });
}

long clsMain::GetDecimalPos(double dblNumber) {
    return detail::Guarded(L"GetDecimalPos", [&]() -> long {
        const std::wstring text = Variant(dblNumber).ToString();
        size_t at = text.find_first_of(L".,");
        return at == std::wstring::npos ? 0 : static_cast<long>(at + 1);
    });
}

std::wstring clsMain::FN(double dblNumber, long lngDecimalPlaces) {
    return detail::Guarded(L"FN", [&]() -> std::wstring {
        if (!std::isfinite(dblNumber)) NotANumber(dblNumber);
        if (lngDecimalPlaces < -1 || lngDecimalPlaces > kMaxDecimalPlaces)
            throw KVError(5, L"Anzahl der Nachkommastellen \"" + kv::DecimalText(lngDecimalPlaces) +
                                 L"\" ungültig (erlaubt sind 0 bis 9 oder -1).");
        // The value as plain digits, which GetNumberFormat expects.
        std::string plain = FixedShortest(dblNumber);
        size_t dot = plain.find('.');
        if (lngDecimalPlaces < 0 && dot != std::string::npos && plain.size() - dot - 1 > kMaxDecimalPlaces) {
            // The number's own decimals, as many as the formatter takes.
            char buffer[400];
            std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(kMaxDecimalPlaces), dblNumber);
            plain.assign(buffer);
            plain.erase(plain.find_last_not_of('0') + 1);
            if (plain.back() == '.') plain.pop_back();
            if (plain.find_first_not_of("-0.") == std::string::npos) plain.assign(1, '0');  // no "-0"
            dot = plain.find('.');
        }
        const UINT decimals = lngDecimalPlaces >= 0 ? static_cast<UINT>(lngDecimalPlaces)
                                                    : (dot == std::string::npos ? 0 : static_cast<UINT>(plain.size() - dot - 1));
        std::wstring value(plain.begin(), plain.end());

        std::wstring decimal = GetRegionalInfo(conRI_DecimalSeperator);
        std::wstring thousand = GetRegionalInfo(conRI_ThousandsSeperator);
        // At most: every integer digit followed by a separator, and a sign on both sides.
        const size_t integerDigits = (dot == std::string::npos ? plain.size() : dot) - (plain[0] == '-' ? 1 : 0);
        if (integerDigits * (1 + thousand.size()) + decimal.size() + decimals + 3 > kMaxNumberText)
            throw KVError(6, L"Zahl \"" + MessageText(dblNumber) +
                                 L"\" ist zu groß für die Darstellung mit Tausendertrennzeichen.");

        NUMBERFMTW format{};
        format.NumDigits = decimals;
        format.LeadingZero = static_cast<UINT>(std::wcstoul(GetRegionalInfo(conRI_LeadingZeros).c_str(), nullptr, 10));
        format.Grouping = Grouping(GetRegionalInfo(conRI_DigitGrouping));
        format.lpDecimalSep = decimal.data();
        format.lpThousandSep = thousand.data();
        format.NegativeOrder = static_cast<UINT>(std::wcstoul(GetRegionalInfo(conRI_NegativeNumberMode).c_str(), nullptr, 10));

        int n = GetNumberFormatW(LOCALE_USER_DEFAULT, 0, value.c_str(), &format, nullptr, 0);
        if (n == 0) RaiseLastError();
        std::wstring out(static_cast<size_t>(n), L'\0');
        if (GetNumberFormatW(LOCALE_USER_DEFAULT, 0, value.c_str(), &format, out.data(), n) == 0)
            RaiseLastError();
        out.resize(static_cast<size_t>(n - 1));
        return out;
    });
}

}  // namespace kv
