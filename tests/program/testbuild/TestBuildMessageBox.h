#pragma once
// The message-box seam of the test build: every box is appended to the log file as one
// line, and answered from a queue (OK when the queue is empty).
#include <windows.h>

#include <cstdio>
#include <deque>
#include <string>

#include "MessageBoxSeam.h"

namespace kvtest {

// Appends one line, UTF-8, to the file; opened and closed each time so that the line is
// there even if the program ends the next moment.
inline void AppendLogLine(const std::wstring& path, const std::wstring& line) {
    FILE* file = _wfopen(path.c_str(), L"ab");
    if (!file) return;
    int n = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), n, nullptr, nullptr);
    std::fprintf(file, "%s\n", utf8.c_str());
    std::fclose(file);
}

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

class TestBuildMessageBox : public kv::IMessageBox {
public:
    explicit TestBuildMessageBox(std::wstring logFile) : logFile_(std::move(logFile)) {
        previous_ = kv::SetMessageBoxes(this);
    }
    ~TestBuildMessageBox() override { kv::SetMessageBoxes(previous_); }
    TestBuildMessageBox(const TestBuildMessageBox&) = delete;
    TestBuildMessageBox& operator=(const TestBuildMessageBox&) = delete;

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
    kv::IMessageBox* previous_ = nullptr;
};

}  // namespace kvtest
