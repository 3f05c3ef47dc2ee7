// The main window itself: its controls, the layout on every resize, and the messages it
// routes to the program's logic (buttons, list, close box, session end, timers, tray icon).
#include "ui/main/frmMain.h"
#include "ui/HelpButton.h"

#include <commctrl.h>

#include <algorithm>

#include "LastError.h"
#include "Owned.h"
#include "WindowBase.h"
#include "ui/autodialog/basAutoDialog.h"
#include "program/basGlobals.h"
#include "ui/timed/frmTimedWarning.h"
#include "ui/tray/basMenues.h"
#include "work/EngineHooks.h"
#include "work/basRemoteShutdown.h"
#include "work/basTimedAction.h"
#include "program/basTools.h"
#include "res/Pictures.h"

namespace kvr {

namespace {

constexpr const wchar_t* conForm = L"frmMain";
constexpr const wchar_t* conClassName = L"KVRestartMain";

// Fixed places of the controls the layout does not move (twips).
constexpr long conMargin = 210;          // left edge of the picture, the list and the tick
constexpr long conPictureTop = 105;
constexpr long conPictureSize = 480;     // 32 pixels at 96 dpi
constexpr long conLabelLeft = 840;
constexpr long conLabelTop = 255;
constexpr long conLabelHeight = 195;
constexpr long conListTop = 660;
constexpr long conButtonHeight = 375;
constexpr long conColumnMargin = 60;
// Below this the buttons would cover each other.
constexpr long conMinWidth = 4500;
constexpr long conMinHeight = 3600;
// The status line: the armed timed action, below the buttons.
constexpr int conMainTimedStatus = 1007;
constexpr long conStatusHeight = 195;

// imgList: the six action pictures in list-icon order. A picture the build lacks leaves its
// place empty rather than shifting the others.
kv::OwnedImageList MakeActionImages() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    kv::OwnedImageList images(ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 6, 0));
    kv::RaiseLastErrorIf(!images);
    ImageList_SetImageCount(images.Get(), 6);
    for (int i = 0; i < 6; ++i) {
        if (const kv::OwnedIcon icon = kv::LoadPicture(conActionImageList[i], cx))
            ImageList_ReplaceIcon(images.Get(), i, icon.Get());
    }
    return images;
}

// Where the grip picture is drawn: the lower right square of imgResize (its rectangle).
RECT GripSquare(const RECT& place) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    return {place.right - size, place.bottom - size, place.right, place.bottom};
}

class frmMain final : public kv::WindowBase {
public:
    frmMain() : WindowBase(conProjectName, conForm) {}

    // What one window holds; it goes with the window (its last message), so a window loaded
    // again starts afresh.
    struct Held {
        kv::OwnedFont font;
        kv::OwnedImageList images;
        kv::OwnedIcon picture, grip;
        HelpButton help;
        bool filling = false;      // no selection events while the list fills
        bool opened = false;       // OpenMain filled it since it was loaded
        bool splashTimer = false;
        bool blockReason = false;  // a reason for refusing the session end is set
        bool controls = false;     // MakeControls made them
    } held;

    void Load(bool blnControls);
    // The list, buttons and pictures, made once (with OLE and the common controls).
    void MakeControls();
    HWND List() const { return Item(conMainList); }
    void Layout();
    // The column "Option": the list's width less 60 twips, but never wider than the list's
    // inner width, so a vertical scroll bar does not bring a horizontal one along.
    void SizeColumn(long lngListWidth);

private:
    bool OnCreate(const CREATESTRUCTW& create) override;
    bool OnSize(UINT kind, int cx, int cy) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnTimer(UINT_PTR id) override;
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;
    void OnFinalMessage() override;

    HWND MakeControl(int id, const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle = 0);
    void Place(int id, long left, long top, long width, long height);
    void SetSessionEndReason(HWND hwnd, bool blnOn);
    void DrawGrip(const DRAWITEMSTRUCT& item) const;
    LRESULT HitTest(LPARAM lParam);
    LRESULT DrawSeparators(const NMLVCUSTOMDRAW& draw);
};

// The one main window of the run; loaded again after it went.
frmMain g_form;

// What the status line shows: the armed timed action and when it comes, as the tray icon's
// tip has it ("" while nothing is armed). Kept for a window loaded again.
std::wstring& TimedStatus() {
    static std::wstring text;
    return text;
}

// The engine tells the tray icon of the armed action; the status line hears it too, and the
// warning window answers the engine's warnings. Once for the run.
void InstallTimedDisplays() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    InstallTimedWarning();
    auto tray = Hooks().ShowArmedAction;
    Hooks().ShowArmedAction = [tray](const std::wstring& strAction, const std::wstring& strWhen) {
        if (tray) tray(strAction, strWhen);
        TimedStatus() = strAction.empty() ? std::wstring() : strAction + strWhen;
        if (g_form.Handle()) SetWindowTextW(g_form.Item(conMainTimedStatus), TimedStatus().c_str());
    };
}

void frmMain::Load(bool blnControls) {
    WNDCLASSEXW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = conClassName;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = kv::ProgramIcon(GetSystemMetrics(SM_CXICON));
    wc.hIconSm = kv::ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    RegisterWindowClass(wc);

    const TwipsRect r = MainWindowRect();
    const std::wstring caption = conMainCaptionPrefix + VersionGlobal().InfoApplication();
    // Windows holds a new window to its minimum tracking size, but asks for it before the
    // window has its object: the minimum applies here.
    Create(WS_EX_CONTROLPARENT, conClassName, caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
           kv::TwipsToPixelsX(r.Left), kv::TwipsToPixelsY(r.Top),
           std::max(kv::TwipsToPixelsX(r.Width), kv::TwipsToPixelsX(conMinWidth)),
           std::max(kv::TwipsToPixelsY(r.Height), kv::TwipsToPixelsY(conMinHeight)), nullptr, nullptr,
           GetModuleHandleW(nullptr));
    if (blnControls) MakeControls();
}

HWND frmMain::MakeControl(int id, const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle) {
    HWND control = CreateWindowExW(exStyle, windowClass, text, style | WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    kv::RaiseLastErrorIf(control == nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(held.font.Get()), FALSE);
    return control;
}

void frmMain::Place(int id, long left, long top, long width, long height) {
    MoveWindow(Item(id), kv::TwipsToPixelsX(left), kv::TwipsToPixelsY(top), kv::TwipsToPixelsX(width),
               kv::TwipsToPixelsY(height), TRUE);
}

bool frmMain::OnCreate(const CREATESTRUCTW&) {
    // The window's own icons: the program icon of its class (the tray icon takes the small
    // one, so every main window of the run carries the same icon handle).
    kv::SetProgramIcons(Handle());
    return true;
}

void frmMain::MakeControls() {
    if (held.controls) return;
    if (!StartWindowing()) kv::RaiseApiError(ERROR_DLL_INIT_FAILED);
    held.font.Reset(CreateFontW(-MulDiv(8, static_cast<int>(kv::ScreenDpiY()), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg"));
    kv::RaiseLastErrorIf(!held.font);

    // In tab order.
    MakeControl(conMainImage1, WC_STATICW, L"", SS_ICON);
    MakeControl(conMainLabel1, WC_STATICW, L"Wie wollen Sie Windows beenden:", SS_LEFT | SS_NOPREFIX);
    HWND list = MakeControl(conMainList, WC_LISTVIEWW, L"",
                            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                                LVS_SHAREIMAGELISTS | WS_TABSTOP,
                            WS_EX_CLIENTEDGE);
    MakeControl(conMainQuitWithoutSave, WC_BUTTONW, L"&Sofort beenden (nicht gespeicherte Daten gehen verloren)",
                BS_AUTOCHECKBOX | WS_TABSTOP);
    MakeControl(conMainTimedStatus, WC_STATICW, TimedStatus().c_str(), SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS);
    MakeControl(conMainQuitWindows, WC_BUTTONW, L"Windows beenden", BS_DEFPUSHBUTTON | WS_TABSTOP);
    MakeControl(conMainCancel, WC_BUTTONW, L"Abbrechen", BS_PUSHBUTTON | WS_TABSTOP);
    HWND help = MakeControl(conMainHelp, WC_BUTTONW, L"", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP);
    // The grip's place reaches to the window's corner, where the picture is drawn; it lies
    // below the buttons and leaves their corners alone.
    HWND grip = MakeControl(conMainResize, WC_STATICW, L"", SS_OWNERDRAW | WS_CLIPSIBLINGS);
    SetWindowPos(grip, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const int small = GetSystemMetrics(SM_CXSMICON);

    held.picture = kv::LoadPicture(IDI_PROGRAM_PICTURE, kv::TwipsToPixelsX(conPictureSize));
    if (held.picture)
        SendMessageW(Item(conMainImage1), STM_SETICON, reinterpret_cast<WPARAM>(held.picture.Get()), 0);
    held.grip = kv::LoadPicture(IDI_SIZEGRIP, small);

    held.help.Attach(help);

    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    held.images = MakeActionImages();
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(held.images.Get()));

    // The fixed places; the rest follows the size.
    Place(conMainImage1, conMargin, conPictureTop, conPictureSize, conPictureSize);
    held.controls = true;
    Layout();
}

void frmMain::SizeColumn(long lngListWidth) {
    HWND list = List();
    RECT inner{};
    GetClientRect(list, &inner);
    int width = kv::TwipsToPixelsX(lngListWidth - conColumnMargin);
    if (inner.right > 0 && width > inner.right) width = inner.right;
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, width);
}

void frmMain::Layout() {
    if (!held.controls) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const long W = kv::PixelsToTwipsX(client.right), H = kv::PixelsToTwipsY(client.bottom);
    const MainControlSizes sizes;
    const MainLayout l = ComputeMainLayout(W, H, sizes);

    Place(conMainLabel1, conLabelLeft, conLabelTop, W - conLabelLeft - conMargin, conLabelHeight);
    Place(conMainList, conMargin, conListTop, l.ListWidth, l.ListHeight);
    Place(conMainQuitWithoutSave, conMargin, l.CheckTop, l.ListWidth, sizes.CheckHeight);
    Place(conMainTimedStatus, conMargin, l.ButtonsTop + conButtonHeight + 90,
          std::max(0L, l.ResizeLeft - 60 - conMargin), conStatusHeight);
    Place(conMainQuitWindows, l.QuitWindowsLeft, l.ButtonsTop, sizes.QuitWindowsWidth, conButtonHeight);
    Place(conMainCancel, l.CancelLeft, l.ButtonsTop, sizes.CancelWidth, conButtonHeight);
    Place(conMainHelp, l.HelpLeft, l.ButtonsTop, sizes.HelpWidth, conButtonHeight);
    const int gripLeft = kv::TwipsToPixelsX(l.ResizeLeft), gripTop = kv::TwipsToPixelsY(l.ResizeTop);
    SetWindowPos(Item(conMainResize), HWND_BOTTOM, gripLeft, gripTop, client.right - gripLeft,
                 client.bottom - gripTop, SWP_NOACTIVATE);
    SizeColumn(l.ListWidth);
}

bool frmMain::OnSize(UINT kind, int, int) {
    if (kind != SIZE_MINIMIZED) {
        Layout();
        // Moved controls leave their old places behind; all of it is painted anew.
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return true;
}

bool frmMain::OnCommand(int id, int, HWND) {
    switch (id) {
        case conMainQuitWindows: AcceptMain(); return true;
        case conMainCancel: UnloadMain(conCM_User); return true;
        case conMainHelp: OpenHelp(Handle(), conMainHelpTopic); return true;
        default: return false;
    }
}

// A separator (an entry without text) is drawn as a thin line across its row.
LRESULT frmMain::DrawSeparators(const NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return MainListText(static_cast<int>(draw.nmcd.dwItemSpec)).empty() ? CDRF_NOTIFYPOSTPAINT
                                                                                 : CDRF_DODEFAULT;
        case CDDS_ITEMPOSTPAINT: {
            RECT row{};
            row.left = LVIR_BOUNDS;
            if (!SendMessageW(List(), LVM_GETITEMRECT, draw.nmcd.dwItemSpec, reinterpret_cast<LPARAM>(&row)))
                return CDRF_DODEFAULT;
            const int inset = kv::TwipsToPixelsX(90), middle = (row.top + row.bottom) / 2;
            RECT line{row.left + inset, middle - 1, row.right - inset, middle + 1};
            DrawEdge(draw.nmcd.hdc, &line, EDGE_ETCHED, BF_TOP);
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

bool frmMain::OnNotify(const NMHDR& header, LRESULT& result) {
    result = 0;
    if (header.idFrom != static_cast<UINT_PTR>(conMainList) || held.filling) return true;
    if (header.code == NM_CUSTOMDRAW) {
        result = DrawSeparators(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
    } else if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
            ShutdownOptionChanged();
    } else if (header.code == NM_DBLCLK) {
        if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) AcceptMain();
    }
    return true;
}

bool frmMain::OnTimer(UINT_PTR id) {
    if (id == conSplashTimerId) CloseSplash();
    else if (id == conTimedActionTimerId) ExecuteTimedAction();
    else if (id == conRemoteShutdownTimer) RemoteShutdownTick();
    return true;
}

// While Windows waits on the shutdown-time dialog, and after the dialog refused the end of
// the session, Windows shows this reason with the program's name instead of a program that
// does not answer. Windows before Vista has no such reasons.
void frmMain::SetSessionEndReason(HWND hwnd, bool blnOn) {
    using CreateFn = BOOL(WINAPI*)(HWND, LPCWSTR);
    using DestroyFn = BOOL(WINAPI*)(HWND);
    HMODULE user = GetModuleHandleW(L"user32.dll");
    auto create = reinterpret_cast<CreateFn>(
        reinterpret_cast<void*>(GetProcAddress(user, "ShutdownBlockReasonCreate")));
    auto destroy = reinterpret_cast<DestroyFn>(
        reinterpret_cast<void*>(GetProcAddress(user, "ShutdownBlockReasonDestroy")));
    if (!create || !destroy || blnOn == held.blockReason) return;
    BOOL done = blnOn ? create(hwnd, conAutoDialogQuestion) : destroy(hwnd);
    DWORD error = GetLastError();
    // A Windows that offers the call without carrying it out has no reasons either.
    if (!done && error == ERROR_CALL_NOT_IMPLEMENTED) return;
    kv::RaiseLastErrorIf(!done);
    held.blockReason = blnOn;
}

void frmMain::DrawGrip(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const RECT square = GripSquare(item.rcItem);
    if (held.grip)
        DrawIconEx(item.hDC, square.left, square.top, held.grip.Get(), square.right - square.left,
                   square.bottom - square.top, 0, nullptr, DI_NORMAL);
    else
        DrawFrameControl(item.hDC, const_cast<RECT*>(&square), DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

// The grip at the lower right sizes the window as the border's corner does.
LRESULT frmMain::HitTest(LPARAM lParam) {
    HWND hwnd = Handle();
    LRESULT hit = DefWindowProcW(hwnd, WM_NCHITTEST, 0, lParam);
    HWND grip = Item(conMainResize);
    if (hit != HTCLIENT || !grip || !(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_THICKFRAME)) return hit;
    RECT r{};
    GetWindowRect(grip, &r);
    const RECT square = GripSquare(r);
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&square, pt) ? HTBOTTOMRIGHT : hit;
}

bool frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The window may be gone when the logic returns: what follows uses this copy.
    HWND hwnd = Handle();
    switch (msg) {
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = kv::TwipsToPixelsX(conMinWidth);
            info->ptMinTrackSize.y = kv::TwipsToPixelsY(conMinHeight);
            return true;
        }
        case WM_NCHITTEST:
            result = HitTest(lParam);
            return true;
        case DM_GETDEFID:
            result = MAKELRESULT(conMainQuitWindows, DC_HASDEFID);
            return true;
        case WM_DRAWITEM:
            if (wParam != static_cast<WPARAM>(conMainResize)) return false;
            DrawGrip(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_CLOSE:
            if (!UnloadMain(conCM_User)) UnloadMainWindow();
            return true;
        case WM_QUERYENDSESSION: {
            // The reason is a courtesy: failing to give one must not stop the question.
            Shown(conForm, L"Form_QueryUnload", [&] { SetSessionEndReason(hwnd, true); });
            bool cancel = UnloadMain(conCM_Windows);
            // A refusal keeps its reason until Windows has given up ending the session.
            if (!cancel && IsWindow(hwnd))
                Shown(conForm, L"Form_QueryUnload", [&] { SetSessionEndReason(hwnd, false); });
            result = cancel ? FALSE : TRUE;
            return true;
        }
        case WM_ENDSESSION:
            if (IsWindow(hwnd)) Shown(conForm, L"Form_Unload", [&] { SetSessionEndReason(hwnd, false); });
            // The session ends: the program lets go as at "Beenden".
            if (wParam) Quit();
            return true;
        case WM_KV_TRAY:
            HandleTrayMenu(static_cast<UINT>(lParam));
            return true;
        case WM_TIMECHANGE:
            // A timed action waits for its moment by the clock it saw when it armed.
            RearmTimedAction();
            return true;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) RearmTimedAction();
            result = TRUE;
            return true;
        default:
            if (msg == TaskbarCreatedMessage() && msg != 0) {
                RestoreTrayIcon();
                return true;
            }
            return false;
    }
}

void frmMain::OnDestroy() {
    SetTimedActionTimerWindow(nullptr);
    SetRemoteShutdownTimerWindow(nullptr);
}

void frmMain::OnFinalMessage() { held = Held{}; }

}  // namespace

// ---- Loading and placing ----

HWND LoadMainWindow(bool blnControls) {
    if (g_form.Handle()) {
        if (blnControls) Forwarded(conForm, L"Form_Load", [] { g_form.MakeControls(); });
        return g_form.Handle();
    }
    Forwarded(conForm, L"Form_Load", [&] {
        g_form.Load(blnControls);
        HWND hwnd = g_form.Handle();
        InstallTimedDisplays();
        SetTimedActionTimerWindow(hwnd);
        SetRemoteShutdownTimerWindow(hwnd);
        // The icon belongs to this window: it goes first, then the window through its close
        // logic (which sees QuitFlag and lets it go).
        AddQuitStep([hwnd] {
            DeleteTrayIcon();
            if (g_form.Handle() != hwnd) return;
            if (!MainUnloading()) UnloadMain(conCM_Code);
            UnloadMainWindow();
        });
    });
    return g_form.Handle();
}

HWND MainWindow() { return g_form.Handle(); }

void UnloadMainWindow() {
    if (HWND hwnd = g_form.Handle()) DestroyWindow(hwnd);
}

void PlaceMainWindow() {
    Forwarded(conForm, L"PlaceMainWindow", [] {
        HWND hwnd = g_form.Handle();
        if (!hwnd) return;
        const TwipsRect r = MainWindowRect();
        kv::RaiseLastErrorIf(!SetWindowPos(hwnd, nullptr, kv::TwipsToPixelsX(r.Left), kv::TwipsToPixelsY(r.Top),
                                           kv::TwipsToPixelsX(r.Width), kv::TwipsToPixelsY(r.Height),
                                           SWP_NOZORDER | SWP_NOACTIVATE));
    });
}

TwipsRect MainWindowTwips() {
    HWND hwnd = g_form.Handle();
    RECT r{};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (IsIconic(hwnd) && GetWindowPlacement(hwnd, &placement))
        r = placement.rcNormalPosition;
    else
        GetWindowRect(hwnd, &r);
    return {kv::PixelsToTwipsX(r.left), kv::PixelsToTwipsY(r.top), kv::PixelsToTwipsX(r.right - r.left),
            kv::PixelsToTwipsY(r.bottom - r.top)};
}

void SetSplashTimer(bool blnOn) {
    HWND hwnd = g_form.Handle();
    if (!hwnd || blnOn == g_form.held.splashTimer) return;
    if (blnOn)
        kv::RaiseLastErrorIf(SetTimer(hwnd, conSplashTimerId, conSplashInterval, nullptr) == 0);
    else
        KillTimer(hwnd, conSplashTimerId);
    g_form.held.splashTimer = blnOn;
}

// ---- Layout ----

MainLayout ComputeMainLayout(long W, long H, const MainControlSizes& sizes) {
    MainLayout l{};
    l.ButtonsTop = H - 880;
    l.HelpLeft = W - sizes.HelpWidth - 260;
    l.CancelLeft = W - sizes.HelpWidth - sizes.CancelWidth - 380;
    l.QuitWindowsLeft = W - sizes.HelpWidth - sizes.CancelWidth - sizes.QuitWindowsWidth - 500;
    l.ResizeTop = H - 585;
    l.ResizeLeft = W - 300;
    l.CheckTop = l.ButtonsTop - sizes.CheckHeight - 200;
    l.ListWidth = W - 420;
    l.ListHeight = H - 2100;
    l.ColumnWidth = l.ListWidth - conColumnMargin;
    return l;
}


// ---- The controls ----

void SetMainListEntries(const std::vector<MainListEntry>& entries) {
    HWND list = g_form.List();
    // No repaint per row: a boot menu of a thousand systems fills as fast as one of two.
    struct Filling {
        HWND list;
        explicit Filling(HWND hwnd) : list(hwnd) {
            g_form.held.filling = true;
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        }
        ~Filling() {
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
            g_form.held.filling = false;
        }
    } filling(list);

    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    while (SendMessageW(list, LVM_DELETECOLUMN, 0, 0)) {
    }
    RECT r{};
    GetWindowRect(list, &r);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Option");
    column.cx = kv::TwipsToPixelsX(kv::PixelsToTwipsX(r.right - r.left) - conColumnMargin);
    kv::RaiseLastErrorIf(SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)) == -1);

    SendMessageW(list, LVM_SETITEMCOUNT, entries.size(), 0);
    int selected = -1, next = 0;
    for (const MainListEntry& entry : entries) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        item.iItem = next++;
        item.pszText = const_cast<wchar_t*>(entry.Text.c_str());
        item.iImage = entry.Icon > 0 ? static_cast<int>(entry.Icon - 1) : I_IMAGENONE;
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = entry.Selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        int index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        kv::RaiseLastErrorIf(index == -1);
        if (entry.Selected) selected = index;
    }
    if (selected >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, selected, FALSE);
    g_form.SizeColumn(kv::PixelsToTwipsX(r.right - r.left));
}

int MainListCount() { return static_cast<int>(SendMessageW(g_form.List(), LVM_GETITEMCOUNT, 0, 0)); }

std::wstring MainListText(int iItem) {
    std::wstring text(512, L'\0');
    LVITEMW item{};
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    int length =
        static_cast<int>(SendMessageW(g_form.List(), LVM_GETITEMTEXTW, iItem, reinterpret_cast<LPARAM>(&item)));
    text.resize(length > 0 ? length : 0);
    return text;
}

long MainListIcon(int iItem) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = iItem;
    if (!SendMessageW(g_form.List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.iImage >= 0 ? item.iImage + 1 : 0;
}

int MainListSelected() {
    return static_cast<int>(SendMessageW(g_form.List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring MainSelectedText() {
    int index = MainListSelected();
    return index < 0 ? std::wstring() : MainListText(index);
}

void SelectMainListItem(int iItem) {
    HWND list = g_form.List();
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (iItem < 0) return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, iItem, reinterpret_cast<LPARAM>(&item));
}

bool MainControlEnabled(int id) { return IsWindowEnabled(g_form.Item(id)) != FALSE; }

void EnableMainControl(int id, bool blnEnabled) { EnableWindow(g_form.Item(id), blnEnabled ? TRUE : FALSE); }

bool MainQuitWithoutSaveTicked() {
    return SendMessageW(g_form.Item(conMainQuitWithoutSave), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TickMainQuitWithoutSave(bool blnTicked) {
    SendMessageW(g_form.Item(conMainQuitWithoutSave), BM_SETCHECK, blnTicked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ShowMainWindow() {
    HWND hwnd = g_form.Handle();
    SetResizableBorder(hwnd);
    // The new frame takes its room from the inside; the outer rectangle stays.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    ShowWindow(hwnd, SW_SHOW);
    Helper().SetForgroundForm(hwnd);
    SetFocus(g_form.List());
    SetActiveWindow(hwnd);
    g_form.held.opened = true;
}

void HideMainWindow() {
    if (HWND hwnd = g_form.Handle()) ShowWindow(hwnd, SW_HIDE);
}

bool MainWindowOpened() { return g_form.held.opened; }

}  // namespace kvr
