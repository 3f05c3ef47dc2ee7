// The tray icon in the notification area of the test prefix and its mouse messages, sent to
// an owner window that forwards them as the main window does.
#include <gtest/gtest.h>

#include "TraySupport.h"
#include "basGlobals.h"
#include "basMenues.h"
#include "clsMain.h"

using namespace kvr;
using kvtest::MenuDriver;
using kvtest::Stored;

namespace {

class TrayIcon : public kvtest::TrayTest {
protected:
    static void SetUpTestSuite() { keeper = new kvtest::TrayKeeper; }
    static void TearDownTestSuite() {
        delete keeper;
        keeper = nullptr;
    }
    static inline kvtest::TrayKeeper* keeper = nullptr;

    void Click(UINT mouseMessage) { SendMessageW(owner.hwnd, WM_KV_TRAY, 0, mouseMessage); }

    kvtest::TrayOwner owner;
};

// A plain window standing in for a dialog that comes forward instead of the menu.
struct StandInDialog {
    StandInDialog() {
        hwnd = CreateWindowExW(0, L"STATIC", L"Optionen - Kelvo Restart", WS_POPUP | WS_BORDER, 200, 200, 300,
                               200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~StandInDialog() {
        SetFrontDialog(conFD_Options, nullptr);
        DestroyWindow(hwnd);
    }
    HWND hwnd;
};

}  // namespace

TEST_F(TrayIcon, AddedWithTheWindowsIcon_GoneAfterQuit) {
    AddTrayIcon(owner.hwnd);
    EXPECT_TRUE(TrayIconAdded());
    EXPECT_TRUE(owner.IconShown());
    EXPECT_EQ(TrayWindow(), owner.hwnd);

    // A second add (a rebuilt program) leaves one icon, removed by one Quit.
    AddTrayIcon(owner.hwnd);
    EXPECT_TRUE(owner.IconShown());
    Quit();
    EXPECT_FALSE(owner.IconShown());
    EXPECT_FALSE(TrayIconAdded());
}

TEST_F(TrayIcon, ReAddedWhenTheTaskbarIsCreatedAgain_ButNotAfterDelete) {
    ASSERT_NE(TaskbarCreatedMessage(), 0u);
    AddTrayIcon(owner.hwnd);
    owner.RemoveIconBehindTheProgramsBack();  // what a crashed taskbar leaves behind
    ASSERT_FALSE(owner.IconShown());
    SendMessageW(owner.hwnd, TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(owner.IconShown());

    DeleteTrayIcon();
    SendMessageW(owner.hwnd, TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(owner.IconShown());
}

TEST_F(TrayIcon, SingleClickWithEitherButton_OpensTheMenuWithItsDefault) {
    AddTrayIcon(owner.hwnd);
    State().VisibleMenuOptions = L"Herunterfahren: Standard;Neu anmelden;";
    State().StandardMenuOption = L"Neu anmelden";
    for (UINT button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        int count = 0;
        UINT defaultItem = 0;
        MenuDriver driver({VK_ESCAPE}, [&](HWND window) {
            HMENU shown = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
            count = GetMenuItemCount(shown);
            defaultItem = GetMenuDefaultItem(shown, TRUE, 0);
        });
        Click(button);
        EXPECT_TRUE(driver.Finish()) << "no menu for button message " << button;
        // -Herunterfahren, Standard, -Andere, Neu anmelden, then the 15 entries of the fixed part.
        EXPECT_EQ(count, 4 + 13);
        EXPECT_EQ(defaultItem, 3u);
    }
    EXPECT_TRUE(session.calls.empty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TrayIcon, SingleClickWhileADialogIsOpen_BringsItForwardInstead) {
    AddTrayIcon(owner.hwnd);
    StandInDialog options;
    SetFrontDialog(conFD_Options, options.hwnd);
    {
        // Loaded but hidden: the menu as usual.
        MenuDriver driver({VK_ESCAPE});
        Click(WM_LBUTTONDOWN);
        EXPECT_TRUE(driver.Finish());
    }
    ShowWindow(options.hwnd, SW_SHOW);
    SetForegroundWindow(owner.hwnd);
    {
        MenuDriver driver({VK_ESCAPE}, nullptr, 600);
        Click(WM_RBUTTONDOWN);
        EXPECT_FALSE(driver.Finish()) << "a menu opened in front of the dialog";
    }
    EXPECT_EQ(GetForegroundWindow(), options.hwnd);
    EXPECT_TRUE(IsWindowVisible(options.hwnd));
}

// ---- Double click: the default action ----

struct DoubleClickCase {
    UINT button;
    bool quitImmediate;
    unsigned long flags;
};

class TrayDoubleClick : public TrayIcon, public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(TrayDoubleClick, RestartsIntoTheDefaultSystem_WithTheSwitchAsForce) {
    kvtest::RunningWindows running(kvtest::Windows::XP);
    kvtest::WriteFileText(kvtest::kBootIni, kvtest::kXpBootIni);
    AddTrayIcon(owner.hwnd);
    State().VisibleMenuOptions = L"Herunterfahren: Standard;Neu starten: Standard;";
    State().StandardMenuOption = L"Neu starten: Standard";
    State().AllowUnsaveQuit = true;
    State().QuitImmediate = GetParam().quitImmediate;

    Click(GetParam().button);
    auto exits = session.CallsOf("ExitWindowsEx");
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].numbers[0], GetParam().flags);
    EXPECT_FALSE(owner.IconShown()) << "the icon goes before Windows is ended";
    EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, TrayDoubleClick,
                         ::testing::Values(DoubleClickCase{WM_LBUTTONDBLCLK, false, 3},
                                           DoubleClickCase{WM_RBUTTONDBLCLK, true, 7}));

TEST_F(TrayIcon, DoubleClickWithoutDefaultButWithEntries_DoesNothing) {
    AddTrayIcon(owner.hwnd);
    State().VisibleMenuOptions = L"Herunterfahren: Standard;";
    MenuDriver driver({VK_ESCAPE}, nullptr, 600);
    Click(WM_LBUTTONDBLCLK);
    EXPECT_FALSE(driver.Finish());
    EXPECT_TRUE(session.calls.empty());
    EXPECT_TRUE(owner.IconShown());
    EXPECT_FALSE(State().QuitFlag);
}

TEST_F(TrayIcon, OtherMouseMessages_DoNothing) {
    AddTrayIcon(owner.hwnd);
    MenuDriver driver({VK_ESCAPE}, nullptr, 600);
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONDOWN}) Click(message);
    EXPECT_FALSE(driver.Finish());
    EXPECT_TRUE(session.calls.empty());
}

// ---- The real menu, chosen with keys ----

TEST_F(TrayIcon, KeysOnTheShownMenu_ReachTheChosenItem) {
    kvtest::RunningWindows running(kvtest::Windows::XP);
    AddTrayIcon(owner.hwnd);
    State().VisibleMenuOptions = L"Herunterfahren: Standard;Sperren;";
    State().AllowUnsaveQuit = true;

    {
        MenuDriver driver({'S'});  // "&Sofort beenden"
        Click(WM_LBUTTONDOWN);
        EXPECT_TRUE(driver.Finish());
    }
    EXPECT_TRUE(State().QuitImmediate);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"QuitImmediate").number, 1u);

    {
        // Down to the second action: "Sperren" under "-Andere".
        MenuDriver driver({VK_DOWN, VK_DOWN, VK_RETURN});
        Click(WM_RBUTTONDOWN);
        EXPECT_TRUE(driver.Finish());
    }
    EXPECT_EQ(session.Names(), std::vector<std::string>{"LockWorkStation"});

    {
        MenuDriver driver({'B'});  // "&Beenden"
        Click(WM_LBUTTONDOWN);
        EXPECT_TRUE(driver.Finish());
    }
    EXPECT_TRUE(State().QuitFlag);
    EXPECT_TRUE(kvtest::TakeQuitMessage());
    EXPECT_FALSE(owner.IconShown());
}
