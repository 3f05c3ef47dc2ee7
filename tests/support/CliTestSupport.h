#pragma once
// What the command-line and program tests share: the program's whole settings tree and
// the machine values the start-up touches, saved and put back around each test.
#include <windows.h>

#include <string>

#include "BootIniTest.h"

namespace kvtest {

inline const std::wstring kCompanyKey = L"software\\Tormel";
inline const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::wstring kWinlogonKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline const std::wstring kPoliciesKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// A key of HKCU with everything below it: copied aside when the object is made and put
// back (or removed, when it did not exist) when it ends, so a test may delete or change
// anything in it.
class SavedKeyTree {
public:
    explicit SavedKeyTree(std::wstring path)
        : path_(std::move(path)), backup_(L"software\\KelvoTestSaved\\" + std::to_wstring(GetCurrentProcessId())) {
        RegDeleteTreeW(HKEY_CURRENT_USER, backup_.c_str());
        HKEY source;
        existed_ = RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &source) == ERROR_SUCCESS;
        if (!existed_) return;
        HKEY copy;
        EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, backup_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &copy,
                                  nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegCopyTreeW(source, nullptr, copy), ERROR_SUCCESS);
        RegCloseKey(copy);
        RegCloseKey(source);
    }
    ~SavedKeyTree() {
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        if (existed_) {
            HKEY key, copy;
            if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr) == ERROR_SUCCESS) {
                if (RegOpenKeyExW(HKEY_CURRENT_USER, backup_.c_str(), 0, KEY_READ, &copy) == ERROR_SUCCESS) {
                    RegCopyTreeW(copy, nullptr, key);
                    RegCloseKey(copy);
                }
                RegCloseKey(key);
            }
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, L"software\\KelvoTestSaved");
    }
    SavedKeyTree(const SavedKeyTree&) = delete;
    SavedKeyTree& operator=(const SavedKeyTree&) = delete;

private:
    std::wstring path_;
    std::wstring backup_;
    bool existed_ = false;
};

inline bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// A test that starts from a profile without any setting of the program and without
// boot.ini, and leaves the prefix as it found it: the program's settings, its autostart
// value, the Windows logon values, boot.ini and its backup.
class FreshProfileTest : public BootIniTest {
protected:
    void SetUp() override {
        BootIniTest::SetUp();
        RegDeleteTreeW(HKEY_CURRENT_USER, kCompanyKey.c_str());
    }

    SavedKeyTree settings_{kCompanyKey};
    RegistrySnapshot machine_{{
        {HKEY_CURRENT_USER, kRunKey, L"Kelvo Restart"},
        {HKEY_LOCAL_MACHINE, kWinlogonKey, L"AutoAdminLogon"},
        {HKEY_LOCAL_MACHINE, kWinlogonKey, L"DefaultUserName"},
        {HKEY_LOCAL_MACHINE, kWinlogonKey, L"DefaultPassword"},
        {HKEY_LOCAL_MACHINE, kWinlogonKey, L"DefaultDomainname"},
        {HKEY_LOCAL_MACHINE, kPoliciesKey, L"DontDisplayLastUserName"},
    }};
};

}  // namespace kvtest
