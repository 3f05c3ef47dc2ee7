// The timing side of bench/run, run under Wine next to the programs it measures:
//   KVBench start N program [arguments]    median milliseconds from start to end, N runs
//   KVBench window N program [arguments]   median milliseconds from start to the first
//                                          visible top-level window of the process (which
//                                          is then ended), N runs
// Prints the median alone on a line.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

struct Search {
    DWORD pid;
    bool found;
};

bool HasVisibleWindow(DWORD pid) {
    Search search{pid, false};
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->pid && IsWindowVisible(hwnd)) {
                s->found = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// One run; a negative result when the program could not be started or showed nothing in time.
double RunOnce(std::wstring commandLine, bool untilWindow) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER begin, end;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    double result = -1;
    if (untilWindow) {
        for (int i = 0; i < 30000; ++i) {  // at most about 30 s
            if (HasVisibleWindow(process.dwProcessId)) {
                QueryPerformanceCounter(&end);
                result = Milliseconds(begin, end);
                break;
            }
            if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
        }
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
    } else if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        QueryPerformanceCounter(&end);
        result = Milliseconds(begin, end);
    } else {
        TerminateProcess(process.hProcess, 0);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputs("usage: KVBench start|window N program [arguments]\n", stderr);
        return 2;
    }
    const bool untilWindow = std::wcscmp(argv[1], L"window") == 0;
    const int runs = std::max(1, _wtoi(argv[2]));
    std::wstring commandLine = L"\"" + std::wstring(argv[3]) + L"\"";
    for (int i = 4; i < argc; ++i) commandLine += L" " + std::wstring(argv[i]);

    // One run first, untimed: the first start of a kind also starts Wine's own processes.
    if (RunOnce(commandLine, untilWindow) < 0) {
        std::fwprintf(stderr, L"KVBench: %ls failed\n", commandLine.c_str());
        return 1;
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double ms = RunOnce(commandLine, untilWindow);
        if (ms < 0) {
            std::fwprintf(stderr, L"KVBench: %ls failed\n", commandLine.c_str());
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("%.1f\n", median);
    return 0;
}
