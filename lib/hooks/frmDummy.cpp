#include "frmDummy.h"

#include <algorithm>
#include <vector>

#include "HooksMain.h"
#include "LastError.h"
#include "Owned.h"

namespace kv {

namespace {

constexpr UINT conHookEvents = WM_APP + 1;
constexpr const wchar_t* conClassName = L"KVHooksDummy";
// Far beyond what a person types while a handler waits; only a runaway source reaches it.
constexpr size_t conQueueLimit = 65536;

// Modifier keys held, one bit per physical key, as the keyboard hook saw them.
enum HeldKey : unsigned {
    conLeftShift = 1, conRightShift = 2, conLeftCtrl = 4, conRightCtrl = 8,
    conLeftAlt = 16, conRightAlt = 32, conLeftWin = 64,
};

unsigned HeldBit(DWORD virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT: case VK_LSHIFT: return conLeftShift;
        case VK_RSHIFT: return conRightShift;
        case VK_CONTROL: case VK_LCONTROL: return conLeftCtrl;
        case VK_RCONTROL: return conRightCtrl;
        case VK_MENU: case VK_LMENU: return conLeftAlt;
        case VK_RMENU: return conRightAlt;
        case VK_LWIN: return conLeftWin;
        default: return 0;   // the right Windows key sets no bit of the shift state
    }
}

// The hooks of one thread, shared by its hidden windows: one hook of each kind while at least
// one window wants it.
struct ThreadHooks {
    OwnedHook keyboard, mouse;
    std::vector<frmDummy*> keyboardWindows, mouseWindows;
    unsigned held = 0;
    // The last left button press, for double clicks.
    DWORD lastPressTime = 0;
    POINT lastPressAt{};
    bool pressed = false;

    long Shift() const {
        return ((held & (conLeftShift | conRightShift)) ? conShiftMask : 0) |
               ((held & (conLeftCtrl | conRightCtrl)) ? conCtrlMask : 0) |
               ((held & (conLeftAlt | conRightAlt)) ? conAltMask : 0) | ((held & conLeftWin) ? vbWinMask : 0);
    }
    // The modifiers held when the first hook starts, so that a key held before is known.
    void ReadHeld() {
        held = 0;
        for (DWORD key : {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN})
            if (GetAsyncKeyState(static_cast<int>(key)) < 0) held |= HeldBit(key);
    }
};

thread_local ThreadHooks t_hooks;

void QueueAll(const std::vector<frmDummy*>& windows, const HookEvent& event) {
    for (frmDummy* window : windows) window->Queue(event);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        ThreadHooks& hooks = t_hooks;
        // Tracked before the event, so a modifier's own release reports the others still held.
        if (down) hooks.held |= HeldBit(key.vkCode);
        else hooks.held &= ~HeldBit(key.vkCode);
        HookEvent event{down ? HookEvent::Kind::KeyDown : HookEvent::Kind::KeyUp, ReportedKeyCode(key.vkCode),
                        hooks.Shift()};
        event.virtualKey = key.vkCode;
        event.scanCode = key.scanCode;
        QueueAll(hooks.keyboardWindows, event);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

long ButtonOf(WPARAM message) {
    switch (message) {
        case WM_LBUTTONDOWN: case WM_LBUTTONUP: return 1;
        case WM_RBUTTONDOWN: case WM_RBUTTONUP: return 2;
        case WM_MBUTTONDOWN: case WM_MBUTTONUP: return 4;
        default: return 0;
    }
}

bool IsDoubleClick(ThreadHooks& hooks, const MSLLHOOKSTRUCT& mouse) {
    const bool twice = hooks.pressed && mouse.time - hooks.lastPressTime <= GetDoubleClickTime() &&
                       std::abs(mouse.pt.x - hooks.lastPressAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                       std::abs(mouse.pt.y - hooks.lastPressAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    // A third press starts a new pair.
    hooks.pressed = !twice;
    hooks.lastPressTime = mouse.time;
    hooks.lastPressAt = mouse.pt;
    return twice;
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        ThreadHooks& hooks = t_hooks;
        HookEvent event{HookEvent::Kind::MouseMove, ButtonOf(wParam), hooks.Shift(), mouse.pt.x, mouse.pt.y};
        switch (wParam) {
            case WM_MOUSEMOVE:
                QueueAll(hooks.mouseWindows, event);
                break;
            case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: {
                event.kind = HookEvent::Kind::MouseDown;
                QueueAll(hooks.mouseWindows, event);
                if (wParam == WM_LBUTTONDOWN && IsDoubleClick(hooks, mouse))
                    QueueAll(hooks.mouseWindows, HookEvent{HookEvent::Kind::DblClick});
                break;
            }
            case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
                event.kind = HookEvent::Kind::MouseUp;
                QueueAll(hooks.mouseWindows, event);
                if (wParam == WM_LBUTTONUP) QueueAll(hooks.mouseWindows, HookEvent{HookEvent::Kind::Click});
                break;
            default:
                break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Join(std::vector<frmDummy*>& windows, OwnedHook& hook, int kind, HOOKPROC procedure, frmDummy* window) {
    if (!hook) {
        if (!t_hooks.keyboard && !t_hooks.mouse) t_hooks.ReadHeld();
        hook.Reset(SetWindowsHookExW(kind, procedure, CodeModule(), 0));
        RaiseLastErrorIf(!hook);
    }
    windows.push_back(window);
}

void Leave(std::vector<frmDummy*>& windows, OwnedHook& hook, frmDummy* window) {
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
    if (windows.empty()) hook.Reset();
}

// The character a key press types, without changing the keyboard's dead-key state; 0 for none.
long CharacterOf(const HookEvent& event) {
    BYTE state[256] = {};
    const auto set = [&](int key, bool on) { if (on) state[key] = 0x80; };
    set(VK_SHIFT, event.shift & conShiftMask);
    set(VK_CONTROL, event.shift & conCtrlMask);
    set(VK_MENU, event.shift & conAltMask);
    state[VK_CAPITAL] = static_cast<BYTE>(GetKeyState(VK_CAPITAL) & 1);
    wchar_t typed[4] = {};
    const int count = ToUnicodeEx(event.virtualKey, event.scanCode, state, typed, 4, 4, GetKeyboardLayout(0));
    return count == 1 ? typed[0] : 0;
}

}  // namespace

long ReportedKeyCode(DWORD virtualKey) {
    switch (virtualKey) {
        case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
        case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
        case VK_LMENU: case VK_RMENU: return VK_MENU;
        default: return static_cast<long>(virtualKey);
    }
}

frmDummy::frmDummy(HookEventSink& sink) : WindowBase(conHooksProject, L"frmDummy"), sink_(sink) {
    WNDCLASSEXW wc{};
    wc.lpszClassName = conClassName;
    RegisterWindowClass(wc);
    // A message-only window: never shown, never enumerated with the desktop's windows.
    Create(0, conClassName, L"Form1", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

frmDummy::~frmDummy() {
    *alive_ = false;
    StopMouse();
    StopKeyboard();
}

void frmDummy::StartMouse() {
    if (!mouse_) Join(t_hooks.mouseWindows, t_hooks.mouse, WH_MOUSE_LL, MouseProc, this);
    mouse_ = true;
}
void frmDummy::StopMouse() {
    if (mouse_) Leave(t_hooks.mouseWindows, t_hooks.mouse, this);
    mouse_ = false;
}
void frmDummy::StartKeyboard() {
    if (!keyboard_) Join(t_hooks.keyboardWindows, t_hooks.keyboard, WH_KEYBOARD_LL, KeyboardProc, this);
    keyboard_ = true;
}
void frmDummy::StopKeyboard() {
    if (keyboard_) Leave(t_hooks.keyboardWindows, t_hooks.keyboard, this);
    keyboard_ = false;
}

void frmDummy::Queue(const HookEvent& event) {
    // Moves while the client is busy are one move to the latest place.
    if (event.kind == HookEvent::Kind::MouseMove && !queue_.empty() &&
        queue_.back().kind == HookEvent::Kind::MouseMove && queue_.back().shift == event.shift) {
        queue_.back() = event;
    } else if (queue_.size() < conQueueLimit) {
        queue_.push_back(event);
    }
    if (!posted_) posted_ = PostMessageW(Handle(), conHookEvents, 0, 0) != FALSE;
}

bool frmDummy::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != conHookEvents) return false;
    result = 0;
    Drain();   // this object may be gone now: touch nothing after it
    return true;
}

void frmDummy::Drain() {
    posted_ = false;
    // Inside a handler's own message loop (a modal box): the outer delivery goes on, in
    // order, once the handler returns.
    if (draining_) return;
    draining_ = true;
    const std::shared_ptr<bool> alive = alive_;
    try {
        while (!queue_.empty()) {
            const HookEvent event = queue_.front();
            queue_.pop_front();
            sink_.Deliver(event);
            if (!*alive) return;
            if (event.kind == HookEvent::Kind::KeyDown) {
                if (long character = CharacterOf(event)) {
                    sink_.Deliver(HookEvent{HookEvent::Kind::KeyPress, character});
                    if (!*alive) return;
                }
            }
        }
    } catch (...) {
        if (!*alive) return;   // the handler ended this object; nobody is left to report to
        draining_ = false;
        throw;
    }
    draining_ = false;
}

}  // namespace kv
