#include "frmSplash.h"

#include <algorithm>

#include "AboutMain.h"

namespace kv {

namespace {

constexpr const wchar_t* conLabelClass = L"KVSplashLabel";
constexpr const wchar_t* conBarClass = L"KVSplashBar";

// Layout in pixels.
constexpr int conMargin = 16;
constexpr int conMinWidth = 420;
constexpr int conMinHeight = 220;
constexpr int conTextColumn = 300;  // the narrowest text column
constexpr int conBarHeight = 10;

// Extra bytes of a label window: its font and its text colour.
constexpr int conLabelFont = 0;
constexpr int conLabelColour = sizeof(LONG_PTR);

constexpr COLORREF conFrame = RGB(60, 150, 60);
constexpr COLORREF conTitleText = RGB(20, 70, 20);
constexpr COLORREF conText = RGB(30, 30, 30);
constexpr COLORREF conLinkText = RGB(0, 40, 150);
constexpr COLORREF conBarBorder = RGB(40, 110, 40);

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

void RaiseLastError() { AboutMain().CreateAPIError(static_cast<long>(GetLastError()), true); }

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Paints through an off-screen bitmap, so the tone and the text never flicker.
template <class Painter>
void PaintBuffered(HWND hwnd, Painter&& paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT client;
    GetClientRect(hwnd, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP buffer = memory ? CreateCompatibleBitmap(dc, client.right, client.bottom) : nullptr;
    if (buffer) {
        HGDIOBJ old = SelectObject(memory, buffer);
        paint(memory);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(buffer);
    } else {
        paint(dc);
    }
    if (memory) DeleteDC(memory);
    EndPaint(hwnd, &ps);
}

SIZE PictureSize(HBITMAP bitmap, HICON icon) {
    SIZE size{0, 0};
    BITMAP info{};
    if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) return {info.bmWidth, info.bmHeight};
    ICONINFO ii{};
    if (icon && GetIconInfo(icon, &ii)) {
        if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof(info), &info)) {
            size = {info.bmWidth, info.bmHeight};
        } else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof(info), &info)) {
            size = {info.bmWidth, info.bmHeight / 2};  // a monochrome icon: mask over image
        }
        if (ii.hbmColor) DeleteObject(ii.hbmColor);
        if (ii.hbmMask) DeleteObject(ii.hbmMask);
    }
    return size;
}

}  // namespace

frmSplash::~frmSplash() { Unload(); }

std::vector<COLORREF> frmSplash::ToneTable(int extent) {
    const int count = extent / conStripWidth;
    std::vector<COLORREF> table;
    table.reserve(count > 0 ? count : 0);
    auto step = [&](int from, int i) {
        return count == 1 ? from : from + ((255 - from) * i + (count - 1) / 2) / (count - 1);
    };
    for (int i = 0; i < count; ++i)
        table.push_back(RGB(step(GetRValue(conToneStart), i), step(GetGValue(conToneStart), i),
                            step(GetBValue(conToneStart), i)));
    return table;
}

// Registered for each window and unregistered when it unloads: a DLL's classes outlive the
// DLL otherwise, and a later copy of it loaded elsewhere would meet its stale window procedures.
void frmSplash::RegisterClasses() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = ThisModule();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    auto add = [&](const wchar_t* name, WNDPROC procedure, UINT style, int extra) {
        wc.lpszClassName = name;
        wc.lpfnWndProc = procedure;
        wc.style = style;
        wc.cbWndExtra = extra;
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastError();
    };
    add(conClassName, &frmSplash::WindowProc, CS_DROPSHADOW, 0);
    add(conLabelClass, &frmSplash::LabelProc, 0, 2 * sizeof(LONG_PTR));
    add(conBarClass, &frmSplash::BarProc, 0, 0);
}

void frmSplash::UnregisterClasses() {
    // Fails harmlessly while another splash still has windows of these classes.
    for (const wchar_t* name : {conBarClass, conLabelClass, conClassName}) UnregisterClassW(name, ThisModule());
}

frmSplash* frmSplash::Of(HWND window) {
    return reinterpret_cast<frmSplash*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void frmSplash::CreateFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) RaiseLastError();
    LOGFONTW font = metrics.lfMessageFont;
    font.lfQuality = CLEARTYPE_QUALITY;
    auto make = [&](int height, int weight) {
        font.lfHeight = -height;
        font.lfWeight = weight;
        HFONT made = CreateFontIndirectW(&font);
        if (!made) RaiseLastError();
        return made;
    };
    titleFont_ = make(22, FW_BOLD);
    textFont_ = make(13, FW_NORMAL);
    smallFont_ = make(12, FW_NORMAL);
}

void frmSplash::Load(const SplashContent& content, HWND owner, bool topmost) {
    Unload();
    RegisterClasses();
    CreateFonts();
    // The window keeps copies, so the caller may replace or free its picture meanwhile.
    if (content.Bitmap) {
        bitmap_ = static_cast<HBITMAP>(CopyImage(content.Bitmap, IMAGE_BITMAP, 0, 0, 0));
        if (!bitmap_) RaiseLastError();
    } else if (content.Icon) {
        icon_ = static_cast<HICON>(CopyImage(content.Icon, IMAGE_ICON, 0, 0, 0));
        if (!icon_) RaiseLastError();
    }
    picture_ = PictureSize(bitmap_, icon_);
    alignment_ = content.Alignment;
    barMax_ = content.BarMax;
    barValue_ = content.BarValue;

    const int textX = picture_.cx > 0 ? 2 * conMargin + picture_.cx : conMargin;
    const int width = std::max(conMinWidth, textX + conTextColumn + conMargin);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | (topmost ? WS_EX_TOPMOST : 0), conClassName,
                              content.Program.c_str(), WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, conMinHeight,
                              owner, nullptr, ThisModule(), this);
    if (!window_) RaiseLastError();

    int bottom = conMargin;
    CreateChildren(content, width, bottom);
    bottom = std::max(bottom, conMargin + static_cast<int>(picture_.cy));
    const int height = std::max(conMinHeight, bottom + 12 + conBarHeight + conMargin);
    HWND bar = GetDlgItem(window_, conShpProgress);
    MoveWindow(bar, conMargin, height - conMargin - conBarHeight, width - 2 * conMargin, conBarHeight, FALSE);
    client_ = {width, height};

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;
    if (!SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_TOP, x, y, width, height,
                      SWP_NOACTIVATE | SWP_SHOWWINDOW))
        RaiseLastError();
    // Painted, labels included, before the caller goes back to its own work.
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void frmSplash::CreateChildren(const SplashContent& content, int width, int& bottom) {
    struct Line {
        int id;
        const std::wstring& text;
        HFONT font;
        COLORREF colour;
        int height;
        int gapBefore;
        bool visible;
    };
    const Line lines[] = {
        {conLblProgram, content.Program, titleFont_, conTitleText, 30, 0, true},
        {conLblVersion, content.Version, textFont_, conText, 18, 0, true},
        {conLblCopyright, content.Copyright, textFont_, conText, 18, 0, true},
        {conLblCompany, content.Company, textFont_, conText, 18, 10, true},
        {conLblAddress, content.Address, smallFont_, conText, 16, 0, content.ShowAddress},
        {conLblWebsite, content.Website, smallFont_, conLinkText, 16, 0, true},
        {conLblEmail, content.EmailAddress, smallFont_, conLinkText, 16, 0, true},
        {conLblFreeware, content.Freeware, smallFont_, conText, 16, 8, content.ShowFreeware},
    };
    const int x = picture_.cx > 0 ? 2 * conMargin + picture_.cx : conMargin;
    int y = conMargin;
    for (const Line& line : lines) {
        // Hidden lines exist too (empty space would show where the address is suppressed,
        // so the visible lines close up instead).
        if (line.visible) y += line.gapBefore;
        HWND label = CreateWindowExW(0, conLabelClass, line.text.c_str(),
                                     WS_CHILD | (line.visible ? WS_VISIBLE : 0), x, y, width - x - conMargin,
                                     line.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(line.id)),
                                     ThisModule(), nullptr);
        if (!label) RaiseLastError();
        SetWindowLongPtrW(label, conLabelFont, reinterpret_cast<LONG_PTR>(line.font));
        SetWindowLongPtrW(label, conLabelColour, static_cast<LONG_PTR>(line.colour));
        if (line.visible) y += line.height;
    }
    bottom = y;
    HWND bar = CreateWindowExW(0, conBarClass, L"", WS_CHILD | (barMax_ > 0 ? WS_VISIBLE : 0), 0, 0, 0, 0,
                               window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(conShpProgress)),
                               ThisModule(), nullptr);
    if (!bar) RaiseLastError();
}

void frmSplash::Unload() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
    UnregisterClasses();
    for (HFONT* font : {&titleFont_, &textFont_, &smallFont_}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
    if (bitmap_) DeleteObject(bitmap_);
    if (icon_) DestroyIcon(icon_);
    bitmap_ = nullptr;
    icon_ = nullptr;
    picture_ = {0, 0};
}

void frmSplash::SetBar(long max, long value) {
    barMax_ = max;
    barValue_ = value;
    if (!window_) return;
    HWND bar = GetDlgItem(window_, conShpProgress);
    ShowWindow(bar, max > 0 ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(bar, nullptr, FALSE);
    UpdateWindow(bar);
}

void frmSplash::SetAlignment(long alignment) {
    alignment_ = alignment;
    if (!window_) return;
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void frmSplash::PaintTone(HDC dc, const RECT& area, POINT origin) const {
    const bool vertical = alignment_ != conSPA_Horizontal;
    const int extent = vertical ? client_.cx : client_.cy;
    const std::vector<COLORREF> table = ToneTable(extent);
    // What the strips leave at the far end (less than one strip) continues in white.
    RECT rest = area;
    if (vertical) rest.left = std::max<LONG>(area.left, static_cast<LONG>(table.size() * conStripWidth));
    else rest.top = std::max<LONG>(area.top, static_cast<LONG>(table.size() * conStripWidth));
    if (rest.left < rest.right && rest.top < rest.bottom) {
        OffsetRect(&rest, -origin.x, -origin.y);
        Fill(dc, rest, RGB(255, 255, 255));
    }
    for (size_t i = 0; i < table.size(); ++i) {
        const int from = static_cast<int>(i) * conStripWidth;
        RECT strip = vertical ? RECT{from, area.top, from + conStripWidth, area.bottom}
                              : RECT{area.left, from, area.right, from + conStripWidth};
        RECT visible;
        if (!IntersectRect(&visible, &strip, &area)) continue;
        OffsetRect(&visible, -origin.x, -origin.y);
        Fill(dc, visible, table[i]);
    }
}

void frmSplash::PaintWindow(HDC dc) const {
    RECT client{0, 0, client_.cx, client_.cy};
    PaintTone(dc, client, {0, 0});
    if (bitmap_) {
        if (HDC source = CreateCompatibleDC(dc)) {
            HGDIOBJ old = SelectObject(source, bitmap_);
            BitBlt(dc, conMargin, conMargin, picture_.cx, picture_.cy, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
    } else if (icon_) {
        DrawIconEx(dc, conMargin, conMargin, icon_, picture_.cx, picture_.cy, 0, nullptr, DI_NORMAL);
    }
    SetDCBrushColor(dc, conFrame);
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void frmSplash::PaintLabel(HWND label, HDC dc) const {
    RECT r;
    GetClientRect(label, &r);
    POINT origin{0, 0};
    MapWindowPoints(label, window_, &origin, 1);
    RECT area = r;
    OffsetRect(&area, origin.x, origin.y);
    PaintTone(dc, area, origin);

    wchar_t text[512];
    int length = GetWindowTextW(label, text, static_cast<int>(std::size(text)));
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(label, conLabelFont)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(GetWindowLongPtrW(label, conLabelColour)));
    DrawTextW(dc, text, length, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
}

void frmSplash::PaintBar(HWND bar, HDC dc) const {
    RECT r;
    GetClientRect(bar, &r);
    SetDCBrushColor(dc, conBarBorder);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    InflateRect(&r, -1, -1);
    Fill(dc, r, RGB(255, 255, 255));
    if (barMax_ <= 0) return;
    const long value = std::clamp(barValue_, 0L, barMax_);
    RECT filled = r;
    filled.right = r.left + static_cast<LONG>(static_cast<long long>(r.right - r.left) * value / barMax_);
    Fill(dc, filled, conBarFill);
}

LRESULT CALLBACK frmSplash::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        frmSplash* self = Of(hwnd);
        switch (msg) {
        case WM_NCCREATE:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            if (self) {
                PaintBuffered(hwnd, [&](HDC dc) { self->PaintWindow(dc); });
                return 0;
            }
            break;
        case WM_PRINTCLIENT:
            if (self) self->PaintWindow(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // a click on the splash leaves the focus where it is
        case WM_NCDESTROY:
            // Also when the owner ends first and takes the splash with it.
            if (self && self->window_ == hwnd) self->window_ = nullptr;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        }
    } catch (...) {
        // Nothing leaves a window procedure; a failed paint leaves the window as it was.
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT frmSplash::PaintedChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    void (frmSplash::*paint)(HWND, HDC) const) {
    try {
        switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            if (frmSplash* self = Of(GetParent(hwnd))) {
                PaintBuffered(hwnd, [&](HDC dc) { (self->*paint)(hwnd, dc); });
                return 0;
            }
            break;
        }
    } catch (...) {
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK frmSplash::LabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETTEXT) {  // a new text shows at once
        LRESULT result = DefWindowProcW(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    return PaintedChildProc(hwnd, msg, wParam, lParam, &frmSplash::PaintLabel);
}

LRESULT CALLBACK frmSplash::BarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PaintedChildProc(hwnd, msg, wParam, lParam, &frmSplash::PaintBar);
}

}  // namespace kv
