#pragma once
// The information dialog ("Programm Info"): name, version, description, copyright and the
// maker's contact lines, with a hidden animation and credits that clicking every label and
// the picture quickly enough unlocks.
#include <windows.h>

#include <string>
#include <vector>

#include "PictureCopy.h"

namespace kv {

// What frmInfoDialog shows and how its animation runs; clsInfoDialog fills it.
struct InfoDialogContent {
    HBITMAP Bitmap = nullptr;  // the picture (not owned), or none
    HICON Icon = nullptr;
    std::wstring Program, Version, Description, Copyright, Address, Website, EmailAddress, Terms;
    bool ShowAddress = true;
    bool Freeware = false;
    bool CreditsUnlocked = false;
    long SpeedStartTime = 2500, SpeedIntervallTime = 100, SpeedEndTime = 2400, SpeedPicture = 8,
         SpeedCatch = 1000, SpeedCredits = 1;
    std::vector<std::wstring> Texts;
};

class clsInfoDialog {
public:
    clsInfoDialog();

    // Empty: the maker contact record's value.
    std::wstring EmailAddress() const { return email_; }
    void EmailAddress(const std::wstring& v) { email_ = v; }
    std::wstring Website() const { return website_; }
    void Website(const std::wstring& v) { website_ = v; }
    bool SupressAddress() const { return supressAddress_; }
    void SupressAddress(bool v) { supressAddress_ = v; }
    bool Freeware() const { return freeware_; }
    void Freeware(bool v) { freeware_ = v; }

    // Copied; nullptr removes it.
    void Picture(HBITMAP hBitmap);
    void Picture(HICON hIcon);
    HBITMAP PictureBitmap() const { return picture_.Bitmap(); }
    HICON PictureIcon() const { return picture_.Icon(); }

    // A date, or the path of an existing file, which stores that file's last-write date
    // ("dd.mm.yyyy").
    std::wstring VersionDate() const { return versionDate_; }
    void VersionDate(const std::wstring& strVersionDate);
    // A year, or the path of an existing file, which stores that file's last-write year.
    std::wstring CopyrightEndYear() const { return endYear_; }
    void CopyrightEndYear(const std::wstring& strCopyrightEndYear);
    long CopyrightStartYear() const { return startYear_; }
    void CopyrightStartYear(long v) { startYear_ = v; }
    std::wstring Description() const { return description_; }
    void Description(const std::wstring& v) { description_ = v; }

    // The animation's tuning, in milliseconds and pixels per frame.
    long SpeedStartTime() const { return content_.SpeedStartTime; }
    void SpeedStartTime(long v) { content_.SpeedStartTime = v; }
    long SpeedIntervallTime() const { return content_.SpeedIntervallTime; }
    void SpeedIntervallTime(long v) { content_.SpeedIntervallTime = v; }
    long SpeedEndTime() const { return content_.SpeedEndTime; }
    void SpeedEndTime(long v) { content_.SpeedEndTime = v; }
    long SpeedPicture() const { return content_.SpeedPicture; }
    void SpeedPicture(long v) { content_.SpeedPicture = v; }
    long SpeedCatch() const { return content_.SpeedCatch; }
    void SpeedCatch(long v) { content_.SpeedCatch = v; }
    long SpeedCredits() const { return content_.SpeedCredits; }
    void SpeedCredits(long v) { content_.SpeedCredits = v; }
    // The credits' lines.
    const std::vector<std::wstring>& Texts() const { return content_.Texts; }
    void Texts(std::vector<std::wstring> v) { content_.Texts = std::move(v); }

    // The window the dialog belongs to (nullptr: the active window of the thread).
    HWND Owner() const { return owner_; }
    void Owner(HWND v) { owner_ = v; }

    // Modal; raises -52013 and shows nothing while the application identity is not set.
    void Show();

    // What Show shows, for the given current year.
    InfoDialogContent Content(long lngCurrentYear) const;

private:
    std::wstring email_, website_, versionDate_, endYear_, description_;
    bool supressAddress_ = false, freeware_ = false;
    long startYear_ = 0;
    PictureCopy picture_;
    InfoDialogContent content_;  // the tuning and the texts
    HWND owner_ = nullptr;
};

// The registry key of the credits ("Credits" = "Yes"): the application's, group "Infodialog".
bool CreditsUnlocked();
// False when the value could not be written.
bool UnlockCredits();

}  // namespace kv
