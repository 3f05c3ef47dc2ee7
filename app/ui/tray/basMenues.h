#pragma once
// The tray icon and the program's menus.
#include <windows.h>

#include <string>
#include <vector>

namespace kvr {

// Private message the tray icon sends to the main window (lParam = the mouse message). Tray
// events do not arrive as WM_MOUSEMOVE, so moving the mouse over the visible main window
// never opens the menu.
inline constexpr UINT WM_KV_TRAY = WM_APP + 1;

// ---- Tray icon ----

// Adds the tray icon for the main window (its icon, the tip set last, at first "Kelvo
// Restart"); registers its
// removal as a Quit step. A refused icon is ignored: the program runs on without one.
void AddTrayIcon(HWND hwndMain);
void DeleteTrayIcon();
// The "TaskbarCreated" message: the taskbar was re-created, the icon must be added again.
UINT TaskbarCreatedMessage();
// Adds the icon again after the taskbar was re-created (nothing when it was deleted).
void RestoreTrayIcon();
// The window that owns the tray icon and its menus (nullptr before AddTrayIcon).
HWND TrayWindow();
// Whether the notification area took the icon at the last add.
bool TrayIconAdded();
// The icon's tip: strTip, "" for the program name. A tip longer than the notification
// area takes ends in "...". Kept for a re-added icon.
inline constexpr size_t conTrayTipLength = 63;  // the 64 characters of the first record form
void SetTrayTip(const std::wstring& strTip);
std::wstring TrayTip();
// The tip of an armed timed action: the action, shortened so the time always shows, then the
// time ("in 00:05:00", "am ... um ..."); the program's name when strAction is "".
void SetArmedTrayTip(const std::wstring& strAction, const std::wstring& strWhen);
// A balloon at the tray icon (a warning), where the notification area shows them; false when
// there is no icon or the shell refused it.
bool ShowTrayBalloon(const std::wstring& strTitle, const std::wstring& strText);

// A tray mouse message (WM_LBUTTONUP, WM_RBUTTONDBLCLK, ...). A click (either button)
// opens the menu once the double-click time has passed without a second click (a one-shot
// timer of the tray window, id 4); a double click performs the default action instead.
void HandleTrayMenu(UINT uMouseMessage);
// The default action of a double click: "Windows beenden..." when no menu entries and no
// default are set, else StandardMenuOption (which may be empty: no default action).
std::wstring GetStandardMenu();
// The force flag of actions from the tray: QuitImmediate, while the switch is offered.
bool TrayForceFlag();

// ---- Dialogs that come forward instead of the menu ----

enum enuFrontDialog : long {
    conFD_Options = 0,       // frmOptions
    conFD_VersionCheck = 1,  // frmVersionCheck
};
// A dialog announces its window while it is loaded (nullptr when it unloads).
void SetFrontDialog(enuFrontDialog dlg, HWND hwndDialog);
// Brings the options dialog, else the version-check dialog forward when it is loaded and
// visible: True then.
bool BringInFront();

// ---- The tray menu ----

// One item of a menu as clsPopupMenu takes it; a caption starting with "-" is a separator.
struct MenuEntry {
    std::wstring Parent;      // the parent item's name, "" for the top level
    long Icon = -1;           // index into imgListMenues, -1 for none
    std::wstring Name;
    std::wstring Caption;
    bool Enabled = true;
    bool Checked = false;
    std::wstring ActionText;  // the action an action item performs
};

struct MenuLayout {
    std::vector<MenuEntry> Items;
    std::wstring DefaultItem;  // the name of the default item, "" for none
};

// The tray menu for the current settings, in the order it is shown.
MenuLayout BuildMainMenu();
// Performs what the item of that name stands for ("" = nothing chosen).
void ExecuteMainMenuItem(const MenuLayout& menu, const std::wstring& strName);
// Builds the tray menu, shows it at the mouse position and performs the chosen item.
void ShowMainMenu();

// Inverts QuitImmediate and stores it at once.
void SetQuitImmediate();

// The product web address + "/" + page.
std::wstring WebsiteAddress(const std::wstring& strPage);
// Opens that address in the browser.
void OpenWebsite(const std::wstring& strPage);

}  // namespace kvr
