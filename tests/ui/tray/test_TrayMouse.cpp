// The resident KVRestartTest.exe under the real mouse: xdotool clicks its icon in the tray
// window that Wine's explorer.exe shows when the desktop has no notification area of its own.
#include "ProgramProcess.h"

using kvtest::kOptionsKey;
using kvtest::Store;

namespace {

class TrayMouse : public kvtest::Program {
protected:
    void SetUp() override {
        Program::SetUp();
        KnownProfile();
        Store(HKEY_CURRENT_USER, kOptionsKey, L"VisibleMenuOptions", L"Sperren;");
        Store(HKEY_CURRENT_USER, kOptionsKey, L"StandardMenuOption", L"Sperren");
        ASSERT_TRUE(StartResident());
    }

    // The X window of Wine's tray and the middle of the program's icon in it. The icons line
    // up in the order they came; the program's came last.
    static bool LocateIcon(unsigned long long& xWindow, POINT& middle) {
        HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
        xWindow = reinterpret_cast<unsigned long long>(GetPropW(tray, L"__wine_x11_whole_window"));
        RECT last{};
        for (HWND icon = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr); icon;
             icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
            RECT r;
            if (IsWindowVisible(icon) && GetWindowRect(icon, &r) && r.left >= last.left) last = r;
        }
        // The X window holds the tray's client area.
        POINT origin{0, 0};
        ClientToScreen(tray, &origin);
        middle = {(last.left + last.right) / 2 - origin.x, (last.top + last.bottom) / 2 - origin.y};
        return tray && xWindow && last.right > last.left;
    }

    // Runs xdotool on the display Wine shows its windows on. Wine starts the Unix program
    // but gives no handle to wait for; the caller waits for what the clicks bring about.
    static void Xdotool(const std::wstring& arguments) {
        ASSERT_TRUE(kvtest::StartUnixProgram(L"Z:\\usr\\bin\\xdotool", L"xdotool " + arguments))
            << "xdotool: " << GetLastError();
    }

    // Clicks the program's icon that often (with the left button), quick enough for a double
    // click, after the pointer rested a double-click time elsewhere.
    void ClickIcon(int clicks) {
        unsigned long long xWindow = 0;
        POINT middle{};
        // Counted as added, the icon may still wait for its place in the tray's X window.
        ASSERT_TRUE(kvtest::WaitUntil([&] { return LocateIcon(xWindow, middle); }, 5000))
            << "no icon in Wine's tray window";
        Xdotool(L"mousemove --window " + std::to_wstring(xWindow) + L" " + std::to_wstring(middle.x) + L" " +
                std::to_wstring(middle.y) + L" click --repeat " + std::to_wstring(clicks) + L" --delay 100 1");
    }

    // The program's menu, once shown (nullptr after timeout ms).
    HWND WaitForMenu(DWORD timeout) const { return kvtest::WaitForWindow(L"#32768", nullptr, processId_, timeout); }

    size_t Locks() const {
        kvtest::Lines ops = Operations();
        return static_cast<size_t>(std::count(ops.begin(), ops.end(), L"LockWorkStation"));
    }
    bool WaitForLocks(size_t n, DWORD timeout) const {
        kvtest::WaitUntil([&] { return Locks() >= n; }, timeout, 100);
        return Locks() == n;
    }
};

}  // namespace

TEST_F(TrayMouse, DoubleClickPerformsTheDefaultAction_ASingleClickOpensTheMenu) {
    ClickIcon(2);
    EXPECT_FALSE(WaitForMenu(GetDoubleClickTime() + 1500)) << "a menu took the double click";
    EXPECT_TRUE(WaitForLocks(1, 5000)) << "the default action did not come";

    Sleep(GetDoubleClickTime() + 100);  // the next click starts anew
    ClickIcon(1);
    HWND menu = WaitForMenu(GetDoubleClickTime() + 5000);
    EXPECT_TRUE(menu) << "no menu for a single click";
    if (menu) PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(300);
    EXPECT_EQ(Locks(), 1u) << "a single click performed the action";
    EXPECT_TRUE(StillRunning());
}
