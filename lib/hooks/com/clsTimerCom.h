#pragma once
// KVHooks.clsTimer: the published face of the window-less timer, its Timer event as a
// connection point.
#include "EventSource.h"
#include "KVHooks.h"
#include "clsTimer.h"

namespace kv::com {

class clsTimerCom final : public EventObject<IclsTimer>, private clsTimerEvents {
public:
    clsTimerCom() : EventObject(DIID___clsTimer, CLSID_clsTimer), core_(this) {}

    STDMETHODIMP get_Interval(long* lngInterval) override;
    STDMETHODIMP put_Interval(long lngInterval) override;
    STDMETHODIMP get_Enable(VARIANT_BOOL* blnEnable) override;
    STDMETHODIMP put_Enable(VARIANT_BOOL blnEnable) override;

private:
    void Timer() override { RaiseEvent(1, EventArgs()); }

    clsTimer core_;
};

}  // namespace kv::com
