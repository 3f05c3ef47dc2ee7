#pragma once
// Stands in for the clock: a moment the test sets and moves on.
#include "StandIn.h"
#include "program/Clock.h"
#include "program/basTools.h"

namespace kvtest {

class ManualClock : public StandIn<kvr::IClock, kvr::SetClock> {
public:
    kv::Date Now() override { return kvr::FromWholeSeconds(seconds_); }

    void Set(long year, long month, long day, long hour = 0, long minute = 0, long second = 0) {
        seconds_ = kvr::WholeSeconds(kvr::MakeDate(year, month, day)) +
                   kvr::WholeSeconds(kvr::MakeTime(hour, minute, second));
    }
    void Advance(long long seconds) { seconds_ += seconds; }

private:
    long long seconds_ = 0;
};

}  // namespace kvtest
