#include "clsVideoInfo.h"

#include <windows.h>

#include "Owned.h"

namespace kv {

std::wstring clsVideoInfo::ColorDepthText(long bitsPerPixel) {
    switch (bitsPerPixel) {
        case 4: return L"16 Farben";
        case 8: return L"256 Farben";
        case 16: return L"High Color";
        case 24:
        case 32: return L"True Color";
        default: return L"Unbekannt";
    }
}

void clsVideoInfo::GetVideoInfos() {
    {
        WindowDC screen(nullptr);
        if (!screen) return;
        screenSizeX_ = GetDeviceCaps(screen.Get(), HORZRES);
        screenSizeY_ = GetDeviceCaps(screen.Get(), VERTRES);
        colorDeepth_ = GetDeviceCaps(screen.Get(), BITSPIXEL);
    }

    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return;
    desktopLeft_ = work.left;
    desktopTop_ = work.top;
    desktopWidth_ = work.right - work.left;
    desktopHeight_ = work.bottom - work.top;
}

}  // namespace kv
