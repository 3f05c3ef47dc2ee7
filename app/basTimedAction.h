#pragma once
// The timed action: countdown, once, daily, weekly, monthly.
#include <windows.h>

#include <string>

namespace kvr {

// One tick of the timer timTimedAction (every 1000 ms while armed).
void ExecuteTimedAction();

// The timer timTimedAction of the main window: the window registers itself once loaded
// (timer id kTimedActionTimerId); without a window only the state is kept.
inline constexpr UINT_PTR kTimedActionTimerId = 2;
void SetTimedActionTimerWindow(HWND hwnd);
void SetTimedActionTimer(bool blnOn);
bool TimedActionTimerOn();

// The done flag of the timed action (cleared at each resident start).
void ClearTimedActionDone();

}  // namespace kvr
