// The warning before a timed action, shown for real by the engine: what it says, its
// seconds, and its answers by keyboard and mouse (Enter is "Später", Escape "Abbrechen").
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "AppTestSupport.h"
#include "InjectedInput.h"
#include "ManualClock.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "program/basMain.h"
#include "ui/timed/frmTimedWarning.h"
#include "ui/tray/basMenues.h"
#include "work/EngineHooks.h"
#include "work/basRemoteShutdown.h"
#include "work/basTimedAction.h"

using namespace kvr;
using W = frmTimedWarning;
using kvtest::TextOf;

namespace {

class TimedWarningWindowTest : public kvtest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        State().Mode = RunMode::Resident;
        State().TimeWarningLead = 60;
        State().TimeAction = L"Neu starten: Windows XP";
        State().TimeForAction = MakeTime(8, 0, 0);
        State().TimeActionType = conTA_Daily;
        saved_ = Hooks();
        InstallTimedWarning();
        ClearTimedActionDone();
        SetTimedActionTimerWindow(nullptr);
        AddQuitStep([] {});
        clock.Set(2024, 3, 5, 7, 59, 0);
        SetTimedActionTimer(true);
    }
    void TearDown() override {
        SetTimedActionTimer(false);
        TimedWarningWindow().Close();
        if (RemoteShutdownRunning()) StopRemoteShutdown();
        Hooks() = saved_;
        Quit();
        ProgramTest::TearDown();
    }
    HWND Window() const { return TimedWarningWindow().Handle(); }
    HWND RemoteWindow() const { return RemoteWarningWindow().Handle(); }
    // A remote shutdown of pc1 in 30 seconds, warned at once; the warning in front.
    void StartRemote() {
        RemoteShutdownRequest request;
        request.Computers = L"pc1";
        request.Seconds = 30;
        boxes.answers.push_back(IDYES);
        ASSERT_TRUE(RemoteShutdown(request));
        ASSERT_TRUE(RemoteWindow() && IsWindowVisible(RemoteWindow()));
        SetForegroundWindow(RemoteWindow());
        kvtest::PumpUntil([&] { return GetForegroundWindow() == RemoteWindow(); }, 2000, true);
    }
    // The warning comes at 07:59:00 of that day.
    void WarnOn(long day) {
        clock.Set(2024, 3, day, 7, 59, 0);
        ExecuteTimedAction();
        ASSERT_TRUE(Window() && IsWindowVisible(Window()));
        SetForegroundWindow(Window());
        kvtest::PumpUntil([&] { return GetForegroundWindow() == Window(); }, 2000, true);
    }
    // A key pressed as the user would; true when the window went.
    bool Press(WORD key, bool remote = false) {
        kvtest::SendKeys({{key, true}, {key, false}});
        return kvtest::PumpUntil([&] { return (remote ? RemoteWindow() : Window()) == nullptr; }, 3000, true);
    }

    kvtest::ManualClock clock;
    kvtest::RecordingSessionControl session;
    kvtest::RecordingMessageBox boxes;
    kvtest::RegistrySnapshot stored_{{{HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType"}}};
    EngineHooks saved_;
};

}  // namespace

TEST_F(TimedWarningWindowTest, NamesTheActionAndItsSystem_CountsTheSecondsLive_LaterIsTheDefault) {
    WarnOn(5);
    HWND w = Window();
    EXPECT_EQ(TextOf(w), L"Kelvo Restart - Zeitsteuerung");
    EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(TextOf(GetDlgItem(w, W::lblAction)), L"Zeitgesteuerte Aktion: Neu starten");
    EXPECT_EQ(TextOf(GetDlgItem(w, W::lblSystem)), L"System: Windows XP");
    EXPECT_EQ(TextOf(GetDlgItem(w, W::lblRemaining)), L"Die Aktion wird in 60 Sekunden ausgeführt.");
    EXPECT_EQ(LOWORD(SendMessageW(w, DM_GETDEFID, 0, 0)), W::cmdLater);
    EXPECT_EQ(SendDlgItemMessageW(w, W::cboLater, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(TextOf(GetDlgItem(w, W::cmdRunNow)), L"&Jetzt ausführen");

    clock.Advance(15);
    ExecuteTimedAction();
    EXPECT_EQ(TextOf(GetDlgItem(w, W::lblRemaining)), L"Die Aktion wird in 45 Sekunden ausgeführt.");
    EXPECT_EQ(W::RemainingText(1), L"Die Aktion wird in 1 Sekunde ausgeführt.");

    // For a look at it: KV_HOLD_WARNING_MS keeps it on the screen that long.
    if (const char* hold = std::getenv("KV_HOLD_WARNING_MS")) kvtest::PumpFor(static_cast<DWORD>(std::atoi(hold)));
    EXPECT_TRUE(session.calls.empty());
}

TEST_F(TimedWarningWindowTest, EnterPostponesAndWarnsAgain_EscapeCancelsTheDay_RunNowActs) {
    WarnOn(5);
    ASSERT_TRUE(Press(VK_RETURN)) << "Enter is \"Später\"";
    EXPECT_FALSE(TimedWarningActive());
    clock.Set(2024, 3, 5, 8, 2, 59);  // five minutes after 07:59:00, less the minute of warning
    ExecuteTimedAction();
    EXPECT_EQ(Window(), nullptr);
    clock.Advance(1);
    ExecuteTimedAction();
    ASSERT_NE(Window(), nullptr) << "warned again before the postponed moment";
    EXPECT_EQ(TextOf(GetDlgItem(Window(), W::lblRemaining)), L"Die Aktion wird in 60 Sekunden ausgeführt.");
    SetForegroundWindow(Window());
    kvtest::PumpUntil([&] { return GetForegroundWindow() == Window(); }, 2000, true);

    ASSERT_TRUE(Press(VK_ESCAPE)) << "Escape is \"Abbrechen\"";
    clock.Set(2024, 3, 5, 8, 10, 0);
    ExecuteTimedAction();
    EXPECT_TRUE(session.calls.empty()) << "cancelled for today";
    EXPECT_TRUE(TimedActionTimerOn());

    State().TimeAction = L"Sperren";
    WarnOn(6);  // the next day warns as always
    SendMessageW(GetDlgItem(Window(), W::cmdRunNow), BM_CLICK, 0, 0);
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(session.Names(), (std::vector<std::string>{"LockWorkStation"}));
}

// Where the notification area takes balloons (Wine's does), the warning's start shows one.
TEST_F(TimedWarningWindowTest, ABalloonAtTheTrayIconWhereThereIsOne) {
    EXPECT_FALSE(ShowTrayBalloon(L"Zeitsteuerung", L"Neu anmelden")) << "no icon, no balloon";
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    AddTrayIcon(owner);
    ASSERT_TRUE(TrayIconAdded());
    EXPECT_TRUE(ShowTrayBalloon(L"Zeitsteuerung", L"Neu anmelden: " + W::RemainingText(60)));
    DeleteTrayIcon();
    DestroyWindow(owner);
}

// Before a remote shutdown: Enter only hides the warning, Escape stops the shutdown.
TEST_F(TimedWarningWindowTest, RemoteShutdown_EnterHidesTheWarning_EscapeStopsIt) {
    StartRemote();
    HWND w = RemoteWindow();
    EXPECT_EQ(TextOf(w), L"Kelvo Restart - Fernsteuerung");
    EXPECT_EQ(TextOf(GetDlgItem(w, W::lblAction)), L"Fernsteuerung: Herunterfahren von \"pc1\"");
    EXPECT_EQ(TextOf(GetDlgItem(w, W::lblRemaining)), L"Die Aktion wird in 30 Sekunden ausgeführt.");
    EXPECT_EQ(LOWORD(SendMessageW(w, DM_GETDEFID, 0, 0)), W::cmdDismiss);
    EXPECT_EQ(GetDlgItem(w, W::cmdRunNow), nullptr) << "the remote computers cannot be hurried";
    if (const char* hold = std::getenv("KV_HOLD_WARNING_MS")) kvtest::PumpFor(static_cast<DWORD>(std::atoi(hold)));

    ASSERT_TRUE(Press(VK_RETURN, true));
    clock.Advance(1);
    RemoteShutdownTick();
    EXPECT_EQ(RemoteWindow(), nullptr);
    EXPECT_TRUE(RemoteShutdownRunning());
    StopRemoteShutdown();

    StartRemote();
    ASSERT_TRUE(Press(VK_ESCAPE, true));
    EXPECT_FALSE(RemoteShutdownRunning());
    EXPECT_EQ(session.CallsOf("AbortSystemShutdown").size(), 2u);
}
