#pragma once
// When the timed action warns and when it fires, as a machine of plain values: the caller
// hands it the moment and what it saw of the user and the watched program, and performs
// what the machine answers. No clock, window or system call of its own, so every step is
// tested without waiting.
#include <functional>
#include <optional>

namespace kvr {

enum class TriggerKind {
    Moment,      // countdown, once, daily, weekly, monthly: occurrences from a calendar
    Idle,        // after a quiet time without keyboard or mouse input
    ProcessEnd,  // when the watched program has ended
};

struct TriggerSettings {
    TriggerKind Kind = TriggerKind::Moment;
    // Armed again after each occurrence (daily, weekly, monthly, idle); else off after it.
    bool Repeating = false;
    // Seconds of warning before the action; 0: none.
    long long LeadSeconds = 60;
    // Idle: the quiet time, and whether a full-screen program stops it counting.
    long long IdleSeconds = 0;
    bool IdleOnlyWithoutFullScreen = false;
    // Moment: the first occurrence at or after the moment given; none when none comes.
    std::function<std::optional<long long>(long long)> NextOccurrence;
};

// What the caller saw at this step. Moments are whole seconds of the program's clock.
struct Observation {
    long long Now = 0;
    long long LastInput = 0;    // the moment of the last keyboard or mouse input
    bool FullScreen = false;    // a full-screen program or presentation runs
    bool ProcessEnded = false;  // the watched program has ended
};

enum class MachinePhase { Off, Armed, Warning };

class TimedActionMachine {
public:
    // Starts waiting for the first occurrence from now (a moment up to conDueWindow seconds
    // ago still counts). llFired: an occurrence that has had its action already (none: 0).
    void Arm(const TriggerSettings& settings, long long llNow, long long llFired = 0);
    void Disarm();

    // One step; true: perform the action now (the machine has moved past it already).
    bool Step(const Observation& seen);

    // The warning's answers. Cancel drops this occurrence (a repeating trigger waits for the
    // next one); Postpone moves the action minutes on and warns again before it. RunNow
    // answers true: perform the action now.
    void Cancel(long long llNow);
    void Postpone(long long llNow, long lngMinutes);
    bool RunNow(long long llNow);

    MachinePhase Phase() const { return phase_; }
    // The moment the action comes: while warning its deadline, while armed the occurrence
    // (or the postponed moment) waited for; none when no moment is known (idle, program).
    std::optional<long long> Due() const;
    // Seconds from now until the machine needs its next step; none: only an observation
    // from outside (the watched program) moves it.
    std::optional<long long> NextWake(long long llNow) const;
    // The last occurrence whose action was performed or cancelled (0: none).
    long long Fired() const { return fired_; }

    // Seconds after an occurrence in which arming still counts it.
    static constexpr long long conDueWindow = 5;

private:
    void Warn(long long llNow, long long llDue);
    // After the action or its cancellation: the next occurrence, or off.
    void Done(long long llNow);
    void FindOccurrence(long long llFrom);

    TriggerSettings settings_;
    MachinePhase phase_ = MachinePhase::Off;
    std::optional<long long> occurrence_;  // Moment: the occurrence waited for
    std::optional<long long> postponed_;   // the moment "Später" set
    long long postponedAt_ = 0;
    long long warningAt_ = 0;              // when the warning came
    long long deadline_ = 0;               // while warning: when the action comes
    long long quietSince_ = 0;             // Idle: counting starts no earlier
    long long lastNow_ = 0;
    long long lastInput_ = 0;              // as the last step saw it
    long long fired_ = 0;
};

}  // namespace kvr
