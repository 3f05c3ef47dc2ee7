#pragma once
// Drive letters of the test prefix, defined and removed while a test runs. Wine's mount
// manager takes a letter, a drive type and a Unix folder (the same request its
// configuration tool sends), so GetDriveType and the file functions see a real drive.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvtest {

class TestDrive {
public:
    // Defines the letter as a drive of the type (DRIVE_FIXED, DRIVE_CDROM, ...) whose root
    // is the given folder of the prefix (created when missing).
    TestDrive(wchar_t letter, UINT type, const std::wstring& folder) : letter_(letter), folder_(folder) {
        CreateDirectoryW(folder.c_str(), nullptr);
        std::string unixPath = UnixPath(folder);
        EXPECT_FALSE(unixPath.empty()) << "no Unix path for the drive folder";
        defined_ = Define(type, unixPath);
        EXPECT_TRUE(defined_) << "the mount manager refused drive " << char(letter) << ": " << GetLastError();
    }
    ~TestDrive() {
        if (defined_) {
            EXPECT_TRUE(Define(DRIVE_NO_ROOT_DIR, "")) << GetLastError();
        }
        RemoveDirectoryW(folder_.c_str());  // only when the test left it empty
    }
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    std::wstring Root() const { return std::wstring(1, letter_) + L":\\"; }

    // True when the letter is not in use (so a test may take it).
    static bool IsFree(wchar_t letter) {
        return GetDriveTypeW((std::wstring(1, letter) + L":\\").c_str()) == DRIVE_NO_ROOT_DIR;
    }

private:
    // The request of Wine's mount manager to define a drive; the Unix path follows it.
    struct UnixDriveRequest {
        ULONG size;
        ULONG type;
        ULONG fs_type;
        DWORD serial;
        ULONGLONG unix_dev;
        WCHAR letter;
        USHORT mount_point_offset;
        USHORT device_offset;
        USHORT label_offset;
    };
    static constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

    static std::string UnixPath(const std::wstring& folder) {
        using UnixNameFn = char*(CDECL*)(const WCHAR*);
        auto unixName = reinterpret_cast<UnixNameFn>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        if (!unixName) return "";
        char* name = unixName(folder.c_str());
        if (!name) return "";
        std::string path = name;
        HeapFree(GetProcessHeap(), 0, name);
        return path;
    }

    bool Define(UINT type, const std::string& unixPath) {
        std::vector<char> buffer(sizeof(UnixDriveRequest) + unixPath.size() + 1, 0);
        auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
        request->size = static_cast<ULONG>(buffer.size());
        request->type = type;
        request->letter = static_cast<WCHAR>(towlower(letter_));
        if (!unixPath.empty()) {
            request->mount_point_offset = sizeof(UnixDriveRequest);
            std::copy(unixPath.begin(), unixPath.end(), buffer.begin() + sizeof(UnixDriveRequest));
        }
        HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager == INVALID_HANDLE_VALUE) return false;
        DWORD returned = 0;
        BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                                  0, &returned, nullptr);
        DWORD error = GetLastError();
        CloseHandle(manager);
        SetLastError(error);
        return ok != FALSE;
    }

    wchar_t letter_;
    std::wstring folder_;
    bool defined_ = false;
};

}  // namespace kvtest
