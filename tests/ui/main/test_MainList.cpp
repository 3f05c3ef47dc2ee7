// The list of the main window: which entries it offers, with which pictures, which one is
// selected, and the enabling rules that follow the selection.
#include <windows.h>
#include <commctrl.h>

#include "MainTestSupport.h"
#include "work/basWork.h"

using namespace kvr;
using kvtest::kOptionsKey;
using kvtest::kPrgSettingsKey;
using kvtest::kXpEntries;
using kvtest::MainListTexts;
using kvtest::Store;

namespace {

using Texts = std::vector<std::wstring>;

Texts TextsOf(const std::vector<MainListEntry>& entries) {
    Texts texts;
    for (const MainListEntry& e : entries) texts.push_back(e.Text);
    return texts;
}

TEST(MainListEntries, HiddenEntriesAreWholeItemsOfTheSettingIgnoringCase) {
    const Texts options = {L"Herunterfahren", L"Neu starten", L"Neu starten: XP", L"Neu anmelden"};
    const std::pair<const wchar_t*, Texts> cases[] = {
        {L"neu starten;", {L"Herunterfahren", L"Neu starten: XP", L"Neu anmelden"}},
        {L"Neu starten: xp;", {L"Herunterfahren", L"Neu starten", L"Neu anmelden"}},
        {L"Herunterfahren;;Neu anmelden", {L"Neu starten", L"Neu starten: XP"}},  // last ";" missing
        {L"starten;", options},
        {L"", options},
    };
    for (const auto& [setting, shown] : cases) EXPECT_EQ(TextsOf(BuildMainListEntries(options, setting, L"")), shown);
}

TEST(MainListEntries, SeparatorsNeverOpenTheListButMayFollowEachOther) {
    const Texts options = {L"", L"Herunterfahren", L"", L"Neu starten", L"", L"Neu anmelden"};
    EXPECT_EQ(TextsOf(BuildMainListEntries(options, L"Herunterfahren;", L"")),
              (Texts{L"Neu starten", L"", L"Neu anmelden"}));
    EXPECT_EQ(TextsOf(BuildMainListEntries(options, L"Neu starten;", L"")),
              (Texts{L"Herunterfahren", L"", L"", L"Neu anmelden"}));
    // Everything hidden: not even a separator is left.
    EXPECT_TRUE(BuildMainListEntries(options, L"Herunterfahren;Neu starten;Neu anmelden;", L"").empty());
}

TEST(MainListEntries, PicturesFollowTheActionAndTheLastChoiceIsSelected) {
    auto entries = BuildMainListEntries({L"Herunterfahren: Sperren-Test", L"", L"Ruhezustand"}, L"",
                                        L"RUHEZUSTAND");
    ASSERT_EQ(entries.size(), 3u);
    // A system named like an action keeps its action's picture; a separator never equals a choice.
    EXPECT_EQ((std::vector<long>{entries[0].Icon, entries[1].Icon, entries[2].Icon}), (std::vector<long>{1, 0, 5}));
    EXPECT_EQ((std::vector<bool>{entries[0].Selected, entries[1].Selected, entries[2].Selected}),
              (std::vector<bool>{false, false, true}));
}

class MainList : public kvtest::MainWindowTest {};

TEST_F(MainList, OffersEveryActionWithItsPictureAndTheCaption) {
    OpenMain();
    HWND main = MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    wchar_t caption[128] = {};
    GetWindowTextW(main, caption, 128);
    EXPECT_STREQ(caption, L"Windows beenden - Kelvo Restart");
    EXPECT_TRUE(GetWindowLongPtrW(main, GWL_STYLE) & WS_THICKFRAME);

    EXPECT_EQ(MainListTexts(), kXpEntries);
    const std::vector<long> icons = {1, 1, 1, 0, 2, 2, 2, 0, 3, 0, 4, 5, 6};
    for (int i = 0; i < MainListCount(); ++i) EXPECT_EQ(MainListIcon(i), icons[i]) << i;

    HWND header = reinterpret_cast<HWND>(SendMessageW(GetDlgItem(main, conMainList), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 1);
    wchar_t column[32] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = column;
    item.cchTextMax = 32;
    SendMessageW(header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(column, L"Option");

    // Nothing chosen yet: nothing to perform.
    EXPECT_EQ(MainListSelected(), -1);
    EXPECT_FALSE(MainControlEnabled(conMainQuitWindows));
}

TEST_F(MainList, RestartEntriesStoredAsHiddenGoAndLeaveTwoSeparatorsInARow) {
    Store(HKEY_CURRENT_USER, kOptionsKey, L"VisibleOptions",
          L"Neu starten: Standard;Neu starten: Microsoft Windows XP Professional;"
          L"Neu starten: Microsoft Windows XP Home;");
    ReadProgramSettings();
    OpenMain();
    EXPECT_EQ(MainListTexts(), (Texts{L"Herunterfahren: Standard", L"Herunterfahren: Microsoft Windows XP Professional",
                                      L"Herunterfahren: Microsoft Windows XP Home", L"", L"", L"Neu anmelden", L"",
                                      L"Standby-Modus", L"Ruhezustand", L"Sperren"}));
}

TEST_F(MainList, TheLastChoiceIsSelectedAgainAfterAReopenAndANewStart) {
    OpenMain();
    const int home = kvtest::IndexOf(L"Neu starten: Microsoft Windows XP Home");
    SelectMainListItem(home);
    EXPECT_TRUE(UnloadMain(conCM_User));  // the close box: hidden
    EXPECT_FALSE(IsWindowVisible(MainWindow()));
    EXPECT_EQ(kvtest::Stored(HKEY_CURRENT_USER, kOptionsKey, L"LastSelectedOption").text,
              L"Neu starten: Microsoft Windows XP Home");

    OpenMain();  // the same window, filled again
    EXPECT_EQ(MainListSelected(), home);

    // A new start reads the stored choice.
    Quit();
    State() = ProgramState{};
    State().Mode = RunMode::CommandLine;
    ReadProgramSettings();
    OpenMain();
    EXPECT_EQ(MainListSelected(), home);
    EXPECT_TRUE(MainControlEnabled(conMainQuitWindows));
}

TEST_F(MainList, SeparatorsAndLockLimitWhatCanBeChosen) {
    State().AllowUnsaveQuit = true;
    OpenMain();
    ASSERT_TRUE(MainControlEnabled(conMainQuitWithoutSave));
    TickMainQuitWithoutSave(true);

    SelectMainListItem(3);  // a separator
    EXPECT_FALSE(MainControlEnabled(conMainQuitWindows));
    EXPECT_FALSE(MainControlEnabled(conMainQuitWithoutSave));
    EXPECT_TRUE(MainQuitWithoutSaveTicked());  // disabled, the tick stays

    SelectMainListItem(kvtest::IndexOf(L"Sperren"));
    EXPECT_TRUE(MainControlEnabled(conMainQuitWindows));
    EXPECT_FALSE(MainControlEnabled(conMainQuitWithoutSave));

    for (const wchar_t* entry : {L"Standby-Modus", L"Ruhezustand", L"Neu anmelden"}) {
        SelectMainListItem(kvtest::IndexOf(entry));
        EXPECT_TRUE(MainControlEnabled(conMainQuitWithoutSave)) << std::string(entry, entry + wcslen(entry));
        EXPECT_TRUE(MainControlEnabled(conMainQuitWindows));
    }

    SelectMainListItem(-1);  // a click beside every entry
    EXPECT_FALSE(MainControlEnabled(conMainQuitWindows));

    // A restored lock choice comes with its rules.
    UnloadMain(conCM_User);
    State().LastSelectedOption = L"Sperren";
    OpenMain();
    EXPECT_EQ(MainListSelected(), kvtest::IndexOf(L"Sperren"));
    EXPECT_TRUE(MainControlEnabled(conMainQuitWindows));
    EXPECT_FALSE(MainControlEnabled(conMainQuitWithoutSave));
}

TEST_F(MainList, WithoutAllowUnsaveQuitTheTickIsNeitherOfferedNorKept) {
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"QuitWithoutSave", 1);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimedActionImmediate", 1);
    State().QuitSaveImmediate = true;
    State().LastSelectedOption = L"Standby-Modus";
    OpenMain();
    EXPECT_FALSE(MainControlEnabled(conMainQuitWithoutSave));
    EXPECT_FALSE(MainQuitWithoutSaveTicked());
    EXPECT_FALSE(State().TimedActionImmediate);
    SelectMainListItem(kvtest::IndexOf(L"Ruhezustand"));
    EXPECT_FALSE(MainControlEnabled(conMainQuitWithoutSave));
}

TEST_F(MainList, TheStoredTickAndTimedForceLastOnlyWithQuitSaveImmediate) {
    Store(HKEY_CURRENT_USER, kPrgSettingsKey, L"QuitWithoutSave", 1);
    Store(HKEY_CURRENT_USER, kOptionsKey, L"TimedActionImmediate", 1);
    State().AllowUnsaveQuit = true;

    OpenMain();
    EXPECT_TRUE(MainControlEnabled(conMainQuitWithoutSave));
    EXPECT_FALSE(MainQuitWithoutSaveTicked());
    EXPECT_FALSE(State().TimedActionImmediate);

    State().QuitSaveImmediate = true;
    OpenMain();
    EXPECT_TRUE(MainQuitWithoutSaveTicked());
    EXPECT_TRUE(State().TimedActionImmediate);
}

}  // namespace
