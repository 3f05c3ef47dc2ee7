// The tray menu as data: the action groups for the chosen entries, the forced-exit switch,
// the fixed part, and what each chosen item does.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "TraySupport.h"
#include "basGlobals.h"
#include "basMenues.h"
#include "frmContextMenues.h"
#include "res/Pictures.h"

using namespace kvr;
using kvtest::Stored;

namespace {

struct Row {
    std::wstring name;
    std::wstring caption;
    long icon;
    bool operator==(const Row& o) const { return name == o.name && caption == o.caption && icon == o.icon; }
};

std::ostream& operator<<(std::ostream& os, const Row& s) {
    return os << testing::PrintToString(s.name) << " " << testing::PrintToString(s.caption) << " " << s.icon;
}

// The action part: the items in front of the "- " line of the forced-exit switch.
std::vector<Row> ActionPart(const MenuLayout& menu) {
    std::vector<Row> part;
    for (const MenuEntry& e : menu.Items) {
        if (e.Caption == L"- ") break;
        part.push_back({e.Name, e.Caption, e.Icon});
    }
    return part;
}

const MenuEntry& Named(const MenuLayout& menu, const std::wstring& name) {
    auto found = std::find_if(menu.Items.begin(), menu.Items.end(), [&](const MenuEntry& e) { return e.Name == name; });
    if (found == menu.Items.end()) throw std::runtime_error("no menu item of that name");
    return *found;
}

using TrayMenu = kvtest::TrayTest;

}  // namespace

TEST_F(TrayMenu, WithoutChosenEntries_OnlyTheEndDialogUnderItsTitle_AsDefault) {
    MenuLayout menu = BuildMainMenu();
    EXPECT_EQ(ActionPart(menu), (std::vector<Row>{{L"mnuSep", L"-Windows beenden", conMI_None},
                                                     {L"mnuOther0", L"&Windows beenden...", conMI_EndDialog}}));
    EXPECT_EQ(menu.DefaultItem, L"mnuOther0");
    EXPECT_EQ(GetStandardMenu(), L"Windows beenden...");
}

TEST_F(TrayMenu, MixedEntries_GroupedWithTitles_SystemsAsCaptions_DefaultMarked) {
    State().VisibleMenuOptions =
        L"Neu anmelden;Herunterfahren: Standard;Neu starten: Microsoft Windows XP Professional;Sperren;"
        L"Herunterfahren: Microsoft Windows XP Home;Windows beenden...;";
    State().StandardMenuOption = L"Neu starten: Microsoft Windows XP Professional";
    MenuLayout menu = BuildMainMenu();
    EXPECT_EQ(ActionPart(menu),
              (std::vector<Row>{{L"mnuSep", L"-Herunterfahren", conMI_None},
                                  {L"mnuShutdown0", L"Standard", conMI_Shutdown},
                                  {L"mnuShutdown1", L"Microsoft Windows XP Home", conMI_Shutdown},
                                  {L"mnuSep", L"-Neu starten", conMI_None},
                                  {L"mnuReboot0", L"Microsoft Windows XP Professional", conMI_Restart},
                                  {L"mnuSep", L"-Andere", conMI_None},
                                  {L"mnuOther0", L"Neu anmelden", conMI_Logoff},
                                  {L"mnuOther1", L"Sperren", conMI_Lock},
                                  {L"mnuOther2", L"&Windows beenden...", conMI_EndDialog}}));
    EXPECT_EQ(menu.DefaultItem, L"mnuReboot0");
    EXPECT_EQ(Named(menu, L"mnuShutdown1").ActionText, L"Herunterfahren: Microsoft Windows XP Home");
}

TEST_F(TrayMenu, OtherActionsAlone_TitledWindowsBeenden_NoDefaultWithoutStandard) {
    State().VisibleMenuOptions = L"Standby-Modus;Ruhezustand;";
    MenuLayout menu = BuildMainMenu();
    EXPECT_EQ(ActionPart(menu), (std::vector<Row>{{L"mnuSep", L"-Windows beenden", conMI_None},
                                                     {L"mnuOther0", L"Standby-Modus", conMI_Standby},
                                                     {L"mnuOther1", L"Ruhezustand", conMI_Hibernate}}));
    EXPECT_EQ(menu.DefaultItem, L"");
    EXPECT_EQ(GetStandardMenu(), L"");
}

TEST_F(TrayMenu, OddEntries_GroupedByTheirAction_ShownLiterally) {
    // Empty pieces are no entries; a system name holding another action's text stays in the
    // group of the action it performs; a "&" of a name is shown, not an access key; an
    // entry without system keeps its whole text.
    State().VisibleMenuOptions = L";Neu starten: XP Herunterfahren;;Herunterfahren;Neu starten: Haus & Hof;";
    MenuLayout menu = BuildMainMenu();
    EXPECT_EQ(ActionPart(menu), (std::vector<Row>{{L"mnuSep", L"-Herunterfahren", conMI_None},
                                                     {L"mnuShutdown0", L"Herunterfahren", conMI_Shutdown},
                                                     {L"mnuSep", L"-Neu starten", conMI_None},
                                                     {L"mnuReboot0", L"XP Herunterfahren", conMI_Restart},
                                                     {L"mnuReboot1", L"Haus && Hof", conMI_Restart}}));
}

TEST_F(TrayMenu, FixedPart_InOrder_LaterWindowsDisabled) {
    MenuLayout menu = BuildMainMenu();
    std::vector<std::wstring> top, functions, internet, disabled;
    for (const MenuEntry& e : menu.Items) {
        std::wstring shown = e.Caption[0] == L'-' ? e.Caption : e.Name;
        if (e.Parent.empty()) top.push_back(shown);
        if (e.Parent == L"mnuFunctions") functions.push_back(shown);
        if (e.Parent == L"mnuInternet") internet.push_back(shown);
        if (!e.Enabled) disabled.push_back(e.Name);
    }
    EXPECT_EQ(top, (std::vector<std::wstring>{L"-Windows beenden", L"mnuOther0", L"- ", L"mnuQuitImmediate",
                                              L"-Funktionen", L"mnuFunctions", L"mnuOptions", L"-Online",
                                              L"mnuInternet", L"-Hilfe", L"mnuContact", L"mnuHelp", L"mnuInfo",
                                              L"-Beenden", L"mnuQuit"}));
    EXPECT_EQ(functions,
              (std::vector<std::wstring>{L"-Konfiguration", L"mnuFView", L"mnuFViewMenu", L"mnuFStandard",
                                         L"mnuFAutodialog", L"mnuFAutologon", L"mnuFshortcuts", L"mnuFOptions",
                                         L"-Funktionen", L"mnuFLinks", L"mnuFTimedAction", L"mnuFRemoteShutdown"}));
    EXPECT_EQ(internet, (std::vector<std::wstring>{L"-Version", L"mnuICheckVersion", L"mnuIVersionInfo",
                                                   L"mnuIDownload", L"-Support", L"mnuIFAQ", L"mnuISupport",
                                                   L"mnuINewsletter", L"-Website", L"mnuIWebsite"}));
    // Options pages, version check, contact and info open windows that are not built yet;
    // the switch is off without AllowUnsaveQuit.
    EXPECT_EQ(disabled, (std::vector<std::wstring>{L"mnuQuitImmediate", L"mnuFView", L"mnuFViewMenu", L"mnuFStandard",
                                                   L"mnuFAutodialog", L"mnuFAutologon", L"mnuFshortcuts",
                                                   L"mnuFOptions", L"mnuFLinks", L"mnuFTimedAction",
                                                   L"mnuFRemoteShutdown", L"mnuOptions", L"mnuICheckVersion",
                                                   L"mnuContact", L"mnuInfo"}));
    EXPECT_EQ(Named(menu, L"mnuQuit").Caption, L"&Beenden");
    EXPECT_EQ(Named(menu, L"mnuIWebsite").Caption, L"&Kelvo Restart");
}

// ---- The forced-exit switch ----

struct SwitchCase {
    bool allow, quitImmediate;
    const wchar_t* caption;
    bool enabled, checked;
};

class QuitImmediateSwitch : public kvtest::TrayTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(QuitImmediateSwitch, CaptionFollowsTheState_OfferedOnlyWithAllowUnsaveQuit) {
    State().AllowUnsaveQuit = GetParam().allow;
    State().QuitImmediate = GetParam().quitImmediate;
    MenuLayout menu = BuildMainMenu();
    const MenuEntry& item = Named(menu, L"mnuQuitImmediate");
    EXPECT_EQ(item.Caption, GetParam().caption);
    EXPECT_EQ(item.Enabled, GetParam().enabled);
    EXPECT_EQ(item.Checked, GetParam().checked);
    EXPECT_EQ(TrayForceFlag(), GetParam().checked) << "the force flag is what the switch shows";
}

INSTANTIATE_TEST_SUITE_P(States, QuitImmediateSwitch,
                         ::testing::Values(SwitchCase{true, true, L"&Sofort beenden aus", true, true},
                                           SwitchCase{true, false, L"&Sofort beenden", true, false},
                                           SwitchCase{false, true, L"&Sofort beenden aus", false, false},
                                           SwitchCase{false, false, L"&Sofort beenden", false, false}));

TEST_F(TrayMenu, SetQuitImmediate_TogglesAndStoresAtOnce) {
    SetQuitImmediate();
    EXPECT_TRUE(State().QuitImmediate);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"QuitImmediate").number, 1u);
    EXPECT_EQ(Named(BuildMainMenu(), L"mnuQuitImmediate").Caption, L"&Sofort beenden aus");
    SetQuitImmediate();
    EXPECT_FALSE(State().QuitImmediate);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"QuitImmediate").number, 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"QuitImmediate").type, static_cast<DWORD>(REG_DWORD));
}

// ---- What a chosen item does ----

TEST_F(TrayMenu, ChosenSwitch_TogglesOnlyWhenOffered) {
    MenuLayout offNotOffered = BuildMainMenu();
    ExecuteMainMenuItem(offNotOffered, L"mnuQuitImmediate");
    EXPECT_FALSE(State().QuitImmediate);

    State().AllowUnsaveQuit = true;
    ExecuteMainMenuItem(BuildMainMenu(), L"mnuQuitImmediate");
    EXPECT_TRUE(State().QuitImmediate);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"QuitImmediate").number, 1u);
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

TEST_F(TrayMenu, ChosenQuit_TearsDownAndEndsTheMessageLoop) {
    bool tornDown = false;
    AddQuitStep([&] { tornDown = true; });
    ExecuteMainMenuItem(BuildMainMenu(), L"mnuQuit");
    EXPECT_TRUE(tornDown);
    EXPECT_TRUE(State().QuitFlag);
    EXPECT_TRUE(kvtest::TakeQuitMessage());
    EXPECT_TRUE(session.calls.empty());
}

TEST_F(TrayMenu, ChosenHelp_ShowsTheContents_MissingFileReported) {
    ExecuteMainMenuItem(BuildMainMenu(), L"mnuHelp");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Hilfe \"" + GetHelpfile() + L"\" konnte nicht angezeigt werden.");
}

TEST_F(TrayMenu, DisabledUnknownAndNoChoice_DoNothing) {
    MenuLayout menu = BuildMainMenu();
    for (const wchar_t* name : {L"mnuOptions", L"mnuInfo", L"mnuFView", L"mnuSep", L"mnuMissing", L""})
        ExecuteMainMenuItem(menu, name);
    EXPECT_TRUE(session.calls.empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(State().QuitFlag);
    EXPECT_FALSE(kvtest::TakeQuitMessage());
}

TEST(TrayMenuWebsite, PagesBelowTheProductAddress) {
    EXPECT_EQ(WebsiteAddress(L"kelvorestart_d_faq.html"), L"http://www.tormel.example/kelvorestart_d_faq.html");
    EXPECT_EQ(WebsiteAddress(L""), L"http://www.tormel.example/");
}

// ---- The default action ----

TEST_F(TrayMenu, StandardMenu_EndDialogOnlyWhenNothingIsChosen) {
    EXPECT_EQ(GetStandardMenu(), L"Windows beenden...");
    State().StandardMenuOption = L"Sperren";
    EXPECT_EQ(GetStandardMenu(), L"Sperren");
    State().VisibleMenuOptions = L"Sperren;";
    State().StandardMenuOption = L"";
    EXPECT_EQ(GetStandardMenu(), L"");
}

// ---- The menu pictures ----

TEST_F(TrayMenu, MenuPictures_OneListInPictureOrder_BuiltAgainAfterUnload) {
    HIMAGELIST images = imgListMenues();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), static_cast<int>(std::size(conMenuImageList)));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(imgListMenues(), images);
    UnloadContextMenues();
    HIMAGELIST again = imgListMenues();
    EXPECT_EQ(ImageList_GetImageCount(again), static_cast<int>(std::size(conMenuImageList)));
}
