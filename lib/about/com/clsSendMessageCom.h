#pragma once
// KVAbout.clsSendMessage: the published face of the message to the maker.
#include "DispatchObject.h"
#include "KVAbout.h"
#include "clsSendMessage.h"

namespace kv::com {

class clsSendMessageCom final : public DispatchObject<IclsSendMessage> {
public:
    STDMETHODIMP get_EmailAddress(BSTR* strEmailAddress) override;
    STDMETHODIMP put_EmailAddress(BSTR strEmailAddress) override;
    STDMETHODIMP get_Freeware(VARIANT_BOOL* blnFreeware) override;
    STDMETHODIMP put_Freeware(VARIANT_BOOL blnFreeware) override;
    STDMETHODIMP Send() override;
    STDMETHODIMP ShiftPressed(VARIANT_BOOL* blnPressed) override;

private:
    clsSendMessage core_;
};

}  // namespace kv::com
