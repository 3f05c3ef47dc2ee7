// The start-up rules of the resident program and of dialog mode: the settings held for the
// run and the values every start resets.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MessageBoxSeam.h"
#include "WindowBase.h"

#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "work/TimedActionChecks.h"
#include "work/basTimedAction.h"
#include "work/basWork.h"
#include "ui/main/frmMain.h"
#include "DecimalText.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"basMain";

bool ReadFlag(const wchar_t* name, long group, bool defaultValue) { return ReadFlagSetting(name, group, defaultValue); }
std::wstring ReadText(const wchar_t* name) { return ReadTextSetting(name, conSG_Options, L""); }
long ReadNumber(const wchar_t* name, long defaultValue, long lngMin = -2147483647L - 1, long lngMax = 2147483647L) {
    return ReadNumberSetting(name, conSG_Options, defaultValue, lngMin, lngMax);
}

// Piece 1, 2 or 3 of a text separated by strSeparator, as a whole number.
long NumberItem(const std::wstring& strText, const wchar_t* strSeparator, long lngColumn) {
    long start = 0;
    return kv::Variant(Helper().ExtractItem(start, strText, strSeparator, L"", lngColumn)).ToLong();
}

// The current time and date in the stored text forms, as the defaults of the time values.
std::wstring NowTimeText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return kv::DecimalText(now.wHour) + L":" + kv::DecimalText(now.wMinute) + L":" + kv::DecimalText(now.wSecond);
}
std::wstring TodayText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return kv::DecimalText(now.wDay) + L"." + kv::DecimalText(now.wMonth) + L"." + kv::DecimalText(now.wYear);
}

}  // namespace

kv::Date ReadTimeText(const std::wstring& strTime) {
    return MakeTime(NumberItem(strTime, L":", 1), NumberItem(strTime, L":", 2), NumberItem(strTime, L":", 3));
}

kv::Date ReadDateText(const std::wstring& strDate) {
    return MakeDate(NumberItem(strDate, L".", 3), NumberItem(strDate, L".", 2), NumberItem(strDate, L".", 1));
}

void ReadProgramSettings() {
    Forwarded(conModule, L"ReadProgramSettings", [] {
        ProgramState& s = State();
        s.VisibleOptions = ReadText(L"VisibleOptions");
        s.VisibleMenuOptions = ReadText(L"VisibleMenuOptions");
        s.StandardMenuOption = ReadText(L"StandardMenuOption");
        s.LastSelectedOption = ReadText(L"LastSelectedOption");
        s.StandardSystem = ReadText(L"StandardSystem");
        s.AutoDialog = ReadFlag(L"AutoDialog", conSG_Options, false);
        s.ResetToStandard = ReadFlag(L"ResetToStandard", conSG_Options, true);
        s.AllowUnsaveQuit = ReadFlag(L"AllowUnsaveQuit", conSG_Options, false);
        s.QuitImmediate = ReadFlag(L"QuitImmediate", conSG_Options, false);
        s.QuitSaveImmediate = ReadFlag(L"QuitSaveImmediate", conSG_Options, false);
        s.AutoLogon = ReadFlag(L"AutoLogon", conSG_Options, false);
        s.RepeatAutoLogon = ReadFlag(L"RepeatAutoLogon", conSG_Options, false);
        s.ShortcutQuitImmedate = ReadFlag(L"ShortcutQuitImmedate", conSG_Options, false);
        s.ShortcutConfirmationMsg = ReadFlag(L"ShortcutConfirmationMsg", conSG_Options, false);
        s.TimeAction = ReadText(L"TimeAction");
        s.TimeForAction = ReadConvertedSetting(L"TimeForAction", conSG_Options, NowTimeText(), ReadTimeText);
        s.TimeDateForAction = ReadConvertedSetting(L"TimeDateForAction", conSG_Options, TodayText(), ReadDateText);
        s.TimeCountdown = ReadConvertedSetting(L"TimeCountdown", conSG_Options, L"01:00:00", ReadTimeText);
        s.TimeWeekday = ReadNumber(L"TimeWeekday", 0, 0, 7);
        s.TimeMonthDay = ReadNumber(L"TimeMonthDay", 1, 1, 31);
        s.TimeActionType = ReadNumber(L"TimeActionType", conTA_Countdown, conTA_Off, conTA_Last);
        s.TimeWarningLead = ReadNumber(L"TimeWarningLead", 60, 0, conWarningLeadMax);
        s.TimeIdleMinutes = ReadNumber(L"TimeIdleMinutes", 30, 1, conIdleMinutesMax);
        s.TimeIdleNoFullScreen = ReadFlag(L"TimeIdleNoFullScreen", conSG_Options, true);
        s.TimeProcessName = ReadText(L"TimeProcessName");
        s.TimeProcessId = ReadNumber(L"TimeProcessId", 0, 0);
        s.WindowLeft = ReadNumber(L"WindowLeft", -1);
        s.WindowTop = ReadNumber(L"WindowTop", -1);
        s.WindowWidth = ReadNumber(L"WindowWidth", -1);
        s.WindowHeight = ReadNumber(L"WindowHeight", -1);
    });
}

void ResetOneTimeCountdown() {
    Forwarded(conModule, L"ResetOneTimeCountdown", [] {
        // The program a process trigger waited for belongs to the run before: it never
        // survives a start either (it would fire at once when that program is not running).
        if (State().TimeActionType != conTA_Countdown && State().TimeActionType != conTA_ProcessEnd) return;
        State().TimeActionType = conTA_Off;
        WriteSetting(L"TimeActionType", conSG_Options, static_cast<long>(conTA_Off));
    });
}

void ApplyQuitImmediateRules() {
    Forwarded(conModule, L"ApplyQuitImmediateRules", [] {
        ProgramState& s = State();
        if (s.QuitSaveImmediate) return;
        s.QuitImmediate = false;  // in memory only
        s.ShortcutQuitImmedate = false;
        WriteSetting(L"ShortcutQuitImmedate", conSG_Options, 0L);
    });
}

void ApplyAutoLogonAtStart() {
    Forwarded(conModule, L"ApplyAutoLogonAtStart", [] {
        ProgramState& s = State();
        if (s.AutoLogon && s.RepeatAutoLogon) {
            SetAutoLogon(true, true);  // again for the next Windows start
        } else {
            SetAutoLogon(false, true);
            s.AutoLogon = false;
        }
    });
}

void ResetUnloadDialogFlag() {
    Forwarded(conModule, L"ResetUnloadDialogFlag", [] {
        WriteSetting(L"DontShowUnloadDialog", conSG_PrgSettings, 0L);
    });
}

void ApplyStandardSystem() {
    Forwarded(conModule, L"ApplyStandardSystem", [] {
        ProgramState& s = State();
        // Without a standard of the user's own the current default is the standard, and it
        // is where it belongs: nothing to write.
        if (s.StandardSystem.empty()) {
            s.StandardSystem = GetStandardOption();
            return;
        }
        // A write-protected boot.ini was reported by the first run; starts stay silent.
        if (!s.ResetToStandard || IsBootIniWriteProtected()) return;
        try {
            SetStandardSystem(s.StandardSystem);
        } catch (const kv::KVError& error) {
            const long number = error.Number;
            if (number != conErrUnknownSystem && number != conErrAmbiguousSystem) throw;
            // Told once a run (a rebuilt program does not repeat it); boot.ini stays as it is.
            if (s.StandardSystemReported) return;
            s.StandardSystemReported = true;
            Helper().ShowError(conProjectName, conModule, L"ApplyStandardSystem", error);
        }
    });
}

namespace {

// One message for all settings repaired while starting.
void ReportRepairedSettings() {
    Forwarded(conModule, L"ReportRepairedSettings", [] {
        const std::vector<std::wstring> names = TakeRepairedSettings();
        if (names.empty()) return;
        std::wstring list;
        for (const std::wstring& name : names) list += (list.empty() ? L"\"" : L", \"") + name + L"\"";
        const std::wstring text =
            names.size() == 1
                ? L"Die gespeicherte Einstellung " + list +
                      L" war ungültig und wurde auf ihren Standardwert zurückgesetzt."
                : L"Die gespeicherten Einstellungen " + list +
                      L" waren ungültig und wurden auf ihre Standardwerte zurückgesetzt.";
        kv::MessageBoxes().Show(nullptr, text, VersionGlobal().InfoApplication(), MB_OK | MB_ICONEXCLAMATION);
    });
}

}  // namespace

TwipsRect MainWindowRect() {
    const ProgramState& s = State();
    constexpr long conWidth = 5805, conHeight = 5535;
    if (s.WindowLeft != -1 && s.WindowTop != -1 && s.WindowWidth != -1 && s.WindowHeight != -1) {
        // The saved place counts only on a monitor that is there now; a window larger than
        // that monitor's work area is made to fit, and one hanging over its edge is pulled in.
        RECT saved{kv::TwipsToPixelsX(s.WindowLeft), kv::TwipsToPixelsY(s.WindowTop), 0, 0};
        saved.right = saved.left + std::max(kv::TwipsToPixelsX(s.WindowWidth), 1L);
        saved.bottom = saved.top + std::max(kv::TwipsToPixelsY(s.WindowHeight), 1L);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (HMONITOR on = MonitorFromRect(&saved, MONITOR_DEFAULTTONULL); on && GetMonitorInfoW(on, &monitor)) {
            const RECT& area = monitor.rcWork;
            const long width = std::min(saved.right - saved.left, area.right - area.left);
            const long height = std::min(saved.bottom - saved.top, area.bottom - area.top);
            const long left = std::clamp(saved.left, area.left, area.right - width);
            const long top = std::clamp(saved.top, area.top, area.bottom - height);
            return {kv::PixelsToTwipsX(left), kv::PixelsToTwipsY(top), kv::PixelsToTwipsX(width), kv::PixelsToTwipsY(height)};
        }
    }

    // Centred on the work area of the primary monitor.
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const long width = std::min(kv::TwipsToPixelsX(conWidth), area.right - area.left);
    const long height = std::min(kv::TwipsToPixelsY(conHeight), area.bottom - area.top);
    return {kv::PixelsToTwipsX(area.left + (area.right - area.left - width) / 2),
            kv::PixelsToTwipsY(area.top + (area.bottom - area.top - height) / 2), kv::PixelsToTwipsX(width),
            kv::PixelsToTwipsY(height)};
}

bool ApplyStartupRules([[maybe_unused]] bool blnFirstStart) {
    return Forwarded(conModule, L"ApplyStartupRules", [] {
        ReadProgramSettings();
        ResetOneTimeCountdown();
        ApplyQuitImmediateRules();
        ApplyAutoLogonAtStart();
        const bool firstRun = ReadFlag(L"RunFirstTime", conSG_PrgSettings, true);
        ResetUnloadDialogFlag();
        ApplyStandardSystem();
        PlaceMainWindow();  // nothing before the main window is loaded
        // A failed first run ends the program silently (RunFirstTime showed why).
        const bool go = !firstRun || RunFirstTime();
        ReportRepairedSettings();
        return go;
    });
}

}  // namespace kvr
