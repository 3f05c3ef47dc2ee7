// The hotkey manager: key codes and their texts, the stored list, what a key release
// performs, the definition on a real list view, and the resident test build driven by keys
// injected with SendInput.
#include <gtest/gtest.h>

#include "ErrorCapture.h"
#include "InjectedInput.h"
#include "ProgramProcess.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "clsListView.h"
#include "hotkeys/basKeyCodes.h"
#include "hotkeys/basShortcuts.h"
#include "program/basMain.h"
#include "program/basTools.h"

using namespace kvr;
using kv::test::Raised;

namespace {

using Rows = std::vector<std::pair<std::wstring, std::wstring>>;

// Every named key, with every shift state, reads back to its code; a modifier as the main
// key reads back without its own bit.
TEST(KeyCodes, EveryTextReadsBackToItsCode) {
    std::vector<long> keys = {27, 145, 19, 220, 219, 221, 8, 9, 187, 13, 20, 191, 226, 188, 190, 189, 32, 93,
                              45, 36, 33, 46, 35, 34, 38, 37, 40, 39, 144, 111, 106, 109, 110, 107, 186, 255, 0};
    for (long k = 112; k <= 123; ++k) keys.push_back(k);
    for (long k = 48; k <= 57; ++k) keys.push_back(k);
    for (long k = 65; k <= 90; ++k) keys.push_back(k);
    for (long k = 96; k <= 105; ++k) keys.push_back(k);
    for (long k : keys)
        for (long s = 0; s < 16; ++s) {
            const std::wstring code = CreateKeyCode(k, s);
            EXPECT_EQ(StringToKeycode(KeycodeToString(code)), code) << KeycodeToString(code);
        }
    const struct { long k, s; const wchar_t* text; const wchar_t* back; } modifiers[] = {
        {16, 0, L"Umschalt", L"016000"}, {17, 4, L"Alt + Strg", L"017004"}, {91, 8, L"Win + Win", L"091000"},
        {18, 7, L"Umschalt + Strg + Alt + Alt", L"018003"}};
    for (const auto& m : modifiers) {
        EXPECT_EQ(KeycodeToString(CreateKeyCode(m.k, m.s)), m.text);
        EXPECT_EQ(StringToKeycode(m.text), m.back);
    }
    EXPECT_EQ(CreateKeyCode(112, 6), L"112006");
    EXPECT_EQ(KeycodeToString(L"112006"), L"Strg + Alt + F1");
    EXPECT_EQ(KeycodeToString(L"186002"), L"Strg + \"186\"");
    EXPECT_EQ(KeycodeToString(L"032002"), L"Strg +  ");
    EXPECT_EQ(StringToKeycode(L""), L"");
    for (const wchar_t* bad : {L"12a006", L"11200", L"1120066", L"112099", L"918003"})
        EXPECT_EQ(Raised([&] { KeycodeToString(bad); }).Number, 5) << bad;
    EXPECT_EQ(Raised([&] { StringToKeycode(L"Strg + Taste"); }).Number, 5);
}

class Hotkeys : public kvtest::FreshProfileTest {
protected:
    void SetUp() override {
        FreshProfileTest::SetUp();
        State().Mode = RunMode::CommandLine;
        State().ShortcutConfirmationMsg = State().ShortcutQuitImmedate = false;
    }
    void TearDown() override {
        Quit();
        DiscardShortcuts();
        FreshProfileTest::TearDown();
    }
    static void Store(const std::wstring& shortcuts) {
        WriteSetting(L"Shortcuts", conSG_Options, shortcuts);
        ReadShortcuts();
    }
    static std::vector<std::wstring> Loaded() {
        std::vector<std::wstring> out;
        for (const auto& r : Shortcuts()) out.push_back(r.Action + L";" + r.Key);
        return out;
    }
    std::vector<unsigned long> ExitFlags() const {
        std::vector<unsigned long> flags;
        for (const auto& call : session.CallsOf("ExitWindowsEx")) flags.push_back(call.numbers[0]);
        return flags;
    }

    kvtest::RecordingSessionControl session;
    kvtest::RecordingMessageBox boxes;
};

TEST_F(Hotkeys, LoadingSkipsEmptyMalformedAndRepeatedItemsAndWritingKeepsHiddenActions) {
    Store(L"Herunterfahren;112006||||Neu anmelden;12a||;113000||Neu starten||herunterfahren;114000||Sperren;076008||");
    EXPECT_EQ(Loaded(), (std::vector<std::wstring>{L"Herunterfahren;112006", L"Sperren;076008"}));
    EXPECT_EQ(GetShortcut(L"SPERREN"), L"Win + L");
    EXPECT_EQ(GetShortcut(L"Neu anmelden"), L"");

    // Sperren is not in the list now (hidden from it): it keeps its hotkey.
    WriteShortcuts(Rows{{L"Herunterfahren", L""}, {L"Neu anmelden", L"Strg + Alt + F1"}});
    EXPECT_EQ(ReadTextSetting(L"Shortcuts", conSG_Options, L""), L"Neu anmelden;112006||Sperren;076008");
    EXPECT_EQ(Loaded(), (std::vector<std::wstring>{L"Neu anmelden;112006", L"Sperren;076008"}));
}

TEST_F(Hotkeys, AReleasePerformsEveryRecordOfItsCodeWithTheForceOfTheSetting) {
    Store(L"Herunterfahren;112006||Neu anmelden;112006||Neu starten;113000");
    State().ShortcutQuitImmedate = true;
    HandleKeys(112, 6);
    ASSERT_EQ(ExitFlags().size(), 2u);
    EXPECT_TRUE(ExitFlags()[0] & EWX_FORCE);
    EXPECT_EQ(ExitFlags()[1], static_cast<unsigned long>(EWX_LOGOFF | EWX_FORCE));
    HandleKeys(112, 2);   // another combination: nothing
    EXPECT_EQ(ExitFlags().size(), 2u);
}

TEST_F(Hotkeys, AModifierAsMainKeyMatchesWithoutItsOwnBitAndAReleasedModifierIsNotHeld) {
    Store(L"Neu anmelden;016001||Sperren;065000");   // an own bit stored by an older capture
    HandleKeys(16, 0);
    HandleKeys(16, 1);   // released on the left while the right one is still down
    HandleKeys(65, 0);   // Shift released before A: A alone
    EXPECT_EQ(ExitFlags().size(), 2u);
    EXPECT_EQ(session.CallsOf("LockWorkStation").size(), 1u);
}

TEST_F(Hotkeys, TheQuestionDecidesAndAnActionThatEndsTheProgramStopsTheRest) {
    Store(L"Neu anmelden;112006||Herunterfahren;112006");
    State().ShortcutConfirmationMsg = true;
    boxes.answers = {IDNO, IDCANCEL};
    HandleKeys(112, 6);
    EXPECT_TRUE(ExitFlags().empty());
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, L"Aktion \"Neu anmelden\" durchführen?");
    EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));

    // The first action tears the program down (and the list with it): the second never runs.
    AddQuitStep(DiscardShortcuts);
    boxes.answers = {IDYES, IDYES};
    HandleKeys(112, 6);
    EXPECT_EQ(ExitFlags().size(), 1u);
    EXPECT_EQ(boxes.shown.size(), 3u);
}

// The options page's hotkey list: a real list view, column 1 the action, column 2 the keys.
class Definition : public Hotkeys {
protected:
    void SetUp() override {
        Hotkeys::SetUp();
        Store(L"");
        window_ = CreateWindowW(L"STATIC", L"Optionen", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
        list_ = CreateWindowW(WC_LISTVIEWW, L"lstShortcuts", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200,
                              window_, nullptr, nullptr, nullptr);
        button_ = CreateWindowW(L"BUTTON", L"&Definieren", WS_CHILD | WS_VISIBLE, 300, 0, 90, 24, window_, nullptr,
                                nullptr, nullptr);
        view_.LVAddColumn(list_, L"Aktion");
        view_.LVAddColumn(list_, L"Tasten");
        for (const wchar_t* action : {L"Herunterfahren", L"Neu starten", L"Sperren"}) {
            long row = 0;
            view_.LVAddValue(list_, row, 1, kv::Variant(std::wstring(action)));
        }
    }
    void TearDown() override {
        CancelShortcutDefinition();
        DestroyWindow(window_);
        Hotkeys::TearDown();
    }
    std::wstring Keys(long row) { return view_.LVGetValue(list_, 0, L"", row, 2).ToString(); }
    void SetKeys(long row, const std::wstring& text) { view_.LVSetValue(list_, text, 0, L"", row, 2); }
    void Define(long row) {
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(list_, row - 1, LVIS_SELECTED, LVIS_SELECTED);
        StartShortcutDefinition(list_, button_);
        ASSERT_TRUE(ShortcutDefinitionActive());
    }
    // Keys pressed in order, then the first of them released with the shift state of then.
    static void Press(std::initializer_list<long> keys, long releasedShift) {
        for (long k : keys) NoteKeyDown(k);
        HandleKeys(*keys.begin(), releasedShift);
    }

    kv::clsListView view_;
    HWND window_ = nullptr, list_ = nullptr, button_ = nullptr;
};

TEST_F(Definition, TheNextReleaseIsCapturedOnceAndEscapeChangesNothing) {
    Define(2);
    HandleKeys('D', conKS_Alt);   // Alt+D on the button: pressed before the start
    EXPECT_TRUE(ShortcutDefinitionActive());
    NoteKeyDown(VK_CONTROL);
    Press({112}, conKS_Ctrl);
    EXPECT_FALSE(ShortcutDefinitionActive());
    EXPECT_EQ(Keys(2), L"Strg + F1");
    EXPECT_EQ(GetFocus(), list_);
    Press({113}, 0);   // after the capture, keys perform again (nothing is stored yet)
    EXPECT_EQ(Keys(2), L"Strg + F1");

    Define(3);
    Press({VK_ESCAPE}, 0);
    EXPECT_FALSE(ShortcutDefinitionActive());
    EXPECT_EQ(Keys(3), L"");

    Define(3);
    Press({VK_SHIFT, 'A'}, 0);   // Shift let go first: the Shift key itself, without its bit
    EXPECT_EQ(Keys(3), L"Umschalt");
}

// Another row holds the combination and the selected row has one already: both questions
// must be answered Yes.
TEST_F(Definition, AnAssignmentNeedsYesToEveryQuestion) {
    const struct { std::deque<int> answers; const wchar_t* row1; const wchar_t* row2; } cases[] = {
        {{IDYES, IDYES}, L"", L"Strg + F1"},
        {{IDNO, IDYES}, L"Strg + F1", L"F2"},
        {{IDYES, IDNO}, L"Strg + F1", L"F2"},
        {{IDCANCEL}, L"Strg + F1", L"F2"},
    };
    for (const auto& c : cases) {
        SetKeys(1, L"Strg + F1");
        SetKeys(2, L"F2");
        boxes.shown.clear();
        boxes.answers = c.answers;
        Define(2);
        Press({112}, conKS_Ctrl);
        EXPECT_EQ(Keys(1), c.row1);
        EXPECT_EQ(Keys(2), c.row2);
    }
    EXPECT_EQ(boxes.shown.back().text,
              L"Tastenkürzel wird bereits verwendet. Soll das Tastenkürzel gelöscht und der aktuellen Auswahl "
              L"zugewiesen werden?");
}

// The resident test build: a stored combination typed anywhere performs its action; keys
// of no record reach the window that has the focus untouched.
class HotkeysResident : public kvtest::Program {};

TEST_F(HotkeysResident, AStoredCombinationPerformsItsActionAndOtherKeysPassThrough) {
    KnownProfile();
    kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"Shortcuts", L"Sperren;076006");
    ASSERT_TRUE(StartResident());

    HWND edit = CreateWindowW(L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 60, nullptr, nullptr,
                              nullptr, nullptr);
    SetForegroundWindow(edit);
    SetFocus(edit);
    kvtest::SendKeys({{'X', true}, {'X', false}, {'Y', true}, {'Y', false}});
    kvtest::SendKeys({{VK_LCONTROL, true}, {VK_LMENU, true}, {'L', true}, {'L', false}, {VK_LMENU, false},
                      {VK_LCONTROL, false}});
    EXPECT_TRUE(WaitForLogLine(L"LockWorkStation"));
    kvtest::PumpFor(200);
    wchar_t typed[16] = {};
    GetWindowTextW(edit, typed, 16);
    EXPECT_STREQ(typed, L"xy");
    DestroyWindow(edit);
    PostQuit();
    WaitForEnd();
}

}  // namespace
