// The menu pictures, loaded once from the program's resources.
#include "ui/tray/frmContextMenues.h"

#include "LastError.h"
#include "Owned.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "res/Pictures.h"
#include "ui/clsPopupMenu.h"

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

namespace {

// The items every list menu ends with: tick (or select) all, none, and the way out.
std::wstring ShowListMenu(HWND hwndOwner, long x, long y, bool blnShortcuts, bool blnRowSelected) {
    clsPopupMenu menu(hwndOwner, imgListMenues(), true, false);
    if (blnShortcuts) {
        menu.Add(L"", conMI_None, L"mnuDefine", L"&Definieren").Enabled(blnRowSelected);
        menu.Add(L"", conMI_None, L"mnuDelete", L"&Löschen...").Enabled(blnRowSelected);
        menu.Add(L"", conMI_None, L"mnuSep1", L"- ");
    }
    menu.Add(L"", conMI_SelectAll, L"mnuSelectAll", L"&Alles auswählen");
    menu.Add(L"", conMI_SelectNone, L"mnuUnSelectAll", L"&Keine Auswahl");
    menu.Add(L"", conMI_None, blnShortcuts ? L"mnuSep2" : L"mnuSep1", L"- ");
    menu.Add(L"", conMI_None, L"mnuCancel", L"&Menü abbrechen");
    std::wstring chosen = menu.Popup(x, y);
    return chosen == L"mnuCancel" ? L"" : chosen;
}

}  // namespace

std::wstring ShowViewMenu(HWND hwndOwner, long x, long y) {
    return Forwarded(L"basMenues", L"ShowViewMenu", [&] { return ShowListMenu(hwndOwner, x, y, false, false); });
}

std::wstring ShowViewMenuMenu(HWND hwndOwner, long x, long y) {
    return Forwarded(L"basMenues", L"ShowViewMenuMenu", [&] { return ShowListMenu(hwndOwner, x, y, false, false); });
}

std::wstring ShowShortcutMenu(HWND hwndOwner, long x, long y, bool blnRowSelected) {
    return Forwarded(L"basMenues", L"ShowShortcutMenu",
                     [&] { return ShowListMenu(hwndOwner, x, y, true, blnRowSelected); });
}

}  // namespace kvr
