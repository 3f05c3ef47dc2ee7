#include "clsSendMessageCom.h"

namespace kv::com {

STDMETHODIMP clsSendMessageCom::get_EmailAddress(BSTR* v) {
    return Guard(IID_IclsSendMessage, [&] { return HandOut(v, core_.EmailAddress()); });
}

STDMETHODIMP clsSendMessageCom::put_EmailAddress(BSTR v) {
    return Guard(IID_IclsSendMessage, [&] {
        core_.EmailAddress(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsSendMessageCom::get_Freeware(VARIANT_BOOL* v) {
    return Guard(IID_IclsSendMessage, [&] { return HandOut(v, core_.Freeware()); });
}

STDMETHODIMP clsSendMessageCom::put_Freeware(VARIANT_BOOL v) {
    return Guard(IID_IclsSendMessage, [&] {
        core_.Freeware(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsSendMessageCom::Send() {
    return Guard(IID_IclsSendMessage, [&] {
        core_.Send();
        return S_OK;
    });
}

STDMETHODIMP clsSendMessageCom::ShiftPressed(VARIANT_BOOL* v) {
    return Guard(IID_IclsSendMessage, [&] { return HandOut(v, core_.ShiftPressed()); });
}

}  // namespace kv::com
