#pragma once
// Stands in for the clock: a moment the test sets and moves on. Installs itself for its
// lifetime.
#include "program/Clock.h"
#include "program/basTools.h"

namespace kvtest {

class ManualClock : public kvr::IClock {
public:
    ManualClock() { previous_ = kvr::SetClock(this); }
    ~ManualClock() override { kvr::SetClock(previous_); }
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    kv::Date Now() override { return kvr::FromWholeSeconds(seconds_); }

    void Set(long year, long month, long day, long hour = 0, long minute = 0, long second = 0) {
        seconds_ = kvr::WholeSeconds(kvr::MakeDate(year, month, day)) +
                   kvr::WholeSeconds(kvr::MakeTime(hour, minute, second));
    }
    void Advance(long long seconds) { seconds_ += seconds; }

private:
    long long seconds_ = 0;
    kvr::IClock* previous_ = nullptr;
};

}  // namespace kvtest
