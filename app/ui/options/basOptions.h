#pragma once
// What happens in the options dialog: opening, OK with its checks, closing, and the event
// procedures of its pages.
#include <windows.h>

#include <string>

namespace kvr {

// Opens the dialog on page 1-10, or on the page used last (0); an open dialog comes forward
// (on that page when one is asked for).
void OpenOptions(long lngPage = 0);
// OK: the checks in their order; at the first that fails its message, its page and its
// control focused, nothing stored. Else everything is written, the dialog closes and a shown
// main window is filled anew.
void AcceptOptions();
// On every close: the dialog's own state (page, rectangle, the link and remote fields), the
// hotkey list's columns, the taskbar button.
void UnloadOptions();
// "&Deaktiviert": the timed action stops at once (timer off, TimeActionType 0 stored).
void DisableTimedAction();
// The help topic of the page shown.
void OpenHelpOptions();
// Ctrl+Tab and Ctrl+Shift+Tab (the form's key-down): the next or previous page, round.
bool HandleOptionsKey(WORD wKey, bool blnShift, bool blnCtrl);
// "&Löschen...": with rows selected, asks, then clears their hotkeys (stored only by OK).
void DeleteShortcut();

}  // namespace kvr
