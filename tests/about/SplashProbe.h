#pragma once
// Looking at a shown splash window: its labels and the colours on the screen.
#include <windows.h>

#include <string>

#include "frmSplash.h"

namespace kvtest {

inline HWND ShownSplash() {
    HWND splash = FindWindowW(kv::frmSplash::conClassName, nullptr);
    return splash && IsWindowVisible(splash) ? splash : nullptr;
}

inline std::wstring LabelText(HWND splash, int id) {
    wchar_t text[512] = L"";
    GetWindowTextW(GetDlgItem(splash, id), text, 512);
    return text;
}

inline bool LabelVisible(HWND splash, int id) { return IsWindowVisible(GetDlgItem(splash, id)) != FALSE; }

// The colour on the screen at a client position of the window.
inline COLORREF Pixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// A bitmap of one colour, to find again on the screen.
inline HBITMAP SolidBitmap(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    SetDCBrushColor(dc, colour);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// The left edge of a child window in its parent's client coordinates.
inline int ChildLeft(HWND parent, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(parent, id), &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r.left;
}

}  // namespace kvtest
