// IsValidDate: date and time texts checked with the platform's parser and short-date format.
#include <cmath>

#include "clsMain.h"
#include "clsMainInternal.h"

namespace kv {

namespace {

std::wstring Trim(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return L"";
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

bool ParseDate(const std::wstring& text, double& value) {
    DATE d = 0;
    if (FAILED(VarDateFromStr(const_cast<OLECHAR*>(text.c_str()), LOCALE_USER_DEFAULT, 0, &d))) return false;
    value = d;
    return true;
}

// Day, month and year fields split at the text's first non-digit character, day and month
// two digits, the year four (a missing year is this year; two digits: 30 and above the
// previous century, below 30 this one).
std::wstring NormalizeDate(const std::wstring& text) {
    size_t sepAt = text.find_first_not_of(L"0123456789");
    std::vector<std::wstring> fields;
    if (sepAt == std::wstring::npos) {
        fields.push_back(text);
    } else {
        const wchar_t sep = text[sepAt];
        size_t start = 0;
        for (size_t at = text.find(sep); at != std::wstring::npos; at = text.find(sep, start)) {
            fields.push_back(text.substr(start, at - start));
            start = at + 1;
        }
        fields.push_back(text.substr(start));
    }
    fields.resize(std::max<size_t>(fields.size(), 3));

    auto pad = [](std::wstring s, size_t width) { return s.size() < width ? std::wstring(width - s.size(), L'0') + s : s; };
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const int century = now.wYear / 100 * 100;
    std::wstring year = fields[2];
    if (year.empty()) year = std::to_wstring(now.wYear);
    if (year.size() == 1) year = pad(year, 2);
    if (year.size() == 2 && year.find_first_not_of(L"0123456789") == std::wstring::npos) {
        int yy = (year[0] - L'0') * 10 + (year[1] - L'0');
        year = std::to_wstring(yy >= 30 ? century - 100 + yy : century + yy);
    }
    std::wstring result = pad(fields[0], 2) + L"." + pad(fields[1], 2) + L"." + year;
    for (size_t i = 3; i < fields.size(); ++i) result += L"." + fields[i];
    return result;
}

// A date without a time portion whose text matches the date's short-date form.
bool IsValidDatePart(const std::wstring& text) {
    double value = 0;
    if (!ParseDate(text, value) || value != std::floor(value)) return false;
    SYSTEMTIME st{};
    if (!VariantTimeToSystemTime(value, &st)) return false;
    wchar_t formatted[128] = {};
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, formatted, 128) == 0) return false;
    return NormalizeDate(text) == NormalizeDate(formatted);
}

// A time of day: parses, and carries no date.
bool IsValidTimePart(const std::wstring& text) {
    double value = 0;
    return ParseDate(text, value) && value >= 0 && value < 1;
}

}  // namespace

bool clsMain::IsValidDate(const std::wstring& strDate, long lngChecktype) {
    return detail::Guarded(L"IsValidDate", [&] {
        const std::wstring text = Trim(strDate);
        std::wstring datePart, timePart;
        if (lngChecktype == conDTCT_Date) {
            datePart = text;
        } else if (lngChecktype == conDTCT_Time) {
            timePart = text;
        } else {
            size_t blank = text.find(L' ');
            if (blank != std::wstring::npos) {
                datePart = Trim(text.substr(0, blank));
                timePart = Trim(text.substr(blank + 1));
            } else if (text.find(L':') != std::wstring::npos) {
                timePart = text;
            } else {
                datePart = text;
            }
        }
        const bool dateValid = !datePart.empty() && IsValidDatePart(datePart);
        const bool timeValid = !timePart.empty() && IsValidTimePart(timePart);
        switch (lngChecktype) {
        case conDTCT_DateAndTime: return dateValid && timeValid;
        case conDTCT_Date: return timePart.empty() && dateValid;
        case conDTCT_Time: return datePart.empty() && timeValid;
        default:
            return (datePart.empty() && timeValid) || (timePart.empty() && dateValid) || (dateValid && timeValid);
        }
    });
}

}  // namespace kv
