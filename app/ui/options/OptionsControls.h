#pragma once
// The kinds of controls the pages' tables are made of (dialog units, within the page).
#include <windows.h>
#include <commctrl.h>

#include "ui/options/frmOptions.h"

namespace kvr::options::controls {

inline ControlSpec Frame(int id, short x, short y, short cx, short cy, const wchar_t* text, BYTE anchor = 0) {
    return {id, WC_BUTTONW, BS_GROUPBOX, 0, x, y, cx, cy, text, anchor};
}
inline ControlSpec Check(int id, short x, short y, short cx, const wchar_t* text, BYTE anchor = 0) {
    return {id, WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0, x, y, cx, 10, text, anchor};
}
// The first of a group of option buttons is the one with the tab stop.
inline ControlSpec Option(int id, short x, short y, short cx, const wchar_t* text, bool blnFirst) {
    return {id, WC_BUTTONW, static_cast<DWORD>(BS_AUTORADIOBUTTON | (blnFirst ? WS_GROUP | WS_TABSTOP : 0)), 0, x, y,
            cx, 10, text};
}
inline ControlSpec Label(int id, short x, short y, short cx, const wchar_t* text, short cy = 8, BYTE anchor = 0) {
    return {id, WC_STATICW, SS_LEFT, 0, x, y, cx, cy, text, anchor};
}
inline ControlSpec Info(int id, short x, short y, short cx, short cy, const wchar_t* text, BYTE anchor = 0) {
    return {id, WC_STATICW, SS_LEFT | SS_NOPREFIX, 0, x, y, cx, cy, text, anchor};
}
inline ControlSpec Edit(int id, short x, short y, short cx, DWORD style = ES_AUTOHSCROLL, short cy = 12,
                        BYTE anchor = 0) {
    return {id, WC_EDITW, style | WS_TABSTOP, WS_EX_CLIENTEDGE, x, y, cx, cy, L"", anchor};
}
inline ControlSpec ReadOnly(int id, short x, short y, short cx, BYTE anchor = 0) {
    return {id, WC_EDITW, ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, x, y, cx, 12, L"", anchor};
}
inline ControlSpec Button(int id, short x, short y, short cx, const wchar_t* text, DWORD style = 0) {
    return {id, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP | style, 0, x, y, cx, 14, text};
}
// Right after its edit field: the up-down takes the control before it as its buddy.
inline ControlSpec UpDown(int id) {
    return {id, UPDOWN_CLASSW, UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0,
            0, 10, 12, L""};
}
inline ControlSpec Combo(int id, short x, short y, short cx, BYTE anchor = 0) {
    return {id, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, x, y, cx, 150, L"", anchor};
}
inline ControlSpec Picker(int id, short x, short y, short cx, DWORD style) {
    return {id, DATETIMEPICK_CLASSW, style | WS_TABSTOP, 0, x, y, cx, 12, L""};
}
inline ControlSpec List(int id, short x, short y, short cx, short cy, DWORD style, BYTE anchor) {
    return {id, WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP | style, WS_EX_CLIENTEDGE, x, y, cx, cy,
            L"", anchor};
}

// One column "Option" as wide as the list less a scroll bar's room (60 twips), once.
void AddOptionColumn(HWND list);
// A duration picker shows hours, minutes and seconds with two digits each, whatever the locale.
void SetDurationFormat(HWND picker);

}  // namespace kvr::options::controls
