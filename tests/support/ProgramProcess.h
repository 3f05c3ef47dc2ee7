#pragma once
// KVRestartTest.exe run as a process of the test prefix: the program itself, with the
// recording session control and a message-box seam that logs each box and answers from
// KVRestartTest.answers (see testbuild/KVRestartTestMain.cpp). What a run did is read from
// KVRestartTest.log, the registry and boot.ini; its windows are found by their process.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "Waiting.h"

namespace kvtest {

using Lines = std::vector<std::wstring>;

inline constexpr DWORD kTimeoutMs = 60000;
inline const std::wstring kDialogCaption = L"Parameterinfo - Kelvo Restart";

inline std::wstring TestBuildPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path = path.substr(0, path.find_last_of(L'\\') + 1) + KV_TESTBUILD_RELATIVE;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    wchar_t full[MAX_PATH];
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

inline std::wstring Widen(const std::string& s) {
    std::wstring w(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0)),
                   L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), static_cast<int>(w.size()));
    return w;
}

// The operation of a log line: the text before "(".
inline std::wstring OperationOf(const std::wstring& line) { return line.substr(0, line.find(L'(')); }

class Program : public FreshProfileTest {
protected:
    void SetUp() override {
        FreshProfileTest::SetUp();
        exe_ = TestBuildPath();
        ASSERT_TRUE(kvtest::FileExists(exe_)) << "test build missing";
        base_ = exe_.substr(0, exe_.size() - 4);
        kvtest::RemoveFile(base_ + L".log");
        kvtest::RemoveFile(base_ + L".answers");
        trayBaseline_ = TrayIconCount();
    }
    void TearDown() override {
        if (process_) {
            TerminateProcess(process_, 99);
            CloseHandle(process_);
        }
        kvtest::RemoveFile(base_ + L".log");
        kvtest::RemoveFile(base_ + L".answers");
        FreshProfileTest::TearDown();
    }

    void Answers(const std::string& lines) { kvtest::WriteFileText(base_ + L".answers", lines); }

    // Starts the program with exactly this text after its quoted name.
    void Start(const std::wstring& arguments) {
        std::wstring line = L"\"" + exe_ + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessW(exe_.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &info))
            << GetLastError();
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
        threadId_ = info.dwThreadId;
    }

    // The exit code once the program has ended by itself.
    DWORD WaitForEnd() {
        DWORD waited = WaitForSingleObject(process_, kTimeoutMs);
        EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end";
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        if (waited != WAIT_OBJECT_0) TerminateProcess(process_, 99);
        CloseHandle(process_);
        process_ = nullptr;
        return code;
    }

    DWORD Run(const std::wstring& arguments) {
        Start(arguments);
        return process_ ? WaitForEnd() : 99;
    }

    Lines Log() const {
        std::string bytes = kvtest::ReadFileText(base_ + L".log");
        Lines lines;
        std::istringstream in(bytes);
        for (std::string line; std::getline(in, line);) lines.push_back(Widen(line));
        return lines;
    }
    Lines Operations() const {
        Lines ops;
        for (const std::wstring& line : Log()) ops.push_back(OperationOf(line));
        return ops;
    }

    // The started program's dialog with the caption, once it is shown (nullptr after the timeout).
    HWND FindDialog(const std::wstring& caption = kDialogCaption, DWORD timeout = kTimeoutMs) const {
        return WaitForDialog(caption.c_str(), processId_, timeout);
    }

    // A left click in the middle of the control, delivered to the control itself: the
    // display may be shared with windows of other prefixes, which the pointer could hit.
    static void Click(HWND control) {
        RECT r;
        GetClientRect(control, &r);
        LPARAM middle = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageW(control, WM_LBUTTONUP, 0, middle);
    }

    // The main window of a process (its window class), once it exists and, if asked, is
    // visible; nullptr after the timeout. A window other than hwndNot, when given.
    static HWND FindMainWindow(DWORD pid, bool blnVisible, HWND hwndNot = nullptr, DWORD timeout = kTimeoutMs) {
        struct Search {
            DWORD pid;
            bool visible;
            HWND not_;
            HWND found;
        };
        Search search{pid, blnVisible, hwndNot, nullptr};
        WaitUntil([&] {
            EnumWindows(
                [](HWND hwnd, LPARAM lParam) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(lParam);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(hwnd, &owner);
                    wchar_t name[32] = {};
                    GetClassNameW(hwnd, name, 32);
                    if (owner != s->pid || lstrcmpW(name, L"KVRestartMain") != 0 || hwnd == s->not_) return TRUE;
                    if (s->visible && !IsWindowVisible(hwnd)) return TRUE;
                    s->found = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        }, timeout);
        return search.found;
    }

    // The icons in the notification area of the prefix. Wine shows each as a window of its
    // own (an icon's owner and id cannot be asked for across processes there); the tests of
    // the prefix that add icons run one at a time.
    static int TrayIconCount() {
        int count = 0;
        auto countIn = [&](HWND parent) {
            for (HWND icon = FindWindowExW(parent, nullptr, L"__winex11_tray_icon", nullptr); icon;
                 icon = FindWindowExW(parent, icon, L"__winex11_tray_icon", nullptr))
                ++count;
        };
        countIn(nullptr);
        for (HWND tray = FindWindowExW(nullptr, nullptr, L"__winex11_standalone_tray", nullptr); tray;
             tray = FindWindowExW(nullptr, tray, L"__winex11_standalone_tray", nullptr))
            countIn(tray);
        return count;
    }
    // Waits until the program's icons (beyond those there when the test began) number n.
    bool WaitForTrayIcons(int n, DWORD timeout = 20000) const {
        return WaitUntil([&] { return TrayIconCount() - trayBaseline_ == n; }, timeout, 200);
    }

    // Starts the resident program and waits for its main window and tray icon.
    HWND StartResident() {
        Start(L"");
        if (!process_) return nullptr;
        HWND main = FindMainWindow(processId_, false);
        EXPECT_TRUE(main) << "no main window";
        EXPECT_TRUE(WaitForTrayIcons(1)) << "no tray icon";
        return main;
    }
    // The settings that make a start quick and quiet: no first run, no splash.
    static void KnownProfile() {
        Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"RunFirstTime", 0);
        Store(HKEY_CURRENT_USER, kOptionsKey, L"ShowSplash", 0);
    }
    bool Logged(const std::wstring& operation) const {
        const Lines ops = Operations();
        return std::find(ops.begin(), ops.end(), operation) != ops.end();
    }
    // Waits until the log holds a call of operation.
    bool WaitForLogLine(const std::wstring& operation, DWORD timeout = 20000) const {
        return WaitUntil([&] { return Logged(operation); }, timeout, 100);
    }

    // Ends the resident program as a quit message to its thread does.
    void PostQuit() const { PostThreadMessageW(threadId_, WM_QUIT, 0, 0); }
    bool StillRunning() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

    void ExpectNothingWritten(const std::string& bootIni) const {
        EXPECT_FALSE(kvtest::KeyExists(HKEY_CURRENT_USER, kCompanyKey)) << "settings were written";
        EXPECT_EQ(kvtest::ReadFileText(kBootIni), bootIni);
    }

    std::wstring exe_;
    std::wstring base_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    int trayBaseline_ = 0;
};

}  // namespace kvtest
