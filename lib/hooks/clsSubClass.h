#pragma once
// Chosen messages of windows of this thread, seen before and after the window handles them,
// with the chance to change them or answer them instead. The windows are subclassed through
// the common controls' subclass chain, so other subclassers of the same window keep working
// whatever the order of hooking and unhooking.
#include <windows.h>

#include <memory>
#include <vector>

#include "clsHookData.h"

namespace kv {

// A message on its way: Before may change the values passed on, or set blnCancel and decide
// lngProcResult itself; After sees the result.
struct SubclassMessage {
    HWND lnghWnd;
    long lngMsg;
    WPARAM lngwParam;
    LPARAM lnglParam;
    bool blnCancel = false;
    LRESULT lngProcResult = 0;
};

class clsSubClassEvents {
public:
    virtual void Before(SubclassMessage& message) { (void)message; }
    virtual void After(SubclassMessage& message) { (void)message; }

protected:
    ~clsSubClassEvents() = default;
};

class clsSubClass final {
public:
    // events is not owned and may be nullptr; a handler may end this object.
    explicit clsSubClass(clsSubClassEvents* events = nullptr) : events_(events) {}
    ~clsSubClass();
    clsSubClass(const clsSubClass&) = delete;
    clsSubClass& operator=(const clsSubClass&) = delete;

    void Events(clsSubClassEvents* events) { events_ = events; }

    void Hook(HWND lnghWnd, long lngMessage, bool blnSubclass);
    bool Hook(HWND lnghWnd, long lngMessage) const;
    long IsHooked(HWND lnghWnd) const;
    void UnHookAll();

    // For the window procedure of the library: the event sequence of one hooked message.
    static LRESULT RaiseWndProc(clsSubClass* self, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The window is going: its pairs are dropped (the other windows stay hooked).
    void Forget(HWND hWnd);

private:
    std::vector<clsHookData> records_;
    clsSubClassEvents* events_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace kv
