#pragma once
// The clock of the program: what the timed action and its countdown take as "now". The
// product reads the local time; tests install a clock they set and advance.
#include "Variant.h"

namespace kvr {

class IClock {
public:
    virtual ~IClock() = default;
    // The current local date and time, in whole seconds.
    virtual kv::Date Now() = 0;
};

// The clock in use (the local time unless a test installed another).
IClock& Clock();
// Installs a replacement; nullptr restores the local time. Returns the previous one
// (nullptr when that was the local time).
IClock* SetClock(IClock* replacement);

// Clock().Now().
kv::Date Now();

// The moment as whole seconds since the start of the date count, 30 Dec 1899 (to the
// nearest second; for moments from that day on), so moments compare and subtract without
// rounding errors.
long long WholeSeconds(kv::Date dtmMoment);
// And back.
kv::Date FromWholeSeconds(long long llSeconds);

}  // namespace kvr
