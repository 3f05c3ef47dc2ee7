// Page 4 "Autodialog": the dialog shown when Windows is ended by other means.
#include "ui/options/OptionsControls.h"

namespace kvr::options {

using namespace controls;

PageSpec Page4AutoDialog() {
    return {L"Autodialog",
            L"Autoclose.htm",
            chkAutoDialog,
            {Frame(fraAutoDialog, 0, 0, 405, 64, L"Dialog beim Beenden von Windows", conGrowX),
             Check(chkAutoDialog, 8, 14, 390, L"&Beim Beenden von Windows automatisch Systemwahldialog anzeigen"),
             Check(chkAutoclose, 8, 28, 390, L"&Dialog automatisch schließen"),
             Label(lblCloseTime, 20, 45, 50, L"&Schließen nach"),
             Edit(txtCloseTime, 72, 43, 30, ES_NUMBER),
             UpDown(updAutoClose),
             Label(lblCloseTimeUnit, 108, 45, 60, L"Sekunden"),
             Frame(fraCloseType, 0, 70, 405, 44, L"Schließoptionen", conGrowX),
             Option(optCloseType0, 8, 84, 390, L"Schließen mit Standards&ystem", true),
             Option(optCloseType1, 8, 98, 390, L"Schließen mit &zuletzt gewähltem System", false)},
            [](frmOptions& form, const OptionsValues& v) {
                SendMessageW(form.Item(updAutoClose), UDM_SETRANGE32, 1, 999);
                form.SetChecked(chkAutoDialog, v.AutoDialog);
                form.SetChecked(chkAutoclose, v.AutoClose);
                form.SetText(txtCloseTime, v.CloseTime);
                form.SelectOption(optCloseType0, 2, v.CloseType);
            },
            [](frmOptions& form, OptionsValues& v) {
                v.AutoDialog = form.Checked(chkAutoDialog);
                v.AutoClose = form.Checked(chkAutoclose);
                v.CloseTime = form.Text(txtCloseTime);
                v.CloseType = form.SelectedOption(optCloseType0, 2);
            }};
}

}  // namespace kvr::options
