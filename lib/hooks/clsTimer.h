#pragma once
// A timer without a window: the system's callback timer of the creating thread, delivered
// from its message loop. At most 100 run at once in a process.
#include <windows.h>

namespace kv {

class clsTimerEvents {
public:
    virtual void Timer() = 0;

protected:
    ~clsTimerEvents() = default;
};

class clsTimer final {
public:
    // events is not owned and may be nullptr; a handler may end this object.
    explicit clsTimer(clsTimerEvents* events = nullptr) : events_(events) {}
    ~clsTimer();   // stops its timer: the timer table never holds an ended timer
    clsTimer(const clsTimer&) = delete;
    clsTimer& operator=(const clsTimer&) = delete;

    void Events(clsTimerEvents* events) { events_ = events; }

    long Interval() const { return interval_; }
    // Takes effect when Enable is set again.
    void Interval(long lngInterval) { interval_ = lngInterval; }
    bool Enable() const { return enabled_; }
    void Enable(bool blnEnable);

    // The system timer's identifier, 0 while none runs.
    UINT_PTR Identifier() const { return identifier_; }

    // For the library's timer procedure.
    void RaiseTimer() {
        if (events_) events_->Timer();
    }

private:
    long interval_ = 0;
    bool enabled_ = false;
    UINT_PTR identifier_ = 0;
    clsTimerEvents* events_;

    friend void TimerCreate(clsTimer& timer);
    friend void TimerDestroy(clsTimer& timer);
};

inline constexpr int conMaxTimers = 100;

void TimerCreate(clsTimer& timer);
void TimerDestroy(clsTimer& timer);

}  // namespace kv
