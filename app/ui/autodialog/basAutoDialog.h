#pragma once
// The shutdown-time dialog: which system the next start boots.
#include <windows.h>

namespace kvr {

// The dialog's question. While the dialog holds up the end of the session, the main window
// gives Windows this text as the reason (ShutdownBlockReasonCreate where Windows has it), so
// the user sees the question rather than a program that does not answer.
inline constexpr const wchar_t* conAutoDialogQuestion =
    L"Welches System soll nach dem nächsten Neustart gebootet werden?";

// Shows the dialog modally; True when the user cancelled (the session end must be refused).
// An error before the dialog could be shown is reported and lets the session end go on.
bool OpenAutoDialog();

// The dialog while it is shown (nullptr otherwise): a window in front of the program.
HWND AutoDialogWindow();

// The dialog's event logic (the window calls these).
// timAutoClose, every 100 ms: the bar moves on; when the time is up the dialog accepts.
void AutoClose();
// A click on the dialog or into the list, or a key: the automatic close stops.
void StopAutoClose();
// "Windows beenden", a double click in the list or the time ran out: the chosen system
// becomes the boot default and the dialog closes.
void AcceptAutoDialog();
// The dialog is closing, in any way: the selected entry is remembered.
void UnloadAutoDialog();

}  // namespace kvr
