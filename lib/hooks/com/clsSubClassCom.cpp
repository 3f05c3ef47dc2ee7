#include "clsSubClassCom.h"

namespace kv::com {

STDMETHODIMP clsSubClassCom::put_Hook(long w, ::enuWindowMesseges m, VARIANT_BOOL v) {
    return Guard(IID_IclsSubClass, [&] {
        core_.Hook(WindowOf(w), m, v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsSubClassCom::get_Hook(long w, ::enuWindowMesseges m, VARIANT_BOOL* v) {
    return Guard(IID_IclsSubClass, [&] { return HandOut(v, core_.Hook(WindowOf(w), m)); });
}

STDMETHODIMP clsSubClassCom::IsHooked(long w, long* count) {
    return Guard(IID_IclsSubClass, [&] { return HandOut(count, core_.IsHooked(WindowOf(w))); });
}

STDMETHODIMP clsSubClassCom::UnHookAll() {
    return Guard(IID_IclsSubClass, [&] {
        core_.UnHookAll();
        return S_OK;
    });
}

// The handler's changes to the message's values go on to the window (Before) and out as its
// result.
void clsSubClassCom::Before(SubclassMessage& m) {
    long window = NumberOf(m.lnghWnd);
    long long wParam = static_cast<long long>(m.lngwParam), lParam = m.lnglParam, result = m.lngProcResult;
    RaiseEvent(1, EventArgs().Ref(window).Ref(m.lngMsg).Ref(wParam).Ref(lParam).Ref(m.blnCancel).Ref(result));
    m.lngwParam = static_cast<WPARAM>(wParam);
    m.lnglParam = static_cast<LPARAM>(lParam);
    m.lngProcResult = static_cast<LRESULT>(result);
}

void clsSubClassCom::After(SubclassMessage& m) {
    long window = NumberOf(m.lnghWnd);
    long long wParam = static_cast<long long>(m.lngwParam), lParam = m.lnglParam, result = m.lngProcResult;
    RaiseEvent(2, EventArgs().Ref(window).Ref(m.lngMsg).Ref(wParam).Ref(lParam).Ref(result));
    m.lngProcResult = static_cast<LRESULT>(result);
}

}  // namespace kv::com
