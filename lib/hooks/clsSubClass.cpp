#include "clsSubClass.h"

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>

#include "HooksMain.h"
#include "LastError.h"

namespace kv {

namespace {

constexpr UINT_PTR conSubclassId = 0x4B5648;   // this library's place in a window's subclass chain

// Which object a window's messages go to: at most one per window, the latest to hook it.
// The objects unhook themselves before they end, so the table never points at a dead one.
std::unordered_map<HWND, clsSubClass*>& Owners() {
    static std::unordered_map<HWND, clsSubClass*> owners;
    return owners;
}

clsSubClass* OwnerOf(HWND hWnd) {
    auto found = Owners().find(hWnd);
    return found == Owners().end() ? nullptr : found->second;
}

LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

void HookWindow(HWND hWnd, clsSubClass* object) {
    if (!hWnd) return;
    try {
        // A second object takes the window over; the chain keeps one entry of ours.
        if (!OwnerOf(hWnd)) RaiseLastErrorIf(!SetWindowSubclass(hWnd, WndProc, conSubclassId, 0));
        Owners()[hWnd] = object;
    } catch (const KVError& e) {
        HooksMain().ForwardError(conHooksProject, L"basSubClass", L"HookWindow", e);
    }
}

// Only the window's current owner lets it go: an object whose window was taken over leaves
// the new owner's hooks alone.
void UnhookWindow(HWND hWnd, clsSubClass* object) {
    if (OwnerOf(hWnd) != object) return;
    Owners().erase(hWnd);
    RemoveWindowSubclass(hWnd, WndProc, conSubclassId);
}

LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    clsSubClass* owner = OwnerOf(hWnd);
    LRESULT result = owner && owner->Hook(hWnd, static_cast<long>(msg))
                         ? clsSubClass::RaiseWndProc(owner, hWnd, msg, wParam, lParam)
                         : DefSubclassProc(hWnd, msg, wParam, lParam);
    // The window's last message: its owner (looked up again, a handler may have ended it)
    // forgets this window only.
    if (msg == WM_NCDESTROY) {
        if (clsSubClass* current = OwnerOf(hWnd)) current->Forget(hWnd);
        RemoveWindowSubclass(hWnd, WndProc, conSubclassId);
    }
    return result;
}

}  // namespace

clsSubClass::~clsSubClass() {
    *alive_ = false;
    try {
        UnHookAll();
    } catch (...) {
        // Unhooking raises nothing; an ending object reports nothing either.
    }
}

void clsSubClass::Hook(HWND lnghWnd, long lngMessage, bool blnSubclass) {
    try {
        const clsHookData pair{lngMessage, lnghWnd};
        auto found = std::find(records_.begin(), records_.end(), pair);
        if (blnSubclass) {
            if (found != records_.end()) return;
            records_.push_back(pair);
            if (IsHooked(lnghWnd) == 1) HookWindow(lnghWnd, this);
        } else {
            if (found == records_.end()) return;
            records_.erase(found);
            if (IsHooked(lnghWnd) == 0) UnhookWindow(lnghWnd, this);
        }
    } catch (const KVError& e) {
        HooksMain().ForwardError(conHooksProject, L"clsSubClass", L"Let Hook", e);
    }
}

bool clsSubClass::Hook(HWND lnghWnd, long lngMessage) const {
    return std::find(records_.begin(), records_.end(), clsHookData{lngMessage, lnghWnd}) != records_.end();
}

long clsSubClass::IsHooked(HWND lnghWnd) const {
    return static_cast<long>(
        std::count_if(records_.begin(), records_.end(), [&](const clsHookData& r) { return r.hWnd == lnghWnd; }));
}

void clsSubClass::UnHookAll() {
    while (!records_.empty()) Hook(records_.back().hWnd, records_.back().Message, false);
}

void clsSubClass::Forget(HWND hWnd) {
    records_.erase(std::remove_if(records_.begin(), records_.end(), [&](const clsHookData& r) { return r.hWnd == hWnd; }),
                   records_.end());
    UnhookWindow(hWnd, this);
}

LRESULT clsSubClass::RaiseWndProc(clsSubClass* self, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SubclassMessage message{hWnd, static_cast<long>(msg), wParam, lParam};
    clsSubClassEvents* events = self->events_;
    const std::shared_ptr<bool> alive = self->alive_;
    if (events) events->Before(message);
    // A handler may have ended the object: from here on only the message is used.
    if (!message.blnCancel)
        message.lngProcResult =
            DefSubclassProc(hWnd, static_cast<UINT>(message.lngMsg), message.lngwParam, message.lnglParam);
    if (*alive && self->events_) self->events_->After(message);
    return message.lngProcResult;
}

}  // namespace kv
