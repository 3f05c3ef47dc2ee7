// Page 6 "Logon": automatic logon.
#include "ui/options/OptionsControls.h"

namespace kvr::options {

using namespace controls;

PageSpec Page6Logon() {
    return {L"Logon",
            L"Autologon.htm",
            chkAutoLogon,
            {Frame(fraLogonGeneral, 0, 0, 405, 44, L"Allgemein", conGrowX),
             Check(chkAutoLogon, 8, 14, 390, L"&Automatisches Einloggen aktivieren"),
             Check(chkRepeatAutoLogon, 8, 28, 390, L"&Nach jedem Programmstart wiederholen"),
             Frame(fraLogonData, 0, 50, 220, 68, L"Benutzerdaten für den Logon"),
             Label(lblUsername, 8, 65, 55, L"&Benutzername"),
             Edit(txtUsername, 66, 63, 146),
             Label(lblPassword, 8, 81, 55, L"&Passwort"),
             Edit(txtPassword, 66, 79, 146, ES_AUTOHSCROLL | ES_PASSWORD),
             Label(lblDomain, 8, 97, 55, L"&Domäne"),
             Edit(txtDomain, 66, 95, 146),
             Frame(fraLogonOptions, 226, 50, 179, 68, L"Optionen", conGrowX),
             Check(chkHideUsername, 234, 65, 165, L"Benutzername &verbergen"),
             Check(chkForceLogon, 234, 81, 165, L"&Logon erzwingen"),
             Frame(fraLogonInfo, 0, 124, 405, 86, L"Info", conGrowX),
             Info(lblLogonInfo1, 8, 137, 389, 18,
                  L"Achtung: Das Passwort wird unverschlüsselt in der Registry gespeichert und kann von jedem "
                  L"gelesen werden, der Zugriff auf diesen Rechner hat.", conGrowX),
             Info(lblLogonInfo2, 8, 159, 389, 18,
                  L"Unter Windows NT/2000/XP sind zum Schreiben der Anmeldedaten Administratorrechte "
                  L"erforderlich.", conGrowX),
             Info(lblLogonInfo3, 8, 181, 389, 18,
                  L"Wird beim Start von Windows die Umschalttaste gedrückt gehalten, wird das automatische "
                  L"Einloggen übersprungen.", conGrowX)},
            [](frmOptions& form, const OptionsValues& v) {
                form.SetChecked(chkAutoLogon, v.AutoLogon);
                form.SetChecked(chkRepeatAutoLogon, v.RepeatAutoLogon);
                form.SetText(txtUsername, v.UserName);
                form.SetText(txtPassword, v.Password);
                form.SetText(txtDomain, v.Domain);
                form.SetChecked(chkHideUsername, v.HideUsername);
                form.SetChecked(chkForceLogon, v.ForceLogon);
            },
            [](frmOptions& form, OptionsValues& v) {
                v.AutoLogon = form.Checked(chkAutoLogon);
                v.RepeatAutoLogon = form.Checked(chkRepeatAutoLogon);
                v.UserName = form.Text(txtUsername);
                v.Password = form.Text(txtPassword);
                v.Domain = form.Text(txtDomain);
                v.HideUsername = form.Checked(chkHideUsername);
                v.ForceLogon = form.Checked(chkForceLogon);
            }};
}

}  // namespace kvr::options
