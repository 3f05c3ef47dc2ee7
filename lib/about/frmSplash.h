#pragma once
// The splash window: a borderless, centred window with a colour tone from light green to
// white, the picture on the left, one label per text line and a progress bar at the bottom.
// The labels are child windows (class "KVSplashLabel", texts readable with GetWindowText)
// that paint the tone behind their text themselves; the bar is "KVSplashBar".
#include <windows.h>

#include <string>
#include <vector>

namespace kv {

enum enuSplashAlignment : long { conSPA_Vertical = 0, conSPA_Horizontal = 1 };

// What the window shows; clsSplash fills it from its properties and the records.
struct SplashContent {
    HBITMAP Bitmap = nullptr;  // the picture: a bitmap or an icon (not owned), or none
    HICON Icon = nullptr;
    std::wstring Program, Version, Copyright, Company, Address, Website, EmailAddress, Freeware;
    bool ShowAddress = true;
    bool ShowFreeware = false;
    long BarMax = 0;
    long BarValue = 0;
    long Alignment = conSPA_Vertical;
};

class frmSplash {
public:
    // Child window identifiers of the labels and the bar, in their top-down order.
    enum : int {
        conLblProgram = 101,
        conLblVersion,
        conLblCopyright,
        conLblCompany,
        conLblAddress,
        conLblWebsite,
        conLblEmail,
        conLblFreeware,
        conShpProgress = 120,
    };
    static constexpr const wchar_t* conClassName = L"KVSplashWindow";
    // The tone runs from this colour to white, in strips of this many pixels.
    static constexpr COLORREF conToneStart = RGB(130, 255, 130);
    static constexpr int conStripWidth = 3;
    // The filled part of the progress bar.
    static constexpr COLORREF conBarFill = RGB(40, 150, 40);

    frmSplash() = default;
    ~frmSplash();
    frmSplash(const frmSplash&) = delete;
    frmSplash& operator=(const frmSplash&) = delete;

    // Creates and shows the window without activating it and paints it at once.
    void Load(const SplashContent& content, HWND owner, bool topmost);
    void Unload();
    bool IsLoaded() const { return window_ != nullptr; }
    HWND Handle() const { return window_; }

    // While loaded: the bar (shown when max > 0) repainted at once; the tone direction.
    void SetBar(long max, long value);
    void SetAlignment(long alignment);

    // The strip colours for a window extent: extent / 3 entries from the start colour to white.
    static std::vector<COLORREF> ToneTable(int extent);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK LabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The labels and the bar: drawn by the splash itself, double-buffered, no background erase.
    static LRESULT PaintedChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    void (frmSplash::*paint)(HWND, HDC) const);
    static void RegisterClasses();
    static void UnregisterClasses();
    static frmSplash* Of(HWND window);

    void CreateFonts();
    void CreateChildren(const SplashContent& content, int width, int& bottom);
    // Paints the tone for the client rectangle `area` of the window into dc, whose origin is
    // at `origin` in window client coordinates.
    void PaintTone(HDC dc, const RECT& area, POINT origin) const;
    void PaintWindow(HDC dc) const;
    void PaintLabel(HWND label, HDC dc) const;
    void PaintBar(HWND bar, HDC dc) const;

    HWND window_ = nullptr;
    HFONT titleFont_ = nullptr;
    HFONT textFont_ = nullptr;
    HFONT smallFont_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HICON icon_ = nullptr;
    SIZE picture_{0, 0};
    long alignment_ = conSPA_Vertical;
    long barMax_ = 0;
    long barValue_ = 0;
    SIZE client_{0, 0};
};

}  // namespace kv
