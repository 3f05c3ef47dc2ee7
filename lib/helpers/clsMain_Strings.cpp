// Text helpers: trimming, padding, lists, file names, wrapping, relative paths.
#include <algorithm>
#include <string_view>

#include "clsMain.h"
#include "clsMainInternal.h"
#include "DecimalText.h"

namespace kv {

namespace detail {

std::wstring UpperCase(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring LowerCase(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace detail

namespace {
[[noreturn]] void InvalidArgument() { throw KVError(5, L"Invalid procedure call or argument"); }

// The longest text a string of the platform (a BSTR, below 2 GB) can carry.
constexpr long kMaxTextLength = 0x3FFFFFFF;
}  // namespace

std::wstring clsMain::DirRemoveBackslash(const std::wstring& strDirectory) {
    if (!strDirectory.empty() && strDirectory.back() == L'\\')
        return strDirectory.substr(0, strDirectory.size() - 1);
    return strDirectory;
}

std::wstring clsMain::DirAddBackslash(const std::wstring& strDirectory) {
    if (!strDirectory.empty() && strDirectory.back() == L'\\') return strDirectory;
    return strDirectory + L"\\";
}

std::wstring clsMain::FillString(const std::wstring& strText, const std::wstring& strChar, long lngLength,
                                 long lngDirection) {
    return detail::Guarded(L"FillString", [&] {
        if (strChar.empty() || lngLength <= static_cast<long>(strText.size())) return strText;
        // Refused before gigabytes are filled: no string (BSTR) of the platform holds more.
        if (lngLength > kMaxTextLength)
            throw KVError(14, L"Länge \"" + kv::DecimalText(lngLength) + L"\" zu groß (höchstens " +
                                  kv::DecimalText(kMaxTextLength) + L" Zeichen).");
        std::wstring fill(static_cast<size_t>(lngLength) - strText.size(), strChar[0]);
        return lngDirection == conDir_After ? strText + fill : fill + strText;
    });
}

void clsMain::SplitFilename(const std::wstring& strFileName, std::wstring& strFolder, std::wstring& strFile,
                            std::wstring& strExtension) {
    strFolder.clear();
    strFile.clear();
    strExtension.clear();
    size_t slash = strFileName.rfind(L'\\');
    std::wstring rest = strFileName;
    if (slash != std::wstring::npos) {
        strFolder = strFileName.substr(0, slash + 1);
        rest = strFileName.substr(slash + 1);
    }
    size_t dot = rest.find(L'.');
    strFile = rest.substr(0, dot);
    if (dot != std::wstring::npos) strExtension = rest.substr(dot + 1);
}

std::wstring clsMain::ExtractItem(long& lngStartPos, const std::wstring& strString,
                                  const std::wstring& strMarkerStartChar, const std::wstring& strMarkerEndChar,
                                  long lngColumn, long lngListMode) {
    std::wstring startMarker = strMarkerStartChar;
    std::wstring endMarker = strMarkerEndChar.empty() ? startMarker : strMarkerEndChar;
    const std::wstring& work = strString;
    if (lngColumn < 1) lngColumn = 1;
    if (startMarker.empty()) {  // nothing can delimit an item
        lngStartPos = 0;
        return L"";
    }
    if (lngListMode == conListSingleSeperation) {
        // The separator delimits every item as if it stood before the first and after the
        // last; items are read left to right like CountItemsInList counts them, so an item
        // may hold part of the separator ("|" in a "||" list). Positions are those of the
        // list with that leading separator: the item after the separator at position p starts
        // at index p - 1 of the list.
        const size_t length = startMarker.size();
        const size_t from = lngStartPos <= 1 ? 0 : static_cast<size_t>(lngStartPos - 1);
        size_t itemStart = 0;
        if (from > 0) {
            const size_t marker = strString.find(startMarker, from >= length ? from - length : 0);
            if (marker == std::wstring::npos) {
                lngStartPos = 0;
                return L"";
            }
            itemStart = marker + length;
        }
        for (long column = 1;; ++column) {
            size_t end = strString.find(startMarker, itemStart);
            if (column == lngColumn) {
                if (end == std::wstring::npos) end = strString.size();
                lngStartPos = static_cast<long>(itemStart + 1);
                return strString.substr(itemStart, end - itemStart);
            }
            if (end == std::wstring::npos) {
                lngStartPos = 0;
                return L"";
            }
            itemStart = end + length;
        }
    }

    size_t pos = lngStartPos <= 0 ? 0 : static_cast<size_t>(lngStartPos - 1);
    size_t s = std::wstring::npos, e = std::wstring::npos;
    for (long column = 1; column <= lngColumn; ++column) {
        s = pos < work.size() ? work.find(startMarker, pos) : std::wstring::npos;
        e = s == std::wstring::npos ? s : work.find(endMarker, s + startMarker.size());
        if (e == std::wstring::npos) {
            lngStartPos = 0;
            return L"";
        }
        pos = e;
    }
    lngStartPos = static_cast<long>(s + 1);
    return work.substr(s + startMarker.size(), e - s - startMarker.size());
}

long clsMain::CountItemsInList(const std::wstring& strList, const std::wstring& strSeparator) {
    if (strList.empty()) return 0;
    long count = 1;
    if (strSeparator.empty()) return count;
    for (size_t at = strList.find(strSeparator); at != std::wstring::npos;
         at = strList.find(strSeparator, at + strSeparator.size()))
        ++count;
    return count;
}

std::wstring clsMain::TrimChars(const std::wstring& strString, const std::wstring& strCharsToRemove) {
    if (strString.empty() || strCharsToRemove.empty()) return strString;
    size_t first = strString.find_first_not_of(strCharsToRemove);
    if (first == std::wstring::npos) return L"";
    size_t last = strString.find_last_not_of(strCharsToRemove);
    return strString.substr(first, last - first + 1);
}

std::wstring clsMain::Caps(const std::wstring& strString) {
    if (strString.empty()) return strString;
    return detail::UpperCase(strString.substr(0, 1)) + detail::LowerCase(strString.substr(1));
}

long clsMain::GetCharPos(long lngStart, const std::wstring& strString, const std::wstring& strCharsToSearchFor,
                         std::wstring& strFoundChar) {
    return detail::Guarded(L"GetCharPos", [&]() -> long {
        if (lngStart < 1) InvalidArgument();
        strFoundChar.clear();
        if (strCharsToSearchFor.empty() || static_cast<size_t>(lngStart) > strString.size()) return 0;
        size_t at = strString.find_first_of(strCharsToSearchFor, static_cast<size_t>(lngStart - 1));
        if (at == std::wstring::npos) return 0;
        strFoundChar = strString.substr(at, 1);
        return static_cast<long>(at + 1);
    });
}

long clsMain::InStrChars(long lngStart, const std::wstring& strText, const std::wstring& strCharsList) {
    return detail::Guarded(L"InStrChars", [&] {
        std::wstring found;
        return GetCharPos(lngStart, strText, strCharsList, found);
    });
}

std::wstring clsMain::FirstNonNumChar(const std::wstring& strText, long lngChecktype) {
    return detail::Guarded(L"FirstNonNumChar", [&]() -> std::wstring {
        std::wstring allowed = L"0123456789";
        if (lngChecktype == conDTFNCT_WithSign || lngChecktype == conDTFNCT_WithAll) allowed += L"+-";
        if (lngChecktype == conDTFNCT_WithDeciamlSep || lngChecktype == conDTFNCT_WithAll)
            allowed += detail::DecimalSeparator();
        size_t at = strText.find_first_not_of(allowed);
        return at == std::wstring::npos ? L"" : strText.substr(at, 1);
    });
}

std::wstring clsMain::CommaToDot(const Variant& vntNumber) {
    return detail::Guarded(L"CommaToDot", [&] {
        std::wstring text = vntNumber.ToString();
        std::replace(text.begin(), text.end(), L',', L'.');
        return text;
    });
}

long clsMain::ExtractNumber(const std::wstring& strText) {
    return detail::Guarded(L"ExtractNumber", [&]() -> long {
        size_t first = strText.find_first_of(L"0123456789");
        if (first == std::wstring::npos) return 0;
        long long value = 0;
        for (size_t i = first; i < strText.size() && strText[i] >= L'0' && strText[i] <= L'9'; ++i) {
            value = value * 10 + (strText[i] - L'0');
            if (value > 2147483647LL) throw KVError(6, L"Overflow");
        }
        return static_cast<long>(value);
    });
}

std::wstring clsMain::ColumnToChar(long lngColumn) {
    return detail::Guarded(L"ColumnToChar", [&] {
        if (lngColumn < 1) InvalidArgument();
        std::wstring letters;
        for (long n = lngColumn; n > 0; n = (n - 1) / 26)
            letters.insert(letters.begin(), static_cast<wchar_t>(L'A' + (n - 1) % 26));
        return letters;
    });
}

long clsMain::CharToColumn(const std::wstring& strColumn) {
    return detail::Guarded(L"CharToColumn", [&] {
        if (strColumn.empty()) InvalidArgument();
        long long column = 0;
        for (wchar_t c : strColumn) {
            wchar_t u = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
            if (u < L'A' || u > L'Z') InvalidArgument();
            column = column * 26 + (u - L'A' + 1);
            if (column > 2147483647LL) throw KVError(6, L"Overflow");
        }
        return static_cast<long>(column);
    });
}

std::wstring clsMain::WrapText(const std::wstring& strText, long lngMargin, const std::wstring& strWrapableChars,
                               const std::wstring& strWrapChar) {
    if (lngMargin < 1) return strText;
    const size_t margin = static_cast<size_t>(lngMargin);
    std::wstring result;
    result.reserve(strText.size() + strText.size() / margin * strWrapChar.size());
    // Each line is consumed from the front as a view: the work stays proportional to the text.
    auto wrapLine = [&](std::wstring_view line) {
        while (line.size() > margin) {
            // A blank may stand right at the margin (it is dropped); another wrapable
            // character stays at the end of the line, so it must fit before the margin.
            size_t cut = std::wstring::npos;
            for (size_t k = std::min(margin, line.size() - 1); k >= 1; --k) {
                if (strWrapableChars.find(line[k]) == std::wstring::npos) continue;
                if (line[k] == L' ' || k < margin) { cut = k; break; }
            }
            size_t take = margin, skip = margin;
            if (cut != std::wstring::npos) {
                take = line[cut] == L' ' ? cut : cut + 1;
                skip = cut + 1;
            }
            result.append(line.substr(0, take)).append(strWrapChar);
            line.remove_prefix(skip);
        }
        result.append(line);
    };

    // Existing line breaks stay; every line is wrapped on its own.
    const std::wstring_view text(strText);
    size_t start = 0;
    while (true) {
        size_t nl = text.find(L'\n', start);
        if (nl == std::wstring::npos) {
            wrapLine(text.substr(start));
            return result;
        }
        size_t end = (nl > start && text[nl - 1] == L'\r') ? nl - 1 : nl;
        wrapLine(text.substr(start, end - start));
        result.append(text.substr(end, nl + 1 - end));
        start = nl + 1;
    }
}

long clsMain::SplitString(const std::wstring& strList, const std::wstring& strDelimiter, Variant& vntArrayList) {
    return detail::Guarded(L"SplitString", [&] {
        std::vector<std::wstring> parts;
        if (!strList.empty()) {
            size_t start = 0;
            while (!strDelimiter.empty()) {
                size_t at = strList.find(strDelimiter, start);
                if (at == std::wstring::npos) break;
                parts.push_back(strList.substr(start, at - start));
                start = at + strDelimiter.size();
            }
            parts.push_back(strList.substr(start));
        }
        auto array = VariantArray::Make(VT_VARIANT, {0}, {static_cast<long>(parts.size())});
        for (size_t i = 0; i < parts.size(); ++i) array->items[i] = Variant(parts[i]);
        vntArrayList = Variant(array);
        return static_cast<long>(parts.size());
    });
}

Variant clsMain::Nz(const Variant& vntValue, const Variant& vntRetValue) {
    return vntValue.IsNull() ? vntRetValue : vntValue;
}

Variant clsMain::Az(const Variant& vntValue, const Variant& vntToReplace, const Variant& vntReplaceWith) {
    return detail::Guarded(L"Az", [&] { return vntValue == vntToReplace ? vntReplaceWith : vntValue; });
}

bool clsMain::ToBoolean(const Variant& vntValue) {
    if (vntValue.IsBoolean()) return vntValue.Get<bool>();
    if (vntValue.IsNumeric()) return vntValue.ToDouble() != 0;
    if (vntValue.IsString()) {
        const std::wstring u = detail::UpperCase(vntValue.Get<std::wstring>());
        return u == L"JA" || u == L"YES" || u == L"J" || u == L"Y";
    }
    return false;
}

std::wstring clsMain::GetRelativePath(const std::wstring& strPath1, const std::wstring& strPath2) {
    return detail::Guarded(L"GetRelativePath", [&]() -> std::wstring {
        auto split = [](const std::wstring& path) {
            std::vector<std::wstring> parts;
            size_t start = 0;
            while (start <= path.size()) {
                size_t at = path.find(L'\\', start);
                if (at == std::wstring::npos) at = path.size();
                parts.push_back(path.substr(start, at - start));
                start = at + 1;
            }
            while (!parts.empty() && parts.back().empty()) parts.pop_back();
            return parts;
        };
        auto same = [](const std::wstring& a, const std::wstring& b) {
            return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                        static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
        };
        const std::vector<std::wstring> from = split(strPath1), to = split(strPath2);
        // The root is the drive, or server and share of a network path.
        const size_t root = strPath1.rfind(L"\\\\", 0) == 0 ? 4 : 1;
        if (from.size() < root || to.size() < root) return strPath2;
        for (size_t i = 0; i < root; ++i)
            if (!same(from[i], to[i])) return strPath2;

        size_t common = 0;
        while (common < from.size() && common < to.size() && same(from[common], to[common])) ++common;
        std::wstring result;
        for (size_t i = common; i < from.size(); ++i) result += L"..\\";
        for (size_t i = common; i < to.size(); ++i) result += to[i] + (i + 1 < to.size() ? L"\\" : L"");
        if (common < to.size() && !strPath2.empty() && strPath2.back() == L'\\') result += L"\\";
        return result;
    });
}

}  // namespace kv
