#pragma once
// Start-up of the program: the entry routine, the command line, the start-up rules applied
// to the settings, the help file and the tear-down.
#include <windows.h>

#include <functional>
#include <string>

#include "Variant.h"

namespace kvr {

// The entry procedure: RunMain(True), then COM's end when windows were started. The exit
// code: 1 when OLE or the common controls could not be started, else 0.
int Main();
// Starts OLE and the common controls once, before the first window that uses them; a command
// line that only acts never needs them (nor loads their DLLs), and the resident program only
// once it shows something. False (after showing why) when they failed.
bool StartWindowing();

// The whole start-up; True from Main, False when a refused Windows exit rebuilds the
// resident program. Resident and dialog mode then run the message loop until the program
// ends; a rebuild made from inside the running loop returns to it.
void RunMain(bool blnFirstStart);

// Tears the program down before Windows is ended: sets QuitFlag, then runs the registered
// tear-down steps (tray icon, hotkeys, windows) in the order they were registered, once.
void Quit();
// Registers a tear-down step for the next Quit (a part that exists only while the program
// runs registers its own removal when it is created).
void AddQuitStep(std::function<void()> step);

// ---- Command line ----

// What trimming removes from a command line and its pieces.
inline constexpr const wchar_t* conBlanks = L" \t";

// The arguments part of a command line: everything after the program name (quoted up to
// its closing quote, else up to the first blank). Without an argument: this process's.
std::wstring CommandLineArguments(const std::wstring& strCommandLine);
std::wstring CommandLineArguments();

// What a command line asks for, read by the rules of the command-line evaluation.
struct CommandLineRequest {
    bool Help = false;         // /? and its spellings: the parameter information as help
    bool Wrong = false;        // show the parameter information instead of acting
    long ActionType = 0;       // 1-7 from /T; 0 when /T was not given
    std::wstring ActionName;   // the display text of ActionType; "" without /T
    std::wstring System;       // from /S, without its quotes; "" when not given
    bool Confirm = false;      // /C
    bool Force = false;        // /F

    // The action name, or action name + ": " + system when a system was given.
    std::wstring ActionText() const;
};

// Splits the line at "/" outside double quotes, reads keys and values (the value is all after
// the first ":"), and checks a given system against boot.ini (CheckSystem). A system without
// an action type is a wrong line.
CommandLineRequest ReadCommandLine(const std::wstring& strCommandLine);

// The leading numeric characters of a text as a decimal number (blanks in front, a sign,
// digits, a decimal point, an exponent); 0 when there are none.
double LeadingNumber(const std::wstring& strText);

// Acts on a command line: the parameter information for a wrong line; for type 4 it only
// returns True (dialog mode); otherwise the confirmation when asked, DontShowUnloadDialog = 1
// and RebootWindows. False when the run ends here.
bool EvaluateCommandLine(const std::wstring& strCommandLine);

// ---- Start-up rules (resident and dialog mode) ----

// The start-up of the resident program and of dialog mode after the command line: the
// settings read and the rules below, in their order, the stored rectangle applied to the
// main window when it is loaded, then the first-run work when due. False when the program
// must end (a failed first run).
bool ApplyStartupRules(bool blnFirstStart);

// Reads the settings held for the run into State(), in the order of the settings table.
void ReadProgramSettings();
// A one-time countdown (TimeActionType 1) does not survive a start: 0, also stored.
void ResetOneTimeCountdown();
// Without QuitSaveImmediate: QuitImmediate off in memory, ShortcutQuitImmedate off and stored.
void ApplyQuitImmediateRules();
// Automatic logon at start: written again with AutoLogon and RepeatAutoLogon, else taken back.
void ApplyAutoLogonAtStart();
// DontShowUnloadDialog = 0, so a running program shows the shutdown-time dialog again.
void ResetUnloadDialogFlag();
// Fills an empty StandardSystem from boot.ini; with ResetToStandard writes it as the default.
void ApplyStandardSystem();
// The main window rectangle in twips: the stored one (State()), or 5805 x 5535 centred on
// the screen when any of the four values is -1.
struct TwipsRect {
    long Left, Top, Width, Height;
};
TwipsRect MainWindowRect();

// A time text "h:m:s" and a date text "d.m.yyyy" as the settings store them, each split
// into its three numbers; a piece that is no number raises error 13.
kv::Date ReadTimeText(const std::wstring& strTime);
kv::Date ReadDateText(const std::wstring& strDate);

// ---- Resident and dialog mode ----

// What follows the command line in resident and dialog mode: the main window, the splash
// screen, the start-up rules, then the main window shown (dialog mode) or the tray icon and
// the timed action (resident mode; a second resident instance ends here).
void StartProgram(bool blnFirstStart);

// The mark of a resident instance in this session (a second resident start ends silently;
// command-line runs and dialog mode never look at it).
inline constexpr const wchar_t* conInstanceMutexName = L"Local\\KelvoRestart.Resident";
// True when another resident instance of the program runs. The first call takes the mark
// when it is free and keeps it for the life of the process; later calls repeat the answer.
bool AnotherInstanceRunning();

// The splash screen of a resident first start, closed by the main window's timSplash.
void ShowSplashScreen();
// The first timSplash tick: the splash is closed and released, the timer switched off.
void CloseSplash();

// Whether a command-line action has asked the resident program not to show the
// shutdown-time dialog for this end of the session (DontShowUnloadDialog, PrgSettings).
bool GetDontShowDialog();

// The message loop of resident and dialog mode: it runs while the main window exists. A
// quit message ends the program as "Beenden" does.
void RunProgramLoop();
// Whether that loop is running (a rebuilt program returns to it instead of starting another).
bool ProgramLoopRunning();

// ---- Help ----

// Program folder + "\" + executable name + ".chm".
std::wstring GetHelpfile();
// Shows a topic ("" = table of contents) of the help file; a message when that fails.
void OpenHelp(HWND hwndOwner, const std::wstring& strTopic);

}  // namespace kvr
