#pragma once
// KVHooks.clsSubClass: the published face of window subclassing, its events as connection
// points. Windows travel as their handle's number.
#include "EventSource.h"
#include "KVHooks.h"
#include "clsSubClass.h"

namespace kv::com {

class clsSubClassCom final : public EventObject<IclsSubClass>, private clsSubClassEvents {
public:
    clsSubClassCom() : EventObject(DIID___clsSubClass, CLSID_clsSubClass), core_(this) {}

    STDMETHODIMP put_Hook(long lnghWnd, ::enuWindowMesseges lngMessage, VARIANT_BOOL blnSubclass) override;
    STDMETHODIMP get_Hook(long lnghWnd, ::enuWindowMesseges lngMessage, VARIANT_BOOL* blnSubclass) override;
    STDMETHODIMP IsHooked(long lnghWnd, long* lngCount) override;
    STDMETHODIMP UnHookAll() override;

private:
    void Before(SubclassMessage& message) override;
    void After(SubclassMessage& message) override;

    clsSubClass core_;
};

// A window handle from and to its published number.
inline HWND WindowOf(long handle) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle)); }
inline long NumberOf(HWND window) { return static_cast<long>(reinterpret_cast<INT_PTR>(window)); }

}  // namespace kv::com
