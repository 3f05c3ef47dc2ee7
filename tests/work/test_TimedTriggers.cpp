// The timed action with its warning, through the engine's hooks: what the warning shows, its
// answers, the idle and program triggers, the stored values the start reads and their checks.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "LocaleOverride.h"
#include "ManualActivity.h"
#include "ManualClock.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "ui/tray/basMenues.h"
#include "work/EngineHooks.h"
#include "work/TimedActionChecks.h"
#include "work/basTimedAction.h"

using namespace kvr;

namespace {

class TimedTriggers : public kvtest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        State().Mode = RunMode::Resident;
        State().TimeWarningLead = 60;
        State().TimeAction = L"Neu anmelden";
        State().TimeForAction = MakeTime(8, 0, 0);
        State().TimeIdleMinutes = 30;
        State().TimeIdleNoFullScreen = true;
        ClearTimedActionDone();
        SetTimedActionTimerWindow(nullptr);
        saved_ = Hooks();
        Hooks().ShowTimedWarning = [this](const TimedWarning& w) { warnings.push_back(w); };
        Hooks().HideTimedWarning = [this] { ++hidden; };
        AddQuitStep([] {});
    }
    void TearDown() override {
        SetTimedActionTimer(false);
        Hooks() = saved_;
        Quit();
        ProgramTest::TearDown();
    }
    void Arm(long type) {
        State().TimeActionType = type;
        SetTimedActionTimer(true);
    }
    void Seconds(int n) {
        for (int i = 0; i < n; ++i) {
            if (TimedActionTimerOn()) ExecuteTimedAction();
            clock.Advance(1);
            if (activity.idle >= 0) ++activity.idle;
        }
    }
    size_t Fired() const { return session.CallsOf("ExitWindowsEx").size(); }

    kvtest::ManualClock clock;
    kvtest::ManualActivity activity;
    kvtest::RecordingSessionControl session;
    kvtest::RecordingMessageBox boxes;
    kvtest::RegistrySnapshot stored_{{{HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType"},
                                      {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeWarningLead"},
                                      {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeIdleMinutes"},
                                      {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeIdleNoFullScreen"},
                                      {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeProcessName"},
                                      {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeProcessId"}}};
    EngineHooks saved_;
    std::vector<TimedWarning> warnings;
    int hidden = 0;
};

}  // namespace

// A daily restart into a named system: the warning names both and counts its seconds; the
// action reaches the session only when the warning has run out.
TEST_F(TimedTriggers, TheWarningCountsDownBeforeTheActionAndNamesItsSystem) {
    // A 12-hour clock: the time left is a duration all the same, never "12:01:00 AM".
    kvtest::LocaleOverride twelveHours({{LOCALE_STIMEFORMAT, L"h:mm:ss tt"}});
    ASSERT_TRUE(twelveHours.ok());
    State().TimeAction = L"Neu anmelden";
    clock.Set(2024, 3, 5, 7, 58, 0);
    Arm(conTA_Daily);
    EXPECT_EQ(TimedActionTimerInterval(), 61000u) << "wakes for the warning, a second after its start";
    Seconds(60);
    EXPECT_TRUE(warnings.empty());
    Seconds(1);  // 07:59:00
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].First);
    EXPECT_EQ(warnings[0].Action, L"Neu anmelden");
    EXPECT_EQ(warnings[0].Remaining, 60);
    EXPECT_EQ(TrayTip(), L"Neu anmelden in 00:01:00");
    EXPECT_EQ(TimedActionTimerInterval(), conTimedActionInterval);
    Seconds(59);
    EXPECT_EQ(warnings.back().Remaining, 1);
    EXPECT_FALSE(warnings.back().First);
    EXPECT_EQ(Fired(), 0u);
    Seconds(1);  // 08:00:00
    EXPECT_EQ(Fired(), 1u);
    EXPECT_EQ(hidden, 1) << "the warning goes before the action";

    State().TimeAction = L"Neu starten: Windows XP";
    warnings.clear();
    clock.Set(2024, 3, 6, 7, 59, 0);
    Seconds(1);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].Action, L"Neu starten");
    EXPECT_EQ(warnings[0].System, L"Windows XP");
}

TEST_F(TimedTriggers, TheAnswers_CancelOneDay_PostponeAndWarnAgain_RunNow) {
    clock.Set(2024, 3, 5, 7, 59, 0);
    Arm(conTA_Daily);
    Seconds(10);
    TimedWarningCancel();
    EXPECT_EQ(hidden, 1);
    EXPECT_FALSE(TimedWarningActive());
    Seconds(120);
    EXPECT_EQ(Fired(), 0u) << "cancelled for today";
    EXPECT_TRUE(TimedActionTimerOn());
    EXPECT_EQ(State().TimeActionType, conTA_Daily);

    clock.Set(2024, 3, 6, 7, 59, 0);  // tomorrow: postponed by 5 minutes, warned again
    Seconds(10);
    warnings.clear();
    TimedWarningPostpone(5);  // at 07:59:10: the action comes at 08:04:10
    Seconds(240);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(Fired(), 0u);
    Seconds(1);  // 08:03:10
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].Remaining, 60);
    Seconds(60);
    EXPECT_EQ(Fired(), 1u);

    clock.Set(2024, 3, 7, 7, 59, 30);
    Seconds(1);
    ASSERT_TRUE(TimedWarningActive());
    TimedWarningRunNow();
    EXPECT_EQ(Fired(), 2u);

    // A one-time countdown cancelled is switched off, as after its action.
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType", 1);
    State().TimeCountdown = MakeTime(0, 1, 10);
    SetCountdownStart(Now());
    Arm(conTA_Countdown);
    Seconds(11);
    ASSERT_TRUE(TimedWarningActive());
    TimedWarningCancel();
    EXPECT_FALSE(TimedActionTimerOn());
    EXPECT_EQ(State().TimeActionType, conTA_Off);
    EXPECT_EQ(kvtest::Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType").number, 0u);
    EXPECT_EQ(Fired(), 2u);
}

TEST_F(TimedTriggers, IdleWarnsAfterItsQuietTime_InputEndsTheCountdown_AFullScreenHoldsItBack) {
    clock.Set(2024, 3, 5, 12, 0, 0);
    State().TimeIdleMinutes = 2;
    activity.idle = 0;
    Arm(conTA_Idle);
    Seconds(120);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(TrayTip(), L"Neu anmelden nach 2 min Leerlauf");
    Seconds(1);  // two minutes quiet
    ASSERT_EQ(warnings.size(), 1u);
    Seconds(10);
    activity.idle = 0;  // the user is back
    Seconds(1);
    EXPECT_FALSE(TimedWarningActive());
    EXPECT_EQ(hidden, 1);
    Seconds(130);
    EXPECT_EQ(Fired(), 0u);
    ASSERT_TRUE(TimedWarningActive()) << "quiet again for two minutes";
    Seconds(60);
    EXPECT_EQ(Fired(), 1u);
    EXPECT_TRUE(TimedActionTimerOn()) << "stays armed; the quiet time counts anew";

    activity.fullScreen = true;  // a presentation: however long it is quiet, nothing comes
    Seconds(400);
    EXPECT_EQ(Fired(), 1u);
    EXPECT_FALSE(TimedWarningActive());
}

TEST_F(TimedTriggers, AProgramsEndWarnsAndThenActs_Once) {
    clock.Set(2024, 3, 5, 12, 0, 0);
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType", 7);
    State().TimeProcessName = L"render.exe";
    State().TimeProcessId = 4242;
    Arm(conTA_ProcessEnd);
    ASSERT_TRUE(activity.watching);
    EXPECT_EQ(activity.watched.Name, L"render.exe");
    EXPECT_EQ(activity.watched.ProcessId, 4242u);
    EXPECT_EQ(TimedActionTimerInterval(), conTimedActionLongestWait) << "the program's end wakes the timer";
    EXPECT_EQ(TrayTip(), L"Neu anmelden nach Ende von render.exe") << "named at once, not at a first tick";
    Seconds(30);
    EXPECT_TRUE(warnings.empty());
    activity.ended = true;
    Seconds(60);
    EXPECT_EQ(Fired(), 0u);
    ASSERT_EQ(warnings.size(), 60u);
    EXPECT_EQ(warnings.front().Remaining, 60);
    Seconds(1);
    EXPECT_EQ(Fired(), 1u);
    EXPECT_FALSE(activity.watching);
    EXPECT_EQ(State().TimeActionType, conTA_Off);
    Seconds(120);
    EXPECT_EQ(Fired(), 1u);
}

TEST_F(TimedTriggers, TheStartReadsTheNewValues_ClampedAsTheirChecksAllow_AndDropsAProgramTrigger) {
    const struct {
        long lead, idle;
        long expectedLead, expectedIdle;
    } cases[] = {{0, 1, 0, 1}, {3600, 1440, 3600, 1440}, {3601, 0, 60, 30}, {-1, 1441, 60, 30}};
    for (const auto& c : cases) {
        kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeWarningLead", c.lead);
        kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeIdleMinutes", c.idle);
        ReadProgramSettings();
        EXPECT_EQ(State().TimeWarningLead, c.expectedLead);
        EXPECT_EQ(State().TimeIdleMinutes, c.expectedIdle);
        EXPECT_EQ(CheckWarningLead(c.lead).has_value(), c.lead != c.expectedLead);
        EXPECT_EQ(CheckIdleMinutes(c.idle).has_value(), c.idle != c.expectedIdle);
    }
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType", 7);
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeProcessName", L"render.exe");
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeIdleNoFullScreen", 0);
    ReadProgramSettings();
    EXPECT_EQ(State().TimeActionType, conTA_ProcessEnd);
    EXPECT_EQ(State().TimeProcessName, L"render.exe");
    EXPECT_FALSE(State().TimeIdleNoFullScreen);
    ResetOneTimeCountdown();
    EXPECT_EQ(State().TimeActionType, conTA_Off);
    EXPECT_EQ(kvtest::Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"TimeActionType").number, 0u);
}

TEST(TimedActionChecks, AProgramMustRunUnderItsName) {
    const std::vector<RunningProcess> running{{10, L"explorer.exe"}, {20, L"Render.EXE"}, {30, L"render.exe"}};
    const struct {
        ProcessChoice choice;
        const wchar_t* setting;  // nullptr: accepted
    } cases[] = {
        {{0, L"render.exe"}, nullptr},   {{20, L"render.exe"}, nullptr},  {{0, L"  "}, L"TimeProcessName"},
        {{0, L"gone.exe"}, L"TimeProcessName"}, {{40, L"render.exe"}, L"TimeProcessId"},
        {{10, L"render.exe"}, L"TimeProcessId"},  // the id belongs to another program by now
    };
    for (const auto& c : cases) {
        const auto fault = CheckProcessChoice(c.choice, running);
        ASSERT_EQ(fault.has_value(), c.setting != nullptr) << c.choice.ProcessId;
        if (fault) {
            EXPECT_EQ(fault->Setting, c.setting);
            EXPECT_FALSE(fault->Message.empty());
        }
    }
}
