// The options without their window: loading, the enabling rules, the checks and the commit.
#include "ui/options/OptionsModel.h"

#include <windows.h>

#include <algorithm>

#include "clsMain.h"
#include "clsOperatingSystemInfo.h"
#include "hotkeys/basShortcuts.h"
#include "program/Clock.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "work/basLinks.h"
#include "work/basRemoteShutdown.h"
#include "work/TimedActionChecks.h"
#include "work/basTimedAction.h"
#include "work/basWork.h"
#include "work/basWorkText.h"
#include "WindowBase.h"
#include "DecimalText.h"

namespace kvr::options {

namespace {

constexpr const wchar_t* conModule = L"basOptions";

constexpr long conDefaultWidth = 9660, conDefaultHeight = 7545;

Hms HmsOf(kv::Date dtmTime) {
    const long seconds = ConvertToSeconds(dtmTime);
    return {seconds / 3600, seconds / 60 % 60, seconds % 60};
}

Ymd YmdOf(kv::Date dtmDate) {
    const SYSTEMTIME st = ToSystemTime(dtmDate);
    return {st.wYear, st.wMonth, st.wDay};
}

kv::Date TimeOf(const Hms& t) { return MakeTime(t.Hour, t.Minute, t.Second); }

bool WholeNumberIn(const std::wstring& strText, long lngMin, long lngMax) {
    return Helper().IsNumber(kv::Variant(strText), kv::conNF_NumberInteger, kv::Variant(lngMin),
                             kv::Variant(lngMax));
}

bool SameTextOrBothEmpty(const std::wstring& a, const std::wstring& b) { return work::SameText(a, b); }

std::vector<std::wstring> Entries() {
    std::vector<std::wstring> entries;
    for (std::wstring& entry : GetQuitOptions(false))
        if (!entry.empty()) entries.push_back(std::move(entry));
    return entries;
}

}  // namespace

// ---- Matching ----

bool ContainsItem(const std::wstring& strList, const std::wstring& strItem) {
    const std::wstring item = work::Trimmed(strItem);
    if (item.empty()) return false;
    for (const std::wstring& candidate : work::SplitItems(strList))
        if (work::SameText(work::Trimmed(candidate), item)) return true;
    return false;
}

bool IsBootSystemEntry(const std::wstring& strText) {
    return (work::ContainsText(strText, conActionRestart) || work::ContainsText(strText, conActionShutDown)) &&
           !work::ContainsText(strText, conStandardSystemName) && strText != conActionRestart &&
           strText != conActionShutDown;
}

long OptionsListIcon(const std::wstring& strText) {
    if (strText == conActionShowMain) return 7;
    const wchar_t* texts[] = {conActionShutDown, conActionRestart, conActionLogOff,
                              conActionStandby,  conActionHibernate, conActionLock};
    long icon = 0;
    for (long i = 0; i < 6; ++i)
        if (work::ContainsText(strText, texts[i])) icon = i + 1;
    return icon;
}

long FindItem(const std::vector<std::wstring>& items, const std::wstring& strText) {
    for (size_t i = 0; i < items.size(); ++i)
        if (SameTextOrBothEmpty(items[i], strText)) return static_cast<long>(i);
    return -1;
}

// ---- Loading ----

OptionsEnvironment ReadEnvironment() {
    return Forwarded(conModule, L"ReadEnvironment", [] {
        OptionsEnvironment env;
        const work::ReadOnce once;
        env.BootIniPresent = BootIniExitst();
        env.BootIniWriteProtected = env.BootIniPresent && IsBootIniWriteProtected();
        env.Windows9x = IsWindows9x();
        env.Windows95OrNT4 = IsOS(kv::conWV_Windows95, kv::conWV_WindowsNT4);
        env.Windows9xOrNT4 = IsWindows9xOrNT4();
        env.AutoLogonWriteAllowed = AutoLogonWriteAllowed();
        env.QuickLaunchAvailable = QuickLaunchAvailable();
        env.RemoteRunning = RemoteShutdownRunning();
        return env;
    });
}

std::vector<ActionRow> ViewRows(const std::vector<std::wstring>& options, const std::wstring& strVisibleOptions,
                                bool blnWriteProtected) {
    std::vector<ActionRow> rows;
    for (const std::wstring& text : options) {
        if (text.empty()) continue;
        ActionRow row{text, OptionsListIcon(text), blnWriteProtected && IsBootSystemEntry(text)};
        row.Ticked = !row.Ghosted && !ContainsItem(strVisibleOptions, text);
        rows.push_back(row);
    }
    return rows;
}

std::vector<ActionRow> ViewMenuRows(const std::vector<std::wstring>& options,
                                    const std::wstring& strVisibleMenuOptions,
                                    const std::wstring& strStandardMenuOption, bool blnWriteProtected) {
    std::vector<ActionRow> rows;
    for (const std::wstring& text : options) {
        if (text.empty()) continue;
        ActionRow row{text, OptionsListIcon(text), blnWriteProtected && IsBootSystemEntry(text)};
        row.Ticked = !row.Ghosted && ContainsItem(strVisibleMenuOptions, text);
        row.Selected = work::SameText(work::Trimmed(text), work::Trimmed(strStandardMenuOption)) &&
                       !strStandardMenuOption.empty();
        rows.push_back(row);
    }
    return rows;
}

OptionsValues LoadOptions(const OptionsEnvironment& env, long lngPage) {
    return Forwarded(conModule, L"LoadOptions", [&] {
        const ProgramState& s = State();
        OptionsValues v;
        const work::ReadOnce once;
        std::vector<std::wstring> entries = Entries();
        v.View = ViewRows(entries, s.VisibleOptions, env.BootIniWriteProtected);
        std::vector<std::wstring> menuEntries = entries;
        menuEntries.push_back(conActionShowMain);
        v.ViewMenu = ViewMenuRows(menuEntries, s.VisibleMenuOptions, s.StandardMenuOption, env.BootIniWriteProtected);
        for (const std::wstring& entry : menuEntries) v.Shortcuts.emplace_back(entry, GetShortcut(entry));

        if (env.BootIniWritable()) {
            v.Systems = GetQuitOptions(true);
            v.SelectedSystem = s.StandardSystem.empty() ? (v.Systems.empty() ? -1 : 0)
                                                        : FindItem(v.Systems, s.StandardSystem);
            v.BootMenuTime = kv::DecimalText(GetTimeOut());
            v.AutoDialog = s.AutoDialog;
        }
        v.ResetToStandard = s.ResetToStandard;

        v.Page = lngPage >= 1 && lngPage <= conPageCount
                     ? lngPage
                     : ReadNumberSetting(L"LastOptionTab", conSG_PrgSettings, 1, 1, conPageCount);
        v.Confirmation = ReadFlagSetting(L"ConfirmationOption", conSG_PrgSettings, true);
        v.LastPathOption = ReadNumberSetting(L"LastPathOption", conSG_PrgSettings, 0);
        v.LastPathOption = AvailableLinkPlace(v.LastPathOption, env.QuickLaunchAvailable);
        v.AutoClose = ReadFlagSetting(L"AutoClose", conSG_Options, false);
        v.CloseTime = ReadTextSetting(L"CloseTime", conSG_Options, L"0");
        if (v.CloseTime == L"999999") v.CloseTime.clear();
        v.CloseType = ReadNumberSetting(L"CloseType", conSG_Options, 1, 0, 1);
        v.AutoStart = !SettingText(ReadSetting(VersionGlobal().InfoApplication(), conSG_Autostart, kv::Variant(L"")))
                           .empty();
        v.ShowSplash = ReadFlagSetting(L"ShowSplash", conSG_Options, true);
        v.UserName = ReadTextSetting(L"UserName", conSG_Options, L"");
        v.Password = ReadTextSetting(L"Password", conSG_Options, L"");
        v.ForceLogon = SettingText(ReadSetting(L"MustBeValidated", conSG_NetworkLogon, kv::Variant(0L))) == L"1";
        v.HideUsername =
            SettingText(ReadSetting(L"DontDisplayLastUserName", conSG_WinLogon, kv::Variant(L"0"))) == L"1";
        v.LinkAction = ReadTextSetting(L"LinkAction", conSG_Options, L"");
        if (!env.Windows9x) v.Domain = ReadTextSetting(L"Domain", conSG_Options, L"");
        v.RemoteComputer = ReadTextSetting(L"RemoteComputer", conSG_Options, L"");
        v.RemoteActionIn = HmsOf(ReadConvertedSetting(L"RemoteActionIn", conSG_Options, L"00:00:00", ReadTimeText));
        v.RemoteMessage = ReadTextSetting(L"RemoteMessage", conSG_Options, L"");
        v.RemoteAction = ReadNumberSetting(L"RemoteAction", conSG_Options, 0, 0, 1);
        v.RemoteQuitImmediate = ReadFlagSetting(L"RemoteQuitImmediate", conSG_Options, false);
        v.RemoteShowSuccessMsg = ReadFlagSetting(L"RemoteShowSuccessMsg", conSG_Options, false);
        v.QuitImmediateLink = s.QuitSaveImmediate && ReadFlagSetting(L"QuitImmediateLink", conSG_Options, false);

        v.TimeActionType = s.TimeActionType;
        v.TimeAction = s.TimeAction;
        v.TimeForAction = HmsOf(s.TimeForAction);
        v.TimeDateForAction = YmdOf(s.TimeDateForAction);
        v.TimeCountdown = HmsOf(s.TimeCountdown);
        v.TimeWeekday = s.TimeWeekday >= 1 && s.TimeWeekday <= 7 ? s.TimeWeekday : 0;
        v.TimeMonthDay = kv::DecimalText(s.TimeMonthDay);
        v.TimedActionImmediate = s.TimedActionImmediate;
        v.TimeWarningLead = kv::DecimalText(s.TimeWarningLead);
        v.TimeIdleMinutes = kv::DecimalText(s.TimeIdleMinutes);
        v.TimeIdleNoFullScreen = s.TimeIdleNoFullScreen;
        v.TimeProcess = ProcessChoice{static_cast<unsigned long>(s.TimeProcessId), s.TimeProcessName};
        v.Processes = ProcessOffers(RunningProcesses(), v.TimeProcess);
        v.AutoLogon = s.AutoLogon;
        v.RepeatAutoLogon = s.RepeatAutoLogon;
        v.ShortcutConfirmationMsg = s.ShortcutConfirmationMsg;
        v.ShortcutQuitImmediate = s.ShortcutQuitImmedate;
        v.SwitchOff = s.SwitchOff;
        v.AllowUnsaveQuit = s.AllowUnsaveQuit;
        v.SaveQuitImmediateState = s.QuitSaveImmediate;
        return v;
    });
}

// ---- Enabling rules ----

std::map<int, bool> ApplyEnablingRules(OptionsValues& v, const OptionsEnvironment& env) {
    std::map<int, bool> on;
    // The boot.ini pages.
    const bool boot = env.BootIniWritable();
    for (int id : {lstStandard, txtBootmenutime, lblBootmenutime, updBootMenuTime, lblBootmenutimeUnit,
                   chkResetToStandard, chkAutoDialog, cmdEditBootIni})
        on[id] = boot;
    if (!boot) v.AutoDialog = false;
    // CheckForGhostedItem: a greyed boot system never keeps a tick.
    for (std::vector<ActionRow>* rows : {&v.View, &v.ViewMenu})
        for (ActionRow& row : *rows)
            if (row.Ghosted) row.Ticked = false;
    on[chkSwitchoff] = !env.Windows95OrNT4;
    on[chkForceLogon] = env.Windows9x;

    // ShowAutoDialogType
    on[chkAutoclose] = v.AutoDialog;
    const bool closeTime = v.AutoDialog && v.AutoClose;
    for (int id : {lblCloseTime, txtCloseTime, updAutoClose, lblCloseTimeUnit, optCloseType0, optCloseType1})
        on[id] = closeTime;

    // ShowQuitImmediateState
    if (!v.AllowUnsaveQuit) {
        v.SaveQuitImmediateState = v.QuitImmediateLink = v.RemoteQuitImmediate = v.ShortcutQuitImmediate =
            v.TimedActionImmediate = false;
    }
    on[chkSaveQuitImmediateState] = v.AllowUnsaveQuit;
    on[chkShortcutQuitImmediate] = v.AllowUnsaveQuit;
    // LinkActionChanged
    on[chkQuitImmediateLink] = LinkQuitImmediateEnabled(v.LinkAction, v.AllowUnsaveQuit);

    // ShowTimedActionState
    const long type = v.TimeActionType;
    on[lblTimeAction] = on[cboTimeAction] = type != conTA_Off;
    on[chkTimedActionImmediate] = type != conTA_Off && v.AllowUnsaveQuit;
    on[lblTimeCountdown] = on[dpTimeCountdown] = on[lblTimeCountdownUnit] = type == conTA_Countdown;
    on[lblTimeForAction] = on[dpTimeForAction] = type >= conTA_Once && type <= conTA_Monthly;
    on[lblDateForAction] = on[dpDateForAction] = type == conTA_Once;
    on[lblTimeWeekday] = on[cboTimeWeekday] = type == conTA_Weekly;
    on[lblTimeMonthDay] = on[txtTimeMonthDay] = on[updTimeMonthDay] = type == conTA_Monthly;
    for (int id : {lblTimeIdle, txtTimeIdleMinutes, updTimeIdle, lblTimeIdleUnit, chkTimeIdleNoFullScreen})
        on[id] = type == conTA_Idle;
    on[lblTimeProcess] = on[cboTimeProcess] = type == conTA_ProcessEnd;
    for (int id : {lblTimeWarningLead, txtTimeWarningLead, updTimeWarningLead, lblTimeWarningUnit})
        on[id] = type != conTA_Off;

    // ShowAutoLogonState
    on[chkAutoLogon] = env.AutoLogonWriteAllowed;
    const bool logon = v.AutoLogon && env.AutoLogonWriteAllowed;
    for (int id : {chkRepeatAutoLogon, lblUsername, txtUsername, lblPassword, txtPassword}) on[id] = logon;
    on[lblDomain] = on[txtDomain] = logon && !env.Windows9x;
    if (!env.AutoLogonWriteAllowed || (v.AutoLogon && env.Windows9xOrNT4)) {
        on[chkHideUsername] = false;
        v.HideUsername = false;
    } else {
        on[chkHideUsername] = true;
    }

    // ShowPathType and the quick launch bar
    const bool path = LinkPathEnabled(v.LastPathOption);
    on[lblLinkPath] = on[txtLinkPath] = on[cmdBrowse] = path;
    on[optPath3] = env.QuickLaunchAvailable;

    // ShowRemoteState
    const bool remote = !env.Windows9x && !env.RemoteRunning;
    for (int id : {lblRemoteComputer, txtRemoteComputer, cmdBrowseComputer, optRemoteAction0, optRemoteAction1,
                   lblRemoteAction, dpRemoteAction, lblRemoteActionUnit, lblRemoteMessage, txtRemoteMessage,
                   chkRemoteMessage, cmdRemoteShutdown})
        on[id] = remote;
    on[chkRemoteQuitImmediate] = remote && v.AllowUnsaveQuit;
    on[cmdRemoteStop] = !env.Windows9x && env.RemoteRunning;
    return on;
}

// ---- The program a timed action waits for ----

std::vector<ProcessChoice> ProcessOffers(const std::vector<RunningProcess>& running, const ProcessChoice& current) {
    std::vector<ProcessChoice> names, processes;
    const auto has = [](const std::vector<ProcessChoice>& list, const ProcessChoice& c) {
        return std::any_of(list.begin(), list.end(), [&](const ProcessChoice& o) {
            return o.ProcessId == c.ProcessId && work::SameText(o.Name, c.Name);
        });
    };
    for (const RunningProcess& p : running) {
        if (p.Name.empty()) continue;
        if (!has(names, ProcessChoice{0, p.Name})) names.push_back(ProcessChoice{0, p.Name});
        processes.push_back(ProcessChoice{p.ProcessId, p.Name});
    }
    std::sort(names.begin(), names.end(), [](const ProcessChoice& a, const ProcessChoice& b) {
        return work::UpperCase(a.Name) < work::UpperCase(b.Name);
    });
    // The stored choice stays on offer even when it no longer runs; the check then says so.
    if (!current.Name.empty() && !has(names, current) && !has(processes, current))
        (current.ProcessId ? processes : names).insert((current.ProcessId ? processes : names).begin(), current);
    names.insert(names.end(), processes.begin(), processes.end());
    return names;
}

std::wstring ProcessChoiceText(const ProcessChoice& choice) {
    return choice.ProcessId == 0 ? choice.Name + L" (alle)"
                                 : choice.Name + L" (" + kv::DecimalText(choice.ProcessId) + L")";
}

// ---- OK ----

std::optional<CheckFailure> CheckOptions(const OptionsValues& v, const OptionsEnvironment& env, long long llNow) {
    if (env.BootIniWritable() && !WholeNumberIn(v.BootMenuTime, 1, 999))
        return CheckFailure{L"Bootmenüzeit ist nicht im Bereich von 1 bis 999!", 10, txtBootmenutime};
    if (v.AutoDialog && v.AutoClose && env.BootIniPresent && !WholeNumberIn(v.CloseTime, 1, 999))
        return CheckFailure{L"Schließzeit ist nicht im Bereich von 1 bis 999!", 4, txtCloseTime};
    if (v.TimeActionType == conTA_Off) return std::nullopt;
    if (work::Trimmed(v.TimeAction).empty())
        return CheckFailure{L"Es wurde keine Aktion für die Zeitsteuerung angegeben!", 5, cboTimeAction};
    switch (v.TimeActionType) {
        case conTA_Countdown:
            if (v.TimeCountdown.Hour == 0 && v.TimeCountdown.Minute == 0 && v.TimeCountdown.Second == 0)
                return CheckFailure{L"Ungültige Countdownzeit angegeben!", 5, dpTimeCountdown};
            break;
        case conTA_Once: {
            const Ymd& d = v.TimeDateForAction;
            const long long due =
                WholeSeconds(MakeDate(d.Year, d.Month, d.Day)) + WholeSeconds(TimeOf(v.TimeForAction));
            if (due < llNow) return CheckFailure{L"Zeitpunkt liegt in der Vergangenheit!", 5, dpTimeForAction};
            break;
        }
        case conTA_Weekly:
            if (v.TimeWeekday < 1 || v.TimeWeekday > 7)
                return CheckFailure{L"Es wurde kein Wochentag angegeben!", 5, cboTimeWeekday};
            break;
        case conTA_Monthly:
            if (!WholeNumberIn(v.TimeMonthDay, 1, 31))
                return CheckFailure{L"Ungültiger Monatstag angegeben!", 5, txtTimeMonthDay};
            break;
        case conTA_Idle:
            if (!WholeNumberIn(v.TimeIdleMinutes, 1, conIdleMinutesMax))
                return CheckFailure{CheckIdleMinutes(0)->Message, 5, txtTimeIdleMinutes};
            break;
        case conTA_ProcessEnd:
            if (auto fault = CheckProcessChoice(v.TimeProcess, RunningProcesses()))
                return CheckFailure{fault->Message, 5, cboTimeProcess};
            break;
        default:
            break;
    }
    if (!WholeNumberIn(v.TimeWarningLead, 0, conWarningLeadMax))
        return CheckFailure{CheckWarningLead(-1)->Message, 5, txtTimeWarningLead};
    return std::nullopt;
}

std::wstring VisibleOptionsOf(const std::vector<ActionRow>& rows) {
    std::wstring list;
    for (const ActionRow& row : rows)
        if (!row.Ticked || row.Ghosted) list += work::Trimmed(row.Text) + L";";
    return list;
}

std::wstring VisibleMenuOptionsOf(const std::vector<ActionRow>& rows) {
    std::wstring list;
    for (const ActionRow& row : rows)
        if (row.Ticked && !row.Ghosted) list += work::Trimmed(row.Text) + L";";
    return list;
}

std::wstring StandardMenuOptionOf(const std::vector<ActionRow>& rows) {
    for (const ActionRow& row : rows) {
        if (!row.Selected) continue;
        const std::wstring text = work::Trimmed(row.Text);
        return ContainsItem(VisibleMenuOptionsOf(rows), text) ? text : L"";
    }
    return L"";
}

std::wstring TimeText(const Hms& t) {
    return kv::DecimalText(t.Hour) + L":" + kv::DecimalText(t.Minute) + L":" + kv::DecimalText(t.Second);
}

std::wstring DateText(const Ymd& d) {
    return kv::DecimalText(d.Day) + L"." + kv::DecimalText(d.Month) + L"." + kv::DecimalText(d.Year);
}

void CommitOptions(const OptionsValues& v, const OptionsEnvironment& env) {
    Forwarded(conModule, L"AcceptOptions", [&] {
        ProgramState& s = State();
        const bool boot = env.BootIniWritable();

        s.VisibleOptions = VisibleOptionsOf(v.View);
        s.VisibleMenuOptions = VisibleMenuOptionsOf(v.ViewMenu);
        s.StandardMenuOption = StandardMenuOptionOf(v.ViewMenu);
        // Without a chosen row the boot default stays as it is.
        const bool systemChosen = boot && v.SelectedSystem >= 0 && v.SelectedSystem < static_cast<long>(v.Systems.size());
        if (boot) {
            if (systemChosen) s.StandardSystem = v.Systems[v.SelectedSystem];
            s.ResetToStandard = v.ResetToStandard;
            s.AutoDialog = v.AutoDialog;
            if (systemChosen) SetStandardSystem(s.StandardSystem);
        }
        const std::wstring closeTime = v.CloseTime.empty() ? std::wstring(L"999999") : v.CloseTime;

        s.AutoLogon = v.AutoLogon;
        s.RepeatAutoLogon = v.RepeatAutoLogon;
        s.TimedActionImmediate = v.TimedActionImmediate;
        s.SwitchOff = v.SwitchOff;
        s.ShortcutQuitImmedate = v.ShortcutQuitImmediate;
        s.ShortcutConfirmationMsg = v.ShortcutConfirmationMsg;
        s.QuitSaveImmediate = v.SaveQuitImmediateState;
        s.AllowUnsaveQuit = v.AllowUnsaveQuit;
        if (!s.AllowUnsaveQuit) {
            s.QuitImmediate = false;
            WriteSetting(L"QuitImmediate", conSG_Options, kv::Variant(0L));
        }
        s.TimeAction = v.TimeAction;
        s.TimeForAction = TimeOf(v.TimeForAction);
        s.TimeDateForAction = MakeDate(v.TimeDateForAction.Year, v.TimeDateForAction.Month, v.TimeDateForAction.Day);
        s.TimeCountdown = TimeOf(v.TimeCountdown);
        s.TimeWeekday = v.TimeWeekday;
        if (WholeNumberIn(v.TimeMonthDay, 1, 31)) s.TimeMonthDay = std::stol(v.TimeMonthDay);
        s.TimeActionType = v.TimeActionType;
        if (WholeNumberIn(v.TimeWarningLead, 0, conWarningLeadMax)) s.TimeWarningLead = std::stol(v.TimeWarningLead);
        if (WholeNumberIn(v.TimeIdleMinutes, 1, conIdleMinutesMax)) s.TimeIdleMinutes = std::stol(v.TimeIdleMinutes);
        s.TimeIdleNoFullScreen = v.TimeIdleNoFullScreen;
        s.TimeProcessName = v.TimeProcess.Name;
        s.TimeProcessId = static_cast<long>(v.TimeProcess.ProcessId);

        auto flag = [](bool b) { return kv::Variant(b ? 1L : 0L); };
        WriteSetting(L"VisibleOptions", conSG_Options, s.VisibleOptions);
        WriteSetting(L"VisibleMenuOptions", conSG_Options, s.VisibleMenuOptions);
        WriteSetting(L"StandardMenuOption", conSG_Options, s.StandardMenuOption);
        WriteSetting(L"AllowUnsaveQuit", conSG_Options, flag(s.AllowUnsaveQuit));
        WriteSetting(L"QuitSaveImmediate", conSG_Options, flag(s.QuitSaveImmediate));
        WriteSetting(L"ShowSplash", conSG_Options, flag(v.ShowSplash));
        s.ShowSplash = v.ShowSplash;
        WriteSetting(L"AutoLogon", conSG_Options, flag(s.AutoLogon));
        WriteSetting(L"RepeatAutoLogon", conSG_Options, flag(s.RepeatAutoLogon));
        WriteSetting(L"UserName", conSG_Options, v.UserName);
        // The password is kept (in clear, as the page warns) only while it is used.
        WriteSetting(L"Password", conSG_Options, s.AutoLogon ? v.Password : std::wstring());
        WriteSetting(L"SwitchOff", conSG_Options, flag(s.SwitchOff));
        WriteSetting(L"ShortcutQuitImmedate", conSG_Options, flag(s.ShortcutQuitImmedate));
        WriteSetting(L"ShortcutConfirmationMsg", conSG_Options, flag(s.ShortcutConfirmationMsg));
        WriteSetting(L"TimeAction", conSG_Options, s.TimeAction);
        WriteSetting(L"TimeForAction", conSG_Options, TimeText(v.TimeForAction));
        WriteSetting(L"TimedActionImmediate", conSG_Options, flag(s.TimedActionImmediate));
        WriteSetting(L"TimeDateForAction", conSG_Options, DateText(v.TimeDateForAction));
        WriteSetting(L"TimeCountdown", conSG_Options, TimeText(v.TimeCountdown));
        WriteSetting(L"TimeWeekday", conSG_Options, kv::Variant(s.TimeWeekday));
        WriteSetting(L"TimeMonthDay", conSG_Options, kv::Variant(s.TimeMonthDay));
        WriteSetting(L"TimeActionType", conSG_Options, kv::Variant(s.TimeActionType));
        WriteSetting(L"TimeWarningLead", conSG_Options, kv::Variant(s.TimeWarningLead));
        WriteSetting(L"TimeIdleMinutes", conSG_Options, kv::Variant(s.TimeIdleMinutes));
        WriteSetting(L"TimeIdleNoFullScreen", conSG_Options, flag(s.TimeIdleNoFullScreen));
        WriteSetting(L"TimeProcessName", conSG_Options, s.TimeProcessName);
        WriteSetting(L"TimeProcessId", conSG_Options, kv::Variant(s.TimeProcessId));

        WriteShortcuts(v.Shortcuts);
        if (!env.Windows9x) WriteSetting(L"Domain", conSG_Options, v.Domain);
        if (boot) {
            WriteSetting(L"StandardSystem", conSG_Options, s.StandardSystem);
            WriteSetting(L"ResetToStandard", conSG_Options, flag(s.ResetToStandard));
            WriteSetting(L"AutoDialog", conSG_Options, flag(s.AutoDialog));
            WriteSetting(L"AutoClose", conSG_Options, flag(v.AutoClose));
            WriteSetting(L"CloseTime", conSG_Options, closeTime);
            WriteSetting(L"CloseType", conSG_Options, kv::Variant(v.CloseType));
        }
        WriteSetting(VersionGlobal().InfoApplication(), conSG_Autostart,
                     v.AutoStart ? ProgramFileName() : std::wstring());
        SetAutoLogon(s.AutoLogon, false, v.HideUsername, v.ForceLogon);
        if (boot) WriteTimeOut(std::stol(v.BootMenuTime));

        // The timed action starts anew with the accepted values.
        SetCountdownStart(Now());
        ClearTimedActionDone();
        SetTimedActionTimer(s.TimeActionType != conTA_Off);
    });
}

void SaveDialogState(const OptionsValues& v, const TwipsRectangle& r) {
    Forwarded(conModule, L"UnloadOptions", [&] {
        auto flag = [](bool b) { return kv::Variant(b ? 1L : 0L); };
        WriteSetting(L"LastOptionTab", conSG_PrgSettings, kv::Variant(v.Page));
        WriteSetting(L"LastPathOption", conSG_PrgSettings, kv::Variant(v.LastPathOption));
        WriteSetting(L"ConfirmationOption", conSG_PrgSettings, flag(v.Confirmation));
        WriteSetting(L"QuitImmediateLink", conSG_Options, flag(v.QuitImmediateLink));
        WriteSetting(L"OptionDialogLeft", conSG_Options, kv::Variant(r.Left));
        WriteSetting(L"OptionDialogTop", conSG_Options, kv::Variant(r.Top));
        WriteSetting(L"OptionDialogWidth", conSG_Options, kv::Variant(r.Width));
        WriteSetting(L"OptionDialogHeight", conSG_Options, kv::Variant(r.Height));
        WriteSetting(L"LinkAction", conSG_Options, v.LinkAction);
        WriteSetting(L"RemoteComputer", conSG_Options, v.RemoteComputer);
        wchar_t delay[48];
        wsprintfW(delay, L"%02ld:%02ld:%02ld", v.RemoteActionIn.Hour, v.RemoteActionIn.Minute,
                 v.RemoteActionIn.Second);
        WriteSetting(L"RemoteActionIn", conSG_Options, std::wstring(delay));
        WriteSetting(L"RemoteMessage", conSG_Options, v.RemoteMessage);
        WriteSetting(L"RemoteAction", conSG_Options, kv::Variant(v.RemoteAction));
        WriteSetting(L"RemoteQuitImmediate", conSG_Options, flag(v.RemoteQuitImmediate));
        WriteSetting(L"RemoteShowSuccessMsg", conSG_Options, flag(v.RemoteShowSuccessMsg));
    });
}

TwipsRectangle DialogRectangle() {
    return Forwarded(conModule, L"OpenOptions", [] {
        TwipsRectangle r{ReadNumberSetting(L"OptionDialogLeft", conSG_Options, -1),
                         ReadNumberSetting(L"OptionDialogTop", conSG_Options, -1),
                         ReadNumberSetting(L"OptionDialogWidth", conSG_Options, -1),
                         ReadNumberSetting(L"OptionDialogHeight", conSG_Options, -1)};
        if (r.Left == -1 || r.Top == -1 || r.Width == -1 || r.Height == -1) {
            r.Width = conDefaultWidth;
            r.Height = conDefaultHeight;
            r.Left = (kv::PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN)) - conDefaultWidth) / 2;
            r.Top = (kv::PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN)) - conDefaultHeight) / 2;
        }
        return r;
    });
}

}  // namespace kvr::options
