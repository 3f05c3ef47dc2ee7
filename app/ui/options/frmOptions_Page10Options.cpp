// Page 10 "Optionen": boot menu time, switch-off, splash screen, forced exit, program start.
#include "ui/options/OptionsControls.h"

namespace kvr::options {

using namespace controls;

PageSpec Page10Options() {
    return {L"Optionen",
            L"Optionen.htm",
            chkAutoStart,
            {Frame(fraBootManager, 0, 0, 405, 34, L"Windows NT/2000/XP Bootmanager", conGrowX),
             Label(lblBootmenutime, 8, 16, 52, L"S&ichtbar für"),
             Edit(txtBootmenutime, 62, 14, 34, ES_NUMBER),
             UpDown(updBootMenuTime),
             Label(lblBootmenutimeUnit, 108, 16, 50, L"Sekunden"),
             Button(cmdEditBootIni, 250, 13, 147, L"&Boot.ini manuell editieren"),
             Frame(fraMisc, 0, 40, 405, 44, L"Sonstiges", conGrowX),
             Check(chkSwitchoff, 8, 54, 390, L"&Nach dem Herunterfahren Rechner ausschalten"),
             Check(chkShowSplash, 8, 68, 390, L"Splashscreen &anzeigen"),
             Frame(fraQuitImmediate, 0, 90, 405, 44, L"Sofort beenden", conGrowX),
             Check(chkAllowUnsaveQuit, 8, 104, 390, L"&Erlauben"),
             Check(chkSaveQuitImmediateState, 8, 118, 390, L"&Status speichern"),
             Frame(fraProgramStart, 0, 140, 405, 44, L"Programmstart", conGrowX),
             Check(chkAutoStart, 8, 154, 390, L"&Programm bei jedem Windowsstart laden"),
             Check(chkResetToStandard, 8, 168, 390, L"Standard bei nächstem Programmstart &wiederherstellen")},
            [](frmOptions& form, const OptionsValues& v) {
                SendMessageW(form.Item(updBootMenuTime), UDM_SETRANGE32, 1, 999);
                form.SetText(txtBootmenutime, v.BootMenuTime);
                form.SetChecked(chkSwitchoff, v.SwitchOff);
                form.SetChecked(chkShowSplash, v.ShowSplash);
                form.SetChecked(chkAllowUnsaveQuit, v.AllowUnsaveQuit);
                form.SetChecked(chkSaveQuitImmediateState, v.SaveQuitImmediateState);
                form.SetChecked(chkAutoStart, v.AutoStart);
                form.SetChecked(chkResetToStandard, v.ResetToStandard);
            },
            [](frmOptions& form, OptionsValues& v) {
                v.BootMenuTime = form.Text(txtBootmenutime);
                v.SwitchOff = form.Checked(chkSwitchoff);
                v.ShowSplash = form.Checked(chkShowSplash);
                v.AllowUnsaveQuit = form.Checked(chkAllowUnsaveQuit);
                v.SaveQuitImmediateState = form.Checked(chkSaveQuitImmediateState);
                v.AutoStart = form.Checked(chkAutoStart);
                v.ResetToStandard = form.Checked(chkResetToStandard);
            }};
}

}  // namespace kvr::options
