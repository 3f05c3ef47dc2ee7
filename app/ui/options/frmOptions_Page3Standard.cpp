// Page 3 "Standard": the standard boot system.
#include "ui/options/OptionsControls.h"

namespace kvr::options {

using namespace controls;

PageSpec Page3Standard() {
    return {L"Standard",
            L"Standardsystem.htm",
            lstStandard,
            {Frame(fraStandard, 0, 0, 405, 254, L"&Standardsystem ist", conGrowX | conGrowY),
             List(lstStandard, 8, 12, 389, 234, LVS_SINGLESEL, conGrowX | conGrowY)},
            [](frmOptions& form, const OptionsValues& v) {
                AddOptionColumn(form.Item(lstStandard));
                std::vector<std::pair<std::wstring, std::wstring>> rows;
                for (const std::wstring& system : v.Systems) rows.emplace_back(system, L"");
                form.FillTextList(lstStandard, rows, v.SelectedSystem);
            },
            [](frmOptions& form, OptionsValues& v) { v.SelectedSystem = form.SelectedRow(lstStandard); }};
}

}  // namespace kvr::options
