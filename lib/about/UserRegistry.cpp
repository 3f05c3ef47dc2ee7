#include "UserRegistry.h"

#include <windows.h>

#include "LastError.h"
#include "clsPersonalData.h"

namespace kv {

std::wstring UserKeyPath(const std::wstring& strPath) {
    return L"Software\\" + clsPersonalData().Company() + L"\\" + strPath;
}

std::optional<long> ReadUserNumber(const std::wstring& strPath, const wchar_t* name) {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, UserKeyPath(strPath).c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return static_cast<long>(value);
}

std::optional<std::wstring> ReadUserText(const std::wstring& strPath, const wchar_t* name) {
    const std::wstring key = UserKeyPath(strPath);
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

void WriteUserNumber(const std::wstring& strPath, const wchar_t* name, long value) {
    const DWORD data = static_cast<DWORD>(value);
    RaiseIfError(RegSetKeyValueW(HKEY_CURRENT_USER, UserKeyPath(strPath).c_str(), name, REG_DWORD, &data, sizeof(data)));
}

void WriteUserText(const std::wstring& strPath, const wchar_t* name, const std::wstring& value) {
    RaiseIfError(RegSetKeyValueW(HKEY_CURRENT_USER, UserKeyPath(strPath).c_str(), name, REG_SZ, value.c_str(),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

}  // namespace kv
