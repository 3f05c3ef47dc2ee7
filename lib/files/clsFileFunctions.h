#pragma once
// Sets a file's time stamps.
#include <string>

namespace kv {

class clsFileFunctions {
public:
    static constexpr const wchar_t* conModule = L"clsFileFunctions";

    // Each date (a date value in local time) is applied only when it is not the zero date,
    // which also stands for a date not passed: last write, then last access, then creation.
    // Raises -52015 with the step that failed: 1 opening the file, 2 writing the time stamp,
    // 3 converting the date. Folders get dates as files do.
    void SetFileDate(const std::wstring& strFile, double datModificationDate = 0, double datLastAccessDate = 0,
                     double datCreationDate = 0);
};

}  // namespace kv
