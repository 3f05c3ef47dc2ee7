#pragma once
// What the timed action learns of the user and of a watched program: the time since the last
// input, whether a full-screen program runs, whether the watched program has ended. The
// product asks the system (work/SystemActivity.cpp); tests install one they set.
#include <windows.h>

#include <string>
#include <vector>

namespace kvr {

// The program a "Nach Programmende" trigger waits for: the process with that id, or (id 0)
// every process whose executable has that name.
struct ProcessChoice {
    unsigned long ProcessId = 0;
    std::wstring Name;  // the executable's file name ("notepad.exe"), compared ignoring case
};

class IActivity {
public:
    virtual ~IActivity() = default;
    // Whole seconds since the session's last keyboard or mouse input.
    virtual long long IdleSeconds() = 0;
    // A program fills the screen (a game, a video, a presentation).
    virtual bool FullScreenRunning() = 0;
    // Starts watching the program (what was watched before is let go). When a watched process
    // ends, the window gets WM_TIMER with that id (from another thread, as a posted message),
    // so the program learns of it without asking again and again.
    virtual void Watch(const ProcessChoice& choice, HWND hwndNotify, UINT_PTR idTimer) = 0;
    virtual void StopWatching() = 0;
    // Every watched process has ended; for a name: no process of it runs any more (one that
    // started meanwhile is watched from now on).
    virtual bool WatchedEnded() = 0;
};

// The activity in use (the system's unless a test installed another).
IActivity& Activity();
// Installs a replacement; nullptr restores the system's. Returns the previous one (nullptr
// when that was the system's).
IActivity* SetActivity(IActivity* replacement);

// A running process as the process list shows it.
struct RunningProcess {
    unsigned long ProcessId = 0;
    std::wstring Name;
};
// The processes running now (the system's snapshot), in its order.
std::vector<RunningProcess> RunningProcesses();

}  // namespace kvr
