// The link page's logic: the command line written into a link, the cleaned name, the target
// folders and enabling rules, and CreateLink end to end: real link files in a folder of the
// test prefix read back through the shell's link object, every message and question answered
// through the message-box seam.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "RecordingMessageBox.h"
#include "TempFolder.h"
#include "Waiting.h"
#include "clsFileShortcut.h"
#include "clsMain.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "work/basLinks.h"

using namespace kvr;
using kvtest::TempFolder;

namespace {

constexpr UINT kExclamation = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kQuestion = MB_YESNOCANCEL | MB_ICONQUESTION;

class Links : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        VersionGlobal().InfoApplication(L"Kelvo Restart");
    }
    void TearDown() override { CoUninitialize(); }

    // A request for the folder of this test.
    LinkRequest Request(const std::wstring& action, const std::wstring& name) const {
        LinkRequest request;
        request.Action = action;
        request.Name = name;
        request.Place = conLP_OtherFolder;
        request.Path = folder.Path();
        return request;
    }
    kv::clsFileShortcut Read(const std::wstring& linkFile) const {
        kv::clsFileShortcut link;
        link.GetInfos(linkFile);
        return link;
    }

    TempFolder folder{L"kvlinks"};
    kvtest::RecordingMessageBox boxes;
};

// Waits (at most 10 s) for a dialog of the thread to show up and presses one of its buttons.
std::thread PressInDialog(DWORD thread, int button, std::wstring* title) {
    return std::thread([=] {
        HWND dialog = nullptr;
        const bool shown = kvtest::WaitUntil([&] {
            EnumThreadWindows(
                thread,
                [](HWND window, LPARAM found) {
                    wchar_t name[16] = L"";
                    GetClassNameW(window, name, 16);
                    if (wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
                    *reinterpret_cast<HWND*>(found) = window;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&dialog));
            return dialog != nullptr;
        });
        if (!shown) return;
        wchar_t text[256] = L"";
        // The title given to the browser is the static text above the folder tree.
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM out) {
                wchar_t name[16] = L"", caption[256] = L"";
                GetClassNameW(child, name, 16);
                GetWindowTextW(child, caption, 256);
                if (wcscmp(name, L"Static") == 0 && caption[0] && !reinterpret_cast<wchar_t*>(out)[0])
                    wcscpy_s(reinterpret_cast<wchar_t*>(out), 256, caption);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(text));
        *title = text;
        // OK takes the folder at the top of the tree (the root the browser was given).
        if (HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr)) {
            auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
        }
        PostMessageW(dialog, WM_COMMAND, button, 0);
    });
}

}  // namespace

TEST_F(Links, BrowsePath_StartsAtTheStartMenuForPlace1_AndKeepsThePathWhenCancelled) {
    std::wstring title;
    std::wstring path = L"unverändert";
    std::thread presser = PressInDialog(GetCurrentThreadId(), IDCANCEL, &title);
    EXPECT_FALSE(BrowsePath(nullptr, conLP_OtherFolder, path));
    presser.join();
    EXPECT_EQ(path, L"unverändert");
    EXPECT_EQ(title, L"Pfad für Verknüpfung:");

    presser = PressInDialog(GetCurrentThreadId(), IDOK, &title);
    EXPECT_TRUE(BrowsePath(nullptr, conLP_Startmenu, path));
    presser.join();
    EXPECT_EQ(kv::clsMain().DirAddBackslash(path), kv::clsMain().GetSystemFolder(kv::conWsf_Startmenu));

    // The remote page's computer browser: the same dialog below the network.
    std::wstring computer = L"pc1";
    presser = PressInDialog(GetCurrentThreadId(), IDCANCEL, &title);
    EXPECT_FALSE(BrowseForFolder(nullptr, L"Computer für ferngesteuertes herunterfahren:", kv::conWsf_Network, true,
                                 computer));
    presser.join();
    EXPECT_EQ(title, L"Computer für ferngesteuertes herunterfahren:");
    EXPECT_EQ(computer, L"pc1");
    EXPECT_TRUE(boxes.shown.empty()) << "no error";
}

TEST_F(Links, LinkParameters_TypeFromTheTextBeforeTheSystem_SystemAfterTheFirstColon) {
    const struct {
        const wchar_t* action;
        bool confirmation, quitImmediate;
        const wchar_t* parameters;
    } cases[] = {
        {L"Neu starten: Standard", true, true, L"/T:2 /S:\"Standard\" /C /F"},
        {L"Sperren", true, true, L"/T:7 /C"},
        {L"Neu anmelden", false, false, L"/T:3"},
        {L"Windows beenden...", false, false, L"/T:4"},
        {L"Herunterfahren: XP: Home", false, true, L"/T:1 /S:\"XP: Home\" /F"},
        // A system name holding another action's text changes nothing.
        {L"Herunterfahren: Neu starten Sperren", false, false, L"/T:1 /S:\"Neu starten Sperren\""},
        {L"neu starten", false, false, L"/T:2"},
        {L"Neu starten:", false, false, L"/T:2"},
        {L"Irgendetwas", true, true, L""},
        {L"Test: Neu starten", false, false, L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinkParameters(c.action, c.confirmation, c.quitImmediate), c.parameters) << c.action;
    }
}

TEST_F(Links, CleanLinkName_RemovesForbiddenCharacters_KeepsDots_DropsATypedExtension) {
    const struct {
        const wchar_t* name;
        const wchar_t* cleaned;
    } cases[] = {
        {L"a/b\\c:d|e>f<g*h?i\"j", L"abcdefghij"},
        {L"Neu starten: XP 5.1", L"Neu starten XP 5.1"},
        {L"Windows beenden...", L"Windows beenden..."},
        {L"Start.LNK", L"Start"},
        {L" //\\ ", L""},
        {L".lnk", L""},
        {L"...", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(CleanLinkName(c.name), c.cleaned) << c.name;
}

TEST_F(Links, EnablingRules_OfThePlaces_AndOfTheForceTick) {
    EXPECT_FALSE(LinkPathEnabled(conLP_Desktop));
    EXPECT_TRUE(LinkPathEnabled(conLP_Startmenu));
    EXPECT_TRUE(LinkPathEnabled(conLP_OtherFolder));
    EXPECT_FALSE(LinkPathEnabled(conLP_QuickLaunch));

    EXPECT_EQ(AvailableLinkPlace(conLP_QuickLaunch, false), conLP_Desktop);
    EXPECT_EQ(AvailableLinkPlace(conLP_QuickLaunch, true), conLP_QuickLaunch);
    EXPECT_EQ(AvailableLinkPlace(conLP_Startmenu, false), conLP_Startmenu);
    EXPECT_EQ(AvailableLinkPlace(9, true), conLP_Desktop);

    EXPECT_TRUE(LinkQuitImmediateEnabled(L"Neu starten: XP", true));
    EXPECT_FALSE(LinkQuitImmediateEnabled(L"Neu starten: XP", false));
    EXPECT_FALSE(LinkQuitImmediateEnabled(L"Sperren", true));
    EXPECT_EQ(LinkNameForAction(L"Neu starten: XP"), L"Neu starten: XP");
}

TEST_F(Links, LinkFolder_PerPlace_AndTheQuickLaunchBarOnlyWithAFile) {
    kv::clsMain main;
    EXPECT_EQ(LinkFolder(conLP_Desktop, L"C:\\ignoriert"), main.GetSystemFolder(kv::conWsf_Desktop));
    EXPECT_EQ(LinkFolder(conLP_Startmenu, L""), main.GetSystemFolder(kv::conWsf_Startmenu));
    EXPECT_EQ(LinkFolder(conLP_Startmenu, L" C:\\Ziel "), L"C:\\Ziel\\");
    EXPECT_EQ(LinkFolder(conLP_OtherFolder, L"C:\\Ziel\\"), L"C:\\Ziel\\");
    EXPECT_EQ(LinkFolder(conLP_OtherFolder, L"  "), L"");
    const std::wstring quickLaunch = main.GetSystemFolder(kv::conWsf_AppData) + conQuickLaunchSubFolder;
    EXPECT_EQ(QuickLaunchFolder(), quickLaunch);
    EXPECT_EQ(LinkFolder(conLP_QuickLaunch, L"C:\\ignoriert"), quickLaunch);

    // Only what this test creates is removed again.
    namespace fs = std::filesystem;
    const bool existed = fs::exists(quickLaunch);
    if (!existed) {
        EXPECT_FALSE(QuickLaunchAvailable()) << "missing";
        fs::create_directories(quickLaunch);
        EXPECT_FALSE(QuickLaunchAvailable()) << "empty";
    }
    const std::wstring file = quickLaunch + L"kvlinks_probe.lnk";
    { HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr); CloseHandle(h); }
    EXPECT_TRUE(QuickLaunchAvailable());
    DeleteFileW(file.c_str());
    if (!existed) fs::remove(quickLaunch);
}

TEST_F(Links, CreateLink_WritesTheProgramsCommandLine_UnderTheWholeName) {
    State().QuitSaveImmediate = false;
    const struct {
        const wchar_t* action;
        const wchar_t* name;
        bool confirmation, quitImmediate;
        const wchar_t* file;
        const wchar_t* parameters;
    } cases[] = {
        {L"Neu starten: Standard", L"Neu starten: Standard", true, true, L"Neu starten Standard.lnk",
         L"/T:2 /S:\"Standard\" /C /F"},
        {L"Windows beenden...", L"Windows beenden...", false, false, L"Windows beenden....lnk", L"/T:4"},
        {L"Sperren", L"a.b.txt", true, true, L"a.b.txt.lnk", L"/T:7 /C"},
        {L"Neu anmelden", L"Abmelden.lnk", false, false, L"Abmelden.lnk", L"/T:3"},
    };
    for (const auto& c : cases) {
        boxes.shown.clear();
        boxes.answers = {IDYES};
        LinkRequest request = Request(c.action, c.name);
        request.Confirmation = c.confirmation;
        request.QuitImmediate = c.quitImmediate;
        LinkResult result = CreateLink(nullptr, request);
        ASSERT_TRUE(result.Created) << c.name;
        EXPECT_EQ(result.LinkFile, folder / c.file);
        EXPECT_TRUE(result.ClearQuitImmediate);
        ASSERT_EQ(boxes.shown.size(), 2u) << c.name;
        EXPECT_EQ(boxes.shown[0].text, L"Soll die Verknüpfung \"" + CleanLinkName(c.name) + L"\" in \"" +
                                           folder.Path() + L"\" erstellt werden?");
        EXPECT_EQ(boxes.shown[0].style, kQuestion);
        EXPECT_EQ(boxes.shown[1].text, L"Verknüpfung wurde erstellt.");
        EXPECT_EQ(boxes.shown[1].style, MB_OK | MB_ICONINFORMATION);
        EXPECT_EQ(boxes.shown[1].title, L"Kelvo Restart");

        kv::clsFileShortcut link = Read(folder / c.file);
        EXPECT_EQ(link.File(), ProgramFileName()) << c.name;
        EXPECT_EQ(link.Parameters(), c.parameters) << c.name;
        const std::wstring program = ProgramFileName();
        EXPECT_EQ(link.WorkingDirectory(), program.substr(0, program.find_last_of(L'\\') + 1));
        ASSERT_TRUE(link.Icon().IsLong());
        EXPECT_EQ(link.Icon().ToLong(), 0);
    }
    State().QuitSaveImmediate = true;
    boxes.answers = {IDYES};
    EXPECT_FALSE(CreateLink(nullptr, Request(L"Neu anmelden", L"gespeichert")).ClearQuitImmediate);
}

TEST_F(Links, CreateLink_AnExistingLinkIsReplacedOnlyAfterASecondYes) {
    LinkRequest request = Request(L"Neu anmelden", L"Abmelden");
    boxes.answers = {IDYES};
    ASSERT_TRUE(CreateLink(nullptr, request).Created);

    request.Confirmation = true;
    for (int answer : {IDNO, IDCANCEL}) {
        boxes.shown.clear();
        boxes.answers = {IDYES, answer};
        EXPECT_FALSE(CreateLink(nullptr, request).Created);
        ASSERT_EQ(boxes.shown.size(), 2u);
        EXPECT_EQ(boxes.shown[1].text, L"Die Verknüpfung \"Abmelden\" gibt es in \"" + folder.Path() +
                                           L"\" bereits. Soll sie ersetzt werden?");
        EXPECT_EQ(boxes.shown[1].style, kQuestion);
        EXPECT_EQ(Read(folder / L"Abmelden.lnk").Parameters(), L"/T:3");
    }
    boxes.answers = {IDYES, IDYES};
    EXPECT_TRUE(CreateLink(nullptr, request).Created);
    EXPECT_EQ(Read(folder / L"Abmelden.lnk").Parameters(), L"/T:3 /C");
}

TEST_F(Links, CreateLink_RefusedInputs_NameTheirControl_AndWriteNothing) {
    const struct {
        const wchar_t* action;
        const wchar_t* name;
        long place;
        const wchar_t* path;
        const wchar_t* message;
        long focus;
    } cases[] = {
        {L"  ", L"x", conLP_OtherFolder, nullptr, L"Keine Aktion für die Verknüpfung angegeben!", conLF_Action},
        {L"Irgendetwas", L"x", conLP_OtherFolder, nullptr,
         L"Unbekannte Aktion \"Irgendetwas\" für die Verknüpfung angegeben!", conLF_Action},
        {L"Sperren", L"", conLP_OtherFolder, nullptr, L"Kein Name für die Verknüpfung angegeben!", conLF_Name},
        {L"Sperren", L"//**", conLP_OtherFolder, nullptr, L"Kein Name für die Verknüpfung angegeben!", conLF_Name},
        {L"Sperren", L".lnk", conLP_OtherFolder, nullptr, L"Kein Name für die Verknüpfung angegeben!", conLF_Name},
        {L"Sperren", L"x", conLP_OtherFolder, L" ", L"Kein Verzeichnis für die Verknüpfung angegeben!", conLF_Path},
    };
    for (const auto& c : cases) {
        boxes.shown.clear();
        LinkRequest request = Request(c.action, c.name);
        request.Place = c.place;
        if (c.path) request.Path = c.path;
        LinkResult result = CreateLink(nullptr, request);
        EXPECT_FALSE(result.Created);
        EXPECT_EQ(result.Focus, c.focus) << c.message;
        ASSERT_EQ(boxes.shown.size(), 1u) << c.message;
        EXPECT_EQ(boxes.shown[0].text, c.message);
        EXPECT_EQ(boxes.shown[0].style, kExclamation);
    }

    // Declined question: no link, no success message.
    boxes.shown.clear();
    boxes.answers = {IDNO};
    EXPECT_FALSE(CreateLink(nullptr, Request(L"Sperren", L"x")).Created);
    EXPECT_EQ(boxes.shown.size(), 1u);

    // A folder that does not exist: the error is shown, the folder is not created.
    boxes.shown.clear();
    boxes.answers = {IDYES};
    LinkRequest missing = Request(L"Sperren", L"x");
    missing.Path = folder / L"fehlt";
    LinkResult result = CreateLink(nullptr, missing);
    EXPECT_FALSE(result.Created);
    EXPECT_EQ(result.Focus, conLF_None);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_NE(boxes.shown[1].text.find(L"nicht gefunden"), std::wstring::npos) << boxes.shown[1].text;
    EXPECT_FALSE(folder.Exists(L"fehlt"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}
