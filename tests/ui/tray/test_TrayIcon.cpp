// The tray icon of a hidden stand-in main window in the notification area of the test prefix,
// and the mouse messages the main window forwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "TraySupport.h"
#include "program/basGlobals.h"
#include "ui/tray/basMenues.h"

using namespace kvr;

namespace {

class TrayIcon : public kvtest::TrayTest {
protected:
    // An icon of its own kept in the notification area while the suite runs: Wine's tray
    // takes two seconds to remove the last icon (it hides its window), and every test removes one.
    static void SetUpTestSuite() {
        keeper.cbSize = NOTIFYICONDATAW_V1_SIZE;
        keeper.hWnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        keeper.uFlags = NIF_ICON;
        keeper.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        Shell_NotifyIconW(NIM_ADD, &keeper);
    }
    static void TearDownTestSuite() {
        Shell_NotifyIconW(NIM_DELETE, &keeper);
        DestroyWindow(keeper.hWnd);
    }
    static inline NOTIFYICONDATAW keeper{};

    void SetUp() override {
        TrayTest::SetUp();
        owner = CreateWindowExW(0, L"STATIC", L"Windows beenden - Kelvo Restart", WS_OVERLAPPEDWINDOW, 60, 60, 320,
                                240, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
        SendMessageW(owner, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_INFORMATION)));
        AddTrayIcon(owner);
    }
    void TearDown() override {
        TrayTest::TearDown();
        DestroyWindow(owner);
    }
    // Sends the icon's record with that command; only an icon the notification area holds
    // can be modified.
    bool Notify(DWORD command) const {
        NOTIFYICONDATAW record{};
        record.cbSize = NOTIFYICONDATAW_V1_SIZE;
        record.hWnd = owner;
        record.uID = HandleToUlong(LoadIconW(nullptr, IDI_INFORMATION));
        return Shell_NotifyIconW(command, &record) != FALSE;
    }
    bool IconShown() const { return Notify(NIM_MODIFY); }
    // What the main window forwards, then the double-click time (and a little more) of
    // this thread's messages, in which a single click opens its menu.
    static void Mouse(std::initializer_list<UINT> messages) {
        for (UINT message : messages) HandleTrayMenu(message);
        kvtest::PumpFor(GetDoubleClickTime() + 400);
    }
    // Whether the mouse messages opened a menu (answered with Escape).
    static bool MenuShownBy(std::initializer_list<UINT> messages) {
        return kvtest::WithMenu([&] { Mouse(messages); }, {VK_ESCAPE});
    }
    static constexpr std::initializer_list<UINT> kLeftClick{WM_LBUTTONDOWN, WM_LBUTTONUP};
    static constexpr std::initializer_list<UINT> kRightClick{WM_RBUTTONDOWN, WM_RBUTTONUP};
    static constexpr std::initializer_list<UINT> kLeftDoubleClick{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                                                  WM_LBUTTONUP};
    static constexpr std::initializer_list<UINT> kRightDoubleClick{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK,
                                                                   WM_RBUTTONUP};

    HWND owner = nullptr;
};

}  // namespace

TEST_F(TrayIcon, AddedOnceWithTheWindowsIcon_GoneAfterQuit) {
    EXPECT_TRUE(TrayIconAdded());
    EXPECT_TRUE(IconShown());
    EXPECT_EQ(TrayWindow(), owner);
    AddTrayIcon(owner);  // a rebuilt program: still one icon, removed by one Quit
    Quit();
    EXPECT_FALSE(IconShown());
    EXPECT_FALSE(TrayIconAdded());
}

TEST_F(TrayIcon, ReAddedWhenTheTaskbarIsCreatedAgain_ButNotAfterDelete) {
    ASSERT_NE(TaskbarCreatedMessage(), 0u);
    Notify(NIM_DELETE);  // what a crashed taskbar leaves behind
    ASSERT_FALSE(IconShown());
    RestoreTrayIcon();
    EXPECT_TRUE(IconShown());
    DeleteTrayIcon();
    RestoreTrayIcon();
    EXPECT_FALSE(IconShown());
}

TEST_F(TrayIcon, SingleClickWithEitherButton_OpensTheMenuWithItsDefault_AndPerformsTheChoice) {
    kvtest::RunningWindows running(kvtest::Windows::XP);
    State().VisibleMenuOptions = L"Herunterfahren: Standard;Sperren;";
    State().StandardMenuOption = L"Sperren";
    struct {
        std::initializer_list<UINT> click;
        std::vector<WORD> keys;
    } clicks[] = {{kLeftClick, {VK_ESCAPE}}, {kRightClick, {VK_DOWN, VK_DOWN, VK_RETURN}}};
    for (const auto& c : clicks) {
        int count = 0;
        UINT defaultItem = 0;
        EXPECT_TRUE(kvtest::WithMenu([&] { Mouse(c.click); }, c.keys, [&](HWND window) {
            count = GetMenuItemCount(kvtest::MenuOf(window));
            defaultItem = GetMenuDefaultItem(kvtest::MenuOf(window), TRUE, 0);
        })) << "no menu for button message " << *c.click.begin();
        // -Herunterfahren, Standard, -Andere, Sperren, then the 13 entries of the fixed part.
        EXPECT_EQ(count, 4 + 13);
        EXPECT_EQ(defaultItem, 3u);
    }
    EXPECT_EQ(session.Names(), std::vector<std::string>{"LockWorkStation"});  // chosen by the keys
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TrayIcon, SingleClickWhileADialogIsOpen_BringsItForwardInstead) {
    HWND options = CreateWindowExW(0, L"STATIC", L"Optionen - Kelvo Restart", WS_POPUP | WS_BORDER, 200, 200, 300,
                                   200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetFrontDialog(conFD_Options, options);
    EXPECT_TRUE(MenuShownBy(kLeftClick)) << "loaded but hidden: the menu as usual";
    ShowWindow(options, SW_SHOW);
    SetForegroundWindow(owner);
    EXPECT_FALSE(MenuShownBy(kRightClick)) << "a menu opened in front of the dialog";
    EXPECT_EQ(GetForegroundWindow(), options);
    SetFrontDialog(conFD_Options, nullptr);
    DestroyWindow(options);
}

// A menu opened by the first click would take the mouse, and the second click would never
// arrive as a double click.
TEST_F(TrayIcon, DoubleClick_OpensNoMenu_RestartsIntoTheDefaultSystem_WithTheSwitchAsForce) {
    kvtest::RunningWindows running(kvtest::Windows::XP);
    kvtest::WriteFileText(kvtest::kBootIni, kvtest::kXpBootIni);
    State().VisibleMenuOptions = L"Herunterfahren: Standard;Neu starten: Standard;";
    State().StandardMenuOption = L"Neu starten: Standard";
    State().AllowUnsaveQuit = true;
    for (bool quitImmediate : {false, true}) {
        AddTrayIcon(owner);
        State().QuitImmediate = quitImmediate;
        EXPECT_FALSE(MenuShownBy(quitImmediate ? kRightDoubleClick : kLeftDoubleClick));
        EXPECT_FALSE(IconShown()) << "the icon goes before Windows is ended";
    }
    auto exits = session.CallsOf("ExitWindowsEx");
    ASSERT_EQ(exits.size(), 2u);
    EXPECT_EQ(exits[0].numbers[0], 3u);
    EXPECT_EQ(exits[1].numbers[0], 3u | EWX_FORCE);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TrayIcon, DoubleClickWithoutDefault_AndOtherMessages_DoNothing_ThenAClickOpensTheMenu) {
    State().VisibleMenuOptions = L"Herunterfahren: Standard;";
    EXPECT_FALSE(MenuShownBy({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_MOUSEMOVE,
                              WM_MBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDBLCLK}));
    EXPECT_TRUE(session.calls.empty());
    EXPECT_TRUE(IconShown());
    EXPECT_FALSE(State().QuitFlag);
    // The double click above ended without its button-up, as a posted one does.
    EXPECT_TRUE(MenuShownBy(kRightClick));
}
