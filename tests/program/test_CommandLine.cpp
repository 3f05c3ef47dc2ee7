// The command line: how it is read, and what a valid line leads to (question, stored flag,
// boot default, session calls). Wrong lines show the parameter dialog; that window is
// exercised by the program tests (test_Program.cpp).
#include <gtest/gtest.h>

#include "CliTestSupport.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "program/basMain.h"
#include "work/basWork.h"

using namespace kvr;
using kvtest::kBootIni;
using kvtest::kPrgSettingsKey;
using kvtest::Stored;

namespace {

using Names = std::vector<std::string>;

TEST(CommandLineArguments, StartAfterTheProgramName) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"\"C:\\Programme\\Kelvo Restart\\KVRestart.exe\" /T:1 /C", L" /T:1 /C"},
        {L"KVRestart.exe /T:1", L" /T:1"},
        {L"\"C:\\a b\\KVRestart.exe\"/T:2", L"/T:2"},
        {L"KVRestart.exe", L""},
        {L"\"unclosed /T:1", L""},  // all of it is the name
    };
    for (const auto& [line, arguments] : cases) EXPECT_EQ(CommandLineArguments(line), arguments) << line;
}

TEST(LeadingNumber, ReadsSignDigitsDecimalsAndExponent) {
    const std::pair<const wchar_t*, double> cases[] = {
        {L"2.5", 2.5}, {L"  3abc", 3}, {L"-1", -1}, {L".5", 0.5}, {L"1e1", 10},
        {L"7e", 7},  // no digits, no exponent
        {L"2,0", 2}, {L"e5", 0}, {L"", 0}};
    for (const auto& [text, number] : cases) EXPECT_EQ(LeadingNumber(text), number) << text;
}

class ReadLine : public kvtest::BootIniTest {};

// Which lines are wrong, and the action type a right one names (0: none).
TEST_F(ReadLine, WrongLinesAndTheTypeOfARightOne) {
    const struct {
        const wchar_t* line;
        bool wrong;
        long type;
    } cases[] = {
        // Exactly one of the seven types.
        {L"/T:1", false, 1}, {L"/T:7", false, 7}, {L"/T:2.0", false, 2}, {L"/T: 3 ", false, 3}, {L"/T:4x", false, 4},
        {L"/T:2.5", true, 0}, {L"/T:0", true, 0}, {L"/T:8", true, 0}, {L"/T:-1", true, 0}, {L"/T:1e1", true, 0},
        {L"/T:abc", true, 0}, {L"/T:", true, 0},
        // Unknown, empty and valueless keys, and text before the first "/"; C and F take any value.
        {L"/T:1 /X:1", true, 0}, {L"/:1", true, 0}, {L"/T", true, 0}, {L"/T:1 /S", true, 0}, {L"/T: /C", true, 0},
        {L"KVRestart /T:1", true, 0}, {L"/T:1 /C /F", false, 1}, {L"/T:1 /C:ja /F:1", false, 1},
        // A later key overrides but does not undo a wrong piece; empty pieces and blanks are skipped.
        {L"/T:1 /T:3", false, 3}, {L"/T:9 /T:3", true, 0}, {L"  / /T : 2 //  /F  ", false, 2},
        // Without a type no action; a system without an action would only change the boot default.
        {L"/C", false, 0}, {L"/S:\"Standard\"", true, 0},
    };
    for (const auto& c : cases) {
        const CommandLineRequest r = ReadCommandLine(c.line);
        EXPECT_EQ(r.Wrong, c.wrong) << c.line;
        if (c.wrong) continue;
        EXPECT_EQ(r.ActionType, c.type) << c.line;
        if (c.type) EXPECT_EQ(r.ActionName, ActionName(c.type)) << c.line;
        else EXPECT_EQ(r.ActionText(), L"") << c.line;
    }
    EXPECT_EQ(ReadCommandLine(L"/T:1 /S:\"Standard\" /S:\"standard\"").System, L"standard");
    EXPECT_TRUE(ReadCommandLine(L"  / /T : 2 //  /F  ").Force);
}

TEST_F(ReadLine, AcceptsLowerCaseKeysAndKeepsTheSystemsCase) {
    CommandLineRequest r = ReadCommandLine(L"/t:2 /s:\"sTandard\" /c /f");
    EXPECT_FALSE(r.Wrong);
    EXPECT_EQ(r.ActionType, 2);
    EXPECT_EQ(r.System, L"sTandard");
    EXPECT_TRUE(r.Confirm);
    EXPECT_TRUE(r.Force);
    EXPECT_EQ(r.ActionText(), L"Neu starten: sTandard");
}

TEST_F(ReadLine, ChecksTheSystemAgainstBootIni) {
    kvtest::WriteFileText(kBootIni, kvtest::kXpBootIni + "C:\\CMDCONS\\BOOTSECT.DAT=\"Microsoft Windows Recovery Console\" /cmdcons\r\n");
    EXPECT_FALSE(ReadCommandLine(L"/T:2 /S:\"Microsoft Windows XP Home\"").Wrong);
    EXPECT_FALSE(ReadCommandLine(L"/T:2 /S:\"xp home\"").Wrong);  // the one line containing it
    EXPECT_FALSE(ReadCommandLine(L"/T:2 /S:\"cmdcons\"").Wrong);
    EXPECT_TRUE(ReadCommandLine(L"/T:2 /S:\"Microsoft Windows 2000\"").Wrong);
    // A name several systems contain, or one only the loader section holds, is no system.
    EXPECT_TRUE(ReadCommandLine(L"/T:2 /S:\"Windows\"").Wrong);
    EXPECT_TRUE(ReadCommandLine(L"/T:2 /S:\"timeout\"").Wrong);
    // Without boot.ini only "Standard" is a system.
    kvtest::RemoveFile(kBootIni);
    EXPECT_TRUE(ReadCommandLine(L"/T:2 /S:\"Microsoft Windows XP Home\"").Wrong);
    EXPECT_EQ(ReadCommandLine(L"/T:1 /S:\"Standard\"").ActionText(), L"Herunterfahren: Standard");
}

TEST_F(ReadLine, KeepsColonsAndQuotedSlashesInASystemName) {
    kvtest::WriteFileText(kBootIni, "[boot loader]\r\ndefault=C:\\A\r\n[operating systems]\r\n"
                                    "C:\\A=\"Win: XP\"\r\nC:\\B=\"Windows 2000/XP\"\r\n");
    for (const wchar_t* name : {L"Win: XP", L"Windows 2000/XP"}) {
        CommandLineRequest r = ReadCommandLine(L"/T:2 /S:\"" + std::wstring(name) + L"\" /F");
        EXPECT_FALSE(r.Wrong);
        EXPECT_EQ(r.System, name);
        EXPECT_TRUE(r.Force);
    }
}

TEST_F(ReadLine, AskingForHelpIsNoWrongLine) {
    for (const wchar_t* line : {L"/?", L" -? ", L"/h", L"-H"}) {
        CommandLineRequest r = ReadCommandLine(line);
        EXPECT_TRUE(r.Help) << line;
        EXPECT_FALSE(r.Wrong) << line;
    }
    EXPECT_FALSE(ReadCommandLine(L"/T:1").Help);
}

class Evaluate : public kvtest::FreshProfileTest {
protected:
    void SetUp() override {
        FreshProfileTest::SetUp();
        kvtest::WriteFileText(kBootIni, kvtest::kXpBootIni);
        original_ = kvtest::ReadFileText(kBootIni);
    }
    void TearDown() override {
        Quit();  // whatever the action left registered
        FreshProfileTest::TearDown();
    }

    kvtest::StoredValue DontShowUnloadDialog() const {
        return Stored(HKEY_CURRENT_USER, kPrgSettingsKey, L"DontShowUnloadDialog");
    }
    void ExpectNothingDone() const {
        EXPECT_TRUE(session.calls.empty());
        EXPECT_EQ(DontShowUnloadDialog().type, 0u);
        EXPECT_EQ(kvtest::ReadFileText(kBootIni), original_);
    }

    kvtest::RecordingSessionControl session;
    kvtest::RecordingMessageBox boxes;
    std::string original_;
};

TEST_F(Evaluate, ConfirmedRestartWritesTheSystemThenEndsWindowsForced) {
    boxes.answers = {IDYES};
    EXPECT_FALSE(EvaluateCommandLine(L"/T:2 /S:\"Microsoft Windows XP Home\" /C /F"));

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Aktion \"Neu starten: Microsoft Windows XP Home\" durchführen?");
    EXPECT_EQ(boxes.shown[0].title, L"Kelvo Restart");
    EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));

    EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS");
    EXPECT_EQ(DontShowUnloadDialog().type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(DontShowUnloadDialog().number, 1u);
    EXPECT_EQ(session.Names(),
              (Names{"OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges", "CloseToken", "ExitWindowsEx"}));
    EXPECT_EQ(session.CallsOf("ExitWindowsEx")[0].numbers, (std::vector<unsigned long>{7, 0}));
    EXPECT_EQ(State().Mode, RunMode::CommandLine);
    EXPECT_TRUE(State().QuitFlag);
}

TEST_F(Evaluate, DeclinedConfirmationDoesNothing) {
    for (int answer : {IDNO, IDCANCEL}) {
        boxes.answers = {answer};
        EXPECT_FALSE(EvaluateCommandLine(L"/T:2 /S:\"Microsoft Windows XP Home\" /C"));
    }
    EXPECT_EQ(boxes.shown.size(), 2u);
    ExpectNothingDone();
}

TEST_F(Evaluate, WithoutConfirmationAsksNothing) {
    EvaluateCommandLine(L"/T:3 /F");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(session.CallsOf("ExitWindowsEx")[0].numbers, (std::vector<unsigned long>{4, 0}));
    EXPECT_EQ(kvtest::ReadFileText(kBootIni), original_);  // no system named, no boot default written
}

TEST_F(Evaluate, ABootIniThatCannotBeWrittenIsShownAndWindowsIsNotEnded) {
    kvtest::WriteBlocked blocked(kBootIni);
    EXPECT_FALSE(Shown(L"basMain", L"RunMain", [] { EvaluateCommandLine(L"/T:2 /S:\"Microsoft Windows XP Home\""); }));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(L"schreibgeschützt"), std::wstring::npos);
    EXPECT_TRUE(session.calls.empty());
    EXPECT_EQ(kvtest::ReadFileText(kBootIni), original_);
}

TEST_F(Evaluate, TypeFourIsDialogModeAndConfirmationAloneDoesNothing) {
    EXPECT_TRUE(EvaluateCommandLine(L"/T:4 /S:\"Standard\" /C /F"));
    EXPECT_FALSE(EvaluateCommandLine(L"/C /F"));
    EXPECT_TRUE(boxes.shown.empty());
    ExpectNothingDone();
}

}  // namespace
