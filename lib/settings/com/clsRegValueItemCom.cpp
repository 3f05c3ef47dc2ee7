#include "clsRegValueItemCom.h"

namespace kv::com {

ComPtr<IDispatch> clsRegValueItemCom::Wrap(std::shared_ptr<clsRegValueItem> item) {
    auto* object = new clsRegValueItemCom();
    object->item_ = std::move(item);
    return ComPtr<IDispatch>::Attach(object);
}

STDMETHODIMP clsRegValueItemCom::get_Name(BSTR* value) {
    return Guard(IID_IclsRegValueItem, [&] { return HandOut(value, item_->Name); });
}

STDMETHODIMP clsRegValueItemCom::put_Name(BSTR value) {
    return Guard(IID_IclsRegValueItem, [&] {
        item_->Name = FromBSTR(value);
        return S_OK;
    });
}

STDMETHODIMP clsRegValueItemCom::get_Value(VARIANT* value) {
    return Guard(IID_IclsRegValueItem, [&] { return HandOut(value, item_->Value); });
}

STDMETHODIMP clsRegValueItemCom::put_Value(VARIANT value) {
    return Guard(IID_IclsRegValueItem, [&] {
        item_->Value = FromVARIANT(value);
        return S_OK;
    });
}

STDMETHODIMP clsRegValueItemCom::get_DataType(::enuRegistryDataTypes* value) {
    return Guard(IID_IclsRegValueItem, [&] { return HandOut(value, item_->DataType); });
}

STDMETHODIMP clsRegValueItemCom::put_DataType(::enuRegistryDataTypes value) {
    return Guard(IID_IclsRegValueItem, [&] {
        item_->DataType = static_cast<std::int32_t>(value);
        return S_OK;
    });
}

STDMETHODIMP clsRegValueItemCom::get_DataLength(LONG* value) {
    return Guard(IID_IclsRegValueItem, [&] { return HandOut(value, item_->DataLength); });
}

STDMETHODIMP clsRegValueItemCom::put_DataLength(LONG value) {
    return Guard(IID_IclsRegValueItem, [&] {
        item_->DataLength = value;
        return S_OK;
    });
}

}  // namespace kv::com
