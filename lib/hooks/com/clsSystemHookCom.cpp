#include "clsSystemHookCom.h"

namespace kv::com {

STDMETHODIMP clsSystemHookCom::put_EnableMouse(VARIANT_BOOL v) {
    return Guard(IID_IclsSystemHook, [&] {
        core_.EnableMouse(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsSystemHookCom::get_EnableMouse(VARIANT_BOOL* v) {
    return Guard(IID_IclsSystemHook, [&] { return HandOut(v, core_.EnableMouse()); });
}

STDMETHODIMP clsSystemHookCom::put_EnableKeyBoard(VARIANT_BOOL v) {
    return Guard(IID_IclsSystemHook, [&] {
        core_.EnableKeyBoard(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsSystemHookCom::get_EnableKeyBoard(VARIANT_BOOL* v) {
    return Guard(IID_IclsSystemHook, [&] { return HandOut(v, core_.EnableKeyBoard()); });
}

// The parameters travel by reference as published; a handler's changes stay in these copies.
void clsSystemHookCom::Click() { RaiseEvent(1, EventArgs()); }
void clsSystemHookCom::DblClick() { RaiseEvent(2, EventArgs()); }
void clsSystemHookCom::KeyDown(long code, long shift) { RaiseEvent(3, EventArgs().Ref(code).Ref(shift)); }
void clsSystemHookCom::KeyPress(long ascii) { RaiseEvent(4, EventArgs().Ref(ascii)); }
void clsSystemHookCom::KeyUp(long code, long shift) { RaiseEvent(5, EventArgs().Ref(code).Ref(shift)); }
void clsSystemHookCom::MouseDown(long button, long shift, long x, long y) {
    RaiseEvent(6, EventArgs().Ref(button).Ref(shift).Ref(x).Ref(y));
}
void clsSystemHookCom::MouseUp(long button, long shift, long x, long y) {
    RaiseEvent(7, EventArgs().Ref(button).Ref(shift).Ref(x).Ref(y));
}
void clsSystemHookCom::MouseMove(long shift, long x, long y) {
    RaiseEvent(8, EventArgs().Ref(shift).Ref(x).Ref(y));
}

}  // namespace kv::com
