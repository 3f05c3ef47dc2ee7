// boot.ini: where it is found, which system it names, what is written into it, and the
// first run's backup, against real files on the drives of the prefix.
#include <gtest/gtest.h>

#include <optional>

#include "BootIniTest.h"
#include "RecordingMessageBox.h"
#include "TestDrives.h"
#include "Waiting.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "work/basWorkText.h"

using namespace kvr;
using kvtest::kBackup;
using kvtest::kBootIni;
using kvtest::kXpBootIni;
using kvtest::Windows;

namespace {

class BootIni : public kvtest::BootIniTest {
protected:
    static void WriteBootIni(const std::string& text, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        kvtest::WriteFileText(kBootIni, text);
        SetFileAttributesW(kBootIni.c_str(), attributes);
    }
    // boot.ini with the given lines below a header of one system-less loader section.
    static void WriteSystems(const std::string& systems) {
        WriteBootIni("[boot loader]\r\ntimeout=30\r\ndefault=old\r\n" + systems);
    }
    kvtest::RunningWindows running_{Windows::XP};
};

}  // namespace

TEST_F(BootIni, WithoutBootIniEveryProcedureGivesItsNeutralResult) {
    EXPECT_EQ(GetBootIniLocation(), L"");
    EXPECT_FALSE(BootIniExitst());
    EXPECT_TRUE(IsBootIniWriteProtected());
    EXPECT_EQ(GetStandardOption(), L"");
    EXPECT_TRUE(CheckSystem(L"standard"));
    EXPECT_FALSE(CheckSystem(L"Microsoft Windows XP Professional"));
    EXPECT_EQ(GetTimeOut(), 30);
    EXPECT_NO_THROW(SetStandardSystem(L"Standard"));
    EXPECT_NO_THROW(WriteTimeOut(5));
    EXPECT_FALSE(kvtest::FileExists(kBootIni));
}

TEST_F(BootIni, AHiddenSystemFileIsFoundUnderTheNameTheDirectoryGives) {
    kvtest::WriteFileText(L"C:\\BOOT.INI", kXpBootIni);
    SetFileAttributesW(L"C:\\BOOT.INI", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(GetBootIniLocation(), L"C:\\BOOT.INI");
    EXPECT_TRUE(BootIniExitst());
    EXPECT_FALSE(IsBootIniWriteProtected());
}

TEST_F(BootIni, TheSearchTakesTheFirstHitAndStopsAtTheFirstDriveThatIsNoFixedDisk) {
    if (!kvtest::TestDrive::IsFree(L'D') || !kvtest::TestDrive::IsFree(L'E'))
        GTEST_SKIP() << "drive letters D: and E: are taken in this prefix";
    {
        kvtest::TestDrive d(L'D', DRIVE_FIXED, L"C:\\kvtest_drive_d");
        kvtest::WriteFileText(L"D:\\boot.ini", kXpBootIni);
        EXPECT_EQ(GetBootIniLocation(), L"D:\\boot.ini");
        EXPECT_EQ(GetStandardOption(), L"Microsoft Windows XP Professional");
        WriteBootIni(kXpBootIni);
        EXPECT_EQ(GetBootIniLocation(), L"C:\\boot.ini");
        kvtest::RemoveFile(L"D:\\boot.ini");
        kvtest::RemoveFile(kBootIni);
    }
    kvtest::TestDrive d(L'D', DRIVE_CDROM, L"C:\\kvtest_drive_d");
    kvtest::TestDrive e(L'E', DRIVE_FIXED, L"C:\\kvtest_drive_e");
    kvtest::WriteFileText(L"E:\\boot.ini", kXpBootIni);
    EXPECT_EQ(GetBootIniLocation(), L"");
    EXPECT_EQ(GetQuitOptions(false).size(), 3u);
    kvtest::RemoveFile(L"E:\\boot.ini");
}

TEST_F(BootIni, StandardOptionNamesTheSystemWithExactlyTheDefaultPath) {
    WriteBootIni(kXpBootIni);
    EXPECT_EQ(GetStandardOption(), L"Microsoft Windows XP Professional");
    // partition(1)\WINDOWS is only the start of this later path: it is another system.
    WriteBootIni(kXpBootIni + "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS2=\"Test XP\"\r\n");
    EXPECT_EQ(GetStandardOption(), L"Microsoft Windows XP Professional");
    WriteBootIni("[boot loader]\r\ndefault=C:\\\r\n[operating systems]\r\nC:\\=\"Recovery\"\r\n");
    EXPECT_EQ(GetStandardOption(), L"Recovery");
    WriteBootIni("[boot loader]\r\ntimeout=30\r\n[operating systems]\r\nC:\\=\"Recovery\"\r\n");
    EXPECT_EQ(GetStandardOption(), L"");
}

TEST_F(BootIni, TimeOutReadsItsNumberOr30) {
    WriteBootIni("[boot loader]\r\ndefault=x\r\n[operating systems]\r\n");
    EXPECT_EQ(GetTimeOut(), 30);
    WriteBootIni("[boot loader]\r\ntimeout=5\r\n");
    EXPECT_EQ(GetTimeOut(), 5);
    WriteBootIni("[boot loader]\r\ntimeout=12 seconds\r\n");
    EXPECT_EQ(GetTimeOut(), 12);
}

// Which system a name selects in each layout: the default written, or the error raised with
// the file left as it was.
TEST_F(BootIni, ANameSelectsOneSystemOfTheSectionOrNoneAndTheFileStays) {
    const std::string two = "[operating systems]\r\nC:\\WINDOWS=\"Erstes\"\r\nD:\\WINDOWS=\"Zweites\"\r\n";
    // Lines of a later section, comments and lines without "=" are no systems.
    const std::string mixed =
        "[operating systems]\r\nC:\\WINNT=\"Windows 2000\"\r\n; comment\r\nA line without equals sign\r\n"
        "[other]\r\nWINNT=\"Fremd\"\r\n";
    const std::string similar =
        "[operating systems]\r\nC:\\A=\"Windows XP Test\"\r\nC:\\B=\"Windows XP\"\r\nC:\\C=\"Windows XP\"\r\n";
    struct Case {
        std::string systems;
        const wchar_t* name;
        const wchar_t* entry;  // the default afterwards
        long error;            // 0: none
    } cases[] = {
        {two, L"erstes", L"C:\\WINDOWS", 0},
        {two, L"weit", L"D:\\WINDOWS", 0},  // the one line containing it
        {two, L"WINDOWS", L"old", conErrAmbiguousSystem},
        {two, L"Windows 98", L"old", conErrUnknownSystem},
        {two, L"", L"old", conErrUnknownSystem},
        {two, L"systems", L"old", conErrUnknownSystem},  // the header is no system
        {two, L"Standard", L"old", 0},                   // no standard system of the user's: stays
        {mixed, L"comment", L"old", conErrUnknownSystem},
        {mixed, L"Fremd", L"old", conErrUnknownSystem},
        {mixed, L"2000", L"C:\\WINNT", 0},
        {similar, L"windows xp", L"C:\\C", 0},  // exact beats contained; of equal names the last
        {similar, L"XP Test", L"C:\\A", 0},
        {"", L"Erstes", L"old", conErrUnknownSystem},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.systems.c_str() << " / " << c.name);
        WriteSystems(c.systems);
        const std::string before = kvtest::ReadFileText(kBootIni);
        EXPECT_EQ(CheckSystem(c.name), c.error == 0 || kvtest::UpperCase(c.name) == L"STANDARD");
        long raised = 0;
        try {
            SetStandardSystem(c.name);
        } catch (const kv::KVError& e) {
            raised = e.Number;
        }
        EXPECT_EQ(raised, c.error);
        EXPECT_EQ(DefaultEntry(), c.entry);
        if (c.error) {
            EXPECT_EQ(kvtest::ReadFileText(kBootIni), before);
        }
    }
    // A layout's other sections never become systems of the lists.
    WriteSystems(mixed);
    EXPECT_EQ(GetQuitOptions(true), std::vector<std::wstring>{L"Windows 2000"});
}

TEST_F(BootIni, OfSystemsWithEqualNamesTheDefaultStays) {
    WriteBootIni("[boot loader]\r\ndefault=C:\\B\r\n[operating systems]\r\nC:\\A=\"XP\"\r\nC:\\B=\"XP\"\r\n"
                 "C:\\C=\"XP\"\r\n");
    const std::string before = kvtest::ReadFileText(kBootIni);
    SetStandardSystem(L"XP");
    EXPECT_EQ(kvtest::ReadFileText(kBootIni), before);
}

TEST_F(BootIni, StandardIsTheUsersStandardSystem) {
    WriteBootIni(kXpBootIni);
    State().StandardSystem = L"Microsoft Windows XP Home";
    SetStandardSystem(L"standard");
    EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS");
}

TEST_F(BootIni, AHiddenSystemBootIniIsWrittenInOneStepAndKeepsItsAttributes) {
    WriteBootIni(kXpBootIni, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetStandardSystem(L"Home");
    WriteTimeOut(7);
    EXPECT_EQ(DefaultEntry(), L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS");
    EXPECT_EQ(GetTimeOut(), 7);
    EXPECT_EQ(GetFileAttributesW(kBootIni.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    // The rest of the file is as it was, and no copy is left beside it.
    std::string expected = kXpBootIni;
    expected.replace(expected.find("partition(1)"), 12, "partition(2)");
    expected.replace(expected.find("timeout=30"), 10, "timeout=7");
    EXPECT_EQ(kvtest::ReadFileText(kBootIni), expected);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"C:\\kvb*.tmp", &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "copy left behind";
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(BootIni, AFileThatCannotBeWrittenRaisesAndStaysAsItWas) {
    struct Case {
        const char* what;
        std::string text;
        DWORD attributes;
        bool locked;
        long error;
    } cases[] = {
        // Wine lets its root user write read-only files; the open handle stands in for that.
        {"read-only", kXpBootIni, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, true, conErrBootIniWriteProtected},
        {"locked", kXpBootIni, FILE_ATTRIBUTE_NORMAL, true, conErrBootIniWriteProtected},
        // Writing would add a loader section behind the systems.
        {"no loader section", kXpBootIni.substr(kXpBootIni.find("[operating")), FILE_ATTRIBUTE_NORMAL, false,
         conErrNoBootLoaderSection},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBootIni(c.text, c.attributes);
        std::optional<kvtest::WriteBlocked> lock;
        if (c.locked) lock.emplace(kBootIni);
        long raised = 0;
        try {
            SetStandardSystem(L"Microsoft Windows XP Home");
        } catch (const kv::KVError& e) {
            raised = e.Number;
            EXPECT_NE(e.Description.find(L"C:\\boot.ini"), std::wstring::npos) << "the message names the file";
        }
        EXPECT_EQ(raised, c.error);
        // The menu time of a write-protected file stays silent about it, as it always did.
        if (c.error == conErrBootIniWriteProtected) {
            EXPECT_NO_THROW(WriteTimeOut(3));
        }
        lock.reset();
        SetFileAttributesW(kBootIni.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(kvtest::ReadFileText(kBootIni), c.text);
    }
}

class FirstRun : public BootIni {
protected:
    kvtest::RegistrySnapshot registry_{{
        {HKEY_CURRENT_USER, kvr::conRunKey, L"Kelvo Restart"},
        {HKEY_CURRENT_USER, kvtest::kPrgSettingsKey, L"RunFirstTime"},
        {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"SwitchOff"},
    }};
    kvtest::RecordingMessageBox boxes_;
};

const std::wstring kBackupMessage =
    L"Dieses Programm ändert die Windows-NT/2000/XP-Datei \"C:\\boot.ini\". Aus diesem Grund wurde die Datei in "
    L"das Verzeichnis \"C:\\boot.ini_kelvorestart_backup.bak\" gesichert. Sie können die Datei verwenden, falls "
    L"die Originaldatei beschädigt wird.";
const std::wstring kProtectedMessage =
    L"Die Datei \"C:\\boot.ini\" ist schreibgeschützt oder Sie haben keine Rechte für den Schreibzugriff. Um alle "
    L"Funktionen nutzen zu können, sollte der Schreibzugriff möglich sein.";

TEST_F(FirstRun, BacksUpBootIniTellsTheUserAndRegistersTheProgram) {
    WriteBootIni(kXpBootIni);
    kvtest::WriteFileText(kBackup, "an older copy");
    SetFileAttributesW(kBackup.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_TRUE(RunFirstTime());

    EXPECT_EQ(kvtest::ReadFileText(kBackup), kXpBootIni);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, kBackupMessage);
    EXPECT_EQ(boxes_.shown[0].title, L"Kelvo Restart");
    EXPECT_EQ(boxes_.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

    auto autostart = kvtest::Stored(HKEY_CURRENT_USER, kvr::conRunKey, L"Kelvo Restart");
    EXPECT_EQ(autostart.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(autostart.text, ProgramFileName());
    auto runFirstTime = kvtest::Stored(HKEY_CURRENT_USER, kvtest::kPrgSettingsKey, L"RunFirstTime");
    EXPECT_EQ(runFirstTime.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(runFirstTime.number, 0u);
    EXPECT_EQ(kvtest::Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"SwitchOff").number, 1u);
    EXPECT_TRUE(State().SwitchOff);
}

TEST_F(FirstRun, AWriteProtectedBootIniIsReportedOnce) {
    WriteBootIni(kXpBootIni, FILE_ATTRIBUTE_READONLY);
    kvtest::WriteBlocked blocked(kBootIni);
    EXPECT_TRUE(RunFirstTime());
    ASSERT_EQ(boxes_.shown.size(), 2u);
    EXPECT_EQ(boxes_.shown[0].text, kBackupMessage);
    EXPECT_EQ(boxes_.shown[1].text, kProtectedMessage);
    EXPECT_EQ(boxes_.shown[1].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(kvtest::ReadFileText(kBackup), kXpBootIni);
}

TEST_F(FirstRun, WithoutBootIniNothingIsSaidAndWindows95AndNT4KeepSwitchOff) {
    for (Windows w : {Windows::Win95, Windows::NT4}) {
        kvtest::RunningWindows running(w);
        kvtest::Remove(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"SwitchOff");
        State().SwitchOff = false;
        EXPECT_TRUE(RunFirstTime());
        EXPECT_EQ(kvtest::Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"SwitchOff").type, 0u);
        EXPECT_FALSE(State().SwitchOff);
        EXPECT_EQ(kvtest::Stored(HKEY_CURRENT_USER, kvtest::kPrgSettingsKey, L"RunFirstTime").number, 0u);
    }
    EXPECT_TRUE(boxes_.shown.empty());
    EXPECT_FALSE(kvtest::FileExists(kBackup));
}

TEST_F(FirstRun, AFailingBackupIsShownAndReportedAsFailure) {
    kvtest::Remove(HKEY_CURRENT_USER, kvtest::kPrgSettingsKey, L"RunFirstTime");
    WriteBootIni(kXpBootIni);
    // A folder in the backup's place cannot be overwritten by a copy.
    ASSERT_TRUE(CreateDirectoryW(kBackup.c_str(), nullptr));
    EXPECT_FALSE(RunFirstTime());
    RemoveDirectoryW(kBackup.c_str());
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].style, static_cast<UINT>(0x10010));
    EXPECT_NE(boxes_.shown[0].text.find(L"basWork_RunFirstTime"), std::wstring::npos);
    EXPECT_EQ(kvtest::Stored(HKEY_CURRENT_USER, kvtest::kPrgSettingsKey, L"RunFirstTime").type, 0u);
}

namespace {

// The first visible top-level window whose title contains the text, waiting up to ten
// seconds for it.
HWND WaitForWindow(const std::wstring& part) {
    struct Search {
        std::wstring part;
        HWND found = nullptr;
    } search{kvtest::UpperCase(part)};
    kvtest::WaitUntil([&] {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                wchar_t title[256] = {};
                GetWindowTextW(window, title, 256);
                if (IsWindowVisible(window) && kvtest::UpperCase(title).find(s->part) != std::wstring::npos) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, 10000, 100);
    return search.found;
}

}  // namespace

TEST_F(BootIni, EditingUncoversTheFileKeepsItReadOnlyAndOpensIt) {
    WriteBootIni(kXpBootIni, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EditBootIni();
    EXPECT_EQ(GetFileAttributesW(kBootIni.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                      FILE_ATTRIBUTE_SYSTEM),
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    HWND editor = WaitForWindow(L"boot");
    ASSERT_NE(editor, nullptr) << "no program showed boot.ini";
    DWORD process = 0;
    GetWindowThreadProcessId(editor, &process);
    PostMessageW(editor, WM_CLOSE, 0, 0);
    HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
    if (handle) {
        WaitForSingleObject(handle, 10000);
        CloseHandle(handle);
    }
    EXPECT_EQ(kvtest::ReadFileText(kBootIni), kXpBootIni);
}

TEST_F(BootIni, EditingWithoutBootIniDoesNothing) {
    EXPECT_NO_THROW(EditBootIni());
    EXPECT_FALSE(kvtest::FileExists(kBootIni));
}

// Writing the default leaves every other byte as it was (line ends included) and changes the
// line the profile functions read; cases the randomized tests found.
TEST(BootIniBytes, OnlyTheValuesLineChanges) {
    const struct { const char *file, *written; } cases[] = {
        {"[boot loader]\ndefault=a\ntimeout=3\n[operating systems]\n",
         "[boot loader]\ndefault=b\ntimeout=3\n[operating systems]\n"},
        {"[boot loader]\rtimeout=3\r", "[boot loader]\rdefault=b\rtimeout=3\r"},
        {"[boot loader]\r\ndefault\r\ndefault=x\r\n", "[boot loader]\r\ndefault=b\r\ndefault=x\r\n"},
        {"[operating systems]\na=\"A\"\n[Boot Loader]", "[operating systems]\na=\"A\"\n[Boot Loader]\r\ndefault=b"},
        {" [ boot loader ] \n  DEFAULT = a  \n", " [ boot loader ] \ndefault=b\n"},
        {"[x]\ndefault=a\n", "[x]\ndefault=a\n"},   // no loader section: nothing to write
    };
    for (const auto& c : cases) EXPECT_EQ(WithBootLoaderValue(c.file, "default", "b"), c.written) << c.file;
}

TEST_F(BootIni, ALineWithAControlCharacterInItsPathIsNoSystem) {
    kvtest::WriteFileText(kBootIni, std::string("[boot loader]\n[operating systems]\n\x01=\"Kaputt\"\nC:\\=\"Ganz\"\n"));
    const auto systems = work::OperatingSystems(kBootIni);
    ASSERT_EQ(systems.size(), 1u);
    EXPECT_EQ(systems[0].Name, L"Ganz");
}
