#pragma once
// Waiting with a limit, as every test that meets windows must: for a condition, for a
// dialog of a process, for this thread's messages to be served, and for what a program of
// the machine brings about.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

namespace kvtest {

// Polls until done() holds or the time is up; done()'s last answer.
inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000, DWORD stepMs = 50) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        Sleep(stepMs);
    }
    return true;
}

// The visible top-level window of the class and process with the caption (any caption when
// nullptr); nullptr after the timeout. The display may be shared with other prefixes' windows.
inline HWND WaitForWindow(const wchar_t* cls, const wchar_t* caption, DWORD pid, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window = FindWindowExW(nullptr, nullptr, cls, caption); window;
             window = FindWindowExW(nullptr, window, cls, caption)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == pid && IsWindowVisible(window)) return (found = window) != nullptr;
        }
        return false;
    }, timeoutMs);
    return found;
}
inline HWND WaitForDialog(const wchar_t* caption, DWORD pid = GetCurrentProcessId(), DWORD timeoutMs = 10000) {
    return WaitForWindow(L"#32770", caption, pid, timeoutMs);
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

// Serves this thread's messages until done() holds or the time is up; done()'s last answer.
// With dialogKeys, keys reach a dialog through IsDialogMessage, as in the program's loop. A
// quit message (left by a tear-down) is dropped: it is not the test's to end on.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000, bool dialogKeys = false) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)),
                                  QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            if (dialogKeys) {
                HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
                wchar_t cls[16] = L"";
                if (root) GetClassNameW(root, cls, 16);
                if (lstrcmpW(cls, L"#32770") == 0 && IsDialogMessageW(root, &msg)) continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

// Serves the messages for a while (timers, posted messages; or to see that nothing more comes).
inline void PumpFor(DWORD ms, bool dialogKeys = false) { PumpUntil([] { return false; }, ms, dialogKeys); }

// Starts a program of the machine from its Z: path (e.g. L"Z:\\usr\\bin\\python3") with the
// whole command line. Wine gives no handle to wait for: the caller waits for what it brings about.
inline bool StartUnixProgram(const wchar_t* path, std::wstring line) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(path, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return false;
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);
    return true;
}

}  // namespace kvtest
