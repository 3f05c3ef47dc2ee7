#include "clsSplash.h"

#include <cwctype>

#include "AboutMain.h"
#include "LastError.h"
#include "clsPersonalData.h"
#include "clsVersionGlobal.h"

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

// The year a text holds when it is a plain number ("2005", " 2005 "); 0 otherwise.
long YearOf(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' ');
    size_t last = text.find_last_not_of(L' ');
    if (first == std::wstring::npos) return 0;
    long year = 0;
    for (size_t i = first; i <= last; ++i) {
        if (!std::iswdigit(text[i]) || year > 99999) return 0;
        year = year * 10 + (text[i] - L'0');
    }
    return year;
}

long CurrentYear() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear;
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
        WIN32_FILE_ATTRIBUTE_DATA file{};
        if (!strCopyrightEndYear.empty() &&
            GetFileAttributesExW(strCopyrightEndYear.c_str(), GetFileExInfoStandard, &file) &&
            !(file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            FILETIME local;
            SYSTEMTIME written;
            bool converted = FileTimeToLocalFileTime(&file.ftLastWriteTime, &local) &&
                             FileTimeToSystemTime(&local, &written);
            RaiseLastErrorIf(!converted);
            wchar_t year[8];
            swprintf(year, 8, L"%04u", static_cast<unsigned>(written.wYear));
            endYear_ = year;
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
    std::wstring text = L"Copyright © " + std::to_wstring(startYear_ ? startYear_ : lngCurrentYear);
    if (long end = YearOf(endYear_)) text += L" - " + std::to_wstring(end);
    return text;
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
        content.Version = L"Version " + std::to_wstring(identity.InfoMajorVersion()) + L"." +
                          std::to_wstring(identity.InfoMinorVersion()) + L" Build " +
                          std::to_wstring(identity.InfoBuild());
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
