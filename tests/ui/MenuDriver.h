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

inline HMENU MenuOf(HWND menuWindow) {
    return reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
}

inline void PressKey(WORD vk) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(120);  // the menu loop takes each key before the next
}

class MenuDriver {
public:
    explicit MenuDriver(std::vector<WORD> keys, std::function<void(HWND)> inspect = nullptr, int waitMs = 5000)
        : thread_([this, keys, inspect, waitMs] {
              HWND shown = nullptr;
              for (int waited = 0; waited < waitMs && !stop_ && !(shown = VisibleMenuWindow()); waited += 20) Sleep(20);
              if (!shown) return;
              appeared_ = true;
              Sleep(150);
              if (inspect) inspect(shown);
              for (WORD key : keys) PressKey(key);
              for (int i = 0; i < 6 && VisibleMenuWindow(); ++i) {
                  Sleep(300);
                  if (VisibleMenuWindow()) PressKey(VK_ESCAPE);
              }
          }) {}
    ~MenuDriver() { Finish(); }
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;

    // Stops waiting (once the call under test has returned) and tells whether a menu was shown.
    bool Finish() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return appeared_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> appeared_{false};
    std::thread thread_;
};

}  // namespace kvtest
