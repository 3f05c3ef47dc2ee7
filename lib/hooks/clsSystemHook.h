#pragma once
// Keyboard and mouse activity of the whole desktop as events, with the shift state. The
// hooks run while switched on; events are delivered on the creating thread from its message
// loop (see frmDummy.h).
#include <memory>

#include "frmDummy.h"

namespace kv {

// What a client of clsSystemHook receives; every handler is optional.
class clsSystemHookEvents {
public:
    virtual void Click() {}
    virtual void DblClick() {}
    virtual void KeyDown(long lngKeyCode, long lngShift) { (void)lngKeyCode, (void)lngShift; }
    virtual void KeyPress(long lngKeyAscii) { (void)lngKeyAscii; }
    virtual void KeyUp(long lngKeyCode, long lngShift) { (void)lngKeyCode, (void)lngShift; }
    virtual void MouseDown(long lngButton, long lngShift, long lngX, long lngY) {
        (void)lngButton, (void)lngShift, (void)lngX, (void)lngY;
    }
    virtual void MouseUp(long lngButton, long lngShift, long lngX, long lngY) {
        (void)lngButton, (void)lngShift, (void)lngX, (void)lngY;
    }
    virtual void MouseMove(long lngShift, long lngX, long lngY) { (void)lngShift, (void)lngX, (void)lngY; }

protected:
    ~clsSystemHookEvents() = default;
};

class clsSystemHook final : private HookEventSink {
public:
    // events is not owned and may be nullptr; a handler may end this object.
    explicit clsSystemHook(clsSystemHookEvents* events = nullptr);
    ~clsSystemHook();
    clsSystemHook(const clsSystemHook&) = delete;
    clsSystemHook& operator=(const clsSystemHook&) = delete;

    void Events(clsSystemHookEvents* events) { events_ = events; }

    void EnableMouse(bool blnEnable);
    bool EnableMouse() const;
    void EnableKeyBoard(bool blnEnable);
    bool EnableKeyBoard() const;

private:
    void Deliver(const HookEvent& event) override;

    std::unique_ptr<frmDummy> form_;
    clsSystemHookEvents* events_;
};

}  // namespace kv
