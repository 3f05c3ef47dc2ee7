// The timed action, tick by tick against a manual clock: what reaches the session control,
// when, and what the action leaves behind.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "LocaleOverride.h"
#include "ManualClock.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "program/basMain.h"
#include "ui/tray/basMenues.h"
#include "work/basTimedAction.h"
#include "program/basTools.h"

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

// A message box that stays up while the timer goes on ticking.
struct TickingMessageBox : kvtest::RecordingMessageBox {
    int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) override {
        for (int i = 0; i < 3; ++i) ExecuteTimedAction();
        return RecordingMessageBox::Show(owner, text, title, style);
    }
};

class TimedAction : public kvtest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        State().Mode = RunMode::Resident;
        // These cases are about the moments; the warning before them has its own tests.
        State().TimeWarningLead = 0;
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

    // Arms an action of that type at 08:00:00 (the countdown: ten seconds).
    void Arm(long type, const std::wstring& action = L"Neu anmelden") {
        State().TimeActionType = type;
        State().TimeAction = action;
        State().TimeForAction = MakeTime(8, 0, 0);
        State().TimeCountdown = MakeTime(0, 0, 10);
    }
    // Seconds of the running program: the timer ticks only while it is on.
    void Seconds(int n) {
        for (int i = 0; i < n; ++i) {
            if (TimedActionTimerOn()) ExecuteTimedAction();
            clock.Advance(1);
        }
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
    unsigned long StoredType() const {
        return Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType").number;
    }

    kvtest::ManualClock clock;
    kvtest::RecordingSessionControl session;
    kvtest::RecordingMessageBox boxes;
    kvtest::RegistrySnapshot stored_{{{HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType"},
                                      {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimedActionImmediate"}}};
    int quits = 0;
};

}  // namespace

TEST_F(TimedAction, CountdownFiresAfterItsTimeAndSwitchesItselfOff) {
    kvtest::LocaleOverride german({{LOCALE_STIMEFORMAT, L"HH:mm:ss"}});
    ASSERT_TRUE(german.ok());
    RecordingView view;
    SetTimedActionView(&view);
    Arm(conTA_Countdown);
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType", 1);
    clock.Set(2024, 3, 5, 12, 0, 0);
    SetCountdownStart(Now());

    Seconds(10);  // 12:00:00 .. 12:00:09
    EXPECT_EQ(Fired(), 0u);
    ASSERT_EQ(view.statuses.size(), 10u);
    EXPECT_EQ(view.statuses.front(), L"'Countdown' läuft (00:00:10)...");
    EXPECT_EQ(view.statuses.back(), L"'Countdown' läuft (00:00:01)...");
    Seconds(1);  // 12:00:10
    EXPECT_EQ(Fired(), 1u);
    EXPECT_EQ(view.statuses.back(), L"Nicht aktiv");
    EXPECT_EQ(view.selectedTypes, std::vector<long>{conTA_Off});
    EXPECT_EQ(State().TimeActionType, conTA_Off);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(StoredType(), 0u);
    EXPECT_FALSE(TimedActionTimerOn());

    Arm(conTA_Countdown);
    SetTimedActionTimer(true);
    clock.Set(2024, 3, 5, 23, 59, 55);
    SetCountdownStart(Now());
    Seconds(1);
    clock.Advance(300);  // the computer was busy; the countdown ran over midnight
    Seconds(1);
    EXPECT_EQ(Fired(), 2u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TimedAction, TrayTipNamesTheArmedActionWithTheTimeLeftOrTheMomentDue_ThenTheProgramAgain) {
    kvtest::LocaleOverride german({{LOCALE_STIMEFORMAT, L"HH:mm:ss"}, {LOCALE_SSHORTDATE, L"dd.MM.yyyy"}});
    ASSERT_TRUE(german.ok());
    const std::wstring longAction = L"Neu starten: " + std::wstring(60, L'W');
    const struct {
        long type, day;  // TimeWeekday or TimeMonthDay
        long month, date, hour;  // the tick, in 2024
        std::wstring action, tip;
    } cases[] = {
        {conTA_Countdown, 0, 3, 5, 12, L"Sperren", L"Sperren in 00:00:10"},
        {conTA_Once, 0, 3, 5, 12, L"Neu anmelden", L"Neu anmelden am 06.03.2024 um 08:00:00"},
        {conTA_Once, 0, 3, 7, 12, L"Neu anmelden", L"Neu anmelden am 06.03.2024 um 08:00:00"},  // passed
        {conTA_Daily, 0, 3, 5, 7, L"Standby-Modus", L"Standby-Modus am 05.03.2024 um 08:00:00"},
        {conTA_Daily, 0, 3, 5, 12, L"Standby-Modus", L"Standby-Modus am 06.03.2024 um 08:00:00"},
        {conTA_Weekly, 2, 3, 5, 12, L"Ruhezustand", L"Ruhezustand am 12.03.2024 um 08:00:00"},
        {conTA_Weekly, 0, 3, 5, 12, L"Ruhezustand", L"Kelvo Restart"},  // never due
        {conTA_Monthly, 31, 4, 5, 12, L"Herunterfahren", L"Herunterfahren am 30.04.2024 um 08:00:00"},
        {conTA_Daily, 0, 3, 5, 12, longAction, longAction.substr(0, 34) + L"... am 06.03.2024 um 08:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tip);
        Arm(c.type, c.action);
        State().TimeDateForAction = MakeDate(2024, 3, 6);
        State().TimeWeekday = State().TimeMonthDay = c.day;
        clock.Set(2024, c.month, c.date, c.hour, 0, 0);
        SetCountdownStart(Now());
        SetTimedActionTimer(true);
        Seconds(1);
        EXPECT_EQ(TrayTip(), c.tip);
        SetTimedActionTimer(false);
        EXPECT_EQ(TrayTip(), L"Kelvo Restart");
    }

    Arm(conTA_Countdown, L"Sperren");  // counts down, and the action that fired puts the name back
    SetTimedActionTimer(true);
    SetCountdownStart(Now());
    Seconds(8);
    EXPECT_EQ(TrayTip(), L"Sperren in 00:00:03");
    Seconds(3);
    EXPECT_EQ(Fired(), 1u);
    EXPECT_EQ(TrayTip(), L"Kelvo Restart");
}

TEST_F(TimedAction, DailyFiresOnceInItsWindow_ALateTickCatchesUp_AndAgainTheNextDay) {
    Arm(conTA_Daily, L"Standby-Modus");
    AroundEight(2024, 3, 5);
    ASSERT_EQ(Fired(), 1u);
    EXPECT_TRUE(TimedActionTimerOn());
    EXPECT_EQ(State().TimeActionType, conTA_Daily);
    AroundEight(2024, 3, 6);
    EXPECT_EQ(session.CallsOf("SetSystemPowerState").size(), 2u);
    EXPECT_EQ(quits, 0) << "standby leaves the program running";

    clock.Set(2024, 3, 7, 8, 0, 5);  // the last second of the window
    Seconds(1);
    EXPECT_EQ(Fired(), 3u);
    clock.Set(2024, 3, 8, 7, 59, 59);
    Seconds(1);
    clock.Set(2024, 3, 8, 8, 0, 6);  // a tick that came six seconds late: caught up, once
    Seconds(60);
    EXPECT_EQ(Fired(), 4u);

    State().TimeForAction = MakeTime(23, 59, 58);  // the moment is near midnight
    for (long day = 9; day <= 11; ++day) {
        clock.Set(2024, 3, day, 23, 59, 50);
        Seconds(30);
    }
    EXPECT_EQ(Fired(), 7u);
}

// A moment to come is waited for in one step (an hour at most), not tick by tick; a clock
// set forward or a resumed computer sets the wait anew.
TEST_F(TimedAction, AMomentIsWaitedForInOneStep_SetAnewWhenTheClockChangesOrTheComputerResumes) {
    Arm(conTA_Daily);
    clock.Set(2024, 3, 5, 7, 0, 0);
    SetTimedActionTimer(true);
    EXPECT_EQ(TimedActionTimerInterval(), conTimedActionLongestWait);
    clock.Set(2024, 3, 5, 7, 59, 50);
    RearmTimedAction();
    EXPECT_EQ(TimedActionTimerInterval(), 11000u);  // a second after the moment, never before it
    clock.Set(2024, 3, 5, 8, 0, 1);
    ExecuteTimedAction();
    EXPECT_EQ(Fired(), 1u);
    EXPECT_EQ(TimedActionTimerInterval(), conTimedActionLongestWait);  // tomorrow's
    clock.Set(2024, 3, 6, 7, 59, 59);  // resumed next morning, an hour's wait not yet over
    RearmTimedAction();
    EXPECT_EQ(TimedActionTimerInterval(), 2000u);
    clock.Set(2024, 3, 6, 8, 0, 1);
    ExecuteTimedAction();
    EXPECT_EQ(Fired(), 2u);

    Arm(conTA_Countdown);  // its time left is on show: every second
    SetTimedActionTimer(true);
    EXPECT_EQ(TimedActionTimerInterval(), conTimedActionInterval);
    SetTimedActionTimer(false);
    EXPECT_EQ(TimedActionTimerInterval(), 0u);
}

TEST_F(TimedAction, WeeklyAndMonthlyFireOnlyOnTheirDay_The31stOnTheLastDayOfShorterMonths) {
    struct Case {
        long type, day, year, month, lastDay, firingDay;  // the days 1 .. lastDay of that month
    } cases[] = {
        {conTA_Weekly, 2, 2024, 3, 10, 5},  // Tuesday 5 March
        {conTA_Weekly, 0, 2024, 3, 10, 0},
        {conTA_Monthly, 31, 2024, 4, 30, 30},
        {conTA_Monthly, 31, 2024, 2, 29, 29},
        {conTA_Monthly, 31, 2023, 2, 28, 28},
        {conTA_Monthly, 31, 2024, 5, 31, 31},
    };
    for (const Case& c : cases) {
        // Armed anew at the start of each month, as accepted options do: the cases lie apart
        // in time, and a moment the clock jumped over would be caught up.
        SetTimedActionTimer(false);
        Arm(c.type);
        State().TimeWeekday = State().TimeMonthDay = c.day;
        clock.Set(c.year, c.month, 1);
        SetTimedActionTimer(true);
        for (long day = 1; day <= c.lastDay; ++day) {
            size_t before = Fired();
            AroundEight(c.year, c.month, day);
            EXPECT_EQ(Fired() - before, day == c.firingDay ? 1u : 0u)
                << c.type << "/" << c.day << " on " << c.year << "-" << c.month << "-" << day;
        }
    }
}

// A refused exit rebuilds the program in the middle of the action: a fresh done flag and a
// timer armed from the settings. The due moment still fires once, a one-time action stays off.
TEST_F(TimedAction, AProgramRebuiltDuringTheActionDoesNotFireItAgain) {
    auto rebuilt = [] {
        ClearTimedActionDone();
        SetTimedActionTimer(true);
    };
    Arm(conTA_Daily);
    AddQuitStep(rebuilt);
    AroundEight(2024, 3, 5);
    EXPECT_EQ(Fired(), 1u);

    Arm(conTA_Once);
    State().TimeDateForAction = MakeDate(2024, 3, 6);
    AddQuitStep(rebuilt);
    AroundEight(2024, 3, 6);
    EXPECT_EQ(Fired(), 2u);
    EXPECT_FALSE(TimedActionTimerOn());
}

TEST_F(TimedAction, OnceNeverFiresForAPastMoment_ButAtItsMomentAndThenSwitchesItselfOff) {
    Arm(conTA_Once);
    State().TimeDateForAction = MakeDate(2024, 3, 4);
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType", 2);
    AroundEight(2024, 3, 5);
    EXPECT_EQ(Fired(), 0u);
    EXPECT_TRUE(TimedActionTimerOn());
    EXPECT_EQ(State().TimeActionType, conTA_Once);

    State().TimeDateForAction = MakeDate(2024, 3, 6);
    AroundEight(2024, 3, 6);
    EXPECT_EQ(Fired(), 1u);
    EXPECT_FALSE(TimedActionTimerOn());
    EXPECT_EQ(State().TimeActionType, conTA_Off);
    EXPECT_EQ(StoredType(), 0u);
}

TEST_F(TimedAction, FiresWithoutForceAfterAStartWhateverTheSettingHolds) {
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimedActionImmediate", 1);
    ReadProgramSettings();  // what a start reads
    Arm(conTA_Daily);
    AroundEight(2024, 3, 5);
    State().TimedActionImmediate = true;  // the main window was opened or the options accepted
    AroundEight(2024, 3, 6);
    auto exits = session.CallsOf("ExitWindowsEx");
    ASSERT_EQ(exits.size(), 2u);
    EXPECT_EQ(exits[0].numbers[0] & EWX_FORCE, 0u);
    EXPECT_EQ(exits[1].numbers[0] & EWX_FORCE, static_cast<unsigned long>(EWX_FORCE));
}

TEST_F(TimedAction, ErrorsAreShownAndTheTimerTicksOn_TicksDuringABoxAreSkipped) {
    TickingMessageBox box;  // three more ticks while each box is up
    Arm(conTA_Daily);
    State().TimeForAction = kv::Date{1e12};  // no date a calendar holds
    clock.Set(2024, 3, 5, 8, 0, 0);
    Seconds(2);
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_NE(box.shown[0].text.find(L"basWork_ExecuteTimedAction"), std::wstring::npos);
    EXPECT_NE(box.shown[0].title.find(L"Kelvo Restart"), std::wstring::npos);
    EXPECT_EQ(box.shown[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
    EXPECT_EQ(Fired(), 0u);

    Arm(conTA_Daily, L"Sperren");  // refused by the system: shown, and fired again the next day
    session.Answer("LockWorkStation", FALSE, ERROR_CALL_NOT_IMPLEMENTED);
    AroundEight(2024, 3, 5);
    AroundEight(2024, 3, 6);
    ASSERT_EQ(box.shown.size(), 4u);
    EXPECT_NE(box.shown[2].text.find(L"basWork_ExecuteTimedAction"), std::wstring::npos);
    EXPECT_EQ(session.CallsOf("LockWorkStation").size(), 2u);
}

TEST_F(TimedAction, TheTimerRunsOnTheRegisteredWindow) {
    SetTimedActionTimer(false);
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetTimedActionTimerWindow(window);  // registered while off: no timer yet
    EXPECT_FALSE(KillTimer(window, conTimedActionTimerId));
    SetTimedActionTimer(true);
    // The timer lives on that window: it is there to kill (no waiting for its tick).
    EXPECT_TRUE(KillTimer(window, conTimedActionTimerId));
    SetTimedActionTimer(true);
    SetTimedActionTimer(false);
    EXPECT_FALSE(KillTimer(window, conTimedActionTimerId)) << "gone already";
    DestroyWindow(window);  // without signing off: only the state is left
    EXPECT_NO_THROW(SetTimedActionTimer(true));
    EXPECT_TRUE(TimedActionTimerOn());
    SetTimedActionTimerWindow(nullptr);
}
