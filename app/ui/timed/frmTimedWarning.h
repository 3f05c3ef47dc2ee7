#pragma once
// frmTimedWarning: the warning before a timed action. A small topmost window that names the
// action and its boot system and counts the seconds down, with "Jetzt ausführen",
// "Abbrechen" and "Später" (5, 15 or 60 minutes). The default button is "Später", never the
// action; Escape and the close box are "Abbrechen". One window at a time, kept up to date
// by the engine every second and closed by it when the countdown ends by any means.
// The same window warns before a remote shutdown (a second instance): there "Abbrechen"
// stops it and the default button "Ausblenden" only hides the warning; the remote computers
// cannot be hurried or postponed from here.
#include <windows.h>

#include <string>

#include "WindowBase.h"
#include "work/EngineHooks.h"

namespace kvr {

class frmTimedWarning : public kv::WindowBase {
public:
    static constexpr int lblAction = 1001;
    static constexpr int lblSystem = 1002;
    static constexpr int lblRemaining = 1003;
    static constexpr int imgWarning = 1004;
    static constexpr int cmdRunNow = 1010;
    static constexpr int cmdCancel = IDCANCEL;  // Escape and the close box too
    static constexpr int cmdLater = 1011;
    static constexpr int cboLater = 1012;
    static constexpr int cmdDismiss = 1013;  // remote shutdown only

    explicit frmTimedWarning(bool blnRemote = false);

    // Shows the window (in front, topmost) or brings its texts up to date.
    void Show(const TimedWarning& warning);
    void Close();

    // "Die Aktion wird in 45 Sekunden ausgeführt." (one second: "1 Sekunde").
    static std::wstring RemainingText(long lngSeconds);

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void Fill(const TimedWarning& warning);

    bool remote_;
    kv::OwnedFont boldFont_;
};

// The one warning window of the program; InstallTimedWarning lets the engine's hooks show it
// (with a tray balloon when the warning starts) and close it.
frmTimedWarning& TimedWarningWindow();
frmTimedWarning& RemoteWarningWindow();
void InstallTimedWarning();

}  // namespace kvr
