#pragma once
// KVAbout.clsInfoDialog: the published face of the information dialog. Picture takes a
// picture object, kept so its handle stays valid; Texts is an array of strings.
#include "ComPtr.h"
#include "DispatchObject.h"
#include "KVAbout.h"
#include "clsInfoDialog.h"

namespace kv::com {

class clsInfoDialogCom final : public DispatchObject<IclsInfoDialog> {
public:
    STDMETHODIMP get_EmailAddress(BSTR* strEmailAddress) override;
    STDMETHODIMP put_EmailAddress(BSTR strEmailAddress) override;
    STDMETHODIMP get_Website(BSTR* strWebsite) override;
    STDMETHODIMP put_Website(BSTR strWebsite) override;
    STDMETHODIMP get_SupressAddress(VARIANT_BOOL* blnSupressAddress) override;
    STDMETHODIMP put_SupressAddress(VARIANT_BOOL blnSupressAddress) override;
    STDMETHODIMP get_Freeware(VARIANT_BOOL* blnFreeware) override;
    STDMETHODIMP put_Freeware(VARIANT_BOOL blnFreeware) override;
    STDMETHODIMP get_VersionDate(BSTR* strVersionDate) override;
    STDMETHODIMP put_VersionDate(BSTR strVersionDate) override;
    STDMETHODIMP get_CopyrightEndYear(BSTR* strCopyrightEndYear) override;
    STDMETHODIMP put_CopyrightEndYear(BSTR strCopyrightEndYear) override;
    STDMETHODIMP get_CopyrightStartYear(long* lngCopyrightStartYear) override;
    STDMETHODIMP put_CopyrightStartYear(long lngCopyrightStartYear) override;
    STDMETHODIMP get_Description(BSTR* strDescription) override;
    STDMETHODIMP put_Description(BSTR strDescription) override;
    STDMETHODIMP get_SpeedStartTime(long* lngSpeedStartTime) override;
    STDMETHODIMP put_SpeedStartTime(long lngSpeedStartTime) override;
    STDMETHODIMP get_SpeedIntervallTime(long* lngSpeedIntervallTime) override;
    STDMETHODIMP put_SpeedIntervallTime(long lngSpeedIntervallTime) override;
    STDMETHODIMP get_SpeedEndTime(long* lngSpeedEndTime) override;
    STDMETHODIMP put_SpeedEndTime(long lngSpeedEndTime) override;
    STDMETHODIMP get_SpeedPicture(long* lngSpeedPicture) override;
    STDMETHODIMP put_SpeedPicture(long lngSpeedPicture) override;
    STDMETHODIMP get_SpeedCatch(long* lngSpeedCatch) override;
    STDMETHODIMP put_SpeedCatch(long lngSpeedCatch) override;
    STDMETHODIMP get_SpeedCredits(long* lngSpeedCredits) override;
    STDMETHODIMP put_SpeedCredits(long lngSpeedCredits) override;
    STDMETHODIMP get_Picture(IPictureDisp** objPicture) override;
    STDMETHODIMP putref_Picture(IPictureDisp* objPicture) override;
    STDMETHODIMP get_Texts(VARIANT* vntTexts) override;
    STDMETHODIMP put_Texts(VARIANT vntTexts) override;
    STDMETHODIMP Show() override;

private:
    clsInfoDialog core_;
    ComPtr<IPictureDisp> picture_;
};

}  // namespace kv::com
