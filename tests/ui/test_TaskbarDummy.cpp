// The window that lends the dialogs a taskbar button: shown off the screen, forwarding its
// activation to the open dialog, and unloading the dialogs when it goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Waiting.h"
#include "program/basMain.h"
#include "ui/frmTaskbarDummy.h"

using namespace kvr;

namespace {

class TaskbarDummyTest : public ::testing::Test {
protected:
    void TearDown() override {
        UnloadTaskbarDummy();
        SetTaskbarDummyUnload(conFD_Options, nullptr);
        SetTaskbarDummyUnload(conFD_VersionCheck, nullptr);
        Quit();
    }
    // A dialog announcing its unloading, which takes its own registration back as a real
    // dialog's unloading would.
    void RegisterDialog(enuFrontDialog dlg, const std::string& name) {
        SetTaskbarDummyUnload(dlg, [this, dlg, name] {
            unloaded.push_back(name);
            SetTaskbarDummyUnload(dlg, nullptr);
        });
    }
    std::vector<std::string> unloaded;
};

}  // namespace

TEST_F(TaskbarDummyTest, LoadedHidden_ShownOffScreenWithATaskbarButton) {
    HWND dummy = LoadTaskbarDummy();
    ASSERT_NE(dummy, nullptr);
    EXPECT_EQ(LoadTaskbarDummy(), dummy) << "loaded once";
    EXPECT_FALSE(IsWindowVisible(dummy));
    EXPECT_TRUE(GetWindowLongW(dummy, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    ShowTaskbarDummy(L"Optionen - Kelvo Restart");
    EXPECT_TRUE(IsWindowVisible(dummy));
    wchar_t caption[64] = {};
    GetWindowTextW(dummy, caption, 64);
    EXPECT_STREQ(caption, L"Optionen - Kelvo Restart");
    RECT shown{}, overlap{}, screen{0, 0, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    GetWindowRect(dummy, &shown);
    EXPECT_FALSE(IntersectRect(&overlap, &shown, &screen)) << "the window itself stays out of sight";
    HideTaskbarDummy();
    EXPECT_FALSE(IsWindowVisible(dummy));
}

TEST_F(TaskbarDummyTest, UnloadingCloseAndQuit_UnloadOptionsThenVersionCheck_ThenItself) {
    RegisterDialog(conFD_VersionCheck, "version check");
    RegisterDialog(conFD_Options, "options");
    HWND dummy = LoadTaskbarDummy();
    UnloadTaskbarDummy();
    EXPECT_EQ(unloaded, (std::vector<std::string>{"options", "version check"}));
    EXPECT_FALSE(IsWindow(dummy));
    EXPECT_EQ(TaskbarDummy(), nullptr);
    UnloadTaskbarDummy();
    EXPECT_EQ(unloaded.size(), 2u) << "an unloaded dialog is not unloaded twice";

    RegisterDialog(conFD_Options, "options");
    dummy = LoadTaskbarDummy();
    ShowTaskbarDummy();
    SendMessageW(dummy, WM_CLOSE, 0, 0);  // closed from its taskbar button
    EXPECT_EQ(unloaded.size(), 3u);
    EXPECT_FALSE(IsWindow(dummy));

    RegisterDialog(conFD_VersionCheck, "version check");
    dummy = LoadTaskbarDummy();
    Quit();
    EXPECT_EQ(unloaded.size(), 4u);
    EXPECT_FALSE(IsWindow(dummy));
}

TEST_F(TaskbarDummyTest, ActivatedFromItsButton_PassesTheFocusToTheOwnedDialog) {
    HWND dummy = LoadTaskbarDummy();
    ShowTaskbarDummy(L"Optionen - Kelvo Restart");
    HWND dialog = CreateWindowExW(0, L"STATIC", L"Optionen", WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 100, 300,
                                  200, dummy, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    SetForegroundWindow(dummy);
    kvtest::PumpFor(400);
    EXPECT_EQ(GetForegroundWindow(), dialog);
    UnloadTaskbarDummy();
    EXPECT_FALSE(IsWindow(dialog)) << "owned windows go with it";
}
