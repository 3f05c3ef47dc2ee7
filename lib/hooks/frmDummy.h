#pragma once
// The hook control of clsSystemHook: the thread's low-level keyboard and mouse hooks and the
// hidden window that hands their events on.
//
// The hook procedures only copy an event (key or button, coordinates, the shift state they
// track themselves) into the queue of every window that switched that hook on, post to it
// and return, passing the event on; the events reach the client from the message loop. A
// handler that opens a modal window therefore never stalls the desktop's input, and events
// that arrive meanwhile wait in the queue and follow in order once it returns.
#include <windows.h>

#include <deque>
#include <memory>

#include "WindowBase.h"

namespace kv {

struct HookEvent {
    enum class Kind { Click, DblClick, KeyDown, KeyPress, KeyUp, MouseDown, MouseUp, MouseMove };
    Kind kind;
    long code = 0;    // key code (KeyDown, KeyUp), character (KeyPress), button (mouse)
    long shift = 0;   // shift state, where the event has one
    long x = 0, y = 0;   // screen coordinates in pixels (mouse)
    DWORD virtualKey = 0, scanCode = 0;   // as the hook saw the key (KeyDown, KeyUp)
};

// Where the hidden window delivers its events (clsSystemHook).
class HookEventSink {
public:
    virtual void Deliver(const HookEvent& event) = 0;

protected:
    ~HookEventSink() = default;
};

class frmDummy final : public WindowBase {
public:
    explicit frmDummy(HookEventSink& sink);
    ~frmDummy() override;

    // The control's six operations; starting or stopping twice is harmless.
    void StartMouse();
    void StopMouse();
    void StartKeyboard();
    void StopKeyboard();
    bool KeyboardActive() const { return keyboard_; }
    bool MouseActive() const { return mouse_; }

    // Called by the hook procedures: queue and post, nothing else.
    void Queue(const HookEvent& event);

protected:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Drain();

    HookEventSink& sink_;
    std::deque<HookEvent> queue_;
    bool keyboard_ = false, mouse_ = false;
    bool posted_ = false, draining_ = false;
    // Cleared when this object ends, possibly inside one of its own deliveries.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The code a key event reports: the left and right variants of Shift, Ctrl and Alt as the
// generic key (16, 17, 18); every other key, the Windows keys included, as it is.
long ReportedKeyCode(DWORD virtualKey);

}  // namespace kv
