#pragma once
// What the action engine asks of the rest of the program without knowing its windows. The
// program installs the answers once (program/basMain.cpp); a request nobody answers does
// nothing.
#include <functional>
#include <string>

namespace kvr {

// What the warning before a timed action shows.
struct TimedWarning {
    std::wstring Action;   // the action's display text, without the boot system
    std::wstring System;   // the boot system of a restart or shutdown, else ""
    long Remaining = 0;    // whole seconds until the action
    bool First = false;    // the countdown starts with this one
};

struct EngineHooks {
    // Action type 4: the window "Windows beenden" opens.
    std::function<void()> ShowMainWindow;
    // Windows refused to end the session: the resident program (or dialog mode's window)
    // comes back as if started anew.
    std::function<void()> RebuildAfterRefusedExit;
    // An armed timed action and when it comes ("" for both: nothing is armed), for the tray
    // icon's tip.
    std::function<void(const std::wstring& strAction, const std::wstring& strWhen)> ShowArmedAction;
    // The warning before a timed action: shown, or brought up to date every second while it
    // counts down; hidden when the countdown ends by any means.
    std::function<void(const TimedWarning& warning)> ShowTimedWarning;
    std::function<void()> HideTimedWarning;
    // The same for the local countdown of a remote shutdown (a window of its own: both may
    // count at once).
    std::function<void(const TimedWarning& warning)> ShowRemoteWarning;
    std::function<void()> HideRemoteWarning;
};

EngineHooks& Hooks();

}  // namespace kvr
