#include "clsPersonalDataCom.h"

namespace kv::com {

STDMETHODIMP clsPersonalDataCom::get_Company(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.Company()); });
}

STDMETHODIMP clsPersonalDataCom::get_Firstname(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.Firstname()); });
}

STDMETHODIMP clsPersonalDataCom::get_Lastname(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.Lastname()); });
}

STDMETHODIMP clsPersonalDataCom::get_Pobox(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.Pobox()); });
}

STDMETHODIMP clsPersonalDataCom::get_Street(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.Street()); });
}

STDMETHODIMP clsPersonalDataCom::get_Town(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.Town()); });
}

STDMETHODIMP clsPersonalDataCom::get_Country(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.Country()); });
}

STDMETHODIMP clsPersonalDataCom::get_Website(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.Website()); });
}

STDMETHODIMP clsPersonalDataCom::get_EmailAddress(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.EmailAddress()); });
}

STDMETHODIMP clsPersonalDataCom::get_Copyright(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.Copyright()); });
}

STDMETHODIMP clsPersonalDataCom::get_CopyrightFreeware(BSTR* v) {
    return Guard(IID_IclsPersonalData, [&] { return HandOut(v, core_.CopyrightFreeware()); });
}

}  // namespace kv::com
