#include "ui/timed/frmTimedWarning.h"

#include "DialogTemplate.h"
#include "program/basGlobals.h"
#include "ui/tray/basMenues.h"
#include "work/basRemoteShutdown.h"
#include "work/basTimedAction.h"
#include "DecimalText.h"

namespace kvr {

namespace {

constexpr short conWidth = 250;
constexpr short conHeight = 86;

kv::OwnedFont BoldFont(HFONT base) {
    LOGFONTW lf{};
    if (!GetObjectW(base ? base : GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) return kv::OwnedFont();
    lf.lfWeight = FW_BOLD;
    return kv::OwnedFont(CreateFontIndirectW(&lf));
}

const wchar_t* Topic(bool blnRemote) { return blnRemote ? L"Fernsteuerung" : L"Zeitsteuerung"; }

}  // namespace

frmTimedWarning::frmTimedWarning(bool blnRemote)
    : WindowBase(conProjectName, blnRemote ? L"frmRemoteWarning" : L"frmTimedWarning"), remote_(blnRemote) {}

std::wstring frmTimedWarning::RemainingText(long lngSeconds) {
    const long seconds = lngSeconds > 0 ? lngSeconds : 0;
    return L"Die Aktion wird in " + kv::DecimalText(seconds) + (seconds == 1 ? L" Sekunde" : L" Sekunden") +
           L" ausgeführt.";
}

void frmTimedWarning::Show(const TimedWarning& warning) {
    if (!Handle()) {
        kv::DialogTemplate t(DS_MODALFRAME | DS_FIXEDSYS | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             WS_EX_TOPMOST, conWidth, conHeight,
                             VersionGlobal().InfoApplication() + L" - " + Topic(remote_));
        t.Add(kv::DialogTemplate::conStatic, SS_ICON, 0, 8, 8, 21, 20, imgWarning);
        t.Add(kv::DialogTemplate::conStatic, SS_LEFT | SS_NOPREFIX, 0, 36, 8, conWidth - 44, 10, lblAction);
        t.Add(kv::DialogTemplate::conStatic, SS_LEFT | SS_NOPREFIX, 0, 36, 20, conWidth - 44, 10, lblSystem);
        t.Add(kv::DialogTemplate::conStatic, SS_LEFT | SS_NOPREFIX, 0, 36, 34, conWidth - 44, 10, lblRemaining);
        if (remote_) {
            t.Add(kv::DialogTemplate::conButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 138, 64, 50, 14, cmdDismiss,
                  L"&Ausblenden");
            t.Add(kv::DialogTemplate::conButton, BS_PUSHBUTTON | WS_TABSTOP, 0, 192, 64, 50, 14, cmdCancel,
                  L"Abbrechen");
        } else {
            t.Add(kv::DialogTemplate::conButton, BS_PUSHBUTTON | WS_TABSTOP, 0, 8, 64, 62, 14, cmdRunNow,
                  L"&Jetzt ausführen");
            t.Add(kv::DialogTemplate::conButton, BS_PUSHBUTTON | WS_TABSTOP, 0, 74, 64, 50, 14, cmdCancel,
                  L"Abbrechen");
            t.Add(kv::DialogTemplate::conButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 138, 64, 50, 14, cmdLater,
                  L"&Später");
            t.Add(kv::DialogTemplate::conComboBox, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 192, 65, 50, 60,
                  cboLater);
        }
        CreateModeless(t.Get(), nullptr);
    }
    Fill(warning);
    if (!IsWindowVisible(Handle())) {
        ShowWindow(Handle(), SW_SHOWNORMAL);
        // The user must be able to answer at once: in front, the default button "Später".
        SetForegroundWindow(Handle());
        SetFocus(Item(remote_ ? cmdDismiss : cmdLater));
    }
}

void frmTimedWarning::Close() {
    if (Handle()) Destroy();
}

void frmTimedWarning::Fill(const TimedWarning& warning) {
    SetDlgItemTextW(Handle(), lblAction,
                    ((remote_ ? L"Fernsteuerung: " : L"Zeitgesteuerte Aktion: ") + warning.Action).c_str());
    SetDlgItemTextW(Handle(), lblSystem, warning.System.empty() ? L"" : (L"System: " + warning.System).c_str());
    SetDlgItemTextW(Handle(), lblRemaining, RemainingText(warning.Remaining).c_str());
}

bool frmTimedWarning::OnInit() {
    HWND hwnd = Handle();
    kv::SetProgramIcons(hwnd);
    SendDlgItemMessageW(hwnd, imgWarning, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_WARNING)), 0);
    boldFont_ = BoldFont(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    if (boldFont_)
        SendDlgItemMessageW(hwnd, lblAction, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
    if (remote_) {
        SetFocus(Item(cmdDismiss));
        return false;
    }
    for (long minutes : conPostponeMinutes)
        SendDlgItemMessageW(hwnd, cboLater, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>((kv::DecimalText(minutes) + L" Minuten").c_str()));
    SendDlgItemMessageW(hwnd, cboLater, CB_SETCURSEL, 0, 0);
    SetFocus(Item(cmdLater));
    return false;  // the focus is set already
}

bool frmTimedWarning::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    // The engine closes the window through its hook when it has taken the answer.
    if (remote_) {
        if (id == cmdCancel) {
            Close();  // before the stop's reports, which may wait for the network and the user
            StopRemoteShutdown();
        } else if (id == cmdDismiss) {
            DismissRemoteWarning();
            Close();
        }
        return id == cmdCancel || id == cmdDismiss;
    }
    switch (id) {
        case cmdRunNow:
            TimedWarningRunNow();
            return true;
        case cmdCancel:
            TimedWarningCancel();
            Close();  // also when no countdown is left to cancel
            return true;
        case cmdLater: {
            LRESULT index = SendDlgItemMessageW(Handle(), cboLater, CB_GETCURSEL, 0, 0);
            if (index < 0 || index >= static_cast<LRESULT>(std::size(conPostponeMinutes))) index = 0;
            TimedWarningPostpone(conPostponeMinutes[index]);
            Close();
            return true;
        }
        default:
            return false;
    }
}

frmTimedWarning& TimedWarningWindow() {
    static frmTimedWarning window;
    return window;
}

frmTimedWarning& RemoteWarningWindow() {
    static frmTimedWarning window(true);
    return window;
}

void InstallTimedWarning() {
    // The warning's start shows a balloon at the tray icon as well.
    auto show = [](frmTimedWarning& window, bool blnRemote, const TimedWarning& warning) {
        if (warning.First) {
            std::wstring text = warning.Action;
            if (!warning.System.empty()) text += L" (" + warning.System + L")";
            ShowTrayBalloon(Topic(blnRemote), text + L": " + frmTimedWarning::RemainingText(warning.Remaining));
        }
        window.Show(warning);
    };
    Hooks().ShowTimedWarning = [show](const TimedWarning& warning) { show(TimedWarningWindow(), false, warning); };
    Hooks().HideTimedWarning = [] { TimedWarningWindow().Close(); };
    Hooks().ShowRemoteWarning = [show](const TimedWarning& warning) { show(RemoteWarningWindow(), true, warning); };
    Hooks().HideRemoteWarning = [] { RemoteWarningWindow().Close(); };
}

}  // namespace kvr
