#pragma once
// "Dummy form to show in Taskbar": a top-level window kept off the screen that gives the
// options and version-check dialogs a taskbar button while they are open. The dialogs are
// owned by it (owned windows get no button of their own); a click on its button brings the
// open dialog forward, and closing it from the taskbar unloads the dialogs.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/tray/basMenues.h"

namespace kvr {

// Creates the window hidden, once (its unloading is then registered as a Quit step); the
// owner to give the dialogs.
HWND LoadTaskbarDummy();
// The loaded window, or nullptr.
HWND TaskbarDummy();
// Shows the taskbar button with that caption ("" = the program name); loads the window first.
void ShowTaskbarDummy(const std::wstring& strCaption = L"");
void HideTaskbarDummy();
// A dialog it owns is closing: the button goes unless another of its dialogs is still shown.
void ReleaseTaskbarDummy(HWND hwndClosing);
// A loaded dialog registers its unloading here (an empty function removes it again).
void SetTaskbarDummyUnload(enuFrontDialog dlg, std::function<void()> unload);
// Unloads the registered dialogs (options first, then version check), then the window.
void UnloadTaskbarDummy();

}  // namespace kvr
