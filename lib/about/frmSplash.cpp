#include "frmSplash.h"

#include <algorithm>

#include "AboutMain.h"
#include "LastError.h"

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

constexpr COLORREF conFrame = RGB(60, 150, 60);
constexpr COLORREF conTitleText = RGB(20, 70, 20);
constexpr COLORREF conText = RGB(30, 30, 30);
constexpr COLORREF conLinkText = RGB(0, 40, 150);
constexpr COLORREF conBarBorder = RGB(40, 110, 40);

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Paints through an off-screen bitmap, so the tone and the text never flicker.
template <class Painter>
void PaintBuffered(HWND hwnd, Painter&& paint) {
    PaintDC painting(hwnd);
    if (!painting) return;
    RECT client;
    GetClientRect(hwnd, &client);
    OwnedMemoryDC memory(CreateCompatibleDC(painting.Get()));
    OwnedBitmap buffer(memory ? CreateCompatibleBitmap(painting.Get(), client.right, client.bottom) : nullptr);
    if (!buffer) {
        paint(painting.Get());
        return;
    }
    SelectedObject selected(memory.Get(), buffer.Get());
    paint(memory.Get());
    BitBlt(painting.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

SIZE PictureSize(HBITMAP bitmap, HICON icon) {
    SIZE size{0, 0};
    BITMAP info{};
    if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) return {info.bmWidth, info.bmHeight};
    ICONINFO ii{};
    if (icon && GetIconInfo(icon, &ii)) {
        // GetIconInfo hands out copies of the icon's bitmaps.
        OwnedBitmap colour(ii.hbmColor), mask(ii.hbmMask);
        if (colour && GetObjectW(colour.Get(), sizeof(info), &info)) {
            size = {info.bmWidth, info.bmHeight};
        } else if (mask && GetObjectW(mask.Get(), sizeof(info), &info)) {
            size = {info.bmWidth, info.bmHeight / 2};  // a monochrome icon: mask over image
        }
    }
    return size;
}

}  // namespace

// A label (its font and text colour) or the bar; the splash paints it, tone behind.
class frmSplash::Part : public kv::WindowBase {
public:
    using Painter = void (frmSplash::*)(const Part&, HDC) const;

    Part(const frmSplash& splash, Painter paint, HFONT font = nullptr, COLORREF colour = 0)
        : WindowBase(conAboutProject, L"frmSplash"), splash_(splash), paint_(paint), font_(font), colour_(colour) {}

    HFONT Font() const { return font_; }
    COLORREF Colour() const { return colour_; }

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        switch (msg) {
            case WM_ERASEBKGND:
                result = 1;
                return true;
            case WM_PAINT:
                PaintBuffered(Handle(), [&](HDC dc) { (splash_.*paint_)(*this, dc); });
                return true;
            case WM_SETTEXT:  // a new text shows at once
                result = DefWindowProcW(Handle(), msg, wParam, lParam);
                InvalidateRect(Handle(), nullptr, FALSE);
                return true;
            default:
                return false;
        }
    }
    void OnError(const wchar_t*, const KVError&) override {}  // as the splash's own

    const frmSplash& splash_;
    Painter paint_;
    HFONT font_;  // the splash's
    COLORREF colour_;
};

frmSplash::frmSplash() : WindowBase(conAboutProject, L"frmSplash") {}

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
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    for (const wchar_t* name : {conClassName, conLabelClass, conBarClass}) {
        wc.lpszClassName = name;
        wc.style = name == conClassName ? CS_DROPSHADOW : 0;
        RegisterWindowClass(wc);
    }
}

void frmSplash::UnregisterClasses() {
    // Fails harmlessly while another splash still has windows of these classes.
    for (const wchar_t* name : {conBarClass, conLabelClass, conClassName}) UnregisterClassW(name, CodeModule());
}

void frmSplash::CreateFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    RaiseLastErrorIf(!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    LOGFONTW font = metrics.lfMessageFont;
    font.lfQuality = CLEARTYPE_QUALITY;
    auto make = [&](int height, int weight) {
        font.lfHeight = -height;
        font.lfWeight = weight;
        OwnedFont made(CreateFontIndirectW(&font));
        RaiseLastErrorIf(!made);
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
        bitmap_.Reset(static_cast<HBITMAP>(CopyImage(content.Bitmap, IMAGE_BITMAP, 0, 0, 0)));
        RaiseLastErrorIf(!bitmap_);
    } else if (content.Icon) {
        icon_.Reset(static_cast<HICON>(CopyImage(content.Icon, IMAGE_ICON, 0, 0, 0)));
        RaiseLastErrorIf(!icon_);
    }
    picture_ = PictureSize(bitmap_.Get(), icon_.Get());
    alignment_ = content.Alignment;
    barMax_ = content.BarMax;
    barValue_ = content.BarValue;

    const int textX = picture_.cx > 0 ? 2 * conMargin + picture_.cx : conMargin;
    const int width = std::max(conMinWidth, textX + conTextColumn + conMargin);
    Create(WS_EX_TOOLWINDOW | (topmost ? WS_EX_TOPMOST : 0), conClassName, content.Program,
           WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, conMinHeight, owner);

    int bottom = conMargin;
    CreateChildren(content, width, bottom);
    bottom = std::max(bottom, conMargin + static_cast<int>(picture_.cy));
    const int height = std::max(conMinHeight, bottom + 12 + conBarHeight + conMargin);
    MoveWindow(Item(conShpProgress), conMargin, height - conMargin - conBarHeight, width - 2 * conMargin,
               conBarHeight, FALSE);
    client_ = {width, height};

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;
    RaiseLastErrorIf(!SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_TOP, x, y, width, height,
                                   SWP_NOACTIVATE | SWP_SHOWWINDOW));
    // Painted, labels included, before the caller goes back to its own work.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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
        {conLblProgram, content.Program, titleFont_.Get(), conTitleText, 30, 0, true},
        {conLblVersion, content.Version, textFont_.Get(), conText, 18, 0, true},
        {conLblCopyright, content.Copyright, textFont_.Get(), conText, 18, 0, true},
        {conLblCompany, content.Company, textFont_.Get(), conText, 18, 10, true},
        {conLblAddress, content.Address, smallFont_.Get(), conText, 16, 0, content.ShowAddress},
        {conLblWebsite, content.Website, smallFont_.Get(), conLinkText, 16, 0, true},
        {conLblEmail, content.EmailAddress, smallFont_.Get(), conLinkText, 16, 0, true},
        {conLblFreeware, content.Freeware, smallFont_.Get(), conText, 16, 8, content.ShowFreeware},
    };
    auto add = [&](std::unique_ptr<Part> part, const wchar_t* className, const std::wstring& text, DWORD style,
                   int x, int y, int cx, int cy, int id) {
        parts_.push_back(std::move(part));
        parts_.back()->Create(0, className, text, WS_CHILD | style, x, y, cx, cy, Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    };
    const int x = picture_.cx > 0 ? 2 * conMargin + picture_.cx : conMargin;
    int y = conMargin;
    for (const Line& line : lines) {
        // Hidden lines exist too (empty space would show where the address is suppressed,
        // so the visible lines close up instead).
        if (line.visible) y += line.gapBefore;
        add(std::make_unique<Part>(*this, &frmSplash::PaintLabel, line.font, line.colour), conLabelClass, line.text,
            line.visible ? WS_VISIBLE : 0, x, y, width - x - conMargin, line.height, line.id);
        if (line.visible) y += line.height;
    }
    bottom = y;
    add(std::make_unique<Part>(*this, &frmSplash::PaintBar), conBarClass, L"", barMax_ > 0 ? WS_VISIBLE : 0, 0, 0,
        0, 0, conShpProgress);
}

void frmSplash::Unload() {
    // Also when the owner ended first and took the window with it.
    if (Handle()) Destroy();
    parts_.clear();
    UnregisterClasses();
    titleFont_.Reset();
    textFont_.Reset();
    smallFont_.Reset();
    bitmap_.Reset();
    icon_.Reset();
    picture_ = {0, 0};
}

void frmSplash::SetBar(long max, long value) {
    barMax_ = max;
    barValue_ = value;
    if (!Handle()) return;
    HWND bar = Item(conShpProgress);
    ShowWindow(bar, max > 0 ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(bar, nullptr, FALSE);
    UpdateWindow(bar);
}

void frmSplash::SetAlignment(long alignment) {
    alignment_ = alignment;
    if (!Handle()) return;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
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
        OwnedMemoryDC source(CreateCompatibleDC(dc));
        if (source) {
            SelectedObject selected(source.Get(), bitmap_.Get());
            BitBlt(dc, conMargin, conMargin, picture_.cx, picture_.cy, source.Get(), 0, 0, SRCCOPY);
        }
    } else if (icon_) {
        DrawIconEx(dc, conMargin, conMargin, icon_.Get(), picture_.cx, picture_.cy, 0, nullptr, DI_NORMAL);
    }
    SetDCBrushColor(dc, conFrame);
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void frmSplash::PaintLabel(const Part& label, HDC dc) const {
    RECT r;
    GetClientRect(label.Handle(), &r);
    POINT origin{0, 0};
    MapWindowPoints(label.Handle(), Handle(), &origin, 1);
    RECT area = r;
    OffsetRect(&area, origin.x, origin.y);
    PaintTone(dc, area, origin);

    wchar_t text[512];
    int length = GetWindowTextW(label.Handle(), text, static_cast<int>(std::size(text)));
    SelectedObject font(dc, label.Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.Colour());
    DrawTextW(dc, text, length, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void frmSplash::PaintBar(const Part& bar, HDC dc) const {
    RECT r;
    GetClientRect(bar.Handle(), &r);
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

bool frmSplash::HandleMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT:
            PaintBuffered(Handle(), [&](HDC dc) { PaintWindow(dc); });
            return true;
        case WM_PRINTCLIENT:
            PaintWindow(reinterpret_cast<HDC>(wParam));
            return true;
        case WM_MOUSEACTIVATE:
            result = MA_NOACTIVATE;  // a click on the splash leaves the focus where it is
            return true;
        default:
            return false;
    }
}

}  // namespace kv
