#pragma once
// Program-wide state of one run, read and written by the modules of the program.
// Everything runs on the one user-interface thread, so nothing here is locked.
#include <string>

#include "KVError.h"
#include "Variant.h"
#include "clsMain.h"
#include "clsVersionGlobal.h"

namespace kvr {

// Project name in error chains and message titles.
inline constexpr const wchar_t* conProjectName = L"Kelvo Restart";

enum class RunMode {
    Resident,      // no command line: tray icon and timers
    CommandLine,   // one action from the command line, then the end
    Dialog,        // /T:4: the main window, then the end
};

// The settings held for the run carry their registry names (group Options unless noted);
// ReadSetting/WriteSetting hold where and how they are stored.
struct ProgramState {
    RunMode Mode = RunMode::Resident;
    bool QuitFlag = false;

    bool SwitchOff = false;
    bool ShowSplash = true;
    std::wstring VisibleOptions;
    std::wstring VisibleMenuOptions;
    std::wstring StandardMenuOption;
    std::wstring LastSelectedOption;
    std::wstring StandardSystem;
    bool AutoDialog = false;
    bool ResetToStandard = true;
    bool AllowUnsaveQuit = false;
    bool QuitImmediate = false;
    bool QuitSaveImmediate = false;
    bool AutoLogon = false;
    bool RepeatAutoLogon = false;
    bool ShortcutQuitImmedate = false;  // sic: the stored value name
    bool ShortcutConfirmationMsg = false;
    bool TimedActionImmediate = false;
    std::wstring TimeAction;
    kv::Date TimeForAction;      // time of day
    kv::Date TimeDateForAction;  // date
    kv::Date TimeCountdown;      // duration as a time of day
    long TimeWeekday = 0;
    long TimeMonthDay = 1;
    long TimeActionType = 1;
    long TimeWarningLead = 60;         // seconds of warning before a timed action; 0: none
    long TimeIdleMinutes = 30;         // "Bei Leerlauf": minutes without input
    bool TimeIdleNoFullScreen = true;  // ... not while a full-screen program runs
    std::wstring TimeProcessName;      // "Nach Programmende": the program's executable name
    long TimeProcessId = 0;            // ... that process; 0: every process of the name
    long WindowLeft = -1;
    long WindowTop = -1;
    long WindowWidth = -1;
    long WindowHeight = -1;
    // A missing standard system was reported in this run.
    bool StandardSystemReported = false;
};

ProgramState& State();

// The program's own helper object and application record, kept for the whole run.
kv::clsMain& Helper();
kv::clsVersionGlobal& VersionGlobal();

// Runs body; an error leaving it is raised again through ForwardError naming the program,
// the module and the procedure, so the chain records the place.
template <class Body>
decltype(auto) Forwarded(const wchar_t* module, const wchar_t* procedure, Body&& body) {
    try {
        return body();
    } catch (const kv::KVError& error) {
        Helper().ForwardError(conProjectName, module, procedure, error);
    }
}

// Runs body; an error leaving it is shown through ShowError naming the program, the module
// and the procedure. True when body ran to its end.
template <class Body>
bool Shown(const wchar_t* module, const wchar_t* procedure, Body&& body) {
    try {
        body();
        return true;
    } catch (const kv::KVError& error) {
        Helper().ShowError(conProjectName, module, procedure, error);
        return false;
    }
}

}  // namespace kvr
