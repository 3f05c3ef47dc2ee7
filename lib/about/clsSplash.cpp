#include "clsSplash.h"

#include "AboutMain.h"
#include "AboutText.h"
#include "LastError.h"
#include "clsPersonalData.h"
#include "clsVersionGlobal.h"
#include "DecimalText.h"

namespace kv {

namespace {

constexpr const wchar_t* conModule = L"clsSplash";

// Runs body; an error leaving it goes on to the caller with this member in its chain.
template <class Body>
void Forward(const wchar_t* procedure, Body&& body) {
    try {
        body();
    } catch (const KVError& error) {
        AboutMain().ForwardError(conAboutProject, conModule, procedure, error);
    }
}

}  // namespace

clsSplash::clsSplash() = default;

clsSplash::~clsSplash() { form_.reset(); }

void clsSplash::ReleasePicture() {
    bitmap_.Reset();
    icon_.Reset();
}

void clsSplash::Picture(HBITMAP hBitmap) {
    Forward(L"Picture", [&] {
        OwnedBitmap copy;
        if (hBitmap) {
            copy.Reset(static_cast<HBITMAP>(CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0)));
            RaiseLastErrorIf(!copy);
        }
        ReleasePicture();
        bitmap_ = std::move(copy);
    });
}

void clsSplash::Picture(HICON hIcon) {
    Forward(L"Picture", [&] {
        OwnedIcon copy;
        if (hIcon) {
            copy.Reset(static_cast<HICON>(CopyImage(hIcon, IMAGE_ICON, 0, 0, 0)));
            RaiseLastErrorIf(!copy);
        }
        ReleasePicture();
        icon_ = std::move(copy);
    });
}

void clsSplash::CopyrightEndYear(const std::wstring& strCopyrightEndYear) {
    Forward(L"CopyrightEndYear", [&] {
        if (std::optional<SYSTEMTIME> written = FileLastWrite(strCopyrightEndYear)) {
            endYear_ = kv::DecimalText(written->wYear);
        } else {
            endYear_ = strCopyrightEndYear;
        }
    });
}

void clsSplash::BarMax(long lngBarMax) {
    barMax_ = lngBarMax;
    if (form_) form_->SetBar(barMax_, barValue_);
}

void clsSplash::BarValue(long lngBarValue) {
    barValue_ = lngBarValue;
    if (form_) form_->SetBar(barMax_, barValue_);
}

void clsSplash::Alignment(long lngAlignment) {
    alignment_ = lngAlignment;
    if (form_) form_->SetAlignment(alignment_);
}

void clsSplash::AlwaysOnTop(bool blnAlwaysOnTop) {
    Forward(L"AlwaysOnTop", [&] {
        alwaysOnTop_ = blnAlwaysOnTop;
        if (HWND window = Window()) {
            BOOL moved = SetWindowPos(window, blnAlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                                      SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
            RaiseLastErrorIf(!moved);
        }
    });
}

HWND clsSplash::Window() const { return form_ ? form_->Handle() : nullptr; }

std::wstring clsSplash::CopyrightText(long lngCurrentYear) const {
    return CopyrightLine(startYear_, endYear_, lngCurrentYear);
}

void clsSplash::Show() {
    Forward(L"Show", [&] {
        clsVersionGlobal identity;
        identity.CheckIdentity();
        clsPersonalData maker;

        SplashContent content;
        content.Bitmap = bitmap_.Get();
        content.Icon = icon_.Get();
        content.Program = identity.InfoApplication();
        content.Version = VersionLine();
        content.Copyright = CopyrightText(CurrentYear());
        content.Company = maker.Company();
        content.Address = maker.Street() + L", " + maker.Town() + L", " + maker.Country();
        content.ShowAddress = !supressAddress_;
        content.Website = website_.empty() ? maker.Website() : website_;
        content.EmailAddress = email_.empty() ? maker.EmailAddress() : email_;
        content.Freeware = L"Dieses Programm ist Freeware.";
        content.ShowFreeware = freeware_;
        content.BarMax = barMax_;
        content.BarValue = barValue_;
        content.Alignment = alignment_;

        if (!form_) form_ = std::make_unique<frmSplash>();
        form_->Load(content, owner_, alwaysOnTop_);
    });
}

void clsSplash::CloseWindow() {
    if (form_) form_->Unload();
}

}  // namespace kv
