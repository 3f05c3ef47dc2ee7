#pragma once
// frmAutoDialog: the modal dialog "System für Neustart - Kelvo Restart" that asks, while
// Windows ends the session, which system the next start boots. The window and its controls;
// what happens on its events is the logic of basAutoDialog.
#include <windows.h>

#include <string>
#include <vector>

#include "Owned.h"
#include "WindowBase.h"
#include "ui/HelpButton.h"

namespace kvr {

class frmAutoDialog : public kv::WindowBase {
public:
    // Control identifiers.
    static constexpr int Label1 = 1001;
    static constexpr int lstRebootOptions = 1002;
    static constexpr int prgCloseTime = 1003;
    static constexpr int lblCloseTime = 1004;
    static constexpr int cmdHelp = 1005;
    static constexpr int Image1 = 1006;
    static constexpr int cmdOK = IDOK;          // "Windows beenden"
    static constexpr int cmdCancel = IDCANCEL;  // "Abbrechen", Esc and the close box
    // The timer timAutoClose.
    static constexpr UINT_PTR timAutoClose = 1;
    static constexpr UINT conAutoCloseInterval = 100;

    frmAutoDialog();
    // Unloads a dialog still there, so its OnDestroy still runs.
    ~frmAutoDialog() override;

    // Creates the dialog with its controls, hidden.
    void Load();
    // Shows it in front of everything, the program's other windows disabled, and returns
    // when it has been unloaded. A quit message on the way unloads it and is passed on.
    // (A modeless dialog with its own loop: the loop sees the input that stops the countdown.)
    void RunModal();
    // Destroys the dialog; basAutoDialog's UnloadAutoDialog runs first, whatever the way.
    void Unload();

    void SetCaption(const std::wstring& strCaption);
    // One entry per text, in order; the entry equal to strSelected (ignoring case; only when
    // it is not empty) is selected, all others are not.
    void FillList(const std::vector<std::wstring>& entries, const std::wstring& strSelected);
    // The text of the selected entry ("" when none is).
    std::wstring SelectedText() const;

    // lblCloseTime and prgCloseTime.
    void ShowCloseTime(bool blnVisible);
    void SetCloseTimeText(const std::wstring& strText);
    // The bar runs from 0 to lngMax seconds; its value moves in tenths of a second.
    void SetProgressMax(long lngMax);
    long ProgressMax() const { return progressMax_; }
    void SetProgressValue(double dblSeconds);
    double ProgressValue() const { return progressTenths_ / 10.0; }

    // timAutoClose; ticks that are still queued after it was switched off are dropped.
    void SetAutoCloseTimer(bool blnOn);
    bool AutoCloseTimerOn() const { return timerOn_; }

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    // A key, or a click anywhere but on "Windows beenden" and "Abbrechen".
    bool StopsAutoClose(const MSG& msg) const;

    kv::OwnedIcon pictureIcon_;
    HelpButton help_;
    long progressMax_ = 0;
    long long progressTenths_ = 0;
    bool timerOn_ = false;
};

}  // namespace kvr
