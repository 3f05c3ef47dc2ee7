// The information dialog, shown for real: its labels for each combination of properties,
// the credits button, and the hidden animation started by clicking fast enough (and not
// when too slow), through the credits to the unlocked "&Credits".
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "DialogDriver.h"
#include "ErrorCapture.h"
#include "UserRegistry.h"
#include "clsInfoDialog.h"
#include "clsPersonalData.h"
#include "clsVersionGlobal.h"
#include "frmInfoDialog.h"

using namespace kvtest;
using kv::frmInfoDialog;

namespace {

std::wstring Label(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }
bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

// A file last written on 6 May 2004, noon local time.
std::wstring DatedFile() {
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"kvi", 0, path);
    SYSTEMTIME local{2004, 5, 4, 6, 12, 0, 0, 0};
    FILETIME localTime, utc;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    return path;
}

class InfoDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::clsVersionGlobal identity;
        identity.InfoApplication(L"Kelvo Restart Info");
        identity.InfoMajorVersion(2);
        identity.InfoMinorVersion(5);
        identity.InfoBuild(17);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kv::UserKeyPath(L"Kelvo Restart Info\\Infodialog").c_str(), L"Credits");
    }
    // Shows the dialog while user() acts on it; the dialog is closed afterwards.
    static void WhileShown(kv::clsInfoDialog& info, const std::function<void(HWND)>& user) {
        WhileShowing([&] { info.Show(); },
                     [&] {
                         HWND dialog = WaitForDialog(frmInfoDialog::conCaption);
                         if (!dialog) return;
                         user(dialog);
                         PostMessageW(dialog, WM_CLOSE, 0, 0);
                     });
    }
    // The close button's caption once it reads one of the two texts (bounded wait).
    static std::wstring CloseCaptionBecoming(HWND dialog, const wchar_t* text, int timeoutMs = 10000) {
        HWND close = GetDlgItem(dialog, frmInfoDialog::conCmdClose);
        for (int waited = 0; waited < timeoutMs && TextOf(close) != text; waited += 20) Sleep(20);
        return TextOf(close);
    }
};

TEST_F(InfoDialogTest, Labels_ForEachCombinationOfProperties) {
    const std::wstring file = DatedFile();
    kv::clsPersonalData maker;
    const struct {
        const wchar_t* endYear;
        const wchar_t* versionDate;
        bool supress;
        const wchar_t* website;
        const wchar_t* copyright;
        const wchar_t* version;
        const wchar_t* shownWebsite;
    } cases[] = {
        {L"", L"", false, L"", L"Copyright © 2001", L"Version 2.5 Build 17", nullptr},
        {L"2005", L"01.02.2005", true, L"https://www.example.org", L"Copyright © 2001 - 2005",
         L"Version 2.5 Build 17 vom 01.02.2005", L"https://www.example.org"},
        {L"0", nullptr, false, L"", L"Copyright © 2001", L"Version 2.5 Build 17 vom 06.05.2004", nullptr},
        {nullptr, nullptr, true, L"", L"Copyright © 2001 - 2004", L"Version 2.5 Build 17 vom 06.05.2004", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copyright);
        kv::clsInfoDialog info;
        info.CopyrightStartYear(2001);
        info.CopyrightEndYear(c.endYear ? c.endYear : file);
        info.VersionDate(c.versionDate ? c.versionDate : file);
        info.SupressAddress(c.supress);
        info.Website(c.website);
        info.Description(L"Beschreibung");
        WhileShown(info, [&](HWND dialog) {
            EXPECT_EQ(Label(dialog, frmInfoDialog::conLblName), L"Kelvo Restart Info");
            EXPECT_EQ(Label(dialog, frmInfoDialog::conLblVersion), c.version);
            EXPECT_EQ(Label(dialog, frmInfoDialog::conLblCopyright), c.copyright);
            EXPECT_EQ(Label(dialog, frmInfoDialog::conLblDescription), L"Beschreibung");
            EXPECT_EQ(Visible(dialog, frmInfoDialog::conLblAddress), !c.supress);
            EXPECT_EQ(Label(dialog, frmInfoDialog::conLblWebsite), c.shownWebsite ? c.shownWebsite : maker.Website());
            EXPECT_EQ(Label(dialog, frmInfoDialog::conLblEmail), maker.EmailAddress());
            EXPECT_FALSE(Visible(dialog, frmInfoDialog::conCmdCredits));
        });
    }
    DeleteFileW(file.c_str());
}

TEST_F(InfoDialogTest, WithoutIdentity_ShowRaises52013) {
    kv::clsVersionGlobal().InfoBuild(-1);
    kv::clsInfoDialog info;
    EXPECT_EQ(kv::test::Raised([&] { info.Show(); }).Number, -52013);
}

TEST_F(InfoDialogTest, StoredCredits_ShowTheCreditsButton) {
    kv::WriteUserText(L"Kelvo Restart Info\\Infodialog", L"Credits", L"Yes");
    kv::clsInfoDialog info;
    WhileShown(info, [&](HWND dialog) { EXPECT_TRUE(Visible(dialog, frmInfoDialog::conCmdCredits)); });
}

// Clicks every counted control (the picture and the shown labels), with a pause after the
// first one.
void ClickAll(HWND dialog, DWORD pauseAfterFirstMs) {
    const int counted[] = {frmInfoDialog::conPicture,     frmInfoDialog::conLblName,      frmInfoDialog::conLblVersion,
                           frmInfoDialog::conLblDescription, frmInfoDialog::conLblCopyright, frmInfoDialog::conLblAddress,
                           frmInfoDialog::conLblTerms};
    bool first = true;
    for (int id : counted) {
        Click(GetDlgItem(dialog, id));
        if (first && pauseAfterFirstMs) Sleep(pauseAfterFirstMs);
        first = false;
    }
}

TEST_F(InfoDialogTest, ClickingTooSlowly_DoesNotStartTheAnimation) {
    kv::clsInfoDialog info;
    info.SpeedStartTime(200);
    WhileShown(info, [&](HWND dialog) {
        ClickAll(dialog, 400);  // the time itself is what is tested
        EXPECT_EQ(TextOf(GetDlgItem(dialog, frmInfoDialog::conCmdClose)), L"Schließen");
        EXPECT_FALSE(Visible(dialog, frmInfoDialog::conLblReset));
    });
}

TEST_F(InfoDialogTest, ClickingEveryControlInTime_RunsAnimationAndCredits_ThenUnlocksThem) {
    kv::clsInfoDialog info;
    info.SpeedEndTime(600);
    info.SpeedCredits(40);
    info.Texts({L"Programmierung:", L"Jemand"});
    WhileShown(info, [&](HWND dialog) {
        RECT before;
        GetWindowRect(GetDlgItem(dialog, frmInfoDialog::conPicture), &before);
        ClickAll(dialog, 0);
        EXPECT_EQ(CloseCaptionBecoming(dialog, L"Fang mich"), L"Fang mich");
        EXPECT_TRUE(Visible(dialog, frmInfoDialog::conLblReset));
        // Caught before SpeedCatch: it only runs away.
        SendMessageW(dialog, WM_COMMAND, frmInfoDialog::conCmdClose, 0);
        EXPECT_TRUE(IsWindow(dialog));

        EXPECT_EQ(CloseCaptionBecoming(dialog, L"Weiter"), L"Weiter");
        RECT after;
        GetWindowRect(GetDlgItem(dialog, frmInfoDialog::conPicture), &after);
        EXPECT_EQ(after.left, before.left);  // back home
        EXPECT_TRUE(Visible(dialog, frmInfoDialog::conCmdCredits));
        EXPECT_EQ(kv::ReadUserText(L"Kelvo Restart Info\\Infodialog", L"Credits").value_or(L""), L"Yes");

        // The credits again from their button, then the reset label back to normal.
        SendMessageW(dialog, WM_COMMAND, frmInfoDialog::conCmdCredits, 0);
        EXPECT_TRUE(Visible(dialog, frmInfoDialog::conLblCredits));
        EXPECT_FALSE(Visible(dialog, frmInfoDialog::conLblName));
        Click(GetDlgItem(dialog, frmInfoDialog::conLblReset));
        EXPECT_TRUE(Visible(dialog, frmInfoDialog::conLblName));
        EXPECT_FALSE(Visible(dialog, frmInfoDialog::conLblCredits));
    });
}

}  // namespace
