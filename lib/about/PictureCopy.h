#pragma once
// A picture a window shows: the caller's bitmap or icon copied, so the caller may free or
// replace its own meanwhile.
#include <windows.h>

#include "LastError.h"
#include "Owned.h"

namespace kv {

class PictureCopy {
public:
    void Set(HBITMAP hBitmap) {
        OwnedBitmap copy(hBitmap ? static_cast<HBITMAP>(CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0)) : nullptr);
        RaiseLastErrorIf(hBitmap && !copy);
        icon_.Reset();
        bitmap_ = std::move(copy);
    }
    void Set(HICON hIcon) {
        OwnedIcon copy(hIcon ? static_cast<HICON>(CopyImage(hIcon, IMAGE_ICON, 0, 0, 0)) : nullptr);
        RaiseLastErrorIf(hIcon && !copy);
        bitmap_.Reset();
        icon_ = std::move(copy);
    }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    HICON Icon() const { return icon_.Get(); }

private:
    OwnedBitmap bitmap_;
    OwnedIcon icon_;
};

}  // namespace kv
