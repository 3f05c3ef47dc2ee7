#pragma once
// The screen: resolution, colour depth and the work area (the desktop without the task bar).
// Filled once by clsSystemInfo.
#include <string>

namespace kv {

class clsVideoInfo {
public:
    long ScreenSizeX() const { return screenSizeX_; }
    long ScreenSizeY() const { return screenSizeY_; }
    long ColorDeepth() const { return colorDeepth_; }
    std::wstring ColorDeepthText() const { return ColorDepthText(colorDeepth_); }
    long AvailableDesktopTop() const { return desktopTop_; }
    long AvailableDesktopLeft() const { return desktopLeft_; }
    long AvailableDesktopWidth() const { return desktopWidth_; }
    long AvailableDesktopHeigth() const { return desktopHeight_; }

    // The display text of a colour depth in bits per pixel.
    static std::wstring ColorDepthText(long bitsPerPixel);

private:
    friend class clsSystemInfo;
    // Stops at the first failed call; what was read before stays.
    void GetVideoInfos();

    long screenSizeX_ = 0;
    long screenSizeY_ = 0;
    long colorDeepth_ = 0;
    long desktopTop_ = 0;
    long desktopLeft_ = 0;
    long desktopWidth_ = 0;
    long desktopHeight_ = 0;
};

}  // namespace kv
