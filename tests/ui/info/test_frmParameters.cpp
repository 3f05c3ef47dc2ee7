// The parameter information, shown for real: its title says why it is shown.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "DialogDriver.h"
#include "program/basGlobals.h"
#include "ui/info/frmParameters.h"

namespace {

// Shows the dialog; a second thread looks at it, then closes it as the user would.
void WhileShown(bool blnHelpRequested, UINT closeCommand, const std::function<void(HWND)>& look) {
    kvtest::WhileShowing([&] { kvr::frmParameters().Show(blnHelpRequested); },
                         [&] {
                             HWND dialog = kvtest::WaitForDialog(nullptr);
                             if (!dialog) return;
                             look(dialog);
                             PostMessageW(dialog, WM_COMMAND, closeCommand, 0);
                         });
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
        std::wstring title;
        WhileShown(c.help, c.close, [&](HWND dialog) { title = kvtest::TextOf(dialog); });
        EXPECT_EQ(title, c.title) << c.help;
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
