// The start-up rules of the resident program and of dialog mode: the settings held for the
// run and the values every start resets.
#include <windows.h>

#include <string>

#include "basGlobals.h"
#include "basMain.h"
#include "basTools.h"
#include "basWork.h"
#include "frmMain.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"basMain";

bool ReadFlag(const wchar_t* name, long group, long defaultValue) {
    return ReadSetting(name, group, defaultValue).ToLong() != 0;
}
std::wstring ReadText(const wchar_t* name, const wchar_t* defaultValue = L"") {
    return ReadSetting(name, conSG_Options, defaultValue).ToString();
}
long ReadNumber(const wchar_t* name, long defaultValue) {
    return ReadSetting(name, conSG_Options, defaultValue).ToLong();
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
    return std::to_wstring(now.wHour) + L":" + std::to_wstring(now.wMinute) + L":" + std::to_wstring(now.wSecond);
}
std::wstring TodayText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return std::to_wstring(now.wDay) + L"." + std::to_wstring(now.wMonth) + L"." + std::to_wstring(now.wYear);
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
        s.AutoDialog = ReadFlag(L"AutoDialog", conSG_Options, 0);
        s.ResetToStandard = ReadFlag(L"ResetToStandard", conSG_Options, 1);
        s.AllowUnsaveQuit = ReadFlag(L"AllowUnsaveQuit", conSG_Options, 0);
        s.QuitImmediate = ReadFlag(L"QuitImmediate", conSG_Options, 0);
        s.QuitSaveImmediate = ReadFlag(L"QuitSaveImmediate", conSG_Options, 0);
        s.AutoLogon = ReadFlag(L"AutoLogon", conSG_Options, 0);
        s.RepeatAutoLogon = ReadFlag(L"RepeatAutoLogon", conSG_Options, 0);
        s.ShortcutQuitImmedate = ReadFlag(L"ShortcutQuitImmedate", conSG_Options, 0);
        s.ShortcutConfirmationMsg = ReadFlag(L"ShortcutConfirmationMsg", conSG_Options, 0);
        s.TimeAction = ReadText(L"TimeAction");
        s.TimeForAction = ReadTimeText(ReadText(L"TimeForAction", NowTimeText().c_str()));
        s.TimeDateForAction = ReadDateText(ReadText(L"TimeDateForAction", TodayText().c_str()));
        s.TimeCountdown = ReadTimeText(ReadText(L"TimeCountdown", L"01:00:00"));
        s.TimeWeekday = ReadNumber(L"TimeWeekday", 0);
        s.TimeMonthDay = ReadNumber(L"TimeMonthDay", 1);
        s.TimeActionType = ReadNumber(L"TimeActionType", 1);
        s.WindowLeft = ReadNumber(L"WindowLeft", -1);
        s.WindowTop = ReadNumber(L"WindowTop", -1);
        s.WindowWidth = ReadNumber(L"WindowWidth", -1);
        s.WindowHeight = ReadNumber(L"WindowHeight", -1);
    });
}

void ResetOneTimeCountdown() {
    Forwarded(conModule, L"ResetOneTimeCountdown", [] {
        if (State().TimeActionType != 1) return;
        State().TimeActionType = 0;
        WriteSetting(L"TimeActionType", conSG_Options, 0L);
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
        if (s.StandardSystem.empty()) s.StandardSystem = GetStandardOption();
        // An empty name would match every line of boot.ini and move the default to the last
        // system listed; with no standard known the default stays as it is.
        if (s.ResetToStandard && !s.StandardSystem.empty()) SetStandardSystem(s.StandardSystem);
    });
}

TwipsRect MainWindowRect() {
    const ProgramState& s = State();
    if (s.WindowLeft != -1 && s.WindowTop != -1 && s.WindowWidth != -1 && s.WindowHeight != -1)
        return {s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight};

    constexpr long conWidth = 5805, conHeight = 5535;
    HDC screen = GetDC(nullptr);
    const long dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const long dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    const long screenWidth = GetSystemMetrics(SM_CXSCREEN) * 1440L / dpiX;
    const long screenHeight = GetSystemMetrics(SM_CYSCREEN) * 1440L / dpiY;
    return {(screenWidth - conWidth) / 2, (screenHeight - conHeight) / 2, conWidth, conHeight};
}

bool ApplyStartupRules([[maybe_unused]] bool blnFirstStart) {
    return Forwarded(conModule, L"ApplyStartupRules", [] {
        ReadProgramSettings();
        ResetOneTimeCountdown();
        ApplyQuitImmediateRules();
        ApplyAutoLogonAtStart();
        const bool firstRun = ReadFlag(L"RunFirstTime", conSG_PrgSettings, 1);
        ResetUnloadDialogFlag();
        ApplyStandardSystem();
        PlaceMainWindow();  // nothing before the main window is loaded
        // A failed first run ends the program silently (RunFirstTime showed why).
        return !firstRun || RunFirstTime();
    });
}

}  // namespace kvr
