// clsFileShortcut against real link files of the test prefix: every field written and read
// back through the shell's own link object (wide texts beyond 260 characters, the hotkey
// word, the icon, the show command), the link names, the desktop default and the errors.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ComPtr.h"
#include "ErrorCapture.h"
#include "TempFolder.h"
#include "clsFileShortcut.h"
#include "clsMain.h"

using kv::clsFileShortcut;
using kv::test::Raised;
using kvtest::TempFolder;

namespace {

// What the shell itself reads from a link file.
struct ShellView {
    std::wstring Path, Arguments, WorkingDirectory, Description, IconFile;
    int IconIndex = -1;
    WORD HotKey = 0;
};

ShellView ReadWithShell(const std::wstring& linkFile) {
    ShellView view;
    kv::ComPtr<IShellLinkW> link;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                               reinterpret_cast<void**>(link.Put())), S_OK);
    kv::ComPtr<IPersistFile> file;
    EXPECT_EQ(link.As(file), S_OK);
    EXPECT_EQ(file->Load(linkFile.c_str(), STGM_READ), S_OK);
    std::wstring buffer(4096, L'\0');
    auto text = [&] { return std::wstring(buffer.c_str()); };
    link->GetPath(buffer.data(), 4096, nullptr, 0), view.Path = text();
    link->GetArguments(buffer.data(), 4096), view.Arguments = text();
    link->GetWorkingDirectory(buffer.data(), 4096), view.WorkingDirectory = text();
    link->GetDescription(buffer.data(), 4096), view.Description = text();
    link->GetIconLocation(buffer.data(), 4096, &view.IconIndex), view.IconFile = text();
    link->GetHotkey(&view.HotKey);
    return view;
}

// The show command as the link file's header holds it (offset 0x3C).
DWORD StoredShowCommand(const std::wstring& linkFile) {
    std::ifstream in(std::filesystem::path(linkFile), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DWORD value = 0;
    if (bytes.size() >= 0x40) memcpy(&value, bytes.data() + 0x3C, sizeof value);
    return value;
}

class FileShortcutTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }

    TempFolder folder{L"kvlink"};
    // Wine keeps a target path in the code page only; texts of the link keep every character.
    std::wstring target = folder.Put(L"Programm\\KVRestart.exe");
};

}  // namespace

TEST_F(FileShortcutTest, Create_WritesEveryFieldInFull_AsTheShellReadsIt) {
    const std::wstring arguments = L"/T:2 /S:\"Система " + std::wstring(300, L'x') + L"\" /C /F";
    const std::wstring description = L"Beschreibung ÄÖÜ ℃ " + std::wstring(400, L'd');
    clsFileShortcut link;
    link.LinkFile(folder / L"Windows beenden...");
    link.File(target);
    link.Parameters(arguments);
    link.WorkingDirectory(folder.Path());
    link.Description(description);
    link.ViewMode(kv::conLVM_Maximized);
    link.HotKeyCtrl(true);
    link.HotKeyAlt(true);
    link.HotKey(82);
    link.Icon(2L);
    link.Create();

    ASSERT_TRUE(folder.Exists(L"Windows beenden....lnk"));
    ShellView view = ReadWithShell(folder / L"Windows beenden....lnk");
    EXPECT_EQ(view.Path, target);
    EXPECT_EQ(view.Arguments, arguments);
    EXPECT_EQ(view.WorkingDirectory, folder.Path());
    EXPECT_EQ(view.Description, description);
    EXPECT_EQ(view.IconFile, target);
    EXPECT_EQ(view.IconIndex, 2);
    EXPECT_EQ(view.HotKey, 0x0652);
    // Wine's link object loads every show command as 1, so the file itself is read.
    EXPECT_EQ(StoredShowCommand(folder / L"Windows beenden....lnk"), 3u);

    clsFileShortcut read;
    read.GetInfos(folder / L"Windows beenden....lnk");
    EXPECT_EQ(read.File(), target);
    EXPECT_EQ(read.Parameters(), arguments);
    EXPECT_EQ(read.WorkingDirectory(), folder.Path());
    EXPECT_EQ(read.Description(), description);
    EXPECT_TRUE(read.HotKeyCtrl());
    EXPECT_TRUE(read.HotKeyAlt());
    EXPECT_FALSE(read.HotKeyShift());
    EXPECT_EQ(read.HotKey(), 82);
    ASSERT_TRUE(read.Icon().IsLong());
    EXPECT_EQ(read.Icon().ToLong(), 2);
}

TEST_F(FileShortcutTest, GetInfos_ReadsAnotherIconFileAsItsPath_AndANameWithoutExtension) {
    const std::wstring icons = folder.Put(L"bilder.ico");
    clsFileShortcut link;
    link.LinkFile(folder / L"Symbol.txt");  // a real extension becomes ".lnk"
    link.File(target);
    link.Icon(icons);
    link.Create();
    ASSERT_TRUE(folder.Exists(L"Symbol.lnk"));
    EXPECT_FALSE(folder.Exists(L"Symbol.txt"));

    clsFileShortcut read;
    read.LinkFile(folder / L"Symbol");
    read.GetInfos();
    EXPECT_EQ(read.LinkFile(), folder / L"Symbol.lnk");
    EXPECT_EQ(read.Icon().ToString(), icons);
    EXPECT_EQ(read.ViewMode(), kv::conLVM_Normal);
    EXPECT_EQ(read.Parameters(), L"");

    // The object read can be changed and written again over the same file.
    read.Parameters(L"/T:3");
    read.Create();
    EXPECT_EQ(ReadWithShell(folder / L"Symbol.lnk").Arguments, L"/T:3");
}

TEST_F(FileShortcutTest, LinkPath_ReplacesOnlyARealExtension) {
    const struct {
        const wchar_t* given;
        const wchar_t* written;
    } cases[] = {
        {L"a.b.txt", L"a.b.lnk"},
        {L"Bericht", L"Bericht.lnk"},
        {L"Verknüpfung.lnk", L"Verknüpfung.lnk"},
        {L"Windows beenden...", L"Windows beenden....lnk"},
        {L"Neu starten XP 5.1 Pro", L"Neu starten XP 5.1 Pro.lnk"},
        {L"Neu starten XP 5.1", L"Neu starten XP 5.1.lnk"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clsFileShortcut::LinkPath(folder / c.given), folder / c.written) << c.given;
    }
}

TEST_F(FileShortcutTest, Create_WithoutLinkFile_PutsTheLinkOnTheDesktopUnderTheTargetsName) {
    const std::wstring desktop = kv::clsMain().GetSystemFolder(kv::conWsf_Desktop);
    ASSERT_FALSE(desktop.empty());
    std::filesystem::create_directories(desktop);
    const std::wstring expected = desktop + L"KVRestart.lnk";
    DeleteFileW(expected.c_str());
    clsFileShortcut link;
    link.File(target);
    link.Create();
    EXPECT_EQ(ReadWithShell(expected).Path, target);
    DeleteFileW(expected.c_str());
}

TEST_F(FileShortcutTest, Errors_NameTheProperty_AndWriteNothing) {
    const std::wstring hidden = folder.Put(L"versteckt.exe");
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const struct {
        const wchar_t* what;
        std::wstring linkFile, file;
        long number;
        const wchar_t* start;
    } cases[] = {
        {L"no target", folder / L"x", L"", -52016, L"\"File\" ungültig"},
        {L"missing target", folder / L"x", folder / L"fehlt.exe", -52012, L"Datei \""},
        {L"hidden target", folder / L"x", hidden, -52012, L"Datei \""},
        {L"missing folder", folder / L"fehlt\\x", target, -52017, L"Pfad \""},
        {L"only an extension", folder / L".lnk", target, -52016, L"\"LinkFile\" ungültig"},
    };
    for (const auto& c : cases) {
        clsFileShortcut link;
        link.LinkFile(c.linkFile);
        link.File(c.file);
        kv::KVError e = Raised([&] { link.Create(); });
        EXPECT_EQ(e.Number, c.number) << c.what;
        EXPECT_TRUE(kv::test::StartsWith(e.Description, c.start)) << c.what;
        EXPECT_NE(e.Description.find(L"clsShortcut_Create"), std::wstring::npos) << c.what;
    }
    EXPECT_FALSE(folder.Exists(L"x.lnk"));
    EXPECT_FALSE(folder.Exists(L"fehlt"));

    clsFileShortcut link;
    for (long outside : {-1L, 0x100L, 0x10000L}) {
        EXPECT_EQ(Raised([&] { link.HotKey(outside); }).Number, -52016) << outside;
    }
    link.HotKey(0x800 | 65);  // the extended-key bit fits the word
    EXPECT_EQ(link.HotKey(), 0x841);

    kv::KVError unreadable = Raised([&] { link.GetInfos(folder.Put(L"kaputt.lnk", "kein Link")); });
    EXPECT_NE(unreadable.Description.find(L"clsShortcut_GetInfos"), std::wstring::npos);
}
