#pragma once
// The timed action: countdown, once, daily, weekly, monthly, on idleness, after a program.
// When it warns and fires is decided by TimedActionMachine; this module feeds it from the
// clock, the settings and the activity seam, and carries out what it answers.
#include <windows.h>

#include <string>

#include "Variant.h"

namespace kvr {

// TimeActionType; the index of the options dialog's option button optTimedActionType.
enum enuTimedActionType : long {
    conTA_Off = 0,
    conTA_Countdown = 1,
    conTA_Once = 2,
    conTA_Daily = 3,
    conTA_Weekly = 4,
    conTA_Monthly = 5,
    // After the original five, so stored settings read as before.
    conTA_Idle = 6,        // after TimeIdleMinutes without keyboard or mouse input
    conTA_ProcessEnd = 7,  // when the program TimeProcessName (TimeProcessId) has ended
};
inline constexpr long conTA_Last = conTA_ProcessEnd;
// The captions of the option buttons optTimedActionType, by type.
inline constexpr const wchar_t* conTimedActionTypeCaptions[] = {
    L"&Deaktiviert", L"&Countdown",     L"&Einmalig",           L"&Täglich",
    L"&Wöchentlich", L"&Monatlich", L"Bei &Leerlauf", L"Nach &Programmende",
};

// One tick of the timer timTimedAction (every 1000 ms while armed). Errors are shown and the
// timer goes on ticking; a tick that comes while an earlier one is still busy (its message
// box, its action) is skipped. While armed, each tick puts the action and the time left (or
// the moment it is due) into the tray icon's tip; switching the timer off puts the program's
// name back.
void ExecuteTimedAction();

// The timer timTimedAction of the main window: the window registers itself once loaded
// (timer id conTimedActionTimerId) and nullptr before it goes; without a window only the state
// is kept, and a window registered later takes the timer over in that state.
// A countdown ticks every second (its time left is on show); an action due at a moment
// sleeps until just after that moment, at most an hour at a time, and is set anew after each
// tick, when the system time changes and when the computer resumes (RearmTimedAction).
inline constexpr UINT_PTR conTimedActionTimerId = 2;
inline constexpr UINT conTimedActionInterval = 1000;
inline constexpr UINT conTimedActionLongestWait = 3600 * 1000;
void SetTimedActionTimerWindow(HWND hwnd);
void SetTimedActionTimer(bool blnOn);
bool TimedActionTimerOn();
// Sets the armed timer anew from the clock (the main window calls it on WM_TIMECHANGE and on
// resuming from standby or hibernation).
void RearmTimedAction();
// The milliseconds the timer waits from now on, as it was last set (0 while off).
UINT TimedActionTimerInterval();

// The done flag of the timed action (cleared at each resident start and whenever the
// options dialog is opened).
void ClearTimedActionDone();

// The moment the countdown was set (the options dialog sets it to now when it accepts).
// Until it is set, the countdown counts from the first tick that sees it.
void SetCountdownStart(kv::Date dtmStart);

// The countdown's state for the options dialog's status field: "'Countdown' läuft (" +
// remaining time + ")..." while seconds remain, else "Nicht aktiv".
std::wstring TimedActionStatusText(long lngRemaining);

// ---- The warning before the action ----
// It comes TimeWarningLead seconds before the action (for an idle or program trigger: when
// the trigger is met, the action following after those seconds), through the engine's hooks
// ShowTimedWarning / HideTimedWarning, and is answered by these. "Abbrechen" drops this
// occurrence only: a daily, weekly, monthly or idle action stays armed for the next one,
// a one-time action is switched off. "Später" moves the action on and warns again before it.
void TimedWarningRunNow();
void TimedWarningCancel();
void TimedWarningPostpone(long lngMinutes);
// The choices "Später" offers, in minutes.
inline constexpr long conPostponeMinutes[] = {5, 15, 60};
// A warning is counting down.
bool TimedWarningActive();

// What the options dialog lends the timed action while it is loaded.
class ITimedActionView {
public:
    virtual ~ITimedActionView() = default;
    // Its status field shows the text (every countdown tick).
    virtual void ShowTimedActionStatus(const std::wstring& strText) = 0;
    // Its option button optTimedActionType(lngType) is selected (a one-time action that
    // fired switches itself off).
    virtual void SelectTimedActionType(long lngType) = 0;
};
// The options dialog registers itself when it is loaded and nullptr when it unloads.
void SetTimedActionView(ITimedActionView* view);

}  // namespace kvr
