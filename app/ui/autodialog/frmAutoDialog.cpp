#include "ui/autodialog/frmAutoDialog.h"

#include <commctrl.h>

#include <cmath>

#include "DialogTemplate.h"
#include "LastError.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "res/Pictures.h"
#include "ui/autodialog/basAutoDialog.h"

namespace kvr {

namespace {

constexpr const wchar_t* conForm = L"frmAutoDialog";

constexpr short conWidth = 250;
constexpr short conHeight = 184;

struct ControlSpec {
    int id;
    const wchar_t* windowClass;  // by name: the template takes common controls that way
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

constexpr int conColumnMarginTwips = 120;  // room for the vertical scroll bar

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

frmAutoDialog::frmAutoDialog() : WindowBase(conProjectName, conForm) {}

frmAutoDialog::~frmAutoDialog() {
    if (HWND hwnd = Handle()) DestroyWindow(hwnd);
}

void frmAutoDialog::Load() {
    // Windows is ending: the question must be seen (topmost).
    kv::DialogTemplate t(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOPMOST, conWidth,
                         conHeight);
    for (const ControlSpec& c : conControls)
        t.Add(c.windowClass, c.style, c.exStyle, c.x, c.y, c.cx, c.cy, c.id, c.text);
    CreateModeless(t.Get(), nullptr);
}

bool frmAutoDialog::OnInit() {
    kv::SetProgramIcons(Handle());
    pictureIcon_ = kv::LoadPicture(IDI_PROGRAM_PICTURE, 32);
    if (pictureIcon_)
        SendMessageW(Item(Image1), STM_SETICON, reinterpret_cast<WPARAM>(pictureIcon_.Get()), 0);
    help_.Attach(Item(cmdHelp));

    // One column "Option", the list's width less the room of a scroll bar.
    HWND list = Item(lstRebootOptions);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT r{};
    GetWindowRect(list, &r);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Option");
    column.cx = (r.right - r.left) - kv::TwipsToPixelsX(conColumnMarginTwips);
    kv::RaiseLastErrorIf(SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)) == -1);

    ShowCloseTime(false);
    return false;  // the focus is set when the dialog is shown
}

void frmAutoDialog::RunModal() {
    OtherWindowsDisabled others(Handle());
    ShowWindow(Handle(), SW_SHOW);
    Helper().SetForgroundForm(Handle());
    SetFocus(Item(lstRebootOptions));

    MSG msg;
    while (Handle()) {
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
            kv::RaiseApiError(static_cast<long>(error));
        }
        if (StopsAutoClose(msg)) StopAutoClose();
        if (Handle() && IsDialogMessageW(Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool frmAutoDialog::StopsAutoClose(const MSG& msg) const {
    HWND hwnd = Handle();
    if (!hwnd || (msg.hwnd != hwnd && !IsChild(hwnd, msg.hwnd))) return false;
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
            return msg.hwnd != Item(cmdOK) && msg.hwnd != Item(cmdCancel);
        default:
            return false;
    }
}

void frmAutoDialog::Unload() { Destroy(); }

void frmAutoDialog::SetCaption(const std::wstring& strCaption) {
    kv::RaiseLastErrorIf(!SetWindowTextW(Handle(), strCaption.c_str()));
}

void frmAutoDialog::FillList(const std::vector<std::wstring>& entries, const std::wstring& strSelected) {
    HWND list = Item(lstRebootOptions);
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
        kv::RaiseLastErrorIf(index == -1);
        if (isSelected) selected = index;
    }
    if (selected >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, selected, FALSE);
}

std::wstring frmAutoDialog::SelectedText() const {
    HWND list = Item(lstRebootOptions);
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
    ShowWindow(Item(lblCloseTime), blnVisible ? SW_SHOW : SW_HIDE);
    ShowWindow(Item(prgCloseTime), blnVisible ? SW_SHOW : SW_HIDE);
}

void frmAutoDialog::SetCloseTimeText(const std::wstring& strText) {
    kv::RaiseLastErrorIf(!SetWindowTextW(Item(lblCloseTime), strText.c_str()));
}

void frmAutoDialog::SetProgressMax(long lngMax) {
    progressMax_ = lngMax;
    SendMessageW(Item(prgCloseTime), PBM_SETRANGE32, 0, static_cast<LPARAM>(lngMax > 0 ? lngMax * 10 : 0));
}

void frmAutoDialog::SetProgressValue(double dblSeconds) {
    progressTenths_ = std::llround(dblSeconds * 10);
    SendMessageW(Item(prgCloseTime), PBM_SETPOS, static_cast<WPARAM>(progressTenths_), 0);
}

void frmAutoDialog::SetAutoCloseTimer(bool blnOn) {
    if (blnOn == timerOn_) return;
    if (blnOn)
        kv::RaiseLastErrorIf(SetTimer(Handle(), timAutoClose, conAutoCloseInterval, nullptr) == 0);
    else
        kv::RaiseLastErrorIf(!KillTimer(Handle(), timAutoClose));
    timerOn_ = blnOn;
}

bool frmAutoDialog::OnCommand(int id, int, HWND) {
    switch (id) {
        case cmdOK:
            AcceptAutoDialog();
            return true;
        case cmdCancel:
            Unload();
            return true;
        case cmdHelp:
            OpenHelp(Handle(), L"Autodialog.htm");
            return true;
        default:
            return false;
    }
}

bool frmAutoDialog::OnNotify(const NMHDR& header, LRESULT&) {
    if (header.idFrom == static_cast<UINT_PTR>(lstRebootOptions) && header.code == NM_DBLCLK) AcceptAutoDialog();
    return false;
}

bool frmAutoDialog::OnTimer(UINT_PTR id) {
    if (id == timAutoClose && timerOn_) AutoClose();
    return true;
}

void frmAutoDialog::OnDestroy() {
    // Still whole here: the controls go after their dialog.
    UnloadAutoDialog();
    if (timerOn_) KillTimer(Handle(), timAutoClose);
    timerOn_ = false;
    // Wakes the dialog's message loop: the end may come inside a sent message, after which
    // GetMessage would wait on for a posted one.
    PostMessageW(nullptr, WM_NULL, 0, 0);
}

}  // namespace kvr
