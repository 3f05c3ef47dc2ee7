#pragma once
// frmParameters: the parameter information, shown when a command line is wrong or asks for
// help. A modal dialog without owner; OK (or Esc, or the close box) ends it, the help button
// opens its help topic.
#include <windows.h>

namespace kvr {

class frmParameters {
public:
    // Control identifiers: LabelN is conLabelBase + N, as the labels are named.
    static constexpr int conLabelBase = 1000;
    static constexpr int cmdCancel = IDOK;  // the "OK" button
    static constexpr int cmdHelp = 1100;

    // Shows the dialog and returns when it is closed. blnHelpRequested: the user asked for
    // the parameters (/?), so the title offers help instead of naming a wrong line.
    void Show(bool blnHelpRequested = false);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnInit(HWND hwnd);
    void OnDestroy();

    HWND hwnd_ = nullptr;
    bool helpRequested_ = false;
    HFONT boldFont_ = nullptr;
    HFONT headingFont_ = nullptr;
    HICON helpIcon_ = nullptr;
};

}  // namespace kvr
