// The settings procedures and the small tools of the program.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "ErrorCapture.h"
#include "LocaleOverride.h"
#include "RecordingMessageBox.h"
#include "program/basTools.h"

using namespace kvr;
using kv::test::Raised;
using kvtest::Stored;
using kvtest::Windows;

namespace {

const HKEY HKCU = HKEY_CURRENT_USER;

class Settings : public kvtest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const auto& v : kTouched) kvtest::Remove(v.root, v.path, v.name);
    }
    static inline const std::vector<kvtest::RegValue> kTouched = {
        {HKCU, kvtest::kOptionsKey, L"KvTestText"},     {HKCU, kvtest::kOptionsKey, L"KvTestNumber"},
        {HKCU, kvtest::kOptionsKey, L"KvTestFlag"},     {HKCU, kvtest::kOptionsKey, L"ShowSplash"},
        {HKCU, kvtest::kOptionsKey, L"TimeCountdown"},  {HKCU, kvtest::kPrgSettingsKey, L"KvTestState"},
        {HKCU, conRunKey, L"Kelvo Restart"},
    };
    kvtest::RegistrySnapshot snapshot_{kTouched};
};

}  // namespace

TEST_F(Settings, MissingValuesReadTheirDefaults) {
    EXPECT_EQ(ReadSetting(L"ShowSplash", conSG_Options, 1L), kv::Variant(1L));
    EXPECT_EQ(ReadSetting(L"TimeCountdown", conSG_Options, L"01:00:00"), kv::Variant(L"01:00:00"));
    EXPECT_EQ(ReadSetting(L"KvTestState", conSG_PrgSettings, 0L), kv::Variant(0L));
    EXPECT_EQ(ReadSetting(L"Kelvo Restart", conSG_Autostart, L""), kv::Variant(L""));
}

TEST_F(Settings, ValuesGoBelowTheCompanyAndApplicationKeyWithTheirTypes) {
    WriteSetting(L"KvTestText", conSG_Options, L"Neu starten: Standard;");
    WriteSetting(L"KvTestNumber", conSG_Options, 42L);
    WriteSetting(L"KvTestFlag", conSG_Options, true);
    WriteSetting(L"KvTestState", conSG_PrgSettings, false);

    auto text = Stored(HKCU, kvtest::kOptionsKey, L"KvTestText");
    EXPECT_EQ(text.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text.text, L"Neu starten: Standard;");
    auto number = Stored(HKCU, kvtest::kOptionsKey, L"KvTestNumber");
    EXPECT_EQ(number.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number.number, 42u);
    // Flags are 1 and 0, never a Boolean's internal true.
    EXPECT_EQ(Stored(HKCU, kvtest::kOptionsKey, L"KvTestFlag").number, 1u);
    EXPECT_EQ(Stored(HKCU, kvtest::kPrgSettingsKey, L"KvTestState").type, static_cast<DWORD>(REG_DWORD));

    EXPECT_EQ(ReadSetting(L"KvTestText", conSG_Options, L""), kv::Variant(L"Neu starten: Standard;"));
    EXPECT_EQ(ReadSetting(L"KvTestFlag", conSG_Options, 0L), kv::Variant(1L));
}

TEST_F(Settings, AutostartStoresTheProgramPathWhateverIsPassed) {
    WriteSetting(L"Kelvo Restart", conSG_Autostart, L"x");
    auto stored = Stored(HKCU, conRunKey, L"Kelvo Restart");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(kvtest::UpperCase(stored.text), kvtest::UpperCase(self));
    EXPECT_EQ(ReadSetting(L"Kelvo Restart", conSG_Autostart, L"").ToString(), stored.text);

    WriteSetting(L"Kelvo Restart", conSG_Autostart, L"");
    EXPECT_EQ(Stored(HKCU, conRunKey, L"Kelvo Restart").type, 0u);
    EXPECT_NO_THROW(WriteSetting(L"Kelvo Restart", conSG_Autostart, L""));  // nothing to remove
}

TEST_F(Settings, TheWindowsLogonGroupsAreNeverWritten) {
    kvtest::RegistrySnapshot logon({{HKEY_LOCAL_MACHINE, conWinlogonKeyNT, L"KvTestProbe"},
                                    {HKEY_LOCAL_MACHINE, conNetworkLogonKey, L"KvTestProbe"}});
    WriteSetting(L"KvTestProbe", conSG_WinLogon, L"1");
    WriteSetting(L"KvTestProbe", conSG_NetworkLogon, L"1");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, conWinlogonKeyNT, L"KvTestProbe").type, 0u);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, conNetworkLogonKey, L"KvTestProbe").type, 0u);
}

TEST_F(Settings, ErrorsNameTheSettingsProcedure) {
    // A value the registry class cannot store: the error carries the place it passed.
    const kv::KVError error = Raised([] { WriteSetting(L"KvTestText", conSG_Options, kv::Variant(kv::Null{})); });
    EXPECT_EQ(error.Number, -52000);
    EXPECT_NE(error.Description.find(L"basTools_WriteSetting"), std::wstring::npos);
}

TEST(Tools, HHMMSSUsesTheRegionalTimeFormatAndIgnoresTheSign) {
    kvtest::LocaleOverride german({{LOCALE_STIMEFORMAT, L"HH:mm:ss"}, {LOCALE_SSHORTDATE, L"dd.MM.yyyy"}});
    ASSERT_TRUE(german.ok());
    EXPECT_EQ(ConvertToHHMMSS(3725), L"01:02:05");
    EXPECT_EQ(ConvertToHHMMSS(-3725), L"01:02:05");
    EXPECT_EQ(ConvertToHHMMSS(0), L"00:00:00");
    EXPECT_EQ(ConvertToHHMMSS(86399), L"23:59:59");
    // From a whole day on, the time carries into a date.
    EXPECT_EQ(ConvertToHHMMSS(90000), L"31.12.1899 01:00:00");
    {
        kvtest::LocaleOverride english({{LOCALE_STIMEFORMAT, L"h:mm:ss tt"}});
        std::wstring text = ConvertToHHMMSS(13 * 3600 + 5);
        EXPECT_EQ(text.substr(0, 7), L"1:00:05") << std::string(text.begin(), text.end());
    }
}

TEST(Tools, SecondsSinceMidnightIgnoreTheDate) {
    EXPECT_EQ(ConvertToSeconds(MakeTime(7, 5, 0)), 25500);
    EXPECT_EQ(ConvertToSeconds(kv::Date{MakeDate(2004, 3, 5).value + MakeTime(23, 59, 59).value}), 86399);
    EXPECT_EQ(ConvertToSeconds(MakeDate(2004, 3, 5)), 0);
}

TEST(Tools, MonthLengthsAndWeekdays) {
    const long cases[][3] = {{2, 2004, 29}, {2, 2003, 28}, {2, 1900, 28}, {2, 2000, 29}, {12, 2003, 31}, {4, 2004, 30}};
    for (const auto& c : cases) EXPECT_EQ(GetMonthDays(c[0], c[1]), kv::Variant(c[2])) << c[0] << "/" << c[1];
    // Monday is 1, Sunday 7; the time of day does not count.
    EXPECT_EQ(GetWeekdayNumber(MakeDate(2004, 3, 7)), 7);
    EXPECT_EQ(GetWeekdayNumber(MakeDate(2004, 3, 8)), 1);
    EXPECT_EQ(GetWeekdayNumber(kv::Date{MakeDate(2004, 3, 10).value + 0.75}), 3);
}

TEST(Tools, AMonthBeyondTheCalendarIsShownAndGivesEmpty) {
    kvr::VersionGlobal().InfoApplication(L"Kelvo Restart");
    kvtest::RecordingMessageBox boxes;
    EXPECT_TRUE(GetMonthDays(12, 9999).IsEmpty());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(L"basTools_GetMonthDays"), std::wstring::npos);
}

TEST(Tools, IsOSAnswersForAnyOfTheGivenVersions) {
    EXPECT_FALSE(IsOS(0, 0, 0, 0));
    {
        kvtest::RunningWindows running(Windows::XP);
        EXPECT_TRUE(IsOS(7));
        EXPECT_TRUE(IsOS(0, 0, 0, 7));
        EXPECT_FALSE(IsOS(1, 2, 3, 5));
    }
    {
        kvtest::RunningWindows running(Windows::Win98);
        EXPECT_TRUE(IsOS(1, 2, 3));
        EXPECT_FALSE(IsOS(1, 3, 5, 6));
    }
    {
        kvtest::RunningWindows running(Windows::NT4);
        EXPECT_TRUE(IsOS(1, 2, 3, 5));
        EXPECT_FALSE(IsOS(1, 2, 3));
    }
}

TEST(Tools, ResizableBorderAddsTheSizingFrame) {
    HWND window = CreateWindowExW(0, L"STATIC", L"kvtest", WS_POPUP | WS_CAPTION, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_THICKFRAME, 0);
    SetResizableBorder(window);
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, WS_THICKFRAME);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    DestroyWindow(window);

    const kv::KVError error = Raised([&] { SetResizableBorder(window); });  // gone now
    EXPECT_EQ(error.Number, static_cast<long>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_NE(error.Description.find(L"basTools_SetResizableBorder"), std::wstring::npos);
}
