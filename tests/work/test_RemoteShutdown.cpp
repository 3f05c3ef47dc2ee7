// Remote shutdown against the recording session control and a manual clock: what each
// computer is asked, what the user is told, and the state the options page is left in.
#include <gtest/gtest.h>

#include <algorithm>

#include "AppTestSupport.h"
#include "LocaleOverride.h"
#include "ManualClock.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "program/basTools.h"
#include "work/EngineHooks.h"
#include "work/basRemoteShutdown.h"

using namespace kvr;

namespace {

// What the options page would show.
struct RecordingView : IRemoteShutdownView {
    void ShowRemoteStatus(const std::wstring& strText) override { statuses.push_back(strText); }
    void RemoteShutdownChanged(bool blnRunning) override { running.push_back(blnRunning); }
    std::vector<std::wstring> statuses;
    std::vector<bool> running;
};

// Notes for every remote call whether the hourglass was showing.
struct PointerSession : kvtest::RecordingSessionControl {
    BOOL InitiateSystemShutdownEx(const std::wstring& machine, const std::wstring& message, DWORD timeout,
                                  BOOL force, BOOL reboot, DWORD reason) override {
        hourglass.push_back(GetCursor() == LoadCursorW(nullptr, IDC_WAIT));
        return RecordingSessionControl::InitiateSystemShutdownEx(machine, message, timeout, force, reboot, reason);
    }
    BOOL AbortSystemShutdown(const std::wstring& machine) override {
        hourglass.push_back(GetCursor() == LoadCursorW(nullptr, IDC_WAIT));
        return RecordingSessionControl::AbortSystemShutdown(machine);
    }
    std::vector<bool> hourglass;
};

constexpr DWORD kPlannedOther = SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
const std::wstring kNotActive = L"Nicht aktiv";

class RemoteShutdownTest : public kvtest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(german.ok());
        SetRemoteShutdownView(&view);
        clock.Set(2024, 3, 5, 12, 0, 0);
        arrow = LoadCursorW(nullptr, IDC_ARROW);
        SetCursor(arrow);
    }
    void TearDown() override {
        if (RemoteShutdownRunning()) StopRemoteShutdown();
        SetRemoteShutdownView(nullptr);
        ProgramTest::TearDown();
    }

    // A start the user confirms.
    bool Start(const std::wstring& computers, long seconds = 90, bool report = false) {
        RemoteShutdownRequest request;
        request.Computers = computers;
        request.Action = 1;
        request.Minutes = seconds / 60;
        request.Seconds = seconds % 60;
        request.Message = L"Wartung um 12 Uhr";
        request.QuitImmediate = true;
        request.ShowSuccessMsg = report;
        boxes.answers.push_back(IDYES);
        return RemoteShutdown(request);
    }
    std::vector<std::wstring> Machines(const std::string& operation) const {
        std::vector<std::wstring> machines;
        for (const kvtest::SessionCall& call : session.CallsOf(operation)) machines.push_back(call.texts.at(0));
        return machines;
    }
    // The ticks of n seconds of the running program.
    void Seconds(int n) {
        for (int i = 0; i < n; ++i) {
            clock.Advance(1);
            if (RemoteShutdownTimerOn()) RemoteShutdownTick();
        }
    }
    // The state of a page with no countdown: timer off, buttons and status back.
    void ExpectIdle() {
        EXPECT_FALSE(RemoteShutdownRunning());
        EXPECT_FALSE(RemoteShutdownTimerOn());
        EXPECT_EQ(RemoteShutdownComputers(), L"");
        EXPECT_EQ(RemoteShutdownStatusText(), kNotActive);
        ASSERT_FALSE(view.statuses.empty());
        EXPECT_EQ(view.statuses.back(), kNotActive);
        if (!view.running.empty()) {
            EXPECT_FALSE(view.running.back());
        }
        EXPECT_EQ(GetCursor(), arrow);
    }

    kvtest::LocaleOverride german{{LOCALE_STIMEFORMAT, L"HH:mm:ss"}};
    kvtest::ManualClock clock;
    PointerSession session;
    kvtest::RecordingMessageBox boxes;
    RecordingView view;
    HCURSOR arrow = nullptr;
};

TEST_F(RemoteShutdownTest, SecondOfThreeFails_OthersAskedAndCounted_StopAbortsOnlyThose) {
    for (DWORD error : {5ul, 53ul, 1115ul, 1116ul}) {
        SCOPED_TRACE(error);
        session.calls.clear();
        session.hourglass.clear();
        boxes.shown.clear();
        view = {};
        session.AnswerFor("InitiateSystemShutdownEx", L"\\\\pc2", FALSE, error);

        EXPECT_TRUE(Start(L" pc1 ; \\\\pc2;;pc3;"));
        // The privilege first, then every computer in order with the same request.
        ASSERT_FALSE(session.CallsOf("LookupPrivilegeValue").empty());
        EXPECT_EQ(session.CallsOf("LookupPrivilegeValue")[0].texts.at(1), L"SeRemoteShutdownPrivilege");
        EXPECT_EQ(Machines("InitiateSystemShutdownEx"),
                  (std::vector<std::wstring>{L"\\\\pc1", L"\\\\pc2", L"\\\\pc3"}));
        for (const kvtest::SessionCall& call : session.CallsOf("InitiateSystemShutdownEx")) {
            EXPECT_EQ(call.numbers, (std::vector<unsigned long>{90, 1, 1, kPlannedOther}));
            EXPECT_EQ(call.texts.at(1), L"Wartung um 12 Uhr");
        }
        EXPECT_EQ(session.hourglass, (std::vector<bool>{true, true, true}));
        EXPECT_EQ(GetCursor(), arrow);

        ASSERT_EQ(boxes.shown.size(), 2u);
        EXPECT_EQ(boxes.shown[0].text, L"Soll der/die Computer \"pc1;pc2;pc3\" heruntergefahren/neugestartet werden?");
        EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
        EXPECT_EQ(boxes.shown[0].title, L"Kelvo Restart");
        const std::wstring& failure = boxes.shown[1].text;
        EXPECT_EQ(boxes.shown[1].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_NE(failure.find(L"\r\npc2: API: "), std::wstring::npos) << failure;
        EXPECT_NE(failure.find(L"(" + std::to_wstring(error) + L")"), std::wstring::npos) << failure;
        EXPECT_EQ(failure.find(L"pc1"), std::wstring::npos) << failure;
        EXPECT_EQ(failure.find(L"pc3"), std::wstring::npos) << failure;

        EXPECT_TRUE(RemoteShutdownRunning());
        EXPECT_TRUE(RemoteShutdownTimerOn());
        EXPECT_EQ(RemoteShutdownComputers(), L"pc1;pc3");
        EXPECT_EQ(view.running, std::vector<bool>{true});
        ASSERT_GE(view.statuses.size(), 2u);
        EXPECT_EQ(view.statuses.front(), L"Herunterfahren/Neustarten von \"pc1;pc2;pc3\" läuft...");
        EXPECT_EQ(view.statuses.back(), L"Herunterfahren/Neustarten von \"pc1;pc3\" läuft (00:01:30)...");

        Seconds(30);
        EXPECT_EQ(view.statuses.back(), L"Herunterfahren/Neustarten von \"pc1;pc3\" läuft (00:01:00)...");
        StopRemoteShutdown();
        EXPECT_EQ(Machines("AbortSystemShutdown"), (std::vector<std::wstring>{L"\\\\pc1", L"\\\\pc3"}));
        EXPECT_EQ(session.hourglass.size(), 5u);
        EXPECT_EQ(session.hourglass.back(), true);
        ASSERT_EQ(boxes.shown.size(), 3u);
        EXPECT_EQ(boxes.shown[2].text,
                  L"Das ferngesteuerte Herunterfahren/Neustarten von \"pc1;pc3\" wurde abgebrochen!");
        EXPECT_EQ(boxes.shown[2].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
        EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(),
                            L"Stoppe herunterfahren/neu starten von \"pc1;pc3\"..."),
                  view.statuses.end());
        ExpectIdle();
        Seconds(200);  // the delay is long over: no report of a stopped countdown
        EXPECT_EQ(boxes.shown.size(), 3u);
    }
}

TEST_F(RemoteShutdownTest, EveryComputerFails_NoCountdownNoSuccess) {
    session.Answer("InitiateSystemShutdownEx", FALSE, ERROR_BAD_NETPATH);
    EXPECT_FALSE(Start(L"pc1;pc2", 5, true));
    EXPECT_EQ(Machines("InitiateSystemShutdownEx"), (std::vector<std::wstring>{L"\\\\pc1", L"\\\\pc2"}));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_NE(boxes.shown[1].text.find(L"\r\npc1: API: "), std::wstring::npos);
    EXPECT_NE(boxes.shown[1].text.find(L"\r\npc2: API: "), std::wstring::npos);
    EXPECT_TRUE(view.running.empty());
    ExpectIdle();
    Seconds(10);
    StopRemoteShutdown();
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(session.CallsOf("AbortSystemShutdown").empty());
}

TEST_F(RemoteShutdownTest, CountdownByTheClock_HeldUpTicksCatchUp_ReportOnlyWhenAsked) {
    ASSERT_TRUE(Start(L"pc1;pc2", 10, true));
    Seconds(4);
    EXPECT_EQ(view.statuses.back(), L"Herunterfahren/Neustarten von \"pc1;pc2\" läuft (00:00:06)...");
    clock.Advance(5);  // a modal box held the ticks back for five seconds
    RemoteShutdownTick();
    EXPECT_EQ(view.statuses.back(), L"Herunterfahren/Neustarten von \"pc1;pc2\" läuft (00:00:01)...");
    EXPECT_TRUE(RemoteShutdownRunning());
    ASSERT_EQ(boxes.shown.size(), 1u);
    Seconds(1);
    ExpectIdle();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, L"Die Computer \"pc1;pc2\" wurden heruntergefahren/neugestartet!");
    EXPECT_EQ(boxes.shown[1].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(session.CallsOf("AbortSystemShutdown").empty());

    // No report asked for; a delay of 0 ends with the first tick.
    boxes.shown.clear();
    ASSERT_TRUE(Start(L"pc1", 0, false));
    EXPECT_EQ(session.CallsOf("InitiateSystemShutdownEx").back().numbers.at(0), 0u);
    RemoteShutdownTick();
    ExpectIdle();
    EXPECT_EQ(boxes.shown.size(), 1u);  // the question only
}

TEST_F(RemoteShutdownTest, AbortFailures_ReportedPerComputer_SuccessNamesOnlyTheAborted) {
    ASSERT_TRUE(Start(L"pc1;pc2;pc3"));
    session.AnswerFor("AbortSystemShutdown", L"\\\\pc1", FALSE, ERROR_NO_SHUTDOWN_IN_PROGRESS);
    session.AnswerFor("AbortSystemShutdown", L"\\\\pc3", FALSE, ERROR_BAD_NETPATH);
    StopRemoteShutdown();
    EXPECT_EQ(Machines("AbortSystemShutdown"), (std::vector<std::wstring>{L"\\\\pc1", L"\\\\pc2", L"\\\\pc3"}));
    ASSERT_EQ(boxes.shown.size(), 3u);
    const std::wstring& failure = boxes.shown[1].text;
    EXPECT_NE(failure.find(L"\r\npc1: API: "), std::wstring::npos) << failure;
    EXPECT_NE(failure.find(L"(1116)"), std::wstring::npos) << failure;
    EXPECT_NE(failure.find(L"\r\npc3: API: "), std::wstring::npos) << failure;
    EXPECT_NE(failure.find(L"(53)"), std::wstring::npos) << failure;
    EXPECT_EQ(failure.find(L"pc2"), std::wstring::npos) << failure;
    EXPECT_EQ(boxes.shown[2].text, L"Das ferngesteuerte Herunterfahren/Neustarten von \"pc2\" wurde abgebrochen!");
    ExpectIdle();

    // Every abort fails: the failures only, nothing "abgebrochen".
    boxes.shown.clear();
    ASSERT_TRUE(Start(L"pc1"));
    StopRemoteShutdown();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    ExpectIdle();
}

TEST_F(RemoteShutdownTest, RefusedLists_AndAnswersOtherThanYes_AskNoComputer) {
    const std::wstring local = GetComputer();
    ASSERT_FALSE(local.empty());
    std::wstring lower = local;
    CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    const struct {
        std::wstring computers;
        const wchar_t* message;
    } cases[] = {
        {L"", conRemoteNoComputer},
        {L" ; ;\\\\", conRemoteNoComputer},
        {L"pc1;" + local, conRemoteLocalRefusal},
        {L"pc1; " + lower + L" ;pc3", conRemoteLocalRefusal},
        {L"\\\\" + local, conRemoteLocalRefusal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.computers);
        boxes.shown.clear();
        boxes.answers.clear();
        RemoteShutdownRequest request;
        request.Computers = c.computers;
        EXPECT_FALSE(RemoteShutdown(request));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, c.message);
        EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(std::wstring(conRemoteLocalRefusal),
              L"Der lokale Computer kann nicht über diese Funktion ferngesteuert werden! Verwenden Sie dazu den "
              L"\"Herunterfahren Dialog\" oder das Kontextmenü.");
    for (int answer : {IDNO, IDCANCEL}) {
        boxes.answers = {answer};
        RemoteShutdownRequest request;
        request.Computers = L"pc1";
        EXPECT_FALSE(RemoteShutdown(request));
    }
    EXPECT_TRUE(session.calls.empty());
    EXPECT_TRUE(view.running.empty());
    EXPECT_FALSE(RemoteShutdownRunning());
    EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(RemoteShutdownTest, SecondStartWhileRunningIsRefused) {
    ASSERT_TRUE(Start(L"pc1"));
    const size_t calls = session.calls.size();
    EXPECT_FALSE(Start(L"pc2"));
    boxes.answers.clear();
    EXPECT_EQ(session.calls.size(), calls);
    EXPECT_EQ(RemoteShutdownComputers(), L"pc1");
}

TEST(RemoteShutdownText, DelayOfTheStoredText) {
    const struct {
        const wchar_t* text;
        long seconds;
    } cases[] = {
        {L"00:00:00", 0}, {L"01:02:03", 3723}, {L"02:03", 123}, {L"5", 300}, {L"xx:05:07", 307}, {L"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(RemoteDelaySeconds(c.text), c.seconds) << c.text;
}

}  // namespace

// The warning before the computers go down: within the lead only, hidden for good by
// "Ausblenden", gone with the countdown; none with a lead of 0.
TEST_F(RemoteShutdownTest, WarnsWithinTheLead_DismissedForThisCountdown_GoneWhenItEnds) {
    const EngineHooks saved = Hooks();
    std::vector<TimedWarning> shown;
    int hidden = 0;
    Hooks().ShowRemoteWarning = [&](const TimedWarning& warning) { shown.push_back(warning); };
    Hooks().HideRemoteWarning = [&] { ++hidden; };
    State().TimeWarningLead = 60;

    ASSERT_TRUE(Start(L"pc1; pc2", 90));
    Seconds(29);
    EXPECT_TRUE(shown.empty());
    Seconds(2);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Action, L"Neu starten von \"pc1;pc2\"");
    EXPECT_EQ(shown[0].Remaining, 60);
    EXPECT_TRUE(shown[0].First);
    EXPECT_EQ(shown[1].Remaining, 59);
    EXPECT_FALSE(shown[1].First);
    DismissRemoteWarning();
    EXPECT_EQ(hidden, 1);
    EXPECT_FALSE(RemoteWarningShown());
    Seconds(59);
    EXPECT_EQ(shown.size(), 2u) << "dismissed for the rest of this countdown";
    EXPECT_FALSE(RemoteShutdownRunning());
    EXPECT_EQ(hidden, 1);

    shown.clear();
    ASSERT_TRUE(Start(L"pc3", 30));  // shorter than the lead: warned at once
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Remaining, 30);
    StopRemoteShutdown();
    EXPECT_EQ(hidden, 2);
    ASSERT_TRUE(Start(L"pc3", 30));
    Seconds(30);
    EXPECT_EQ(hidden, 3) << "the countdown ran out";

    State().TimeWarningLead = 0;
    shown.clear();
    ASSERT_TRUE(Start(L"pc4", 30));
    Seconds(30);
    EXPECT_TRUE(shown.empty());
    Hooks() = saved;
}
