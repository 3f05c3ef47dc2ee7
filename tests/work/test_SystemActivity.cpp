// The system's side of the activity seam, for real: input resets the idle time, a window
// over the whole screen counts as full screen, and the end of a real process reaches the
// program as a timer message, the timed action following within a second.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "AppTestSupport.h"
#include "InjectedInput.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "program/basMain.h"
#include "work/Activity.h"
#include "work/basTimedAction.h"

using namespace kvr;

namespace {

// A process of this test's program, held at its start until Resume; it ends at once (it only
// lists the tests). Its executable is a copy named strName, so no other process shares it.
class HeldProcess {
public:
    explicit HeldProcess(const std::wstring& strName) {
        wchar_t self[MAX_PATH] = {}, temp[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + strName;
        CopyFileW(self, path_.c_str(), FALSE);
        std::wstring line = L"\"" + path_ + L"\" --gtest_list_tests";
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        ok_ = CreateProcessW(path_.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW,
                             nullptr, nullptr, &si, &pi_) != FALSE;
    }
    ~HeldProcess() {
        if (!ok_) return;
        TerminateProcess(pi_.hProcess, 0);
        WaitForSingleObject(pi_.hProcess, 5000);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
        DeleteFileW(path_.c_str());
    }
    bool ok() const { return ok_; }
    unsigned long Id() const { return pi_.dwProcessId; }
    HANDLE Handle() const { return pi_.hProcess; }
    void Resume() const { ResumeThread(pi_.hThread); }

private:
    std::wstring path_;
    PROCESS_INFORMATION pi_{};
    bool ok_ = false;
};

// A window that counts the timer messages of the timed action and passes them on to it.
struct TimerWindow {
    TimerWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KVActivityTest";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~TimerWindow() { DestroyWindow(hwnd); }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_TIMER && wParam == conTimedActionTimerId) {
            ++ticks;
            ExecuteTimedAction();
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    HWND hwnd = nullptr;
    static inline int ticks = 0;
};

// Pumps until the process has ended, then until done(); the milliseconds from its end to
// done() (-1 when either took longer than five seconds).
long AfterTheEnd(HANDLE process, const std::function<bool()>& done) {
    if (!kvtest::PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 5000)) return -1;
    const ULONGLONG ended = GetTickCount64();
    if (!kvtest::PumpUntil(done, 5000)) return -1;
    return static_cast<long>(GetTickCount64() - ended);
}

}  // namespace

TEST(SystemActivity, InputResetsTheIdleTime_AWindowOverTheWholeScreenIsFullScreen) {
    IActivity& system = Activity();
    kvtest::SendMouse(100, 100, 0);
    kvtest::SendMouse(101, 101, 0);
    kvtest::PumpFor(50);
    EXPECT_LE(system.IdleSeconds(), 1);

    HWND full = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(full);
    SetForegroundWindow(full);
    kvtest::PumpUntil([&] { return GetForegroundWindow() == full; }, 2000);
    EXPECT_TRUE(system.FullScreenRunning());
    SetWindowPos(full, nullptr, 0, 0, 300, 200, SWP_NOZORDER);  // an ordinary window in front
    EXPECT_FALSE(system.FullScreenRunning());
    DestroyWindow(full);
}

TEST(SystemActivity, AWatchedProcessEndingPostsTheTimer_ByIdOrEveryProcessOfAName) {
    IActivity& system = Activity();
    TimerWindow window;
    int before = TimerWindow::ticks;
    {
        HeldProcess one(L"kvwatch_one.exe");
        ASSERT_TRUE(one.ok());
        system.Watch({one.Id(), L"KVWATCH_ONE.EXE"}, window.hwnd, conTimedActionTimerId);
        EXPECT_FALSE(system.WatchedEnded());
        one.Resume();
        const long ms = AfterTheEnd(one.Handle(), [&] { return TimerWindow::ticks > before; });
        ASSERT_GE(ms, 0) << "no message after the end";
        EXPECT_LT(ms, 1000);
        EXPECT_TRUE(system.WatchedEnded());
    }
    {
        HeldProcess first(L"kvwatch_name.exe"), second(L"kvwatch_name.exe");
        ASSERT_TRUE(first.ok() && second.ok());
        system.Watch({0, L"kvwatch_name.exe"}, window.hwnd, conTimedActionTimerId);
        before = TimerWindow::ticks;
        first.Resume();
        ASSERT_GE(AfterTheEnd(first.Handle(), [&] { return TimerWindow::ticks > before; }), 0);
        EXPECT_FALSE(system.WatchedEnded()) << "another of that name still runs";
        before = TimerWindow::ticks;
        second.Resume();
        ASSERT_GE(AfterTheEnd(second.Handle(), [&] { return TimerWindow::ticks > before; }), 0);
        EXPECT_TRUE(system.WatchedEnded());
    }
    system.StopWatching();
}

// The whole road: the trigger armed on a real process, the action recorded at the session
// within a second of the process's end (no warning set).
TEST(SystemActivity, TheActionFollowsARealProgramsEndWithinASecond) {
    VersionGlobal().InfoApplication(L"Kelvo Restart");
    kvtest::RecordingSessionControl session;
    kvtest::RecordingMessageBox boxes;
    kvtest::RegistrySnapshot stored{{{HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType"}}};
    State() = ProgramState{};
    State().Mode = RunMode::Resident;
    State().TimeAction = L"Neu anmelden";
    State().TimeWarningLead = 0;
    TimerWindow window;
    HeldProcess render(L"kvwatch_render.exe");
    ASSERT_TRUE(render.ok());
    State().TimeProcessName = L"kvwatch_render.exe";
    State().TimeProcessId = static_cast<long>(render.Id());
    State().TimeActionType = conTA_ProcessEnd;
    AddQuitStep([] {});
    SetTimedActionTimerWindow(window.hwnd);
    SetTimedActionTimer(true);
    EXPECT_EQ(TimedActionTimerInterval(), conTimedActionLongestWait);
    render.Resume();
    const long ms = AfterTheEnd(render.Handle(), [&] { return !session.CallsOf("ExitWindowsEx").empty(); });
    EXPECT_GE(ms, 0) << "the action never came";
    EXPECT_LT(ms, 1000);
    EXPECT_EQ(State().TimeActionType, conTA_Off);
    SetTimedActionTimer(false);
    SetTimedActionTimerWindow(nullptr);
    Quit();
    State() = ProgramState{};
}
