#pragma once
// A throwaway key below HKCU\software\KelvoTest, removed before and after each test, with
// direct platform access so tests see what is really stored.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kv::test {

struct StoredValue {
    DWORD type = 0;
    DWORD size = 0;
    std::vector<std::uint8_t> data;
};

class RegistryTestKey : public ::testing::Test {
protected:
    static constexpr const wchar_t* kPath = L"software\\KelvoTest\\Settings";
    static constexpr const char* kPathA = "software\\KelvoTest\\Settings";

    void SetUp() override { RemoveTree(); }
    void TearDown() override { RemoveTree(); }

    static void RemoveTree() {
        LONG r = RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
        ASSERT_TRUE(r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND) << r;
    }

    static bool KeyExists(const std::wstring& path = kPath) {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    // Writes a value of any type the way another program would.
    static void Store(const std::wstring& name, DWORD type, const void* data, DWORD size,
                      const std::wstring& path = kPath) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void StoreText(const std::wstring& name, const std::wstring& text, DWORD type = REG_SZ) {
        Store(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    // What the ANSI registry functions report for a value; type 0 when it is missing.
    static StoredValue Stored(const char* name) {
        StoredValue v;
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kPathA, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
        if (RegQueryValueExA(key, name, nullptr, &v.type, nullptr, &v.size) == ERROR_SUCCESS) {
            v.data.resize(v.size);
            EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &v.type, v.data.data(), &v.size), ERROR_SUCCESS);
            v.data.resize(v.size);
        }
        RegCloseKey(key);
        return v;
    }
};

}  // namespace kv::test
