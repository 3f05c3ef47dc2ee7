// The version check against a real web server on this machine (version_server.py): the
// check with its attempts, the dialog in each state with cancel and close, and the automatic
// check at start-up.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "AppTestSupport.h"
#include "CliTestSupport.h"
#include "RecordingMessageBox.h"
#include "TempFolder.h"
#include "VersionServer.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "ui/frmTaskbarDummy.h"
#include "ui/info/frmVersionCheck.h"
#include "update/basVersionCheck.h"

namespace {

using kvr::frmVersionCheck;
using Clock = std::chrono::steady_clock;

constexpr const wchar_t* conHttpHandlerKey = L"Software\\Classes\\http\\shell\\open\\command";

class VersionCheck : public kvtest::ProgramTest {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        server_.Start();
    }
    static void TearDownTestSuite() { server_.Stop(); }

    void SetUp() override {
        ProgramTest::SetUp();
        RegDeleteTreeW(HKEY_CURRENT_USER, kvtest::kCompanyKey.c_str());
        kvr::VersionGlobal().InfoMajorVersion(2);
        kvr::VersionGlobal().InfoMinorVersion(5);
        kvr::VersionGlobal().InfoBuild(10);
    }
    void TearDown() override {
        kvr::UnloadVersioncheck();
        kvr::UnloadTaskbarDummy();
        ProgramTest::TearDown();
    }

    static void Serve(const std::wstring& strCase) {
        kvr::WriteSetting(L"CheckVersionServer", kvr::conSG_PrgSettings, kv::Variant(server_.Address(strCase)));
    }
    static void Setting(const wchar_t* name, const kv::Variant& value) {
        kvr::WriteSetting(name, kvr::conSG_PrgSettings, value);
    }
    static kv::Variant Stored(const wchar_t* name) {
        return kvr::ReadSetting(name, kvr::conSG_PrgSettings, kv::Variant());
    }

    static HWND Dialog() { return kvr::VersionCheckForm().Handle(); }
    static std::wstring Text(int id) {
        wchar_t text[512] = {};
        GetDlgItemTextW(Dialog(), id, text, 512);
        return text;
    }
    static bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(Dialog(), id)) != FALSE; }

    // Runs the check button's action; a second thread presses `button` once the server has
    // the request (bounded). Answers how long the action went on after the press.
    static Clock::duration PressWhileChecking(int button) {
        const int asked = server_.Requests(L"silent");
        const HWND dialog = Dialog();
        Clock::time_point pressed = Clock::now() + std::chrono::hours(1);
        std::thread user([&] {
            for (int i = 0; i < 250 && server_.Requests(L"silent") <= asked; ++i) Sleep(20);
            pressed = Clock::now();
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        kvr::CheckVersionDialog();
        const Clock::time_point returned = Clock::now();
        user.join();
        EXPECT_EQ(server_.Requests(L"silent") - asked, 1) << "a cancelled check makes no further attempt";
        return returned - pressed;
    }

    static kvtest::VersionServer server_;
    kvtest::SavedKeyTree settings_{kvtest::kCompanyKey};
};

kvtest::VersionServer VersionCheck::server_;

TEST_F(VersionCheck, VersionFileOfTheServer_ComparedWithTheProgramsOwn) {
    struct Case {
        const wchar_t* name;
        bool newer;
        const wchar_t* version;
        const wchar_t* info;
    } cases[] = {
        {L"newer", true, L"2.6 Build 0", L"Neue Zeitsteuerung"},
        {L"current", false, L"2.4 Build 99", L"Alles beim Alten"},
        {L"equal", false, L"2.5 Build 10", L"Gleicher Stand"},
        {L"olderminor", false, L"1.9 Build 500", L"Alte Reihe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        Serve(c.name);
        const int before = server_.Requests(c.name);
        bool newer = !c.newer;
        std::wstring version, info;
        EXPECT_FALSE(kvr::CheckVersion(newer, version, info));
        EXPECT_EQ(newer, c.newer);
        EXPECT_EQ(version.rfind(std::wstring(c.version) + L"  (", 0), 0u) << version;
        EXPECT_EQ(version.back(), L')');
        EXPECT_EQ(info, c.info);
        EXPECT_EQ(server_.Requests(c.name) - before, 1) << "one attempt is enough";
    }
}

TEST_F(VersionCheck, AnswerThatIsNoVersionFile_AskedThreeTimes_ThenFailed) {
    struct Case {
        const wchar_t* name;
        const wchar_t* error;
    } cases[] = {
        {L"nomark", L""},                 // another program's file
        {L"missing", L"404: Not Found"},  // no file
        {L"huge", L""},                   // 10 MB that start like the newer version's file
    };
    kvtest::RecordingMessageBox boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        Serve(c.name);
        const int before = server_.Requests(c.name);
        bool newer = true;
        std::wstring version = L"kept", info = L"kept";
        EXPECT_TRUE(kvr::CheckVersion(newer, version, info));
        EXPECT_FALSE(newer);
        EXPECT_EQ(version, L"kept");
        EXPECT_EQ(server_.Requests(c.name) - before, 3);
        EXPECT_EQ(kvr::TransferErrorText(), c.error);
    }
    EXPECT_TRUE(boxes.shown.empty()) << "a failed transfer is no error to show";
}

TEST_F(VersionCheck, MalformedVersionFile_ShownAsError_CheckFailed) {
    kvtest::RecordingMessageBox boxes;
    Serve(L"malformed");
    bool newer = true;
    std::wstring version, info;
    EXPECT_TRUE(kvr::CheckVersion(newer, version, info));
    EXPECT_FALSE(newer);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(L"Die Versionsdatei ist ungültig"), std::wstring::npos) << boxes.shown[0].text;
}

TEST_F(VersionCheck, Dialog_ShowsEachResult_DownloadOnlyForANewerVersion) {
    Setting(L"CheckVersionOnStartup", kv::Variant(true));
    kvr::OpenVersionCheck();
    ASSERT_TRUE(Dialog());
    EXPECT_TRUE(IsWindowVisible(Dialog()));
    EXPECT_EQ(GetWindow(Dialog(), GW_OWNER), kvr::TaskbarDummy()) << "its taskbar button is the taskbar window's";
    EXPECT_TRUE(IsWindowVisible(kvr::TaskbarDummy()));
    wchar_t caption[128] = {};
    GetWindowTextW(Dialog(), caption, 128);
    EXPECT_STREQ(caption, L"Versionsprüfung - Kelvo Restart");
    EXPECT_EQ(Text(frmVersionCheck::txtOldVersion).rfind(L"2.5 Build 010  (", 0), 0u);
    EXPECT_EQ(Text(frmVersionCheck::txtNewVersion), L"?");
    EXPECT_EQ(Text(frmVersionCheck::txtInfo), L"Noch keine Prüfung durchgeführt.");
    EXPECT_FALSE(Enabled(frmVersionCheck::cmdDownload));
    EXPECT_EQ(IsDlgButtonChecked(Dialog(), frmVersionCheck::chkCheckVersionOnStartup), BST_CHECKED);

    Serve(L"newer");
    kvr::CheckVersionDialog();
    EXPECT_EQ(Text(frmVersionCheck::txtInfo), L"Es ist eine neuere Version verfügbar.");
    EXPECT_EQ(Text(frmVersionCheck::txtNewVersion).rfind(L"2.6 Build 0  (", 0), 0u);
    EXPECT_EQ(Text(frmVersionCheck::txtAdditionalInfo), L"");
    EXPECT_TRUE(Enabled(frmVersionCheck::cmdDownload));
    EXPECT_EQ(Text(frmVersionCheck::cmdCheck), L"&Prüfen");

    // "&Herunterladen": the shell opens the server's setup address with the "http" handler,
    // here a program that writes down what it was given.
    {
        kvtest::RegistrySnapshot handler({{HKEY_LOCAL_MACHINE, conHttpHandlerKey, L""}});
        kvtest::TempFolder folder(L"kv-download");
        const std::wstring recorded = folder / L"download.txt";
        kvtest::Store(HKEY_LOCAL_MACHINE, conHttpHandlerKey, L"",
                      L"\"" + std::wstring(KV_RECORDER) + L"\" \"" + recorded + L"\" \"%1\"");
        SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(frmVersionCheck::cmdDownload, BN_CLICKED), 0);
        EXPECT_EQ(kvtest::WaitForFileText(recorded, 10000),
                  "http://127.0.0.1:" + std::to_string(server_.Port()) + "/newer/download/kelvorestart/KelvoRestartSetup.exe");
    }

    Serve(L"equal");
    kvr::CheckVersionDialog();
    EXPECT_EQ(Text(frmVersionCheck::txtInfo), L"Sie verwenden bereits die aktuellste Version.");
    EXPECT_EQ(Text(frmVersionCheck::txtAdditionalInfo), L"Gleicher Stand");
    EXPECT_FALSE(Enabled(frmVersionCheck::cmdDownload));

    Serve(L"missing");
    kvr::CheckVersionDialog();
    EXPECT_EQ(Text(frmVersionCheck::txtInfo), L"404: Not Found");
    EXPECT_EQ(Text(frmVersionCheck::txtNewVersion).rfind(L"2.5 Build 10  (", 0), 0u) << "kept from the last check";

    // Closed with the box cleared: the setting follows it, the taskbar button goes.
    CheckDlgButton(Dialog(), frmVersionCheck::chkCheckVersionOnStartup, BST_UNCHECKED);
    SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(frmVersionCheck::cmdCancel, BN_CLICKED), 0);
    EXPECT_FALSE(Dialog());
    EXPECT_FALSE(IsWindowVisible(kvr::TaskbarDummy()));
    EXPECT_EQ(Stored(L"CheckVersionOnStartup").ToLong(), 0);
}

TEST_F(VersionCheck, ServerThatNeverAnswers_CancelAndClose_EndTheCheckAtOnce) {
    kvtest::RecordingMessageBox boxes;
    Serve(L"silent");
    kvr::OpenVersionCheck();
    ASSERT_TRUE(Dialog());

    EXPECT_LT(PressWhileChecking(frmVersionCheck::cmdCheck), std::chrono::seconds(1));
    EXPECT_EQ(Text(frmVersionCheck::txtInfo), L"Prüfung abgebrochen.");
    EXPECT_EQ(Text(frmVersionCheck::cmdCheck), L"&Prüfen");
    EXPECT_FALSE(kvr::VersionCheckForm().Checking());

    // Wine takes two seconds to take a window off an X server without a window manager.
    EXPECT_LT(PressWhileChecking(frmVersionCheck::cmdCancel), std::chrono::seconds(3));
    EXPECT_FALSE(Dialog()) << "Schließen closes the dialog during a check";
    EXPECT_EQ(Stored(L"CheckVersionOnStartup").ToLong(), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(VersionCheck, AutomaticCheck_OpensTheDialogOnlyForSomethingNew_AndStaysOn) {
    struct Case {
        bool on;
        const wchar_t* name;
        const wchar_t* lastInfo;
        int requests;          // the silent check and the dialog's visible one
        const wchar_t* shown;  // the dialog's status line, nullptr when no dialog
        const wchar_t* keptInfo;
    } cases[] = {
        {false, L"newer", L"", 0, nullptr, L""},
        {true, L"equal", L"Gleicher Stand", 1, nullptr, L"Gleicher Stand"},
        {true, L"equal", L"Früherer Hinweis", 2, L"Sie verwenden bereits die aktuellste Version.", L"Gleicher Stand"},
        {true, L"newer", L"Neue Zeitsteuerung", 2, L"Es ist eine neuere Version verfügbar.", L"Neue Zeitsteuerung"},
        {true, L"missing", L"", 3, nullptr, L""},
    };
    kvtest::RecordingMessageBox boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << (c.on ? " on" : " off") << ", last info " << c.lastInfo);
        Serve(c.name);
        Setting(L"CheckVersionOnStartup", kv::Variant(c.on));
        Setting(L"CheckVersionLastInfo", kv::Variant(std::wstring(c.lastInfo)));
        const int before = server_.Requests(c.name);

        kvr::CheckVersionStartup();
        EXPECT_EQ(server_.Requests(c.name) - before, c.requests);
        EXPECT_EQ(Stored(L"CheckVersionLastInfo").ToString(), c.keptInfo);
        if (!c.shown) {
            EXPECT_FALSE(Dialog());
            continue;
        }
        ASSERT_TRUE(Dialog());
        EXPECT_TRUE(IsWindowVisible(Dialog()));
        EXPECT_EQ(Text(frmVersionCheck::txtInfo), c.shown);
        SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(frmVersionCheck::cmdCancel, BN_CLICKED), 0);
        EXPECT_FALSE(Dialog());
        EXPECT_EQ(Stored(L"CheckVersionOnStartup").ToLong(), 1) << "closing keeps the automatic check on";
    }
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
