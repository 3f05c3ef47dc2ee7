// Page 1 "Anzeige": the actions the main window shows.
#include "ui/options/OptionsControls.h"

namespace kvr::options {

using namespace controls;

PageSpec Page1View() {
    return {L"Anzeige",
            L"Dialoganzeige.htm",
            lstView,
            {Frame(fraView, 0, 0, 405, 254, L"&Angezeigte Optionen", conGrowX | conGrowY),
             List(lstView, 8, 12, 389, 234, 0, conGrowX | conGrowY)},
            [](frmOptions& form, const OptionsValues& v) {
                AddOptionColumn(form.Item(lstView));
                form.FillActionList(lstView, v.View);
            },
            [](frmOptions& form, OptionsValues& v) { v.View = form.ActionRows(lstView); }};
}

}  // namespace kvr::options
