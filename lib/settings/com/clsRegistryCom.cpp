#include "clsRegistryCom.h"

#include "Collection.h"
#include "ComPtr.h"
#include "ComVariant.h"
#include "clsRegValueItemCom.h"

namespace kv::settings::com {

using kv::com::FromBSTR;
using kv::com::FromVARIANT;
using kv::com::ToBSTR;
using kv::com::ToVARIANT;

namespace {

ComPtr<kv::com::Collection> NewCollection() {
    kv::com::Collection* created = nullptr;
    kv::com::CheckHr(kv::com::CreateCollection(&created));
    return ComPtr<kv::com::Collection>::Attach(created);
}

// A VARIANT holding a new published record over item.
void ItemToVARIANT(std::shared_ptr<clsRegValueItem> item, VARIANT* out) {
    VariantInit(out);
    out->pdispVal = clsRegValueItemCom::Wrap(std::move(item));
    out->vt = VT_DISPATCH;
}

}  // namespace

STDMETHODIMP clsRegistryCom::get_DeleteKeyAllowed(VARIANT_BOOL* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    *value = ToVariantBool(core_.DeleteKeyAllowed());
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::put_DeleteKeyAllowed(VARIANT_BOOL value) {
    KV_COM_TRY
    core_.DeleteKeyAllowed(value != VARIANT_FALSE);
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::get_MainKey(::enuRegistryKeys* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    *value = static_cast<::enuRegistryKeys>(core_.MainKey());
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::get_SubKey(BSTR* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    *value = ToBSTR(core_.SubKey());
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::SetKey(::enuRegistryKeys lngMainKey, BSTR strSubKey) {
    KV_COM_TRY
    core_.SetKey(static_cast<std::int32_t>(lngMainKey), FromBSTR(strSubKey));
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::SetApplication(::enuRegistryAffects lngAffects, BSTR strCompany, BSTR strApplication,
                                            BSTR strGroup, BSTR strSubGroup) {
    KV_COM_TRY
    core_.SetApplication(static_cast<std::int32_t>(lngAffects), FromBSTR(strCompany), FromBSTR(strApplication),
                         FromBSTR(strGroup), FromBSTR(strSubGroup));
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::ExistKey(VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.ExistKey());
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::ExistSubKeys(VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.ExistSubKeys());
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::ExistValue(BSTR strName, VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.ExistValue(FromBSTR(strName)));
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::GetMainKeyName(BSTR* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToBSTR(core_.GetMainKeyName());
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::WriteImmediately(VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.WriteImmediately());
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::ReadAllValues(IDispatch** result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = nullptr;
    ComPtr<kv::com::Collection> collection = NewCollection();
    for (auto& item : core_.ReadAllValues()) {
        kv::com::ComVariant value;
        ItemToVARIANT(item, value.Put());
        collection->Add(item->Name, *value);
    }
    *result = collection.Detach();
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::GetAllSubKeys(IDispatch** result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = nullptr;
    ComPtr<kv::com::Collection> collection = NewCollection();
    for (const std::wstring& name : core_.GetAllSubKeys()) {
        kv::com::ComVariant value{Variant(name)};
        collection->Add(name, *value);
    }
    *result = collection.Detach();
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::GetNthSubKey(LONG lngIndex, BSTR* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToBSTR(core_.GetNthSubKey(lngIndex));
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::DeleteValue(BSTR strName, VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.DeleteValue(FromBSTR(strName)));
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::DeleteKey(VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.DeleteKey());
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::ReadValue(VARIANT vntName, VARIANT* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    VariantInit(result);
    RegReadResult read = core_.ReadValue(FromVARIANT(vntName));
    if (auto* item = std::get_if<std::shared_ptr<clsRegValueItem>>(&read))
        ItemToVARIANT(*item, result);
    else
        ToVARIANT(std::get<Variant>(read), result);
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::WriteValue(BSTR strName, VARIANT vntValue, VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.WriteValue(FromBSTR(strName), FromVARIANT(vntValue)));
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::get_Default(VARIANT* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    ToVARIANT(core_.Default(), value);
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

STDMETHODIMP clsRegistryCom::put_Default(VARIANT value) {
    KV_COM_TRY
    core_.Default(FromVARIANT(value));
    KV_COM_CATCH(conProject, IID_IclsRegistry)
}

}  // namespace kv::settings::com
