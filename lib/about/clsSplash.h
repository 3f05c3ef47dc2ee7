#pragma once
// The start-up splash screen: the program's picture, name, version, copyright line and the
// maker's contact lines over a green-to-white colour tone, with an optional progress bar.
// Show returns at once; the window stays until CloseWindow (or until the owner or this
// object ends). The window belongs to the thread that calls Show and is served by its
// message loop.
#include <windows.h>

#include <memory>
#include <string>

#include "Owned.h"
#include "frmSplash.h"

namespace kv {

class clsSplash {
public:
    clsSplash();
    ~clsSplash();
    clsSplash(const clsSplash&) = delete;
    clsSplash& operator=(const clsSplash&) = delete;

    // The picture shown on the left at its own size: a bitmap or an icon (copied; the
    // caller keeps its handle). nullptr removes it.
    void Picture(HBITMAP hBitmap);
    void Picture(HICON hIcon);
    HBITMAP PictureBitmap() const { return bitmap_.Get(); }
    HICON PictureIcon() const { return icon_.Get(); }

    // Empty: the maker contact record's value is shown.
    std::wstring EmailAddress() const { return email_; }
    void EmailAddress(const std::wstring& strEmailAddress) { email_ = strEmailAddress; }
    std::wstring Website() const { return website_; }
    void Website(const std::wstring& strWebsite) { website_ = strWebsite; }

    // 0: the current year.
    long CopyrightStartYear() const { return startYear_; }
    void CopyrightStartYear(long lngCopyrightStartYear) { startYear_ = lngCopyrightStartYear; }
    // A year; the path of an existing file stores that file's last-write year ("YYYY").
    std::wstring CopyrightEndYear() const { return endYear_; }
    void CopyrightEndYear(const std::wstring& strCopyrightEndYear);

    bool Freeware() const { return freeware_; }
    void Freeware(bool blnFreeware) { freeware_ = blnFreeware; }
    bool SupressAddress() const { return supressAddress_; }
    void SupressAddress(bool blnSupressAddress) { supressAddress_ = blnSupressAddress; }

    // BarMax 0 hides the bar; BarValue fills it proportionally and repaints it at once.
    long BarMax() const { return barMax_; }
    void BarMax(long lngBarMax);
    long BarValue() const { return barValue_; }
    void BarValue(long lngBarValue);

    // Direction of the colour tone (enuSplashAlignment).
    long Alignment() const { return alignment_; }
    void Alignment(long lngAlignment);

    // Topmost or not; while shown, re-positioned at once without being activated.
    bool AlwaysOnTop() const { return alwaysOnTop_; }
    void AlwaysOnTop(bool blnAlwaysOnTop);

    // The window that owns the splash (taken by the next Show).
    HWND Owner() const { return owner_; }
    void Owner(HWND hwndOwner) { owner_ = hwndOwner; }

    // Raises -52013 and shows nothing while the application identity is not set.
    void Show();
    void CloseWindow();

    // The shown window, or nullptr.
    HWND Window() const;

    // The copyright line for the given current year ("Copyright © " + start [+ " - " + end]).
    std::wstring CopyrightText(long lngCurrentYear) const;

private:
    void ReleasePicture();

    OwnedBitmap bitmap_;
    OwnedIcon icon_;
    std::wstring email_;
    std::wstring website_;
    long startYear_ = 0;
    std::wstring endYear_;
    bool freeware_ = false;
    bool supressAddress_ = false;
    long barMax_ = 0;
    long barValue_ = 0;
    long alignment_ = conSPA_Vertical;
    bool alwaysOnTop_ = false;
    HWND owner_ = nullptr;
    std::unique_ptr<frmSplash> form_;
};

}  // namespace kv
