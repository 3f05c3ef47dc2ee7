#pragma once
// The splash window: a borderless, centred window with a colour tone from light green to
// white, the picture on the left, one label per text line and a progress bar at the bottom.
// The labels are child windows (class "KVSplashLabel", texts readable with GetWindowText)
// that paint the tone behind their text themselves; the bar is "KVSplashBar".
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Owned.h"
#include "WindowBase.h"

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

class frmSplash : private WindowBase {
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

    frmSplash();
    ~frmSplash() override;

    // Creates and shows the window without activating it and paints it at once.
    void Load(const SplashContent& content, HWND owner, bool topmost);
    void Unload();
    bool IsLoaded() const { return Handle() != nullptr; }
    using WindowBase::Handle;

    // While loaded: the bar (shown when max > 0) repainted at once; the tone direction.
    void SetBar(long max, long value);
    void SetAlignment(long alignment);

    // The strip colours for a window extent: extent / 3 entries from the start colour to white.
    static std::vector<COLORREF> ToneTable(int extent);

private:
    // A label or the bar: a child window the splash paints itself.
    class Part;

    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A failed paint leaves the window as it was: a message box from inside painting would
    // come back with every repaint.
    void OnError(const wchar_t*, const KVError&) override {}

    static void RegisterClasses();
    static void UnregisterClasses();

    void CreateFonts();
    void CreateChildren(const SplashContent& content, int width, int& bottom);
    // Paints the tone for the client rectangle `area` of the window into dc, whose origin is
    // at `origin` in window client coordinates.
    void PaintTone(HDC dc, const RECT& area, POINT origin) const;
    void PaintWindow(HDC dc) const;
    void PaintLabel(const Part& label, HDC dc) const;
    void PaintBar(const Part& bar, HDC dc) const;

    OwnedFont titleFont_;
    OwnedFont textFont_;
    OwnedFont smallFont_;
    OwnedBitmap bitmap_;
    OwnedIcon icon_;
    std::vector<std::unique_ptr<Part>> parts_;
    SIZE picture_{0, 0};
    long alignment_ = conSPA_Vertical;
    long barMax_ = 0;
    long barValue_ = 0;
    SIZE client_{0, 0};
};

}  // namespace kv
