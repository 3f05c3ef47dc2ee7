// clsExecute against real processes in the test prefix: the tests start ExitWith.exe (built
// next to this test), cmd.exe and batch files, and open documents through the shell.
#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "KVError.h"
#include "clsExecute.h"

using kv::clsExecute;

namespace {

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::wstring ExitWith() { return OwnFolder() + L"kv_exitwith.exe"; }

std::wstring SystemFolder() {
    wchar_t path[MAX_PATH];
    UINT n = GetSystemDirectoryW(path, MAX_PATH);
    return std::wstring(path, n) + L"\\";
}

std::wstring ReadReport(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"";
    std::wstring text(4096, L'\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    text.resize(read / sizeof(wchar_t));
    return text;
}

bool WaitForFile(const std::wstring& path, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(50);
    }
    return false;
}

// A fresh folder below %TEMP% for each test, removed afterwards.
class ExecuteTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"kvexec" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                  std::to_wstring(counter_++) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    }
    void TearDown() override {
        std::wstring pattern = folder_ + L"*";
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW(pattern.c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileW((folder_ + found.cFileName).c_str());
            } while (FindNextFileW(h, &found));
            FindClose(h);
        }
        RemoveDirectoryW(folder_.c_str());
    }
    void Put(const std::wstring& name, const std::string& content) {
        HANDLE file = CreateFileW((folder_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }

    std::wstring folder_;
    static inline int counter_ = 0;
};

long ErrorOf(const std::function<void()>& action, std::wstring* description = nullptr) {
    try {
        action();
    } catch (const kv::KVError& e) {
        if (description) *description = e.Description;
        return e.Number;
    }
    return 0;
}

}  // namespace

TEST_F(ExecuteTest, FreshObject_HasSpecifiedState_AndExitCodeNeedsAWaitMode) {
    clsExecute ex;
    EXPECT_EQ(ex.WaitMode(), kv::conSWM_NoWait);
    EXPECT_EQ(ex.ViewMode(), kv::conSVN_Normal);
    EXPECT_EQ(ex.Left(), -1);
    EXPECT_EQ(ex.Top(), -1);
    EXPECT_EQ(ex.Width(), -1);
    EXPECT_EQ(ex.Height(), -1);
    EXPECT_TRUE(ex.Program().empty());

    std::wstring description;
    EXPECT_EQ(ErrorOf([&] { ex.ExitCode(); }, &description), -52010);
    EXPECT_EQ(description,
              L"Um diese Eigenschaft \"Exitcode\" zu verwenden darf \"WaitMode\" nicht auf \"NoWait\" "
              L"gesetzt sein. @@@ clsExecute_ExitCode @@@ KVFiles");
    ex.WaitMode(kv::conSWM_Wait);
    EXPECT_EQ(ex.ExitCode(), 0);
}

TEST_F(ExecuteTest, WaitModes_ReturnTheExitCodeOfCmd) {
    clsExecute ex;
    ex.ViewMode(kv::conSVN_Hide);
    for (auto mode : {kv::conSWM_Wait, kv::conSWM_WaitDead}) {
        ex.WaitMode(mode);
        ex.Run(SystemFolder() + L"cmd.exe", L"/c exit 3");
        EXPECT_EQ(ex.ExitCode(), 3) << "wait mode " << mode;
    }
}

TEST_F(ExecuteTest, NoWait_ReturnsAtOnce) {
    clsExecute ex;
    auto start = std::chrono::steady_clock::now();
    ex.Run(ExitWith(), L"0 3000");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    EXPECT_EQ(ErrorOf([&] { ex.ExitCode(); }), -52010);
}

TEST_F(ExecuteTest, ExitCode259_IsAnEndedProgramNotARunningOne) {
    clsExecute ex;
    ex.WaitMode(kv::conSWM_Wait);
    ex.Run(ExitWith(), L"259");
    EXPECT_EQ(ex.ExitCode(), 259);
}

TEST_F(ExecuteTest, Run_KeepsProgramAndParametersForTheNextCall) {
    clsExecute ex;
    ex.WaitMode(kv::conSWM_WaitDead);
    ex.Run(ExitWith(), L"11");
    EXPECT_EQ(ex.Program(), ExitWith());
    EXPECT_EQ(ex.Parameters(), L"11");
    ex.Run(ExitWith(), L"");  // empty parameters keep the stored ones
    EXPECT_EQ(ex.ExitCode(), 11);
    ex.Parameters(L"12");
    ex.Run();
    EXPECT_EQ(ex.ExitCode(), 12);
}

TEST_F(ExecuteTest, ProgramWithoutExtension_StartsTheExeOfThatName) {
    ASSERT_TRUE(CopyFileW(ExitWith().c_str(), (folder_ + L"kvprog.exe").c_str(), FALSE));
    clsExecute ex;
    ex.WaitMode(kv::conSWM_WaitDead);
    ex.Run(folder_ + L"kvprog", L"7");
    EXPECT_EQ(ex.ExitCode(), 7);
}

TEST_F(ExecuteTest, BatchFile_ReturnsItsExitCode) {
    Put(L"exit5.bat", "@exit /b 5\r\n");
    clsExecute ex;
    ex.WaitMode(kv::conSWM_WaitDead);
    ex.ViewMode(kv::conSVN_Hide);
    ex.Run(folder_ + L"exit5.bat");
    EXPECT_EQ(ex.ExitCode(), 5);
}

TEST_F(ExecuteTest, PathWithBlanks_StartsTheNamedProgramWithItsParameters) {
    std::wstring withBlanks = folder_ + L"my tool\\";
    ASSERT_TRUE(CreateDirectoryW(withBlanks.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(ExitWith().c_str(), (withBlanks + L"run me.exe").c_str(), FALSE));
    clsExecute ex;
    ex.WaitMode(kv::conSWM_Wait);
    ex.InitDir(folder_);
    ex.Run(withBlanks + L"run me.exe", L"9 0 report.txt");
    EXPECT_EQ(ex.ExitCode(), 9);
    // The report lands in the start folder and shows the program's own command line.
    std::wstring report = ReadReport(folder_ + L"report.txt");
    EXPECT_NE(report.find(folder_.substr(0, folder_.size() - 1) + L"\n"), std::wstring::npos) << report;
    EXPECT_NE(report.find(L"run me.exe\" 9 0 report.txt"), std::wstring::npos) << report;
    DeleteFileW((withBlanks + L"run me.exe").c_str());
    RemoveDirectoryW(withBlanks.c_str());
}

TEST_F(ExecuteTest, MissingOrEmptyProgram_RaisesTheComponentErrors) {
    clsExecute ex;
    std::wstring description;
    EXPECT_EQ(ErrorOf([&] { ex.Run(); }, &description), -52008);
    EXPECT_EQ(description, L"Programm zum Starten nicht angegeben. @@@ clsExecute_Run @@@ KVFiles");

    std::wstring missing = folder_ + L"nothere.exe";
    EXPECT_EQ(ErrorOf([&] { ex.Run(missing); }, &description), -52009);
    EXPECT_EQ(description, L"Programm oder Dokument \"" + missing + L"\" nicht gefunden. @@@ clsExecute_Run @@@ KVFiles");

    // Neither an extensionless name without a match, a folder, nor a wildcard names a program.
    EXPECT_EQ(ErrorOf([&] { ex.Run(folder_ + L"nothere"); }), -52009);
    EXPECT_EQ(ErrorOf([&] { ex.Run(folder_.substr(0, folder_.size() - 1)); }), -52009);
    ASSERT_TRUE(CopyFileW(ExitWith().c_str(), (folder_ + L"wild.exe").c_str(), FALSE));
    EXPECT_EQ(ErrorOf([&] { ex.Run(folder_ + L"w*.exe"); }), -52009);
}

TEST_F(ExecuteTest, FileThatCannotStart_Raises52011) {
    Put(L"broken.exe", "this is not a program");
    clsExecute ex;
    std::wstring description;
    EXPECT_EQ(ErrorOf([&] { ex.Run(folder_ + L"broken.exe"); }, &description), -52011);
    EXPECT_EQ(description.rfind(L"Fehler beim Starten von \"" + folder_ + L"broken.exe\".", 0), 0u) << description;
}

namespace {

// Counts the messages that reach a message-only window.
struct MessageCounter {
    static inline int received = 0;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_APP + 7) ++received;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    MessageCounter() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KVExecuteTestSink";
        RegisterClassW(&wc);
        hwnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        received = 0;
    }
    ~MessageCounter() {
        DestroyWindow(hwnd);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }
    HWND hwnd;
};

}  // namespace

TEST_F(ExecuteTest, Wait_DispatchesTheCallersMessages_WaitDeadDoesNot) {
    MessageCounter sink;
    ASSERT_TRUE(sink.hwnd);
    clsExecute ex;

    ex.WaitMode(kv::conSWM_WaitDead);
    PostMessageW(sink.hwnd, WM_APP + 7, 0, 0);
    ex.Run(ExitWith(), L"0 300");
    EXPECT_EQ(MessageCounter::received, 0);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(MessageCounter::received, 1);

    ex.WaitMode(kv::conSWM_Wait);
    PostMessageW(sink.hwnd, WM_APP + 7, 0, 0);
    ex.Run(ExitWith(), L"0 300");
    EXPECT_EQ(MessageCounter::received, 2);
}

TEST_F(ExecuteTest, Wait_HandsAQuitRequestBackToTheCallersLoop) {
    clsExecute ex;
    ex.WaitMode(kv::conSWM_Wait);
    PostQuitMessage(9);
    ex.Run(ExitWith(), L"1 200");
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
    EXPECT_EQ(static_cast<long>(si.dwXSize), -1);
    EXPECT_EQ(si.dwYSize, 200u);

    si = kv::StartupRecordFor(kv::conSVN_Normal, -1, -1, -1, -1);
    EXPECT_EQ(si.dwFlags, static_cast<DWORD>(STARTF_USESHOWWINDOW));
}

namespace {

// A document type of its own, opened by ExitWith.exe writing "<document>.opened".
class DocumentType {
public:
    DocumentType() {
        std::wstring command = L"\"" + ExitWith() + L"\" 0 0 \"%1.opened\"";
        Set(L"Software\\Classes\\.kvtestdoc", L"KVTest.Document");
        Set(L"Software\\Classes\\KVTest.Document\\shell\\open\\command", command);
    }
    ~DocumentType() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.kvtestdoc");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\KVTest.Document");
    }

private:
    static void Set(const wchar_t* key, const std::wstring& value) {
        HKEY h;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), ERROR_SUCCESS);
        RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(h);
    }
};

}  // namespace

TEST_F(ExecuteTest, Document_OpensWithItsAssociatedProgram_AndKeepsTheExitCode) {
    DocumentType type;
    Put(L"letter.kvtestdoc", "text");
    clsExecute ex;
    ex.WaitMode(kv::conSWM_Wait);
    ex.Run(ExitWith(), L"4");
    ASSERT_EQ(ex.ExitCode(), 4);

    ex.Parameters(L"");
    ex.Run(folder_ + L"letter.kvtestdoc");
    EXPECT_TRUE(WaitForFile(folder_ + L"letter.kvtestdoc.opened", 20));
    EXPECT_EQ(ex.ExitCode(), 4);
}

TEST_F(ExecuteTest, DocumentWithoutAssociation_RaisesTheShellResult) {
    Put(L"orphan.kvnoassoc", "text");
    clsExecute ex;
    std::wstring description;
    long number = ErrorOf([&] { ex.Run(folder_ + L"orphan.kvnoassoc"); }, &description);
    EXPECT_GT(number, 0);
    EXPECT_LT(number, 33);
    EXPECT_EQ(description.rfind(L"API: ", 0), 0u) << description;
}
