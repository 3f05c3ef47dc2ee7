#pragma once
// frmParameters: the parameter information, shown when a command line is wrong or asks for
// help. A modal dialog without owner; OK (or Esc, or the close box) ends it, the help button
// opens its help topic.
#include <windows.h>

#include "Owned.h"
#include "WindowBase.h"
#include "ui/HelpButton.h"

namespace kvr {

class frmParameters : public kv::WindowBase {
public:
    // Control identifiers: LabelN is conLabelBase + N, as the labels are named.
    static constexpr int conLabelBase = 1000;
    static constexpr int cmdCancel = IDOK;  // the "OK" button
    static constexpr int cmdHelp = 1100;

    frmParameters();

    // Shows the dialog and returns when it is closed. blnHelpRequested: the user asked for
    // the parameters (/?), so the title offers help instead of naming a wrong line.
    void Show(bool blnHelpRequested = false);

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

    bool helpRequested_ = false;
    kv::OwnedFont boldFont_;
    kv::OwnedFont headingFont_;
    HelpButton help_;
};

}  // namespace kvr
