#include "Wildcard.h"

#include <windows.h>

namespace kv::files {

namespace {

bool Match(const wchar_t* name, size_t nameLength, const wchar_t* pattern, size_t patternLength) {
    size_t n = 0, p = 0;
    size_t starP = std::wstring::npos, starN = 0;
    while (n < nameLength) {
        if (p < patternLength && (pattern[p] == L'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < patternLength && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::wstring::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < patternLength && pattern[p] == L'*') ++p;
    return p == patternLength;
}

}  // namespace

std::wstring FoldCase(const std::wstring& text) {
    std::wstring folded = text;
    if (!folded.empty()) CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}

bool MatchesPattern(const std::wstring& name, const std::wstring& pattern) {
    if (Match(name.data(), name.size(), pattern.data(), pattern.size())) return true;
    const size_t length = pattern.size();
    if (length >= 2 && pattern[length - 2] == L'.' && pattern[length - 1] == L'*')
        return name.find(L'.') == std::wstring::npos && Match(name.data(), name.size(), pattern.data(), length - 2);
    if (length >= 1 && pattern[length - 1] == L'.')
        return name.find(L'.') == std::wstring::npos && Match(name.data(), name.size(), pattern.data(), length - 1);
    return false;
}

}  // namespace kv::files
