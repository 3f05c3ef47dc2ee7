#pragma once
// Stands in for the message-box seam: records every box and answers from a queue
// (IDOK when the queue is empty).
#include <deque>
#include <string>
#include <vector>

#include "MessageBoxSeam.h"
#include "StandIn.h"

namespace kvtest {

struct ShownBox {
    std::wstring text;
    std::wstring title;
    UINT style;
};

class RecordingMessageBox : public StandIn<kv::IMessageBox, kv::SetMessageBoxes> {
public:
    int Show(HWND, const std::wstring& text, const std::wstring& title, UINT style) override {
        shown.push_back({text, title, style});
        if (answers.empty()) return IDOK;
        int a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<ShownBox> shown;
    std::deque<int> answers;
};

}  // namespace kvtest
