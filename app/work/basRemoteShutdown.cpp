// Remote shutdown: the requests to the computers of the list, the countdown of their delay,
// the stop and the reports.
#include "work/basRemoteShutdown.h"

#include <optional>

#include "LastError.h"
#include "MessageBoxSeam.h"
#include "program/Clock.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "work/EngineHooks.h"
#include "work/SessionControl.h"
#include "work/basWork.h"
#include "work/basWorkText.h"
#include "DecimalText.h"

namespace kvr {

namespace {

using work::conModule;

// Windows notes a planned shutdown for "other" reasons in its event log.
constexpr DWORD conRemoteReason = SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

struct Countdown {
    std::vector<std::wstring> computers;  // those that accepted the request
    long long start = 0;                  // whole seconds of the clock
    long delay = 0;                       // seconds
    bool report = false;
    bool restart = false;
    bool warned = false;     // the warning is showing
    bool dismissed = false;  // the user hid it for this countdown
};
std::optional<Countdown> g_countdown;

struct RemoteTimer {
    HWND window = nullptr;
    bool on = false;
} g_timer;

IRemoteShutdownView* g_view = nullptr;
bool g_starting = false;  // a start is on the stack (its question box lets the page be used)

std::wstring JoinNames(const std::vector<std::wstring>& names) {
    std::wstring list;
    for (const std::wstring& name : names) list += (list.empty() ? L"" : L";") + name;
    return list;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring RunningText(const std::wstring& strList, std::optional<long> lngRemaining) {
    std::wstring text = L"Herunterfahren/Neustarten von " + Quoted(strList) + L" läuft";
    if (lngRemaining) text += L" (" + ConvertToHHMMSS(*lngRemaining) + L")";
    return text + L"...";
}

void ShowStatus(const std::wstring& strText) {
    if (g_view) g_view->ShowRemoteStatus(strText);
}

void ShowRunning(bool blnRunning) {
    if (g_view) g_view->RemoteShutdownChanged(blnRunning);
}

int Message(const std::wstring& strText, UINT uStyle) {
    return kv::MessageBoxes().Show(nullptr, strText, VersionGlobal().InfoApplication(), uStyle);
}

// The hourglass while the computers are asked (each call may wait for the network).
class WaitPointer {
public:
    WaitPointer() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitPointer() { SetCursor(previous_); }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;

private:
    HCURSOR previous_;
};

// One computer that did not do what was asked, as a line of the failure message.
std::wstring FailureLine(const std::wstring& strComputer, DWORD dwError) {
    std::wstring description;
    try {
        kv::RaiseApiError(static_cast<long>(dwError));
    } catch (const kv::KVError& error) {
        description = error.Description;
    }
    return L"\r\n" + strComputer + L": " + description + L" (" + kv::DecimalText(dwError) + L")";
}

// Asks each computer with call, under the hourglass; the names that succeeded come back,
// the failures are added to strFailures (one line each).
template <class Call>
std::vector<std::wstring> AskEach(const std::vector<std::wstring>& names, std::wstring& strFailures, Call call) {
    std::vector<std::wstring> done;
    WaitPointer wait;
    for (const std::wstring& name : names) {
        if (call(L"\\\\" + name)) {
            done.push_back(name);
        } else {
            DWORD error = GetLastError();
            strFailures += FailureLine(name, error ? error : ERROR_GEN_FAILURE);
        }
    }
    return done;
}

void ShowFailures(const std::wstring& strHeading, const std::wstring& strFailures) {
    if (!strFailures.empty()) Message(strHeading + L"\r\n" + strFailures, MB_OK | MB_ICONEXCLAMATION);
}

void StartTimer(HWND hwnd) {
    if (hwnd) kv::RaiseLastErrorIf(SetTimer(hwnd, conRemoteShutdownTimer, conRemoteShutdownInterval, nullptr) == 0);
}

void StopTimer(HWND hwnd) {
    if (IsWindow(hwnd)) KillTimer(hwnd, conRemoteShutdownTimer);
}

void SetTimerOn(bool blnOn) {
    // A window destroyed without signing off took its timer with it.
    if (g_timer.window && !IsWindow(g_timer.window)) g_timer.window = nullptr;
    if (blnOn && !g_timer.on) StartTimer(g_timer.window);
    if (!blnOn && g_timer.on) StopTimer(g_timer.window);
    g_timer.on = blnOn;
}

void HideWarning(Countdown& countdown) {
    if (!countdown.warned) return;
    countdown.warned = false;
    if (Hooks().HideRemoteWarning) Hooks().HideRemoteWarning();
}

// The countdown is over (run out or stopped): timer off, warning gone; what it counted comes
// back.
Countdown EndCountdown() {
    Countdown ended = *g_countdown;
    g_countdown.reset();
    SetTimerOn(false);
    HideWarning(ended);
    return ended;
}

void ShowIdle() {
    ShowRunning(false);
    ShowStatus(conRemoteIdle);
}

long Remaining(const Countdown& countdown) {
    long long elapsed = WholeSeconds(Now()) - countdown.start;
    if (elapsed < 0) elapsed = 0;  // the clock was set back: nothing has elapsed yet
    long long remaining = countdown.delay - elapsed;
    return remaining > 0 ? static_cast<long>(remaining) : 0;
}

// Shows or updates the warning once the remaining time is within the lead.
void UpdateWarning(Countdown& countdown) {
    const long lead = State().TimeWarningLead;
    const long remaining = Remaining(countdown);
    if (countdown.dismissed || lead <= 0 || remaining <= 0 || remaining > lead) return;
    TimedWarning warning;
    warning.Action = std::wstring(countdown.restart ? L"Neu starten" : L"Herunterfahren") + L" von " +
                     Quoted(JoinNames(countdown.computers));
    warning.Remaining = remaining;
    warning.First = !countdown.warned;
    countdown.warned = true;
    if (Hooks().ShowRemoteWarning) Hooks().ShowRemoteWarning(warning);
}

bool Start(const RemoteShutdownRequest& request) {
    const std::vector<std::wstring> names = RemoteComputerNames(request.Computers);
    if (names.empty()) {
        Message(conRemoteNoComputer, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (NamesLocalComputer(request.Computers)) {
        Message(conRemoteLocalRefusal, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const std::wstring list = JoinNames(names);
    if (Message(L"Soll der/die Computer " + Quoted(list) + L" heruntergefahren/neugestartet werden?",
                MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
        return false;

    const long delay = (request.Hours * 60 + request.Minutes) * 60 + request.Seconds;
    ShowStatus(RunningText(list, std::nullopt));
    // Whatever happens from here, the page does not keep "läuft..." without a countdown.
    struct IdleUnlessRunning {
        bool armed = true;
        ~IdleUnlessRunning() {
            if (armed && !g_countdown) ShowStatus(conRemoteIdle);
        }
    } idle;

    // The remote computer decides on its own whether the caller may shut it down; a token
    // without the privilege here is no reason not to ask.
    try {
        EnableShutDown(conRemoteShutdownPrivilege);
    } catch (const kv::KVError&) {
    }

    const DWORD delaySeconds = delay > 0 ? static_cast<DWORD>(delay) : 0;
    std::wstring failures;
    std::vector<std::wstring> accepted = AskEach(names, failures, [&](const std::wstring& machine) {
        return SessionControl().InitiateSystemShutdownEx(machine, request.Message, delaySeconds,
                                                         request.QuitImmediate ? TRUE : FALSE,
                                                         request.Action == 1 ? TRUE : FALSE, conRemoteReason) != FALSE;
    });
    if (!accepted.empty()) {
        Countdown countdown;
        countdown.computers = std::move(accepted);
        countdown.start = WholeSeconds(Now());
        countdown.delay = static_cast<long>(delaySeconds);
        countdown.report = request.ShowSuccessMsg;
        countdown.restart = request.Action == 1;
        g_countdown = countdown;
        SetTimerOn(true);
        ShowRunning(true);
        ShowStatus(RemoteShutdownStatusText());
        UpdateWarning(*g_countdown);
    } else {
        ShowStatus(conRemoteIdle);
    }
    idle.armed = false;
    ShowFailures(L"Folgende Computer konnten nicht heruntergefahren/neugestartet werden:", failures);
    return g_countdown.has_value();
}

void Stop() {
    if (!g_countdown) return;
    ShowStatus(L"Stoppe herunterfahren/neu starten von " + Quoted(JoinNames(g_countdown->computers)) + L"...");
    const Countdown ended = EndCountdown();
    std::wstring failures;
    std::vector<std::wstring> aborted;
    {
        struct IdleAtEnd {
            ~IdleAtEnd() { ShowIdle(); }
        } idle;
        aborted = AskEach(ended.computers, failures, [](const std::wstring& machine) {
            return SessionControl().AbortSystemShutdown(machine) != FALSE;
        });
    }
    ShowFailures(L"Bei folgenden Computern konnte das Herunterfahren/Neustarten nicht abgebrochen werden:",
                 failures);
    if (!aborted.empty())
        Message(L"Das ferngesteuerte Herunterfahren/Neustarten von " + Quoted(JoinNames(aborted)) +
                    L" wurde abgebrochen!",
                MB_OK | MB_ICONINFORMATION);
}

void Tick() {
    if (!g_countdown) {  // a tick left over from a countdown that ended
        SetTimerOn(false);
        return;
    }
    if (Remaining(*g_countdown) > 0) {
        ShowStatus(RemoteShutdownStatusText());
        UpdateWarning(*g_countdown);
        return;
    }
    const Countdown ended = EndCountdown();
    ShowIdle();
    if (ended.report)
        Message(L"Die Computer " + Quoted(JoinNames(ended.computers)) + L" wurden heruntergefahren/neugestartet!",
                MB_OK | MB_ICONINFORMATION);
}

}  // namespace

void SetRemoteShutdownView(IRemoteShutdownView* view) { g_view = view; }

bool RemoteShutdown(const RemoteShutdownRequest& request) {
    if (g_starting || g_countdown) return false;
    struct Starting {
        Starting() { g_starting = true; }
        ~Starting() { g_starting = false; }
    } starting;
    bool started = false;
    Shown(conModule, L"RemoteShutdown", [&] { started = Start(request); });
    return started;
}

void StopRemoteShutdown() { Shown(conModule, L"StopRemoteShutdown", Stop); }

void RemoteShutdownTick() { Shown(conModule, L"RemoteShutdownTick", Tick); }

void DismissRemoteWarning() {
    if (!g_countdown) return;
    g_countdown->dismissed = true;
    HideWarning(*g_countdown);
}

bool RemoteWarningShown() { return g_countdown && g_countdown->warned; }

bool RemoteShutdownRunning() { return g_countdown.has_value(); }

std::wstring RemoteShutdownStatusText() {
    return Forwarded(conModule, L"RemoteShutdownStatusText", [] {
        if (!g_countdown) return std::wstring(conRemoteIdle);
        return RunningText(JoinNames(g_countdown->computers), Remaining(*g_countdown));
    });
}

std::wstring RemoteShutdownComputers() { return g_countdown ? JoinNames(g_countdown->computers) : L""; }

void SetRemoteShutdownTimerWindow(HWND hwnd) {
    Forwarded(conModule, L"SetRemoteShutdownTimerWindow", [&] {
        if (g_timer.window == hwnd) return;
        HWND previous = g_timer.window;
        g_timer.window = hwnd;
        if (!g_timer.on) return;
        StopTimer(previous);
        StartTimer(hwnd);
    });
}

bool RemoteShutdownTimerOn() { return g_timer.on; }

std::vector<std::wstring> RemoteComputerNames(const std::wstring& strComputers) {
    std::vector<std::wstring> names;
    for (const std::wstring& item : work::SplitItems(strComputers)) {
        std::wstring name = work::Trimmed(item);
        size_t start = name.find_first_not_of(L'\\');
        if (start == std::wstring::npos) continue;
        name = work::Trimmed(name.substr(start));
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

bool NamesLocalComputer(const std::wstring& strComputers) {
    return Forwarded(conModule, L"NamesLocalComputer", [&] {
        std::vector<std::wstring> local{GetComputer()};
        for (COMPUTER_NAME_FORMAT format : {ComputerNameDnsHostname, ComputerNameDnsFullyQualified}) {
            wchar_t name[256] = {};
            DWORD size = 256;
            if (GetComputerNameExW(format, name, &size) && size > 0) local.emplace_back(name, size);
        }
        for (const std::wstring& name : RemoteComputerNames(strComputers))
            for (const std::wstring& own : local)
                if (!own.empty() && work::SameText(name, own)) return true;
        return false;
    });
}

long RemoteDelaySeconds(const std::wstring& strDelay) {
    std::vector<long> parts;
    size_t from = 0;
    while (true) {
        size_t to = strDelay.find(L':', from);
        std::wstring part = work::Trimmed(strDelay.substr(from, to == std::wstring::npos ? std::wstring::npos : to - from));
        long value = 0;
        bool whole = !part.empty() && part.size() <= 6 && part.find_first_not_of(L"0123456789") == std::wstring::npos;
        if (whole) value = std::stol(part);
        parts.push_back(value);
        if (to == std::wstring::npos) break;
        from = to + 1;
    }
    // Without a third part the text is read as minutes and seconds; missing parts count 0.
    if (parts.size() < 3) parts.insert(parts.begin(), 0);
    while (parts.size() < 3) parts.push_back(0);
    return (parts[0] * 60 + parts[1]) * 60 + parts[2];
}

}  // namespace kvr
