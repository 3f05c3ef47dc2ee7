#pragma once
// The main window "Windows beenden - Kelvo Restart" and its logic: the action list, the
// forced-exit tick, the close modes, the saved state, and in resident mode the owner of the
// tray icon's messages and of the program's timers.
#include <windows.h>

#include <string>
#include <vector>

#include "program/basMain.h"

namespace kvr {

// Creates the main window hidden (caption, icon, rectangle from the settings); once. Its
// unloading (tray icon first, then the window through its close logic) is registered as a
// Quit step. Without blnControls (the resident start) the list, buttons and pictures wait
// until the window is first needed: until then the program holds neither the common controls
// nor OLE. A later call with blnControls makes them.
HWND LoadMainWindow(bool blnControls = true);
// The loaded main window, or nullptr.
HWND MainWindow();
// Destroys the main window (after its close logic allowed it).
void UnloadMainWindow();
// Applies the stored rectangle (MainWindowRect, twips) to the loaded main window.
void PlaceMainWindow();

// Fills the list and shows the window (brings the options dialog forward instead when open).
// False (after showing the error) when the window could not be shown.
bool OpenMain();
// The close logic with the close mode (0 user, 1 code, 2 Windows ends the session, ...).
// True: cancel.
bool UnloadMain(long lngCloseMode);
void AcceptMain();
void SaveMain();
void ShutdownOptionChanged();
// True while UnloadMain runs (the Quit it calls then only destroys the window).
bool MainUnloading();
// With an entry selected, "Windows beenden" is enabled exactly when its text is not empty.
void SetListState();

// Close modes of UnloadMain, as the window reports them.
enum enuCloseMode : long {
    conCM_User = 0,        // the close box, "Abbrechen", AcceptMain
    conCM_Code = 1,        // unloaded by the program (Quit)
    conCM_Windows = 2,     // Windows ends the session
};

// ---- The controls (child window ids) ----

inline constexpr int conMainLabel1 = 1001;
inline constexpr int conMainList = 1002;             // lstQuitOptions
inline constexpr int conMainQuitWithoutSave = 1003;  // chkQuitWithoutSave
inline constexpr int conMainQuitWindows = IDOK;      // cmdQuitWindows, the default button
inline constexpr int conMainCancel = IDCANCEL;       // cmdCancel, also Esc
inline constexpr int conMainHelp = 1004;             // cmdHelp
inline constexpr int conMainImage1 = 1005;
inline constexpr int conMainResize = 1006;           // imgResize

inline constexpr const wchar_t* conMainCaptionPrefix = L"Windows beenden - ";
inline constexpr const wchar_t* conMainHelpTopic = L"Herunterfahrendialog.htm";

// ---- The timers of the main window ----

inline constexpr UINT_PTR conSplashTimerId = 1;  // timSplash, closes the splash screen
inline constexpr UINT conSplashInterval = 3000;
// timTimedAction is basTimedAction's conTimedActionTimerId (2).
// timRemoteShutdown is basRemoteShutdown's conRemoteShutdownTimer (3), switched by the remote
// shutdown, which brings its tick.
// Id 4 is the tray icon's wait for a second click (basMenues); it brings its own procedure.

// Switches timSplash on or off (nothing without a main window).
void SetSplashTimer(bool blnOn);

// ---- Layout (twips) ----

// The sizes of the controls that the layout places but does not size.
struct MainControlSizes {
    long HelpWidth = 375;
    long CancelWidth = 1215;
    long QuitWindowsWidth = 1575;
    long CheckHeight = 255;
};

struct MainLayout {
    long ButtonsTop;
    long HelpLeft, CancelLeft, QuitWindowsLeft;
    long ResizeTop, ResizeLeft;
    long CheckTop;
    long ListWidth, ListHeight;
    long ColumnWidth;
};

// Where the controls go for the inner width and height W and H of the window.
MainLayout ComputeMainLayout(long W, long H, const MainControlSizes& sizes = {});


// ---- The list entries ----

struct MainListEntry {
    std::wstring Text;  // "" for a separator
    long Icon = 0;      // list icon, 1-based; 0 for none
    bool Selected = false;
};

// The entries OpenMain shows for the offered actions: those whose text occurs in
// strVisibleOptions (ignoring case) left out, no separator before the first entry, each with
// the icon of its action, the one equal to strLastSelected (ignoring case) selected.
std::vector<MainListEntry> BuildMainListEntries(const std::vector<std::wstring>& options,
                                                const std::wstring& strVisibleOptions,
                                                const std::wstring& strLastSelected);

// ---- The window's controls, as the logic and the tests reach them ----

// Replaces the list's column ("Option") and entries; no selection event while it fills.
void SetMainListEntries(const std::vector<MainListEntry>& entries);
int MainListCount();
std::wstring MainListText(int iItem);
long MainListIcon(int iItem);
// The selected entry, -1 when none is.
int MainListSelected();
// The text of the selected entry, "" when none is.
std::wstring MainSelectedText();
// Selects an entry (-1: none) as a click in the list would.
void SelectMainListItem(int iItem);

bool MainControlEnabled(int id);
void EnableMainControl(int id, bool blnEnabled);
bool MainQuitWithoutSaveTicked();
void TickMainQuitWithoutSave(bool blnTicked);

// Sizing border, shown, in front, the list focused.
void ShowMainWindow();
void HideMainWindow();
// Whether OpenMain has filled the window since it was loaded (only then it has a state
// of the user's to save).
bool MainWindowOpened();

// The outer rectangle of the window in twips (its normal position while minimized).
TwipsRect MainWindowTwips();

}  // namespace kvr
