#include "clsIni.h"

#include <windows.h>

#include "LastError.h"
#include "Owned.h"
#include "SettingsMain.h"
#include "SettingsText.h"
#include "DecimalText.h"

namespace kv {

using namespace settings;

namespace {

constexpr long conErrEntryNotFound = -52003;
constexpr DWORD conValueBufferChars = 1024;
// What the profile function hands back for an absent entry; a stored ERROR looks the same.
constexpr char conNotFoundText[] = "ERROR";
// The profile functions turn every text into a counted Unicode string (32,767 characters
// with its zero); a longer one is lost on the way (a value is stored empty, a file name
// wraps around to another file). The ANSI forms take a path of at most MAX_PATH - 1.
constexpr std::size_t conProfileTextChars = 32766;
constexpr std::size_t conPathChars = MAX_PATH - 1;

// A section, entry name or value as the profile functions take it. A line break would
// write further lines, and with them entries or sections nobody asked for.
std::string ProfileText(const std::wstring& text, const wchar_t* what) {
    if (text.find_first_of(L"\r\n") != std::wstring::npos) RaiseSettingsError(conErrInvalid, what);
    return AnsiName(text, what, conProfileTextChars);
}

// The file as the profile functions take it, checked against the path they resolve it to:
// a bare name lies in the Windows folder, anything else is completed from the current one.
std::string ProfileFile(const std::wstring& file) {
    if (file.empty()) RaiseSettingsError(conErrInvalid, L"File");
    std::string ansi = AnsiName(file, L"File", conPathChars);
    std::wstring full;
    if (file.find_first_of(L"\\/:") == std::wstring::npos) {
        wchar_t folder[MAX_PATH];
        UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
        RaiseLastErrorIf(length == 0 || length >= MAX_PATH);
        full.assign(folder, length);
        full += L"\\" + file;
    } else {
        DWORD needed = GetFullPathNameW(file.c_str(), 0, nullptr, nullptr);
        RaiseLastErrorIf(needed == 0);
        full.resize(needed);
        DWORD length = GetFullPathNameW(file.c_str(), needed, full.data(), nullptr);
        RaiseLastErrorIf(length == 0 || length >= needed);
        full.resize(length);
    }
    if (full.size() > conPathChars)
        RaiseSettingsError(conErrTooLong, L"File", kv::DecimalText(full.size()), kv::DecimalText(conPathChars));
    return ansi;
}

}  // namespace

bool clsIni::WriteValue(const std::wstring& strName, const std::wstring& strValue) {
    return Forwarded(conModule, L"WriteValue", [&] {
        std::string file = ProfileFile(file_);
        std::string section = ProfileText(section_, L"Section");
        std::string name = ProfileText(strName, L"strName");
        std::string value = ProfileText(strValue, L"strValue");
        BOOL written = WritePrivateProfileStringA(section.c_str(), name.c_str(), value.c_str(), file.c_str());
        // A refused write is never reported as success, even without an error code.
        RaiseLastErrorIf(!written, ERROR_WRITE_FAULT);
        return true;
    });
}

std::wstring clsIni::ReadValue(const std::wstring& strName) {
    return Forwarded(conModule, L"ReadValue", [&] {
        std::string file = ProfileFile(file_);
        std::string section = ProfileText(section_, L"Section");
        std::string name = ProfileText(strName, L"strName");
        char buffer[conValueBufferChars];
        SetLastError(ERROR_SUCCESS);
        DWORD length = GetPrivateProfileStringA(section.c_str(), name.c_str(), conNotFoundText, buffer,
                                                conValueBufferChars, file.c_str());
        std::wstring text = FromAnsi(buffer, length);
        if (text == L"ERROR") {
            // A file that could not be read (locked, no access) is no missing entry, and
            // no Default stands in for it.
            DWORD error = GetLastError();
            if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
                RaiseApiError(static_cast<long>(error));
            if (!default_.empty()) return default_;
            Main().GenerateError(conErrEntryNotFound, UpperCase(strName), UpperCase(section_), UpperCase(file_));
        }
        return text;
    });
}

bool clsIni::ExistFile() const {
    return Forwarded(conModule, L"ExistFile", [&] {
        // No name names no file.
        if (file_.empty()) return false;
        WIN32_FIND_DATAW found;
        OwnedFindHandle search(FindFirstFileW(file_.c_str(), &found));
        if (!search) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES)
                return false;
            RaiseApiError(static_cast<long>(error));
        }
        constexpr DWORD notNormal = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
        bool match = false;
        do {
            match = (found.dwFileAttributes & notNormal) == 0;
        } while (!match && FindNextFileW(search.Get(), &found));
        return match;
    });
}

bool clsIni::ExistValue(const std::wstring& strName) {
    return Forwarded(conModule, L"ExistValue", [&] {
        return FalseWhenMissing({conErrEntryNotFound}, [&] {
            ReadValue(strName);
            return true;
        });
    });
}

}  // namespace kv
