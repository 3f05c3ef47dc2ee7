#include "clsSplashCom.h"

#include <olectl.h>

#include "LateBound.h"

namespace kv::com {

namespace {

// Hands the picture's handle to the core: a bitmap or an icon; no picture removes it.
void ApplyPicture(clsSplash& core, IPictureDisp* picture) {
    if (!picture) {
        core.Picture(static_cast<HBITMAP>(nullptr));
        return;
    }
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    ComPtr<IPicture> native;
    if (SUCCEEDED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(native.Put())))) {
        CheckHr(native->get_Type(&type));
        CheckHr(native->get_Handle(&handle));
    } else {  // a picture object of another make: its Type and Handle properties
        type = static_cast<SHORT>(late::GetProperty(picture, L"Type").ToLong());
        handle = static_cast<OLE_HANDLE>(late::GetProperty(picture, L"Handle").ToLong());
    }
    // GDI handles carry 32 significant bits and are sign-extended on 64-bit Windows.
    HANDLE h = LongToHandle(static_cast<LONG>(handle));
    switch (type) {
    case PICTYPE_BITMAP:
        core.Picture(static_cast<HBITMAP>(h));
        break;
    case PICTYPE_ICON:
        core.Picture(static_cast<HICON>(h));
        break;
    case PICTYPE_NONE:
    case PICTYPE_UNINITIALIZED:
        core.Picture(static_cast<HBITMAP>(nullptr));
        break;
    default:  // metafiles cannot be shown at "their own size" in pixels
        throw KVError(380, L"Invalid property value");
    }
}

}  // namespace

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
