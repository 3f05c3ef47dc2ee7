#pragma once
// Input injected the way a user's would arrive, and a bounded message loop to receive it.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <utility>

namespace kvtest {

// Runs the thread's message loop until done() or the timeout; answers done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

// Runs the loop for a while (to see that nothing more arrives).
inline void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

// Key presses and releases: {virtual key, true for down}.
inline void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    for (auto [key, down] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
    }
}

// A mouse event at a screen point (pixels); flags as SendInput takes them.
inline void SendMouse(int x, int y, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

}  // namespace kvtest
