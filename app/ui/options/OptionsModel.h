#pragma once
// The options dialog without its window: the values of every page as the settings hold them,
// the enabling rules, the checks of OK and the commit that writes everything once every check
// passed. The window only copies control states into OptionsValues and back.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "work/Activity.h"

#include "ui/options/OptionsIds.h"

namespace kvr::options {

struct Hms {
    long Hour = 0, Minute = 0, Second = 0;
};
struct Ymd {
    long Year = 2000, Month = 1, Day = 1;
};

// A row of the action lists of pages 1 and 2.
struct ActionRow {
    std::wstring Text;
    long Icon = 0;         // 1-based list icon, 0 for none
    bool Ghosted = false;  // a boot system while boot.ini is write-protected: never ticked
    bool Ticked = false;
    bool Selected = false;
};

// What the dialog knows of its surroundings, taken once at opening.
struct OptionsEnvironment {
    bool BootIniPresent = false;
    bool BootIniWriteProtected = false;
    bool Windows9x = false;         // 95, 98, ME
    bool Windows95OrNT4 = false;    // no soft switch-off
    bool Windows9xOrNT4 = false;
    bool AutoLogonWriteAllowed = true;
    bool QuickLaunchAvailable = false;
    bool RemoteRunning = false;     // a remote shutdown of this program counts down

    bool BootIniWritable() const { return BootIniPresent && !BootIniWriteProtected; }
};

struct OptionsValues {
    long Page = 1;  // 1-10
    // 1 "Anzeige", 2 "Menü"
    std::vector<ActionRow> View, ViewMenu;
    // 3 "Standard"
    std::vector<std::wstring> Systems;
    long SelectedSystem = -1;  // index into Systems, -1 for none
    bool ResetToStandard = true;
    // 4 "Autodialog"
    bool AutoDialog = false, AutoClose = false;
    std::wstring CloseTime;  // as shown ("" for none)
    long CloseType = 1;
    // 5 "Zeitsteuerung"
    long TimeActionType = 0;
    std::wstring TimeAction;
    Hms TimeForAction, TimeCountdown{1, 0, 0};
    Ymd TimeDateForAction;
    long TimeWeekday = 0;  // 1 Monday ... 7 Sunday, 0 none chosen
    std::wstring TimeMonthDay = L"1";
    bool TimedActionImmediate = false;
    std::wstring TimeWarningLead = L"60";   // seconds, as typed
    std::wstring TimeIdleMinutes = L"30";   // as typed
    bool TimeIdleNoFullScreen = true;
    ProcessChoice TimeProcess;              // the program "Nach Programmende" waits for
    std::vector<ProcessChoice> Processes;   // what the page offers: every name, then each process
    // 6 "Logon"
    bool AutoLogon = false, RepeatAutoLogon = false;
    std::wstring UserName, Password, Domain;
    bool HideUsername = false, ForceLogon = false;
    // 7 "Verknüpfung" (dialog state)
    std::wstring LinkAction, LinkName, LinkPath;
    long LastPathOption = 0;
    bool Confirmation = true, QuitImmediateLink = false;
    // 8 "Fernsteuerung" (dialog state)
    std::wstring RemoteComputer, RemoteMessage;
    Hms RemoteActionIn;
    long RemoteAction = 0;
    bool RemoteQuitImmediate = false, RemoteShowSuccessMsg = false;
    // 9 "Tastenkürzel": (action, hotkey text)
    std::vector<std::pair<std::wstring, std::wstring>> Shortcuts;
    bool ShortcutConfirmationMsg = false, ShortcutQuitImmediate = false;
    // 10 "Optionen"
    std::wstring BootMenuTime;
    bool SwitchOff = false, ShowSplash = true, AllowUnsaveQuit = false, SaveQuitImmediateState = false,
         AutoStart = false;
};

// ---- Matching ----

// Whether the ";"-separated list holds the item as a whole, ignoring case and blanks around.
bool ContainsItem(const std::wstring& strList, const std::wstring& strItem);
// A restart or shutdown entry naming a boot system ("Standard" and the plain actions are none).
bool IsBootSystemEntry(const std::wstring& strText);
// The list icon (1-based) of an entry; 7 for "Windows beenden...".
long OptionsListIcon(const std::wstring& strText);
// The index in items of the one equal to strText (ignoring case), -1 when none is.
long FindItem(const std::vector<std::wstring>& items, const std::wstring& strText);

// ---- Loading ----

OptionsEnvironment ReadEnvironment();
// Every page's values from the program's state and the settings; requested page 0 = the last one.
OptionsValues LoadOptions(const OptionsEnvironment& env, long lngPage);
// The entries of pages 1 and 2 for the actions (separators skipped), ticked and selected as the
// settings say.
std::vector<ActionRow> ViewRows(const std::vector<std::wstring>& options, const std::wstring& strVisibleOptions,
                                bool blnWriteProtected);
std::vector<ActionRow> ViewMenuRows(const std::vector<std::wstring>& options,
                                    const std::wstring& strVisibleMenuOptions,
                                    const std::wstring& strStandardMenuOption, bool blnWriteProtected);

// ---- Enabling rules ----

// Applies the rules to the values (ticks that a disabled control cannot keep are taken away)
// and answers which controls are enabled. Controls not named keep their state.
std::map<int, bool> ApplyEnablingRules(OptionsValues& values, const OptionsEnvironment& env);

// ---- The program a timed action waits for ----

// What page 5 offers: every program name (all its processes), then each running process; the
// stored choice first when it no longer runs.
std::vector<ProcessChoice> ProcessOffers(const std::vector<RunningProcess>& running, const ProcessChoice& current);
std::wstring ProcessChoiceText(const ProcessChoice& choice);   // "notepad.exe (alle)", "notepad.exe (42)"

// ---- OK ----

struct CheckFailure {
    std::wstring Message;
    long Page;
    int Control;
};
// The checks of OK in their order against the moment now (whole seconds); nothing when all pass.
std::optional<CheckFailure> CheckOptions(const OptionsValues& values, const OptionsEnvironment& env,
                                         long long llNow);

// What OK stores, derived from the pages.
std::wstring VisibleOptionsOf(const std::vector<ActionRow>& rows);
std::wstring VisibleMenuOptionsOf(const std::vector<ActionRow>& rows);
std::wstring StandardMenuOptionOf(const std::vector<ActionRow>& rows);
std::wstring TimeText(const Hms& t);   // "7:5:0"
std::wstring DateText(const Ymd& d);   // "5.3.2004"

// Writes every option (settings, boot.ini, logon, autostart, hotkeys) and arms the timed action;
// only after CheckOptions passed.
void CommitOptions(const OptionsValues& values, const OptionsEnvironment& env);
// The dialog's own state, on every close (the rectangle in twips).
struct TwipsRectangle {
    long Left, Top, Width, Height;
};
void SaveDialogState(const OptionsValues& values, const TwipsRectangle& rect);
// The stored rectangle, or 9660 x 7545 centred on the screen.
TwipsRectangle DialogRectangle();

}  // namespace kvr::options
