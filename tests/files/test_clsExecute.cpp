// clsExecute against real processes in the test prefix: ExitWith.exe (built next to this
// test), cmd.exe and batch files, and documents opened through the shell.
#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "ErrorCapture.h"
#include "clsExecute.h"

using kv::clsExecute;
using kv::test::Raised;
namespace fs = std::filesystem;

namespace {

std::wstring ExitWith() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).replace_filename(L"kv_exitwith.exe").wstring();
}

void SetDefaultValue(const std::wstring& key, const std::wstring& value) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// A fresh folder below %TEMP% for each test, removed afterwards.
class ExecuteTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder_); }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    void Put(const std::wstring& name, const std::string& content) {
        std::ofstream(fs::path(folder_ + name), std::ios::binary) << content;
    }

    const std::wstring folder_ =
        (fs::temp_directory_path() / (L"kvexec" + std::to_wstring(GetCurrentProcessId()))).wstring() + L"\\";
    clsExecute ex;
};

}  // namespace

TEST_F(ExecuteTest, ExitCode_NeedsAWaitMode_NoWaitReturnsAtOnce) {
    kv::KVError e = Raised([&] { ex.ExitCode(); });
    EXPECT_EQ(e.Number, -52010);
    EXPECT_EQ(e.Description, L"Um diese Eigenschaft \"Exitcode\" zu verwenden, darf \"WaitMode\" nicht auf \"NoWait\" "
                             L"gesetzt sein. @@@ clsExecute_ExitCode @@@ KVFiles");
    auto start = std::chrono::steady_clock::now();
    ex.Run(ExitWith(), L"0 3000");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    ex.WaitMode(kv::conSWM_Wait);
    EXPECT_EQ(ex.ExitCode(), 0);
}

TEST_F(ExecuteTest, WaitModes_ReturnTheExitCode_OfExeBatchAndNameWithoutExtension) {
    ASSERT_TRUE(CopyFileW(ExitWith().c_str(), (folder_ + L"kvprog.exe").c_str(), FALSE));
    Put(L"exit5.bat", "@exit /b 5\r\n");
    struct Case {
        std::wstring program, parameters;
        kv::enuSysWaitMode mode;
        long exitCode;
    } cases[] = {
        {L"%SystemRoot%\\system32\\cmd.exe", L"/c exit 3", kv::conSWM_Wait, 3},
        {L"%SystemRoot%\\system32\\cmd.exe", L"/c exit 3", kv::conSWM_WaitDead, 3},
        {ExitWith(), L"259", kv::conSWM_Wait, 259},  // an ended program, not a running one
        {folder_ + L"kvprog", L"7", kv::conSWM_WaitDead, 7},
        {folder_ + L"exit5.bat", L"", kv::conSWM_WaitDead, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.program + L" " + c.parameters));
        wchar_t program[MAX_PATH];
        ExpandEnvironmentStringsW(c.program.c_str(), program, MAX_PATH);
        clsExecute run;
        run.ViewMode(kv::conSVN_Hide);
        run.WaitMode(c.mode);
        run.Run(program, c.parameters);
        EXPECT_EQ(run.ExitCode(), c.exitCode);
    }
}

TEST_F(ExecuteTest, Run_KeepsProgramAndParametersForTheNextCall) {
    ex.WaitMode(kv::conSWM_WaitDead);
    ex.Run(ExitWith(), L"11");
    ex.Run(ExitWith(), L"");  // empty parameters keep the stored ones
    EXPECT_EQ(ex.ExitCode(), 11);
    ex.Parameters(L"12");
    ex.Run();
    EXPECT_EQ(ex.ExitCode(), 12);
    EXPECT_EQ(ex.Program(), ExitWith());
}

TEST_F(ExecuteTest, PathWithBlanks_StartsTheNamedProgramWithItsParameters_InTheStartFolder) {
    fs::create_directory(folder_ + L"my tool");
    ASSERT_TRUE(CopyFileW(ExitWith().c_str(), (folder_ + L"my tool\\run me.exe").c_str(), FALSE));
    ex.WaitMode(kv::conSWM_Wait);
    ex.InitDir(folder_);
    ex.Run(folder_ + L"my tool\\run me.exe", L"9 0 report.txt");
    EXPECT_EQ(ex.ExitCode(), 9);
    // The report lands in the start folder and shows the program's own command line.
    std::ifstream in(fs::path(folder_ + L"report.txt"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring report(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    EXPECT_NE(report.find(folder_.substr(0, folder_.size() - 1) + L"\n"), std::wstring::npos) << report;
    EXPECT_NE(report.find(L"run me.exe\" 9 0 report.txt"), std::wstring::npos) << report;
}

TEST_F(ExecuteTest, Failures_RaiseTheComponentErrors) {
    ASSERT_TRUE(CopyFileW(ExitWith().c_str(), (folder_ + L"wild.exe").c_str(), FALSE));
    Put(L"broken.exe", "this is not a program");
    const std::wstring missing = folder_ + L"nothere.exe", chain = L" @@@ clsExecute_Run @@@ KVFiles";
    struct Case {
        std::wstring program;
        long number;
        std::wstring description;  // its start
    } cases[] = {
        {L"", -52008, L"Programm zum Starten nicht angegeben." + chain},
        {missing, -52009, L"Programm oder Dokument \"" + missing + L"\" nicht gefunden." + chain},
        // Neither an extensionless name without a match, a folder, nor a wildcard names a program.
        {folder_ + L"nothere", -52009, L"Programm oder Dokument"},
        {folder_.substr(0, folder_.size() - 1), -52009, L"Programm oder Dokument"},
        {folder_ + L"w*.exe", -52009, L"Programm oder Dokument"},
        {folder_ + L"broken.exe", -52011, L"Fehler beim Starten von \"" + folder_ + L"broken.exe\"."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.program));
        kv::KVError e = Raised([&] { clsExecute().Run(c.program); });
        EXPECT_EQ(e.Number, c.number);
        EXPECT_TRUE(kv::test::StartsWith(e.Description, c.description)) << testing::PrintToString(e.Description);
    }
    // A document without an associated program: the shell's result and its system message.
    Put(L"orphan.kvnoassoc", "text");
    kv::KVError e = Raised([&] { ex.Run(folder_ + L"orphan.kvnoassoc"); });
    EXPECT_TRUE(e.Number > 0 && e.Number < 33) << e.Number;
    EXPECT_TRUE(kv::test::StartsWith(e.Description, L"API: ")) << testing::PrintToString(e.Description);
}

TEST_F(ExecuteTest, Wait_DispatchesTheCallersMessagesAndHandsAQuitBack_WaitDeadBlocks) {
    HWND window = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);  // destroys the window once it is dispatched
    ex.WaitMode(kv::conSWM_WaitDead);
    ex.Run(ExitWith(), L"0 300");
    EXPECT_TRUE(IsWindow(window));
    ex.WaitMode(kv::conSWM_Wait);
    PostQuitMessage(9);
    ex.Run(ExitWith(), L"1 300");
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ex.ExitCode(), 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST(StartupRecord, PositionAndSizeOnlyWhenGiven) {
    STARTUPINFOW si = kv::StartupRecordFor(kv::conSVN_Minimized, 100, -1, -1, -1);
    EXPECT_EQ(si.cb, sizeof si);
    EXPECT_EQ(si.dwFlags, static_cast<DWORD>(STARTF_USESHOWWINDOW | STARTF_USEPOSITION));
    EXPECT_EQ(si.wShowWindow, kv::conSVN_Minimized);
    EXPECT_EQ(static_cast<long>(si.dwX), 100);
    EXPECT_EQ(static_cast<long>(si.dwY), -1);
    si = kv::StartupRecordFor(kv::conSVN_Hide, -1, -1, -1, 200);
    EXPECT_EQ(si.dwFlags, static_cast<DWORD>(STARTF_USESHOWWINDOW | STARTF_USESIZE));
    EXPECT_EQ(si.dwYSize, 200u);
    si = kv::StartupRecordFor(kv::conSVN_Normal, -1, -1, -1, -1);
    EXPECT_EQ(si.dwFlags, static_cast<DWORD>(STARTF_USESHOWWINDOW));
}

TEST_F(ExecuteTest, Document_OpensWithItsAssociatedProgram_AndKeepsTheExitCode) {
    SetDefaultValue(L"Software\\Classes\\.kvtestdoc", L"KVTest.Document");
    SetDefaultValue(L"Software\\Classes\\KVTest.Document\\shell\\open\\command",
                    L"\"" + ExitWith() + L"\" 0 0 \"%1.opened\"");  // writes "<document>.opened"
    Put(L"letter.kvtestdoc", "text");
    ex.WaitMode(kv::conSWM_Wait);
    ex.Run(ExitWith(), L"4");
    ex.Parameters(L"");
    ex.Run(folder_ + L"letter.kvtestdoc");
    int waited = 0;
    while (!fs::exists(folder_ + L"letter.kvtestdoc.opened") && waited++ < 400) Sleep(50);
    EXPECT_TRUE(fs::exists(folder_ + L"letter.kvtestdoc.opened"));
    EXPECT_EQ(ex.ExitCode(), 4);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.kvtestdoc");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\KVTest.Document");
}
