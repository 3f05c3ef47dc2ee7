#include "clsIniCom.h"

namespace kv::com {

STDMETHODIMP clsIniCom::get_Section(BSTR* value) {
    return Guard(IID_IclsIni, [&] { return HandOut(value, core_.Section()); });
}

STDMETHODIMP clsIniCom::put_Section(BSTR value) {
    return Guard(IID_IclsIni, [&] {
        core_.Section(FromBSTR(value));
        return S_OK;
    });
}

STDMETHODIMP clsIniCom::get_File(BSTR* value) {
    return Guard(IID_IclsIni, [&] { return HandOut(value, core_.File()); });
}

STDMETHODIMP clsIniCom::put_File(BSTR value) {
    return Guard(IID_IclsIni, [&] {
        core_.File(FromBSTR(value));
        return S_OK;
    });
}

STDMETHODIMP clsIniCom::WriteValue(BSTR strName, BSTR strValue, VARIANT_BOOL* result) {
    return Guard(IID_IclsIni, [&] { return HandOut(result, core_.WriteValue(FromBSTR(strName), FromBSTR(strValue))); });
}

STDMETHODIMP clsIniCom::ReadValue(BSTR strName, BSTR* result) {
    return Guard(IID_IclsIni, [&] { return HandOut(result, core_.ReadValue(FromBSTR(strName))); });
}

STDMETHODIMP clsIniCom::ExistFile(VARIANT_BOOL* result) {
    return Guard(IID_IclsIni, [&] { return HandOut(result, core_.ExistFile()); });
}

STDMETHODIMP clsIniCom::ExistValue(BSTR strName, VARIANT_BOOL* result) {
    return Guard(IID_IclsIni, [&] { return HandOut(result, core_.ExistValue(FromBSTR(strName))); });
}

STDMETHODIMP clsIniCom::get_Default(BSTR* value) {
    return Guard(IID_IclsIni, [&] { return HandOut(value, core_.Default()); });
}

STDMETHODIMP clsIniCom::put_Default(BSTR value) {
    return Guard(IID_IclsIni, [&] {
        core_.Default(FromBSTR(value));
        return S_OK;
    });
}

}  // namespace kv::com
