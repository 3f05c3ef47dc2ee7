// Page 8 "Fernsteuerung": shutting down or restarting other computers.
#include "ui/options/OptionsControls.h"

#include "clsMain.h"
#include "work/basLinks.h"
#include "work/basRemoteShutdown.h"

namespace kvr::options {

using namespace controls;

PageSpec Page8Remote() {
    return {L"Fernsteuerung",
            L"Fernsteuerung.htm",
            txtRemoteComputer,
            {Frame(fraRemoteBasic, 0, 0, 405, 96, L"Grundeinstellungen", conGrowX),
             Label(lblRemoteComputer, 8, 16, 52, L"&Computer"),
             Edit(txtRemoteComputer, 62, 14, 311, ES_AUTOHSCROLL, 12, conGrowX),
             {cmdBrowseComputer, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0, 377, 13, 20, 14, L"...", conMoveX},
             Option(optRemoteAction0, 62, 31, 100, L"&Herunterfahren", true),
             Option(optRemoteAction1, 170, 31, 100, L"&Neu starten", false),
             Label(lblRemoteAction, 8, 48, 52, L"&Aktion in"),
             Picker(dpRemoteAction, 62, 46, 60, DTS_TIMEFORMAT | DTS_UPDOWN),
             Label(lblRemoteActionUnit, 126, 48, 100, L"Stunden durchführen"),
             Label(lblRemoteMessage, 8, 65, 52, L"&Meldungstext"),
             Edit(txtRemoteMessage, 62, 63, 335, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 26,
                  conGrowX),
             Frame(fraRemoteOptions, 0, 102, 405, 44, L"Optionen", conGrowX),
             Check(chkRemoteQuitImmediate, 8, 116, 390, L"&Sofort beenden"),
             Check(chkRemoteMessage, 8, 130, 390, L"M&eldung anzeigen, wenn Aktion durchgeführt wurde"),
             Frame(fraRemoteRun, 0, 152, 405, 34, L"Ausführen", conGrowX),
             Button(cmdRemoteShutdown, 8, 165, 90, L"Herunter&fahren..."),
             Button(cmdRemoteStop, 104, 165, 90, L"Sto&ppen"),
             Frame(fraRemoteStatus, 0, 192, 405, 32, L"Status", conGrowX),
             ReadOnly(txtRemoteStatus, 8, 205, 389, conGrowX)},
            [](frmOptions& form, const OptionsValues& v) {
                SetDurationFormat(form.Item(dpRemoteAction));
                form.SetText(txtRemoteComputer, v.RemoteComputer);
                form.SelectOption(optRemoteAction0, 2, v.RemoteAction);
                form.SetPickerTime(dpRemoteAction, v.RemoteActionIn);
                form.SetText(txtRemoteMessage, v.RemoteMessage);
                form.SetChecked(chkRemoteQuitImmediate, v.RemoteQuitImmediate);
                form.SetChecked(chkRemoteMessage, v.RemoteShowSuccessMsg);
                form.SetText(txtRemoteStatus, RemoteShutdownStatusText());
            },
            [](frmOptions& form, OptionsValues& v) {
                v.RemoteComputer = form.Text(txtRemoteComputer);
                v.RemoteAction = form.SelectedOption(optRemoteAction0, 2);
                v.RemoteActionIn = form.PickerTime(dpRemoteAction);
                v.RemoteMessage = form.Text(txtRemoteMessage);
                v.RemoteQuitImmediate = form.Checked(chkRemoteQuitImmediate);
                v.RemoteShowSuccessMsg = form.Checked(chkRemoteMessage);
            }};
}

bool HandleRemoteCommand(frmOptions& form, int id, int code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case cmdBrowseComputer: {
            std::wstring computer;
            if (BrowseForFolder(form.Handle(), L"Computer für ferngesteuertes Herunterfahren:", kv::conWsf_Network,
                                true, computer))
                form.SetText(txtRemoteComputer, computer);
            return true;
        }
        case cmdRemoteShutdown: {
            RemoteShutdownRequest request;
            request.Computers = form.Text(txtRemoteComputer);
            request.Action = form.SelectedOption(optRemoteAction0, 2);
            const Hms delay = form.PickerTime(dpRemoteAction);
            request.Hours = delay.Hour;
            request.Minutes = delay.Minute;
            request.Seconds = delay.Second;
            request.Message = form.Text(txtRemoteMessage);
            request.QuitImmediate = form.Checked(chkRemoteQuitImmediate);
            request.ShowSuccessMsg = form.Checked(chkRemoteMessage);
            RemoteShutdown(request);
            return true;
        }
        case cmdRemoteStop:
            StopRemoteShutdown();
            return true;
        default:
            return false;
    }
}

}  // namespace kvr::options
