#include "clsTimerCom.h"

namespace kv::com {

STDMETHODIMP clsTimerCom::get_Interval(long* v) {
    return Guard(IID_IclsTimer, [&] { return HandOut(v, core_.Interval()); });
}

STDMETHODIMP clsTimerCom::put_Interval(long v) {
    return Guard(IID_IclsTimer, [&] {
        core_.Interval(v);
        return S_OK;
    });
}

STDMETHODIMP clsTimerCom::get_Enable(VARIANT_BOOL* v) {
    return Guard(IID_IclsTimer, [&] { return HandOut(v, core_.Enable()); });
}

STDMETHODIMP clsTimerCom::put_Enable(VARIANT_BOOL v) {
    return Guard(IID_IclsTimer, [&] {
        core_.Enable(v != VARIANT_FALSE);
        return S_OK;
    });
}

}  // namespace kv::com
