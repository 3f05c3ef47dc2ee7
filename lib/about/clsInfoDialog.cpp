#include "clsInfoDialog.h"

#include <cwchar>

#include "AboutMain.h"
#include "AboutText.h"
#include "clsPersonalData.h"
#include "UserRegistry.h"
#include "clsVersionGlobal.h"
#include "frmInfoDialog.h"
#include "DecimalText.h"

namespace kv {

namespace {

constexpr const wchar_t* conModule = L"clsInfoDialog";

template <class Body>
void Forward(const wchar_t* procedure, Body&& body) {
    try {
        body();
    } catch (const KVError& error) {
        AboutMain().ForwardError(conAboutProject, conModule, procedure, error);
    }
}

// The application's key, group "Infodialog".
std::wstring CreditsKey() { return clsVersionGlobal().InfoApplication() + L"\\Infodialog"; }

}  // namespace

bool CreditsUnlocked() { return ReadUserText(CreditsKey(), L"Credits").value_or(L"") == L"Yes"; }

bool UnlockCredits() {
    try {
        WriteUserText(CreditsKey(), L"Credits", L"Yes");
        return true;
    } catch (const KVError&) {
        return false;
    }
}

clsInfoDialog::clsInfoDialog() {
    clsPersonalData maker;
    const std::wstring name = maker.Firstname() + L" " + maker.Lastname();
    content_.Texts = {L"Programmierung:", name, L"Test:", name};
}

void clsInfoDialog::Picture(HBITMAP hBitmap) {
    Forward(L"Picture", [&] { picture_.Set(hBitmap); });
}

void clsInfoDialog::Picture(HICON hIcon) {
    Forward(L"Picture", [&] { picture_.Set(hIcon); });
}

void clsInfoDialog::VersionDate(const std::wstring& strVersionDate) {
    Forward(L"VersionDate", [&] {
        if (std::optional<SYSTEMTIME> written = FileLastWrite(strVersionDate)) {
            wchar_t date[24];
            wsprintfW(date, L"%02u.%02u.%04u", static_cast<unsigned>(written->wDay),
                     static_cast<unsigned>(written->wMonth), static_cast<unsigned>(written->wYear));
            versionDate_ = date;
        } else {
            versionDate_ = strVersionDate;
        }
    });
}

void clsInfoDialog::CopyrightEndYear(const std::wstring& strCopyrightEndYear) {
    Forward(L"CopyrightEndYear", [&] {
        std::optional<SYSTEMTIME> written = FileLastWrite(strCopyrightEndYear);
        endYear_ = written ? kv::DecimalText(written->wYear) : strCopyrightEndYear;
    });
}

InfoDialogContent clsInfoDialog::Content(long lngCurrentYear) const {
    clsPersonalData maker;
    InfoDialogContent content = content_;
    content.Bitmap = picture_.Bitmap();
    content.Icon = picture_.Icon();
    content.Program = clsVersionGlobal().InfoApplication();
    content.Version = VersionLine();
    if (!versionDate_.empty()) content.Version += L" vom " + versionDate_;
    content.Description = description_;
    content.Copyright = CopyrightLine(startYear_, endYear_, lngCurrentYear);
    content.Address = maker.Company() + L"\n" + maker.Firstname() + L" " + maker.Lastname() + L"\n" + maker.Street() +
                      L"\n" + maker.Town() + L"\n" + maker.Country();
    content.ShowAddress = !supressAddress_;
    content.Website = website_.empty() ? maker.Website() : website_;
    content.EmailAddress = email_.empty() ? maker.EmailAddress() : email_;
    content.Terms = freeware_ ? maker.CopyrightFreeware() : maker.Copyright();
    content.Freeware = freeware_;
    content.CreditsUnlocked = CreditsUnlocked();
    return content;
}

void clsInfoDialog::Show() {
    Forward(L"Show", [&] {
        clsVersionGlobal().CheckIdentity();
        frmInfoDialog form;
        form.Show(Content(CurrentYear()), owner_ ? owner_ : GetActiveWindow());
    });
}

}  // namespace kv
