// A program for the execution tests: ExitWith <exit code> [<milliseconds to run>] [<report file>]
// It writes its current folder and its command line to the report file when one is given.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return 1000;
    int code = argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 0;
    DWORD runFor = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 0;
    if (argc > 3) {
        wchar_t folder[MAX_PATH] = L"";
        GetCurrentDirectoryW(MAX_PATH, folder);
        std::wstring report = std::wstring(folder) + L"\n" + GetCommandLineW() + L"\n";
        HANDLE file = CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1001;
        DWORD written = 0;
        WriteFile(file, report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)), &written, nullptr);
        CloseHandle(file);
    }
    LocalFree(argv);
    if (runFor) Sleep(runFor);
    return code;
}
