#include "work/TimedActionChecks.h"

#include <windows.h>

namespace kvr {

namespace {

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

std::optional<TimedSettingFault> CheckWarningLead(long lngSeconds) {
    if (lngSeconds >= 0 && lngSeconds <= conWarningLeadMax) return std::nullopt;
    return TimedSettingFault{L"Die Vorwarnzeit ist nicht im Bereich von 0 bis 3600 Sekunden!", L"TimeWarningLead"};
}

std::optional<TimedSettingFault> CheckIdleMinutes(long lngMinutes) {
    if (lngMinutes >= 1 && lngMinutes <= conIdleMinutesMax) return std::nullopt;
    return TimedSettingFault{L"Die Leerlaufzeit ist nicht im Bereich von 1 bis 1440 Minuten!", L"TimeIdleMinutes"};
}

std::optional<TimedSettingFault> CheckProcessChoice(const ProcessChoice& choice,
                                                    const std::vector<RunningProcess>& running) {
    if (choice.Name.find_first_not_of(L" \t") == std::wstring::npos)
        return TimedSettingFault{L"Es wurde kein Programm für die Zeitsteuerung angegeben!", L"TimeProcessName"};
    for (const RunningProcess& p : running) {
        if (!SameName(p.Name, choice.Name)) continue;
        if (choice.ProcessId == 0 || p.ProcessId == choice.ProcessId) return std::nullopt;
    }
    if (choice.ProcessId != 0)
        return TimedSettingFault{L"Das gewählte Programm läuft nicht mehr!", L"TimeProcessId"};
    return TimedSettingFault{L"Es läuft kein Programm \"" + choice.Name + L"\"!", L"TimeProcessName"};
}

}  // namespace kvr
