#pragma once
// KVHooks.clsSystemHook: the published face of the system hook, its events as connection
// points.
#include "EventSource.h"
#include "KVHooks.h"
#include "clsSystemHook.h"

namespace kv::com {

class clsSystemHookCom final : public EventObject<IclsSystemHook>, private clsSystemHookEvents {
public:
    clsSystemHookCom() : EventObject(DIID___clsSystemHook, CLSID_clsSystemHook), core_(this) {}

    STDMETHODIMP put_EnableMouse(VARIANT_BOOL blnEnable) override;
    STDMETHODIMP get_EnableMouse(VARIANT_BOOL* blnEnable) override;
    STDMETHODIMP put_EnableKeyBoard(VARIANT_BOOL blnEnable) override;
    STDMETHODIMP get_EnableKeyBoard(VARIANT_BOOL* blnEnable) override;

private:
    void Click() override;
    void DblClick() override;
    void KeyDown(long lngKeyCode, long lngShift) override;
    void KeyPress(long lngKeyAscii) override;
    void KeyUp(long lngKeyCode, long lngShift) override;
    void MouseDown(long lngButton, long lngShift, long lngX, long lngY) override;
    void MouseUp(long lngButton, long lngShift, long lngX, long lngY) override;
    void MouseMove(long lngShift, long lngX, long lngY) override;

    clsSystemHook core_;
};

}  // namespace kv::com
