#include "work/basWorkText.h"

#include <windows.h>

#include <algorithm>

#include <map>

#include "LastError.h"
#include "Owned.h"
#include "program/basGlobals.h"

namespace kvr::work {

std::wstring UpperCase(const std::wstring& strText) {
    if (strText.empty()) return strText;
    std::wstring upper(strText.size(), L'\0');
    int n = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, strText.c_str(), static_cast<int>(strText.size()),
                         upper.data(), static_cast<int>(upper.size()));
    kv::RaiseLastErrorIf(n <= 0);
    upper.resize(static_cast<size_t>(n));
    return upper;
}

bool ContainsText(const std::wstring& strText, const std::wstring& strPart) {
    return UpperCase(strText).find(UpperCase(strPart)) != std::wstring::npos;
}

bool SameText(const std::wstring& strA, const std::wstring& strB) { return UpperCase(strA) == UpperCase(strB); }

std::vector<std::wstring> SplitItems(const std::wstring& strList, wchar_t chSeparator) {
    std::vector<std::wstring> items;
    size_t start = 0;
    while (start < strList.size()) {
        size_t end = strList.find(chSeparator, start);
        if (end == std::wstring::npos) end = strList.size();
        if (end > start) items.push_back(strList.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

std::wstring Trimmed(const std::wstring& strText) {
    size_t first = strText.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return L"";
    size_t last = strText.find_last_not_of(L" \t");
    return strText.substr(first, last - first + 1);
}

std::wstring QuotedName(const std::wstring& strLine) {
    size_t open = strLine.find(L'"');
    if (open == std::wstring::npos) return L"";
    size_t close = strLine.find(L'"', open + 1);
    if (close == std::wstring::npos) return L"";
    return strLine.substr(open + 1, close - open - 1);
}

namespace {

struct KeptLines {
    int scopes = 0;
    std::map<std::wstring, std::vector<std::wstring>> files;
} g_kept;

}  // namespace

ReadOnce::ReadOnce() { ++g_kept.scopes; }
ReadOnce::~ReadOnce() {
    if (--g_kept.scopes == 0) g_kept.files.clear();
}

void ForgetReadLines() { g_kept.files.clear(); }

std::vector<std::wstring> ReadLines(const std::wstring& strFile) {
    if (g_kept.scopes > 0) {
        auto kept = g_kept.files.find(UpperCase(strFile));
        if (kept != g_kept.files.end()) return kept->second;
    }
    std::string bytes;
    {
        const kv::OwnedHandle file(CreateFileW(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        kv::RaiseLastErrorIf(file.Get() == INVALID_HANDLE_VALUE);
        char buffer[4096];
        DWORD read = 0;
        BOOL ok = TRUE;
        while ((ok = ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) && read > 0)
            bytes.append(buffer, read);
        kv::RaiseLastErrorIf(!ok);
    }

    std::wstring text;
    if (!bytes.empty()) {
        int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        text.resize(static_cast<size_t>(n));
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    }

    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
    }
    if (g_kept.scopes > 0) g_kept.files[UpperCase(strFile)] = lines;
    return lines;
}

namespace {

bool IsSectionHeaderLine(const std::wstring& strLine) {
    std::wstring text = Trimmed(strLine);
    return !text.empty() && text.front() == L'[';
}

}  // namespace

std::vector<BootEntry> OperatingSystems(const std::wstring& strBootIni) {
    std::vector<BootEntry> systems;
    if (strBootIni.empty()) return systems;
    bool inSection = false;
    for (std::wstring& line : ReadLines(strBootIni)) {
        if (IsSectionHeaderLine(line)) {
            // Only this one section lists systems; any later section ends it.
            inSection = ContainsText(line, L"Operating Systems");
            continue;
        }
        if (!inSection) continue;
        const std::wstring text = Trimmed(line);
        if (text.empty() || text.front() == L';') continue;
        const size_t equals = text.find(L'=');
        if (equals == std::wstring::npos) continue;
        std::wstring path = Trimmed(text.substr(0, equals));
        // No system path holds a control character; such a line (a damaged file) could not be
        // written back as the default and read again.
        if (path.empty() || std::any_of(path.begin(), path.end(), [](wchar_t c) { return c < L' '; })) continue;
        systems.push_back({std::move(path), QuotedName(text), std::move(line)});
    }
    return systems;
}

bool HasBootLoaderSection(const std::wstring& strBootIni) {
    for (const std::wstring& line : ReadLines(strBootIni)) {
        std::wstring text = Trimmed(line);
        if (text.size() >= 2 && text.front() == L'[' && text.back() == L']' &&
            SameText(Trimmed(text.substr(1, text.size() - 2)), L"boot loader"))
            return true;
    }
    return false;
}

}  // namespace kvr::work
