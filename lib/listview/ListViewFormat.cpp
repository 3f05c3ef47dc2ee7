#include "ListViewFormat.h"

#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>

#include "ListViewEnums.h"
#include "ListViewMain.h"

namespace kv::listview {

namespace {

[[noreturn]] void TypeMismatch() { throw KVError(13, L"Type mismatch"); }

bool ReadDate(std::wstring text, DATE& date) {
    return SUCCEEDED(VarDateFromStr(text.data(), LOCALE_USER_DEFAULT, 0, &date));
}

double ToDate(const Variant& value) {
    if (value.IsDate()) return value.Get<Date>().value;
    if (value.IsNumeric()) return value.ToDouble();
    DATE date = 0;
    if (!ReadDate(value.ToString(), date)) TypeMismatch();
    return date;
}

double ToNumber(const Variant& value) {
    if (value.IsNumeric() || value.IsBoolean()) return value.ToDouble();
    if (value.IsDate()) return value.Get<Date>().value;
    return Main().UnFN(value.ToString());
}

std::wstring FormatDate(double date) {
    SYSTEMTIME time{};
    if (!VariantTimeToSystemTime(date, &time)) TypeMismatch();
    const std::wstring picture = Main().GetRegionalInfo(conRI_ShortDateFormat);
    wchar_t text[128];
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, 0, &time, picture.empty() ? nullptr : picture.c_str(), text, 128))
        TypeMismatch();
    return text;
}

std::wstring FormatNumber(double number, long format) {
    if (!std::isfinite(number)) TypeMismatch();
    const UINT decimals = static_cast<UINT>((format - conLVF_Number_Dec0) % 3);
    const bool thousands = format >= conLVF_Number_Dec0_th;
    // Plain digits with the decimals shown, halves rounded away from zero as the patterns do.
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(number * scale) / scale;
    char plain[400];
    std::snprintf(plain, sizeof plain, "%.*f", static_cast<int>(decimals), rounded);
    std::wstring value(plain, plain + std::char_traits<char>::length(plain));
    if (value.find_first_not_of(L"-0.") == std::wstring::npos && value[0] == L'-') value.erase(0, 1);  // no "-0"

    std::wstring decimal = Main().GetRegionalInfo(conRI_DecimalSeperator);
    std::wstring thousand = Main().GetRegionalInfo(conRI_ThousandsSeperator);
    NUMBERFMTW fmt{};
    fmt.NumDigits = decimals;
    fmt.LeadingZero = 1;
    fmt.Grouping = thousands ? 3 : 0;
    fmt.lpDecimalSep = decimal.data();
    fmt.lpThousandSep = thousand.data();
    fmt.NegativeOrder = 1;  // "-1"
    wchar_t text[512];
    if (!GetNumberFormatW(LOCALE_USER_DEFAULT, 0, value.c_str(), &fmt, text, 512)) TypeMismatch();
    return text;
}

}  // namespace

std::wstring FormatValue(long format, const Variant& value) {
    return Forwarded(L"clsListView", L"FormatValue", [&]() -> std::wstring {
        if (value.IsNull() || value.IsEmpty()) return L"";
        if (format == conLVF_Date) return value.ToString().empty() ? L"" : FormatDate(ToDate(value));
        if (IsNumberFormat(format)) return FormatNumber(ToNumber(value), format);
        return value.ToString();
    });
}

Variant ParseValue(long format, const std::wstring& text, bool formatted) {
    if (text.empty()) return Variant(std::wstring());
    if (format == conLVF_Date) return Variant(Date{ToDate(Variant(text))});
    if (IsNumberFormat(format) && !formatted) return Variant(Main().UnFN(text));
    return Variant(text);
}

double SortNumber(long format, const std::wstring& text) {
    if (text.empty()) return 0;
    DATE date = 0;
    if (format == conLVF_Date)
        return ReadDate(text, date) ? date : 0;
    double number = 0;
    try {
        number = Main().UnFN(text);
    } catch (const KVError&) {
        number = 0;
    }
    return number;
}

}  // namespace kv::listview
