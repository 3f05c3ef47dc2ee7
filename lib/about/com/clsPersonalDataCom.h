#pragma once
// KVAbout.clsPersonalData: the published face of the maker's contact record.
#include "DispatchObject.h"
#include "KVAbout.h"
#include "clsPersonalData.h"

namespace kv::com {

class clsPersonalDataCom final : public DispatchObject<IclsPersonalData> {
public:
    STDMETHODIMP get_Company(BSTR* strCompany) override;
    STDMETHODIMP get_Firstname(BSTR* strFirstname) override;
    STDMETHODIMP get_Lastname(BSTR* strLastname) override;
    STDMETHODIMP get_Pobox(BSTR* strPobox) override;
    STDMETHODIMP get_Street(BSTR* strStreet) override;
    STDMETHODIMP get_Town(BSTR* strTown) override;
    STDMETHODIMP get_Country(BSTR* strCountry) override;
    STDMETHODIMP get_Website(BSTR* strWebsite) override;
    STDMETHODIMP get_EmailAddress(BSTR* strEmailAddress) override;
    STDMETHODIMP get_Copyright(BSTR* strCopyright) override;
    STDMETHODIMP get_CopyrightFreeware(BSTR* strCopyrightFreeware) override;

private:
    clsPersonalData core_;
};

}  // namespace kv::com
