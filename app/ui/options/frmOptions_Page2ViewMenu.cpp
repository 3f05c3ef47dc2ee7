// Page 2 "Menü": the actions of the tray menu and the one a double click on the icon performs.
#include "ui/options/OptionsControls.h"

namespace kvr::options {

using namespace controls;

PageSpec Page2ViewMenu() {
    return {L"Menü",
            L"Menüanzeige.htm",
            lstViewMenu,
            {Frame(fraViewMenu, 0, 0, 405, 226, L"&Im Menü verfügbare Optionen", conGrowX | conGrowY),
             List(lstViewMenu, 8, 12, 389, 206, LVS_SINGLESEL, conGrowX | conGrowY),
             Info(lblViewMenuInfo, 0, 232, 405, 20,
                  L"Info: Der markierte Eintrag kann später durch Doppelklick auf das Symbol im Systemtray "
                  L"ausgeführt werden.",
                  conMoveY | conGrowX)},
            [](frmOptions& form, const OptionsValues& v) {
                AddOptionColumn(form.Item(lstViewMenu));
                form.FillActionList(lstViewMenu, v.ViewMenu);
            },
            [](frmOptions& form, OptionsValues& v) { v.ViewMenu = form.ActionRows(lstViewMenu); }};
}

}  // namespace kvr::options
