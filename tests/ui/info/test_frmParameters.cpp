// The parameter information, shown for real: its title says why it is shown.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "program/basGlobals.h"
#include "ui/info/frmParameters.h"

namespace {

// This process's visible dialog, once shown (nullptr after five seconds).
HWND WaitForDialog(const std::atomic<bool>& done) {
    for (int waited = 0; waited < 5000 && !done; waited += 50) {
        HWND dialog = FindWindowW(L"#32770", nullptr);
        DWORD pid = 0;
        if (dialog) GetWindowThreadProcessId(dialog, &pid);
        if (dialog && pid == GetCurrentProcessId() && IsWindowVisible(dialog)) return dialog;
        Sleep(50);
    }
    return nullptr;
}

// Shows the dialog; a second thread looks at it, then closes it as the user would.
void WhileShown(bool blnHelpRequested, UINT closeCommand, const std::function<void(HWND)>& look) {
    std::atomic<bool> done{false};
    std::thread user([&] {
        HWND dialog = WaitForDialog(done);
        if (!dialog) return;
        look(dialog);
        PostMessageW(dialog, WM_COMMAND, closeCommand, 0);
    });
    kvr::frmParameters().Show(blnHelpRequested);
    done = true;
    user.join();
}

std::wstring TitleOfShownDialog(bool blnHelpRequested, UINT closeCommand) {
    std::wstring title;
    WhileShown(blnHelpRequested, closeCommand, [&](HWND dialog) {
        wchar_t text[256] = {};
        GetWindowTextW(dialog, text, 256);
        title = text;
    });
    return title;
}

// The tool tip window the dialog owns (nullptr when it has none).
HWND ToolTipOf(HWND dialog) {
    struct Search {
        HWND owner, found;
    } search{dialog, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(dialog, nullptr),
        [](HWND candidate, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            wchar_t name[64] = {};
            GetClassNameW(candidate, name, 64);
            if (GetWindow(candidate, GW_OWNER) != s->owner || lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
            s->found = candidate;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

TEST(ParameterInfo, TitleNamesAWrongLine_OrTheRequestForHelp_AndAnyCloseEndsIt) {
    kvr::VersionGlobal().InfoApplication(L"Kelvo Restart");
    const struct {
        bool help;
        UINT close;
        const wchar_t* title;
    } cases[] = {
        {false, IDOK, L"Parameterinfo - Kelvo Restart"},
        {true, IDCANCEL, L"Kelvo Restart - Hilfe zu den Parametern"},
        {false, IDCANCEL, L"Parameterinfo - Kelvo Restart"},  // a request for help is not kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.help);
        EXPECT_EQ(TitleOfShownDialog(c.help, c.close), c.title);
    }
}

TEST(ParameterInfo, HelpButton_ShowsAPicture_AndExplainsItselfInAToolTip) {
    WhileShown(false, IDOK, [](HWND dialog) {
        HWND help = GetDlgItem(dialog, kvr::frmParameters::cmdHelp);
        EXPECT_NE(SendMessageW(help, BM_GETIMAGE, IMAGE_ICON, 0), 0);
        HWND tip = ToolTipOf(dialog);
        ASSERT_NE(tip, nullptr);
        wchar_t text[64] = {};
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.lpszText = text;
        ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti)));
        EXPECT_EQ(reinterpret_cast<HWND>(ti.uId), help);
        EXPECT_STREQ(text, L"Hilfe anzeigen");
    });
}
