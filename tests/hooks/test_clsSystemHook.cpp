// The system hook against keys and mouse input injected with SendInput (which Wine's
// low-level hooks see like a user's).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "InjectedInput.h"
#include "clsSystemHook.h"

using namespace kvtest;

namespace {

// Events as short texts: D<code>/<shift>, U<code>/<shift>, P<char>, M... for the mouse.
class Recorder : public kv::clsSystemHookEvents {
public:
    std::vector<std::wstring> log;
    std::function<void(long)> onKeyUp;

    void KeyDown(long code, long shift) override { Add(L"D" + std::to_wstring(code) + L"/" + std::to_wstring(shift)); }
    void KeyPress(long ascii) override { Add(L"P" + std::to_wstring(ascii)); }
    void KeyUp(long code, long shift) override {
        Add(L"U" + std::to_wstring(code) + L"/" + std::to_wstring(shift));
        if (onKeyUp) onKeyUp(code);
    }
    void MouseDown(long button, long, long, long) override { Add(L"MD" + std::to_wstring(button)); }
    void MouseUp(long button, long, long, long) override { Add(L"MU" + std::to_wstring(button)); }
    void MouseMove(long, long x, long y) override { lastX = x, lastY = y; }
    void Click() override { Add(L"C"); }
    void DblClick() override { Add(L"DC"); }

    bool Saw(const std::wstring& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }
    long lastX = -1, lastY = -1;
    bool inHandler = false, reentered = false;

private:
    void Add(std::wstring entry) {
        if (inHandler) reentered = true;
        log.push_back(std::move(entry));
    }
};

std::vector<std::wstring> Only(const std::vector<std::wstring>& log, wchar_t kind) {
    std::vector<std::wstring> out;
    for (const auto& e : log)
        if (e[0] == kind) out.push_back(e);
    return out;
}

}  // namespace

TEST(SystemHook, KeysArriveWithTheirCodeAndTheShiftStateOfTheirMoment) {
    Recorder events;
    kv::clsSystemHook hook(&events);
    EXPECT_FALSE(hook.EnableKeyBoard());
    hook.EnableKeyBoard(true);
    hook.EnableKeyBoard(true);   // switching on twice installs nothing twice
    EXPECT_TRUE(hook.EnableKeyBoard());

    SendKeys({{VK_LSHIFT, true}, {'A', true}, {'A', false}, {VK_RCONTROL, true}, {VK_LSHIFT, false},
              {VK_RCONTROL, false}, {VK_RWIN, true}, {'B', true}, {'B', false}, {VK_RWIN, false},
              {VK_LWIN, true}, {'L', true}, {'L', false}, {VK_LWIN, false}});
    ASSERT_TRUE(PumpUntil([&] { return events.Saw(L"U91/0"); }));
    // Left/right modifiers report the generic key; a modifier's own release reports the ones
    // still held; the right Windows key sets no bit, the left one bit 8.
    EXPECT_EQ(Only(events.log, L'U'), (std::vector<std::wstring>{L"U65/1", L"U16/2", L"U17/0", L"U66/0", L"U92/0",
                                                                  L"U76/8", L"U91/0"}));
    EXPECT_TRUE(events.Saw(L"D16/1"));
    EXPECT_TRUE(events.Saw(L"D65/1"));
    EXPECT_TRUE(events.Saw(L"P65"));   // Shift+A types "A"
    EXPECT_TRUE(events.Saw(L"P98"));

    hook.EnableKeyBoard(false);
    hook.EnableKeyBoard(false);
    EXPECT_FALSE(hook.EnableKeyBoard());
    events.log.clear();
    SendKeys({{'C', true}, {'C', false}});
    PumpFor(300);
    EXPECT_TRUE(events.log.empty());
}

// A handler that keeps a modal box open: events that arrive meanwhile wait and follow in
// order, none inside the box, and the hook is still there afterwards.
TEST(SystemHook, AHandlerBlockedInAModalBoxLosesNoEventAndKeepsTheOrder) {
    Recorder events;
    kv::clsSystemHook hook(&events);
    hook.EnableKeyBoard(true);
    static int ticks = 0;
    ticks = 0;
    events.onKeyUp = [&](long code) {
        if (code != 'A') return;
        events.inHandler = true;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
            ++ticks;
            if (ticks == 2) SendKeys({{'B', true}, {'B', false}});
            if (ticks == 3) SendKeys({{'C', true}, {'C', false}});
            if (ticks == 50) {   // 5 seconds
                if (HWND box = FindWindowW(L"#32770", L"Blockiert")) PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        });
        MessageBoxW(nullptr, L"Frage offen", L"Blockiert", MB_OK);
        KillTimer(nullptr, timer);
        events.inHandler = false;
    };
    SendKeys({{'A', true}, {'A', false}});
    ASSERT_TRUE(PumpUntil([&] { return events.Saw(L"U67/0"); }, 15000));
    EXPECT_GE(ticks, 50);
    EXPECT_FALSE(events.reentered);
    EXPECT_EQ(Only(events.log, L'U'), (std::vector<std::wstring>{L"U65/0", L"U66/0", L"U67/0"}));

    SendKeys({{'D', true}, {'D', false}});
    EXPECT_TRUE(PumpUntil([&] { return events.Saw(L"U68/0"); }));
    EXPECT_TRUE(hook.EnableKeyBoard());
}

TEST(SystemHook, NoEventFollowsTheEndOfTheObjectEvenWhenAHandlerEndsIt) {
    Recorder events;
    auto hook = std::make_unique<kv::clsSystemHook>(&events);
    hook->EnableKeyBoard(true);
    events.onKeyUp = [&](long) { hook.reset(); };
    SendKeys({{'A', true}, {'A', false}, {'B', true}, {'B', false}});
    ASSERT_TRUE(PumpUntil([&] { return !hook; }));
    PumpFor(300);
    EXPECT_EQ(Only(events.log, L'U'), std::vector<std::wstring>{L"U65/0"});
}

TEST(SystemHook, MouseButtonsMovesClicksAndDoubleClicks) {
    Recorder events;
    kv::clsSystemHook hook(&events);
    hook.EnableMouse(true);
    EXPECT_TRUE(hook.EnableMouse());
    EXPECT_FALSE(hook.EnableKeyBoard());
    SendMouse(120, 80, 0);
    SendMouse(120, 80, MOUSEEVENTF_LEFTDOWN);
    SendMouse(120, 80, MOUSEEVENTF_LEFTUP);
    SendMouse(120, 80, MOUSEEVENTF_LEFTDOWN);
    SendMouse(120, 80, MOUSEEVENTF_LEFTUP);
    SendMouse(120, 80, MOUSEEVENTF_RIGHTDOWN);
    SendMouse(120, 80, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(PumpUntil([&] { return events.Saw(L"MU2"); }));
    EXPECT_EQ(events.log, (std::vector<std::wstring>{L"MD1", L"MU1", L"C", L"MD1", L"DC", L"MU1", L"C", L"MD2",
                                                     L"MU2"}));
    EXPECT_NEAR(events.lastX, 120, 1);
    EXPECT_NEAR(events.lastY, 80, 1);
}
