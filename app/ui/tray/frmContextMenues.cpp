// The menu pictures, loaded once from the program's resources.
#include "ui/tray/frmContextMenues.h"

#include "LastError.h"
#include "Owned.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "res/Pictures.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"frmContextMenues";

kv::OwnedImageList& Images() {
    static kv::OwnedImageList images;
    return images;
}

kv::OwnedImageList LoadImages() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    kv::OwnedImageList images(ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, ARRAYSIZE(conMenuImageList), 0));
    kv::RaiseLastErrorIf(!images);
    for (int id : conMenuImageList) {
        const kv::OwnedIcon icon(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR)));
        // A missing picture would shift every later index onto the wrong item.
        kv::RaiseLastErrorIf(!icon || ImageList_AddIcon(images.Get(), icon.Get()) < 0, ERROR_RESOURCE_NAME_NOT_FOUND);
    }
    return images;
}

}  // namespace

HIMAGELIST imgListMenues() {
    return Forwarded(conModule, L"imgListMenues", [] {
        kv::OwnedImageList& images = Images();
        if (!images) {
            images = LoadImages();
            AddQuitStep(UnloadContextMenues);
        }
        return images.Get();
    });
}

void UnloadContextMenues() { Images().Reset(); }

}  // namespace kvr
