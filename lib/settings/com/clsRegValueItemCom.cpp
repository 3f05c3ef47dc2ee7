#include "clsRegValueItemCom.h"

#include "ComVariant.h"

namespace kv::settings::com {

using kv::com::FromBSTR;
using kv::com::FromVARIANT;
using kv::com::ToBSTR;
using kv::com::ToVARIANT;

IDispatch* clsRegValueItemCom::Wrap(std::shared_ptr<clsRegValueItem> item) {
    auto* object = new clsRegValueItemCom();
    object->item_ = std::move(item);
    return object;
}

STDMETHODIMP clsRegValueItemCom::get_Name(BSTR* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    *value = ToBSTR(item_->Name);
    KV_COM_CATCH(conProject, IID_IclsRegValueItem)
}

STDMETHODIMP clsRegValueItemCom::put_Name(BSTR value) {
    KV_COM_TRY
    item_->Name = FromBSTR(value);
    KV_COM_CATCH(conProject, IID_IclsRegValueItem)
}

STDMETHODIMP clsRegValueItemCom::get_Value(VARIANT* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    ToVARIANT(item_->Value, value);
    KV_COM_CATCH(conProject, IID_IclsRegValueItem)
}

STDMETHODIMP clsRegValueItemCom::put_Value(VARIANT value) {
    KV_COM_TRY
    item_->Value = FromVARIANT(value);
    KV_COM_CATCH(conProject, IID_IclsRegValueItem)
}

STDMETHODIMP clsRegValueItemCom::get_DataType(::enuRegistryDataTypes* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    *value = static_cast<::enuRegistryDataTypes>(item_->DataType);
    KV_COM_CATCH(conProject, IID_IclsRegValueItem)
}

STDMETHODIMP clsRegValueItemCom::put_DataType(::enuRegistryDataTypes value) {
    KV_COM_TRY
    item_->DataType = static_cast<std::int32_t>(value);
    KV_COM_CATCH(conProject, IID_IclsRegValueItem)
}

STDMETHODIMP clsRegValueItemCom::get_DataLength(LONG* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    *value = item_->DataLength;
    KV_COM_CATCH(conProject, IID_IclsRegValueItem)
}

STDMETHODIMP clsRegValueItemCom::put_DataLength(LONG value) {
    KV_COM_TRY
    item_->DataLength = value;
    KV_COM_CATCH(conProject, IID_IclsRegValueItem)
}

}  // namespace kv::settings::com
