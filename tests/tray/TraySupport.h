#pragma once
// What the tray tests share: a hidden owner window that plays the main window (it forwards
// the tray messages as the main window does), the settings the menu reads, and a driver
// that waits for a popup menu and answers it with injected keys.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "BootIniTest.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "basMain.h"
#include "basMenues.h"

namespace kvtest {

inline HWND VisibleMenuWindow() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
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

// Runs while the test thread sits in a call that may show a menu: once a menu is on the
// screen it is inspected and the keys are sent; Escapes follow while it stays open, so a
// fault never hangs the run. Appeared() tells whether any menu was shown.
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

    // Stops waiting for a menu (once the call under test has returned) and joins.
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

// The state of a menu item as the shown menu holds it.
inline MENUITEMINFOW ShownItem(HMENU menu, UINT position) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    GetMenuItemInfoW(menu, position, TRUE, &mii);
    return mii;
}

// A hidden top-level window that forwards the tray messages as the main window does.
class TrayOwner {
public:
    TrayOwner() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KVTrayTestOwner";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"Windows beenden - Kelvo Restart", WS_OVERLAPPEDWINDOW, 60, 60,
                               320, 240, nullptr, nullptr, wc.hInstance, nullptr);
        EXPECT_NE(hwnd, nullptr);
        icon = LoadIconW(nullptr, IDI_INFORMATION);
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    ~TrayOwner() {
        if (hwnd) DestroyWindow(hwnd);
    }
    TrayOwner(const TrayOwner&) = delete;
    TrayOwner& operator=(const TrayOwner&) = delete;

    // Whether the notification area holds the icon of this window right now: only an icon
    // it knows can be modified.
    bool IconShown() const {
        NOTIFYICONDATAW record{};
        record.cbSize = NOTIFYICONDATAW_V1_SIZE;
        record.hWnd = hwnd;
        record.uID = HandleToUlong(icon);
        record.uFlags = NIF_TIP;
        lstrcpyW(record.szTip, L"Kelvo Restart");
        return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
    }
    void RemoveIconBehindTheProgramsBack() const {
        NOTIFYICONDATAW record{};
        record.cbSize = NOTIFYICONDATAW_V1_SIZE;
        record.hWnd = hwnd;
        record.uID = HandleToUlong(icon);
        Shell_NotifyIconW(NIM_DELETE, &record);
    }

    HWND hwnd = nullptr;
    HICON icon = nullptr;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == kvr::WM_KV_TRAY) {
            kvr::HandleTrayMenu(static_cast<UINT>(lParam));
            return 0;
        }
        if (msg == kvr::TaskbarCreatedMessage() && msg != 0) {
            kvr::RestoreTrayIcon();
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
};

// An icon of its own kept in the notification area while a suite runs: Wine's tray takes
// two seconds to remove the last icon (it hides its window), and every test removes one.
class TrayKeeper {
public:
    TrayKeeper() {
        hwnd_ = CreateWindowExW(0, L"STATIC", L"tray keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        record_.cbSize = NOTIFYICONDATAW_V1_SIZE;
        record_.hWnd = hwnd_;
        record_.uID = 1;
        record_.uFlags = NIF_ICON | NIF_TIP;
        record_.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        lstrcpyW(record_.szTip, L"Test");
        Shell_NotifyIconW(NIM_ADD, &record_);
    }
    ~TrayKeeper() {
        Shell_NotifyIconW(NIM_DELETE, &record_);
        DestroyWindow(hwnd_);
    }
    TrayKeeper(const TrayKeeper&) = delete;
    TrayKeeper& operator=(const TrayKeeper&) = delete;

private:
    HWND hwnd_ = nullptr;
    NOTIFYICONDATAW record_{};
};

// True (and removed) when a WM_QUIT waits in this thread's queue.
inline bool TakeQuitMessage() {
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// Every tray test: a fresh program state with boot.ini and the stored QuitImmediate put
// back afterwards, recorded session calls and message boxes, and no program part left over.
class TrayTest : public BootIniTest {
protected:
    void SetUp() override {
        BootIniTest::SetUp();
        // A refused exit must never rebuild a resident program inside the test.
        kvr::State().Mode = kvr::RunMode::CommandLine;
    }
    void TearDown() override {
        kvr::Quit();  // the tray icon, the image list and whatever else registered its removal
        TakeQuitMessage();
        BootIniTest::TearDown();
    }

    RegistrySnapshot settings_{{{HKEY_CURRENT_USER, kOptionsKey, L"QuitImmediate"}}};
    RecordingSessionControl session;
    RecordingMessageBox boxes;
};

}  // namespace kvtest
