#include "frmSendQuestion.h"

#include "AboutMain.h"
#include "DialogTemplate.h"
#include "SendMessageSettings.h"

namespace kv {

frmSendQuestion::frmSendQuestion() : WindowBase(conAboutProject, L"frmSendQuestion") {}

frmSendQuestion::Answer frmSendQuestion::Ask(HWND owner, long lngPreset) {
    answer_ = {};
    answer_.Way = lngPreset == conSW_Direct ? conSW_Direct : conSW_MailProgram;
    DialogTemplate t(DS_MODALFRAME | DS_CENTER | DS_SHELLFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 190, 86,
                     conCaption);
    t.Add(DialogTemplate::conButton, BS_AUTORADIOBUTTON | BS_NOTIFY | WS_GROUP | WS_TABSTOP, 0, 10, 8, 170, 12,
          conOptMailProgram, L"&Email-Programm verwenden");
    t.Add(DialogTemplate::conButton, BS_AUTORADIOBUTTON | BS_NOTIFY, 0, 10, 22, 170, 12, conOptDirect,
          L"&Direkt senden");
    t.Add(DialogTemplate::conButton, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, 10, 42, 170, 12, conChkNeverAsk,
          L"Dieses Fenster &nicht mehr anzeigen");
    t.Add(DialogTemplate::conButton, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, 76, 64, 50, 14, IDOK, L"OK");
    t.Add(DialogTemplate::conButton, BS_PUSHBUTTON | WS_TABSTOP, 0, 132, 64, 50, 14, IDCANCEL, L"Abbrechen");
    ShowModal(t.Get(), owner);
    return answer_;
}

bool frmSendQuestion::OnInit() {
    const int preset = answer_.Way == conSW_Direct ? conOptDirect : conOptMailProgram;
    CheckRadioButton(Handle(), conOptMailProgram, conOptDirect, preset);
    SetFocus(Item(preset));
    return false;
}

bool frmSendQuestion::OnCommand(int id, int code, HWND) {
    const bool doubleClicked = (id == conOptMailProgram || id == conOptDirect) && code == BN_DOUBLECLICKED;
    if (id == IDOK || doubleClicked) {
        answer_.Confirmed = true;
        // A double click chooses the option clicked, whichever was checked before.
        const bool direct = doubleClicked ? id == conOptDirect : IsDlgButtonChecked(Handle(), conOptDirect) == BST_CHECKED;
        answer_.Way = direct ? conSW_Direct : conSW_MailProgram;
        answer_.NeverAsk = IsDlgButtonChecked(Handle(), conChkNeverAsk) == BST_CHECKED;
        EndModal(IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        EndModal(IDCANCEL);
        return true;
    }
    return false;
}

}  // namespace kv
