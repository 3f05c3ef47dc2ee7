#pragma once
// What the program's tests share: a Windows version to pretend, files of the prefix
// written and put back (Files.h), and registry values saved and restored around a test.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "FakeVersionRecord.h"
#include "Files.h"
#include "program/basGlobals.h"

namespace kvtest {

// ---- Windows versions ----

enum class Windows { Win95, Win98, WinME, NT4, Win2000, XP };

// The version record of that Windows for the lifetime of the object.
class RunningWindows {
public:
    explicit RunningWindows(Windows w) : fake_(Make(w)) {}

private:
    static FakeVersionRecord Make(Windows w) {
        switch (w) {
            case Windows::Win95: return {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0x040003B6, ""};
            case Windows::Win98: return {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A07CE, " A "};
            case Windows::WinME: return {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0x045A0BB8, " "};
            case Windows::NT4: return {VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 5"};
            case Windows::Win2000: return {VER_PLATFORM_WIN32_NT, 5, 0, 2195, "Service Pack 4", Extended{1, 0}};
            default: return {VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2", Extended{1, 0}};
        }
    }
    FakeVersionRecord fake_;
};

// Upper case, for comparing paths.
inline std::wstring UpperCase(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// ---- Registry ----

struct RegValue {
    HKEY root;
    std::wstring path;
    std::wstring name;
};

// Saves values (and which keys existed) and puts them back when the object ends: values
// that did not exist are removed, keys that did not exist are removed with all they hold.
class RegistrySnapshot {
public:
    explicit RegistrySnapshot(std::vector<RegValue> values) {
        for (RegValue& v : values) {
            Saved saved{v, false, 0, {}};
            HKEY key;
            if (RegOpenKeyExW(v.root, v.path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
                DWORD size = 0;
                if (RegQueryValueExW(key, v.name.c_str(), nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
                    saved.data.resize(size);
                    RegQueryValueExW(key, v.name.c_str(), nullptr, &saved.type, saved.data.data(), &size);
                    saved.existed = true;
                }
                RegCloseKey(key);
            }
            NoteMissingKey(v.root, v.path);
            saved_.push_back(std::move(saved));
        }
    }
    ~RegistrySnapshot() {
        for (const Saved& s : saved_) {
            HKEY key;
            if (s.existed) {
                if (RegCreateKeyExW(s.value.root, s.value.path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                    nullptr) == ERROR_SUCCESS) {
                    RegSetValueExW(key, s.value.name.c_str(), 0, s.type, s.data.data(),
                                   static_cast<DWORD>(s.data.size()));
                    RegCloseKey(key);
                }
            } else if (RegOpenKeyExW(s.value.root, s.value.path.c_str(), 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
                RegDeleteValueW(key, s.value.name.c_str());
                RegCloseKey(key);
            }
        }
        for (const auto& [root, path] : missingKeys_) {
            RegDeleteTreeW(root, path.c_str());
            RegDeleteKeyW(root, path.c_str());
        }
    }
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

private:
    struct Saved {
        RegValue value;
        bool existed = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };

    // The outermost key of the path that does not exist yet, to be removed again.
    void NoteMissingKey(HKEY root, const std::wstring& path) {
        size_t end = 0;
        while (end != std::wstring::npos) {
            end = path.find(L'\\', end + 1);
            std::wstring part = path.substr(0, end);
            HKEY key;
            if (RegOpenKeyExW(root, part.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
                RegCloseKey(key);
                continue;
            }
            for (const auto& known : missingKeys_)
                if (known.first == root && known.second == part) return;
            missingKeys_.emplace_back(root, part);
            return;
        }
    }

    std::vector<Saved> saved_;
    std::vector<std::pair<HKEY, std::wstring>> missingKeys_;
};

// What is stored in a value right now: its type (0 when missing) and its data as text
// (REG_SZ) or number (REG_DWORD).
struct StoredValue {
    DWORD type = 0;
    std::wstring text;
    DWORD number = 0;
};

inline StoredValue Stored(HKEY root, const std::wstring& path, const std::wstring& name) {
    StoredValue v;
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> data(size + 2, 0);
        RegQueryValueExW(key, name.c_str(), nullptr, &v.type, data.data(), &size);
        if (v.type == REG_DWORD) v.number = *reinterpret_cast<DWORD*>(data.data());
        if (v.type == REG_SZ) v.text = reinterpret_cast<const wchar_t*>(data.data());
    }
    RegCloseKey(key);
    return v;
}

// Stores the bytes as a value of that type (any type, any size: also what a program
// would never write).
inline void StoreRaw(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
                     size_t size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    RegCloseKey(key);
}
inline void Store(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& text) {
    StoreRaw(root, path, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}
inline void Store(HKEY root, const std::wstring& path, const std::wstring& name, DWORD number) {
    StoreRaw(root, path, name, REG_DWORD, &number, sizeof number);
}

inline void Remove(HKEY root, const std::wstring& path, const std::wstring& name) {
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name.c_str());
    RegCloseKey(key);
}

// The program's own keys below HKCU.
inline const std::wstring kOptionsKey = L"software\\Tormel\\Kelvo Restart\\Options";
inline const std::wstring kPrgSettingsKey = L"software\\Tormel\\Kelvo Restart\\PrgSettings";

// Every test of the program runs with the identity the start-up sets, and with a fresh
// program state.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvr::VersionGlobal().InfoApplication(L"Kelvo Restart");
        kvr::State() = kvr::ProgramState{};
    }
    void TearDown() override { kvr::State() = kvr::ProgramState{}; }
};

}  // namespace kvtest
