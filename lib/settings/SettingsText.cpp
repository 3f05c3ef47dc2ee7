#include "SettingsText.h"

#include <windows.h>

#include "LastError.h"
#include "MessageTable.h"
#include "SettingsMain.h"
#include "DecimalText.h"

namespace kv::settings {

namespace {

struct Message {
    long number;
    const wchar_t* text;
};

constexpr Message kMessages[] = {
    {conErrTooLong, L"\"$1$\" ist zu lang: $2$ Zeichen, erlaubt sind höchstens $3$."},
    {conErrNotAnsi, L"\"$1$\" enthält Zeichen, die im ANSI-Zeichensatz des Systems nicht darstellbar sind."},
    {conErrDeleteRefused, L"Löschen des Schlüssels \"$1$\" ist nicht erlaubt (\"DeleteKeyAllowed\" ist nicht gesetzt)."},
    {conErrKeyHasSubKeys, L"Schlüssel \"$1$\" hat Unterschlüssel und kann nicht gelöscht werden."},
};

}  // namespace

void RaiseSettingsError(long number, const Variant& param1, const Variant& param2, const Variant& param3) {
    for (const Message& m : kMessages)
        if (m.number == number) throw KVError(number, FillPlaceholders(m.text, param1, param2, param3));
    Main().GenerateError(number, param1, param2, param3);
}

std::string ToAnsi(const std::wstring& text, const wchar_t* what) {
    if (text.empty()) return {};
    int length = static_cast<int>(text.size());
    // A UTF-8 code page writes every character; it takes neither the flag nor the question.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL replaced = FALSE;
    BOOL* askReplaced = utf8 ? nullptr : &replaced;
    int needed = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, askReplaced);
    RaiseLastErrorIf(needed == 0);
    if (replaced) RaiseSettingsError(conErrNotAnsi, what);
    std::string out(static_cast<std::size_t>(needed), '\0');
    int written = WideCharToMultiByte(CP_ACP, flags, text.data(), length, out.data(), needed, nullptr, askReplaced);
    RaiseLastErrorIf(written == 0);
    if (replaced) RaiseSettingsError(conErrNotAnsi, what);
    out.resize(static_cast<std::size_t>(written));
    return out;
}

std::string AnsiName(const std::wstring& text, const wchar_t* what, std::size_t maxChars) {
    if (text.find(L'\0') != std::wstring::npos) RaiseSettingsError(conErrInvalid, what);
    if (text.size() > maxChars)
        RaiseSettingsError(conErrTooLong, what, kv::DecimalText(text.size()), kv::DecimalText(maxChars));
    return ToAnsi(text, what);
}

std::wstring FromAnsi(const char* text, std::size_t length) {
    if (length == 0) return {};
    int n = static_cast<int>(length);
    int needed = MultiByteToWideChar(CP_ACP, 0, text, n, nullptr, 0);
    RaiseLastErrorIf(needed == 0);
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    int written = MultiByteToWideChar(CP_ACP, 0, text, n, out.data(), needed);
    RaiseLastErrorIf(written == 0);
    out.resize(static_cast<std::size_t>(written));
    return out;
}

std::wstring UpperCase(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace kv::settings
