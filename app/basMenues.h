#pragma once
// The tray icon and the program's menus.
#include <windows.h>

#include <string>

namespace kvr {

// Private message the tray icon sends to the main window (lParam = the mouse message).
inline constexpr UINT WM_KV_TRAY = WM_APP + 1;

// Adds the tray icon for the main window; registers its removal as a Quit step.
void AddTrayIcon(HWND hwndMain);
void DeleteTrayIcon();
// The "TaskbarCreated" message: the taskbar was re-created, the icon must be added again.
UINT TaskbarCreatedMessage();
void RestoreTrayIcon();

// A tray mouse message (WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, ...).
void HandleTrayMenu(UINT uMouseMessage);
std::wstring GetStandardMenu();
bool BringInFront();
void ShowMainMenu();
void SetQuitImmediate();
void OpenWebsite(const std::wstring& strPage);

}  // namespace kvr
