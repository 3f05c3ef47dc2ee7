#pragma once
// Stands in for the message-box seam: records every box and answers from a queue
// (IDOK when the queue is empty). Installs itself for its lifetime.
#include <deque>
#include <string>
#include <vector>

#include "MessageBoxSeam.h"

namespace kvtest {

struct ShownBox {
    std::wstring text;
    std::wstring title;
    UINT style;
};

class RecordingMessageBox : public kv::IMessageBox {
public:
    RecordingMessageBox() { previous_ = kv::SetMessageBoxes(this); }
    ~RecordingMessageBox() override { kv::SetMessageBoxes(previous_); }

    int Show(HWND, const std::wstring& text, const std::wstring& title, UINT style) override {
        shown.push_back({text, title, style});
        if (answers.empty()) return IDOK;
        int a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<ShownBox> shown;
    std::deque<int> answers;

private:
    kv::IMessageBox* previous_ = nullptr;
};

}  // namespace kvtest
