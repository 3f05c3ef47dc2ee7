// The text form of an action and the list of entries per Windows version and boot.ini.
#include <gtest/gtest.h>

#include "BootIniTest.h"
#include "work/basWork.h"

using namespace kvr;
using kvtest::Windows;

namespace {

std::vector<std::wstring> Lines(std::initializer_list<const wchar_t*> items) {
    return std::vector<std::wstring>(items.begin(), items.end());
}

}  // namespace

TEST(ActionText, EachDisplayTextNamesItsType) {
    for (long type = conAT_ShutDown; type <= conAT_Lock; ++type) {
        EXPECT_EQ(GetActionType(ActionName(type)), type) << type;
        EXPECT_EQ(GetActionType(MakeActionText(type, L"Standard")), type) << type;
    }
    EXPECT_EQ(GetActionType(L"neu STARTEN"), conAT_Restart);  // case does not matter
    EXPECT_EQ(GetActionType(L""), conAT_None);                // a separator
    EXPECT_EQ(GetActionType(L"Windows XP: Neu starten"), conAT_None);
    EXPECT_EQ(ActionName(0), L"");
    EXPECT_EQ(ActionName(8), L"");
}

TEST(ActionText, BootSystemIsEverythingAfterTheFirstColonTrimmed) {
    std::wstring system;
    EXPECT_TRUE(GetActionSystem(L"Neu starten: Microsoft Windows XP Professional", system));
    EXPECT_EQ(system, L"Microsoft Windows XP Professional");
    EXPECT_TRUE(GetActionSystem(L"Herunterfahren:Standard   ", system));
    EXPECT_EQ(system, L"Standard");
    // A name holding ":" stays whole: only the first colon separates.
    EXPECT_TRUE(GetActionSystem(L"Neu starten: Disk: 2", system));
    EXPECT_EQ(system, L"Disk: 2");
    EXPECT_FALSE(GetActionSystem(L"Neu anmelden", system));
    EXPECT_EQ(system, L"");
    EXPECT_EQ(MakeActionText(conAT_Restart, L"Disk: 2"), L"Neu starten: Disk: 2");
    EXPECT_EQ(MakeActionText(conAT_LogOff), L"Neu anmelden");
}

TEST(ActionText, SystemNamesHoldingDisplayTextsDoNotChangeTheAction) {
    EXPECT_EQ(GetActionType(L"Neu starten: Windows XP Sperren-Test"), conAT_Restart);
    EXPECT_EQ(GetActionType(L"Herunterfahren: Ruhezustand Labor"), conAT_ShutDown);
    EXPECT_EQ(GetActionType(L"Neu starten: Disk: Standby-Modus"), conAT_Restart);
    EXPECT_EQ(GetActionIcon(L"Neu starten: Windows Sperren"), 2);
    // Without a colon the last display text in type order still decides.
    EXPECT_EQ(GetActionType(L"Sperren oder Neu starten"), conAT_Lock);
}

TEST(ActionText, ListIconsShiftFromStandbyOn) {
    const std::pair<const wchar_t*, long> cases[] = {
        {L"Herunterfahren: Standard", 1}, {L"Neu starten", 2}, {L"Neu anmelden", 3}, {L"Windows beenden...", 0},
        {L"Standby-Modus", 4}, {L"Ruhezustand", 5}, {L"Sperren", 6}, {L"", 0}};
    for (const auto& [text, icon] : cases) EXPECT_EQ(GetActionIcon(text), icon) << text;
}

class QuitOptionsFile : public kvtest::BootIniTest {};

// Per Windows: without boot.ini the three plain actions; with it one entry per system and
// action, then the power actions of that Windows.
TEST_F(QuitOptionsFile, PerWindowsTheSystemsAndThePowerActionsOfThatWindows) {
    const auto plain = Lines({L"Herunterfahren", L"Neu starten", L"Neu anmelden"});
    const auto systems = Lines({L"Herunterfahren: Standard", L"Herunterfahren: Microsoft Windows XP Professional",
                                L"Herunterfahren: Microsoft Windows XP Home", L"", L"Neu starten: Standard",
                                L"Neu starten: Microsoft Windows XP Professional",
                                L"Neu starten: Microsoft Windows XP Home", L"", L"Neu anmelden"});
    const struct {
        Windows windows;
        std::vector<std::wstring> power;
    } cases[] = {
        {Windows::Win95, {}},
        {Windows::NT4, {}},
        {Windows::Win98, Lines({L"", L"Standby-Modus"})},
        {Windows::WinME, Lines({L"", L"Standby-Modus", L"Ruhezustand"})},
        {Windows::Win2000, Lines({L"", L"Standby-Modus", L"Ruhezustand", L"Sperren"})},
        {Windows::XP, Lines({L"", L"Standby-Modus", L"Ruhezustand", L"Sperren"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.windows));
        kvtest::RunningWindows running(c.windows);
        kvtest::RemoveFile(kvtest::kBootIni);
        EXPECT_EQ(GetQuitOptions(false), plain);
        EXPECT_EQ(GetQuitOptions(true), plain);
        kvtest::WriteFileText(kvtest::kBootIni, kvtest::kXpBootIni);
        std::vector<std::wstring> expected = systems;
        expected.insert(expected.end(), c.power.begin(), c.power.end());
        EXPECT_EQ(GetQuitOptions(false), expected);
        EXPECT_EQ(GetQuitOptions(true), Lines({L"Microsoft Windows XP Professional", L"Microsoft Windows XP Home"}));
    }
}


TEST_F(QuitOptionsFile, NamesComeFromTheQuotedSystemsOfTheirSectionOnly) {
    kvtest::RunningWindows running(Windows::XP);
    kvtest::WriteFileText(kvtest::kBootIni,
                          "[boot loader]\r\n"
                          "default=\"not a system\"\r\n"
                          "[Operating Systems]\r\n"
                          "\r\n"
                          "multi(0)disk(0)rdisk(0)partition(1)\\WINNT=\"Windows 2000: Server\" /fastdetect\r\n"
                          "multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS=/noquotes\r\n"
                          "multi(0)disk(0)rdisk(0)partition(3)\\WINDOWS=\"unclosed\r\n"
                          "; C:\\=\"commented out\"\r\n"
                          "C:\\XP=\"Windows XP\"\r\n"
                          "[other section]\r\n"
                          "C:\\=\"Sperren-Labor\"");
    EXPECT_EQ(GetQuitOptions(true), Lines({L"Windows 2000: Server", L"Windows XP"}));

    std::vector<std::wstring> all = GetQuitOptions(false);
    ASSERT_GE(all.size(), 4u);
    EXPECT_EQ(all[1], L"Herunterfahren: Windows 2000: Server");
    EXPECT_EQ(all[2], L"Herunterfahren: Windows XP");
    EXPECT_EQ(all[3], L"");
    // Read back, each entry keeps its action and its whole system name.
    std::wstring system;
    EXPECT_EQ(GetActionType(all[2]), conAT_ShutDown);
    ASSERT_TRUE(GetActionSystem(all[1], system));
    EXPECT_EQ(system, L"Windows 2000: Server");
}

TEST_F(QuitOptionsFile, BootIniWithoutSystemsStillOffersTheStandardEntries) {
    kvtest::RunningWindows running(Windows::XP);
    kvtest::WriteFileText(kvtest::kBootIni, "[boot loader]\r\ntimeout=5\r\n");
    EXPECT_EQ(GetQuitOptions(true), std::vector<std::wstring>{});
    EXPECT_EQ(GetQuitOptions(false),
              Lines({L"Herunterfahren: Standard", L"", L"Neu starten: Standard", L"", L"Neu anmelden", L"",
                     L"Standby-Modus", L"Ruhezustand", L"Sperren"}));
}
