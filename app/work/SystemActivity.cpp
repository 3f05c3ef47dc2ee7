// The system's answers to the timed action's questions: the last input, the screen, the
// watched processes (each waited on by the thread pool, never asked for again and again).
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <memory>
#include <utility>

#include "LastError.h"
#include "Owned.h"
#include "work/Activity.h"

namespace kvr {

namespace {

// One watched process: its handle and the pool's wait on it.
struct Waited {
    unsigned long id = 0;
    kv::OwnedHandle process;
    HANDLE wait = nullptr;
    HWND notify = nullptr;
    UINT_PTR timerId = 0;
};

// The pool's thread: the program learns of the end through its own message loop.
VOID CALLBACK ProcessEnded(PVOID context, BOOLEAN) {
    const Waited* w = static_cast<const Waited*>(context);
    if (w->notify) PostMessageW(w->notify, WM_TIMER, w->timerId, 0);
}

class SystemActivity : public IActivity {
public:
    ~SystemActivity() override { StopWatching(); }

    long long IdleSeconds() override {
        LASTINPUTINFO info{};
        info.cbSize = sizeof(info);
        kv::RaiseLastErrorIf(!GetLastInputInfo(&info));
        // Both are 32-bit tick counts: the difference is right across their wrap.
        return static_cast<DWORD>(GetTickCount() - info.dwTime) / 1000;
    }

    bool FullScreenRunning() override {
        QUERY_USER_NOTIFICATION_STATE state{};
        if (SHQueryUserNotificationState(&state) == S_OK &&
            (state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE))
            return true;
        // Where the shell does not tell: the foreground window covers its whole monitor.
        HWND fg = GetForegroundWindow();
        if (!fg || fg == GetDesktopWindow() || fg == GetShellWindow()) return false;
        if (!(GetWindowLongW(fg, GWL_STYLE) & WS_VISIBLE)) return false;
        RECT window{};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (!GetWindowRect(fg, &window) ||
            !GetMonitorInfoW(MonitorFromWindow(fg, MONITOR_DEFAULTTONEAREST), &monitor))
            return false;
        return window.left <= monitor.rcMonitor.left && window.top <= monitor.rcMonitor.top &&
               window.right >= monitor.rcMonitor.right && window.bottom >= monitor.rcMonitor.bottom;
    }

    void Watch(const ProcessChoice& choice, HWND hwndNotify, UINT_PTR idTimer) override {
        StopWatching();
        choice_ = choice;
        notify_ = hwndNotify;
        timerId_ = idTimer;
        AddRunning();
    }

    void StopWatching() override {
        // Waits for a callback under way, so none runs on a record that is gone.
        for (auto& w : watched_)
            if (w->wait) UnregisterWaitEx(w->wait, INVALID_HANDLE_VALUE);
        watched_.clear();
    }

    bool WatchedEnded() override {
        for (auto& w : watched_)
            if (WaitForSingleObject(w->process.Get(), 0) != WAIT_OBJECT_0) return false;
        // By name: one of that name that started meanwhile keeps the trigger waiting.
        return choice_.ProcessId != 0 || !AddRunning();
    }

private:
    bool Watched(unsigned long id) const {
        for (auto& w : watched_)
            if (w->id == id) return true;
        return false;
    }

    // Starts waiting on the chosen processes not watched yet; true when it found one.
    bool AddRunning() {
        bool added = false;
        for (const RunningProcess& p : RunningProcesses()) {
            const bool chosen = choice_.ProcessId ? p.ProcessId == choice_.ProcessId
                                                  : CompareStringOrdinal(p.Name.c_str(), -1, choice_.Name.c_str(),
                                                                         -1, TRUE) == CSTR_EQUAL;
            if (!chosen || Watched(p.ProcessId)) continue;
            // An id the list showed may belong to another program by now; its name tells.
            if (choice_.ProcessId && !choice_.Name.empty() &&
                CompareStringOrdinal(p.Name.c_str(), -1, choice_.Name.c_str(), -1, TRUE) != CSTR_EQUAL)
                continue;
            auto w = std::make_unique<Waited>();
            w->id = p.ProcessId;
            w->process.Reset(OpenProcess(SYNCHRONIZE, FALSE, p.ProcessId));
            if (!w->process) continue;  // ended since the snapshot, or not ours to see
            w->notify = notify_;
            w->timerId = timerId_;
            kv::RaiseLastErrorIf(!RegisterWaitForSingleObject(&w->wait, w->process.Get(), ProcessEnded, w.get(),
                                                              INFINITE, WT_EXECUTEONLYONCE));
            watched_.push_back(std::move(w));
            added = true;
        }
        return added;
    }

    ProcessChoice choice_;
    HWND notify_ = nullptr;
    UINT_PTR timerId_ = 0;
    std::vector<std::unique_ptr<Waited>> watched_;
};

SystemActivity& System() {
    static SystemActivity system;
    return system;
}
IActivity* g_current = nullptr;

}  // namespace

IActivity& Activity() { return g_current ? *g_current : System(); }

IActivity* SetActivity(IActivity* replacement) { return std::exchange(g_current, replacement); }

std::vector<RunningProcess> RunningProcesses() {
    kv::OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    kv::RaiseLastErrorIf(snapshot.Get() == INVALID_HANDLE_VALUE);
    std::vector<RunningProcess> list;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry))
        list.push_back({entry.th32ProcessID, entry.szExeFile});
    return list;
}

}  // namespace kvr
