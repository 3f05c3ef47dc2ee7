// Page 9 "Tastenkürzel": hotkeys of the actions.
#include "ui/options/OptionsControls.h"

#include "clsListView.h"
#include "program/basGlobals.h"

namespace kvr::options {

using namespace controls;

PageSpec Page9Shortcuts() {
    return {L"Tastenkürzel",
            L"Tastenkürzel.htm",
            lstShortcuts,
            {Frame(fraShortcuts, 0, 0, 405, 170, L"&Tastendefinitionen", conGrowX | conGrowY),
             List(lstShortcuts, 8, 12, 389, 150, 0, conGrowX | conGrowY),
             {fraShortcutChange, WC_BUTTONW, BS_GROUPBOX, 0, 0, 176, 200, 78, L"Ändern", conMoveY},
             {cmdShortcutDefine, WC_BUTTONW, BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0, 8, 189, 60, 14,
              L"&Definieren", conMoveY},
             {cmdShortcutDelete, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0, 74, 189, 60, 14, L"&Löschen...",
              conMoveY},
             Info(lblShortcutInfo, 8, 207, 185, 42,
                  L"Markieren Sie eine Aktion, klicken Sie auf \"Definieren\" und drücken Sie die gewünschte "
                  L"Tastenkombination.",
                  conMoveY),
             {fraShortcutOptions, WC_BUTTONW, BS_GROUPBOX, 0, 206, 176, 199, 78, L"Optionen", conMoveY | conGrowX},
             {chkShortcutConfirmationMsg, WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0, 214, 190, 185, 10,
              L"&Bestätigungsmeldung ausgeben", conMoveY},
             {chkShortcutQuitImmediate, WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0, 214, 204, 185, 10,
              L"&Sofort beenden", conMoveY}},
            [](frmOptions& form, const OptionsValues& v) {
                HWND list = form.Item(lstShortcuts);
                if (!Header_GetItemCount(ListView_GetHeader(list))) {
                    kv::clsListView lv;
                    lv.LVAddColumn(list, L"Aktion");
                    lv.LVAddColumn(list, L"Tasten");
                    SetWindowTextW(list, L"lstShortcuts");
                    lv.LVSetSavedView(list, conProjectName, L"5000;2000");
                }
                form.FillTextList(lstShortcuts, v.Shortcuts, -1);
                form.SetChecked(chkShortcutConfirmationMsg, v.ShortcutConfirmationMsg);
                form.SetChecked(chkShortcutQuitImmediate, v.ShortcutQuitImmediate);
            },
            [](frmOptions& form, OptionsValues& v) {
                v.Shortcuts = form.TextRows(lstShortcuts);
                v.ShortcutConfirmationMsg = form.Checked(chkShortcutConfirmationMsg);
                v.ShortcutQuitImmediate = form.Checked(chkShortcutQuitImmediate);
            }};
}

}  // namespace kvr::options
