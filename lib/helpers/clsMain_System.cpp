// System helpers: folders, locale entries, drives, file names and temporary files.
#include <shlobj.h>

#include "clsMain.h"
#include "Owned.h"
#include "clsMainInternal.h"

namespace kv {

namespace {

// A directory from one of the GetXxxDirectory calls, whatever its length.
template <class Call>
std::wstring QueryDirectory(Call call) {
    std::wstring buffer(MAX_PATH, L'\0');
    UINT n = call(static_cast<UINT>(buffer.size()), buffer.data());
    if (n >= buffer.size()) {
        buffer.resize(n);
        n = call(static_cast<UINT>(buffer.size()), buffer.data());
    }
    if (n == 0 || n >= buffer.size()) return L"";
    buffer.resize(n);
    return buffer;
}

// A value below HKLM\Software\Microsoft\Windows\CurrentVersion, with %variables% expanded.
std::wstring CurrentVersionValue(const wchar_t* name) {
    OwnedKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\", 0, KEY_QUERY_VALUE,
                      key.Receive()) != ERROR_SUCCESS)
        return L"";
    DWORD type = 0, bytes = 0;
    std::wstring value;
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        value.resize(bytes / sizeof(wchar_t) + 1);
        if (RegQueryValueExW(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &bytes) ==
            ERROR_SUCCESS)
            value.resize(wcsnlen(value.c_str(), bytes / sizeof(wchar_t)));
        else
            value.clear();
    }
    if (type == REG_EXPAND_SZ && !value.empty()) {
        DWORD n = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
        std::wstring expanded(n, L'\0');
        if (n != 0 && ExpandEnvironmentStringsW(value.c_str(), expanded.data(), n) == n) {
            expanded.resize(n - 1);
            value = expanded;
        }
    }
    return value;
}

// A special folder (CSIDL) through its item list; "" for virtual folders and failures.
std::wstring SpecialFolder(int csidl) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || list == nullptr) return L"";
    wchar_t path[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    return ok ? std::wstring(path) : L"";  // the text ends at the first zero character
}

}  // namespace

std::wstring detail::DecimalSeparator() { return clsMain().GetRegionalInfo(conRI_DecimalSeperator); }

std::wstring clsMain::GetSystemFolder(long lngFolder) {
    return detail::Guarded(L"GetSystemFolder", [&] {
        static const wchar_t* const kValues[] = {L"CommonFilesDir", L"ProgramFilesDir", L"MediaPath",
                                                 L"ConfigPath",     L"DevicePath",      L"OtherDevicePath",
                                                 L"WallpaperDir"};
        std::wstring folder;
        if (lngFolder == conWsf_Windows)
            folder = QueryDirectory([](UINT n, wchar_t* b) { return GetWindowsDirectoryW(b, n); });
        else if (lngFolder == conWsf_System)
            folder = QueryDirectory([](UINT n, wchar_t* b) { return GetSystemDirectoryW(b, n); });
        else if (lngFolder == conWsf_Temp)
            folder = QueryDirectory([](UINT n, wchar_t* b) { return static_cast<UINT>(GetTempPathW(n, b)); });
        else if (lngFolder >= conWsf_Common && lngFolder <= conWsf_Wallpaper)
            folder = CurrentVersionValue(kValues[lngFolder - conWsf_Common]);
        else
            folder = SpecialFolder(static_cast<int>(lngFolder));
        return folder.empty() ? folder : DirAddBackslash(folder);
    });
}

std::wstring clsMain::GetRegionalInfo(long lngWhichInfo, std::optional<bool> blnDefault) {
    LCTYPE type = static_cast<LCTYPE>(lngWhichInfo);
    if (blnDefault.has_value() && !*blnDefault) type |= LOCALE_NOUSEROVERRIDE;
    wchar_t buffer[128] = {};
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
    if (n > 0) return std::wstring(buffer, static_cast<size_t>(n - 1));
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return L"";
    // Longer than the usual buffer: read it whole rather than lose it.
    n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
    std::wstring text(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text.data(), n);
    return n > 0 ? text.substr(0, static_cast<size_t>(n - 1)) : L"";
}

enuDriveType clsMain::DriveType(const std::wstring& strDrive) {
    UINT type = strDrive.empty() ? GetDriveTypeW(nullptr)
                                 : GetDriveTypeW((std::wstring(1, strDrive[0]) + L":\\").c_str());
    // DRIVE_NO_ROOT_DIR (1): there is no such drive.
    return type == DRIVE_NO_ROOT_DIR ? conDt_NotAvailable : static_cast<enuDriveType>(type);
}

std::wstring clsMain::ExpandFilename(const std::wstring& strFile) {
    return detail::Guarded(L"ExpandFilename", [&] {
        DWORD n = GetFullPathNameW(strFile.c_str(), 0, nullptr, nullptr);
        if (n == 0) RaiseLastError(ERROR_INVALID_NAME);
        std::wstring path(n, L'\0');
        n = GetFullPathNameW(strFile.c_str(), n, path.data(), nullptr);
        if (n == 0 || n >= path.size()) RaiseLastError(ERROR_INVALID_NAME);
        path.resize(n);
        return path;
    });
}

std::wstring clsMain::GetTempFile(const std::wstring& strPrefix) {
    return detail::Guarded(L"GetTempFile", [&] {
        std::wstring folder = GetSystemFolder(conWsf_Temp);
        if (folder.empty()) RaiseLastError(ERROR_PATH_NOT_FOUND);
        wchar_t path[MAX_PATH] = {};
        if (GetTempFileNameW(folder.c_str(), strPrefix.c_str(), 0, path) == 0) RaiseLastError();
        return std::wstring(path);
    });
}

long clsMain::GetMaxFileNumber(const std::wstring& strSourceFolder) {
    return detail::Guarded(L"GetMaxFileNumber", [&] {
        WIN32_FIND_DATAW found{};
        OwnedFindHandle search(FindFirstFileW((DirAddBackslash(strSourceFolder) + L"*").c_str(), &found));
        if (!search) {
            if (GetLastError() == ERROR_FILE_NOT_FOUND) return 0L;  // an empty folder
            RaiseLastError(ERROR_PATH_NOT_FOUND);
        }
        long highest = 0;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            try {
                highest = std::max(highest, ExtractNumber(found.cFileName));
            } catch (const KVError&) {
                // A number too large for a file number (a time stamp, say) is no file number.
            }
        } while (FindNextFileW(search.Get(), &found));
        DWORD last = GetLastError();
        if (last != ERROR_NO_MORE_FILES) RaiseApiError(static_cast<long>(last));
        return highest;
    });
}

}  // namespace kv
