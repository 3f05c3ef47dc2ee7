#pragma once
// Plays the user of a popup menu: while the test thread sits in a call that may show a menu,
// a second thread waits for the menu, lets the test inspect it and sends keys. Escapes follow
// while it stays open, so a fault never hangs the run.
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace kvtest {

inline HWND VisibleMenuWindow() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

inline HMENU MenuOf(HWND menuWindow) { return reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)); }

inline void PressKey(WORD vk) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(120);  // the menu loop takes each key before the next
}

// Runs call(); true when it showed a menu.
inline bool WithMenu(const std::function<void()>& call, const std::vector<WORD>& keys,
                     const std::function<void(HWND)>& inspect = nullptr) {
    std::atomic<bool> done{false}, shown{false};
    std::thread user([&] {
        HWND menu = nullptr;
        for (int waited = 0; waited < 5000 && !done && !(menu = VisibleMenuWindow()); waited += 20) Sleep(20);
        if (!menu) return;
        shown = true;
        Sleep(150);
        if (inspect) inspect(menu);
        for (WORD key : keys) PressKey(key);
        for (int i = 0; i < 6 && VisibleMenuWindow(); ++i) {
            Sleep(300);
            if (VisibleMenuWindow()) PressKey(VK_ESCAPE);
        }
    });
    try {
        call();
    } catch (...) {
        done = true;
        user.join();
        throw;
    }
    done = true;
    user.join();
    return shown;
}

}  // namespace kvtest
