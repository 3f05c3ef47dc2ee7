#pragma once
// Holder of the menu pictures: the image list imgListMenues in the order of
// conMenuImageList (res/Pictures.h), shared by every popup menu of the program.
#include <windows.h>
#include <commctrl.h>

namespace kvr {

// The image list, built from the program's icon resources on first use (its release is
// then registered as a Quit step). Raises the resource error when a picture is missing.
HIMAGELIST imgListMenues();
// Releases the image list (the next use builds it again).
void UnloadContextMenues();

}  // namespace kvr
