#include "SettingsText.h"

#include <windows.h>

#include "SettingsMain.h"

namespace kv::settings {

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    int length = static_cast<int>(text.size());
    int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    Main().CreateAPIError(static_cast<long>(GetLastError()), needed == 0);
    std::string out(static_cast<std::size_t>(needed), '\0');
    int written = WideCharToMultiByte(CP_ACP, 0, text.data(), length, out.data(), needed, nullptr, nullptr);
    Main().CreateAPIError(static_cast<long>(GetLastError()), written == 0);
    out.resize(static_cast<std::size_t>(written));
    return out;
}

std::wstring FromAnsi(const char* text, std::size_t length) {
    if (length == 0) return {};
    int n = static_cast<int>(length);
    int needed = MultiByteToWideChar(CP_ACP, 0, text, n, nullptr, 0);
    Main().CreateAPIError(static_cast<long>(GetLastError()), needed == 0);
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    int written = MultiByteToWideChar(CP_ACP, 0, text, n, out.data(), needed);
    Main().CreateAPIError(static_cast<long>(GetLastError()), written == 0);
    out.resize(static_cast<std::size_t>(written));
    return out;
}

std::wstring UpperCase(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace kv::settings
