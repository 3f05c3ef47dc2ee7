// Performing an action: what reaches Windows, in which order, and what follows a refusal.
#include <gtest/gtest.h>

#include "BootIniTest.h"
#include "ErrorCapture.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "program/basMain.h"
#include "work/basWork.h"

using namespace kvr;
using kv::test::Raised;
using kvtest::RecordingSessionControl;
using kvtest::Windows;

namespace {

using Names = std::vector<std::string>;

class RebootWindowsTest : public kvtest::BootIniTest {
protected:
    void SetUp() override {
        BootIniTest::SetUp();
        State().Mode = RunMode::CommandLine;
        // The tear-down shows up among the session calls, so their order can be checked.
        AddQuitStep([this] { session.calls.push_back({"Quit", {}, {}}); });
    }
    void TearDown() override {
        Quit();  // drops the step when the action did not tear the program down
        BootIniTest::TearDown();
    }

    unsigned long RecordedExitFlags() const {
        auto exits = session.CallsOf("ExitWindowsEx");
        EXPECT_EQ(exits.size(), 1u);
        return exits.empty() ? ~0ul : exits[0].numbers[0];
    }

    kvtest::RunningWindows xp_{Windows::XP};  // a test may run another Windows over it
    RecordingSessionControl session;
    kvtest::RecordingMessageBox boxes;
};

}  // namespace

TEST_F(RebootWindowsTest, ExitFlagsFollowTheActionTheForceAndSwitchOff) {
    const struct {
        const wchar_t* action;
        bool force, switchOff;
        unsigned long flags;
    } cases[] = {
        {L"Herunterfahren", false, false, 1}, {L"Herunterfahren", true, false, 5},
        {L"Herunterfahren", false, true, 9},  {L"Herunterfahren: Standard", true, true, 13},
        {L"Neu starten: Standard", false, false, 3}, {L"Neu starten", true, true, 7},
        {L"Neu anmelden", false, true, 0},    {L"Neu anmelden", true, false, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.force << c.switchOff);
        session.calls.clear();
        State().QuitFlag = false;
        AddQuitStep([this] { session.calls.push_back({"Quit", {}, {}}); });  // the last action took it
        State().SwitchOff = c.switchOff;
        RebootWindows(c.action, c.force);
        EXPECT_EQ(RecordedExitFlags(), c.flags) << c.action;
        EXPECT_EQ(session.CallsOf("ExitWindowsEx")[0].numbers[1], 0u);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RebootWindowsTest, NtFamilyTearsDownThenTakesThePrivilegeThenEndsWindows) {
    kvtest::RunningWindows running(Windows::Win2000);
    RebootWindows(L"Neu starten", true);

    EXPECT_EQ(session.Names(), (Names{"Quit", "OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges",
                                      "CloseToken", "ExitWindowsEx"}));
    EXPECT_EQ(session.calls[1].numbers, (std::vector<unsigned long>{40}));
    EXPECT_EQ(session.calls[2].texts, (std::vector<std::wstring>{L"", L"SeShutdownPrivilege"}));
    // Token, no disabling, one entry: the looked-up LUID, enabled; 16 bytes; previous state.
    EXPECT_EQ(session.calls[3].numbers,
              (std::vector<unsigned long>{0x4711, 0, 1, RecordingSessionControl::kPrivilegeLuid, 2, 16, 1}));
    EXPECT_EQ(session.calls[4].numbers, (std::vector<unsigned long>{0x4711}));
    EXPECT_TRUE(State().QuitFlag);
}

TEST_F(RebootWindowsTest, OnlyWindows9xEndsTheShellAndOnlyWhenForced) {
    kvtest::RunningWindows running(Windows::Win98);
    RebootWindows(L"Herunterfahren", false);
    EXPECT_EQ(session.Names(), (Names{"Quit", "ExitWindowsEx"}));

    session.calls.clear();
    AddQuitStep([this] { session.calls.push_back({"Quit", {}, {}}); });
    RebootWindows(L"Herunterfahren", true);
    EXPECT_EQ(session.Names(), (Names{"Quit", "EndProgramManager", "ExitWindowsEx"}));
    EXPECT_EQ(session.calls[2].numbers[0], 5u);

    session.calls.clear();
    kvtest::RunningWindows nt(Windows::NT4);
    RebootWindows(L"Neu anmelden", true);
    EXPECT_TRUE(session.CallsOf("EndProgramManager").empty());  // never on the NT family
}

TEST_F(RebootWindowsTest, AShellThatWillNotEndDoesNotStopTheForcedExit) {
    kvtest::RunningWindows running(Windows::WinME);
    session.Answer("EndProgramManager", FALSE, ERROR_ACCESS_DENIED);
    RebootWindows(L"Neu starten", true);
    EXPECT_EQ(RecordedExitFlags(), 7u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RebootWindowsTest, RefusedExitShowsTheCodeAndACommandLineRunEnds) {
    session.Answer("ExitWindowsEx", FALSE, ERROR_PRIVILEGE_NOT_HELD);
    RebootWindows(L"Neu starten", false);

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Windows konnte nicht beendet werden (1314).");
    EXPECT_EQ(boxes.shown[0].title, L"Kelvo Restart");
    EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    // No rebuild, no second try: the program stays torn down and ends.
    EXPECT_EQ(session.CallsOf("ExitWindowsEx").size(), 1u);
    EXPECT_TRUE(State().QuitFlag);
    EXPECT_EQ(State().Mode, RunMode::CommandLine);
}

TEST_F(RebootWindowsTest, APrivilegeThatCannotBeHadLeavesTheReportToTheWindowsCall) {
    session.Answer("OpenProcessToken", FALSE, ERROR_ACCESS_DENIED);
    session.Answer("ExitWindowsEx", FALSE, ERROR_PRIVILEGE_NOT_HELD);
    RebootWindows(L"Herunterfahren", false);
    EXPECT_EQ(session.Names(), (Names{"Quit", "OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges",
                                      "ExitWindowsEx"}));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(RebootWindowsTest, TheBootSystemIsWrittenBeforeWindowsIsAskedAndStaysWhenRefused) {
    kvtest::WriteFileText(kvtest::kBootIni, kvtest::kXpBootIni);
    session.Answer("ExitWindowsEx", FALSE, ERROR_PRIVILEGE_NOT_HELD);
    RebootWindows(L"Neu starten: Microsoft Windows XP Home", false);
    EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS");
    EXPECT_EQ(RecordedExitFlags(), 3u);
}

TEST_F(RebootWindowsTest, NoActionNamedOrLockLeavesTheProgramButANamedSystemIsWritten) {
    kvtest::WriteFileText(kvtest::kBootIni, kvtest::kXpBootIni);
    RebootWindows(L"", true);
    RebootWindows(L"Irgendwas", true);
    EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS");
    RebootWindows(L"Irgendwas: Microsoft Windows XP Home", true);
    EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS");
    EXPECT_TRUE(session.calls.empty());
    // Lock needs no privilege and leaves the program; the dialog entry is no action here.
    RebootWindows(L"Sperren", true);
    RebootWindows(L"Windows beenden...", true);
    EXPECT_EQ(session.Names(), (Names{"LockWorkStation"}));
    EXPECT_FALSE(State().QuitFlag);
}

TEST_F(RebootWindowsTest, ARestartIntoASystemNamedLikeAnActionStillRestarts) {
    kvtest::WriteFileText(kvtest::kBootIni,
                          "[boot loader]\r\ndefault=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
                          "[operating systems]\r\n"
                          "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\"\r\n"
                          "multi(0)disk(0)rdisk(0)partition(3)\\WINDOWS=\"XP Sperren-Labor\"\r\n");
    RebootWindows(L"Neu starten: XP Sperren-Labor", false);
    EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(3)\\WINDOWS");
    EXPECT_EQ(RecordedExitFlags(), 3u);
    EXPECT_TRUE(session.CallsOf("LockWorkStation").empty());
}

TEST_F(RebootWindowsTest, StandbyAndHibernateNeverUnloadTheProgram) {
    for (bool force : {false, true}) {
        session.calls.clear();
        RebootWindows(L"Standby-Modus", force);
        RebootWindows(L"Ruhezustand", force);
        EXPECT_EQ(session.Names(), (Names{"OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges",
                                          "CloseToken", "SetSystemPowerState", "OpenProcessToken",
                                          "LookupPrivilegeValue", "AdjustTokenPrivileges", "CloseToken",
                                          "SetSystemPowerState"}));
        EXPECT_EQ(session.calls[4].numbers, (std::vector<unsigned long>{1, force ? 1ul : 0ul}));
        EXPECT_EQ(session.calls[9].numbers, (std::vector<unsigned long>{0, force ? 1ul : 0ul}));
    }
    EXPECT_FALSE(State().QuitFlag);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RebootWindowsTest, WithoutSetSystemPowerStateOrItsSupportTheSuspendCallIsUsed) {
    session.Answer("SetSystemPowerState", FALSE, ERROR_NOT_SUPPORTED);
    RebootWindows(L"Ruhezustand", false);
    session.hasSetSystemPowerState = false;
    RebootWindows(L"Standby-Modus", true);
    auto suspends = session.CallsOf("SetSuspendState");
    ASSERT_EQ(suspends.size(), 2u);
    EXPECT_EQ(suspends[0].numbers, (std::vector<unsigned long>{1, 0, 0}));  // hibernate
    EXPECT_EQ(suspends[1].numbers, (std::vector<unsigned long>{0, 1, 0}));  // standby, forced
}

TEST_F(RebootWindowsTest, SuspendAndLockFailuresAreRaisedWithTheirCode) {
    session.Answer("SetSystemPowerState", FALSE, ERROR_ACCESS_DENIED);
    const kv::KVError standby = Raised([] { RebootWindows(L"Standby-Modus", false); });
    EXPECT_EQ(standby.Number, 5);
    EXPECT_EQ(standby.Description.rfind(L"API: ", 0), 0u);
    EXPECT_NE(standby.Description.find(L"basWork_RebootWindows"), std::wstring::npos);
    // Refused for a reason other than missing support: no second way is tried.
    EXPECT_TRUE(session.CallsOf("SetSuspendState").empty());

    session.hasSetSystemPowerState = false;
    session.Answer("SetSuspendState", FALSE, ERROR_CALL_NOT_IMPLEMENTED);
    EXPECT_THROW(RebootWindows(L"Ruhezustand", false), kv::KVError);

    session.Answer("LockWorkStation", FALSE, 120);
    EXPECT_EQ(Raised([] { RebootWindows(L"Sperren", true); }).Number, 120);
    EXPECT_FALSE(State().QuitFlag);
}

TEST_F(RebootWindowsTest, EnableShutDownRunsEveryStepAndRaisesTheFirstFailure) {
    session.Answer("LookupPrivilegeValue", FALSE, ERROR_NO_SUCH_PRIVILEGE);
    session.Answer("AdjustTokenPrivileges", FALSE, ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Raised([] { EnableShutDown(L"SeRemoteShutdownPrivilege"); }).Number,
              static_cast<long>(ERROR_NO_SUCH_PRIVILEGE));
    EXPECT_EQ(session.Names(),
              (Names{"OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges", "CloseToken"}));
    EXPECT_EQ(session.calls[1].texts[1], L"SeRemoteShutdownPrivilege");
    // A privilege the token does not hold is a failure too.
    session.calls.clear();
    session.Answer("LookupPrivilegeValue", TRUE, 0);
    session.Answer("AdjustTokenPrivileges", TRUE, ERROR_NOT_ALL_ASSIGNED);
    EXPECT_EQ(Raised([] { EnableShutDown(conShutdownPrivilege); }).Number,
              static_cast<long>(ERROR_NOT_ALL_ASSIGNED));
}

TEST(EnableShutDownReal, EnablesThePrivilegeInThisProcess) {
    // The real token calls: harmless, and the privilege is there afterwards.
    ASSERT_NO_THROW(EnableShutDown(conShutdownPrivilege));
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    LUID luid{};
    ASSERT_TRUE(LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &luid));
    PRIVILEGE_SET set{1, PRIVILEGE_SET_ALL_NECESSARY, {{luid, 0}}};
    BOOL held = FALSE;
    ASSERT_TRUE(PrivilegeCheck(token, &set, &held));
    CloseHandle(token);
    EXPECT_TRUE(held);
}
