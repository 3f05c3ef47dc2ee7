// The timed action: which moment is due, performing it, and the timer that checks it.
#include "work/basTimedAction.h"

#include <optional>

#include "LastError.h"
#include "program/Clock.h"
#include "program/basGlobals.h"
#include "work/EngineHooks.h"
#include "program/basTools.h"
#include "work/basWork.h"

namespace kvr {

namespace {

// The timed action belongs to the action engine; its errors name that module.
constexpr const wchar_t* conModule = L"basWork";

constexpr long long conSecondsPerDay = 86400;
// A due moment counts for 5 seconds. The calendar is asked whether the day is an action day
// only up to 10 seconds after the time of day.
constexpr long long conDueWindow = 5;
constexpr long long conResetWindowEnd = 10;

struct TimedActionTimer {
    HWND window = nullptr;
    bool on = false;
    UINT interval = 0;
} g_timer;

// The due moment (whole seconds) whose action has run: it does not fire a second time,
// however the ticks fall (a rebuilt program, a tick twice in a second). A countdown has none.
std::optional<long long> g_firedMoment;
std::optional<long long> g_countdownStart;  // whole seconds
ITimedActionView* g_view = nullptr;
bool g_ticking = false;  // a tick is on the stack

std::optional<long long> NextDueMoment(long lngType, long long llNow);

// How long the timer waits: a second while a countdown runs; else until a second after the
// next due moment (the clock counts whole seconds, and a tick must not come before it), at
// most an hour, so a clock that drifts without notice is caught in time.
UINT NextInterval() {
    const long type = State().TimeActionType;
    if (type < conTA_Once || type > conTA_Monthly) return conTimedActionInterval;
    const long long now = WholeSeconds(Now());
    const std::optional<long long> due = NextDueMoment(type, now);
    if (!due) return conTimedActionLongestWait;
    const long long wait = (*due - now) * 1000 + 1000;
    if (wait < USER_TIMER_MINIMUM) return USER_TIMER_MINIMUM;
    return wait > conTimedActionLongestWait ? conTimedActionLongestWait : static_cast<UINT>(wait);
}

void StartTimer(HWND hwnd) {
    g_timer.interval = NextInterval();
    if (hwnd) kv::RaiseLastErrorIf(SetTimer(hwnd, conTimedActionTimerId, g_timer.interval, nullptr) == 0);
}

void StopTimer(HWND hwnd) {
    if (IsWindow(hwnd)) kv::RaiseLastErrorIf(!KillTimer(hwnd, conTimedActionTimerId));
}

// The date of a moment (its time of day dropped).
kv::Date DateOf(long long llMoment) {
    SYSTEMTIME st = ToSystemTime(FromWholeSeconds(llMoment));
    return MakeDate(st.wYear, st.wMonth, st.wDay);
}

// Seconds from the most recent moment at or before now whose time of day is the action's.
// Counted across midnight, so a time just before midnight has its windows on the next day.
long long SinceTimeOfDay(long long llNow, kv::Date dtmTimeOfDay) {
    long long since = (llNow - ConvertToSeconds(dtmTimeOfDay)) % conSecondsPerDay;
    return since < 0 ? since + conSecondsPerDay : since;
}

// Whether the repeating type falls on the day of that moment.
bool OnActionDay(long lngType, long long llDueMoment) {
    const ProgramState& s = State();
    kv::Date day = DateOf(llDueMoment);
    if (lngType == conTA_Weekly) return GetWeekdayNumber(day) == s.TimeWeekday;
    if (lngType == conTA_Monthly) {
        SYSTEMTIME st = ToSystemTime(day);
        // 31 means the last day in shorter months.
        long target = s.TimeMonthDay;
        long days = GetMonthDays(st.wMonth, st.wYear).ToLong();
        if (target > days) target = days;
        return st.wDay == target;
    }
    return true;
}

// Performs the action. The timer is off while it runs, so a slow action cannot start twice.
// Whatever the action's outcome, a repeating type is armed again and a one-time type is
// switched off; a failure is raised after that.
void PerformTimedAction(long lngType, std::optional<long long> llDueMoment = std::nullopt) {
    ProgramState& s = State();
    g_firedMoment = llDueMoment;
    SetTimedActionTimer(false);

    // Copies: a refused exit rebuilds the program, which reads the settings anew.
    const std::wstring action = s.TimeAction;
    const bool force = s.TimedActionImmediate;
    std::optional<kv::KVError> failure;
    try {
        RebootWindows(action, force);
    } catch (const kv::KVError& error) {
        failure = error;
    }
    // A refused exit rebuilt the program, which starts with the flag cleared and the timer
    // armed from the settings; this due moment has had its action all the same.
    g_firedMoment = llDueMoment;

    if (lngType == conTA_Daily || lngType == conTA_Weekly || lngType == conTA_Monthly) {
        SetTimedActionTimer(true);
    } else {
        SetTimedActionTimer(false);
        State().TimeActionType = conTA_Off;
        if (g_view) g_view->SelectTimedActionType(conTA_Off);
        WriteSetting(L"TimeActionType", conSG_Options, static_cast<long>(conTA_Off));
    }
    if (failure) throw *failure;
}

// The countdown's seconds left at the last tick.
long g_remaining = 0;

// The moment in the regional short date and time format.
std::wstring DateTimeText(long long llMoment) {
    SYSTEMTIME st = ToSystemTime(FromWholeSeconds(llMoment));
    wchar_t date[128] = {}, time[128] = {};
    kv::RaiseLastErrorIf(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128) == 0);
    kv::RaiseLastErrorIf(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 128) == 0);
    return std::wstring(L"am ") + date + L" um " + time;
}

// The moment a time-based action is due next: the due moment still to come, or the one
// whose due window is open and has not fired. None for a day that never comes.
std::optional<long long> NextDueMoment(long lngType, long long llNow) {
    const ProgramState& s = State();
    if (lngType == conTA_Once)
        return WholeSeconds(DateOf(WholeSeconds(s.TimeDateForAction))) + ConvertToSeconds(s.TimeForAction);
    const long long today = WholeSeconds(DateOf(llNow)), time = ConvertToSeconds(s.TimeForAction);
    // Every day of the month comes within two months.
    for (long long day = -1; day <= 62; ++day) {
        const long long due = today + day * conSecondsPerDay + time;
        const bool ahead = due > llNow || (llNow - due <= conDueWindow && g_firedMoment != due);
        if (ahead && OnActionDay(lngType, due)) return due;
    }
    return std::nullopt;
}

// Shows the armed action and the time left (countdown) or the moment it is due; nothing
// when no moment comes.
void ShowArmed(long lngType, long long llNow) {
    std::wstring when;
    if (lngType == conTA_Countdown) {
        if (g_remaining > 0) when = L" in " + ConvertToHHMMSS(g_remaining);
    } else if (lngType >= conTA_Once && lngType <= conTA_Monthly) {
        if (std::optional<long long> due = NextDueMoment(lngType, llNow)) when = L" " + DateTimeText(*due);
    }
    const std::wstring action = State().TimeAction.empty() ? std::wstring(conProjectName) : State().TimeAction;
    if (Hooks().ShowArmedAction) Hooks().ShowArmedAction(when.empty() ? L"" : action, when);
}

void CheckCountdown(long long llNow) {
    if (!g_countdownStart) g_countdownStart = llNow;
    long remaining = ConvertToSeconds(State().TimeCountdown) - static_cast<long>(llNow - *g_countdownStart);
    g_remaining = remaining;
    if (g_view) g_view->ShowTimedActionStatus(TimedActionStatusText(remaining));
    if (remaining > 0) return;
    g_countdownStart.reset();  // spent; the next countdown brings its own start
    PerformTimedAction(conTA_Countdown);
}

// Types 2-5: llSince is the time from the due moment to now.
void CheckDueWindow(long lngType, long long llNow, long long llSince, bool blnOnActionDay) {
    const long long due = llNow - llSince;
    if (llSince >= 0 && llSince <= conDueWindow && g_firedMoment != due && blnOnActionDay)
        PerformTimedAction(lngType, due);
}

void Tick() {
    const ProgramState& s = State();
    const long type = s.TimeActionType;
    const long long now = WholeSeconds(Now());
    switch (type) {
        case conTA_Countdown:
            CheckCountdown(now);
            break;
        case conTA_Once: {
            long long due = WholeSeconds(DateOf(WholeSeconds(s.TimeDateForAction))) + ConvertToSeconds(s.TimeForAction);
            CheckDueWindow(type, now, now - due, true);
            break;
        }
        case conTA_Daily:
        case conTA_Weekly:
        case conTA_Monthly: {
            long long since = SinceTimeOfDay(now, s.TimeForAction);
            // The day check costs a look at the calendar; only near the due moment.
            bool nearDue = since <= conResetWindowEnd;
            CheckDueWindow(type, now, since, nearDue && OnActionDay(type, now - since));
            break;
        }
        default:
            break;
    }
    // An action that fired and switched itself off has put the program's name back.
    if (g_timer.on) {
        ShowArmed(type, now);
        if (type != conTA_Countdown) StartTimer(g_timer.window);  // until the next due moment
    }
}

}  // namespace

void ExecuteTimedAction() {
    if (g_ticking) return;
    struct Busy {
        Busy() { g_ticking = true; }
        ~Busy() { g_ticking = false; }
    } busy;
    Shown(conModule, L"ExecuteTimedAction", Tick);
}

void SetTimedActionTimerWindow(HWND hwnd) {
    Forwarded(conModule, L"SetTimedActionTimerWindow", [&] {
        if (g_timer.window == hwnd) return;
        HWND previous = g_timer.window;
        g_timer.window = hwnd;
        if (!g_timer.on) return;
        if (previous) StopTimer(previous);
        if (hwnd) StartTimer(hwnd);
    });
}

void SetTimedActionTimer(bool blnOn) {
    Forwarded(conModule, L"SetTimedActionTimer", [&] {
        // A window destroyed without signing off (the tear-down before an action) took its
        // timer with it; the state is all that is left to keep.
        if (g_timer.window && !IsWindow(g_timer.window)) g_timer.window = nullptr;
        HWND hwnd = g_timer.window;
        if (blnOn) StartTimer(hwnd);  // again while on: the interval starts anew
        if (hwnd && !blnOn && g_timer.on) StopTimer(hwnd);
        g_timer.on = blnOn;
        if (!blnOn) {
            g_timer.interval = 0;
            if (Hooks().ShowArmedAction) Hooks().ShowArmedAction(L"", L"");  // nothing is armed
        }
    });
}

bool TimedActionTimerOn() { return g_timer.on; }

void RearmTimedAction() {
    Shown(conModule, L"RearmTimedAction", [] {
        if (g_timer.on) StartTimer(g_timer.window);
    });
}

UINT TimedActionTimerInterval() { return g_timer.interval; }

void ClearTimedActionDone() { g_firedMoment.reset(); }

void SetCountdownStart(kv::Date dtmStart) { g_countdownStart = WholeSeconds(dtmStart); }

std::wstring TimedActionStatusText(long lngRemaining) {
    return Forwarded(conModule, L"TimedActionStatusText", [&] {
        if (lngRemaining <= 0) return std::wstring(L"Nicht aktiv");
        std::wstring caption;
        for (const wchar_t* c = conTimedActionTypeCaptions[conTA_Countdown]; *c; ++c)
            if (*c != L'&') caption += *c;
        return L"'" + caption + L"' läuft (" + ConvertToHHMMSS(lngRemaining) + L")...";
    });
}

void SetTimedActionView(ITimedActionView* view) { g_view = view; }

}  // namespace kvr
