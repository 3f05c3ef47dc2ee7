#pragma once
// Input injected the way a user's would arrive (Waiting.h serves the loop that receives it).
#include <windows.h>

#include <initializer_list>
#include <utility>

#include "Waiting.h"

namespace kvtest {

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
