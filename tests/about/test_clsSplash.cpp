// The splash screen, shown for real: its texts, the colour tone on the screen, the progress
// bar, window order and ownership.
#include <gtest/gtest.h>

#include <string>

#include "Identity.h"
#include "KVError.h"
#include "SplashProbe.h"
#include "clsPersonalData.h"
#include "clsSplash.h"
#include "clsVersionGlobal.h"

using kv::clsSplash;
using kv::frmSplash;
using namespace kvtest;

namespace {

long ThisYear() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear;
}

class Splash : public ::testing::Test {
protected:
    void SetUp() override { SetIdentity(L"Kelvo Restart", 2, 1, 37); }
};

}  // namespace

TEST_F(Splash, WithoutIdentity_RaisesAndShowsNothing) {
    kv::clsVersionGlobal().InfoBuild(-1);
    clsSplash splash;
    try {
        splash.Show();
        ADD_FAILURE() << "shown without identity";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, -52013);
        EXPECT_NE(e.Description.find(L"clsSplash_Show"), std::wstring::npos) << "forwarded with its place";
    }
    EXPECT_EQ(splash.Window(), nullptr);
    EXPECT_EQ(FindWindowW(frmSplash::conClassName, nullptr), nullptr);
}

TEST_F(Splash, LabelsComeFromTheIdentity_AndEmptyContactsFromTheRecord) {
    kv::clsPersonalData maker;
    clsSplash splash;
    splash.Show();  // returns at once: the window is up while this test goes on
    HWND shown = ShownSplash();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown, splash.Window());
    EXPECT_EQ(LabelText(shown, frmSplash::conLblProgram), L"Kelvo Restart");
    EXPECT_EQ(LabelText(shown, frmSplash::conLblVersion), L"Version 2.1 Build 37");
    EXPECT_EQ(LabelText(shown, frmSplash::conLblCopyright), L"Copyright © " + std::to_wstring(ThisYear()));
    EXPECT_EQ(LabelText(shown, frmSplash::conLblCompany), maker.Company());
    EXPECT_EQ(LabelText(shown, frmSplash::conLblWebsite), maker.Website());
    EXPECT_EQ(LabelText(shown, frmSplash::conLblEmail), maker.EmailAddress());
    EXPECT_TRUE(LabelVisible(shown, frmSplash::conLblAddress));
    EXPECT_NE(LabelText(shown, frmSplash::conLblAddress).find(maker.Street()), std::wstring::npos);
    EXPECT_FALSE(LabelVisible(shown, frmSplash::conLblFreeware));
    EXPECT_EQ(ChildLeft(shown, frmSplash::conLblWebsite), ChildLeft(shown, frmSplash::conLblProgram));

    splash.Website(L"http://www.kelvo.example");
    splash.EmailAddress(L"support@kelvo.example");
    splash.SupressAddress(true);
    splash.Freeware(true);
    splash.CopyrightStartYear(2001);
    splash.CopyrightEndYear(L"2005");
    splash.Show();  // again: the window is built anew
    shown = ShownSplash();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, shown, frmSplash::conClassName, nullptr), nullptr) << "one window only";
    EXPECT_EQ(LabelText(shown, frmSplash::conLblWebsite), L"http://www.kelvo.example");
    EXPECT_EQ(LabelText(shown, frmSplash::conLblEmail), L"support@kelvo.example");
    EXPECT_EQ(LabelText(shown, frmSplash::conLblCopyright), L"Copyright © 2001 - 2005");
    EXPECT_FALSE(LabelVisible(shown, frmSplash::conLblAddress));
    EXPECT_TRUE(LabelVisible(shown, frmSplash::conLblFreeware));
}

TEST(SplashCopyright, StartZeroIsThisYear_EndOnlyWhenANonZeroNumber) {
    clsSplash splash;
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 2024");
    splash.CopyrightEndYear(L"0");
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 2024");
    splash.CopyrightStartYear(2001);
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 2001");
    splash.CopyrightEndYear(L"2003");
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 2001 - 2003");
    splash.CopyrightEndYear(L"C:\\kv-no-such-folder\\KVRestart.exe");  // no file: kept, no year
    EXPECT_EQ(splash.CopyrightEndYear(), L"C:\\kv-no-such-folder\\KVRestart.exe");
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 2001");
}

TEST(SplashCopyright, AFileGivesItsLastWriteYear) {
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"kvs", 0, path);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SYSTEMTIME midYear{1999, 6, 0, 15, 12, 0, 0, 0};
    FILETIME written;
    SystemTimeToFileTime(&midYear, &written);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);

    clsSplash splash;
    splash.CopyrightStartYear(1998);
    splash.CopyrightEndYear(path);
    DeleteFileW(path);
    EXPECT_EQ(splash.CopyrightEndYear(), L"1999");
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 1998 - 1999");
    splash.CopyrightEndYear(folder);  // a folder is no file
    EXPECT_EQ(splash.CopyrightEndYear(), folder);
}

TEST_F(Splash, ToneRunsFromGreenToWhiteInThreePixelStrips) {
    const auto table = frmSplash::ToneTable(420);
    ASSERT_EQ(table.size(), 140u);
    EXPECT_EQ(table.front(), RGB(130, 255, 130));
    EXPECT_EQ(table.back(), RGB(255, 255, 255));
    EXPECT_EQ(table[70], RGB(193, 255, 193));  // half way, rounded

    clsSplash splash;
    splash.AlwaysOnTop(true);  // above windows that tests running alongside may open
    splash.Show();
    HWND shown = ShownSplash();
    ASSERT_NE(shown, nullptr);
    RECT client;
    GetClientRect(shown, &client);
    const auto strips = frmSplash::ToneTable(client.right);
    const int middle = client.bottom / 2;
    // Vertical: the colour changes along the width, every three pixels (x = 0 is the frame).
    EXPECT_EQ(Pixel(shown, 1, middle), RGB(130, 255, 130));
    EXPECT_EQ(Pixel(shown, 2, client.bottom - 3), RGB(130, 255, 130));
    EXPECT_EQ(Pixel(shown, 3, middle), strips[1]);
    EXPECT_EQ(Pixel(shown, 5, middle), strips[1]);
    EXPECT_EQ(Pixel(shown, 6, middle), strips[2]);
    EXPECT_EQ(Pixel(shown, client.right - 2, middle), RGB(255, 255, 255));

    splash.Alignment(kv::conSPA_Horizontal);  // repainted at once, along the height
    const auto rows = frmSplash::ToneTable(client.bottom);
    EXPECT_EQ(Pixel(shown, 2, 1), RGB(130, 255, 130));
    EXPECT_EQ(Pixel(shown, client.right - 3, 2), RGB(130, 255, 130));
    EXPECT_EQ(Pixel(shown, 2, 4), rows[1]);
    EXPECT_EQ(Pixel(shown, 2, client.bottom - 2), RGB(255, 255, 255));
}

TEST_F(Splash, BarIsHiddenAtZero_AndFillsInProportion) {
    clsSplash splash;
    splash.AlwaysOnTop(true);
    splash.Show();
    HWND shown = ShownSplash();
    ASSERT_NE(shown, nullptr);
    HWND bar = GetDlgItem(shown, frmSplash::conShpProgress);
    EXPECT_FALSE(IsWindowVisible(bar)) << "BarMax 0";

    RECT r;
    GetClientRect(bar, &r);
    const int inner = r.right - 2;  // inside the 1-pixel border
    auto filled = [&] {
        int count = 0;
        for (int x = 1; x <= inner; ++x) count += Pixel(bar, x, r.bottom / 2) == frmSplash::conBarFill;
        return count;
    };
    splash.BarMax(200);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(filled(), 0);
    splash.BarValue(50);  // no message loop runs in between: the bar repaints at once
    EXPECT_EQ(filled(), inner / 4);
    splash.BarValue(200);
    EXPECT_EQ(filled(), inner);
    splash.BarValue(500);
    EXPECT_EQ(filled(), inner) << "beyond the maximum stays full";
    splash.BarMax(0);
    EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(Splash, PictureKeepsItsOwnSize_AndTheCallerMayFreeIt) {
    HBITMAP red = SolidBitmap(40, 30, RGB(200, 0, 0));
    clsSplash splash;
    splash.Picture(red);
    DeleteObject(red);
    splash.AlwaysOnTop(true);
    splash.Show();
    HWND shown = ShownSplash();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(Pixel(shown, 16, 16), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(shown, 16 + 39, 16 + 29), RGB(200, 0, 0));
    EXPECT_NE(Pixel(shown, 16 + 40, 16 + 10), RGB(200, 0, 0));
    EXPECT_NE(Pixel(shown, 16 + 10, 16 + 30), RGB(200, 0, 0));
    EXPECT_EQ(ChildLeft(shown, frmSplash::conLblProgram), 16 + 40 + 16) << "the text column follows the picture";
}

TEST_F(Splash, OnTopWithoutActivation_AndCloseRemovesTheWindow) {
    clsSplash splash;
    splash.Show();
    HWND shown = ShownSplash();
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(GetForegroundWindow(), shown) << "Show does not activate";
    EXPECT_FALSE(GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    splash.AlwaysOnTop(true);
    EXPECT_TRUE(GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(GetForegroundWindow(), shown) << "not activated";
    // (Wine keeps an owned window topmost once it was; without an owner both ways work.)
    splash.AlwaysOnTop(false);
    EXPECT_FALSE(GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);

    splash.CloseWindow();
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_EQ(splash.Window(), nullptr);
    splash.CloseWindow();  // closing twice is harmless
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof(registered);
    EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), frmSplash::conClassName, &registered))
        << "the window classes go with the last window, so an unloaded DLL leaves none behind";
}

TEST_F(Splash, BelongsToItsOwner_AndEndsWithIt) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KVSplashTestOwner";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(0, wc.lpszClassName, L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(owner, nullptr);

    clsSplash splash;
    splash.Owner(owner);
    splash.AlwaysOnTop(true);
    splash.Show();
    HWND shown = ShownSplash();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(GetWindow(shown, GW_OWNER), owner);
    EXPECT_TRUE(GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);

    DestroyWindow(owner);  // the owner's end takes the splash with it
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_EQ(splash.Window(), nullptr);
    splash.AlwaysOnTop(false);  // and the object goes on without a window
    splash.BarValue(3);
}
