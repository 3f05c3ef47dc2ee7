#include "clsIni.h"

#include <windows.h>

#include "SettingsMain.h"
#include "SettingsText.h"

namespace kv {

using namespace settings;

namespace {

constexpr long conErrEntryNotFound = -52003;
constexpr DWORD conValueBufferChars = 1024;
// What the profile function hands back for an absent entry; a stored ERROR looks the same.
constexpr char conNotFoundText[] = "ERROR";

}  // namespace

bool clsIni::WriteValue(const std::wstring& strName, const std::wstring& strValue) {
    return Forwarded(conModule, L"WriteValue", [&] {
        BOOL written = WritePrivateProfileStringA(ToAnsi(section_).c_str(), ToAnsi(strName).c_str(),
                                                  ToAnsi(strValue).c_str(), ToAnsi(file_).c_str());
        if (!written) {
            DWORD error = GetLastError();
            // A refused write is never reported as success, even without an error code.
            Main().CreateAPIError(static_cast<long>(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT), true);
        }
        return true;
    });
}

std::wstring clsIni::ReadValue(const std::wstring& strName) {
    return Forwarded(conModule, L"ReadValue", [&] {
        char buffer[conValueBufferChars];
        DWORD length = GetPrivateProfileStringA(ToAnsi(section_).c_str(), ToAnsi(strName).c_str(), conNotFoundText,
                                                buffer, conValueBufferChars, ToAnsi(file_).c_str());
        std::wstring text = FromAnsi(buffer, length);
        if (text == L"ERROR") {
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
        HANDLE search = FindFirstFileW(file_.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES)
                return false;
            Main().CreateAPIError(static_cast<long>(error), true);
        }
        constexpr DWORD notNormal = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
        bool match = false;
        do {
            match = (found.dwFileAttributes & notNormal) == 0;
        } while (!match && FindNextFileW(search, &found));
        FindClose(search);
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
