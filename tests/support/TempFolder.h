#pragma once
// A fresh folder below %TEMP% for one test, with its files; removed with everything in it.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace kvtest {

class TempFolder {
public:
    explicit TempFolder(const std::wstring& tag) {
        static int counter = 0;
        path_ = (std::filesystem::temp_directory_path() /
                 (tag + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter)))
                    .wstring() +
                L"\\";
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        // Read-only and hidden files would stop the removal.
        std::error_code ignored;
        for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with a trailing "\".
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + relative; }

    // Writes a file (creating its folders) and returns its full path.
    std::wstring Put(const std::wstring& relative, const std::string& content = "x") const {
        std::filesystem::path file(path_ + relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file.wstring();
    }
    std::wstring Folder(const std::wstring& relative) const {
        std::filesystem::create_directories(path_ + relative);
        return path_ + relative + L"\\";
    }
    bool Exists(const std::wstring& relative) const { return std::filesystem::exists(path_ + relative); }

private:
    std::wstring path_;
};

}  // namespace kvtest
