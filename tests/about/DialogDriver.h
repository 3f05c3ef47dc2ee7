#pragma once
// Drives a modal dialog of this process from a second thread, as a user would: waits for
// the dialog with the caption, hands it to the test, and waits for it to go.
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "MessageBoxSeam.h"
#include "StandIn.h"
#include "Waiting.h"

namespace kvtest {

// Runs show() here (it returns when its dialog closes) while user() acts on another thread.
inline void WhileShowing(const std::function<void()>& show, const std::function<void()>& user) {
    std::thread acting(user);
    show();
    acting.join();
}

// A real click on a control: the button goes down and up over it.
inline void Click(HWND control) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// Records every message box (from whichever thread shows it) and signals each one, so the
// thread acting as the user can wait for it. Answers IDOK.
class SignallingMessageBox : public StandIn<kv::IMessageBox, kv::SetMessageBoxes> {
public:
    ~SignallingMessageBox() override { CloseHandle(shown_); }
    int Show(HWND, const std::wstring& text, const std::wstring&, UINT style) override {
        {
            std::lock_guard<std::mutex> guard(lock_);
            texts_.push_back(text);
            styles_.push_back(style);
        }
        SetEvent(shown_);
        return IDOK;
    }
    // The next box's text, or "" when none came within timeoutMs.
    std::wstring Next(int timeoutMs = 20000) {
        if (WaitForSingleObject(shown_, timeoutMs) != WAIT_OBJECT_0) return L"";
        std::lock_guard<std::mutex> guard(lock_);
        return texts_.back();
    }
    std::vector<std::wstring> Texts() {
        std::lock_guard<std::mutex> guard(lock_);
        return texts_;
    }

private:
    HANDLE shown_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    std::mutex lock_;
    std::vector<std::wstring> texts_;
    std::vector<UINT> styles_;
};

}  // namespace kvtest
