#include "SplashFace.h"

#include <olectl.h>

#include "AboutFace.h"
#include "LateBound.h"

namespace kv::about {

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
        com::CheckHr(native->get_Type(&type));
        com::CheckHr(native->get_Handle(&handle));
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

template <class I>
HRESULT GetObjectOut(I** out, const ComPtr<I>& held) {
    if (!out) return E_POINTER;
    *out = held.Get();
    if (*out) (*out)->AddRef();
    return S_OK;
}

}  // namespace

#define SP_GET(out, expr) return GetValue(out, IID_IclsSplash, [&] { return expr; })
#define SP_DO(statement)  \
    KV_COM_TRY            \
    statement;            \
    KV_COM_CATCH(conProject, IID_IclsSplash)

STDMETHODIMP SplashFace::get_Picture(IPictureDisp** v) { return GetObjectOut(v, picture_); }
STDMETHODIMP SplashFace::putref_Picture(IPictureDisp* v) {
    SP_DO(ApplyPicture(core_, v); picture_ = ComPtr<IPictureDisp>(v));
}
STDMETHODIMP SplashFace::get_EmailAddress(BSTR* v) { SP_GET(v, core_.EmailAddress()); }
STDMETHODIMP SplashFace::put_EmailAddress(BSTR v) { SP_DO(core_.EmailAddress(com::FromBSTR(v))); }
STDMETHODIMP SplashFace::get_Website(BSTR* v) { SP_GET(v, core_.Website()); }
STDMETHODIMP SplashFace::put_Website(BSTR v) { SP_DO(core_.Website(com::FromBSTR(v))); }
STDMETHODIMP SplashFace::get_CopyrightStartYear(long* v) { SP_GET(v, core_.CopyrightStartYear()); }
STDMETHODIMP SplashFace::put_CopyrightStartYear(long v) { SP_DO(core_.CopyrightStartYear(v)); }
STDMETHODIMP SplashFace::get_CopyrightEndYear(BSTR* v) { SP_GET(v, core_.CopyrightEndYear()); }
STDMETHODIMP SplashFace::put_CopyrightEndYear(BSTR v) { SP_DO(core_.CopyrightEndYear(com::FromBSTR(v))); }
STDMETHODIMP SplashFace::get_Freeware(VARIANT_BOOL* v) { SP_GET(v, core_.Freeware()); }
STDMETHODIMP SplashFace::put_Freeware(VARIANT_BOOL v) { SP_DO(core_.Freeware(v != VARIANT_FALSE)); }
STDMETHODIMP SplashFace::get_SupressAddress(VARIANT_BOOL* v) { SP_GET(v, core_.SupressAddress()); }
STDMETHODIMP SplashFace::put_SupressAddress(VARIANT_BOOL v) { SP_DO(core_.SupressAddress(v != VARIANT_FALSE)); }
STDMETHODIMP SplashFace::get_BarMax(long* v) { SP_GET(v, core_.BarMax()); }
STDMETHODIMP SplashFace::put_BarMax(long v) { SP_DO(core_.BarMax(v)); }
STDMETHODIMP SplashFace::get_BarValue(long* v) { SP_GET(v, core_.BarValue()); }
STDMETHODIMP SplashFace::put_BarValue(long v) { SP_DO(core_.BarValue(v)); }
STDMETHODIMP SplashFace::get_Alignment(::enuSplashAlignment* v) { SP_GET(v, core_.Alignment()); }
STDMETHODIMP SplashFace::put_Alignment(::enuSplashAlignment v) { SP_DO(core_.Alignment(v)); }
STDMETHODIMP SplashFace::get_AlwaysOnTop(VARIANT_BOOL* v) { SP_GET(v, core_.AlwaysOnTop()); }
STDMETHODIMP SplashFace::put_AlwaysOnTop(VARIANT_BOOL v) { SP_DO(core_.AlwaysOnTop(v != VARIANT_FALSE)); }
STDMETHODIMP SplashFace::get_Owner(IDispatch** v) { return GetObjectOut(v, owner_); }
STDMETHODIMP SplashFace::putref_Owner(IDispatch* v) {
    SP_DO(core_.Owner(v ? late::WindowHandleOf(v) : nullptr); owner_ = ComPtr<IDispatch>(v));
}
STDMETHODIMP SplashFace::Show() { SP_DO(core_.Show()); }
STDMETHODIMP SplashFace::CloseWindow() { SP_DO(core_.CloseWindow()); }

#undef SP_GET
#undef SP_DO

}  // namespace kv::about
