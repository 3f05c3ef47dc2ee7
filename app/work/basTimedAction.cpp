// The timed action: which moment is due, performing it, and the timer that checks it.
#include "work/basTimedAction.h"

#include <cwchar>
#include <optional>

#include "LastError.h"
#include "program/Clock.h"
#include "program/basGlobals.h"
#include "work/Activity.h"
#include "work/EngineHooks.h"
#include "work/TimedActionMachine.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "DecimalText.h"

namespace kvr {

namespace {

// The timed action belongs to the action engine; its errors name that module.
constexpr const wchar_t* conModule = L"basWork";

constexpr long long conSecondsPerDay = 86400;

struct TimedActionTimer {
    HWND window = nullptr;
    bool on = false;
    UINT interval = 0;
} g_timer;

// The occurrence (whole seconds) whose action has run: it does not fire a second time when
// the machine is armed anew (a rebuilt program, a clock set back). A countdown has none.
std::optional<long long> g_firedMoment;
std::optional<long long> g_countdownStart;  // whole seconds
ITimedActionView* g_view = nullptr;
bool g_ticking = false;  // a tick is on the stack

TimedActionMachine g_machine;
bool g_warningShown = false;

// What the machine was armed for: a change of any of it arms it anew.
struct ArmedFor {
    long type = 0;
    long long time = 0, date = 0, countdown = 0, countdownStart = 0;
    long weekday = 0, monthDay = 0, lead = 0, idleMinutes = 0;
    bool idleNoFullScreen = false;
    std::wstring processName;
    long processId = 0;
    bool operator==(const ArmedFor&) const = default;
};
std::optional<ArmedFor> g_armedFor;

bool IsMomentType(long lngType) { return lngType >= conTA_Countdown && lngType <= conTA_Monthly; }
bool IsKnownType(long lngType) { return lngType >= conTA_Countdown && lngType <= conTA_Last; }

// The date of a moment (its time of day dropped).
kv::Date DateOf(long long llMoment) {
    SYSTEMTIME st = ToSystemTime(FromWholeSeconds(llMoment));
    return MakeDate(st.wYear, st.wMonth, st.wDay);
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

long long OnceMoment() {
    const ProgramState& s = State();
    return WholeSeconds(DateOf(WholeSeconds(s.TimeDateForAction))) + ConvertToSeconds(s.TimeForAction);
}

// The first occurrence of a time-based type at or after llFrom; none for a day that never
// comes or a moment that has passed.
std::optional<long long> NextOccurrence(long lngType, long long llFrom) {
    const ProgramState& s = State();
    if (lngType == conTA_Countdown) {
        const long long end = *g_countdownStart + ConvertToSeconds(s.TimeCountdown);
        return end >= llFrom ? std::optional<long long>(end) : std::nullopt;
    }
    if (lngType == conTA_Once) {
        const long long once = OnceMoment();
        return once >= llFrom ? std::optional<long long>(once) : std::nullopt;
    }
    const long long first = WholeSeconds(DateOf(llFrom)), time = ConvertToSeconds(s.TimeForAction);
    // Every day of the month comes within two months.
    for (long long day = -1; day <= 62; ++day) {
        const long long due = first + day * conSecondsPerDay + time;
        if (due >= llFrom && OnActionDay(lngType, due)) return due;
    }
    return std::nullopt;
}

ArmedFor CurrentSettings(long long llNow) {
    const ProgramState& s = State();
    ArmedFor a;
    a.type = s.TimeActionType;
    if (a.type == conTA_Countdown) {
        if (!g_countdownStart) g_countdownStart = llNow;  // counts from the first tick that sees it
        a.countdown = ConvertToSeconds(s.TimeCountdown);
        a.countdownStart = *g_countdownStart;
    }
    if (a.type >= conTA_Once && a.type <= conTA_Monthly) a.time = ConvertToSeconds(s.TimeForAction);
    if (a.type == conTA_Once) a.date = WholeSeconds(s.TimeDateForAction);
    if (a.type == conTA_Weekly) a.weekday = s.TimeWeekday;
    if (a.type == conTA_Monthly) a.monthDay = s.TimeMonthDay;
    a.lead = s.TimeWarningLead;
    if (a.type == conTA_Idle) {
        a.idleMinutes = s.TimeIdleMinutes;
        a.idleNoFullScreen = s.TimeIdleNoFullScreen;
    }
    if (a.type == conTA_ProcessEnd) {
        a.processName = s.TimeProcessName;
        a.processId = s.TimeProcessId;
    }
    return a;
}

// Arms the machine for the settings as they are now, unless it is armed for them already.
void EnsureArmed(long long llNow) {
    const long type = State().TimeActionType;
    if (!IsKnownType(type)) {
        g_armedFor.reset();
        g_machine.Disarm();
        return;
    }
    const ArmedFor now = CurrentSettings(llNow);
    if (g_armedFor && *g_armedFor == now) return;
    g_armedFor.reset();
    TriggerSettings t;
    t.LeadSeconds = now.lead > 0 ? now.lead : 0;
    t.Repeating = type == conTA_Daily || type == conTA_Weekly || type == conTA_Monthly || type == conTA_Idle;
    if (IsMomentType(type)) {
        t.Kind = TriggerKind::Moment;
        t.NextOccurrence = [type](long long from) { return NextOccurrence(type, from); };
        NextOccurrence(type, llNow);  // a setting that is no time raises here, not in the machine
    } else if (type == conTA_Idle) {
        t.Kind = TriggerKind::Idle;
        t.IdleSeconds = static_cast<long long>(now.idleMinutes) * 60;
        t.IdleOnlyWithoutFullScreen = now.idleNoFullScreen;
    } else {
        t.Kind = TriggerKind::ProcessEnd;
    }
    if (type == conTA_ProcessEnd)
        Activity().Watch({static_cast<unsigned long>(now.processId), now.processName}, g_timer.window,
                         conTimedActionTimerId);
    else
        Activity().StopWatching();
    g_machine.Arm(t, llNow, g_firedMoment.value_or(0));
    g_armedFor = now;
}

// How long the timer waits: a second while a countdown runs or a warning counts; else until
// a second after the machine's next step is due (the clock counts whole seconds, and a tick
// must not come before it), at most an hour, so a clock that drifts without notice is caught
// in time. A watched program wakes the timer itself.
UINT NextInterval() {
    if (State().TimeActionType == conTA_Countdown || !IsKnownType(State().TimeActionType))
        return conTimedActionInterval;
    const long long now = WholeSeconds(Now());
    EnsureArmed(now);
    const std::optional<long long> wake = g_machine.NextWake(now);
    if (!wake) return conTimedActionLongestWait;
    if (g_machine.Phase() == MachinePhase::Warning) return conTimedActionInterval;
    const long long wait = *wake * 1000 + 1000;
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

void HideWarning() {
    if (!g_warningShown) return;
    g_warningShown = false;
    if (Hooks().HideTimedWarning) Hooks().HideTimedWarning();
}

// Shows the warning, or brings its seconds up to date.
void ShowWarning(long long llNow) {
    if (g_machine.Phase() != MachinePhase::Warning) {
        HideWarning();
        return;
    }
    TimedWarning w;
    const std::wstring& text = State().TimeAction;
    const long actionType = GetActionType(text);
    w.Action = actionType != conAT_None ? ActionName(actionType) : text;
    if (!GetActionSystem(text, w.System)) w.System.clear();
    w.Remaining = static_cast<long>(*g_machine.Due() - llNow);
    w.First = !g_warningShown;
    g_warningShown = true;
    if (Hooks().ShowTimedWarning) Hooks().ShowTimedWarning(w);
}

// A one-time action that fired or was cancelled switches itself off.
void SwitchOff() {
    SetTimedActionTimer(false);
    State().TimeActionType = conTA_Off;
    if (g_view) g_view->SelectTimedActionType(conTA_Off);
    WriteSetting(L"TimeActionType", conSG_Options, static_cast<long>(conTA_Off));
}

bool StaysArmed(long lngType) {
    return lngType == conTA_Daily || lngType == conTA_Weekly || lngType == conTA_Monthly || lngType == conTA_Idle;
}

// Performs the action. The timer is off while it runs, so a slow action cannot start twice.
// Whatever the action's outcome, a repeating type is armed again and a one-time type is
// switched off; a failure is raised after that.
void PerformTimedAction(long lngType) {
    ProgramState& s = State();
    std::optional<long long> fired;
    if (lngType != conTA_Countdown && IsMomentType(lngType)) fired = g_machine.Fired();
    if (lngType == conTA_Countdown) g_countdownStart.reset();  // spent; the next brings its own start
    g_firedMoment = fired;
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
    // armed from the settings; this occurrence has had its action all the same.
    g_firedMoment = fired;
    g_armedFor.reset();

    if (StaysArmed(lngType)) SetTimedActionTimer(true);
    else SwitchOff();
    if (failure) throw *failure;
}

// The moment in the regional short date and time format.
std::wstring DateTimeText(long long llMoment) {
    SYSTEMTIME st = ToSystemTime(FromWholeSeconds(llMoment));
    wchar_t date[128] = {}, time[128] = {};
    kv::RaiseLastErrorIf(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128) == 0);
    kv::RaiseLastErrorIf(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 128) == 0);
    return std::wstring(L"am ") + date + L" um " + time;
}

// A time left as hours:minutes:seconds, two digits each: a duration, never a time of day in
// the regional format (which a 12-hour locale would show as "12:00:09 AM").
std::wstring DurationText(long long llSeconds) {
    wchar_t text[48] = {};
    wsprintfW(text, L"%02ld:%02ld:%02ld", static_cast<long>(llSeconds / 3600), static_cast<long>(llSeconds / 60 % 60),
              static_cast<long>(llSeconds % 60));
    return text;
}

// Shows the armed action and the time left (countdown, warning) or the moment it is due, or
// what it waits for; nothing when nothing comes.
void ShowArmed(long lngType, long long llNow) {
    const ProgramState& s = State();
    const std::optional<long long> due = g_machine.Due();
    std::wstring when;
    if (g_machine.Phase() == MachinePhase::Warning || (lngType == conTA_Countdown && due)) {
        if (*due > llNow) when = L" in " + DurationText(*due - llNow);
    } else if (due) {
        when = L" " + DateTimeText(*due);
    } else if (lngType == conTA_Once) {
        when = L" " + DateTimeText(OnceMoment());  // passed: it stays armed until changed
    } else if (lngType == conTA_Idle && g_machine.Phase() == MachinePhase::Armed) {
        when = L" nach " + kv::DecimalText(s.TimeIdleMinutes) + L" min Leerlauf";
    } else if (lngType == conTA_ProcessEnd && g_machine.Phase() == MachinePhase::Armed) {
        when = L" nach Ende von " + s.TimeProcessName;
    }
    const std::wstring action = s.TimeAction.empty() ? std::wstring(conProjectName) : s.TimeAction;
    if (Hooks().ShowArmedAction) Hooks().ShowArmedAction(when.empty() ? L"" : action, when);
}

// What the machine sees now; the system is asked only what the trigger needs.
Observation Observe(long lngType, long long llNow) {
    Observation seen;
    seen.Now = llNow;
    if (lngType == conTA_Idle) {
        seen.LastInput = llNow - Activity().IdleSeconds();
        if (State().TimeIdleNoFullScreen) seen.FullScreen = Activity().FullScreenRunning();
    }
    if (lngType == conTA_ProcessEnd) seen.ProcessEnded = Activity().WatchedEnded();
    return seen;
}

// After the machine moved: the warning, the countdown's status, the action, the tip and the
// timer's next wait.
void Carry(long lngType, long long llNow, bool blnFire) {
    if (lngType == conTA_Countdown && g_view) {
        const std::optional<long long> due = g_machine.Due();
        g_view->ShowTimedActionStatus(TimedActionStatusText(due ? static_cast<long>(*due - llNow) : 0));
    }
    ShowWarning(llNow);
    if (blnFire) {
        PerformTimedAction(lngType);
    } else if (!StaysArmed(lngType) && g_machine.Phase() == MachinePhase::Off) {
        // A one-time action whose occurrence was cancelled.
        if (lngType == conTA_Countdown) g_countdownStart.reset();
        SwitchOff();
    }
    // An action that fired and switched itself off has put the program's name back.
    if (g_timer.on) {
        EnsureArmed(llNow);
        ShowArmed(State().TimeActionType, llNow);
        StartTimer(g_timer.window);
    }
}

void Tick() {
    const long type = State().TimeActionType;
    if (!IsKnownType(type)) return;
    const long long now = WholeSeconds(Now());
    EnsureArmed(now);
    const bool fire = g_machine.Step(Observe(type, now));
    Carry(type, now, fire);
}

template <class Answer>
void AnswerWarning(const wchar_t* procedure, Answer&& answer) {
    Shown(conModule, procedure, [&] {
        const long type = State().TimeActionType;
        if (g_machine.Phase() != MachinePhase::Warning || !IsKnownType(type)) return;
        const long long now = WholeSeconds(Now());
        const bool fire = answer(now);
        Carry(type, now, fire);
    });
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

void TimedWarningRunNow() {
    AnswerWarning(L"TimedWarningRunNow", [](long long now) { return g_machine.RunNow(now); });
}

void TimedWarningCancel() {
    AnswerWarning(L"TimedWarningCancel", [](long long now) {
        g_machine.Cancel(now);
        return false;
    });
}

void TimedWarningPostpone(long lngMinutes) {
    AnswerWarning(L"TimedWarningPostpone", [&](long long now) {
        g_machine.Postpone(now, lngMinutes);
        return false;
    });
}

bool TimedWarningActive() { return g_machine.Phase() == MachinePhase::Warning; }

void SetTimedActionTimerWindow(HWND hwnd) {
    Forwarded(conModule, L"SetTimedActionTimerWindow", [&] {
        if (g_timer.window == hwnd) return;
        HWND previous = g_timer.window;
        g_timer.window = hwnd;
        g_armedFor.reset();  // a watched program tells the new window
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
        if (!blnOn) {
            // Nothing stays armed: the machine, the warning and the watch go too.
            g_armedFor.reset();
            g_machine.Disarm();
            HideWarning();
            Activity().StopWatching();
        }
        if (blnOn) {
            // The tip and the status line name the armed action at once, not at the first
            // tick, which for a moment to come may be an hour away.
            const long type = State().TimeActionType;
            if (IsKnownType(type)) {
                const long long now = WholeSeconds(Now());
                EnsureArmed(now);
                ShowArmed(type, now);
            }
            StartTimer(hwnd);  // again while on: the interval starts anew
        }
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
