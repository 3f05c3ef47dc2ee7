#pragma once
// Holder of the menu pictures: the image list imgListMenues in the order of
// conMenuImageList (res/Pictures.h), shared by every popup menu of the program.
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace kvr {

// The image list, built from the program's icon resources on first use (its release is
// then registered as a Quit step). Raises the resource error when a picture is missing.
HIMAGELIST imgListMenues();
// Releases the image list (the next use builds it again).
void UnloadContextMenues();

}  // namespace kvr

namespace kvr {

// The context menus of the options dialog's lists, shown at a screen position for the owner;
// each answers the name of the chosen item ("" for none): "mnuSelectAll", "mnuUnSelectAll",
// and for the hotkey list also "mnuDefine" and "mnuDelete" (offered with a row selected).
std::wstring ShowViewMenu(HWND hwndOwner, long x, long y);
std::wstring ShowViewMenuMenu(HWND hwndOwner, long x, long y);
std::wstring ShowShortcutMenu(HWND hwndOwner, long x, long y, bool blnRowSelected);

}  // namespace kvr
