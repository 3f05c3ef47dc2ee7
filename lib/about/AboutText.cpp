#include "AboutText.h"

#include <cwctype>

#include "LastError.h"
#include "clsVersionGlobal.h"
#include "DecimalText.h"

namespace kv {

std::optional<SYSTEMTIME> FileLastWrite(const std::wstring& strPath) {
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (strPath.empty() || !GetFileAttributesExW(strPath.c_str(), GetFileExInfoStandard, &file) ||
        (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    FILETIME local;
    SYSTEMTIME written;
    RaiseLastErrorIf(!FileTimeToLocalFileTime(&file.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &written));
    return written;
}

long YearOf(const std::wstring& strText) {
    size_t first = strText.find_first_not_of(L' ');
    size_t last = strText.find_last_not_of(L' ');
    if (first == std::wstring::npos) return 0;
    long year = 0;
    for (size_t i = first; i <= last; ++i) {
        if (!std::iswdigit(strText[i]) || year > 99999) return 0;
        year = year * 10 + (strText[i] - L'0');
    }
    return year;
}

std::wstring VersionLine() {
    clsVersionGlobal identity;
    return L"Version " + kv::DecimalText(identity.InfoMajorVersion()) + L"." +
           kv::DecimalText(identity.InfoMinorVersion()) + L" Build " + kv::DecimalText(identity.InfoBuild());
}

std::wstring CopyrightLine(long lngStartYear, const std::wstring& strEndYear, long lngCurrentYear) {
    std::wstring text = L"Copyright © " + kv::DecimalText(lngStartYear ? lngStartYear : lngCurrentYear);
    if (long end = YearOf(strEndYear)) text += L" - " + kv::DecimalText(end);
    return text;
}

long CurrentYear() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear;
}

}  // namespace kv
