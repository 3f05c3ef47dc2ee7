#pragma once
// What the action engine asks of the rest of the program without knowing its windows. The
// program installs the answers once (program/basMain.cpp); a request nobody answers does
// nothing.
#include <functional>
#include <string>

namespace kvr {

struct EngineHooks {
    // Action type 4: the window "Windows beenden" opens.
    std::function<void()> ShowMainWindow;
    // Windows refused to end the session: the resident program (or dialog mode's window)
    // comes back as if started anew.
    std::function<void()> RebuildAfterRefusedExit;
    // An armed timed action and when it comes ("" for both: nothing is armed), for the tray
    // icon's tip.
    std::function<void(const std::wstring& strAction, const std::wstring& strWhen)> ShowArmedAction;
};

EngineHooks& Hooks();

}  // namespace kvr
