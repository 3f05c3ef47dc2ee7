// The automatic version check of the resident program (its test build, as a process of the
// test prefix) against the local version server: the dialog comes up with the result, and
// closing it keeps the check on.
#include "ProgramProcess.h"
#include "VersionServer.h"
#include "ui/info/frmVersionCheck.h"

using kvr::frmVersionCheck;
using kvtest::kPrgSettingsKey;
using kvtest::Store;
using kvtest::Stored;

namespace {

class StartupCheck : public kvtest::Program {
protected:
    static void SetUpTestSuite() { server_.Start(); }
    static void TearDownTestSuite() { server_.Stop(); }

    // An edit field of another process answers only WM_GETTEXT itself.
    static std::wstring FieldText(HWND dialog, int id) {
        wchar_t text[512] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(GetDlgItem(dialog, id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            5000, &length);
        return text;
    }

    static kvtest::VersionServer server_;
};

kvtest::VersionServer StartupCheck::server_;

TEST_F(StartupCheck, NewerVersion_DialogShowsIt_ClosingKeepsTheCheckOn) {
    // Without the splash screen, the check's dates are the program's first date conversions.
    KnownProfile();
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"CheckVersionOnStartup", 1);
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"CheckVersionServer", server_.Address(L"newer"));
    ASSERT_TRUE(StartResident());

    HWND dialog = FindDialog(L"Versionsprüfung - Kelvo Restart", 20000);
    ASSERT_TRUE(dialog) << "no version-check dialog";
    // The visible check has ended when it shows its result (the dialog may be found before it began).
    kvtest::WaitUntil([&] {
        const std::wstring info = FieldText(dialog, frmVersionCheck::txtInfo);
        return !info.empty() && info != L"Noch keine Prüfung durchgeführt." && info != L"Bitte warten. Prüfe...";
    }, 10000, 100);
    EXPECT_EQ(FieldText(dialog, frmVersionCheck::txtInfo), L"Es ist eine neuere Version verfügbar.");
    EXPECT_EQ(FieldText(dialog, frmVersionCheck::txtNewVersion).rfind(L"2.6 Build 0  (", 0), 0u);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, frmVersionCheck::cmdDownload)));
    EXPECT_EQ(server_.Requests(L"newer"), 2) << "the silent check and the visible one";
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"CheckVersionLastInfo").text, L"Neue Zeitsteuerung");

    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(frmVersionCheck::cmdCancel, BN_CLICKED), 0);
    EXPECT_TRUE(kvtest::WaitUntil([&] { return !IsWindow(dialog); }, 10000, 100)) << "the dialog stayed";
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"CheckVersionOnStartup").number, 1u);
    EXPECT_TRUE(Log().empty()) << "no message";
}

}  // namespace
