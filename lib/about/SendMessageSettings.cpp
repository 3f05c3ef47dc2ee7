#include "SendMessageSettings.h"

#include <windows.h>
#include <wincred.h>

#include "UserRegistry.h"
#include "clsPersonalData.h"

namespace kv {

namespace {

constexpr const wchar_t* conKey = L"Common\\SendMessage";

// A number stored as a number or as digits; anything else is the default.
long ReadNumber(const wchar_t* name, long fallback) {
    if (std::optional<long> number = ReadUserNumber(conKey, name)) return *number;
    std::optional<std::wstring> text = ReadUserText(conKey, name);
    if (!text || text->empty() || text->size() > 9 || text->find_first_not_of(L"0123456789") != std::wstring::npos)
        return fallback;
    long value = 0;
    for (wchar_t c : *text) value = value * 10 + (c - L'0');
    return value;
}

std::wstring ReadText(const wchar_t* name, const std::wstring& fallback) {
    std::optional<std::wstring> text = ReadUserText(conKey, name);
    return text && !text->empty() ? *text : fallback;
}

std::wstring MakerDomain() {
    const std::wstring address = clsPersonalData().EmailAddress();
    return address.substr(address.find(L'@') + 1);
}

std::wstring CredentialPassword(const std::wstring& server) {
    PCREDENTIALW credential = nullptr;
    const std::wstring target = L"Tormel/SMTP/" + server;
    if (!CredReadW(target.c_str(), CRED_TYPE_GENERIC, 0, &credential)) return L"";
    std::wstring password(reinterpret_cast<const wchar_t*>(credential->CredentialBlob),
                          credential->CredentialBlobSize / sizeof(wchar_t));
    SecureZeroMemory(credential->CredentialBlob, credential->CredentialBlobSize);
    CredFree(credential);
    return password;
}

}  // namespace

SendChoice ReadSendChoice() { return {ReadNumber(L"NeverAsk", 0), ReadNumber(L"CurAnswer", 0)}; }

void WriteSendChoice(const SendChoice& choice) {
    WriteUserNumber(conKey, L"NeverAsk", choice.NeverAsk);
    WriteUserNumber(conKey, L"CurAnswer", choice.CurAnswer);
}

DirectSendSettings ReadDirectSendSettings() {
    DirectSendSettings settings;
    settings.Smtp.Server = ReadText(L"SmtpServer", L"mail." + MakerDomain());
    settings.Smtp.Port = ReadNumber(L"SmtpPort", 587);
    settings.Smtp.User = ReadText(L"SmtpUser", L"");
    settings.Smtp.TimeoutSeconds = ReadNumber(L"SmtpTimeout", 30);
    if (!settings.Smtp.User.empty()) settings.Smtp.Password = CredentialPassword(settings.Smtp.Server);
    settings.Sender = ReadText(L"SmtpSender", L"kelvorestart@" + MakerDomain());
    return settings;
}

}  // namespace kv
