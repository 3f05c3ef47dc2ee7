// The parameter information, shown for real: its title says why it is shown.
#include <gtest/gtest.h>

#include <atomic>
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

// Shows the dialog; a second thread reads its title and closes it as the user would.
std::wstring TitleOfShownDialog(bool blnHelpRequested, UINT closeCommand) {
    std::atomic<bool> done{false};
    std::wstring title;
    std::thread user([&] {
        HWND dialog = WaitForDialog(done);
        if (!dialog) return;
        wchar_t text[256] = {};
        GetWindowTextW(dialog, text, 256);
        title = text;
        PostMessageW(dialog, WM_COMMAND, closeCommand, 0);
    });
    kvr::frmParameters().Show(blnHelpRequested);
    done = true;
    user.join();
    return title;
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
