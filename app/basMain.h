#pragma once
// Start-up of the program: the entry routine, the command line and the tear-down.
#include <string>

namespace kvr {

// The whole start-up; True from Main, False when a refused Windows exit rebuilds the
// resident program.
void RunMain(bool blnFirstStart);

// Tears the program down before Windows is ended: tray icon, QuitFlag, hotkeys, windows.
void Quit();

}  // namespace kvr
