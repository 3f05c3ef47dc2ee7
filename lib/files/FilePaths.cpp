#include "FilePaths.h"

#include <windows.h>

#include "LastError.h"

namespace kv::files {

std::wstring FullPath(const std::wstring& path) {
    DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    RaiseLastErrorIf(length == 0, ERROR_INVALID_NAME);
    std::wstring full(length, L'\0');
    length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    RaiseLastErrorIf(length == 0 || length >= full.size(), ERROR_INVALID_NAME);
    full.resize(length);
    return full;
}

std::vector<std::wstring> NonEmptyItems(const std::wstring& list, const std::wstring& separator) {
    std::vector<std::wstring> items;
    size_t start = 0;
    for (;;) {
        size_t end = list.find(separator, start);
        size_t stop = end == std::wstring::npos ? list.size() : end;
        if (stop > start) items.push_back(list.substr(start, stop - start));
        if (end == std::wstring::npos) break;
        start = end + separator.size();
    }
    return items;
}

}  // namespace kv::files
