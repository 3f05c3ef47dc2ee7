// Subclassing real windows of this thread, and the window-less timers.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ErrorCapture.h"
#include "InjectedInput.h"
#include "clsSubClass.h"
#include "clsTimer.h"

using namespace kvtest;
using kv::test::Raised;

namespace {

constexpr UINT kProbe = WM_USER + 7;

// A window whose own procedure answers kProbe with 7 and counts what reached it.
int g_reached = 0;
LRESULT CALLBACK ProbeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) {
        ++g_reached;
        return 7 + static_cast<LRESULT>(lp);
    }
    return DefWindowProcW(w, msg, wp, lp);
}

HWND NewWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = L"KVHooksProbe";
    RegisterClassW(&wc);
    return CreateWindowW(L"KVHooksProbe", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

class Recorder : public kv::clsSubClassEvents {
public:
    std::vector<HWND> before, after;
    std::function<void(kv::SubclassMessage&)> onBefore;
    LRESULT afterResult = -1;
    void Before(kv::SubclassMessage& m) override {
        before.push_back(m.lnghWnd);
        if (onBefore) onBefore(m);
    }
    void After(kv::SubclassMessage& m) override {
        after.push_back(m.lnghWnd);
        afterResult = m.lngProcResult;
    }
};

}  // namespace

TEST(SubClass, HookedPairsRaiseBeforeAndAfterAndUnhookingRestoresTheWindow) {
    HWND a = NewWindow(), b = NewWindow();
    const LONG_PTR original = GetWindowLongPtrW(a, GWLP_WNDPROC);
    Recorder events;
    kv::clsSubClass sub(&events);
    sub.Hook(a, kProbe, true);
    sub.Hook(a, kProbe, true);   // once only
    sub.Hook(a, WM_USER + 8, true);
    sub.Hook(b, kProbe, false);  // not hooked: nothing happens
    EXPECT_EQ(sub.IsHooked(a), 2);
    EXPECT_TRUE(sub.Hook(a, kProbe));
    EXPECT_FALSE(sub.Hook(b, kProbe));

    // The handler changes lParam on the way in.
    events.onBefore = [](kv::SubclassMessage& m) { m.lnglParam = 3; };
    EXPECT_EQ(SendMessageW(a, kProbe, 0, 1), 10);
    EXPECT_EQ(events.after.size(), 1u);
    EXPECT_EQ(events.afterResult, 10);
    EXPECT_EQ(SendMessageW(b, kProbe, 0, 0), 7);   // other windows untouched

    // A cancelled message never reaches the window; its result is the handler's.
    const int reached = g_reached;
    events.onBefore = [](kv::SubclassMessage& m) { m.blnCancel = true, m.lngProcResult = 42; };
    EXPECT_EQ(SendMessageW(a, kProbe, 0, 0), 42);
    EXPECT_EQ(g_reached, reached);
    EXPECT_EQ(events.afterResult, 42);

    sub.UnHookAll();
    EXPECT_EQ(sub.IsHooked(a), 0);
    EXPECT_EQ(GetWindowLongPtrW(a, GWLP_WNDPROC), original);
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST(SubClass, ADestroyedWindowIsDroppedAndTheOthersStayHooked) {
    HWND a = NewWindow(), b = NewWindow();
    Recorder events;
    kv::clsSubClass sub(&events);
    sub.Hook(a, kProbe, true);
    sub.Hook(b, kProbe, true);
    DestroyWindow(a);
    EXPECT_EQ(sub.IsHooked(a), 0);
    EXPECT_EQ(sub.IsHooked(b), 1);
    SendMessageW(b, kProbe, 0, 0);
    EXPECT_EQ(events.before, std::vector<HWND>{b});
    DestroyWindow(b);
}

TEST(SubClass, ASecondObjectTakesTheWindowOverAndTheFirstLeavesItAlone) {
    HWND w = NewWindow();
    Recorder first, second;
    kv::clsSubClass one(&first), two(&second);
    one.Hook(w, kProbe, true);
    two.Hook(w, kProbe, true);
    SendMessageW(w, kProbe, 0, 0);
    EXPECT_TRUE(first.before.empty());
    EXPECT_EQ(second.before.size(), 1u);
    one.Hook(w, kProbe, false);   // the first one's window was taken over: the second keeps it
    SendMessageW(w, kProbe, 0, 0);
    EXPECT_EQ(second.before.size(), 2u);
    DestroyWindow(w);
}

// Another subclasser of the same window keeps working whatever the order, and a handler may
// unhook inside its own event.
TEST(SubClass, OtherSubclassersSurviveAndAHandlerMayUnhookItself) {
    HWND w = NewWindow();
    static int other = 0;
    other = 0;
    SetWindowSubclass(
        w, [](HWND h, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) -> LRESULT {
            if (m == kProbe) ++other;
            return DefSubclassProc(h, m, wp, lp);
        },
        1, 0);
    Recorder events;
    kv::clsSubClass sub(&events);
    sub.Hook(w, kProbe, true);
    events.onBefore = [&](kv::SubclassMessage& m) { sub.Hook(m.lnghWnd, kProbe, false); };
    EXPECT_EQ(SendMessageW(w, kProbe, 0, 0), 7);
    EXPECT_EQ(SendMessageW(w, kProbe, 0, 0), 7);
    EXPECT_EQ(events.before.size(), 1u);
    EXPECT_EQ(other, 2);
    DestroyWindow(w);
}

namespace {
class Ticks : public kv::clsTimerEvents {
public:
    int count = 0;
    void Timer() override { ++count; }
};
}  // namespace

TEST(Timer, FiresWhileEnabledAndRestartsWhenEnabledAgain) {
    Ticks ticks;
    kv::clsTimer timer(&ticks);
    timer.Enable(true);   // interval 0: enabled, nothing runs
    EXPECT_TRUE(timer.Enable());
    EXPECT_EQ(timer.Identifier(), 0u);
    timer.Interval(20);
    timer.Enable(true);
    const UINT_PTR first = timer.Identifier();
    EXPECT_NE(first, 0u);
    EXPECT_TRUE(PumpUntil([&] { return ticks.count >= 2; }));
    timer.Enable(true);
    EXPECT_NE(timer.Identifier(), 0u);
    timer.Enable(false);
    EXPECT_EQ(timer.Identifier(), 0u);
    const int stopped = ticks.count;
    PumpFor(100);
    EXPECT_EQ(ticks.count, stopped);
}

TEST(Timer, TheHundredAndFirstIsRefusedWithNothingLeftRunningAndEndedTimersFreeTheirSlot) {
    std::vector<std::unique_ptr<kv::clsTimer>> timers;
    for (int i = 0; i < kv::conMaxTimers; ++i) {
        timers.push_back(std::make_unique<kv::clsTimer>());
        timers.back()->Interval(60000);
        timers.back()->Enable(true);
    }
    Ticks ticks;
    kv::clsTimer extra(&ticks);
    extra.Interval(1);
    const kv::KVError refused = Raised([&] { extra.Enable(true); });
    EXPECT_EQ(refused.Number, -1);
    EXPECT_TRUE(kv::test::StartsWith(refused.Description, L"To many timers. @@@ clsTimer_Let Enable --> basTimer_TimerCreate"));
    EXPECT_EQ(extra.Identifier(), 0u);
    PumpFor(50);
    EXPECT_EQ(ticks.count, 0);

    timers.pop_back();   // released while running: its slot is free again
    extra.Enable(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks.count > 0; }));
}
