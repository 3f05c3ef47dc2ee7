// The tray menu as data: the action groups for the chosen entries, the forced-exit switch,
// the fixed part, and what each chosen item does.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "TraySupport.h"
#include "program/basGlobals.h"
#include "ui/tray/basMenues.h"
#include "res/Pictures.h"

using namespace kvr;
using kvtest::Stored;

namespace {

using Row = std::tuple<std::wstring, std::wstring, long>;  // name, caption, icon

const MenuEntry& Named(const MenuLayout& menu, const std::wstring& name) {
    auto found = std::find_if(menu.Items.begin(), menu.Items.end(), [&](const MenuEntry& e) { return e.Name == name; });
    if (found == menu.Items.end()) throw std::runtime_error("no menu item of that name");
    return *found;
}

unsigned long StoredQuitImmediate() { return Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"QuitImmediate").number; }

using TrayMenu = kvtest::TrayTest;

}  // namespace

TEST_F(TrayMenu, ActionPart_GroupedWithTitles_SystemsAsCaptions_DefaultMarked) {
    const Row sep{L"mnuSep", L"-Windows beenden", conMI_None};
    struct Case {
        const wchar_t *visible, *standard;
        std::vector<Row> rows;  // the items in front of the "- " line of the forced-exit switch
        const wchar_t* defaultItem;
    } cases[] = {
        {L"", L"", {sep, {L"mnuOther0", L"&Windows beenden...", conMI_EndDialog}}, L"mnuOther0"},
        {L"", L"Sperren", {sep, {L"mnuOther0", L"&Windows beenden...", conMI_EndDialog}}, L""},
        {L"Neu anmelden;Herunterfahren: Standard;Neu starten: Microsoft Windows XP Professional;Sperren;"
         L"Herunterfahren: Microsoft Windows XP Home;Windows beenden...;",
         L"Neu starten: Microsoft Windows XP Professional",
         {{L"mnuSep", L"-Herunterfahren", conMI_None},
          {L"mnuShutdown0", L"Standard", conMI_Shutdown},
          {L"mnuShutdown1", L"Microsoft Windows XP Home", conMI_Shutdown},
          {L"mnuSep", L"-Neu starten", conMI_None},
          {L"mnuReboot0", L"Microsoft Windows XP Professional", conMI_Restart},
          {L"mnuSep", L"-Andere", conMI_None},
          {L"mnuOther0", L"Neu anmelden", conMI_Logoff},
          {L"mnuOther1", L"Sperren", conMI_Lock},
          {L"mnuOther2", L"&Windows beenden...", conMI_EndDialog}},
         L"mnuReboot0"},
        {L"Standby-Modus;Ruhezustand;", L"",
         {sep, {L"mnuOther0", L"Standby-Modus", conMI_Standby}, {L"mnuOther1", L"Ruhezustand", conMI_Hibernate}},
         L""},
        // Empty pieces are no entries; a system name holding another action's text stays in the
        // group of the action it performs; a "&" of a name is shown, not an access key.
        {L";Neu starten: XP Herunterfahren;;Herunterfahren;Neu starten: Haus & Hof;", L"",
         {{L"mnuSep", L"-Herunterfahren", conMI_None},
          {L"mnuShutdown0", L"Herunterfahren", conMI_Shutdown},
          {L"mnuSep", L"-Neu starten", conMI_None},
          {L"mnuReboot0", L"XP Herunterfahren", conMI_Restart},
          {L"mnuReboot1", L"Haus && Hof", conMI_Restart}},
         L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.visible)));
        State().VisibleMenuOptions = c.visible;
        State().StandardMenuOption = c.standard;
        MenuLayout menu = BuildMainMenu();
        std::vector<Row> part;
        for (auto e = menu.Items.begin(); e != menu.Items.end() && e->Caption != L"- "; ++e)
            part.push_back({e->Name, e->Caption, e->Icon});
        EXPECT_EQ(part, c.rows);
        EXPECT_EQ(menu.DefaultItem, c.defaultItem);
    }
    EXPECT_EQ(Named(BuildMainMenu(), L"mnuReboot0").ActionText, L"Neu starten: XP Herunterfahren");
}

TEST_F(TrayMenu, FixedPart_InOrder) {
    MenuLayout menu = BuildMainMenu();
    std::map<std::wstring, std::wstring> byParent;  // separators by caption, other items by name
    for (const MenuEntry& e : menu.Items) byParent[e.Parent] += (e.Caption[0] == L'-' ? e.Caption : e.Name) + L",";
    EXPECT_EQ(byParent[L""], L"-Windows beenden,mnuOther0,- ,mnuQuitImmediate,-Funktionen,mnuFunctions,mnuOptions,"
                             L"-Online,mnuInternet,-Hilfe,mnuContact,mnuHelp,mnuInfo,-Beenden,mnuQuit,");
    EXPECT_EQ(byParent[L"mnuFunctions"], L"-Konfiguration,mnuFView,mnuFViewMenu,mnuFStandard,mnuFAutodialog,"
                                         L"mnuFAutologon,mnuFshortcuts,mnuFOptions,-Funktionen,mnuFLinks,"
                                         L"mnuFTimedAction,mnuFRemoteShutdown,");
    EXPECT_EQ(byParent[L"mnuInternet"], L"-Version,mnuICheckVersion,mnuIVersionInfo,mnuIDownload,-Support,mnuIFAQ,"
                                        L"mnuISupport,mnuINewsletter,-Website,mnuIWebsite,");
    EXPECT_EQ(byParent.size(), 3u);
    const std::pair<const wchar_t*, const wchar_t*> captions[] = {
        {L"mnuQuit", L"&Beenden"},
        {L"mnuIWebsite", L"&Kelvo Restart"},
        {L"mnuFTimedAction", L"&Zeitgesteuertes Herunterfahren..."},
        {L"mnuFRemoteShutdown", L"&Ferngesteuertes Herunterfahren..."},
        {L"mnuFAutologon", L"Automatisches &Einloggen..."},
        {L"mnuIVersionInfo", L"&Versionsinfo"},
    };
    for (const auto& [name, caption] : captions) EXPECT_EQ(Named(menu, name).Caption, caption);
    EXPECT_EQ(WebsiteAddress(L"kelvorestart_d_faq.html"), L"http://www.tormel.example/kelvorestart_d_faq.html");
}

TEST_F(TrayMenu, QuitImmediateSwitch_CaptionFollowsTheState_OfferedOnlyWithAllowUnsaveQuit) {
    struct Case {
        bool allow, quitImmediate;
        const wchar_t* caption;
        bool enabled, checked;
    } cases[] = {{true, true, L"&Sofort beenden aus", true, true},
                 {true, false, L"&Sofort beenden", true, false},
                 {false, true, L"&Sofort beenden aus", false, false},
                 {false, false, L"&Sofort beenden", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "allow " << c.allow << ", on " << c.quitImmediate);
        State().AllowUnsaveQuit = c.allow;
        State().QuitImmediate = c.quitImmediate;
        const MenuEntry item = Named(BuildMainMenu(), L"mnuQuitImmediate");
        EXPECT_EQ(item.Caption, c.caption);
        EXPECT_EQ(item.Enabled, c.enabled);
        EXPECT_EQ(item.Checked, c.checked);
        EXPECT_EQ(TrayForceFlag(), c.checked) << "the force flag is what the switch shows";
    }
}

TEST_F(TrayMenu, ChosenSwitch_TogglesAndStoresAtOnce_OnlyWhenOffered) {
    ExecuteMainMenuItem(BuildMainMenu(), L"mnuQuitImmediate");
    EXPECT_FALSE(State().QuitImmediate);
    State().AllowUnsaveQuit = true;
    ExecuteMainMenuItem(BuildMainMenu(), L"mnuQuitImmediate");
    EXPECT_TRUE(State().QuitImmediate);
    EXPECT_EQ(StoredQuitImmediate(), 1u);
    SetQuitImmediate();
    EXPECT_FALSE(State().QuitImmediate);
    EXPECT_EQ(StoredQuitImmediate(), 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"QuitImmediate").type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(TrayMenu, ChosenAction_EndsWindowsWithTheForceOfTheSwitch) {
    kvtest::RunningWindows running(kvtest::Windows::XP);
    kvtest::WriteFileText(kvtest::kBootIni, kvtest::kXpBootIni);
    State().VisibleMenuOptions = L"Herunterfahren: Standard;Neu starten: Microsoft Windows XP Home;";
    State().AllowUnsaveQuit = true;
    State().QuitImmediate = true;
    ExecuteMainMenuItem(BuildMainMenu(), L"mnuReboot0");
    auto exits = session.CallsOf("ExitWindowsEx");
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].numbers[0], 7u);
    EXPECT_TRUE(State().QuitFlag) << "the program was torn down first";
    EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS") << "the chosen system boots next";
}

TEST_F(TrayMenu, ChosenHelpShowsTheContents_QuitTearsDownAndEndsTheLoop_NoChoiceDoesNothing) {
    MenuLayout menu = BuildMainMenu();
    for (const wchar_t* name : {L"mnuSep", L"mnuMissing", L""}) ExecuteMainMenuItem(menu, name);
    EXPECT_TRUE(boxes.shown.empty());
    ExecuteMainMenuItem(menu, L"mnuHelp");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Hilfe \"" + GetHelpfile() + L"\" konnte nicht angezeigt werden.");
    EXPECT_FALSE(State().QuitFlag);

    bool tornDown = false;
    AddQuitStep([&] { tornDown = true; });
    ExecuteMainMenuItem(menu, L"mnuQuit");
    EXPECT_TRUE(tornDown && State().QuitFlag);
    EXPECT_TRUE(kvtest::TakeQuitMessage());
    EXPECT_TRUE(session.calls.empty());
}
