// The options dialog for real under Xvfb: pages, keys, OK with each failing check, OK that
// writes, Cancel, whole-item matching and timed actions set through the dialog.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "CliTestSupport.h"
#include "InjectedInput.h"
#include "ManualClock.h"
#include "TempFolder.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "hotkeys/basShortcuts.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "ui/options/basOptions.h"
#include "ui/options/frmOptions.h"
#include "ui/main/frmMain.h"
#include "ui/tray/basMenues.h"
#include "work/basTimedAction.h"

namespace kvtest {
namespace {

using namespace kvr::options;

// Two systems, one name inside the other: "Neu starten: XP" is part of "Neu starten: XP Home".
const std::string kNestedBootIni =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect\r\n"
    "multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS=\"XP Home\" /fastdetect\r\n";

// The program's loop, as for every dialog: keys go through the dialog manager.
void DialogPump(DWORD ms) { PumpFor(ms, true); }
bool DialogPumpUntil(const std::function<bool()>& done, DWORD ms = 3000) { return PumpUntil(done, ms, true); }

class OptionsDialogTest : public FreshProfileTest {
public:
    void SetUp() override {
        FreshProfileTest::SetUp();
        kvr::State() = kvr::ProgramState{};
        kvr::State().Mode = kvr::RunMode::CommandLine;
        kvr::State().TimeActionType = 0;
        WriteFileText(kBootIni, kXpBootIni);
        clock_.Set(2004, 3, 5, 12, 0, 0);
    }
    void TearDown() override {
        if (kvr::OptionsLoaded()) kvr::OptionsForm().Unload();
        kvr::SetTimedActionTimer(false);
        kvr::Quit();
        DialogPump(30);
        FreshProfileTest::TearDown();
    }

    kvr::frmOptions& Form() { return kvr::OptionsForm(); }
    HWND Item(int id) { return Form().Item(id); }
    void Open(long page) {
        kvr::OpenOptions(page);
        ASSERT_TRUE(kvr::OptionsLoaded());
        DialogPump(30);
    }
    void Click(int id) {
        SendMessageW(Item(id), BM_CLICK, 0, 0);
        DialogPump(10);
    }
    void Ok() {
        SendMessageW(Form().Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        DialogPump(10);
    }
    void SelectAction(int combo, const std::wstring& text) {
        HWND c = Item(combo);
        const LRESULT index = SendMessageW(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(text.c_str()));
        ASSERT_NE(index, CB_ERR) << "no item " << std::string(text.begin(), text.end());
        SendMessageW(c, CB_SETCURSEL, index, 0);
        SendMessageW(Form().Handle(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
    }
    static std::wstring Setting(const wchar_t* name, long group = kvr::conSG_Options) {
        return kvr::SettingText(kvr::ReadSetting(name, group, kv::Variant(L"<none>")));
    }

    RunningWindows xp_{Windows::XP};
    RecordingSessionControl session_;
    RecordingMessageBox boxes_;
    ManualClock clock_;
};

TEST_F(OptionsDialogTest, OpensOnEachPageWithItsFirstFocusAndRemembersIt) {
    const int firstFocus[] = {lstView,      lstViewMenu,  lstStandard, chkAutoDialog,     optTimedActionType0,
                              chkAutoLogon, cboLinks,     txtRemoteComputer, lstShortcuts, chkAutoStart};
    for (long page = 1; page <= 10; ++page) {
        Open(page);
        EXPECT_EQ(Form().CurrentPage(), page);
        EXPECT_EQ(SendMessageW(Item(tabOptions), TCM_GETCURSEL, 0, 0), page - 1);
        EXPECT_TRUE(IsWindowVisible(Item(firstFocus[page - 1]))) << page;
        EXPECT_FALSE(IsWindowVisible(Item(firstFocus[page % 10]))) << page;
        EXPECT_EQ(GetFocus(), Item(firstFocus[page - 1])) << page;
        Form().Unload();
        EXPECT_EQ(Setting(L"LastOptionTab", kvr::conSG_PrgSettings), std::to_wstring(page));
    }
    Open(0);  // "&Optionen...": the page used last
    EXPECT_EQ(Form().CurrentPage(), 10);
    // A second request brings the open dialog to the asked page.
    kvr::OpenOptions(3);
    EXPECT_EQ(Form().CurrentPage(), 3);
}

TEST_F(OptionsDialogTest, TrayEntriesOpenTheirPagesAndTheMainWindowGivesWayToTheDialog) {
    const std::pair<const wchar_t*, long> entries[] = {
        {L"mnuFView", 1},      {L"mnuFViewMenu", 2}, {L"mnuFStandard", 3},       {L"mnuFAutodialog", 4},
        {L"mnuFTimedAction", 5}, {L"mnuFAutologon", 6}, {L"mnuFLinks", 7}, {L"mnuFRemoteShutdown", 8},
        {L"mnuFshortcuts", 9}, {L"mnuFOptions", 10}};
    for (const auto& [name, page] : entries) {
        kvr::ExecuteMainMenuItem(kvr::BuildMainMenu(), name);
        ASSERT_TRUE(kvr::OptionsLoaded()) << page;
        EXPECT_EQ(Form().CurrentPage(), page);
        Form().Unload();
    }
    kvr::ExecuteMainMenuItem(kvr::BuildMainMenu(), L"mnuOptions");
    ASSERT_TRUE(kvr::OptionsLoaded());
    EXPECT_EQ(Form().CurrentPage(), 10);
    EXPECT_TRUE(kvr::OpenMain());
    EXPECT_FALSE(kvr::MainWindow() && IsWindowVisible(kvr::MainWindow()));
    EXPECT_TRUE(kvr::BringInFront());
}

TEST_F(OptionsDialogTest, TabOrderOfAPageThenTheFrame) {
    kvr::State().AutoDialog = true;
    kvr::WriteSetting(L"AutoClose", kvr::conSG_Options, kv::Variant(1L));
    Open(4);
    ASSERT_EQ(GetFocus(), Item(chkAutoDialog));
    const int expected[] = {chkAutoclose, txtCloseTime, optCloseType1, tabOptions, cmdOK, cmdCancel, cmdHelp,
                            chkAutoDialog};
    HWND at = GetFocus();
    for (int id : expected) {
        at = GetNextDlgTabItem(Form().Handle(), at, FALSE);
        EXPECT_EQ(at, Item(id)) << "expected control " << id << ", got " << GetDlgCtrlID(at);
    }
}

TEST_F(OptionsDialogTest, ResizingMovesTheButtonsAndGrowsTheListsAndTheRectangleIsKeptAfterCancel) {
    Open(1);
    RECT before{}, list{}, ok{}, box{};
    GetWindowRect(Form().Handle(), &before);
    GetClientRect(Form().PageBox(1), &box);
    GetWindowRect(Item(lstView), &list);
    GetWindowRect(Item(cmdOK), &ok);
    SetWindowPos(Form().Handle(), nullptr, 20, 30, before.right - before.left + 100,
                 before.bottom - before.top + 60, SWP_NOZORDER);
    DialogPump(20);
    RECT list2{}, ok2{};
    GetWindowRect(Item(lstView), &list2);
    GetWindowRect(Item(cmdOK), &ok2);
    EXPECT_EQ(list2.right - list2.left, list.right - list.left + 100);
    // The strip may need fewer rows of tabs when wider: the list grows with the page box.
    RECT box2{};
    GetClientRect(Form().PageBox(1), &box2);
    EXPECT_GE(box2.bottom - box.bottom, 60);
    EXPECT_EQ(list2.bottom - list2.top, list.bottom - list.top + (box2.bottom - box.bottom));
    EXPECT_EQ((ok2.left - 20) - (ok.left - before.left), 100);
    EXPECT_EQ((ok2.top - 30) - (ok.top - before.top), 60);
    // Never smaller than at the start.
    SetWindowPos(Form().Handle(), nullptr, 0, 0, 100, 100, SWP_NOZORDER | SWP_NOMOVE);
    RECT small{};
    GetWindowRect(Form().Handle(), &small);
    EXPECT_GE(small.right - small.left, before.right - before.left);
    SetWindowPos(Form().Handle(), nullptr, 20, 30, before.right - before.left + 100,
                 before.bottom - before.top + 60, SWP_NOZORDER);
    SendMessageW(Form().Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Open(1);
    RECT again{};
    GetWindowRect(Form().Handle(), &again);
    EXPECT_NEAR(again.left, 20, 1);
    EXPECT_NEAR(again.top, 30, 1);
    EXPECT_NEAR(again.right - again.left, before.right - before.left + 100, 1);
}

TEST_F(OptionsDialogTest, CtrlTabGoesRoundAndAccessKeysAreUniqueOnEachPage) {
    Open(10);
    ASSERT_TRUE(DialogPumpUntil([&] { return GetForegroundWindow() == Form().Handle(); }));
    SendKeys({{VK_CONTROL, true}, {VK_TAB, true}, {VK_TAB, false}, {VK_CONTROL, false}});
    EXPECT_TRUE(DialogPumpUntil([&] { return Form().CurrentPage() == 1; }));
    SendKeys({{VK_CONTROL, true}, {VK_SHIFT, true}, {VK_TAB, true}, {VK_TAB, false}, {VK_SHIFT, false},
              {VK_CONTROL, false}});
    EXPECT_TRUE(DialogPumpUntil([&] { return Form().CurrentPage() == 10; }));

    // Alt+E ticks "&Erlauben" on page 10.
    ASSERT_FALSE(Form().Checked(chkAllowUnsaveQuit));
    SendKeys({{VK_MENU, true}, {'E', true}, {'E', false}, {VK_MENU, false}});
    EXPECT_TRUE(DialogPumpUntil([&] { return Form().Checked(chkAllowUnsaveQuit); }));

    for (long page = 1; page <= 10; ++page) {
        Form().EnableOptionsTab(page);
        std::set<wchar_t> keys;
        for (HWND child = GetWindow(Form().PageBox(page), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(child);
            if (PageOf(id) != page || !IsWindowVisible(child) || !IsWindowEnabled(child)) continue;
            wchar_t text[256] = L"";
            GetWindowTextW(child, text, 256);
            wchar_t cls[32] = L"";
            GetClassNameW(child, cls, 32);
            if (lstrcmpiW(cls, L"Edit") == 0 || (GetWindowLongW(child, GWL_STYLE) & SS_NOPREFIX)) continue;
            for (const wchar_t* c = text; *c; ++c) {
                if (*c == L'&' && c[1] && c[1] != L'&') {
                    const wchar_t key = static_cast<wchar_t>(towupper(c[1]));
                    EXPECT_TRUE(keys.insert(key).second) << "page " << page << " key " << char(key);
                    break;
                }
            }
        }
    }
}

TEST_F(OptionsDialogTest, OkWithEachFailingCheckShowsItsPageAndFocusAndStoresNothing) {
    using T = OptionsDialogTest;
    struct Case {
        const char* name;
        int timed;  // the timed action's kind, when the case chooses one (with "Sperren" unless "no action")
        std::function<void(T&)> set;
        const wchar_t* message;
        long page;
        int control;
    };
    const Case cases[] = {
        {"boot menu time", 0, [](T& t) { t.Form().SetText(txtBootmenutime, L"0"); },
         L"Bootmenüzeit ist nicht im Bereich von 1 bis 999!", 10, txtBootmenutime},
        {"close time", 0,
         [](T& t) {
             t.Click(chkAutoDialog);
             t.Click(chkAutoclose);
             t.Form().SetText(txtCloseTime, L"");
         },
         L"Schließzeit ist nicht im Bereich von 1 bis 999!", 4, txtCloseTime},
        {"no action", optTimedActionType3, [](T&) {}, L"Es wurde keine Aktion für die Zeitsteuerung angegeben!", 5,
         cboTimeAction},
        {"zero countdown", optTimedActionType1, [](T& t) { t.Form().SetPickerTime(dpTimeCountdown, {0, 0, 0}); },
         L"Ungültige Countdownzeit angegeben!", 5, dpTimeCountdown},
        {"in the past", optTimedActionType2,
         [](T& t) {
             t.Form().SetPickerDate(dpDateForAction, {2004, 3, 5});
             t.Form().SetPickerTime(dpTimeForAction, {11, 59, 59});
         },
         L"Zeitpunkt liegt in der Vergangenheit!", 5, dpTimeForAction},
        {"no weekday", optTimedActionType4, [](T& t) { t.Form().SetComboIndex(cboTimeWeekday, -1); },
         L"Es wurde kein Wochentag angegeben!", 5, cboTimeWeekday},
        {"month day", optTimedActionType5, [](T& t) { t.Form().SetText(txtTimeMonthDay, L"32"); },
         L"Ungültiger Monatstag angegeben!", 5, txtTimeMonthDay},
    };
    for (const Case& c : cases) {
        Open(1);
        if (c.timed) Click(c.timed);
        if (c.timed && c.timed != optTimedActionType3) SelectAction(cboTimeAction, L"Sperren");
        c.set(*this);
        boxes_.shown.clear();
        Ok();
        ASSERT_TRUE(kvr::OptionsLoaded()) << c.name;
        ASSERT_EQ(boxes_.shown.size(), 1u) << c.name;
        EXPECT_EQ(boxes_.shown[0].text, c.message) << c.name;
        EXPECT_EQ(boxes_.shown[0].title, L"Kelvo Restart");
        EXPECT_EQ(boxes_.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(Form().CurrentPage(), c.page) << c.name;
        EXPECT_EQ(GetFocus(), Item(c.control)) << c.name;
        EXPECT_EQ(Setting(L"VisibleOptions"), L"<none>") << c.name;
        EXPECT_EQ(ReadFileText(kBootIni), kXpBootIni) << c.name;
        Form().Unload();
    }
}

TEST_F(OptionsDialogTest, OkWritesEveryPageAndCancelOnlyTheDialogsOwnState) {
    Open(3);
    ListView_SetItemState(Item(lstStandard), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Form().SetText(txtBootmenutime, L"12");
    Form().SetText(txtRemoteComputer, L"pc1;pc2");
    ListView_SetCheckState(Item(lstView), 0, FALSE);
    Click(chkAutoStart);
    SendMessageW(Form().Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    DialogPump(10);
    ASSERT_FALSE(kvr::OptionsLoaded());
    EXPECT_EQ(ReadFileText(kBootIni), kXpBootIni);
    EXPECT_EQ(Setting(L"VisibleOptions"), L"<none>");
    EXPECT_EQ(Setting(L"Kelvo Restart", kvr::conSG_Autostart), L"<none>");
    EXPECT_EQ(Setting(L"RemoteComputer"), L"pc1;pc2");
    EXPECT_EQ(Setting(L"LastOptionTab", kvr::conSG_PrgSettings), L"3");
    EXPECT_NE(Setting(L"OptionDialogWidth"), L"<none>");

    Open(0);
    EXPECT_EQ(Form().Text(txtRemoteComputer), L"pc1;pc2");
    ListView_SetItemState(Item(lstStandard), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Form().SetText(txtBootmenutime, L"12");
    ListView_SetCheckState(Item(lstView), 0, FALSE);
    Click(chkAutoStart);
    Ok();
    ASSERT_FALSE(kvr::OptionsLoaded());
    EXPECT_TRUE(boxes_.shown.empty());
    EXPECT_EQ(ReadFileText(kBootIni),
              "[boot loader]\r\n"
              "timeout=12\r\n"
              "default=multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS\r\n"
              "[operating systems]\r\n"
              "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /fastdetect\r\n"
              "multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS=\"Microsoft Windows XP Home\" /fastdetect\r\n");
    EXPECT_EQ(Setting(L"VisibleOptions"), L"Herunterfahren: Standard;");
    EXPECT_EQ(Setting(L"StandardSystem"), L"Microsoft Windows XP Home");
    EXPECT_EQ(Setting(L"Kelvo Restart", kvr::conSG_Autostart), kvr::ProgramFileName());
}

TEST_F(OptionsDialogTest, EntriesMatchAsWholeItemsNotAsParts) {
    WriteFileText(kBootIni, kNestedBootIni);
    kvr::State().VisibleOptions = L"Neu starten: XP;";
    kvr::State().VisibleMenuOptions = L"Neu starten: XP;";
    kvr::State().StandardMenuOption = L"Neu starten: XP";
    kvr::State().TimeAction = L"Neu starten: XP";
    kvr::State().TimeActionType = 3;
    Open(1);
    const std::vector<ActionRow> view = Form().ActionRows(lstView);
    const std::vector<ActionRow> menu = Form().ActionRows(lstViewMenu);
    for (size_t i = 0; i < view.size(); ++i) {
        const bool exact = view[i].Text == L"Neu starten: XP";
        EXPECT_EQ(view[i].Ticked, !exact) << i;
        EXPECT_EQ(menu[i].Ticked, exact) << i;
        EXPECT_EQ(menu[i].Selected, exact) << i;
    }
    EXPECT_EQ(Form().Text(cboTimeAction), L"Neu starten: XP");
    Form().SetPickerTime(dpTimeForAction, {13, 0, 0});
    Ok();
    ASSERT_FALSE(kvr::OptionsLoaded());
    EXPECT_EQ(Setting(L"TimeAction"), L"Neu starten: XP");
    EXPECT_EQ(Setting(L"StandardMenuOption"), L"Neu starten: XP");
    EXPECT_EQ(Setting(L"VisibleOptions"), L"Neu starten: XP;");
}

TEST_F(OptionsDialogTest, GhostedBootSystemsTakeNoTickWhileBootIniIsWriteProtected) {
    WriteBlocked blocked(kBootIni);
    Open(2);
    EXPECT_FALSE(IsWindowEnabled(Item(lstStandard)));
    EXPECT_FALSE(IsWindowEnabled(Item(chkAutoDialog)));
    const std::vector<ActionRow> rows = Form().ActionRows(lstViewMenu);
    ASSERT_TRUE(rows[1].Ghosted);
    ListView_SetCheckState(Item(lstViewMenu), 1, TRUE);
    EXPECT_FALSE(Form().ActionRows(lstViewMenu)[1].Ticked);
    ListView_SetCheckState(Item(lstViewMenu), 0, TRUE);
    EXPECT_TRUE(Form().ActionRows(lstViewMenu)[0].Ticked);
}

// The triggers after the month: idle time and a program's end, and the warning's lead time.
TEST_F(OptionsDialogTest, TheIdleAndProgramTriggersAndTheWarningAreSetOnPageFive) {
    Open(5);
    Click(optTimedActionType6);
    EXPECT_TRUE(IsWindowEnabled(Item(txtTimeIdleMinutes)));
    EXPECT_FALSE(IsWindowEnabled(Item(cboTimeProcess)));
    EXPECT_FALSE(IsWindowEnabled(Item(dpTimeForAction)));
    SelectAction(cboTimeAction, L"Sperren");
    Form().SetText(txtTimeIdleMinutes, L"45");
    Form().SetText(txtTimeWarningLead, L"3601");
    boxes_.shown.clear();
    Ok();
    ASSERT_TRUE(kvr::OptionsLoaded());   // an hour is the longest warning
    ASSERT_EQ(boxes_.shown.size(), 1u);
    Form().SetText(txtTimeWarningLead, L"30");
    Ok();
    ASSERT_FALSE(kvr::OptionsLoaded());
    EXPECT_EQ(Setting(L"TimeActionType"), L"6");
    EXPECT_EQ(Setting(L"TimeIdleMinutes"), L"45");
    EXPECT_EQ(Setting(L"TimeWarningLead"), L"30");

    // This test's own program, every process of its name.
    Open(5);
    Click(optTimedActionType7);
    EXPECT_TRUE(IsWindowEnabled(Item(cboTimeProcess)));
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring name = std::wcsrchr(self, L'\\') + 1;
    SelectAction(cboTimeProcess, name + L" (alle)");
    Ok();
    ASSERT_FALSE(kvr::OptionsLoaded());
    EXPECT_EQ(Setting(L"TimeActionType"), L"7");
    EXPECT_EQ(Setting(L"TimeProcessName"), name);
    EXPECT_EQ(Setting(L"TimeProcessId"), L"0");
    kvr::SetTimedActionTimer(false);
}

TEST_F(OptionsDialogTest, TimedActionsSetThroughTheDialogFireOnTheManualClock) {
    Open(5);
    Click(optTimedActionType1);
    SelectAction(cboTimeAction, L"Sperren");
    Form().SetPickerTime(dpTimeCountdown, {0, 0, 10});
    Ok();
    ASSERT_FALSE(kvr::OptionsLoaded());
    EXPECT_TRUE(kvr::TimedActionTimerOn());
    EXPECT_EQ(Setting(L"TimeCountdown"), L"0:0:10");
    clock_.Advance(9);
    kvr::ExecuteTimedAction();
    EXPECT_TRUE(session_.CallsOf("LockWorkStation").empty());
    clock_.Advance(1);
    kvr::ExecuteTimedAction();
    EXPECT_EQ(session_.CallsOf("LockWorkStation").size(), 1u);
    EXPECT_FALSE(kvr::TimedActionTimerOn());

    // Daily at 12:00:30 (the clock reads 12:00:10).
    Open(5);
    Click(optTimedActionType3);
    SelectAction(cboTimeAction, L"Sperren");
    Form().SetPickerTime(dpTimeForAction, {12, 0, 30});
    Ok();
    ASSERT_FALSE(kvr::OptionsLoaded());
    EXPECT_EQ(Setting(L"TimeForAction"), L"12:0:30");
    clock_.Advance(19);
    kvr::ExecuteTimedAction();
    EXPECT_EQ(session_.CallsOf("LockWorkStation").size(), 1u);
    clock_.Advance(1);
    kvr::ExecuteTimedAction();
    EXPECT_EQ(session_.CallsOf("LockWorkStation").size(), 2u);
}

TEST_F(OptionsDialogTest, ARejectedCountdownNeverFires) {
    // A countdown of an hour runs; the dialog offers zero, which is refused.
    kvr::State().TimeActionType = 1;
    kvr::State().TimeAction = L"Sperren";
    kvr::State().TimeCountdown = kvr::MakeTime(1, 0, 0);
    kvr::SetCountdownStart(kvr::Now());
    kvr::SetTimedActionTimer(true);
    Open(5);
    Form().SetPickerTime(dpTimeCountdown, {0, 0, 0});
    Ok();
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, L"Ungültige Countdownzeit angegeben!");
    Form().Unload();
    kvr::ExecuteTimedAction();
    clock_.Advance(5);
    kvr::ExecuteTimedAction();
    EXPECT_TRUE(session_.CallsOf("LockWorkStation").empty());
    EXPECT_EQ(kvr::ConvertToSeconds(kvr::State().TimeCountdown), 3600);

    // "&Deaktiviert" stops it at once, before OK.
    Open(5);
    Click(optTimedActionType0);
    EXPECT_FALSE(kvr::TimedActionTimerOn());
    EXPECT_EQ(Setting(L"TimeActionType"), L"0");
    EXPECT_EQ(Form().Text(txtTimeStatus), L"Nicht aktiv");
}

TEST_F(OptionsDialogTest, EscapeDuringHotkeyDefinitionKeepsTheDialogAndDeleteAsks) {
    Open(9);
    ListView_SetItemState(Item(lstShortcuts), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    DialogPump(10);
    ASSERT_TRUE(IsWindowEnabled(Item(cmdShortcutDefine)));
    Click(cmdShortcutDefine);
    ASSERT_TRUE(kvr::ShortcutDefinitionActive());
    SendMessageW(Form().Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(kvr::OptionsLoaded());

    // The close box ends the definition with the dialog.
    SendMessageW(Form().Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(kvr::OptionsLoaded());
    EXPECT_FALSE(kvr::ShortcutDefinitionActive());

    Open(9);
    ListView_SetItemText(Item(lstShortcuts), 0, 1, const_cast<wchar_t*>(L"Strg + F1"));
    ListView_SetItemState(Item(lstShortcuts), 0, LVIS_SELECTED, LVIS_SELECTED);
    boxes_.answers = {IDNO, IDYES};
    kvr::DeleteShortcut();
    EXPECT_EQ(Form().TextRows(lstShortcuts)[0].second, L"Strg + F1");
    kvr::DeleteShortcut();
    EXPECT_EQ(Form().TextRows(lstShortcuts)[0].second, L"");
    EXPECT_EQ(boxes_.shown.back().text, L"Tastenkürzel für alle markierten Aktionen löschen?");
}

TEST_F(OptionsDialogTest, TheLinkPageWritesALinkAndTheRemotePageStartsAndStops) {
    TempFolder folder(L"kv-options-links");
    const std::wstring link = folder / L"Sperren.lnk";

    Open(7);
    SelectAction(cboLinks, L"Sperren");
    EXPECT_EQ(Form().Text(txtLinkName), L"Sperren");
    Click(optPath2);
    EXPECT_TRUE(IsWindowEnabled(Item(txtLinkPath)));
    Form().SetText(txtLinkPath, folder.Path().substr(0, folder.Path().size() - 1));
    boxes_.answers = {IDYES};
    Click(cmdCreateLink);
    EXPECT_TRUE(FileExists(link));
    EXPECT_EQ(boxes_.shown.back().text, L"Verknüpfung wurde erstellt.");

    Form().EnableOptionsTab(8);
    Form().SetText(txtRemoteComputer, L"pc1;pc2");
    boxes_.answers = {IDYES};
    Click(cmdRemoteShutdown);
    EXPECT_EQ(session_.CallsOf("InitiateSystemShutdownEx").size(), 2u);
    EXPECT_TRUE(IsWindowEnabled(Item(cmdRemoteStop)));
    EXPECT_FALSE(IsWindowEnabled(Item(cmdRemoteShutdown)));
    EXPECT_NE(Form().Text(txtRemoteStatus), L"Nicht aktiv");
    Click(cmdRemoteStop);
    EXPECT_EQ(session_.CallsOf("AbortSystemShutdown").size(), 2u);
    EXPECT_TRUE(IsWindowEnabled(Item(cmdRemoteShutdown)));
    EXPECT_EQ(Form().Text(txtRemoteStatus), L"Nicht aktiv");
}

}  // namespace
}  // namespace kvtest
