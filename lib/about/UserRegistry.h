#pragma once
// The few values KVAbout keeps per user, under HKEY_CURRENT_USER\Software\<Company>\...:
// read and written with the platform's calls directly (the registry class would double the
// component's size for four values). Stored as clsRegistry stores them: numbers as
// REG_DWORD, texts as REG_SZ.
#include <optional>
#include <string>

namespace kv {

// "Software\" + the maker's company + "\" + path.
std::wstring UserKeyPath(const std::wstring& strPath);

// Nothing when the key or value is missing or of another type.
std::optional<long> ReadUserNumber(const std::wstring& strPath, const wchar_t* name);
std::optional<std::wstring> ReadUserText(const std::wstring& strPath, const wchar_t* name);
// Raise the failed call's error.
void WriteUserNumber(const std::wstring& strPath, const wchar_t* name, long value);
void WriteUserText(const std::wstring& strPath, const wchar_t* name, const std::wstring& value);

}  // namespace kv
