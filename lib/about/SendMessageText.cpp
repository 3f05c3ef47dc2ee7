#include "SendMessageText.h"

#include <windows.h>

#include <cwchar>

#include "clsSystemInfo.h"
#include "clsVersionGlobal.h"
#include "DecimalText.h"

namespace kv {

namespace {

constexpr const wchar_t* conLineBreak = L"\r\n";

std::wstring WholeMegabytes(unsigned long long bytes) { return kv::DecimalText(bytes / (1024ull * 1024ull)); }

}  // namespace

std::wstring SystemDescription() {
    clsVersionGlobal identity;
    clsSystemInfo system;
    auto os = system.OperatingSystem();
    // The full figures: the published memory properties stop at 2 GB.
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    if (!GlobalMemoryStatusEx(&memory)) memory = {};

    std::wstring os_text = os->VersionName() + L" " + os->MajorVersion() + L"." + os->MinorVersion() + L" Build " +
                           kv::DecimalText(os->Build());
    if (!os->ServicePack().empty()) os_text += L" " + os->ServicePack();

    return L"Programm: " + identity.InfoApplication() + conLineBreak + L"Version: " +
           kv::DecimalText(identity.InfoMajorVersion()) + L"." + kv::DecimalText(identity.InfoMinorVersion()) +
           L" Build " + kv::DecimalText(identity.InfoBuild()) + conLineBreak + L"Betriebssystem: " + os_text +
           conLineBreak + L"Prozessor: " + system.CPU()->LevelText() + conLineBreak + L"Speicher: " +
           WholeMegabytes(memory.ullTotalPhys) + L"MB (Frei: " + WholeMegabytes(memory.ullAvailPhys) + L" MB)";
}

std::wstring PercentEncode(const std::wstring& text, const wchar_t* keep) {
    std::string utf8;
    if (!text.empty()) {
        int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
        utf8.resize(size > 0 ? size : 0);
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                            nullptr);
    }
    static constexpr wchar_t hex[] = L"0123456789ABCDEF";
    std::wstring encoded;
    encoded.reserve(utf8.size() * 3);
    for (unsigned char c : utf8) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                     c == '.' || c == '_' || c == '~' || (c < 0x80 && c && std::wcschr(keep, c));
        if (plain) {
            encoded += static_cast<wchar_t>(c);
        } else {
            encoded += L'%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        }
    }
    return encoded;
}

std::wstring MailtoAddress(const std::wstring& strTarget, const std::wstring& strApplication,
                           const std::wstring& strDescription) {
    const std::wstring subject = L"Frage zu ''" + strApplication + L"''";
    const std::wstring body = L"SYSTEMINFORMATIONEN: " + strDescription + conLineBreak + L"IHR TEXT:" + conLineBreak;
    return L"mailto:" + PercentEncode(strTarget, L"@") + L"?subject=" + PercentEncode(subject) +
           L"&Body=" + PercentEncode(body);
}

std::wstring DirectSubject(const std::wstring& strReasonCaption) {
    std::wstring caption;
    for (size_t i = 0; i < strReasonCaption.size(); ++i) {
        // "&&" stands for one "&"; a single "&" marks the access key.
        if (strReasonCaption[i] == L'&' && ++i >= strReasonCaption.size()) break;
        caption += strReasonCaption[i];
    }
    return caption + L" Kelvo Programm";
}

std::wstring DirectBody(const std::wstring& strDescription, const std::wstring& strAdditional,
                        const std::wstring& strMessage) {
    return std::wstring(L"SYSTEMINFORMATIONEN:") + conLineBreak + strDescription + conLineBreak + strAdditional +
           conLineBreak + L"IHR TEXT:" + conLineBreak + strMessage;
}

}  // namespace kv
