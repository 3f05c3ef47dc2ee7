#include "clsTimer.h"

#include <algorithm>
#include <array>
#include <utility>

#include "HooksMain.h"

namespace kv {

namespace {

constexpr const wchar_t* conModule = L"basTimer";

// Running timers by slot, not owned: a timer leaves its slot when it stops or ends.
std::array<clsTimer*, conMaxTimers>& Slots() {
    static std::array<clsTimer*, conMaxTimers> slots{};
    return slots;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR identifier, DWORD) {
    for (clsTimer* timer : Slots()) {
        if (timer && timer->Identifier() == identifier) {
            timer->RaiseTimer();   // may end the timer: nothing of it is touched afterwards
            return;
        }
    }
}

}  // namespace

void TimerCreate(clsTimer& timer) {
    try {
        // The slot first: a refused timer must not be left running with nobody to receive it.
        auto& slots = Slots();
        auto free = std::find(slots.begin(), slots.end(), nullptr);
        if (free == slots.end()) throw KVError(-1, L"To many timers.");
        const UINT_PTR identifier = SetTimer(nullptr, 0, static_cast<UINT>(timer.interval_), TimerProc);
        HooksMain().CreateAPIError(static_cast<long>(GetLastError()), identifier == 0);
        timer.identifier_ = identifier;
        *free = &timer;
    } catch (const KVError& e) {
        HooksMain().ForwardError(conHooksProject, conModule, L"TimerCreate", e);
    }
}

void TimerDestroy(clsTimer& timer) {
    try {
        auto& slots = Slots();
        auto found = std::find(slots.begin(), slots.end(), &timer);
        if (found == slots.end() || timer.identifier_ == 0) return;
        *found = nullptr;
        const UINT_PTR identifier = std::exchange(timer.identifier_, 0);
        HooksMain().CreateAPIError(static_cast<long>(GetLastError()), !KillTimer(nullptr, identifier));
    } catch (const KVError& e) {
        HooksMain().ForwardError(conHooksProject, conModule, L"TimerDestroy", e);
    }
}

clsTimer::~clsTimer() {
    try {
        TimerDestroy(*this);
    } catch (...) {
        // The slot is free already; a failed stop has nobody left to tell.
    }
}

void clsTimer::Enable(bool blnEnable) {
    try {
        enabled_ = blnEnable;
        if (blnEnable) {
            if (interval_ > 0) {
                TimerDestroy(*this);
                TimerCreate(*this);
            }
        } else {
            TimerDestroy(*this);
        }
    } catch (const KVError& e) {
        HooksMain().ForwardError(conHooksProject, L"clsTimer", L"Let Enable", e);
    }
}

}  // namespace kv
