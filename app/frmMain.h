#pragma once
// The main window "Windows beenden - Kelvo Restart" and its logic: the action list, the
// forced-exit tick, the close modes, the saved state, and in resident mode the owner of the
// tray icon's messages and of the program's timers.
#include <windows.h>

namespace kvr {

// Creates the main window hidden (caption, icon, rectangle from the settings); once.
HWND LoadMainWindow();
// The loaded main window, or nullptr.
HWND MainWindow();
// Destroys the main window (after its close logic allowed it).
void UnloadMainWindow();

// Fills the list and shows the window (brings the options dialog forward instead when open).
void OpenMain();
// The close logic with the close mode (0 user, 2 Windows ends the session, ...). True: cancel.
bool UnloadMain(long lngCloseMode);
void AcceptMain();
void SaveMain();
void ShutdownOptionChanged();

}  // namespace kvr
