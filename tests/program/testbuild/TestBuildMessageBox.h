#pragma once
// The message-box seam of the test build: every box is appended to the log file as one
// line, and answered from a queue (OK when the queue is empty).
#include <windows.h>

#include <deque>
#include <string>

#include "MessageBoxSeam.h"
#include "RecordingSessionControl.h"
#include "StandIn.h"

namespace kvtest {

// Line breaks as \r and \n, so every box stays on one line.
inline std::wstring OneLine(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r') out += L"\\r";
        else if (c == L'\n') out += L"\\n";
        else out += c;
    }
    return out;
}

class TestBuildMessageBox : public StandIn<kv::IMessageBox, kv::SetMessageBoxes> {
public:
    explicit TestBuildMessageBox(std::wstring logFile) : logFile_(std::move(logFile)) {}

    int Show(HWND, const std::wstring& text, const std::wstring& title, UINT style) override {
        int answer = IDOK;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        wchar_t hex[16];
        swprintf(hex, 16, L"0x%X", style);
        AppendLogLine(logFile_, L"MessageBox(" + std::wstring(hex) + L", \"" + OneLine(title) + L"\", \"" +
                                    OneLine(text) + L"\") -> " + std::to_wstring(answer));
        return answer;
    }

    std::deque<int> answers;

private:
    std::wstring logFile_;
};

}  // namespace kvtest
