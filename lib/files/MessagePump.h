#pragma once
// Lets the calling thread's pending window messages run while a long call is on the stack,
// so the caller's windows stay responsive. A WM_QUIT met on the way belongs to the caller's
// own loop: it is kept and posted again when the pump goes.
#include <windows.h>

#include <optional>

namespace kv::files {

class MessagePump {
public:
    MessagePump() = default;
    MessagePump(const MessagePump&) = delete;
    MessagePump& operator=(const MessagePump&) = delete;
    ~MessagePump();

    // Dispatches every message waiting in the thread's queue.
    void DispatchPending();

private:
    std::optional<WPARAM> quit_;
};

}  // namespace kv::files
