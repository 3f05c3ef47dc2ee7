// The splash screen, shown for real: its texts, the colour tone on the screen, the progress
// bar, window order and ownership; and its COM face, driven late-bound with what a script
// cannot hand over (a picture object, a form). KVAbout.dll is loaded and its class factory
// asked directly, so nothing is registered; the DLL has its own identity record.
#include <gtest/gtest.h>

#include <olectl.h>

#include <string>

#include "ComError.h"
#include "ComClient.h"
#include "ErrorCapture.h"
#include "FakeAutomation.h"
#include "LateBound.h"
#include "clsPersonalData.h"
#include "clsSplash.h"
#include "frmSplash.h"
#include "clsVersionGlobal.h"

using kv::ComPtr;
using kv::Variant;
using kv::clsSplash;
using kv::frmSplash;
using namespace kvtest;

namespace {

HWND ShownSplash() {
    HWND splash = FindWindowW(kv::frmSplash::conClassName, nullptr);
    return splash && IsWindowVisible(splash) ? splash : nullptr;
}

std::wstring LabelText(HWND splash, int id) {
    wchar_t text[512] = L"";
    GetWindowTextW(GetDlgItem(splash, id), text, 512);
    return text;
}

bool LabelVisible(HWND splash, int id) { return IsWindowVisible(GetDlgItem(splash, id)) != FALSE; }

// The colour on the screen at a client position of the window.
COLORREF Pixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// A bitmap of one colour, to find again on the screen.
HBITMAP SolidBitmap(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    SetDCBrushColor(dc, colour);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// {C4778B32-57B6-4D12-845E-EE54FF8EB3E0} and {62458815-3D2A-497F-A68A-677B89493A75}
const CLSID kClsSplash = {0xC4778B32, 0x57B6, 0x4D12, {0x84, 0x5E, 0xEE, 0x54, 0xFF, 0x8E, 0xB3, 0xE0}};
const CLSID kClsVersionGlobal = {0x62458815, 0x3D2A, 0x497F, {0xA6, 0x8A, 0x67, 0x7B, 0x89, 0x49, 0x3A, 0x75}};

void PutRef(IDispatch* object, const wchar_t* name, IDispatch* value) {
    kv::late::Invoke(object, name, DISPATCH_PROPERTYPUTREF, {Variant(ComPtr<IDispatch>(value))});
}

ComPtr<IPictureDisp> BitmapPicture(HBITMAP bitmap) {
    PICTDESC description{};
    description.cbSizeofstruct = sizeof(description);
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    ComPtr<IPictureDisp> picture;
    kv::com::CheckHr(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                              reinterpret_cast<void**>(picture.Put())));
    return picture;
}

class Splash : public ::testing::Test {
protected:
    void SetUp() override {
        kv::clsVersionGlobal identity;
        identity.InfoApplication(L"Kelvo Restart");
        identity.InfoMajorVersion(2);
        identity.InfoMinorVersion(1);
        identity.InfoBuild(37);
    }
    // Shows the splash (above windows that tests running alongside may open) and finds it.
    HWND Show(bool onTop = true) {
        splash.AlwaysOnTop(onTop);
        splash.Show();  // returns at once: the window is up while the test goes on
        HWND shown = ShownSplash();
        EXPECT_NE(shown, nullptr);
        return shown;
    }
    clsSplash splash;
};

}  // namespace

TEST_F(Splash, WithoutIdentity_RaisesAndShowsNothing) {
    kv::clsVersionGlobal().InfoBuild(-1);
    kv::KVError e = kv::test::Raised([&] { splash.Show(); });
    EXPECT_EQ(e.Number, -52013);
    EXPECT_NE(e.Description.find(L"clsSplash_Show"), std::wstring::npos) << "forwarded with its place";
    EXPECT_EQ(FindWindowW(frmSplash::conClassName, nullptr), nullptr);
}

TEST_F(Splash, LabelsComeFromTheIdentity_AndEmptyContactsFromTheRecord) {
    kv::clsPersonalData maker;
    SYSTEMTIME now;
    GetLocalTime(&now);
    HWND shown = Show();
    EXPECT_EQ(LabelText(shown, frmSplash::conLblProgram), L"Kelvo Restart");
    EXPECT_EQ(LabelText(shown, frmSplash::conLblVersion), L"Version 2.1 Build 37");
    EXPECT_EQ(LabelText(shown, frmSplash::conLblCopyright), L"Copyright © " + std::to_wstring(now.wYear));
    EXPECT_EQ(LabelText(shown, frmSplash::conLblCompany), maker.Company());
    EXPECT_EQ(LabelText(shown, frmSplash::conLblWebsite), maker.Website());
    EXPECT_EQ(LabelText(shown, frmSplash::conLblEmail), maker.EmailAddress());
    EXPECT_NE(LabelText(shown, frmSplash::conLblAddress).find(maker.Street()), std::wstring::npos);
    EXPECT_TRUE(LabelVisible(shown, frmSplash::conLblAddress));
    EXPECT_FALSE(LabelVisible(shown, frmSplash::conLblFreeware));

    splash.Website(L"http://www.kelvo.example");
    splash.EmailAddress(L"support@kelvo.example");
    splash.SupressAddress(true);
    splash.Freeware(true);
    shown = Show();  // again: the window is built anew
    EXPECT_EQ(FindWindowExW(nullptr, shown, frmSplash::conClassName, nullptr), nullptr) << "one window only";
    EXPECT_EQ(LabelText(shown, frmSplash::conLblWebsite), L"http://www.kelvo.example");
    EXPECT_EQ(LabelText(shown, frmSplash::conLblEmail), L"support@kelvo.example");
    EXPECT_FALSE(LabelVisible(shown, frmSplash::conLblAddress));
    EXPECT_TRUE(LabelVisible(shown, frmSplash::conLblFreeware));
}

TEST(SplashCopyright, StartZeroIsThisYear_EndOnlyANonZeroNumberOrAFilesYear) {
    clsSplash splash;
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 2024");
    splash.CopyrightEndYear(L"0");
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 2024");
    splash.CopyrightStartYear(2001);
    splash.CopyrightEndYear(L"2003");
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 2001 - 2003");
    splash.CopyrightEndYear(L"C:\\kv-no-such-folder\\KVRestart.exe");  // no file: kept, no year
    EXPECT_EQ(splash.CopyrightText(2024), L"Copyright © 2001");

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
    splash.CopyrightEndYear(path);
    DeleteFileW(path);
    EXPECT_EQ(splash.CopyrightEndYear(), L"1999");
    splash.CopyrightEndYear(folder);  // a folder is no file
    EXPECT_EQ(splash.CopyrightEndYear(), folder);
}

TEST_F(Splash, ToneRunsFromGreenToWhiteInThreePixelStrips) {
    const auto table = frmSplash::ToneTable(420);
    ASSERT_EQ(table.size(), 140u);
    EXPECT_EQ(table.front(), RGB(130, 255, 130));
    EXPECT_EQ(table[70], RGB(193, 255, 193));  // half way, rounded
    EXPECT_EQ(table.back(), RGB(255, 255, 255));

    HWND shown = Show();
    RECT client;
    GetClientRect(shown, &client);
    // Vertical: the colour changes along the width, every three pixels (x = 0 is the frame).
    EXPECT_EQ(Pixel(shown, 5, client.bottom / 2), frmSplash::ToneTable(client.right)[1]);
    EXPECT_EQ(Pixel(shown, 6, client.bottom / 2), frmSplash::ToneTable(client.right)[2]);
    EXPECT_EQ(Pixel(shown, client.right - 2, client.bottom / 2), RGB(255, 255, 255));
    splash.Alignment(kv::conSPA_Horizontal);  // repainted at once, along the height
    EXPECT_EQ(Pixel(shown, client.right - 3, 2), RGB(130, 255, 130));
    EXPECT_EQ(Pixel(shown, 2, 4), frmSplash::ToneTable(client.bottom)[1]);
}

TEST_F(Splash, BarIsHiddenAtZero_AndFillsInProportion) {
    HWND bar = GetDlgItem(Show(), frmSplash::conShpProgress);
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
    splash.BarValue(50);  // no message loop runs in between: the bar repaints at once
    EXPECT_EQ(filled(), inner / 4);
    splash.BarValue(500);
    EXPECT_EQ(filled(), inner) << "beyond the maximum stays full";
    splash.BarMax(0);
    EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(Splash, PictureKeepsItsOwnSize_AndTheCallerMayFreeIt) {
    HBITMAP red = SolidBitmap(40, 30, RGB(200, 0, 0));
    splash.Picture(red);
    DeleteObject(red);
    HWND shown = Show();
    EXPECT_EQ(Pixel(shown, 16, 16), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(shown, 16 + 39, 16 + 29), RGB(200, 0, 0));
    EXPECT_NE(Pixel(shown, 16 + 40, 16 + 10), RGB(200, 0, 0));
    RECT label;
    GetWindowRect(GetDlgItem(shown, frmSplash::conLblProgram), &label);
    MapWindowPoints(nullptr, shown, reinterpret_cast<POINT*>(&label), 2);
    EXPECT_EQ(label.left, 16 + 40 + 16) << "the text column follows the picture";
}

TEST_F(Splash, OnTopWithoutActivation_AndCloseRemovesTheWindow) {
    HWND shown = Show(false);
    EXPECT_FALSE(GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    splash.AlwaysOnTop(true);
    EXPECT_TRUE(GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(GetForegroundWindow(), shown) << "not activated";
    // (Wine keeps an owned window topmost once it was; without an owner both ways work.)
    splash.AlwaysOnTop(false);
    EXPECT_FALSE(GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);

    splash.CloseWindow();
    EXPECT_FALSE(IsWindow(shown));
    splash.CloseWindow();  // closing twice is harmless
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof(registered);
    EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), frmSplash::conClassName, &registered))
        << "the window classes go with the last window, so an unloaded DLL leaves none behind";
}

TEST_F(Splash, BelongsToItsOwner_AndEndsWithIt) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    splash.Owner(owner);
    HWND shown = Show();
    EXPECT_EQ(GetWindow(shown, GW_OWNER), owner);
    EXPECT_TRUE(GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    DestroyWindow(owner);  // the owner's end takes the splash with it
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_EQ(splash.Window(), nullptr);
    splash.AlwaysOnTop(false);  // and the object goes on without a window
    splash.BarValue(3);
}

TEST(SplashFace, TakesAPictureObjectAndAnOwnerForm) {
    ComPtr<IDispatch> splash = CreateFromDll(KV_ABOUT_DLL, kClsSplash);
    ComPtr<IDispatch> identity = CreateFromDll(KV_ABOUT_DLL, kClsVersionGlobal);
    ASSERT_TRUE(splash && identity);
    kv::late::PutProperty(identity.Get(), L"InfoApplication", Variant(std::wstring(L"Kelvo Restart")));
    for (const wchar_t* number : {L"InfoMajorVersion", L"InfoMinorVersion", L"InfoBuild"})
        kv::late::PutProperty(identity.Get(), number, Variant(1L));

    HWND owner = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    ComPtr<FakeObject> form = FakeObject::Make();
    form->On(L"hWnd", [&](const std::vector<Variant>&, WORD) {
        return Variant(static_cast<long>(reinterpret_cast<LONG_PTR>(owner)));
    });
    ComPtr<IPictureDisp> picture = BitmapPicture(SolidBitmap(40, 30, RGB(0, 0, 210)));
    PutRef(splash.Get(), L"Picture", picture.Get());
    PutRef(splash.Get(), L"Owner", form->AsDispatch().Get());
    kv::late::PutProperty(splash.Get(), L"AlwaysOnTop", Variant(true));
    kv::late::CallMethod(splash.Get(), L"Show");

    HWND shown = ShownSplash();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(GetWindow(shown, GW_OWNER), owner);
    EXPECT_EQ(Pixel(shown, 16 + 39, 16 + 29), RGB(0, 0, 210)) << "the picture object's bitmap";
    EXPECT_EQ(LabelText(shown, kv::frmSplash::conLblVersion), L"Version 1.1 Build 1");

    kv::late::CallMethod(splash.Get(), L"CloseWindow");
    EXPECT_FALSE(IsWindow(shown));
    DestroyWindow(owner);
}
