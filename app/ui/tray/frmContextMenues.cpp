// The menu pictures, loaded once from the program's resources.
#include "ui/tray/frmContextMenues.h"

#include "program/basGlobals.h"
#include "program/basMain.h"
#include "res/Pictures.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"frmContextMenues";

HIMAGELIST& Images() {
    static HIMAGELIST images = nullptr;
    return images;
}

HIMAGELIST LoadImages() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    HIMAGELIST images = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, ARRAYSIZE(conMenuImageList), 0);
    if (!images) Helper().CreateAPIError(static_cast<long>(GetLastError()), true);
    for (int id : conMenuImageList) {
        HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
        // A missing picture would shift every later index onto the wrong item.
        int added = icon ? ImageList_AddIcon(images, icon) : -1;
        DWORD error = GetLastError();
        if (icon) DestroyIcon(icon);
        if (added < 0) {
            ImageList_Destroy(images);
            Helper().CreateAPIError(static_cast<long>(error ? error : ERROR_RESOURCE_NAME_NOT_FOUND), true);
        }
    }
    return images;
}

}  // namespace

HIMAGELIST imgListMenues() {
    return Forwarded(conModule, L"imgListMenues", [] {
        HIMAGELIST& images = Images();
        if (!images) {
            images = LoadImages();
            AddQuitStep(UnloadContextMenues);
        }
        return images;
    });
}

void UnloadContextMenues() {
    HIMAGELIST& images = Images();
    if (images) ImageList_Destroy(images);
    images = nullptr;
}

}  // namespace kvr
