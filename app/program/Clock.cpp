#include "program/Clock.h"

#include <windows.h>

#include <cmath>

#include "program/basTools.h"

namespace kvr {

namespace {

constexpr double conSecondsPerDay = 86400.0;

class LocalClock : public IClock {
public:
    kv::Date Now() override {
        SYSTEMTIME now;
        GetLocalTime(&now);
        // The milliseconds are dropped: every moment of the program is a whole second.
        return kv::Date{MakeDate(now.wYear, now.wMonth, now.wDay).value +
                        MakeTime(now.wHour, now.wMinute, now.wSecond).value};
    }
};

LocalClock g_local;
IClock* g_current = &g_local;

}  // namespace

IClock& Clock() { return *g_current; }

IClock* SetClock(IClock* replacement) {
    IClock* previous = g_current;
    g_current = replacement ? replacement : &g_local;
    return previous == &g_local ? nullptr : previous;
}

kv::Date Now() { return Clock().Now(); }

long long WholeSeconds(kv::Date dtmMoment) { return std::llround(dtmMoment.value * conSecondsPerDay); }

kv::Date FromWholeSeconds(long long llSeconds) {
    return kv::Date{static_cast<double>(llSeconds) / conSecondsPerDay};
}

}  // namespace kvr
