#include "MessagePump.h"

namespace kv::files {

MessagePump::~MessagePump() {
    if (quit_) PostQuitMessage(static_cast<int>(*quit_));
}

void MessagePump::DispatchPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit_ = msg.wParam;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace kv::files
