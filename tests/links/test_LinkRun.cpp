// A link as the link page writes it, opened through the shell: the test build of the program
// starts from it and performs the action its command line names.
#include "ProgramProcess.h"

#include "TempFolder.h"
#include "clsFileShortcut.h"
#include "work/basLinks.h"

namespace {

using kvtest::Lines;
using kvtest::Program;

TEST_F(Program, ALinkOpenedByTheShellRunsItsActionWithConfirmationAndForce) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        kvtest::WriteFileText(kvtest::kBootIni, kvtest::kXpBootIni);
        kvtest::TempFolder folder{L"kvlinkrun"};
        kv::clsFileShortcut link;
        link.LinkFile(folder.Path() + kvr::CleanLinkName(L"Neu starten: Microsoft Windows XP Home") + L".lnk");
        link.File(exe_);
        link.Parameters(kvr::LinkParameters(L"Neu starten: Microsoft Windows XP Home", true, true));
        link.Create();
        Answers("box YES\n");

        // The default verb, as a double click on the link.
        SHELLEXECUTEINFOW run{};
        run.cbSize = sizeof run;
        run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        run.lpFile = link.LinkFile().c_str();
        run.nShow = SW_SHOWNORMAL;
        ASSERT_TRUE(ShellExecuteExW(&run)) << GetLastError();
        if (run.hProcess) {
            process_ = run.hProcess;
            EXPECT_EQ(WaitForEnd(), 0u);
        } else {
            // Wine's shell starts a link's target without handing its process back: the
            // program's last log line tells its end.
            auto ended = [&] {
                Lines log = Log();
                return !log.empty() && log.back().rfind(L"Exit(", 0) == 0;
            };
            ASSERT_TRUE(kvtest::WaitUntil(ended, kvtest::kTimeoutMs, 100))
                << "the program started from the link did not end";
        }

        Lines log = Log();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log[0], L"MessageBox(0x23, \"Kelvo Restart\", \"Aktion \"Neu starten: Microsoft Windows XP Home\" "
                          L"durchführen?\") -> 6");
        EXPECT_NE(std::find(log.begin(), log.end(), L"ExitWindowsEx(7, 0)"), log.end()) << "a forced restart";
        EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS");
    }
    CoUninitialize();
}

}  // namespace
