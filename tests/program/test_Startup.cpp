// The start-up rules of the resident program and of dialog mode, against the real registry
// and boot.ini of the test prefix; the tear-down; the help file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "CliTestSupport.h"
#include "ErrorCapture.h"
#include "WindowBase.h"
#include "RecordingMessageBox.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "ui/main/frmMain.h"

using namespace kvr;
using kvtest::kBootIni;
using kvtest::kOptionsKey;
using kvtest::kPrgSettingsKey;
using kvtest::Store;
using kvtest::Stored;

namespace {

class Startup : public kvtest::FreshProfileTest {
protected:
    static DWORD StoredNumber(const std::wstring& key, const wchar_t* name) {
        kvtest::StoredValue v = Stored(HKEY_CURRENT_USER, key, name);
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_DWORD)) << "value " << std::string(name, name + wcslen(name));
        return v.number;
    }
    static double SecondsOf(kv::Date d) { return std::round(d.value * 86400); }

    kvtest::RecordingMessageBox boxes;
};

TEST_F(Startup, AFreshProfileReadsTheDefaults) {
    SYSTEMTIME before;
    GetLocalTime(&before);
    ReadProgramSettings();
    const ProgramState& s = State();
    EXPECT_TRUE(s.ResetToStandard);
    EXPECT_FALSE(s.AutoDialog);
    EXPECT_FALSE(s.QuitImmediate);
    EXPECT_EQ(s.StandardSystem, L"");
    EXPECT_EQ(s.TimeActionType, 1);
    EXPECT_EQ(s.TimeWeekday, 0);
    EXPECT_EQ(s.TimeMonthDay, 1);
    EXPECT_EQ(SecondsOf(s.TimeCountdown), 3600);
    EXPECT_EQ(s.WindowLeft, -1);
    EXPECT_EQ(s.WindowHeight, -1);
    // The time and date of now, through their text forms.
    SYSTEMTIME date = ToSystemTime(s.TimeDateForAction);
    EXPECT_EQ(date.wDay, before.wDay);
    EXPECT_EQ(date.wYear, before.wYear);
    double now = before.wHour * 3600.0 + before.wMinute * 60 + before.wSecond;
    EXPECT_NEAR(SecondsOf(s.TimeForAction), now, 5);
    // Reading writes nothing.
    EXPECT_FALSE(kvtest::KeyExists(HKEY_CURRENT_USER, kOptionsKey));
}

TEST_F(Startup, StoredValuesAreReadInTheirForms) {
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeForAction", L"7:5:0");
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeDateForAction", L"5.3.2004");
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeCountdown", L"0:30:15");
    Store(HKEY_CURRENT_USER, kOptionsKey, L"AutoDialog", 5);  // any number but 0 is set
    Store(HKEY_CURRENT_USER, kOptionsKey, L"ResetToStandard", 0);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"StandardMenuOption", L"Neu starten: Standard");
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeWeekday", 3);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"WindowLeft", 1200);
    ReadProgramSettings();
    const ProgramState& s = State();
    EXPECT_EQ(SecondsOf(s.TimeForAction), 7 * 3600 + 5 * 60);
    SYSTEMTIME date = ToSystemTime(s.TimeDateForAction);
    EXPECT_EQ((std::vector<WORD>{date.wDay, date.wMonth, date.wYear}), (std::vector<WORD>{5, 3, 2004}));
    EXPECT_EQ(SecondsOf(s.TimeCountdown), 30 * 60 + 15);
    EXPECT_TRUE(s.AutoDialog);
    EXPECT_FALSE(s.ResetToStandard);
    EXPECT_EQ(s.StandardMenuOption, L"Neu starten: Standard");
    EXPECT_EQ(s.TimeWeekday, 3);
    EXPECT_EQ(s.WindowLeft, 1200);
}

// Values of the wrong type, size or range, as older versions, other tools or a user's hand
// may leave them: each reads as its default, is stored as the default, and one message
// names them all.
TEST_F(Startup, BadValuesFallBackToTheirDefaultsAndAreRepairedWithOneMessage) {
    const std::uint64_t eightBytes = 1;
    const wchar_t multi[] = L"a\0b\0";
    struct Bad {
        const wchar_t* name;
        DWORD type;
        const void* data;
        size_t size;
    } bad[] = {
        {L"AutoDialog", REG_SZ, L"abc", 8},
        {L"TimeActionType", REG_SZ, L"99999999999", 24},
        {L"TimeMonthDay", REG_DWORD, "\x20\0\0\0", 4},  // day 32
        {L"ResetToStandard", REG_DWORD, &eightBytes, 8},
        {L"TimeWeekday", REG_QWORD, &eightBytes, 8},
        {L"StandardSystem", REG_MULTI_SZ, multi, sizeof multi},
        {L"TimeDateForAction", REG_SZ, L"", 2},
        {L"TimeCountdown", REG_SZ, L"x:y", 8},
    };
    for (const Bad& b : bad) kvtest::StoreRaw(HKEY_CURRENT_USER, kOptionsKey, b.name, b.type, b.data, b.size);
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"RunFirstTime", 0);

    ASSERT_TRUE(ApplyStartupRules(true));
    const ProgramState& s = State();
    EXPECT_FALSE(s.AutoDialog);
    EXPECT_TRUE(s.ResetToStandard);
    EXPECT_EQ(s.TimeActionType, 0);  // its default 1, a countdown, which every start resets
    EXPECT_EQ(s.TimeMonthDay, 1);
    EXPECT_EQ(s.TimeWeekday, 0);
    EXPECT_EQ(SecondsOf(s.TimeCountdown), 3600);
    EXPECT_EQ(ToSystemTime(s.TimeDateForAction).wYear >= 2024, true);
    EXPECT_EQ(StoredNumber(kOptionsKey, L"TimeMonthDay"), 1u);
    EXPECT_EQ(StoredNumber(kOptionsKey, L"ResetToStandard"), 1u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"StandardSystem").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"TimeCountdown").text, L"01:00:00");

    ASSERT_EQ(boxes.shown.size(), 1u);
    for (const Bad& b : bad) EXPECT_NE(boxes.shown[0].text.find(L"\"" + std::wstring(b.name) + L"\""), std::wstring::npos);
    EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    // Repaired: the next start has nothing to say.
    ASSERT_TRUE(ApplyStartupRules(true));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST(TimeTexts, RaiseTypeMismatchForAPieceThatIsNoNumber) {
    EXPECT_EQ(std::round(ReadTimeText(L"07:05:09").value * 86400), 7 * 3600 + 5 * 60 + 9);
    // Not plain digits: converted as before (blanks around a number are allowed).
    EXPECT_EQ(std::round(ReadTimeText(L" 7: 5:9 ").value * 86400), 7 * 3600 + 5 * 60 + 9);
    EXPECT_EQ(kv::test::Raised([] { ReadTimeText(L"7:x:0"); }).Number, 13);
    EXPECT_THROW(ReadDateText(L"5.3"), kv::KVError);  // no year
}

TEST_F(Startup, TheFirstStartOfAFreshProfile) {
    ASSERT_TRUE(ApplyStartupRules(true));
    EXPECT_EQ(StoredNumber(kOptionsKey, L"TimeActionType"), 0u);
    EXPECT_EQ(StoredNumber(kOptionsKey, L"ShortcutQuitImmedate"), 0u);
    EXPECT_EQ(StoredNumber(kPrgSettingsKey, L"DontShowUnloadDialog"), 0u);
    EXPECT_EQ(StoredNumber(kPrgSettingsKey, L"RunFirstTime"), 0u);
    EXPECT_EQ(StoredNumber(kOptionsKey, L"SwitchOff"), 1u);  // not Windows 95 or NT 4
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kRunKey, L"Kelvo Restart").text, ProgramFileName());
    EXPECT_EQ(State().TimeActionType, 0);
    EXPECT_TRUE(State().SwitchOff);
    EXPECT_TRUE(boxes.shown.empty());  // no boot.ini, nothing to report
    // After the first run: no first-run work.
    kvtest::Remove(HKEY_CURRENT_USER, kvtest::kRunKey, L"Kelvo Restart");
    kvtest::Remove(HKEY_CURRENT_USER, kOptionsKey, L"SwitchOff");
    ASSERT_TRUE(ApplyStartupRules(true));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kRunKey, L"Kelvo Restart").type, 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"SwitchOff").type, 0u);
}

TEST_F(Startup, OnlyAOneTimeCountdownIsReset) {
    for (auto [stored, after] : {std::pair{1, 0}, std::pair{3, 3}}) {
        Store(HKEY_CURRENT_USER, kOptionsKey, L"TimeActionType", stored);
        ReadProgramSettings();
        ResetOneTimeCountdown();
        EXPECT_EQ(State().TimeActionType, after);
        EXPECT_EQ(StoredNumber(kOptionsKey, L"TimeActionType"), static_cast<DWORD>(after));
    }
}

TEST_F(Startup, ForcedExitTicksLastOnlyWithQuitSaveImmediate) {
    Store(HKEY_CURRENT_USER, kOptionsKey, L"QuitImmediate", 1);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"ShortcutQuitImmedate", 1);
    ReadProgramSettings();
    ApplyQuitImmediateRules();
    EXPECT_FALSE(State().QuitImmediate);
    EXPECT_EQ(StoredNumber(kOptionsKey, L"QuitImmediate"), 1u);  // only in memory
    EXPECT_FALSE(State().ShortcutQuitImmedate);
    EXPECT_EQ(StoredNumber(kOptionsKey, L"ShortcutQuitImmedate"), 0u);

    Store(HKEY_CURRENT_USER, kOptionsKey, L"ShortcutQuitImmedate", 1);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"QuitSaveImmediate", 1);
    ReadProgramSettings();
    ApplyQuitImmediateRules();
    EXPECT_TRUE(State().QuitImmediate);
    EXPECT_TRUE(State().ShortcutQuitImmedate);
    EXPECT_EQ(StoredNumber(kOptionsKey, L"ShortcutQuitImmedate"), 1u);
}

TEST_F(Startup, AutomaticLogonIsWrittenWhenRepeatedAndTakenBackOtherwise) {
    Store(HKEY_CURRENT_USER, kOptionsKey, L"AutoLogon", 1);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"UserName", L"anna");
    Store(HKEY_CURRENT_USER, kOptionsKey, L"Password", L"geheim");
    Store(HKEY_CURRENT_USER, kOptionsKey, L"RepeatAutoLogon", 1);
    ReadProgramSettings();
    ApplyAutoLogonAtStart();
    EXPECT_TRUE(State().AutoLogon);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"AutoAdminLogon").text, L"1");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"DefaultUserName").text, L"anna");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"DefaultPassword").text, L"geheim");

    Store(HKEY_CURRENT_USER, kOptionsKey, L"RepeatAutoLogon", 0);
    ReadProgramSettings();
    ApplyAutoLogonAtStart();
    EXPECT_FALSE(State().AutoLogon);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"AutoAdminLogon").text, L"0");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"DefaultPassword").type, 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"Password").type, 0u);  // no password left behind
}

TEST_F(Startup, AnAutomaticLogonSetUpElsewhereIsLeftAlone) {
    Store(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"AutoAdminLogon", L"1");
    Store(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"DefaultUserName", L"admin");
    Store(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"DefaultPassword", L"seins");
    ReadProgramSettings();
    ApplyAutoLogonAtStart();
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"AutoAdminLogon").text, L"1");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kvtest::kWinlogonKey, L"DefaultPassword").text, L"seins");
}

TEST_F(Startup, UnloadDialogFlagIsClearedAtStart) {
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"DontShowUnloadDialog", 1);
    ResetUnloadDialogFlag();
    EXPECT_EQ(StoredNumber(kPrgSettingsKey, L"DontShowUnloadDialog"), 0u);
}

TEST_F(Startup, TheStandardSystemBecomesTheDefaultAgainOnlyWithResetToStandard) {
    const std::wstring p1 = L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS";
    const std::wstring p2 = L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS";
    struct Case {
        const wchar_t* stored;  // nullptr: none stored
        DWORD reset;
        const std::wstring& defaultEntry;
    } cases[] = {{nullptr, 1, p1}, {L"Microsoft Windows XP Home", 1, p2}, {L"Microsoft Windows XP Home", 0, p1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reset);
        kvtest::WriteFileText(kBootIni, kvtest::kXpBootIni);
        if (c.stored) Store(HKEY_CURRENT_USER, kOptionsKey, L"StandardSystem", c.stored);
        Store(HKEY_CURRENT_USER, kOptionsKey, L"ResetToStandard", c.reset);
        ReadProgramSettings();
        ApplyStandardSystem();
        EXPECT_EQ(DefaultEntry(), c.defaultEntry);
        if (!c.stored) {
            // An empty standard system is the current default, kept in memory only.
            EXPECT_EQ(State().StandardSystem, L"Microsoft Windows XP Professional");
            EXPECT_EQ(Stored(HKEY_CURRENT_USER, kOptionsKey, L"StandardSystem").type, 0u);
        }
    }
}

// A start writes boot.ini only to bring back a standard system the user chose and that is
// there; every other layout stays byte for byte.
TEST_F(Startup, AStartNeverMovesTheDefaultByItself) {
    const std::string similar =
        "[boot loader]\r\ntimeout=30\r\ndefault=C:\\A\r\n[operating systems]\r\n"
        "C:\\A=\"Windows XP\"\r\nC:\\B=\"Windows XP Test\"\r\n";
    const std::string twins =
        "[boot loader]\r\ntimeout=30\r\ndefault=C:\\B\r\n[operating systems]\r\n"
        "C:\\A=\"Windows XP\"\r\nC:\\B=\"Windows XP\"\r\n";
    // The default names no listed system: no standard system is known (an empty name would
    // match every line and make the last system the default).
    const std::string unknown =
        "[boot loader]\r\ntimeout=30\r\ndefault=C:\\C\r\n[operating systems]\r\n"
        "C:\\A=\"Windows XP\"\r\nC:\\B=\"Windows 2000\"\r\n";
    struct Case {
        const std::string& bootIni;
        const wchar_t* stored;  // nullptr: none stored
        size_t messages;
    } cases[] = {{unknown, nullptr, 0}, {similar, nullptr, 0}, {twins, nullptr, 0}, {twins, L"Windows XP", 0},
                 {similar, L"Windows 98", 1}};  // a stored choice lasts into the following cases
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bootIni + (c.stored ? " / stored" : ""));
        kvtest::WriteFileText(kBootIni, c.bootIni);
        if (c.stored) Store(HKEY_CURRENT_USER, kOptionsKey, L"StandardSystem", c.stored);
        boxes.shown.clear();
        ReadProgramSettings();
        ApplyStandardSystem();
        ApplyStandardSystem();  // a rebuilt program says it no second time
        EXPECT_EQ(kvtest::ReadFileText(kBootIni), c.bootIni);
        EXPECT_EQ(boxes.shown.size(), c.messages);
        if (c.messages) EXPECT_NE(boxes.shown[0].text.find(L"Windows 98"), std::wstring::npos);
        if (&c.bootIni == &unknown) EXPECT_EQ(State().StandardSystem, L"");
    }
}

TEST_F(Startup, MainWindowIsCentredUnlessAllFourValuesAreStored) {
    HDC screen = GetDC(nullptr);
    long width = GetSystemMetrics(SM_CXSCREEN) * 1440L / GetDeviceCaps(screen, LOGPIXELSX);
    long height = GetSystemMetrics(SM_CYSCREEN) * 1440L / GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    State().WindowLeft = 100;
    State().WindowTop = 200;
    State().WindowWidth = 6000;
    State().WindowHeight = -1;
    TwipsRect centred = MainWindowRect();
    EXPECT_NEAR(centred.Width, 5805, 15);  // within a pixel
    EXPECT_NEAR(centred.Height, 5535, 15);
    EXPECT_NEAR(centred.Left, (width - 5805) / 2, 15);
    EXPECT_NEAR(centred.Top, (height - 5535) / 2, 15);

    State().WindowHeight = 5000;
    TwipsRect stored = MainWindowRect();
    EXPECT_EQ((std::vector<long>{stored.Left, stored.Top, stored.Width, stored.Height}),
              (std::vector<long>{kv::PixelsToTwipsX(kv::TwipsToPixelsX(100)), kv::PixelsToTwipsY(kv::TwipsToPixelsY(200)),
                                 kv::PixelsToTwipsX(kv::TwipsToPixelsX(6000)), kv::PixelsToTwipsY(kv::TwipsToPixelsY(5000))}));
}

TEST_F(Startup, ASavedPlaceOffTheMonitorsIsNotUsedAndAnOversizedWindowIsMadeToFit) {
    RECT area;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    const long areaWidth = kv::PixelsToTwipsX(area.right - area.left), areaHeight = kv::PixelsToTwipsY(area.bottom - area.top);
    State().WindowLeft = -100000;
    State().WindowTop = -100000;
    State().WindowWidth = 6000;
    State().WindowHeight = 5000;
    TwipsRect away = MainWindowRect();
    EXPECT_EQ(away.Width, 5805);
    EXPECT_GE(away.Left, 0);

    // Larger than the screen and hanging over its edge: inside the work area, all of it.
    State().WindowLeft = areaWidth / 2;
    State().WindowTop = 0;
    State().WindowWidth = areaWidth * 2;
    State().WindowHeight = areaHeight * 2;
    TwipsRect fit = MainWindowRect();
    EXPECT_GE(fit.Left, kv::PixelsToTwipsX(area.left));
    EXPECT_LE(fit.Left + fit.Width, kv::PixelsToTwipsX(area.right) + 15);
    EXPECT_LE(fit.Top + fit.Height, kv::PixelsToTwipsY(area.bottom) + 15);
}

TEST_F(Startup, QuitSetsTheFlagAndRunsEachStepOnceInOrder) {
    std::vector<int> ran;
    AddQuitStep([&] { ran.push_back(1); });
    AddQuitStep([&] { ran.push_back(2); });
    Quit();
    EXPECT_TRUE(State().QuitFlag);
    Quit();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST_F(Startup, AMissingHelpFileIsReported) {
    std::wstring help = GetHelpfile();
    std::wstring program = ProgramFileName();
    EXPECT_EQ(help, program.substr(0, program.size() - 4) + L".chm");
    ASSERT_FALSE(kvtest::FileExists(help));
    OpenHelp(nullptr, L"Parameterinfodialog.htm");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Hilfe \"" + help + L"\" konnte nicht angezeigt werden.");
    EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.shown[0].title, L"Kelvo Restart");
}

}  // namespace
