// The resident program of KVRestartTest.exe with a timed action due a few seconds after its
// start: the warning window comes up in time, Enter ("Später") postpones the action, and the
// session call does not come at the original moment. (The clock of another process is the
// real one; the postponed moment itself is tested in-process with the manual clock.)
#include <string>

#include "ProgramProcess.h"
#include "ui/tray/basMenues.h"

using kvtest::kOptionsKey;
using kvtest::Store;
using kvtest::TextOf;

namespace {

// The local time some seconds from now, as the settings store it: "h:m:s" and "d.m.yyyy".
struct Moment {
    std::wstring time, date;
};
Moment SecondsFromNow(int seconds) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME ft;
    SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000ULL;
    ft = {t.LowPart, t.HighPart};
    SYSTEMTIME then;
    FileTimeToSystemTime(&ft, &then);
    return {std::to_wstring(then.wHour) + L":" + std::to_wstring(then.wMinute) + L":" + std::to_wstring(then.wSecond),
            std::to_wstring(then.wDay) + L"." + std::to_wstring(then.wMonth) + L"." + std::to_wstring(then.wYear)};
}

using TimedWarningProcess = kvtest::Program;

}  // namespace

TEST_F(TimedWarningProcess, TheWarningComesBeforeTheMoment_EnterPostponesTheAction) {
    KnownProfile();
    const ULONGLONG start = GetTickCount64();
    const Moment due = SecondsFromNow(15);  // a one-time action: a countdown never survives a start
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeActionType", 2);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeAction", L"Neu anmelden");
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeForAction", due.time);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeDateForAction", due.date);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeWarningLead", 12);
    HWND main = StartResident();
    ASSERT_TRUE(main);
    // Shown from the tray: the resident program makes its status line with the window.
    PostMessageW(main, kvr::WM_KV_TRAY, 0, WM_LBUTTONDBLCLK);
    ASSERT_EQ(FindMainWindow(processId_, true), main);

    HWND warning = FindDialog(L"Kelvo Restart - Zeitsteuerung", 15000);
    ASSERT_TRUE(warning) << "no warning before the moment";
    EXPECT_FALSE(Logged(L"ExitWindowsEx")) << "the action came before its warning ran out";
    EXPECT_NE(TextOf(GetDlgItem(warning, 1003)).find(L"Sekunde"), std::wstring::npos);
    // The status line counts too (written in the same tick, just after the window came up).
    auto status = [&] { return TextOf(GetDlgItem(main, 1007)); };
    for (int i = 0; i < 20 && status().rfind(L"Neu anmelden in 00:00:", 0) != 0; ++i) Sleep(100);
    EXPECT_EQ(status().rfind(L"Neu anmelden in 00:00:", 0), 0u) << status();

    PostMessageW(warning, WM_KEYDOWN, VK_RETURN, 0);  // the default button: "Später"
    PostMessageW(warning, WM_KEYUP, VK_RETURN, 0);
    for (int i = 0; i < 50 && IsWindow(warning); ++i) Sleep(100);
    EXPECT_FALSE(IsWindow(warning)) << "the window stayed";

    // Nothing at the original moment: waited for until three seconds past it.
    const ULONGLONG pastDue = start + 18000;
    while (GetTickCount64() < pastDue && !Logged(L"ExitWindowsEx")) Sleep(200);
    EXPECT_FALSE(Logged(L"ExitWindowsEx"));
    EXPECT_EQ(status().rfind(L"Neu anmelden am ", 0), 0u) << "the postponed moment is shown: " << status();
    EXPECT_TRUE(StillRunning());

    PostQuit();
    EXPECT_EQ(WaitForEnd(), 0u);
}
