#pragma once
// The checks of the timed action's newer settings, for the options page to run before it
// accepts: each answers the message and the setting that is wrong, or nothing.
#include <optional>
#include <string>
#include <vector>

#include "work/Activity.h"

namespace kvr {

struct TimedSettingFault {
    std::wstring Message;  // shown as an input error
    std::wstring Setting;  // the stored name of the value that is wrong ("TimeIdleMinutes")
};

inline constexpr long conWarningLeadMax = 3600;  // seconds
inline constexpr long conIdleMinutesMax = 1440;  // a day

// TimeWarningLead: 0 (no warning) to an hour.
std::optional<TimedSettingFault> CheckWarningLead(long lngSeconds);
// TimeIdleMinutes: 1 to a day.
std::optional<TimedSettingFault> CheckIdleMinutes(long lngMinutes);
// TimeProcessName / TimeProcessId against the processes running now: a name is required;
// a chosen process must still run under that name; for every process of a name, one must run.
std::optional<TimedSettingFault> CheckProcessChoice(const ProcessChoice& choice,
                                                    const std::vector<RunningProcess>& running);

}  // namespace kvr
