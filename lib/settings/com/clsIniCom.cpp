#include "clsIniCom.h"

#include "ComVariant.h"

namespace kv::settings::com {

using kv::com::FromBSTR;
using kv::com::ToBSTR;

STDMETHODIMP clsIniCom::get_Section(BSTR* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    *value = ToBSTR(core_.Section());
    KV_COM_CATCH(conProject, IID_IclsIni)
}

STDMETHODIMP clsIniCom::put_Section(BSTR value) {
    KV_COM_TRY
    core_.Section(FromBSTR(value));
    KV_COM_CATCH(conProject, IID_IclsIni)
}

STDMETHODIMP clsIniCom::get_File(BSTR* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    *value = ToBSTR(core_.File());
    KV_COM_CATCH(conProject, IID_IclsIni)
}

STDMETHODIMP clsIniCom::put_File(BSTR value) {
    KV_COM_TRY
    core_.File(FromBSTR(value));
    KV_COM_CATCH(conProject, IID_IclsIni)
}

STDMETHODIMP clsIniCom::WriteValue(BSTR strName, BSTR strValue, VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.WriteValue(FromBSTR(strName), FromBSTR(strValue)));
    KV_COM_CATCH(conProject, IID_IclsIni)
}

STDMETHODIMP clsIniCom::ReadValue(BSTR strName, BSTR* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToBSTR(core_.ReadValue(FromBSTR(strName)));
    KV_COM_CATCH(conProject, IID_IclsIni)
}

STDMETHODIMP clsIniCom::ExistFile(VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.ExistFile());
    KV_COM_CATCH(conProject, IID_IclsIni)
}

STDMETHODIMP clsIniCom::ExistValue(BSTR strName, VARIANT_BOOL* result) {
    KV_COM_TRY
    if (!result) return E_POINTER;
    *result = ToVariantBool(core_.ExistValue(FromBSTR(strName)));
    KV_COM_CATCH(conProject, IID_IclsIni)
}

STDMETHODIMP clsIniCom::get_Default(BSTR* value) {
    KV_COM_TRY
    if (!value) return E_POINTER;
    *value = ToBSTR(core_.Default());
    KV_COM_CATCH(conProject, IID_IclsIni)
}

STDMETHODIMP clsIniCom::put_Default(BSTR value) {
    KV_COM_TRY
    core_.Default(FromBSTR(value));
    KV_COM_CATCH(conProject, IID_IclsIni)
}

}  // namespace kv::settings::com
