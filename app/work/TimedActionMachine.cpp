#include "work/TimedActionMachine.h"

#include <algorithm>

namespace kvr {

void TimedActionMachine::Arm(const TriggerSettings& settings, long long llNow, long long llFired) {
    settings_ = settings;
    phase_ = MachinePhase::Armed;
    postponed_.reset();
    occurrence_.reset();
    fired_ = llFired;
    quietSince_ = lastNow_ = llNow;
    lastInput_ = 0;
    if (settings_.Kind == TriggerKind::Moment) FindOccurrence(llNow - conDueWindow);
}

void TimedActionMachine::Disarm() {
    phase_ = MachinePhase::Off;
    occurrence_.reset();
    postponed_.reset();
}

// The first occurrence from that moment on that has not had its action.
void TimedActionMachine::FindOccurrence(long long llFrom) {
    occurrence_.reset();
    if (!settings_.NextOccurrence) return;
    std::optional<long long> next = settings_.NextOccurrence(llFrom);
    if (next && *next == fired_) next = settings_.NextOccurrence(fired_ + 1);
    occurrence_ = next;
}

void TimedActionMachine::Warn(long long llNow, long long llDue) {
    phase_ = MachinePhase::Warning;
    warningAt_ = llNow;
    deadline_ = llDue;
}

void TimedActionMachine::Done(long long llNow) {
    postponed_.reset();
    if (settings_.Kind == TriggerKind::Moment && occurrence_) fired_ = *occurrence_;
    if (!settings_.Repeating) {
        Disarm();
        return;
    }
    phase_ = MachinePhase::Armed;
    quietSince_ = llNow;
    // After a late action (postponed, or caught up after a sleep) the occurrences it passed
    // are over too: each comes once.
    if (settings_.Kind == TriggerKind::Moment) FindOccurrence(std::max(fired_ + 1, llNow - conDueWindow));
}

bool TimedActionMachine::Step(const Observation& seen) {
    const long long now = seen.Now;
    const bool clockBack = now < lastNow_;
    lastNow_ = now;
    lastInput_ = seen.LastInput;
    if (phase_ == MachinePhase::Off) return false;

    if (phase_ == MachinePhase::Warning) {
        // The user is back: an idle countdown ends, the quiet time counts anew.
        if (settings_.Kind == TriggerKind::Idle &&
            (seen.LastInput > warningAt_ || (settings_.IdleOnlyWithoutFullScreen && seen.FullScreen))) {
            phase_ = MachinePhase::Armed;
            postponed_.reset();
            quietSince_ = now;
            return false;
        }
        if (now < deadline_) return false;
        Done(now);
        return true;
    }

    // Armed.
    const long long lead = settings_.LeadSeconds > 0 ? settings_.LeadSeconds : 0;
    if (clockBack && settings_.Kind == TriggerKind::Moment && !postponed_) FindOccurrence(now - conDueWindow);
    if (settings_.Kind == TriggerKind::Idle) {
        if (settings_.IdleOnlyWithoutFullScreen && seen.FullScreen) quietSince_ = now;
        // Input after "Später" means the user is back: the quiet time counts anew from it.
        if (postponed_ && seen.LastInput > postponedAt_) postponed_.reset();
    }

    std::optional<long long> due;
    if (postponed_) {
        due = postponed_;
    } else if (settings_.Kind == TriggerKind::Moment) {
        due = occurrence_;
    } else if (settings_.Kind == TriggerKind::Idle) {
        const long long quietFrom = std::max(seen.LastInput, quietSince_);
        if (now - quietFrom >= settings_.IdleSeconds) due = now + lead;  // the quiet time is reached
    } else if (seen.ProcessEnded) {
        due = now + lead;
    }
    if (!due || now < *due - lead) return false;
    // A moment missed (a sleep, a late tick) still comes with its full warning.
    const long long deadline = now < *due ? *due : now + lead;
    if (deadline > now) {
        Warn(now, deadline);
        return false;
    }
    Done(now);
    return true;
}

void TimedActionMachine::Cancel(long long llNow) {
    if (phase_ == MachinePhase::Off) return;
    Done(llNow);
}

void TimedActionMachine::Postpone(long long llNow, long lngMinutes) {
    if (phase_ == MachinePhase::Off) return;
    phase_ = MachinePhase::Armed;
    postponed_ = llNow + static_cast<long long>(lngMinutes) * 60;
    postponedAt_ = llNow;
}

bool TimedActionMachine::RunNow(long long llNow) {
    if (phase_ == MachinePhase::Off) return false;
    Done(llNow);
    return true;
}

std::optional<long long> TimedActionMachine::Due() const {
    if (phase_ == MachinePhase::Warning) return deadline_;
    if (phase_ == MachinePhase::Off) return std::nullopt;
    if (postponed_) return postponed_;
    if (settings_.Kind == TriggerKind::Moment) return occurrence_;
    return std::nullopt;
}

std::optional<long long> TimedActionMachine::NextWake(long long llNow) const {
    if (phase_ == MachinePhase::Off) return std::nullopt;
    if (phase_ == MachinePhase::Warning) return 1;
    const long long lead = settings_.LeadSeconds > 0 ? settings_.LeadSeconds : 0;
    std::optional<long long> at;
    if (std::optional<long long> due = Due()) at = *due - lead;
    if (settings_.Kind == TriggerKind::Idle && !postponed_) {
        // The quiet time ends no earlier than this, counted from the last moment known quiet.
        at = std::max(quietSince_, lastInput_) + settings_.IdleSeconds;
    }
    if (!at) return std::nullopt;
    return *at > llNow ? *at - llNow : 0;
}

}  // namespace kvr
