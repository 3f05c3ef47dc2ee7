// KVRestartTest.exe run as a process of the test prefix: the program itself, with the
// recording session control and a message-box seam that logs each box and answers from
// KVRestartTest.answers (see testbuild/KVRestartTestMain.cpp). What a run did is read from
// KVRestartTest.log, the registry and boot.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "CliTestSupport.h"

using kvtest::kBootIni;
using kvtest::kCompanyKey;
using kvtest::kOptionsKey;
using kvtest::kPrgSettingsKey;
using kvtest::Store;
using kvtest::Stored;

namespace {

using Lines = std::vector<std::wstring>;

constexpr DWORD kTimeoutMs = 60000;
const std::wstring kDialogCaption = L"Parameterinfo - Kelvo Restart";

std::wstring TestBuildPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path = path.substr(0, path.find_last_of(L'\\') + 1) + KV_TESTBUILD_RELATIVE;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    wchar_t full[MAX_PATH];
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::wstring Widen(const std::string& s) {
    std::wstring w(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0)),
                   L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), static_cast<int>(w.size()));
    return w;
}

// The operation of a log line: the text before "(".
std::wstring OperationOf(const std::wstring& line) { return line.substr(0, line.find(L'(')); }

class Program : public kvtest::FreshProfileTest {
protected:
    void SetUp() override {
        FreshProfileTest::SetUp();
        exe_ = TestBuildPath();
        ASSERT_TRUE(kvtest::FileExists(exe_)) << "test build missing";
        base_ = exe_.substr(0, exe_.size() - 4);
        kvtest::RemoveFile(base_ + L".log");
        kvtest::RemoveFile(base_ + L".answers");
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

    // The parameter dialog of the started program, once it is shown (nullptr after the timeout).
    HWND FindParameterDialog() const {
        for (DWORD waited = 0; waited < kTimeoutMs; waited += 100) {
            HWND dialog = FindWindowW(L"#32770", kDialogCaption.c_str());
            DWORD owner = 0;
            if (dialog) GetWindowThreadProcessId(dialog, &owner);
            if (dialog && owner == processId_ && IsWindowVisible(dialog)) return dialog;
            Sleep(100);
        }
        return nullptr;
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

    static std::wstring TextOf(HWND window) {
        wchar_t text[1024] = {};
        GetWindowTextW(window, text, 1024);
        return text;
    }

    void ExpectNothingWritten(const std::string& bootIni) const {
        EXPECT_FALSE(kvtest::KeyExists(HKEY_CURRENT_USER, kCompanyKey)) << "settings were written";
        EXPECT_EQ(kvtest::ReadFileText(kBootIni), bootIni);
    }

    std::wstring exe_;
    std::wstring base_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

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
    HWND dialog = FindParameterDialog();
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
    HWND dialog = FindParameterDialog();
    ASSERT_TRUE(dialog) << "no parameter dialog";
    PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(dialog, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_EQ(WaitForEnd(), 0u);
    EXPECT_EQ(Log(), (Lines{L"Exit(0)"}));
    ExpectNothingWritten("");
}

TEST_F(Program, ConfirmationAloneDoesNothingAndEnds) {
    EXPECT_EQ(Run(L"/C"), 0u);
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

TEST_F(Program, TypeFourRunsTheStartupRulesWithoutAskingOrActing) {
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"RunFirstTime", 0);
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"DontShowUnloadDialog", 1);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeActionType", 1);
    EXPECT_EQ(Run(L"/T:4 /C /F"), 0u);
    EXPECT_EQ(Log(), (Lines{L"Exit(0)"}));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"TimeActionType").number, 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"DontShowUnloadDialog").number, 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kRunKey, L"Kelvo Restart").type, 0u);  // no first run
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
