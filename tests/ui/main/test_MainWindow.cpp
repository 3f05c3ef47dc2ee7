// The main window as a window: performing the choice, the close modes, what it stores, its
// layout, and the messages it routes to the program (buttons, timers, tray icon).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "MainTestSupport.h"
#include "WindowBase.h"
#include "ui/tray/basMenues.h"
#include "work/basTimedAction.h"
#include "program/basTools.h"
#include "work/basWork.h"

using namespace kvr;
using kvtest::kOptionsKey;
using kvtest::kPrgSettingsKey;
using kvtest::Store;
using kvtest::Stored;

namespace {

class MainWindowTest : public kvtest::MainWindowTest {};

RECT ChildRect(int id) {
    RECT r{};
    HWND control = GetDlgItem(MainWindow(), id);
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, MainWindow(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Answers the shutdown-time dialog from another thread once it is shown: its "Abbrechen"
// (IDCANCEL) or "Windows beenden" (IDOK).
class AutoDialogAnswer {
public:
    explicit AutoDialogAnswer(int button)
        : thread_([this, button] {
              for (int waited = 0; waited < 10000 && !stop_; waited += 50) {
                  HWND dialog = FindWindowW(L"#32770", L"System für Neustart - Kelvo Restart");
                  if (dialog && IsWindowVisible(dialog)) {
                      seen_ = true;
                      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                      return;
                  }
                  Sleep(50);
              }
          }) {}
    ~AutoDialogAnswer() { Finish(); }
    bool Finish() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::thread thread_;
};

TEST_F(MainWindowTest, WindowsBeendenPerformsTheChoiceWithTheTick) {
    State().AllowUnsaveQuit = true;
    OpenMain();
    SelectMainListItem(kvtest::IndexOf(L"Neu anmelden"));
    TickMainQuitWithoutSave(true);
    SendMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(conMainQuitWindows, BN_CLICKED), 0);

    auto exits = session.CallsOf("ExitWindowsEx");
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].numbers[0], static_cast<unsigned long>(EWX_LOGOFF | EWX_FORCE));
    // The program went before Windows was asked; the choice and the tick were kept.
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_TRUE(State().QuitFlag);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"LastSelectedOption").text, L"Neu anmelden");
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"QuitWithoutSave").number, 1u);
}

TEST_F(MainWindowTest, InDialogModeTheTickSurvivesTheClosingWindow) {
    State().Mode = RunMode::Dialog;  // refused exits end the run here, as on the command line
    State().QuitFlag = true;
    State().AllowUnsaveQuit = true;
    OpenMain();
    SelectMainListItem(kvtest::IndexOf(L"Neu starten: Standard"));
    TickMainQuitWithoutSave(true);
    AcceptMain();
    auto exits = session.CallsOf("ExitWindowsEx");
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].numbers[0], static_cast<unsigned long>(EWX_SHUTDOWN | EWX_REBOOT | EWX_FORCE));
    EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(MainWindowTest, LockLeavesTheWindowHiddenAndTheProgramRunning) {
    OpenMain();
    SelectMainListItem(kvtest::IndexOf(L"Sperren"));
    AcceptMain();
    EXPECT_EQ(session.Names(), (std::vector<std::string>{"LockWorkStation"}));
    ASSERT_NE(MainWindow(), nullptr);
    EXPECT_FALSE(IsWindowVisible(MainWindow()));
    EXPECT_FALSE(State().QuitFlag);
}

TEST_F(MainWindowTest, TheCloseBoxOnlyHidesTheResidentWindow) {
    OpenMain();
    HWND main = MainWindow();
    SendMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(MainWindow(), main);
    EXPECT_FALSE(IsWindowVisible(main));
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(conMainCancel, BN_CLICKED), 0);  // "Abbrechen" too
    EXPECT_EQ(MainWindow(), main);
    EXPECT_FALSE(UnloadMain(conCM_Code));  // unloaded by the program: not refused
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(session.calls.empty());
}

TEST_F(MainWindowTest, WithQuitFlagClosingEndsTheProgram) {
    bool tornDown = false;
    OpenMain();
    AddQuitStep([&] { tornDown = true; });
    State().QuitFlag = true;
    SendMessageW(MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_TRUE(tornDown);
}

TEST_F(MainWindowTest, TheEndOfTheSessionLetsGoWithoutTheShutdownDialog) {
    OpenMain();
    HWND main = MainWindow();
    EXPECT_TRUE(SendMessageW(main, WM_QUERYENDSESSION, 0, 0));
    EXPECT_FALSE(IsWindowVisible(main));

    // AutoDialog set, but a command-line action is ending Windows.
    State().AutoDialog = true;
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"DontShowUnloadDialog", 1);
    EXPECT_TRUE(SendMessageW(main, WM_QUERYENDSESSION, 0, 0));

    SendMessageW(main, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_TRUE(State().QuitFlag);
}

TEST_F(MainWindowTest, TheShutdownDialogDecidesWhetherTheSessionMayEnd) {
    State().AutoDialog = true;
    OpenMain();
    HWND main = MainWindow();
    {
        AutoDialogAnswer cancel(IDCANCEL);
        EXPECT_FALSE(SendMessageW(main, WM_QUERYENDSESSION, 0, 0));  // refused
        EXPECT_TRUE(cancel.Finish());
    }
    EXPECT_EQ(MainWindow(), main);
    SendMessageW(main, WM_ENDSESSION, FALSE, 0);  // Windows gave up: the program runs on
    EXPECT_EQ(MainWindow(), main);
    {
        AutoDialogAnswer accept(IDOK);
        EXPECT_TRUE(UnloadMain(conCM_Windows) == false);
        EXPECT_TRUE(accept.Finish());
    }
    // Only the end of the session shows it; the user's close does not.
    EXPECT_TRUE(UnloadMain(conCM_User));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainWindowTest, ClosingStoresTheChoiceTheRectangleAndTheTick) {
    State().AllowUnsaveQuit = true;
    OpenMain();
    HWND main = MainWindow();
    SetWindowPos(main, nullptr, 40, 60, 420, 400, SWP_NOZORDER);
    SelectMainListItem(kvtest::IndexOf(L"Standby-Modus"));
    TickMainQuitWithoutSave(true);
    SendMessageW(main, WM_CLOSE, 0, 0);

    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"LastSelectedOption").text, L"Standby-Modus");
    const std::pair<const wchar_t*, long> rect[] = {{L"WindowLeft", kv::PixelsToTwipsX(40)},
                                                    {L"WindowTop", kv::PixelsToTwipsY(60)},
                                                    {L"WindowWidth", kv::PixelsToTwipsX(420)},
                                                    {L"WindowHeight", kv::PixelsToTwipsY(400)}};
    for (const auto& [name, twips] : rect)
        EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, name).number, static_cast<DWORD>(twips)) << name;
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"QuitWithoutSave").number, 1u);

    // The next load takes the stored rectangle.
    Quit();
    State() = ProgramState{};
    State().Mode = RunMode::CommandLine;
    ReadProgramSettings();
    LoadMainWindow();
    RECT r{};
    GetWindowRect(MainWindow(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 420);
}

TEST_F(MainWindowTest, ASeparatorChoiceIsNotStoredAndKeepsTheEarlierOne) {
    Store(HKEY_CURRENT_USER, kOptionsKey, L"LastSelectedOption", L"Sperren");
    ReadProgramSettings();
    OpenMain();
    SelectMainListItem(3);
    SaveMain();
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"LastSelectedOption").text, L"Sperren");
    EXPECT_FALSE(MainControlEnabled(conMainQuitWindows));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"QuitWithoutSave").number, 0u);
}

TEST_F(MainWindowTest, AWindowNeverShownStoresNothing) {
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"QuitWithoutSave", 1);
    LoadMainWindow();
    Quit();  // "Beenden" right after the start
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"QuitWithoutSave").number, 1u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"WindowLeft").type, 0u);
}

TEST(MainLayout, KeepsItsShapeAtEverySize) {
    const long buttonHeight = 375, listTop = 660, margin = 210;
    MainControlSizes wide;
    wide.QuitWindowsWidth = 2000;
    wide.CheckHeight = 300;
    const struct {
        long W, H;
        MainControlSizes sizes;
    } cases[] = {{4500, 3600, {}}, {5600, 5000, {}}, {9000, 7000, {}}, {7000, 4200, wide}};
    for (const auto& c : cases) {
        const MainControlSizes& s = c.sizes;
        const MainLayout l = ComputeMainLayout(c.W, c.H, s);
        SCOPED_TRACE(testing::Message() << c.W << " x " << c.H);
        // Right-aligned in the order "Windows beenden", "Abbrechen", help, with equal gaps.
        const long gap = l.CancelLeft - (l.QuitWindowsLeft + s.QuitWindowsWidth);
        EXPECT_GT(gap, 0);
        EXPECT_EQ(l.HelpLeft - (l.CancelLeft + s.CancelWidth), gap);
        EXPECT_GE(l.QuitWindowsLeft, margin);
        EXPECT_LT(l.HelpLeft + s.HelpWidth, c.W);
        EXPECT_LT(l.ButtonsTop + buttonHeight, c.H);
        // The tick above the buttons, the list above the tick and as wide as the margins allow.
        EXPECT_LT(l.CheckTop + s.CheckHeight, l.ButtonsTop);
        EXPECT_GT(l.ListHeight, 0);
        EXPECT_LT(listTop + l.ListHeight, l.CheckTop);
        EXPECT_EQ(margin + l.ListWidth + margin, c.W);
        // The grip in the lower right corner; the column no wider than the list.
        EXPECT_GT(l.ResizeLeft, l.HelpLeft);
        EXPECT_LT(l.ResizeLeft, c.W);
        EXPECT_GT(l.ResizeTop, l.ButtonsTop);
        EXPECT_LT(l.ResizeTop, c.H);
        EXPECT_LE(l.ColumnWidth, l.ListWidth);
    }
}

TEST_F(MainWindowTest, EveryResizePlacesTheControls) {
    OpenMain();
    HWND main = MainWindow();
    for (SIZE size : {SIZE{387, 369}, SIZE{520, 480}}) {
        SetWindowPos(main, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(main, &client);
        const MainLayout l = ComputeMainLayout(kv::PixelsToTwipsX(client.right), kv::PixelsToTwipsY(client.bottom));
        RECT help = ChildRect(conMainHelp), cancel = ChildRect(conMainCancel), quit = ChildRect(conMainQuitWindows);
        RECT list = ChildRect(conMainList), check = ChildRect(conMainQuitWithoutSave), grip = ChildRect(conMainResize);
        const long placed[][2] = {{help.top, kv::TwipsToPixelsY(l.ButtonsTop)},
                                  {help.left, kv::TwipsToPixelsX(l.HelpLeft)},
                                  {cancel.left, kv::TwipsToPixelsX(l.CancelLeft)},
                                  {quit.left, kv::TwipsToPixelsX(l.QuitWindowsLeft)},
                                  {list.right - list.left, kv::TwipsToPixelsX(l.ListWidth)},
                                  {list.bottom - list.top, kv::TwipsToPixelsY(l.ListHeight)},
                                  {check.top, kv::TwipsToPixelsY(l.CheckTop)},
                                  {grip.left, kv::TwipsToPixelsX(l.ResizeLeft)},
                                  {grip.top, kv::TwipsToPixelsY(l.ResizeTop)}};
        for (const auto& p : placed) EXPECT_LE(std::labs(p[0] - p[1]), 1) << p[0] << " vs " << p[1];
        EXPECT_EQ(quit.top, help.top);
        EXPECT_LT(list.bottom, check.top);  // nothing overlaps
        EXPECT_LT(check.bottom, quit.top);
        EXPECT_EQ(grip.right, client.right);  // its picture sits in the corner
        EXPECT_EQ(grip.bottom, client.bottom);
        // The column fills the list without a horizontal scroll bar.
        RECT inner{};
        GetClientRect(GetDlgItem(main, conMainList), &inner);
        int column = static_cast<int>(SendMessageW(GetDlgItem(main, conMainList), LVM_GETCOLUMNWIDTH, 0, 0));
        EXPECT_LE(column, inner.right);
        EXPECT_GE(column, inner.right - kv::TwipsToPixelsX(60) - 1);
    }
}

TEST_F(MainWindowTest, TheHelpButtonReportsTheMissingHelpFile) {
    OpenMain();
    SendMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(conMainHelp, BN_CLICKED), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Hilfe \"" + GetHelpfile() + L"\" konnte nicht angezeigt werden.");
}

TEST_F(MainWindowTest, ADoubleClickOnTheTrayIconReachesTheDefaultAction) {
    State().StandardMenuOption = L"Sperren";
    LoadMainWindow();
    SendMessageW(MainWindow(), WM_KV_TRAY, 0, WM_LBUTTONDBLCLK);
    EXPECT_EQ(session.Names(), (std::vector<std::string>{"LockWorkStation"}));
}

TEST_F(MainWindowTest, ANewTaskbarGetsTheIconAgain) {
    HWND main = LoadMainWindow();
    AddTrayIcon(main);
    ASSERT_TRUE(TrayIconAdded());
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = main;
    record.uID = HandleToUlong(reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, ICON_SMALL, 0)));
    auto shown = [&] {
        record.uFlags = NIF_TIP;
        lstrcpyW(record.szTip, L"Kelvo Restart");
        return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
    };
    ASSERT_TRUE(shown());
    Shell_NotifyIconW(NIM_DELETE, &record);  // as a restarted taskbar forgets it
    ASSERT_FALSE(shown());
    SendMessageW(main, TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(shown());
    Quit();
    EXPECT_FALSE(shown());  // the icon went with the program
}

TEST_F(MainWindowTest, TheTimedActionTicksOnTheMainWindow) {
    State().TimeActionType = 1;  // a countdown of no time at all
    State().TimeCountdown = MakeTime(0, 0, 0);
    State().TimeAction = L"Sperren";
    State().TimeWarningLead = 0;  // no warning before it
    LoadMainWindow();
    SetTimedActionTimer(true);
    EXPECT_TRUE(kvtest::PumpUntil([&] { return !session.calls.empty(); }, 5000));
    EXPECT_EQ(session.Names(), (std::vector<std::string>{"LockWorkStation"}));
    EXPECT_FALSE(TimedActionTimerOn());  // a countdown switches itself off
}

TEST_F(MainWindowTest, TheSplashTimerClosesTheSplashOnItsFirstTick) {
    VersionGlobal().InfoMajorVersion(1);
    VersionGlobal().InfoMinorVersion(0);
    VersionGlobal().InfoBuild(0);
    LoadMainWindow();
    ShowSplashScreen();
    auto splashShown = [] {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM lParam) -> BOOL {
                if (hwnd != MainWindow() && IsWindowVisible(hwnd)) *reinterpret_cast<HWND*>(lParam) = hwnd;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found != nullptr;
    };
    EXPECT_TRUE(splashShown());
    // The timer is armed on the main window; its tick is delivered rather than waited for.
    EXPECT_TRUE(KillTimer(MainWindow(), conSplashTimerId));
    kvtest::PumpFor(100);
    EXPECT_TRUE(splashShown());  // nothing but the tick closes it
    SendMessageW(MainWindow(), WM_TIMER, conSplashTimerId, 0);
    EXPECT_TRUE(kvtest::PumpUntil([&] { return !splashShown(); }, 4000));
}

// Ends the thread's message loop after a while, should the keys under test not do it.
class LoopDeadline {
public:
    explicit LoopDeadline(DWORD ms)
        : thread_([this, ms, id = GetCurrentThreadId()] {
              for (DWORD waited = 0; waited < ms && !stop_; waited += 20) Sleep(20);
              if (!stop_) {
                  expired_ = true;
                  PostThreadMessageW(id, WM_QUIT, 0, 0);
              }
          }) {}
    ~LoopDeadline() {
        stop_ = true;
        thread_.join();
    }
    bool Expired() const { return expired_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> expired_{false};
    std::thread thread_;
};

void PostKey(HWND target, WORD vk) {
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
}

TEST_F(MainWindowTest, InDialogModeEscapeClosesTheWindowAndEndsTheLoop) {
    State().QuitFlag = true;
    OpenMain();
    PostKey(GetDlgItem(MainWindow(), conMainList), VK_ESCAPE);
    LoopDeadline deadline(10000);
    RunProgramLoop();
    EXPECT_FALSE(deadline.Expired());
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_FALSE(ProgramLoopRunning());
}

TEST_F(MainWindowTest, EnterPerformsTheChoiceAndAQuitMessageEndsTheResidentLoop) {
    LoadMainWindow();
    State().LastSelectedOption = L"Sperren";
    OpenMain();
    HWND list = GetDlgItem(MainWindow(), conMainList);
    PostKey(list, VK_RETURN);
    PostMessageW(list, WM_NULL, 0, 0);
    LoopDeadline deadline(3000);  // the resident loop runs until its quit message
    RunProgramLoop();
    EXPECT_TRUE(deadline.Expired());
    EXPECT_EQ(session.Names(), (std::vector<std::string>{"LockWorkStation"}));
    // The quit message ended the program as "Beenden" does.
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_TRUE(State().QuitFlag);
}

}  // namespace
