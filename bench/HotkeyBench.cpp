// From an injected key release to the action of its hotkey in the resident test build,
// which logs each action as one line: the time until the log grows, per press.
// Usage: HotkeyBench N log-file (the program runs resident with F12 bound to an action).
// Prints: "<median-ms> <p99-ms>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

LONGLONG SizeOf(const wchar_t* file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file, GetFileExInfoStandard, &data)) return 0;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void Key(bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_F12;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// Milliseconds from the release until the log grew; negative after the timeout.
double Press(const wchar_t* log, DWORD timeoutMs) {
    Key(true);
    Sleep(1);
    const LONGLONG before = SizeOf(log);
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    Key(false);
    for (;;) {
        QueryPerformanceCounter(&now);
        const double ms = (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
        if (SizeOf(log) > before) return ms;
        if (ms > timeoutMs) return -1;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: HotkeyBench N log-file\n", stderr);
        return 2;
    }
    const int presses = std::max(1, _wtoi(argv[1]));
    // Untimed until the program is up and its hook is in place.
    bool ready = false;
    for (int i = 0; i < 60 && !ready; ++i) ready = Press(argv[2], 500) >= 0;
    if (!ready) {
        std::fputs("HotkeyBench: no action logged\n", stderr);
        return 1;
    }
    std::vector<double> times;
    for (int i = 0; i < presses; ++i) {
        const double ms = Press(argv[2], 2000);
        if (ms >= 0) times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    if (times.empty()) return 1;
    std::printf("%.2f %.2f %d\n", times[times.size() / 2], times[times.size() * 99 / 100],
                presses - static_cast<int>(times.size()));
    return 0;
}
