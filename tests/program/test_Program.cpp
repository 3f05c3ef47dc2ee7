// The command line of KVRestartTest.exe, run as a process of the test prefix (see
// ProgramProcess.h).
#include "ProgramProcess.h"

#include <cstdint>

using kvtest::kBootIni;
using kvtest::kCompanyKey;
using kvtest::kOptionsKey;
using kvtest::kPrgSettingsKey;
using kvtest::Store;
using kvtest::TextOf;
using kvtest::Stored;

namespace {

using kvtest::Lines;
using kvtest::Program;

TEST_F(Program, AValidLineWritesTheBootDefaultAndRestartsForcedAfterThePrivilege) {
    kvtest::WriteFileText(kBootIni, kvtest::kXpBootIni);
    Answers("box YES\n");
    EXPECT_EQ(Run(L"/T:2 /S:\"Microsoft Windows XP Home\" /C /F"), 0u);

    Lines log = Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0],
              L"MessageBox(0x23, \"Kelvo Restart\", \"Aktion \"Neu starten: Microsoft Windows XP Home\" durchführen?\") -> 6");
    EXPECT_EQ(Operations(), (Lines{L"MessageBox", L"OpenProcessToken", L"LookupPrivilegeValue",
                                   L"AdjustTokenPrivileges", L"CloseToken", L"ExitWindowsEx", L"Exit"}));
    EXPECT_EQ(log[2], L"LookupPrivilegeValue(\"\", \"SeShutdownPrivilege\")");
    EXPECT_EQ(log[5], L"ExitWindowsEx(7, 0)");

    EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS");
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"DontShowUnloadDialog").number, 1u);
}

TEST_F(Program, AWrongLineShowsTheParameterDialogAndWritesNothing) {
    kvtest::WriteFileText(kBootIni, kvtest::kXpBootIni);
    Start(L"/T:2 /S:\"Microsoft Windows 2000\" /C /F");  // no such system
    ASSERT_TRUE(process_);
    HWND dialog = FindDialog();
    ASSERT_TRUE(dialog) << "no parameter dialog";
    WaitForInputIdle(process_, 10000);

    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1002)), L"Syntax: \"Pfad\\Programmname\" /T:Typ /S:System [/C] [/F]");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1014)),
              L"Falls einer der Parameter nicht korrekt angegeben wurde oder ein nicht vorhandenes System "
              L"angegeben wurde, wird dieser Dialog angezeigt.");
    HWND ok = GetDlgItem(dialog, IDOK);
    EXPECT_EQ(TextOf(ok), L"OK");

    // The help button reports the missing help file; OK then ends the program.
    Click(GetDlgItem(dialog, 1100));
    for (int i = 0; i < 100 && Log().empty(); ++i) Sleep(100);
    Click(ok);
    EXPECT_EQ(WaitForEnd(), 0u);

    EXPECT_EQ(Log(), (Lines{L"MessageBox(0x30, \"Kelvo Restart\", \"Hilfe \"" + base_ +
                                L".chm\" konnte nicht angezeigt werden.\") -> 1",
                            L"Exit(0)"}));
    ExpectNothingWritten(kvtest::kXpBootIni);
}

TEST_F(Program, EscapeClosesTheParameterDialogOfABadType) {
    Start(L"/T:2.5");
    ASSERT_TRUE(process_);
    HWND dialog = FindDialog();
    ASSERT_TRUE(dialog) << "no parameter dialog";
    PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(dialog, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_EQ(WaitForEnd(), 0u);
    EXPECT_EQ(Log(), (Lines{L"Exit(0)"}));
    ExpectNothingWritten("");
}

TEST_F(Program, ADeclinedConfirmationEndsWithoutAction) {
    kvtest::WriteFileText(kBootIni, kvtest::kXpBootIni);
    Answers("box NO\n");
    EXPECT_EQ(Run(L"/T:1 /S:\"Microsoft Windows XP Home\" /C"), 0u);
    EXPECT_EQ(Operations(), (Lines{L"MessageBox", L"Exit"}));
    ExpectNothingWritten(kvtest::kXpBootIni);
}

TEST_F(Program, ARefusedExitIsReportedOnceAndTheRunEnds) {
    Answers("session ExitWindowsEx 0 5\n");
    EXPECT_EQ(Run(L"/T:3"), 0u);
    Lines log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), L"ExitWindowsEx(0, 0)"), 1);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2],
              L"MessageBox(0x30, \"Kelvo Restart\", \"Windows konnte nicht beendet werden (5).\") -> 1");
    EXPECT_EQ(log.back(), L"Exit(0)");
}

TEST_F(Program, TypeFourRunsTheStartupRulesAndShowsTheMainWindowWithoutAskingOrActing) {
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"RunFirstTime", 0);
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"DontShowUnloadDialog", 1);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeActionType", 1);
    Start(L"/T:4 /C /F");
    ASSERT_TRUE(process_);
    HWND main = FindMainWindow(processId_, true);
    ASSERT_TRUE(main) << "no main window";
    EXPECT_EQ(TextOf(main), L"Windows beenden - Kelvo Restart");
    Sleep(500);
    EXPECT_EQ(TrayIconCount(), trayBaseline_);  // dialog mode has no tray icon
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"TimeActionType").number, 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"DontShowUnloadDialog").number, 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kRunKey, L"Kelvo Restart").type, 0u);  // no first run

    // Closing the window ends the program; it keeps its rectangle for the next time.
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForEnd(), 0u);
    EXPECT_EQ(Log(), (Lines{L"Exit(0)"}));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"WindowWidth").type, static_cast<DWORD>(REG_DWORD));
}

// Start-up failures of dialog mode: the error is shown and the run ends, whatever failed.
TEST_F(Program, AnErrorWhileDialogModeStartsIsShownAndEndsTheRun) {
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"RunFirstTime", 0);
    kvtest::WriteFileText(kBootIni, kvtest::kXpBootIni);
    // Another program holds boot.ini without sharing it; the start fails reading the
    // default, or (without a reset at start) filling the window's list.
    HANDLE lock = CreateFileW(kBootIni.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    for (DWORD reset : {1u, 0u}) {
        SCOPED_TRACE(reset);
        Store(HKEY_CURRENT_USER, kOptionsKey, L"ResetToStandard", reset);
        Store(HKEY_CURRENT_USER, kOptionsKey, L"StandardSystem", L"Microsoft Windows XP Home");
        EXPECT_EQ(Run(L"/T:4"), 0u);
        Lines log = Log();
        ASSERT_EQ(log.size(), 2u);
        EXPECT_EQ(kvtest::OperationOf(log[0]), L"MessageBox");
        EXPECT_NE(log[0].find(L"0x10010"), std::wstring::npos);
        EXPECT_EQ(log[1], L"Exit(0)");
        kvtest::RemoveFile(base_ + L".log");
    }
    CloseHandle(lock);
}

// Whatever the settings hold, a command line does its work and says nothing about them.
TEST_F(Program, ACommandLineWorksWithBadSettings) {
    Store(HKEY_CURRENT_USER, kOptionsKey, L"SwitchOff", L"abc");
    const std::uint64_t eight = 1;
    kvtest::StoreRaw(HKEY_CURRENT_USER, kPrgSettingsKey, L"DontShowUnloadDialog", REG_DWORD, &eight, 8);
    EXPECT_EQ(Run(L"/T:1"), 0u);
    EXPECT_EQ(Operations(), (Lines{L"OpenProcessToken", L"LookupPrivilegeValue", L"AdjustTokenPrivileges",
                                   L"CloseToken", L"ExitWindowsEx", L"Exit"}));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"SwitchOff").number, 0u);  // repaired
}

TEST_F(Program, CarriesItsVersionRecord) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(exe_.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe_.c_str(), 0, size, data.data()));
    wchar_t* product = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040704b0\\ProductName",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ(product, L"Kelvo Restart");
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), static_cast<WORD>(KV_VERSION_MAJOR));
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), static_cast<WORD>(KV_VERSION_MINOR));
}

}  // namespace
