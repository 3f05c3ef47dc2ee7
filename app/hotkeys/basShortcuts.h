#pragma once
// The hotkeys in memory, read from and written to the setting "Shortcuts", and what a key
// release does: perform the actions bound to it, or, while the options page waits for a
// combination, assign it to the selected row of the hotkey list.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "hotkeys/clsShortcutData.h"

namespace kvr {

// (Re)builds the list from "Shortcuts": items "action;code" joined by "||". Empty items, items
// without action or code, codes that are not six digits and later items of the same action
// (ignoring case) are left out.
void ReadShortcuts();
// Drops the list (program exit): key releases do nothing afterwards.
void DiscardShortcuts();
// The records in list order (empty before the first ReadShortcuts).
std::vector<clsShortcutData> Shortcuts();
// The display text of the action's hotkey, "" when it has none.
std::wstring GetShortcut(const std::wstring& strAction);
// Stores the rows of the hotkey list, (action, display text of the hotkey) with an empty text
// for none, then reloads. Records of actions the list does not show are kept.
void WriteShortcuts(const std::vector<std::pair<std::wstring, std::wstring>>& rows);
// The same from the options page's list view (column 1 action, column 2 hotkey text).
void WriteShortcuts(HWND lstShortcuts);

// A key release, with the shift state at that moment. Errors are shown, never raised: the
// manager stays active for the next key.
void HandleKeys(long lngKeyCode, long lngShift);
// A key press: in definition mode only releases of keys pressed after its start count.
void NoteKeyDown(long lngKeyCode);

// ---- Definition mode (the options page's hotkey list) ----

// With a row selected: makes it the only selected one and visible, switches the mode on and
// puts the focus on the define button. The options dialog leaves Escape to the capture while
// the mode is on.
void StartShortcutDefinition(HWND lstShortcuts, HWND cmdShortcutDefine);
// Switches the mode off and puts the focus on the list (also when the button loses the focus).
void CancelShortcutDefinition();
bool ShortcutDefinitionActive();

}  // namespace kvr
