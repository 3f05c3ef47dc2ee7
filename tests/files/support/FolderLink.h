#pragma once
// A folder link back up the tree, for loop tests: a junction where the file system has them;
// under Wine, which has none, a Unix symbolic link made by ln (Wine shows it as a reparse
// point, as Windows shows a junction).
#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <functional>
#include <string>

#include "Waiting.h"

namespace kvtest {

namespace detail {

struct MountPointBuffer {
    DWORD tag;
    WORD dataLength;
    WORD reserved;
    WORD substituteOffset, substituteLength, printOffset, printLength;
    WCHAR paths[2 * MAX_PATH + 8];
};

inline bool MakeJunction(const std::wstring& link, const std::wstring& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
    HANDLE h = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    bool made = false;
    if (h != INVALID_HANDLE_VALUE) {
        std::wstring substitute = L"\\??\\" + target;
        MountPointBuffer b{};
        b.tag = IO_REPARSE_TAG_MOUNT_POINT;
        b.substituteLength = static_cast<WORD>(substitute.size() * sizeof(WCHAR));
        b.printOffset = static_cast<WORD>(b.substituteLength + sizeof(WCHAR));
        b.printLength = static_cast<WORD>(target.size() * sizeof(WCHAR));
        std::memcpy(b.paths, substitute.c_str(), b.substituteLength);
        std::memcpy(reinterpret_cast<char*>(b.paths) + b.printOffset, target.c_str(), b.printLength);
        b.dataLength = static_cast<WORD>(8 + b.printOffset + b.printLength + sizeof(WCHAR));
        DWORD returned = 0;
        made = DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, &b, b.dataLength + 8, nullptr, 0, &returned, nullptr);
        CloseHandle(h);
    }
    if (!made) RemoveDirectoryW(link.c_str());
    return made;
}

inline std::wstring UnixPath(const std::wstring& path) {
    using Convert = char*(CDECL*)(LPCWSTR);
    auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!convert) return L"";
    char* unix = convert(path.c_str());
    if (!unix) return L"";
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, unix, -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, unix, -1, wide.data(), static_cast<int>(wide.size()));
    HeapFree(GetProcessHeap(), 0, unix);
    wide.resize(wide.size() - 1);
    return wide;
}

// Runs a Unix program and waits, bounded, until `done` holds.
inline bool RunUnix(const wchar_t* program, const std::wstring& line, const std::function<bool()>& done) {
    return StartUnixProgram(program, line) && WaitUntil(done, 10000, 20);
}

inline bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline bool MakeUnixLink(const std::wstring& link, const std::wstring& target) {
    std::wstring from = UnixPath(target), to = UnixPath(link);
    if (from.empty() || to.empty()) return false;
    return RunUnix(L"Z:\\usr\\bin\\ln", L"ln -s \"" + from + L"\" \"" + to + L"\"", [&] { return Exists(link); });
}

}  // namespace detail

// link (a new name) shows the folder target (a full path without trailing "\").
inline bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
    return detail::MakeJunction(link, target) || detail::MakeUnixLink(link, target);
}

// Removes the link without touching what it shows.
inline bool RemoveFolderLink(const std::wstring& link) {
    if (RemoveDirectoryW(link.c_str()) || DeleteFileW(link.c_str())) return true;
    std::wstring unix = detail::UnixPath(link);
    return !unix.empty() &&
           detail::RunUnix(L"Z:\\usr\\bin\\rm", L"rm \"" + unix + L"\"", [&] { return !detail::Exists(link); });
}

}  // namespace kvtest
