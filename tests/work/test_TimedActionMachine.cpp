// The timed action's machine, second by second on made-up moments: when it warns, when it
// fires, and what the warning's answers, input, a full screen, a program's end and a jumping
// clock do to it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "work/TimedActionMachine.h"

using namespace kvr;

namespace {

constexpr long long kDay = 86400;
constexpr long long kEight = 8 * 3600;  // a daily action at 08:00:00 of day 0, 1, ...

TriggerSettings Countdown(long long end, long long lead) {
    TriggerSettings t;
    t.LeadSeconds = lead;
    t.NextOccurrence = [end](long long from) { return end >= from ? std::optional<long long>(end) : std::nullopt; };
    return t;
}

TriggerSettings Daily(long long lead) {
    TriggerSettings t;
    t.Repeating = true;
    t.LeadSeconds = lead;
    t.NextOccurrence = [](long long from) {
        long long day = (from - kEight + kDay - 1) / kDay;
        if (from <= kEight) day = 0;
        return std::optional<long long>(kEight + day * kDay);
    };
    return t;
}

TriggerSettings Idle(long long quiet, long long lead, bool noFullScreen = false) {
    TriggerSettings t;
    t.Kind = TriggerKind::Idle;
    t.Repeating = true;
    t.LeadSeconds = lead;
    t.IdleSeconds = quiet;
    t.IdleOnlyWithoutFullScreen = noFullScreen;
    return t;
}

TriggerSettings ProcessEnd(long long lead) {
    TriggerSettings t;
    t.Kind = TriggerKind::ProcessEnd;
    t.LeadSeconds = lead;
    return t;
}

// Steps the machine once a second and writes down "W<moment>><deadline>" when a warning
// starts and "F<moment>" when it fires.
struct Steps {
    Steps(const TriggerSettings& t, long long start) : now(start) { m.Arm(t, start); }

    void To(long long end) {
        for (; now <= end; ++now) Step();
    }
    void Step() {
        const bool fire = m.Step({now, lastInput, fullScreen, ended});
        const bool warning = m.Phase() == MachinePhase::Warning;
        if (warning && !warned) log.push_back("W" + std::to_string(now) + ">" + std::to_string(*m.Due()));
        warned = warning;
        if (fire) log.push_back("F" + std::to_string(now));
    }
    // The clock jumps (a sleep): no step in between.
    void JumpTo(long long moment) { now = moment; }

    TimedActionMachine m;
    long long now;
    long long lastInput = 0;
    bool fullScreen = false, ended = false, warned = false;
    std::vector<std::string> log;
};

std::string W(long long at, long long due) { return "W" + std::to_string(at) + ">" + std::to_string(due); }
std::string F(long long at) { return "F" + std::to_string(at); }
using Log = std::vector<std::string>;

}  // namespace

TEST(TimedActionMachine, EachTriggerWarnsAtItsLeadTimeAndFiresAtItsTime) {
    const struct {
        const char* name;
        TriggerSettings settings;
        long long until;
        Log expected;
        MachinePhase after;
    } cases[] = {
        {"countdown 70 s, warning 60 s", Countdown(70, 60), 200, {W(10, 70), F(70)}, MachinePhase::Off},
        {"countdown without warning", Countdown(70, 0), 200, {F(70)}, MachinePhase::Off},
        {"warning longer than the countdown: at once", Countdown(30, 60), 200, {W(0, 30), F(30)}, MachinePhase::Off},
        {"daily, two days", Daily(60), kEight + kDay + 100,
         {W(kEight - 60, kEight), F(kEight), W(kEight + kDay - 60, kEight + kDay), F(kEight + kDay)},
         MachinePhase::Armed},
        {"idle 300 s: the warning when it is reached, then anew from the action", Idle(300, 60), 800,
         {W(300, 360), F(360), W(660, 720), F(720)}, MachinePhase::Armed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Steps run(c.settings, 0);
        run.To(c.until);
        EXPECT_EQ(run.log, c.expected);
        EXPECT_EQ(run.m.Phase(), c.after);
    }

    Steps program(ProcessEnd(60), 0);  // the program's end is what starts the warning
    program.To(49);
    EXPECT_TRUE(program.log.empty());
    EXPECT_EQ(program.m.NextWake(49), std::nullopt) << "only the program's end wakes it";
    program.ended = true;
    program.To(500);
    EXPECT_EQ(program.log, (Log{W(50, 110), F(110)}));
    EXPECT_EQ(program.m.Phase(), MachinePhase::Off);
}

TEST(TimedActionMachine, CancelDropsOneOccurrence_PostponeMovesItAndWarnsAgain) {
    Steps cancel(Daily(60), kEight - 100);
    cancel.To(kEight - 50);
    cancel.m.Cancel(kEight - 50);
    cancel.To(kEight + kDay + 10);
    EXPECT_EQ(cancel.log, (Log{W(kEight - 60, kEight), W(kEight + kDay - 60, kEight + kDay), F(kEight + kDay)}))
        << "cancelled today, tomorrow's still comes";

    Steps once(Countdown(70, 60), 0);  // a one-time action is over when cancelled
    once.To(20);
    once.m.Cancel(once.now);
    EXPECT_EQ(once.m.Phase(), MachinePhase::Off);

    Steps later(Daily(60), kEight - 100);
    later.To(kEight - 51);  // warned at 07:59:00
    later.m.Postpone(kEight - 50, 5);
    EXPECT_EQ(later.m.Phase(), MachinePhase::Armed);
    EXPECT_EQ(later.m.Due(), kEight + 250);
    later.To(kEight + kDay + 10);
    EXPECT_EQ(later.log, (Log{W(kEight - 60, kEight), W(kEight + 190, kEight + 250), F(kEight + 250),
                              W(kEight + kDay - 60, kEight + kDay), F(kEight + kDay)}))
        << "the postponed moment warns and fires; the next day keeps its own time";

    Steps now(Countdown(70, 60), 0);
    now.To(15);
    EXPECT_TRUE(now.m.RunNow(now.now));
    EXPECT_EQ(now.m.Phase(), MachinePhase::Off);
}

TEST(TimedActionMachine, InputEndsAnIdleCountdown_AFullScreenProgramKeepsTheQuietTimeFromCounting) {
    Steps input(Idle(300, 60), 0);
    input.To(329);  // warned at 300
    input.lastInput = 330;  // the user is back
    input.To(330);
    EXPECT_EQ(input.m.Phase(), MachinePhase::Armed);
    EXPECT_EQ(input.m.NextWake(330), 300) << "the quiet time counts anew from the input";
    input.To(700);
    EXPECT_EQ(input.log, (Log{W(300, 360), W(630, 690), F(690)}));

    Steps postponed(Idle(300, 60), 0);  // input after "Später": the quiet time counts anew too
    postponed.To(310);
    postponed.m.Postpone(310, 5);
    postponed.To(399);
    postponed.lastInput = 400;
    postponed.To(1000);
    EXPECT_EQ(postponed.log, (Log{W(300, 360), W(700, 760), F(760)}));

    Steps screen(Idle(300, 60, true), 0);
    screen.fullScreen = true;
    screen.To(400);
    screen.fullScreen = false;
    screen.To(800);
    EXPECT_EQ(screen.log, (Log{W(700, 760), F(760)}));

    Steps ignored(Idle(300, 60, false), 0);  // without the option a full screen counts as quiet
    ignored.fullScreen = true;
    ignored.To(360);
    EXPECT_EQ(ignored.log, (Log{W(300, 360), F(360)}));
}

// A sleep over the moment: the action comes once after the resume, with its whole warning;
// a clock set back never brings an occurrence back that had its action.
TEST(TimedActionMachine, AClockJumpPastTheMomentWarnsAndFiresOnce) {
    const struct {
        const char* name;
        long long lead, resume;
        Log expected;
    } cases[] = {
        {"resumed at noon", 60, kEight + 4 * 3600, {W(kEight + 4 * 3600, kEight + 4 * 3600 + 60), F(kEight + 4 * 3600 + 60)}},
        {"resumed during what was the warning", 60, kEight - 10, {W(kEight - 10, kEight), F(kEight)}},
        {"resumed three days later", 60, kEight + 3 * kDay + 3600,
         {W(kEight + 3 * kDay + 3600, kEight + 3 * kDay + 3660), F(kEight + 3 * kDay + 3660)}},
        {"without a warning set", 0, kEight + 600, {F(kEight + 600)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Steps run(Daily(c.lead), kEight - 7200);
        run.To(kEight - 3600);
        run.JumpTo(c.resume);
        run.To(c.resume + 3600);
        EXPECT_EQ(run.log, c.expected);
        ASSERT_EQ(run.m.Phase(), MachinePhase::Armed);
        EXPECT_GT(*run.m.Due(), run.now) << "the next occurrence is still to come";
    }

    Steps back(Daily(0), kEight - 10);
    back.To(kEight + 5);
    back.JumpTo(kEight - 30);  // the clock set back half a minute
    back.To(kEight + 30);
    EXPECT_EQ(back.log, (Log{F(kEight)}));

    Steps past(Countdown(70, 60), 100);  // a moment that passed before arming never fires
    past.To(300);
    EXPECT_TRUE(past.log.empty());
}

TEST(TimedActionMachine, WakesWhenTheNextStepIsDue) {
    TimedActionMachine m;
    m.Arm(Daily(60), kEight - 3600);
    EXPECT_EQ(m.NextWake(kEight - 3600), 3540);  // the warning's start
    EXPECT_FALSE(m.Step({kEight - 60, 0, false, false}));
    EXPECT_EQ(m.NextWake(kEight - 60), 1) << "the warning counts every second";

    m.Arm(Idle(300, 60), 1000);
    EXPECT_FALSE(m.Step({1100, 1050, false, false}));
    EXPECT_EQ(m.NextWake(1100), 250) << "quiet from the last input";

    m.Disarm();
    EXPECT_EQ(m.NextWake(0), std::nullopt);
    EXPECT_FALSE(m.Step({kEight, 0, false, false}));
}
