#pragma once
// frmParameters: the parameter information shown when a command line is wrong. A modal
// dialog without owner; OK (or Esc, or the close box) ends it, the help button opens its
// help topic.
#include <windows.h>

namespace kvr {

class frmParameters {
public:
    // Control identifiers: LabelN is conLabelBase + N, as the labels are named.
    static constexpr int conLabelBase = 1000;
    static constexpr int cmdCancel = IDOK;  // the "OK" button
    static constexpr int cmdHelp = 1100;

    // Shows the dialog and returns when it is closed.
    void Show();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnInit(HWND hwnd);
    void OnDestroy();

    HWND hwnd_ = nullptr;
    HFONT boldFont_ = nullptr;
    HFONT headingFont_ = nullptr;
    HICON helpIcon_ = nullptr;
};

}  // namespace kvr
