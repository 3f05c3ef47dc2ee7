#include "clsSplashCom.h"

#include "LateBound.h"
#include "PictureObject.h"

namespace kv::com {


STDMETHODIMP clsSplashCom::get_Picture(IPictureDisp** v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, picture_); });
}

STDMETHODIMP clsSplashCom::putref_Picture(IPictureDisp* v) {
    return Guard(IID_IclsSplash, [&] {
        ApplyPicture(core_, v);
        picture_ = ComPtr<IPictureDisp>(v);
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_EmailAddress(BSTR* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.EmailAddress()); });
}

STDMETHODIMP clsSplashCom::put_EmailAddress(BSTR v) {
    return Guard(IID_IclsSplash, [&] {
        core_.EmailAddress(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_Website(BSTR* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.Website()); });
}

STDMETHODIMP clsSplashCom::put_Website(BSTR v) {
    return Guard(IID_IclsSplash, [&] {
        core_.Website(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_CopyrightStartYear(long* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.CopyrightStartYear()); });
}

STDMETHODIMP clsSplashCom::put_CopyrightStartYear(long v) {
    return Guard(IID_IclsSplash, [&] {
        core_.CopyrightStartYear(v);
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_CopyrightEndYear(BSTR* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.CopyrightEndYear()); });
}

STDMETHODIMP clsSplashCom::put_CopyrightEndYear(BSTR v) {
    return Guard(IID_IclsSplash, [&] {
        core_.CopyrightEndYear(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_Freeware(VARIANT_BOOL* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.Freeware()); });
}

STDMETHODIMP clsSplashCom::put_Freeware(VARIANT_BOOL v) {
    return Guard(IID_IclsSplash, [&] {
        core_.Freeware(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_SupressAddress(VARIANT_BOOL* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.SupressAddress()); });
}

STDMETHODIMP clsSplashCom::put_SupressAddress(VARIANT_BOOL v) {
    return Guard(IID_IclsSplash, [&] {
        core_.SupressAddress(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_BarMax(long* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.BarMax()); });
}

STDMETHODIMP clsSplashCom::put_BarMax(long v) {
    return Guard(IID_IclsSplash, [&] {
        core_.BarMax(v);
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_BarValue(long* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.BarValue()); });
}

STDMETHODIMP clsSplashCom::put_BarValue(long v) {
    return Guard(IID_IclsSplash, [&] {
        core_.BarValue(v);
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_Alignment(::enuSplashAlignment* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.Alignment()); });
}

STDMETHODIMP clsSplashCom::put_Alignment(::enuSplashAlignment v) {
    return Guard(IID_IclsSplash, [&] {
        core_.Alignment(v);
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_AlwaysOnTop(VARIANT_BOOL* v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, core_.AlwaysOnTop()); });
}

STDMETHODIMP clsSplashCom::put_AlwaysOnTop(VARIANT_BOOL v) {
    return Guard(IID_IclsSplash, [&] {
        core_.AlwaysOnTop(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::get_Owner(IDispatch** v) {
    return Guard(IID_IclsSplash, [&] { return HandOut(v, owner_); });
}

STDMETHODIMP clsSplashCom::putref_Owner(IDispatch* v) {
    return Guard(IID_IclsSplash, [&] {
        core_.Owner(v ? late::WindowHandleOf(v) : nullptr);
        owner_ = ComPtr<IDispatch>(v);
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::Show() {
    return Guard(IID_IclsSplash, [&] {
        core_.Show();
        return S_OK;
    });
}

STDMETHODIMP clsSplashCom::CloseWindow() {
    return Guard(IID_IclsSplash, [&] {
        core_.CloseWindow();
        return S_OK;
    });
}
}  // namespace kv::com
