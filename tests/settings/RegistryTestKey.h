#pragma once
// A throwaway key below HKCU\software\KelvoTest, removed before and after each test, with
// direct platform access so tests see what is really stored.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kv::test {

class RegistryTestKey : public ::testing::Test {
protected:
    static constexpr const wchar_t* kPath = L"software\\KelvoTest\\Settings";

    void SetUp() override { RemoveTree(); }
    void TearDown() override { RemoveTree(); }
    static void RemoveTree() { RegDeleteTreeW(HKEY_CURRENT_USER, kPath); }

    static bool KeyExists() {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
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

    // Type and bytes as the ANSI registry functions report them; type 0 when missing.
    static std::pair<DWORD, std::vector<std::uint8_t>> Stored(const char* name) {
        DWORD type = 0, size = 0;
        std::vector<std::uint8_t> data(4096);
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "software\\KelvoTest\\Settings", 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {};
        size = static_cast<DWORD>(data.size());
        if (RegQueryValueExA(key, name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) type = size = 0;
        RegCloseKey(key);
        data.resize(size);
        return {type, data};
    }
};

}  // namespace kv::test
