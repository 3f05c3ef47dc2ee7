// The options without their window: matching, enabling rules, checks and what OK writes.
#include <gtest/gtest.h>

#include "CliTestSupport.h"
#include "ManualClock.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "program/Clock.h"
#include "program/basTools.h"
#include "ui/options/OptionsModel.h"
#include "work/basTimedAction.h"

namespace kvtest {
namespace {

using namespace kvr::options;

TEST(OptionsMatching, WholeItemsIgnoringCase) {
    struct Case {
        const wchar_t* list;
        const wchar_t* item;
        bool contained;
    };
    const Case cases[] = {
        {L"Neu starten;", L"Neu starten: XP", false},  // a prefix is no item
        {L"Neu starten: XP;", L"Neu starten", false},  // nor a part
        {L"neu STARTEN;", L"Neu starten", true},
        {L"Sperren; Neu starten ;", L"Neu starten", true},
        {L"", L"Sperren", false},
        {L"Sperren;", L"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(ContainsItem(c.list, c.item), c.contained) << c.list << " / " << c.item;
}

TEST(OptionsMatching, BootSystemEntriesAndIcons) {
    struct Case {
        const wchar_t* text;
        bool bootSystem;
        long icon;
    };
    const Case cases[] = {
        {L"Neu starten: Microsoft Windows XP", true, 2},
        {L"Herunterfahren: Microsoft Windows XP", true, 1},
        {L"Neu starten: Standard", false, 2},
        {L"Neu starten", false, 2},
        {L"Herunterfahren", false, 1},
        {L"Sperren", false, 6},
        {L"Windows beenden...", false, 7},
        {L"Herunterfahren: Neu starten-Test", true, 2},  // the last text found gives the icon
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsBootSystemEntry(c.text), c.bootSystem) << c.text;
        EXPECT_EQ(OptionsListIcon(c.text), c.icon) << c.text;
    }
}

TEST(OptionsMatching, TimedActionSelectsTheEqualItemNotTheLastContainingOne) {
    const std::vector<std::wstring> items{L"", L"Neu starten", L"Neu starten: XP"};
    EXPECT_EQ(FindItem(items, L"Neu starten"), 1);
    EXPECT_EQ(FindItem(items, L"neu starten: xp"), 2);
    EXPECT_EQ(FindItem(items, L""), 0);
    EXPECT_EQ(FindItem(items, L"Neu"), -1);
}

TEST(OptionsRows, TicksAndSelectionByWholeItems) {
    const std::vector<std::wstring> options{L"Neu starten", L"Neu starten: XP", L"", L"Sperren"};
    const std::vector<ActionRow> view = ViewRows(options, L"Neu starten;", false);
    ASSERT_EQ(view.size(), 3u);  // separators are no rows
    EXPECT_FALSE(view[0].Ticked);
    EXPECT_TRUE(view[1].Ticked);
    EXPECT_EQ(VisibleOptionsOf(view), L"Neu starten;");

    const std::vector<ActionRow> menu = ViewMenuRows(options, L"Neu starten: XP;Sperren;", L"Neu starten", false);
    EXPECT_FALSE(menu[0].Ticked);
    EXPECT_TRUE(menu[1].Ticked);
    EXPECT_TRUE(menu[0].Selected);
    EXPECT_FALSE(menu[1].Selected);
    // The standard entry is not ticked: none is stored.
    EXPECT_EQ(StandardMenuOptionOf(menu), L"");
    EXPECT_EQ(VisibleMenuOptionsOf(menu), L"Neu starten: XP;Sperren;");
}

TEST(OptionsRows, GhostedBootSystemsAreNeverTickedAndStoredAsHidden) {
    const std::vector<std::wstring> options{L"Neu starten: Standard", L"Neu starten: XP"};
    std::vector<ActionRow> view = ViewRows(options, L"", true);
    EXPECT_FALSE(view[0].Ghosted);
    EXPECT_TRUE(view[1].Ghosted);
    EXPECT_FALSE(view[1].Ticked);
    view[1].Ticked = true;  // whatever the list says
    EXPECT_EQ(VisibleOptionsOf(view), L"Neu starten: XP;");
    std::vector<ActionRow> menu = ViewMenuRows(options, L"Neu starten: XP;", L"", true);
    EXPECT_FALSE(menu[1].Ticked);
    EXPECT_EQ(VisibleMenuOptionsOf(menu), L"");
}

using Set = std::function<void(OptionsValues&, OptionsEnvironment&)>;
using V = OptionsValues;
using E = OptionsEnvironment;

TEST(OptionsRules, EnablingTable) {
    struct Case {
        const char* name;
        Set set;
        std::vector<std::pair<int, bool>> enabled;
        std::function<bool(const OptionsValues&)> after;
    };
    const Case cases[] = {
        {"no forced exit unticks the five",
         [](V& v, E&) {
             v.AllowUnsaveQuit = false;
             v.SaveQuitImmediateState = v.QuitImmediateLink = v.RemoteQuitImmediate = v.ShortcutQuitImmediate =
                 v.TimedActionImmediate = true;
             v.TimeActionType = 3;
         },
         {{chkSaveQuitImmediateState, false}, {chkQuitImmediateLink, false}, {chkRemoteQuitImmediate, false},
          {chkShortcutQuitImmediate, false}, {chkTimedActionImmediate, false}},
         [](const V& v) {
             return !v.SaveQuitImmediateState && !v.QuitImmediateLink && !v.RemoteQuitImmediate &&
                    !v.ShortcutQuitImmediate && !v.TimedActionImmediate;
         }},
        {"a lock link is never forced", [](V& v, E&) { v.AllowUnsaveQuit = true, v.LinkAction = L"Sperren"; },
         {{chkQuitImmediateLink, false}, {chkShortcutQuitImmediate, true}}, nullptr},
        {"countdown", [](V& v, E&) { v.TimeActionType = 1; },
         {{dpTimeCountdown, true}, {dpTimeForAction, false}, {cboTimeAction, true}, {cboTimeWeekday, false}},
         nullptr},
        {"weekly", [](V& v, E&) { v.TimeActionType = 4; },
         {{dpTimeCountdown, false}, {dpTimeForAction, true}, {dpDateForAction, false}, {cboTimeWeekday, true},
          {txtTimeMonthDay, false}},
         nullptr},
        {"off", [](V& v, E&) { v.TimeActionType = 0; },
         {{cboTimeAction, false}, {dpTimeForAction, false}, {chkTimedActionImmediate, false}}, nullptr},
        {"write-protected boot.ini", [](V& v, E& e) { e.BootIniWriteProtected = v.AutoDialog = true; },
         {{lstStandard, false}, {txtBootmenutime, false}, {chkAutoDialog, false}, {cmdEditBootIni, false},
          {chkResetToStandard, false}},
         [](const V& v) { return !v.AutoDialog; }},
        {"close time needs both ticks", [](V& v, E&) { v.AutoDialog = true, v.AutoClose = false; },
         {{chkAutoclose, true}, {txtCloseTime, false}, {optCloseType0, false}}, nullptr},
        {"logon on NT 4 takes the hide tick away",
         [](V& v, E& e) { e.Windows9xOrNT4 = v.AutoLogon = v.HideUsername = true; },
         {{chkHideUsername, false}, {txtUsername, true}, {txtDomain, true}},
         [](const V& v) { return !v.HideUsername; }},
        {"logon on Windows 98", [](V& v, E& e) { e.Windows9x = e.Windows9xOrNT4 = v.AutoLogon = true; },
         {{txtDomain, false}, {chkForceLogon, true}, {cmdRemoteShutdown, false}, {cmdRemoteStop, false}}, nullptr},
        {"logon values not writable",
         [](V& v, E& e) { e.AutoLogonWriteAllowed = false, v.AutoLogon = v.HideUsername = true; },
         {{chkAutoLogon, false}, {txtUsername, false}, {chkHideUsername, false}}, nullptr},
        {"remote countdown running", [](V&, E& e) { e.RemoteRunning = true; },
         {{txtRemoteComputer, false}, {cmdRemoteShutdown, false}, {cmdRemoteStop, true}}, nullptr},
        {"link path only for start menu and folder", [](V& v, E&) { v.LastPathOption = 2; },
         {{txtLinkPath, true}, {cmdBrowse, true}, {optPath3, false}}, nullptr},
    };
    for (const Case& c : cases) {
        OptionsValues v;
        OptionsEnvironment env;
        env.BootIniPresent = true;
        c.set(v, env);
        const std::map<int, bool> on = ApplyEnablingRules(v, env);
        for (const auto& [id, expected] : c.enabled) {
            ASSERT_TRUE(on.count(id)) << c.name << " control " << id;
            EXPECT_EQ(on.at(id), expected) << c.name << " control " << id;
        }
        if (c.after) EXPECT_TRUE(c.after(v)) << c.name;
    }
}

TEST(OptionsChecks, FirstFailingCheckWithPageAndControl) {
    // 12:00:00 on 5 March 2004.
    const long long now = kvr::WholeSeconds(kvr::MakeDate(2004, 3, 5)) + 12 * 3600;
    const wchar_t* const bootTime = L"Bootmenüzeit ist nicht im Bereich von 1 bis 999!";
    const wchar_t* const monthDay = L"Ungültiger Monatstag angegeben!";
    struct Case {
        const char* name;
        Set set;
        const wchar_t* message;  // nullptr: passes
        long page;
        int control;
    };
    const Case cases[] = {
        {"all fine", [](V&, E&) {}, nullptr, 0, 0},
        {"boot menu time 0", [](V& v, E&) { v.BootMenuTime = L"0"; }, bootTime, 10, txtBootmenutime},
        {"boot menu time text", [](V& v, E&) { v.BootMenuTime = L"abc"; }, bootTime, 10, txtBootmenutime},
        {"boot menu time unchecked when write-protected",
         [](V& v, E& e) { v.BootMenuTime = L"0", e.BootIniWriteProtected = true; }, nullptr, 0, 0},
        {"close time", [](V& v, E&) { v.AutoDialog = v.AutoClose = true, v.CloseTime = L"1000"; },
         L"Schließzeit ist nicht im Bereich von 1 bis 999!", 4, txtCloseTime},
        {"close time without auto close", [](V& v, E&) { v.AutoDialog = true, v.CloseTime = L""; }, nullptr, 0, 0},
        {"no action", [](V& v, E&) { v.TimeActionType = 3, v.TimeAction = L""; },
         L"Es wurde keine Aktion für die Zeitsteuerung angegeben!", 5, cboTimeAction},
        {"zero countdown", [](V& v, E&) { v.TimeActionType = 1, v.TimeCountdown = {0, 0, 0}; },
         L"Ungültige Countdownzeit angegeben!", 5, dpTimeCountdown},
        {"one second countdown", [](V& v, E&) { v.TimeActionType = 1, v.TimeCountdown = {0, 0, 1}; }, nullptr, 0, 0},
        {"once one second ago",
         [](V& v, E&) { v.TimeActionType = 2, v.TimeDateForAction = {2004, 3, 5}, v.TimeForAction = {11, 59, 59}; },
         L"Zeitpunkt liegt in der Vergangenheit!", 5, dpTimeForAction},
        {"once exactly now",
         [](V& v, E&) { v.TimeActionType = 2, v.TimeDateForAction = {2004, 3, 5}, v.TimeForAction = {12, 0, 0}; },
         nullptr, 0, 0},
        {"daily in the past", [](V& v, E&) { v.TimeActionType = 3, v.TimeForAction = {1, 0, 0}; }, nullptr, 0, 0},
        {"weekly without a day", [](V& v, E&) { v.TimeActionType = 4, v.TimeWeekday = 0; },
         L"Es wurde kein Wochentag angegeben!", 5, cboTimeWeekday},
        {"monthly 0", [](V& v, E&) { v.TimeActionType = 5, v.TimeMonthDay = L"0"; }, monthDay, 5, txtTimeMonthDay},
        {"monthly 1.5", [](V& v, E&) { v.TimeActionType = 5, v.TimeMonthDay = L"1.5"; }, monthDay, 5, txtTimeMonthDay},
        {"monthly 32", [](V& v, E&) { v.TimeActionType = 5, v.TimeMonthDay = L"32"; }, monthDay, 5, txtTimeMonthDay},
        {"monthly 31", [](V& v, E&) { v.TimeActionType = 5, v.TimeMonthDay = L"31"; }, nullptr, 0, 0},
        {"boot menu time before the timed action",
         [](V& v, E&) { v.BootMenuTime = L"", v.TimeActionType = 1, v.TimeCountdown = {0, 0, 0}; }, bootTime, 10,
         txtBootmenutime},
    };
    for (const Case& c : cases) {
        OptionsValues v;
        v.BootMenuTime = L"30";
        v.TimeAction = L"Sperren";
        v.TimeWeekday = 1;
        OptionsEnvironment env;
        env.BootIniPresent = true;
        c.set(v, env);
        const std::optional<CheckFailure> failure = CheckOptions(v, env, now);
        if (!c.message) {
            EXPECT_FALSE(failure) << c.name;
            continue;
        }
        ASSERT_TRUE(failure) << c.name;
        EXPECT_EQ(failure->Message, c.message) << c.name;
        EXPECT_EQ(failure->Page, c.page) << c.name;
        EXPECT_EQ(failure->Control, c.control) << c.name;
    }
}

TEST(OptionsChecks, TheIdleAndProgramTriggersAndTheWarningLead) {
    const struct {
        long type;
        const wchar_t *idle, *lead;
        kvr::ProcessChoice process;
        int control;   // 0: passes
    } cases[] = {
        {kvr::conTA_Idle, L"0", L"60", {}, txtTimeIdleMinutes},
        {kvr::conTA_Idle, L"1441", L"60", {}, txtTimeIdleMinutes},
        {kvr::conTA_Idle, L"30", L"60", {}, 0},
        {kvr::conTA_Idle, L"30", L"3601", {}, txtTimeWarningLead},
        {kvr::conTA_Idle, L"30", L"", {}, txtTimeWarningLead},
        {kvr::conTA_Countdown, L"0", L"0", {}, 0},   // only the chosen trigger's values count
        {kvr::conTA_ProcessEnd, L"30", L"60", {}, cboTimeProcess},
        {kvr::conTA_ProcessEnd, L"30", L"60", {0, L"kein-solches-programm.exe"}, cboTimeProcess},
    };
    for (const auto& c : cases) {
        OptionsValues v;
        v.BootMenuTime = L"30";
        v.TimeAction = L"Sperren";
        v.TimeActionType = c.type;
        v.TimeIdleMinutes = c.idle;
        v.TimeWarningLead = c.lead;
        v.TimeProcess = c.process;
        OptionsEnvironment env;
        const auto failure = CheckOptions(v, env, 0);
        EXPECT_EQ(failure ? failure->Control : 0, c.control) << c.type << " " << std::string(c.idle, c.idle + wcslen(c.idle));
        if (failure) EXPECT_EQ(failure->Page, 5);
    }
}

TEST(OptionsText, TimesAndDatesWithoutLeadingZeros) {
    EXPECT_EQ(TimeText({7, 5, 0}), L"7:5:0");
    EXPECT_EQ(TimeText({23, 59, 59}), L"23:59:59");
    EXPECT_EQ(DateText({2004, 3, 5}), L"5.3.2004");
}

// ---- What OK writes, against the prefix's registry and boot.ini ----

class OptionsCommitTest : public FreshProfileTest {
protected:
    void SetUp() override {
        FreshProfileTest::SetUp();
        kvr::State() = kvr::ProgramState{};
        kvr::State().Mode = kvr::RunMode::CommandLine;
        kvr::State().TimeActionType = 0;
        WriteFileText(kBootIni, kXpBootIni);
        env_ = ReadEnvironment();
        values_ = LoadOptions(env_, 0);
    }
    void TearDown() override {
        kvr::SetTimedActionTimer(false);
        FreshProfileTest::TearDown();
    }
    static std::wstring Text(const wchar_t* name) {
        return kvr::SettingText(kvr::ReadSetting(name, kvr::conSG_Options, kv::Variant(L"<none>")));
    }

    RunningWindows xp_{Windows::XP};
    RecordingSessionControl session_;
    RecordingMessageBox boxes_;
    OptionsEnvironment env_;
    OptionsValues values_;
};

TEST_F(OptionsCommitTest, WritesSettingsBootIniAndAutostart) {
    ASSERT_TRUE(env_.BootIniWritable());
    ASSERT_EQ(values_.Systems.size(), 2u);
    values_.SelectedSystem = 1;  // "Microsoft Windows XP Home"
    values_.BootMenuTime = L"7";
    values_.View[0].Ticked = false;
    values_.TimeActionType = 3;
    values_.TimeAction = L"Sperren";
    values_.TimeForAction = {7, 5, 0};
    values_.TimeDateForAction = {2004, 3, 5};
    values_.AutoStart = true;
    values_.AutoLogon = false;
    values_.Password = L"geheim";
    CommitOptions(values_, env_);

    EXPECT_EQ(ReadFileText(kBootIni),
              "[boot loader]\r\n"
              "timeout=7\r\n"
              "default=multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS\r\n"
              "[operating systems]\r\n"
              "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /fastdetect\r\n"
              "multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS=\"Microsoft Windows XP Home\" /fastdetect\r\n");
    EXPECT_EQ(Text(L"StandardSystem"), L"Microsoft Windows XP Home");
    EXPECT_EQ(Text(L"VisibleOptions"), values_.View[0].Text + L";");
    EXPECT_EQ(Text(L"TimeForAction"), L"7:5:0");
    EXPECT_EQ(Text(L"TimeDateForAction"), L"5.3.2004");
    EXPECT_EQ(Text(L"TimeActionType"), L"3");
    EXPECT_EQ(Text(L"TimeAction"), L"Sperren");
    EXPECT_NE(Text(L"Password"), L"geheim");  // not kept while automatic logon is off
    EXPECT_EQ(kvr::SettingText(kvr::ReadSetting(L"Kelvo Restart", kvr::conSG_Autostart, kv::Variant(L""))),
              kvr::ProgramFileName());
    EXPECT_TRUE(kvr::TimedActionTimerOn());
    EXPECT_EQ(kvr::State().TimeActionType, 3);

    values_.AutoStart = false;
    CommitOptions(values_, env_);
    EXPECT_EQ(kvr::SettingText(kvr::ReadSetting(L"Kelvo Restart", kvr::conSG_Autostart, kv::Variant(L""))), L"");
}

TEST_F(OptionsCommitTest, WithoutAChosenSystemBootIniKeepsItsDefault) {
    values_.SelectedSystem = -1;
    values_.BootMenuTime = L"30";
    CommitOptions(values_, env_);
    EXPECT_EQ(ReadFileText(kBootIni), kXpBootIni);
}

TEST_F(OptionsCommitTest, WriteProtectedBootIniIsNeitherCheckedNorWritten) {
    WriteBlocked blocked(kBootIni);
    env_ = ReadEnvironment();
    ASSERT_TRUE(env_.BootIniWriteProtected);
    values_ = LoadOptions(env_, 0);
    values_.BootMenuTime = L"0";
    EXPECT_FALSE(CheckOptions(values_, env_, kvr::WholeSeconds(kvr::Now())));
    CommitOptions(values_, env_);
    EXPECT_EQ(Text(L"StandardSystem"), L"<none>");
    EXPECT_EQ(Text(L"AutoDialog"), L"<none>");
}

}  // namespace
}  // namespace kvtest
