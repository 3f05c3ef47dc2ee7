#pragma once
// frmVersionCheck, "Versionsprüfung - Kelvo Restart": the program's version and the
// server's, a check that can be cancelled while it runs, the download of a newer version in
// the browser. A modeless dialog owned by the taskbar window, which lends it a taskbar button.
#include <windows.h>

#include <string>

#include "Owned.h"
#include "WindowBase.h"
#include "ui/HelpButton.h"

namespace kvr {

class frmVersionCheck : public kv::WindowBase {
public:
    enum : int {
        lblInfo = 1001,
        lblOldVersion, txtOldVersion,
        lblNewVersion, txtNewVersion,
        lblInformation, txtInfo,
        lblAdditionalInfo, txtAdditionalInfo,
        chkCheckVersionOnStartup,
        cmdHelp,
        cmdCheck,
        cmdDownload,
        cmdCancel = IDCANCEL,  // "Schließen", also Esc and the close box
    };

    frmVersionCheck();

    // Loads the window (hidden) when it is not.
    void Load();
    // Fills the fields for a new round of checks (the transfer error text emptied).
    void Prepare();
    // The check button: a check when none runs (returns when it ended), else its cancel.
    void Check();
    // Closes the window: a running check is cancelled, the check box stored.
    void Unload();
    // Whether a check runs (the button reads "&Abbrechen").
    bool Checking() const { return checking_; }

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    enum class Tone { Normal, Good, Bad };
    void ShowInfo(const std::wstring& strText, Tone tone);
    void SetText(int id, const std::wstring& strText);
    void EndCheck();
    void Download();

    bool checking_ = false;
    // Counts the checks started and cancelled: a check that returns after a newer one
    // began, or after its cancel, leaves the fields alone.
    unsigned round_ = 0;
    Tone tone_ = Tone::Normal;
    HelpButton help_;
};

// The dialog of the program (loaded or not).
frmVersionCheck& VersionCheckForm();

// Prepares and shows the dialog with its taskbar button.
void OpenVersionCheck();
// The check button's action: starts a check, or cancels the running one.
void CheckVersionDialog();
// On closing the dialog: the check box stored as CheckVersionOnStartup, the taskbar button
// gone (unless another dialog still uses it).
void UnloadVersioncheck();

}  // namespace kvr
