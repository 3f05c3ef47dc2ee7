// The main window itself: its controls, the layout on every resize, and the messages it
// routes to the program's logic (buttons, list, close box, session end, timers, tray icon).
#include "ui/main/frmMain.h"

#include <commctrl.h>

#include <optional>

#include "ui/autodialog/basAutoDialog.h"
#include "program/basGlobals.h"
#include "ui/tray/basMenues.h"
#include "work/basTimedAction.h"
#include "program/basTools.h"
#include "res/Pictures.h"

namespace kvr {

namespace {

constexpr const wchar_t* conForm = L"frmMain";
constexpr const wchar_t* conClassName = L"KVRestartMain";
constexpr int conTwipsPerInch = 1440;

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

struct MainForm {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    HIMAGELIST images = nullptr;
    HICON picture = nullptr, help = nullptr, grip = nullptr;
    bool filling = false;  // no selection events while the list fills
    bool opened = false;   // OpenMain filled it since it was loaded
    bool splashTimer = false;
    bool blockReason = false;  // a reason for refusing the session end is set
};

MainForm g_form;
// Why the last window could not be created (its WM_CREATE failed).
std::optional<kv::KVError> g_createError;

void RaiseLastErrorIf(bool blnFailed) {
    if (blnFailed) Helper().CreateAPIError(static_cast<long>(GetLastError()), true);
}

HWND Control(int id) { return g_form.hwnd ? GetDlgItem(g_form.hwnd, id) : nullptr; }
HWND List() { return Control(conMainList); }

long ScreenDpi(int index) {
    static long dpi[2] = {0, 0};
    long& value = dpi[index == LOGPIXELSX ? 0 : 1];
    if (!value) {
        HDC screen = GetDC(nullptr);
        value = screen ? GetDeviceCaps(screen, index) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        if (value <= 0) value = 96;
    }
    return value;
}

// An icon of the executable's pictures at that size; nullptr in a build without them.
HICON Picture(int id, int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

// The program icon at that size, loaded once for the run (shared, never destroyed).
HICON ProgramIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
}

// imgList: the six action pictures in list-icon order. A picture the build lacks leaves its
// place empty rather than shifting the others.
HIMAGELIST MakeActionImages() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    HIMAGELIST images = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 6, 0);
    RaiseLastErrorIf(images == nullptr);
    ImageList_SetImageCount(images, 6);
    for (int i = 0; i < 6; ++i) {
        if (HICON icon = Picture(conActionImageList[i], cx)) {
            ImageList_ReplaceIcon(images, i, icon);
            DestroyIcon(icon);
        }
    }
    return images;
}

HWND MakeControl(HWND parent, int id, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                 DWORD exStyle = 0) {
    HWND control = CreateWindowExW(exStyle, windowClass, text, style | WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    RaiseLastErrorIf(control == nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_form.font), FALSE);
    return control;
}

void Place(int id, long left, long top, long width, long height) {
    MoveWindow(Control(id), TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
               TwipsToPixelsY(height), TRUE);
}

void CreateControls(HWND hwnd) {
    g_form.hwnd = hwnd;
    g_form.font = CreateFontW(-MulDiv(8, static_cast<int>(ScreenDpi(LOGPIXELSY)), 72), 0, 0, 0, FW_NORMAL, FALSE,
                              FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg");
    RaiseLastErrorIf(g_form.font == nullptr);

    // In tab order.
    MakeControl(hwnd, conMainImage1, WC_STATICW, L"", SS_ICON);
    MakeControl(hwnd, conMainLabel1, WC_STATICW, L"Wie wollen Sie Windows beenden:", SS_LEFT | SS_NOPREFIX);
    HWND list = MakeControl(hwnd, conMainList, WC_LISTVIEWW, L"",
                            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                                LVS_SHAREIMAGELISTS | WS_TABSTOP,
                            WS_EX_CLIENTEDGE);
    MakeControl(hwnd, conMainQuitWithoutSave, WC_BUTTONW, L"&Sofort beenden (nicht gespeicherte Daten gehen verloren)",
                BS_AUTOCHECKBOX | WS_TABSTOP);
    MakeControl(hwnd, conMainQuitWindows, WC_BUTTONW, L"Windows beenden", BS_DEFPUSHBUTTON | WS_TABSTOP);
    MakeControl(hwnd, conMainCancel, WC_BUTTONW, L"Abbrechen", BS_PUSHBUTTON | WS_TABSTOP);
    HWND help = MakeControl(hwnd, conMainHelp, WC_BUTTONW, L"", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP);
    // The grip's place reaches to the window's corner, where the picture is drawn; it lies
    // below the buttons and leaves their corners alone.
    HWND grip = MakeControl(hwnd, conMainResize, WC_STATICW, L"", SS_OWNERDRAW | WS_CLIPSIBLINGS);
    SetWindowPos(grip, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // The window's own icons: the program icon of its class (the tray icon takes the small
    // one, so every main window of the run carries the same icon handle).
    const int small = GetSystemMetrics(SM_CXSMICON);
    if (HICON big = ProgramIcon(GetSystemMetrics(SM_CXICON)))
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (HICON icon = ProgramIcon(small)) SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    g_form.picture = Picture(IDI_PROGRAM_PICTURE, TwipsToPixelsX(conPictureSize));
    if (g_form.picture) SendMessageW(Control(conMainImage1), STM_SETICON, reinterpret_cast<WPARAM>(g_form.picture), 0);
    g_form.grip = Picture(IDI_SIZEGRIP, small);

    // The picture button: the program's help picture (the system's question mark in a build
    // without the pictures), with its tool tip.
    g_form.help = Picture(IDI_MENU_HELP, small);
    if (!g_form.help)
        g_form.help = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32514) /* IDI_QUESTION */, IMAGE_ICON,
                                                    small, small, 0));
    if (g_form.help) SendMessageW(help, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(g_form.help));
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

    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    g_form.images = MakeActionImages();
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(g_form.images));

    // The fixed places; the rest follows the size.
    Place(conMainImage1, conMargin, conPictureTop, conPictureSize, conPictureSize);
}

// The column "Option": the list's width less 60 twips, but never wider than the list's inner
// width, so a vertical scroll bar does not bring a horizontal one along.
void SizeColumn(long lngListWidth) {
    HWND list = List();
    RECT inner{};
    GetClientRect(list, &inner);
    int width = TwipsToPixelsX(lngListWidth - conColumnMargin);
    if (inner.right > 0 && width > inner.right) width = inner.right;
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, width);
}

void Layout() {
    RECT client{};
    GetClientRect(g_form.hwnd, &client);
    const long W = PixelsToTwipsX(client.right), H = PixelsToTwipsY(client.bottom);
    const MainControlSizes sizes;
    const MainLayout l = ComputeMainLayout(W, H, sizes);

    Place(conMainLabel1, conLabelLeft, conLabelTop, W - conLabelLeft - conMargin, conLabelHeight);
    Place(conMainList, conMargin, conListTop, l.ListWidth, l.ListHeight);
    Place(conMainQuitWithoutSave, conMargin, l.CheckTop, l.ListWidth, sizes.CheckHeight);
    Place(conMainQuitWindows, l.QuitWindowsLeft, l.ButtonsTop, sizes.QuitWindowsWidth, conButtonHeight);
    Place(conMainCancel, l.CancelLeft, l.ButtonsTop, sizes.CancelWidth, conButtonHeight);
    Place(conMainHelp, l.HelpLeft, l.ButtonsTop, sizes.HelpWidth, conButtonHeight);
    const int gripLeft = TwipsToPixelsX(l.ResizeLeft), gripTop = TwipsToPixelsY(l.ResizeTop);
    SetWindowPos(Control(conMainResize), HWND_BOTTOM, gripLeft, gripTop, client.right - gripLeft,
                 client.bottom - gripTop, SWP_NOACTIVATE);
    SizeColumn(l.ListWidth);
}

void ReleaseResources() {
    if (g_form.images) ImageList_Destroy(g_form.images);
    for (HICON icon : {g_form.picture, g_form.help, g_form.grip})
        if (icon) DestroyIcon(icon);
    if (g_form.font) DeleteObject(g_form.font);
    g_form = MainForm{};
}

// While Windows waits on the shutdown-time dialog, and after the dialog refused the end of
// the session, Windows shows this reason with the program's name instead of a program that
// does not answer. Windows before Vista has no such reasons.
void SetSessionEndReason(HWND hwnd, bool blnOn) {
    using CreateFn = BOOL(WINAPI*)(HWND, LPCWSTR);
    using DestroyFn = BOOL(WINAPI*)(HWND);
    HMODULE user = GetModuleHandleW(L"user32.dll");
    auto create = reinterpret_cast<CreateFn>(
        reinterpret_cast<void*>(GetProcAddress(user, "ShutdownBlockReasonCreate")));
    auto destroy = reinterpret_cast<DestroyFn>(
        reinterpret_cast<void*>(GetProcAddress(user, "ShutdownBlockReasonDestroy")));
    if (!create || !destroy || blnOn == g_form.blockReason) return;
    BOOL done = blnOn ? create(hwnd, conAutoDialogQuestion) : destroy(hwnd);
    DWORD error = GetLastError();
    // A Windows that offers the call without carrying it out has no reasons either.
    if (!done && error == ERROR_CALL_NOT_IMPLEMENTED) return;
    RaiseLastErrorIf(!done);
    g_form.blockReason = blnOn;
}

// Where the grip picture is drawn: the lower right square of imgResize (its rectangle).
RECT GripSquare(const RECT& place) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    return {place.right - size, place.bottom - size, place.right, place.bottom};
}

void DrawGrip(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const RECT square = GripSquare(item.rcItem);
    if (g_form.grip)
        DrawIconEx(item.hDC, square.left, square.top, g_form.grip, square.right - square.left,
                   square.bottom - square.top, 0, nullptr, DI_NORMAL);
    else
        DrawFrameControl(item.hDC, const_cast<RECT*>(&square), DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

// The grip at the lower right sizes the window as the border's corner does.
LRESULT HitTest(HWND hwnd, LPARAM lParam) {
    LRESULT hit = DefWindowProcW(hwnd, WM_NCHITTEST, 0, lParam);
    HWND grip = Control(conMainResize);
    if (hit != HTCLIENT || !grip || !(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_THICKFRAME)) return hit;
    RECT r{};
    GetWindowRect(grip, &r);
    const RECT square = GripSquare(r);
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&square, pt) ? HTBOTTOMRIGHT : hit;
}

// A separator (an entry without text) is drawn as a thin line across its row.
LRESULT DrawSeparators(const NMLVCUSTOMDRAW& draw) {
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
            const int inset = TwipsToPixelsX(90), middle = (row.top + row.bottom) / 2;
            RECT line{row.left + inset, middle - 1, row.right - inset, middle + 1};
            DrawEdge(draw.nmcd.hdc, &line, EDGE_ETCHED, BF_TOP);
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

LRESULT OnNotify(const NMHDR& header) {
    if (header.idFrom != static_cast<UINT_PTR>(conMainList) || g_form.filling) return 0;
    if (header.code == NM_CUSTOMDRAW) return DrawSeparators(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
            ShutdownOptionChanged();
    } else if (header.code == NM_DBLCLK) {
        if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) AcceptMain();
    }
    return 0;
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
            case WM_CREATE:
                try {
                    CreateControls(hwnd);
                    return 0;
                } catch (const kv::KVError& e) {
                    // Reported by LoadMainWindow, which finds no window.
                    g_createError = e;
                    return -1;
                }
            case WM_SIZE:
                if (g_form.hwnd == hwnd && wParam != SIZE_MINIMIZED) {
                    Layout();
                    // Moved controls leave their old places behind; all of it is painted anew.
                    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
                }
                return 0;
            case WM_GETMINMAXINFO: {
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                info->ptMinTrackSize.x = TwipsToPixelsX(conMinWidth);
                info->ptMinTrackSize.y = TwipsToPixelsY(conMinHeight);
                return 0;
            }
            case WM_NCHITTEST:
                return HitTest(hwnd, lParam);
            case DM_GETDEFID:
                return MAKELRESULT(conMainQuitWindows, DC_HASDEFID);
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case conMainQuitWindows: AcceptMain(); return 0;
                    case conMainCancel: UnloadMain(conCM_User); return 0;
                    case conMainHelp: OpenHelp(hwnd, conMainHelpTopic); return 0;
                    default: break;
                }
                break;
            case WM_NOTIFY:
                return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            case WM_DRAWITEM:
                if (wParam != static_cast<WPARAM>(conMainResize)) break;
                DrawGrip(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            case WM_CLOSE:
                if (!UnloadMain(conCM_User)) UnloadMainWindow();
                return 0;
            case WM_QUERYENDSESSION: {
                // The reason is a courtesy: failing to give one must not stop the question.
                Shown(conForm, L"Form_QueryUnload", [&] { SetSessionEndReason(hwnd, true); });
                bool cancel = UnloadMain(conCM_Windows);
                // A refusal keeps its reason until Windows has given up ending the session.
                if (!cancel && IsWindow(hwnd))
                    Shown(conForm, L"Form_QueryUnload", [&] { SetSessionEndReason(hwnd, false); });
                return cancel ? FALSE : TRUE;
            }
            case WM_ENDSESSION:
                if (IsWindow(hwnd)) Shown(conForm, L"Form_Unload", [&] { SetSessionEndReason(hwnd, false); });
                // The session ends: the program lets go as at "Beenden".
                if (wParam) Quit();
                return 0;
            case WM_TIMER:
                if (wParam == kSplashTimerId) CloseSplash();
                else if (wParam == kTimedActionTimerId) ExecuteTimedAction();
                return 0;
            case WM_KV_TRAY:
                HandleTrayMenu(static_cast<UINT>(lParam));
                return 0;
            case WM_TIMECHANGE:
                // A timed action waits for its moment by the clock it saw when it armed.
                RearmTimedAction();
                return 0;
            case WM_POWERBROADCAST:
                if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) RearmTimedAction();
                return TRUE;
            case WM_DESTROY:
                if (g_form.hwnd == hwnd) SetTimedActionTimerWindow(nullptr);
                break;
            case WM_NCDESTROY:
                if (g_form.hwnd == hwnd) ReleaseResources();
                break;
            default:
                if (msg == TaskbarCreatedMessage() && msg != 0) {
                    RestoreTrayIcon();
                    return 0;
                }
                break;
        }
    } catch (const kv::KVError& e) {
        // Nothing may cross into the window manager; the user sees the error instead.
        Helper().ShowError(conProjectName, conForm, L"WindowProc", e);
    } catch (...) {
        Helper().ShowError(conProjectName, conForm, L"WindowProc", E_UNEXPECTED, L"Unerwarteter Fehler.");
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterMainClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = conClassName;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
    wc.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    RaiseLastErrorIf(RegisterClassExW(&wc) == 0);
    registered = true;
}

}  // namespace

// ---- Loading and placing ----

HWND LoadMainWindow() {
    if (g_form.hwnd) return g_form.hwnd;
    Forwarded(conForm, L"Form_Load", [] {
        RegisterMainClass();
        g_createError.reset();
        const TwipsRect r = MainWindowRect();
        const std::wstring caption = conMainCaptionPrefix + VersionGlobal().InfoApplication();
        HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, conClassName, caption.c_str(),
                                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                    TwipsToPixelsX(r.Left), TwipsToPixelsY(r.Top), TwipsToPixelsX(r.Width),
                                    TwipsToPixelsY(r.Height), nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!hwnd) {
            ReleaseResources();
            if (g_createError) throw *g_createError;
            RaiseLastErrorIf(true);
        }
        Layout();
        SetTimedActionTimerWindow(hwnd);
        // The icon belongs to this window: it goes first, then the window through its close
        // logic (which sees QuitFlag and lets it go).
        AddQuitStep([hwnd] {
            DeleteTrayIcon();
            if (g_form.hwnd != hwnd) return;
            if (!MainUnloading()) UnloadMain(conCM_Code);
            UnloadMainWindow();
        });
    });
    return g_form.hwnd;
}

HWND MainWindow() { return g_form.hwnd; }

void UnloadMainWindow() {
    if (HWND hwnd = g_form.hwnd) DestroyWindow(hwnd);
}

void PlaceMainWindow() {
    Forwarded(conForm, L"PlaceMainWindow", [] {
        if (!g_form.hwnd) return;
        const TwipsRect r = MainWindowRect();
        RaiseLastErrorIf(!SetWindowPos(g_form.hwnd, nullptr, TwipsToPixelsX(r.Left), TwipsToPixelsY(r.Top),
                                       TwipsToPixelsX(r.Width), TwipsToPixelsY(r.Height),
                                       SWP_NOZORDER | SWP_NOACTIVATE));
    });
}

TwipsRect MainWindowTwips() {
    RECT r{};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (IsIconic(g_form.hwnd) && GetWindowPlacement(g_form.hwnd, &placement))
        r = placement.rcNormalPosition;
    else
        GetWindowRect(g_form.hwnd, &r);
    return {PixelsToTwipsX(r.left), PixelsToTwipsY(r.top), PixelsToTwipsX(r.right - r.left),
            PixelsToTwipsY(r.bottom - r.top)};
}

void SetSplashTimer(bool blnOn) {
    if (!g_form.hwnd || blnOn == g_form.splashTimer) return;
    if (blnOn)
        RaiseLastErrorIf(SetTimer(g_form.hwnd, kSplashTimerId, conSplashInterval, nullptr) == 0);
    else
        KillTimer(g_form.hwnd, kSplashTimerId);
    g_form.splashTimer = blnOn;
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

long TwipsToPixelsX(long lngTwips) { return MulDiv(lngTwips, ScreenDpi(LOGPIXELSX), conTwipsPerInch); }
long TwipsToPixelsY(long lngTwips) { return MulDiv(lngTwips, ScreenDpi(LOGPIXELSY), conTwipsPerInch); }
long PixelsToTwipsX(long lngPixels) { return MulDiv(lngPixels, conTwipsPerInch, ScreenDpi(LOGPIXELSX)); }
long PixelsToTwipsY(long lngPixels) { return MulDiv(lngPixels, conTwipsPerInch, ScreenDpi(LOGPIXELSY)); }

// ---- The controls ----

void SetMainListEntries(const std::vector<MainListEntry>& entries) {
    HWND list = List();
    // No repaint per row: a boot menu of a thousand systems fills as fast as one of two.
    struct Filling {
        HWND list;
        explicit Filling(HWND hwnd) : list(hwnd) {
            g_form.filling = true;
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        }
        ~Filling() {
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
            g_form.filling = false;
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
    column.cx = TwipsToPixelsX(PixelsToTwipsX(r.right - r.left) - conColumnMargin);
    RaiseLastErrorIf(SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)) == -1);

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
        RaiseLastErrorIf(index == -1);
        if (entry.Selected) selected = index;
    }
    if (selected >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, selected, FALSE);
    SizeColumn(PixelsToTwipsX(r.right - r.left));
}

int MainListCount() { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }

std::wstring MainListText(int iItem) {
    std::wstring text(512, L'\0');
    LVITEMW item{};
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    int length = static_cast<int>(SendMessageW(List(), LVM_GETITEMTEXTW, iItem, reinterpret_cast<LPARAM>(&item)));
    text.resize(length > 0 ? length : 0);
    return text;
}

long MainListIcon(int iItem) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = iItem;
    if (!SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.iImage >= 0 ? item.iImage + 1 : 0;
}

int MainListSelected() {
    return static_cast<int>(SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring MainSelectedText() {
    int index = MainListSelected();
    return index < 0 ? std::wstring() : MainListText(index);
}

void SelectMainListItem(int iItem) {
    HWND list = List();
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (iItem < 0) return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, iItem, reinterpret_cast<LPARAM>(&item));
}

bool MainControlEnabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }

void EnableMainControl(int id, bool blnEnabled) { EnableWindow(Control(id), blnEnabled ? TRUE : FALSE); }

bool MainQuitWithoutSaveTicked() {
    return SendMessageW(Control(conMainQuitWithoutSave), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TickMainQuitWithoutSave(bool blnTicked) {
    SendMessageW(Control(conMainQuitWithoutSave), BM_SETCHECK, blnTicked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ShowMainWindow() {
    HWND hwnd = g_form.hwnd;
    SetResizableBorder(hwnd);
    // The new frame takes its room from the inside; the outer rectangle stays.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    ShowWindow(hwnd, SW_SHOW);
    Helper().SetForgroundForm(hwnd);
    SetFocus(List());
    SetActiveWindow(hwnd);
    g_form.opened = true;
}

void HideMainWindow() {
    if (g_form.hwnd) ShowWindow(g_form.hwnd, SW_HIDE);
}

bool MainWindowOpened() { return g_form.opened; }

}  // namespace kvr
