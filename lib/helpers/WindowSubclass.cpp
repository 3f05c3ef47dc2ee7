// Kept apart from WindowBase.cpp: subclassing comes from comctl32, which a component that
// only creates its own windows should not import.
#include "LastError.h"
#include "WindowBase.h"

namespace kv {

WindowSubclass::~WindowSubclass() { Detach(); }

void WindowSubclass::Attach(HWND window) {
    if (Handle()) RaiseApiError(ERROR_ALREADY_EXISTS);  // one window per object
    // The object's address is the subclass's identifier too, so several objects may stand
    // in front of one window.
    RaiseLastErrorIf(!SetWindowSubclass(window, &WindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                                        reinterpret_cast<DWORD_PTR>(this)),
                     ERROR_INVALID_WINDOW_HANDLE);
    Bind(window, Kind::Subclass);
}

void WindowSubclass::Detach() noexcept {
    if (BoundAs() != Kind::Subclass) return;
    RemoveWindowSubclass(Handle(), &WindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this));
    Unbind();
}

LRESULT CALLBACK WindowSubclass::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR data) {
    auto* self = reinterpret_cast<WindowSubclass*>(data);
    LRESULT result = 0;
    const bool handled = Route(self, msg, wParam, lParam, result, L"SubclassProc");
    if (!handled) result = DefSubclassProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) self->Detach();
    return result;
}

}  // namespace kv
