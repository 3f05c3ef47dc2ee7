// IsValidDate: date and time texts checked with the platform's parser and short-date format.
#include <algorithm>
#include <cmath>
#include <vector>

#include "clsMain.h"
#include "clsMainInternal.h"
#include "DecimalText.h"

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

struct DateFields {
    wchar_t separator = 0;              // 0: the text has a single field
    std::vector<std::wstring> fields;   // at least three, missing ones empty
};

// Split at the text's first non-digit character.
DateFields SplitDate(const std::wstring& text) {
    DateFields d;
    size_t sepAt = text.find_first_not_of(L"0123456789");
    if (sepAt == std::wstring::npos) {
        d.fields.push_back(text);
    } else {
        d.separator = text[sepAt];
        size_t start = 0;
        for (size_t at = text.find(d.separator); at != std::wstring::npos; at = text.find(d.separator, start)) {
            d.fields.push_back(text.substr(start, at - start));
            start = at + 1;
        }
        d.fields.push_back(text.substr(start));
    }
    d.fields.resize(std::max<size_t>(d.fields.size(), 3));
    return d;
}

// A year field in four digits: a missing year is this year; one digit is padded to two;
// two digits: 30 and above the previous century, below 30 this one.
std::wstring FullYear(std::wstring year) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    if (year.empty()) return kv::DecimalText(now.wYear);
    if (year.size() == 1) year = L"0" + year;
    if (year.size() == 2 && year.find_first_not_of(L"0123456789") == std::wstring::npos) {
        const int century = now.wYear / 100 * 100;
        const int yy = (year[0] - L'0') * 10 + (year[1] - L'0');
        year = kv::DecimalText(yy >= 30 ? century - 100 + yy : century + yy);
    }
    return year;
}

// Day, month and year fields, day and month in two digits, the year in four.
std::wstring NormalizeDate(const std::wstring& text) {
    DateFields d = SplitDate(text);
    auto pad = [](const std::wstring& s) { return s.size() < 2 ? std::wstring(2 - s.size(), L'0') + s : s; };
    std::wstring result = pad(d.fields[0]) + L"." + pad(d.fields[1]) + L"." + FullYear(d.fields[2]);
    for (size_t i = 3; i < d.fields.size(); ++i) result += L"." + d.fields[i];
    return result;
}

// The text with a short year written out by the rule above, so that the parser's own
// two-digit-year window (Wine's, or one the user changed) cannot move it to another century.
std::wstring WithFullYear(const std::wstring& text) {
    wchar_t order[4] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDATE, order, 4);
    DateFields d = SplitDate(text);
    if (order[0] == L'2' || d.separator == 0 || d.fields.size() != 3 || d.fields[2].empty() ||
        d.fields[2].size() > 2)
        return text;  // the year does not come last, or is not short
    return d.fields[0] + d.separator + d.fields[1] + d.separator + FullYear(d.fields[2]);
}

// A date without a time portion whose text matches the date's short-date form.
bool IsValidDatePart(const std::wstring& text) {
    double value = 0;
    if (!ParseDate(WithFullYear(text), value) || value != std::floor(value)) return false;
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
