#include "ui/autodialog/frmAutoDialog.h"

#include <commctrl.h>

#include <cmath>

#include "ui/autodialog/basAutoDialog.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "res/Pictures.h"

namespace kvr {

namespace {

constexpr const wchar_t* conForm = L"frmAutoDialog";

// The dialog itself; its controls are created at WM_INITDIALOG from conControls.
struct alignas(4) DialogTemplate {
    DLGTEMPLATE head;
    WORD menu;         // none
    WORD windowClass;  // the standard dialog class
    WORD title;        // empty: set at run time
    WORD pointSize;
    wchar_t font[13];
};

constexpr short conWidth = 250;
constexpr short conHeight = 184;

struct ControlSpec {
    int id;
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;  // dialog units
    const wchar_t* text;
};

// In tab order.
const ControlSpec conControls[] = {
    {frmAutoDialog::Image1, WC_STATICW, SS_ICON, 0, 8, 8, 21, 20, L""},
    {frmAutoDialog::Label1, WC_STATICW, SS_LEFT | SS_NOPREFIX, 0, 40, 11, 202, 18, conAutoDialogQuestion},
    {frmAutoDialog::lstRebootOptions, WC_LISTVIEWW,
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP, WS_EX_CLIENTEDGE, 8, 36, 234,
     100, L""},
    {frmAutoDialog::prgCloseTime, PROGRESS_CLASSW, PBS_SMOOTH, 0, 8, 143, 198, 10, L""},
    {frmAutoDialog::lblCloseTime, WC_STATICW, SS_RIGHT | SS_NOPREFIX, 0, 210, 144, 32, 9, L""},
    {frmAutoDialog::cmdOK, WC_BUTTONW, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 120, 162, 70, 14, L"Windows beenden"},
    {frmAutoDialog::cmdCancel, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0, 194, 162, 48, 14, L"Abbrechen"},
    {frmAutoDialog::cmdHelp, WC_BUTTONW, BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, 0, 8, 162, 20, 14, L""},
};

constexpr int conTwipsPerInch = 1440;
constexpr int conColumnMarginTwips = 120;  // room for the vertical scroll bar

void RaiseLastErrorIf(bool blnFailed) {
    if (blnFailed) Helper().CreateAPIError(static_cast<long>(GetLastError()), true);
}

// An icon of the executable's pictures, or nullptr when the executable carries none.
HICON ProgramIcon(int id, int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

// The thread's other visible windows are disabled while the dialog is shown, as a modal
// window does, and enabled again afterwards.
class OtherWindowsDisabled {
public:
    explicit OtherWindowsDisabled(HWND hwndDialog) : dialog_(hwndDialog) {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
    }
    ~OtherWindowsDisabled() {
        for (HWND hwnd : disabled_)
            if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Disable(HWND hwnd, LPARAM lParam) {
        auto* self = reinterpret_cast<OtherWindowsDisabled*>(lParam);
        if (hwnd != self->dialog_ && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            EnableWindow(hwnd, FALSE);
            self->disabled_.push_back(hwnd);
        }
        return TRUE;
    }
    HWND dialog_;
    std::vector<HWND> disabled_;
};

}  // namespace

frmAutoDialog::~frmAutoDialog() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void frmAutoDialog::Load() {
    DialogTemplate t{};
    t.head.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.head.dwExtendedStyle = WS_EX_TOPMOST;  // Windows is ending: the question must be seen
    t.head.cx = conWidth;
    t.head.cy = conHeight;
    t.pointSize = 8;
    wcscpy_s(t.font, L"MS Shell Dlg");
    HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &t.head, nullptr, DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    RaiseLastErrorIf(hwnd == nullptr);
}

void frmAutoDialog::OnInit(HWND hwnd) {
    hwnd_ = hwnd;
    CreateControls();

    if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))) {
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    pictureIcon_ = ProgramIcon(IDI_PROGRAM_PICTURE, 32);
    if (pictureIcon_) SendMessageW(Control(Image1), STM_SETICON, reinterpret_cast<WPARAM>(pictureIcon_), 0);

    // The picture button: the program's help picture (the system's question mark in a
    // build without the pictures), with its tool tip.
    HWND help = Control(cmdHelp);
    helpIcon_ = ProgramIcon(IDI_MENU_HELP, 16);
    if (!helpIcon_)
        helpIcon_ = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32514) /* IDI_QUESTION */, IMAGE_ICON,
                                                  16, 16, 0));
    if (helpIcon_) SendMessageW(help, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(helpIcon_));
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    RaiseLastErrorIf(tip == nullptr);
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(help);
    ti.lpszText = const_cast<wchar_t*>(L"Hilfe anzeigen");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));

    // One column "Option", the list's width less the room of a scroll bar.
    HWND list = Control(lstRebootOptions);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT r{};
    GetWindowRect(list, &r);
    HDC dc = GetDC(hwnd);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc) ReleaseDC(hwnd, dc);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Option");
    column.cx = (r.right - r.left) - MulDiv(conColumnMarginTwips, dpi, conTwipsPerInch);
    RaiseLastErrorIf(SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)) == -1);

    ShowCloseTime(false);
}

void frmAutoDialog::CreateControls() {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    for (const ControlSpec& c : conControls) {
        RECT r{c.x, c.y, c.x + c.cx, c.y + c.cy};
        RaiseLastErrorIf(!MapDialogRect(hwnd_, &r));
        HWND control = CreateWindowExW(c.exStyle, c.windowClass, c.text, c.style | WS_CHILD | WS_VISIBLE, r.left,
                                       r.top, r.right - r.left, r.bottom - r.top, hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                       GetModuleHandleW(nullptr), nullptr);
        RaiseLastErrorIf(control == nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SendMessageW(hwnd_, DM_SETDEFID, cmdOK, 0);
}

void frmAutoDialog::ShowModal() {
    OtherWindowsDisabled others(hwnd_);
    ShowWindow(hwnd_, SW_SHOW);
    Helper().SetForgroundForm(hwnd_);
    SetFocus(Control(lstRebootOptions));

    MSG msg;
    while (hwnd_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is being ended: the dialog goes as if cancelled, the quit goes on.
            PostQuitMessage(static_cast<int>(msg.wParam));
            Unload();
            break;
        }
        if (got == -1) {
            DWORD error = GetLastError();
            Unload();
            Helper().CreateAPIError(static_cast<long>(error), true);
        }
        if (StopsAutoClose(msg)) StopAutoClose();
        if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool frmAutoDialog::StopsAutoClose(const MSG& msg) const {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return true;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // The two buttons act on their own: "Windows beenden" during the countdown
            // still means the system the countdown would choose.
            return msg.hwnd != Control(cmdOK) && msg.hwnd != Control(cmdCancel);
        default:
            return false;
    }
}

void frmAutoDialog::Unload() {
    if (hwnd_) RaiseLastErrorIf(!DestroyWindow(hwnd_));
}

void frmAutoDialog::SetCaption(const std::wstring& strCaption) {
    RaiseLastErrorIf(!SetWindowTextW(hwnd_, strCaption.c_str()));
}

void frmAutoDialog::FillList(const std::vector<std::wstring>& entries, const std::wstring& strSelected) {
    HWND list = Control(lstRebootOptions);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int selected = -1;
    for (const std::wstring& text : entries) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_STATE;
        item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<wchar_t*>(text.c_str());
        const bool isSelected = !strSelected.empty() && CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                                                                       text.c_str(), -1, strSelected.c_str(),
                                                                       -1) == CSTR_EQUAL;
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = isSelected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        int index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        RaiseLastErrorIf(index == -1);
        if (isSelected) selected = index;
    }
    if (selected >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, selected, FALSE);
}

std::wstring frmAutoDialog::SelectedText() const {
    HWND list = Control(lstRebootOptions);
    int index = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (index < 0) return L"";
    std::wstring text(512, L'\0');
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    int length = static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)));
    text.resize(length);
    return text;
}

void frmAutoDialog::ShowCloseTime(bool blnVisible) {
    ShowWindow(Control(lblCloseTime), blnVisible ? SW_SHOW : SW_HIDE);
    ShowWindow(Control(prgCloseTime), blnVisible ? SW_SHOW : SW_HIDE);
}

void frmAutoDialog::SetCloseTimeText(const std::wstring& strText) {
    RaiseLastErrorIf(!SetWindowTextW(Control(lblCloseTime), strText.c_str()));
}

void frmAutoDialog::SetProgressMax(long lngMax) {
    progressMax_ = lngMax;
    SendMessageW(Control(prgCloseTime), PBM_SETRANGE32, 0, static_cast<LPARAM>(lngMax > 0 ? lngMax * 10 : 0));
}

void frmAutoDialog::SetProgressValue(double dblSeconds) {
    progressTenths_ = std::llround(dblSeconds * 10);
    SendMessageW(Control(prgCloseTime), PBM_SETPOS, static_cast<WPARAM>(progressTenths_), 0);
}

void frmAutoDialog::SetAutoCloseTimer(bool blnOn) {
    if (blnOn == timerOn_) return;
    if (blnOn)
        RaiseLastErrorIf(SetTimer(hwnd_, timAutoClose, conAutoCloseInterval, nullptr) == 0);
    else
        RaiseLastErrorIf(!KillTimer(hwnd_, timAutoClose));
    timerOn_ = blnOn;
}

INT_PTR frmAutoDialog::OnCommand(int id) {
    switch (id) {
        case cmdOK:
            AcceptAutoDialog();
            return TRUE;
        case cmdCancel:
            Unload();
            return TRUE;
        case cmdHelp:
            OpenHelp(hwnd_, L"Autodialog.htm");
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR frmAutoDialog::OnNotify(const NMHDR& header) {
    if (header.idFrom != static_cast<UINT_PTR>(lstRebootOptions)) return FALSE;
    if (header.code == NM_DBLCLK) AcceptAutoDialog();
    return FALSE;
}

void frmAutoDialog::OnDestroy() {
    // Still whole here: the controls go after their dialog.
    UnloadAutoDialog();
    if (timerOn_) KillTimer(hwnd_, timAutoClose);
    timerOn_ = false;
    if (pictureIcon_) DestroyIcon(pictureIcon_);
    if (helpIcon_) DestroyIcon(helpIcon_);
    pictureIcon_ = helpIcon_ = nullptr;
    hwnd_ = nullptr;
    // Wakes the dialog's message loop: the end may come inside a sent message, after which
    // GetMessage would wait on for a posted one.
    PostMessageW(nullptr, WM_NULL, 0, 0);
}

INT_PTR CALLBACK frmAutoDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<frmAutoDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    try {
        switch (msg) {
            case WM_INITDIALOG:
                self = reinterpret_cast<frmAutoDialog*>(lParam);
                SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
                self->OnInit(hwnd);
                return FALSE;  // the focus is set when the dialog is shown
            case WM_COMMAND:
                return self ? self->OnCommand(LOWORD(wParam)) : FALSE;
            case WM_NOTIFY:
                return self ? self->OnNotify(*reinterpret_cast<const NMHDR*>(lParam)) : FALSE;
            case WM_TIMER:
                if (self && wParam == timAutoClose && self->timerOn_) AutoClose();
                return TRUE;
            case WM_DESTROY:
                if (self) self->OnDestroy();
                return FALSE;
        }
    } catch (const kv::KVError& e) {
        // Nothing may cross into the window manager; the user sees the error instead.
        Helper().ShowError(conProjectName, conForm, L"DialogProc", e);
    } catch (...) {
        Helper().ShowError(conProjectName, conForm, L"DialogProc", E_UNEXPECTED, L"Unerwarteter Fehler.");
    }
    return FALSE;
}

}  // namespace kvr
