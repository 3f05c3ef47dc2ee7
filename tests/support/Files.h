#pragma once
// Files of the prefix as the tests write, read, hold and put them back.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Waiting.h"

namespace kvtest {

inline void WriteFileText(const std::wstring& path, const std::string& bytes) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot write the test file: " << GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
}

inline std::string ReadFileText(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    CloseHandle(file);
    return text;
}

inline bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void RemoveFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

// Keeps others from writing the file while it lives: a handle that shares reading only.
// (The read-only attribute alone does not stop a process running as root under Wine.)
class WriteBlocked {
public:
    explicit WriteBlocked(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << GetLastError();
    }
    ~WriteBlocked() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    WriteBlocked(const WriteBlocked&) = delete;
    WriteBlocked& operator=(const WriteBlocked&) = delete;

private:
    HANDLE handle_;
};

// A file that a test may create or change: its earlier content and attributes come back
// (or the file goes again) when the object ends.
class RestoredFile {
public:
    explicit RestoredFile(std::wstring path) : path_(std::move(path)) {
        DWORD attributes = GetFileAttributesW(path_.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            attributes_ = attributes;
            content_ = ReadFileText(path_);
        }
    }
    ~RestoredFile() {
        RemoveFile(path_);
        if (attributes_) {
            WriteFileText(path_, content_);
            SetFileAttributesW(path_.c_str(), *attributes_);
        }
    }
    RestoredFile(const RestoredFile&) = delete;
    RestoredFile& operator=(const RestoredFile&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    std::optional<DWORD> attributes_;
    std::string content_;
};

// The file's bytes once it exists ("" after the timeout), for files another process writes.
inline std::string WaitForFileText(const std::wstring& path, DWORD timeoutMs = 20000) {
    WaitUntil([&] { return FileExists(path); }, timeoutMs);
    return ReadFileText(path);
}

}  // namespace kvtest
