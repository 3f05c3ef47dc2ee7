#pragma once
// Shutting down or restarting other computers of the network: the requests to each computer,
// the countdown of their delay on the main window's timer timRemoteShutdown, the stop, the
// status text and the reports. The options page "Fernsteuerung" brings the values and shows
// the state; it never sees a session call.
#include <windows.h>

#include <string>
#include <vector>

namespace kvr {

// What the page holds when "Herunter&fahren..." is pressed.
struct RemoteShutdownRequest {
    std::wstring Computers;   // txtRemoteComputer: names separated by ";" (a leading "\\" is allowed)
    long Action = 0;          // optRemoteAction: 0 shut down, 1 restart (the reboot flag)
    long Hours = 0;           // dpRemoteAction, read from the picker's fields, never its text
    long Minutes = 0;
    long Seconds = 0;
    std::wstring Message;     // txtRemoteMessage, shown on the remote computers
    bool QuitImmediate = false;   // chkRemoteQuitImmediate: programs are closed without asking
    bool ShowSuccessMsg = false;  // chkRemoteMessage: report when the delay has run out
};

// What the options page lends the remote shutdown while it is loaded (it registers itself
// with SetRemoteShutdownView when loaded and nullptr when it unloads). Without a page the
// countdown runs on and reports all the same.
class IRemoteShutdownView {
public:
    virtual ~IRemoteShutdownView() = default;
    // txtRemoteStatus shows the text (every change, every tick of a running countdown).
    virtual void ShowRemoteStatus(const std::wstring& strText) = 0;
    // The countdown started or ended: while it runs "Sto&ppen" is the enabled button, else
    // "Herunter&fahren...".
    virtual void RemoteShutdownChanged(bool blnRunning) = 0;
};
void SetRemoteShutdownView(IRemoteShutdownView* view);

// ---- The three procedures ----

// "Herunter&fahren...": checks the list (empty: "Kein Computer angegeben!"; any item that
// names this computer: conRemoteLocalRefusal), asks "Soll der/die Computer ... werden?"
// (only Yes goes on), then, under the hourglass pointer, asks every computer of the list in
// turn (InitiateSystemShutdownEx with the delay, the message, the force and reboot flags).
// A computer that fails is noted and the next one is asked; after the last one the pointer
// is back and the failures are shown in one message, each computer with its Windows error.
// The countdown starts when at least one computer accepted; the list it counts, reports
// and stops is that of the computers that accepted. True when the countdown started.
// Refused while a countdown runs or a start is under way (false).
bool RemoteShutdown(const RemoteShutdownRequest& request);

// "Sto&ppen": ends the countdown and asks every computer that accepted at the start to
// abort (AbortSystemShutdown); failures are shown in one message; "... wurde abgebrochen!"
// names the computers that did abort (no such message when none did). Nothing while no
// countdown runs.
void StopRemoteShutdown();

// One tick of timRemoteShutdown. The time elapsed is measured by the program's clock since
// the start (a tick held up by a modal box costs nothing); when the delay has run out the
// countdown ends, the page returns to "Nicht aktiv", and with ShowSuccessMsg the computers
// that accepted are reported as shut down or restarted.
void RemoteShutdownTick();

// The warning before the remote computers go down: TimeWarningLead seconds before the delay
// runs out (at once when the delay is shorter) a warning names the computers and counts
// down; its "Abbrechen" is StopRemoteShutdown. DismissRemoteWarning hides it for the rest of
// this countdown, which runs on.
void DismissRemoteWarning();
bool RemoteWarningShown();

// ---- State for the page ----

// A countdown runs.
bool RemoteShutdownRunning();
// The text txtRemoteStatus should show now ("Nicht aktiv" while idle), for a page that opens
// while a countdown runs.
std::wstring RemoteShutdownStatusText();
// The computers of the running countdown, separated by ";" ("" while idle).
std::wstring RemoteShutdownComputers();

// ---- The timer ----

// The timer timRemoteShutdown of the main window: the window registers itself once loaded
// and nullptr before it goes; without a window only the state is kept, and a window
// registered later takes the timer over.
inline constexpr UINT_PTR conRemoteShutdownTimer = 3;  // the id frmMain reserves for it
inline constexpr UINT conRemoteShutdownInterval = 1000;
void SetRemoteShutdownTimerWindow(HWND hwnd);
bool RemoteShutdownTimerOn();

// ---- Texts and helpers ----

inline constexpr const wchar_t* conRemoteShutdownPrivilege = L"SeRemoteShutdownPrivilege";
inline constexpr const wchar_t* conRemoteNoComputer = L"Kein Computer angegeben!";
inline constexpr const wchar_t* conRemoteLocalRefusal =
    L"Der lokale Computer kann nicht über diese Funktion ferngesteuert werden! Verwenden Sie dazu den "
    L"\"Herunterfahren Dialog\" oder das Kontextmenü.";
inline constexpr const wchar_t* conRemoteIdle = L"Nicht aktiv";

// The names of the list: each item trimmed, a leading "\\" dropped, empty items skipped.
std::vector<std::wstring> RemoteComputerNames(const std::wstring& strComputers);
// True when any name of the list is this computer (its NetBIOS or DNS name, ignoring case).
bool NamesLocalComputer(const std::wstring& strComputers);
// The delay text of the setting RemoteActionIn ("hh:mm:ss"; two parts are minutes and
// seconds) in seconds; fields that are no whole number count 0.
long RemoteDelaySeconds(const std::wstring& strDelay);

}  // namespace kvr
