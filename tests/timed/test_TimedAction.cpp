// The timed action, tick by tick against a manual clock: what reaches the session control,
// when, and what the action leaves behind.
#include <gtest/gtest.h>


#include "AppTestSupport.h"
#include "LocaleOverride.h"
#include "ManualClock.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "basMain.h"
#include "basTimedAction.h"
#include "basTools.h"

using namespace kvr;
using kvtest::Stored;

namespace {

// What the options dialog would show.
struct RecordingView : ITimedActionView {
    void ShowTimedActionStatus(const std::wstring& strText) override { statuses.push_back(strText); }
    void SelectTimedActionType(long lngType) override { selectedTypes.push_back(lngType); }
    std::vector<std::wstring> statuses;
    std::vector<long> selectedTypes;
};

class TimedAction : public kvtest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        State().Mode = RunMode::Resident;
        ClearTimedActionDone();
        SetTimedActionTimerWindow(nullptr);
        SetTimedActionTimer(true);
        AddQuitStep([this] { ++quits; });
    }
    void TearDown() override {
        SetTimedActionTimer(false);
        SetTimedActionView(nullptr);
        Quit();  // drops the step when no action tore the program down
        ProgramTest::TearDown();
    }

    // Arms a time-based action at 08:00:00.
    void Arm(long type, const std::wstring& action) {
        State().TimeActionType = type;
        State().TimeAction = action;
        State().TimeForAction = MakeTime(8, 0, 0);
    }

    // One second of the running program: the timer ticks only while it is on.
    void Second() {
        if (TimedActionTimerOn()) ExecuteTimedAction();
        clock.Advance(1);
    }
    void Seconds(int n) {
        for (int i = 0; i < n; ++i) Second();
    }
    // The seconds from 07:59:55 to 08:00:15 of that day.
    void AroundEight(long year, long month, long day) {
        clock.Set(year, month, day, 7, 59, 55);
        Seconds(21);
    }

    size_t Fired() const {
        return session.CallsOf("ExitWindowsEx").size() + session.CallsOf("SetSystemPowerState").size() +
               session.CallsOf("LockWorkStation").size();
    }

    kvtest::ManualClock clock;
    kvtest::RecordingSessionControl session;
    kvtest::RecordingMessageBox boxes;
    kvtest::RegistrySnapshot stored_{{{HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType"},
                                      {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimedActionImmediate"}}};
    int quits = 0;
};

}  // namespace

// ---- Countdown ----

TEST_F(TimedAction, CountdownFiresAfterItsTimeAndSwitchesItselfOff) {
    kvtest::LocaleOverride german({{LOCALE_STIMEFORMAT, L"HH:mm:ss"}});
    ASSERT_TRUE(german.ok());
    RecordingView view;
    SetTimedActionView(&view);
    State().TimeActionType = conTA_Countdown;
    State().TimeAction = L"Neu anmelden";
    State().TimeCountdown = MakeTime(0, 0, 10);
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType", 1);
    clock.Set(2024, 3, 5, 12, 0, 0);
    SetCountdownStart(Now());

    Seconds(10);  // 12:00:00 .. 12:00:09
    EXPECT_EQ(Fired(), 0u);
    ASSERT_EQ(view.statuses.size(), 10u);
    EXPECT_EQ(view.statuses.front(), L"'Countdown' läuft (00:00:10)...");
    EXPECT_EQ(view.statuses.back(), L"'Countdown' läuft (00:00:01)...");

    Second();  // 12:00:10
    EXPECT_EQ(Fired(), 1u);
    EXPECT_EQ(view.statuses.back(), L"Nicht aktiv");
    EXPECT_EQ(view.selectedTypes, std::vector<long>{conTA_Off});
    EXPECT_EQ(State().TimeActionType, conTA_Off);
    auto type = Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType");
    EXPECT_EQ(type.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(type.number, 0u);
    EXPECT_FALSE(TimedActionTimerOn());

    Seconds(30);
    EXPECT_EQ(Fired(), 1u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TimedAction, DelayedCountdownFiresAtTheFirstTickAfterItsTime) {
    State().TimeActionType = conTA_Countdown;
    State().TimeAction = L"Neu anmelden";
    State().TimeCountdown = MakeTime(0, 1, 0);
    clock.Set(2024, 3, 5, 23, 59, 30);
    SetCountdownStart(Now());
    Second();
    clock.Advance(300);  // the computer was busy; the countdown ran over midnight
    Second();
    EXPECT_EQ(Fired(), 1u);
}

TEST_F(TimedAction, StatusTextNamesTheCountdownOptionWithoutItsAccessKey) {
    kvtest::LocaleOverride german({{LOCALE_STIMEFORMAT, L"HH:mm:ss"}});
    ASSERT_TRUE(german.ok());
    EXPECT_EQ(TimedActionStatusText(3725), L"'Countdown' läuft (01:02:05)...");
    EXPECT_EQ(TimedActionStatusText(0), L"Nicht aktiv");
    EXPECT_EQ(TimedActionStatusText(-4), L"Nicht aktiv");
}

// ---- Daily, weekly, monthly ----

TEST_F(TimedAction, DailyFiresOnceInItsWindowAndAgainTheNextDay) {
    Arm(conTA_Daily, L"Neu anmelden");
    AroundEight(2024, 3, 5);
    ASSERT_EQ(Fired(), 1u);
    EXPECT_TRUE(TimedActionTimerOn());
    EXPECT_EQ(State().TimeActionType, conTA_Daily);
    AroundEight(2024, 3, 6);
    EXPECT_EQ(Fired(), 2u);
}

TEST_F(TimedAction, DailyFiresLateInItsWindowButAMissedWindowIsNotCaughtUp) {
    Arm(conTA_Daily, L"Neu anmelden");
    clock.Set(2024, 3, 5, 8, 0, 5);
    Second();
    EXPECT_EQ(Fired(), 1u);

    clock.Set(2024, 3, 6, 7, 59, 59);
    Second();
    clock.Set(2024, 3, 6, 8, 0, 6);  // a tick that came six seconds late
    Seconds(60);
    EXPECT_EQ(Fired(), 1u);
}

TEST_F(TimedAction, DailyJustBeforeMidnightFiresEveryDay) {
    Arm(conTA_Daily, L"Neu anmelden");
    State().TimeForAction = MakeTime(23, 59, 58);
    for (long day = 5; day <= 7; ++day) {
        clock.Set(2024, 3, day, 23, 59, 50);
        Seconds(30);
    }
    EXPECT_EQ(Fired(), 3u);
}

TEST_F(TimedAction, WeeklyFiresOnlyOnItsWeekdayAndWeekdayZeroNever) {
    Arm(conTA_Weekly, L"Neu anmelden");
    for (long weekday : {2L /* Tuesday */, 0L}) {
        State().TimeWeekday = weekday;
        for (long day = 4; day <= 10; ++day) {  // Monday 4 March 2024 .. Sunday 10 March
            size_t before = Fired();
            AroundEight(2024, 3, day);
            EXPECT_EQ(Fired() - before, weekday == 2 && day == 5 ? 1u : 0u) << weekday << " on day " << day;
        }
    }
    EXPECT_TRUE(TimedActionTimerOn());
}

TEST_F(TimedAction, MonthlyOnThe31stFiresOnTheLastDayOfShorterMonths) {
    Arm(conTA_Monthly, L"Neu anmelden");
    State().TimeMonthDay = 31;
    struct Month {
        long year, month, lastDay;
    };
    for (Month m : {Month{2024, 4, 30}, Month{2024, 2, 29}, Month{2023, 2, 28}, Month{2024, 5, 31}}) {
        for (long day = 1; day <= m.lastDay; ++day) {
            size_t before = Fired();
            AroundEight(m.year, m.month, day);
            EXPECT_EQ(Fired() - before, day == m.lastDay ? 1u : 0u) << m.year << "-" << m.month << "-" << day;
        }
    }
}

TEST_F(TimedAction, StandbyLeavesTheProgramRunningAndFiresAgainTheNextDay) {
    Arm(conTA_Daily, L"Standby-Modus");
    AroundEight(2024, 3, 5);
    ASSERT_EQ(session.CallsOf("SetSystemPowerState").size(), 1u);
    EXPECT_EQ(quits, 0);
    EXPECT_FALSE(State().QuitFlag);
    EXPECT_TRUE(TimedActionTimerOn());
    AroundEight(2024, 3, 6);
    EXPECT_EQ(session.CallsOf("SetSystemPowerState").size(), 2u);
    EXPECT_TRUE(session.CallsOf("ExitWindowsEx").empty());
}

// A refused exit rebuilds the program in the middle of the action: a fresh done flag and a
// timer armed from the settings. The due moment still fires once, a one-time action stays off.
TEST_F(TimedAction, AProgramRebuiltDuringTheActionDoesNotFireItAgain) {
    auto rebuilt = [] {
        ClearTimedActionDone();
        SetTimedActionTimer(true);
    };
    Arm(conTA_Daily, L"Neu anmelden");
    AddQuitStep(rebuilt);
    AroundEight(2024, 3, 5);
    EXPECT_EQ(Fired(), 1u);

    Arm(conTA_Once, L"Neu anmelden");
    State().TimeDateForAction = MakeDate(2024, 3, 6);
    AddQuitStep(rebuilt);
    AroundEight(2024, 3, 6);
    EXPECT_EQ(Fired(), 2u);
    EXPECT_FALSE(TimedActionTimerOn());
}

// ---- Once ----

TEST_F(TimedAction, OnceFiresAtItsMomentAndSwitchesItselfOff) {
    Arm(conTA_Once, L"Neu anmelden");
    State().TimeDateForAction = MakeDate(2024, 3, 5);
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType", 2);
    AroundEight(2024, 3, 4);  // the day before
    EXPECT_EQ(Fired(), 0u);
    AroundEight(2024, 3, 5);
    EXPECT_EQ(Fired(), 1u);
    EXPECT_FALSE(TimedActionTimerOn());
    EXPECT_EQ(State().TimeActionType, conTA_Off);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType").number, 0u);
}

TEST_F(TimedAction, OnceInThePastNeverFiresAndStaysArmed) {
    Arm(conTA_Once, L"Neu anmelden");
    State().TimeDateForAction = MakeDate(2024, 3, 4);
    AroundEight(2024, 3, 5);
    AroundEight(2024, 3, 6);
    EXPECT_EQ(Fired(), 0u);
    EXPECT_TRUE(TimedActionTimerOn());
    EXPECT_EQ(State().TimeActionType, conTA_Once);
}

// ---- Force flag ----

TEST_F(TimedAction, FiresWithoutForceAfterAStartWhateverTheSettingHolds) {
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimedActionImmediate", 1);
    ReadProgramSettings();  // what a start reads
    Arm(conTA_Daily, L"Neu anmelden");
    AroundEight(2024, 3, 5);
    auto exits = session.CallsOf("ExitWindowsEx");
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].numbers[0] & EWX_FORCE, 0u);

    State().TimedActionImmediate = true;  // the main window was opened or the options accepted
    AroundEight(2024, 3, 6);
    exits = session.CallsOf("ExitWindowsEx");
    ASSERT_EQ(exits.size(), 2u);
    EXPECT_EQ(exits[1].numbers[0] & EWX_FORCE, static_cast<unsigned long>(EWX_FORCE));
}

// ---- Errors ----

TEST_F(TimedAction, AnInvalidTimeIsShownAndTheTimerTicksOn) {
    Arm(conTA_Daily, L"Neu anmelden");
    State().TimeForAction = kv::Date{1e12};  // no date a calendar holds
    clock.Set(2024, 3, 5, 8, 0, 0);
    Seconds(2);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_NE(boxes.shown[0].text.find(L"basWork_ExecuteTimedAction"), std::wstring::npos);
    EXPECT_NE(boxes.shown[0].title.find(L"Kelvo Restart"), std::wstring::npos);
    EXPECT_EQ(boxes.shown[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
    EXPECT_TRUE(TimedActionTimerOn());
    EXPECT_EQ(Fired(), 0u);
}

TEST_F(TimedAction, AFailingActionIsShownAndARepeatingActionStaysArmed) {
    Arm(conTA_Daily, L"Sperren");
    session.Answer("LockWorkStation", FALSE, ERROR_CALL_NOT_IMPLEMENTED);
    AroundEight(2024, 3, 5);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(L"basWork_ExecuteTimedAction"), std::wstring::npos);
    EXPECT_TRUE(TimedActionTimerOn());
    AroundEight(2024, 3, 6);
    EXPECT_EQ(session.CallsOf("LockWorkStation").size(), 2u);
}

namespace {

// A message box that stays up while the timer goes on ticking.
struct TickingMessageBox : kvtest::RecordingMessageBox {
    int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) override {
        for (int i = 0; i < 3; ++i) ExecuteTimedAction();
        return RecordingMessageBox::Show(owner, text, title, style);
    }
};

}  // namespace

TEST_F(TimedAction, TicksWhileAMessageBoxOfATickIsUpAreSkipped) {
    TickingMessageBox box;
    Arm(conTA_Daily, L"Neu anmelden");
    State().TimeForAction = kv::Date{1e12};
    clock.Set(2024, 3, 5, 8, 0, 0);
    ExecuteTimedAction();
    EXPECT_EQ(box.shown.size(), 1u);
}

// ---- The timer ----

TEST_F(TimedAction, TheTimerRunsOnTheRegisteredWindow) {
    SetTimedActionTimer(false);
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr) << GetLastError();
    // Registered while off: no timer; switched on, the window holds it.
    SetTimedActionTimerWindow(window);
    SetTimedActionTimer(true);
    MSG msg;
    DWORD until = GetTickCount() + 3000;
    bool ticked = false;
    while (!ticked && GetTickCount() < until) {
        if (PeekMessageW(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE))
            ticked = msg.wParam == kTimedActionTimerId;
        else
            Sleep(20);
    }
    EXPECT_TRUE(ticked);

    SetTimedActionTimer(false);
    EXPECT_FALSE(KillTimer(window, kTimedActionTimerId));  // gone already

    // A window destroyed without signing off leaves only the state.
    DestroyWindow(window);
    EXPECT_NO_THROW(SetTimedActionTimer(true));
    EXPECT_TRUE(TimedActionTimerOn());
    SetTimedActionTimerWindow(nullptr);
}
