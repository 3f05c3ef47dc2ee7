#include "update/VersionFile.h"

#include <windows.h>

#include <vector>

#include "KVError.h"
#include "update/basVersionCheck.h"

namespace kvr {

namespace {

constexpr long conErrTypeMismatch = 13;
constexpr const wchar_t* conBlanks = L" \t";
constexpr int conFirstLine = 3;  // version; then release date and additional information

[[noreturn]] void Invalid(const std::wstring& strWhat) {
    throw kv::KVError(conErrTypeMismatch, L"Die Versionsdatei ist ungültig (" + strWhat + L").");
}

std::wstring Trim(const std::wstring& strText) {
    const size_t first = strText.find_first_not_of(conBlanks);
    if (first == std::wstring::npos) return L"";
    return strText.substr(first, strText.find_last_not_of(conBlanks) - first + 1);
}

// A whole number of up to nine digits, nothing else: the parts of versions and dates are
// never signed, and nine digits cannot overflow.
long WholeNumber(const std::wstring& strText, const wchar_t* strWhat) {
    const std::wstring text = Trim(strText);
    if (text.empty() || text.size() > 9 || text.find_first_not_of(L"0123456789") != std::wstring::npos)
        Invalid(std::wstring(strWhat) + L" \"" + text + L"\"");
    return std::stol(text);
}

std::vector<std::wstring> Lines(const std::wstring& strText) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (;;) {
        size_t end = strText.find(L'\n', start);
        std::wstring line = strText.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::wstring::npos) return lines;
        start = end + 1;
    }
}

// The text after the label (the first blank), trimmed.
std::wstring AfterLabel(const std::wstring& strLine, const wchar_t* strWhat) {
    const size_t blank = strLine.find(L' ');
    if (blank == std::wstring::npos) Invalid(std::wstring(strWhat) + L" ohne Bezeichnung");
    return Trim(strLine.substr(blank + 1));
}

std::optional<std::wstring> Decoded(const std::string& bytes, UINT codePage, DWORD flags) {
    if (bytes.empty()) return std::wstring();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length);
    return text;
}

}  // namespace

std::optional<std::wstring> VersionFileText(const std::string& bytes) {
    if (bytes.find('\0') != std::string::npos) return std::nullopt;
    std::string body = bytes;
    if (body.rfind("\xEF\xBB\xBF", 0) == 0) body.erase(0, 3);
    if (auto text = Decoded(body, CP_UTF8, MB_ERR_INVALID_CHARS)) return text;
    return Decoded(body, CP_ACP, 0);
}

bool HasDownloadMark(const std::wstring& strText, const std::wstring& strApplication) {
    return strText.find(L"Download " + strApplication) != std::wstring::npos;
}

void ParseVersionText(const std::wstring& strVersion, long& lngMajor, long& lngMinor, long& lngBuild) {
    const size_t dot = strVersion.find(L'.');
    if (dot == std::wstring::npos) Invalid(L"Version \"" + strVersion + L"\" ohne \".\"");
    const std::wstring rest = strVersion.substr(dot + 1);
    const size_t build = rest.find(L"Build");
    if (build == std::wstring::npos) Invalid(L"Version \"" + strVersion + L"\" ohne \"Build\"");
    lngMajor = WholeNumber(strVersion.substr(0, dot), L"Hauptversion");
    lngMinor = WholeNumber(rest.substr(0, build), L"Unterversion");
    lngBuild = WholeNumber(rest.substr(build + 5), L"Build");
}

VersionFileInfo ReadVersionFile(const std::wstring& strText) {
    const std::vector<std::wstring> lines = Lines(strText);
    if (lines.size() < conFirstLine + 2) Invalid(L"weniger als fünf Zeilen");
    VersionFileInfo info;
    info.VersionText = AfterLabel(lines[conFirstLine - 1], L"Version");
    ParseVersionText(info.VersionText, info.Major, info.Minor, info.Build);

    const std::wstring date = AfterLabel(lines[conFirstLine], L"Datum");
    const size_t first = date.find(L'.'), second = first == std::wstring::npos ? first : date.find(L'.', first + 1);
    if (second == std::wstring::npos) Invalid(L"Datum \"" + date + L"\"");
    const long day = WholeNumber(date.substr(0, first), L"Tag");
    const long month = WholeNumber(date.substr(first + 1, second - first - 1), L"Monat");
    const long year = WholeNumber(date.substr(second + 1), L"Jahr");
    // The system's calendar refuses a day past the month's end.
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    FILETIME released{};
    if (year < 100 || year > 9999 || month > 12 || day > 31 || !SystemTimeToFileTime(&st, &released))
        Invalid(L"Datum \"" + date + L"\"");
    info.ReleaseDate = FileTimeToDate(released);

    info.AdditionalInfo = lines[conFirstLine + 1];
    return info;
}

long long VersionNumber(long lngMajor, long lngMinor, long lngBuild) {
    return lngMajor * 100000LL + lngMinor * 1000LL + lngBuild;
}

}  // namespace kvr
