#pragma once
// KVAbout.clsSplash: the published face of the splash screen. Picture takes a picture object and Owner a
// form object; the core gets the picture's bitmap or icon handle and the form's hWnd. The
// face keeps both objects, so the handles stay valid and the getters return them.
#include "ComPtr.h"
#include "DispatchObject.h"
#include "KVAbout.h"
#include "clsSplash.h"

namespace kv::com {

class clsSplashCom final : public DispatchObject<IclsSplash> {
public:
    STDMETHODIMP get_Picture(IPictureDisp** objPicture) override;
    STDMETHODIMP putref_Picture(IPictureDisp* objPicture) override;
    STDMETHODIMP get_EmailAddress(BSTR* strEmailAddress) override;
    STDMETHODIMP put_EmailAddress(BSTR strEmailAddress) override;
    STDMETHODIMP get_Website(BSTR* strWebsite) override;
    STDMETHODIMP put_Website(BSTR strWebsite) override;
    STDMETHODIMP get_CopyrightStartYear(long* lngCopyrightStartYear) override;
    STDMETHODIMP put_CopyrightStartYear(long lngCopyrightStartYear) override;
    STDMETHODIMP get_CopyrightEndYear(BSTR* strCopyrightEndYear) override;
    STDMETHODIMP put_CopyrightEndYear(BSTR strCopyrightEndYear) override;
    STDMETHODIMP get_Freeware(VARIANT_BOOL* blnFreeware) override;
    STDMETHODIMP put_Freeware(VARIANT_BOOL blnFreeware) override;
    STDMETHODIMP get_SupressAddress(VARIANT_BOOL* blnSupressAddress) override;
    STDMETHODIMP put_SupressAddress(VARIANT_BOOL blnSupressAddress) override;
    STDMETHODIMP get_BarMax(long* lngBarMax) override;
    STDMETHODIMP put_BarMax(long lngBarMax) override;
    STDMETHODIMP get_BarValue(long* lngBarValue) override;
    STDMETHODIMP put_BarValue(long lngBarValue) override;
    STDMETHODIMP get_Alignment(::enuSplashAlignment* lngAlignment) override;
    STDMETHODIMP put_Alignment(::enuSplashAlignment lngAlignment) override;
    STDMETHODIMP get_AlwaysOnTop(VARIANT_BOOL* blnAlwaysOnTop) override;
    STDMETHODIMP put_AlwaysOnTop(VARIANT_BOOL blnAlwaysOnTop) override;
    STDMETHODIMP get_Owner(IDispatch** objOwner) override;
    STDMETHODIMP putref_Owner(IDispatch* objOwner) override;
    STDMETHODIMP Show() override;
    STDMETHODIMP CloseWindow() override;

private:
    clsSplash core_;
    ComPtr<IPictureDisp> picture_;
    ComPtr<IDispatch> owner_;
};

}  // namespace kv::com
