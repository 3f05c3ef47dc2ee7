#pragma once
// The COM faces of the application identity (clsVersionGlobal) and of the maker's contact
// record (clsPersonalData).
#include "DispatchObject.h"
#include "KVAbout.h"
#include "clsPersonalData.h"
#include "clsVersionGlobal.h"

namespace kv::about {

class VersionGlobalFace final : public com::DispatchObject<IclsVersionGlobal> {
public:
    static HRESULT Create(REFIID riid, void** ppv) { return com::CreateObject<VersionGlobalFace>(riid, ppv); }

    STDMETHODIMP get_InfoApplication(BSTR* strInfoApplication) override;
    STDMETHODIMP put_InfoApplication(BSTR strInfoApplication) override;
    STDMETHODIMP get_InfoMajorVersion(long* lngInfoMajorVersion) override;
    STDMETHODIMP put_InfoMajorVersion(long lngInfoMajorVersion) override;
    STDMETHODIMP get_InfoMinorVersion(long* lngInfoMinorVersion) override;
    STDMETHODIMP put_InfoMinorVersion(long lngInfoMinorVersion) override;
    STDMETHODIMP get_InfoBuild(long* lngInfoBuild) override;
    STDMETHODIMP put_InfoBuild(long lngInfoBuild) override;

private:
    clsVersionGlobal core_;
};

class PersonalDataFace final : public com::DispatchObject<IclsPersonalData> {
public:
    static HRESULT Create(REFIID riid, void** ppv) { return com::CreateObject<PersonalDataFace>(riid, ppv); }

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

}  // namespace kv::about
