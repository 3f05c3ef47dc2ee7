// The resident program of KVRestartTest.exe, run as a process of the test prefix: its start
// with a fresh profile, the single resident instance, the tray icon's double click and the
// rebuild after a refused exit.
#include "ProgramProcess.h"
#include "ui/tray/basMenues.h"

#include <tlhelp32.h>

using kvtest::kOptionsKey;
using kvtest::kPrgSettingsKey;
using kvtest::Lines;
using kvtest::Store;
using kvtest::Stored;

namespace {

class Resident : public kvtest::Program {
protected:
    void TearDown() override {
        if (other_) {
            TerminateProcess(other_, 99);
            WaitForSingleObject(other_, 10000);
            CloseHandle(other_);
        }
        Program::TearDown();
    }

    static void DoubleClickTrayIcon(HWND main) { PostMessageW(main, kvr::WM_KV_TRAY, 0, WM_LBUTTONDBLCLK); }

    bool Loaded(const wchar_t* module) const {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId_);
        if (snapshot == INVALID_HANDLE_VALUE) return false;
        MODULEENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        bool found = false;
        for (BOOL more = Module32FirstW(snapshot, &entry); more && !found; more = Module32NextW(snapshot, &entry))
            found = lstrcmpiW(entry.szModule, module) == 0;
        CloseHandle(snapshot);
        return found;
    }

    HANDLE other_ = nullptr;  // a first instance while a second one runs
};

TEST_F(Resident, AFreshProfileStartsWithItsFirstRunAndStaysUntilQuit) {
    HWND main = StartResident();
    ASSERT_TRUE(main);
    EXPECT_FALSE(IsWindowVisible(main));  // shown only on demand
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"RunFirstTime").number, 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kRunKey, L"Kelvo Restart").text, exe_);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"SwitchOff").number, 1u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"TimeActionType").number, 0u);
    Sleep(500);
    EXPECT_TRUE(StillRunning());

    PostQuit();
    EXPECT_EQ(WaitForEnd(), 0u);
    EXPECT_EQ(Log(), (Lines{L"Exit(0)"}));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_TRUE(WaitForTrayIcons(0));
}

TEST_F(Resident, ASecondResidentStartEndsSilently) {
    KnownProfile();
    HWND main = StartResident();
    ASSERT_TRUE(main);
    other_ = process_;
    const DWORD firstThread = threadId_;

    process_ = nullptr;
    Start(L"");  // the second
    ASSERT_TRUE(process_);
    EXPECT_EQ(WaitForEnd(), 0u);
    EXPECT_EQ(Log(), (Lines{L"Exit(0)"}));
    EXPECT_FALSE(FindMainWindow(processId_, false, nullptr, 0));

    // The first runs on with its icon.
    process_ = other_;
    other_ = nullptr;
    threadId_ = firstThread;
    EXPECT_TRUE(StillRunning());
    EXPECT_TRUE(WaitForTrayIcons(1));  // one icon: the first instance's
    PostQuit();
    EXPECT_EQ(WaitForEnd(), 0u);
    EXPECT_TRUE(WaitForTrayIcons(0));
}

TEST_F(Resident, ADoubleClickOnTheTrayIconPerformsTheDefaultAction) {
    KnownProfile();
    Store(HKEY_CURRENT_USER, kOptionsKey, L"StandardMenuOption", L"Neu anmelden");
    Store(HKEY_CURRENT_USER, kOptionsKey, L"AllowUnsaveQuit", 1);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"QuitSaveImmediate", 1);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"QuitImmediate", 1);
    HWND main = StartResident();
    ASSERT_TRUE(main);
    DoubleClickTrayIcon(main);
    // Windows took the log-off: the program had gone first and ends.
    EXPECT_EQ(WaitForEnd(), 0u);
    Lines log = Log();
    EXPECT_NE(std::find(log.begin(), log.end(), L"ExitWindowsEx(4, 0)"), log.end());
    EXPECT_EQ(log.back(), L"Exit(0)");
    EXPECT_TRUE(WaitForTrayIcons(0));
}

TEST_F(Resident, WithoutMenuSettingsTheDoubleClickOpensTheMainWindow) {
    KnownProfile();
    HWND main = StartResident();
    ASSERT_TRUE(main);
    ASSERT_TRUE(Loaded(L"KVRestartTest.exe"));
    EXPECT_FALSE(Loaded(L"comctl32.dll")) << "the idle tray program holds the common controls";
    DoubleClickTrayIcon(main);
    EXPECT_EQ(FindMainWindow(processId_, true, nullptr, 20000), main);
    EXPECT_TRUE(Loaded(L"comctl32.dll")) << "the window's list came with them";
    // Its close box only hides it: the program stays resident.
    PostMessageW(main, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && IsWindowVisible(main); ++i) Sleep(100);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(StillRunning());
    PostQuit();
    EXPECT_EQ(WaitForEnd(), 0u);
    EXPECT_TRUE(Operations() == (Lines{L"Exit"}));
}

TEST_F(Resident, ARefusedExitIsReportedOnceAndRebuildsTheResidentProgram) {
    KnownProfile();
    Store(HKEY_CURRENT_USER, kOptionsKey, L"StandardMenuOption", L"Neu anmelden");
    Answers("session ExitWindowsEx 0 5\n");
    HWND main = StartResident();
    ASSERT_TRUE(main);
    DoubleClickTrayIcon(main);
    ASSERT_TRUE(WaitForLogLine(L"MessageBox"));

    // A new main window with its icon; the process runs on.
    HWND rebuilt = FindMainWindow(processId_, false, main, 20000);
    ASSERT_TRUE(rebuilt) << "not rebuilt";
    EXPECT_TRUE(WaitForTrayIcons(1));
    EXPECT_FALSE(IsWindow(main));
    Sleep(500);
    EXPECT_TRUE(StillRunning());
    Lines log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), L"ExitWindowsEx(0, 0)"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(),
                         L"MessageBox(0x30, \"Kelvo Restart\", \"Windows konnte nicht beendet werden (5).\") -> 1"),
              1);

    // The rebuilt program answers its tray icon as before.
    DoubleClickTrayIcon(rebuilt);
    for (int i = 0; i < 200 && std::count(log.begin(), log.end(), L"ExitWindowsEx(0, 0)") < 2; ++i) {
        Sleep(100);
        log = Log();
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), L"ExitWindowsEx(0, 0)"), 2);

    PostQuit();
    EXPECT_EQ(WaitForEnd(), 0u);
    EXPECT_EQ(Log().back(), L"Exit(0)");
}

}  // namespace
