// clsFileInfo and clsFileFunctions against real files of the test prefix: names, drive and
// attributes, sizes around 2 and 4 GiB (sparse files), the version resource of a built DLL,
// dates set and read back, names outside the ANSI code page, and the errors.
#include <windows.h>
#include <winioctl.h>
#include <gtest/gtest.h>

#include "ErrorCapture.h"
#include "TempFolder.h"
#include "Variant.h"
#include "clsFileFunctions.h"
#include "clsFileInfo.h"

using kv::clsFileInfo;
using kv::test::Raised;
using kv::test::StartsWith;
using kvtest::TempFolder;

namespace {

// A file of that size whose content is one hole.
void MakeSparse(const std::wstring& path, ULONGLONG size) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);  // where supported
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    EXPECT_TRUE(SetFilePointerEx(h, end, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(h));
    CloseHandle(h);
}

// A local date value: days since 30 December 1899.
double DateValue(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME t{year, month, 0, day, hour, minute, second, 0};
    double value = 0;
    SystemTimeToVariantTime(&t, &value);
    return value;
}

std::wstring DateText(double value) { return kv::Variant(kv::Date{value}).ToString(); }

class FileInfoTest : public ::testing::Test {
protected:
    TempFolder folder{L"kvinfo"};
    clsFileInfo info;
};

}  // namespace

TEST_F(FileInfoTest, NamesDriveAndAttributes_OfFilesAndFolders) {
    const std::wstring file = folder.Put(L"Bericht.final.txt", "12345");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    info.GetDatas(file);
    const std::wstring folderPart = folder.Path().substr(2);
    EXPECT_EQ(info.Drive(), folder.Path().substr(0, 2));
    EXPECT_EQ(info.DriveType(), kv::conDt_Fixed);
    EXPECT_EQ(info.Folder(), folderPart);
    EXPECT_EQ(info.Name(), L"Bericht");
    EXPECT_EQ(info.Extension(), L"final.txt");
    EXPECT_EQ(info.Size(), 5);
    EXPECT_TRUE(info.AttrReadOnly() && info.AttrHidden());
    EXPECT_FALSE(info.AttrDirectory() || info.AttrSystem());
    EXPECT_FALSE(info.DisplayName().empty());
    EXPECT_FALSE(info.FileType().empty());
    EXPECT_FALSE(info.FolderMsDos().empty());
    EXPECT_FALSE(info.NameMsDos().empty());
    EXPECT_TRUE(info.Icon(kv::conSysIconSmall, kv::conSysIconLinkOverlayed));

    // A folder with a dot: the whole name moves into Folder; a trailing "\" changes nothing.
    const std::wstring sub = folder.Folder(L"my.dir");
    for (const std::wstring& name : {sub, sub.substr(0, sub.size() - 1)}) {
        SCOPED_TRACE(testing::PrintToString(name));
        info.GetDatas(name);
        EXPECT_EQ(info.Folder(), folderPart + L"my.dir\\");
        EXPECT_EQ(info.Name(), L"");
        EXPECT_EQ(info.Extension(), L"");
        EXPECT_TRUE(info.AttrDirectory());
    }

    // A drive root is asked of the shell without a search.
    info.GetDatas(L"C:\\");
    EXPECT_EQ(info.Drive(), L"C:");
    EXPECT_EQ(info.Folder(), L"\\");
    EXPECT_EQ(info.ModificationTime(), L"");
}

TEST_F(FileInfoTest, NamesOutsideTheAnsiCodePage_AndRelativeNames) {
    for (const std::wstring name : {L"Grüße Ärger", L"漢字 ファイル"}) {
        const std::wstring file = folder.Put(name + L".txt", "abc");
        info.GetDatas(file);
        EXPECT_EQ(info.Name(), name);
        EXPECT_EQ(info.Size(), 3);
    }
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(folder.Path().c_str());
    info.GetDatas(L"Grüße Ärger.txt");
    SetCurrentDirectoryW(current);
    EXPECT_EQ(info.Folder(), folder.Path().substr(2));
}

TEST_F(FileInfoTest, Sizes_From2GiBRaiseInsteadOfWrapping_Size64IsExact) {
    struct Case {
        ULONGLONG size;
        bool fits;
    } cases[] = {{0x7FFFFFFFull, true}, {0x80000005ull, false}, {0x100000005ull, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const std::wstring file = folder / L"big.bin";
        MakeSparse(file, c.size);
        info.GetDatas(file);
        EXPECT_EQ(info.Size64(), c.size);
        if (c.fits) {
            EXPECT_EQ(static_cast<ULONGLONG>(info.Size()), c.size);
        } else {
            kv::KVError e = Raised([&] { info.Size(); });
            EXPECT_EQ(e.Number, -52301);
            EXPECT_EQ(e.Description, L"Die Datei \"" + file + L"\" ist mit " + std::to_wstring(c.size) +
                                         L" Bytes zu groß für \"Size\"; ihre Größe liefert \"Size64\". @@@ "
                                         L"clsFileInfo_Size @@@ KVFiles");
        }
        DeleteFileW(file.c_str());
    }
}

TEST_F(FileInfoTest, VersionResource_OfABuiltDll_AndNoneElsewhere) {
    info.GetDatas(KV_FILES_DLL);
    EXPECT_EQ(info.NameCompany(), L"Tormel");
    EXPECT_EQ(info.Description(), L"Kelvo Restart: Dateifunktionen");
    EXPECT_EQ(info.Version(), KV_VERSION_TEXT);
    EXPECT_EQ(info.NameInternal(), L"KVFiles");
    EXPECT_EQ(info.NameOriginal(), L"KVFiles.dll");
    EXPECT_EQ(info.NameProduct(), L"Kelvo Restart");
    EXPECT_EQ(info.VersionProduct(), KV_VERSION_TEXT);
    EXPECT_EQ(info.Copyright(), L"");

    info.GetDatas(folder.Put(L"plain.txt"));
    for (const std::wstring& field : {info.NameCompany(), info.Description(), info.Version(), info.NameProduct()})
        EXPECT_EQ(field, L"");

    std::wstring major, minor, build;
    info.SplitVersion(L"1.2.345.6", major, minor, build);
    EXPECT_EQ(major + L"|" + minor + L"|" + build, L"1|2|345");
    info.SplitVersion(L"7", major, minor, build);
    EXPECT_EQ(major + L"|" + minor + L"|" + build, L"7||");
}

TEST_F(FileInfoTest, AMissingFileRaisesTheSearchError_AndTheLastDataStays) {
    const std::wstring file = folder.Put(L"kept.txt");
    info.GetDatas(file);
    kv::KVError e = Raised([&] { info.GetDatas(folder / L"missing.txt"); });
    EXPECT_EQ(e.Number, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(StartsWith(e.Description, L"API: ")) << e.Description;
    EXPECT_NE(e.Description.find(L" @@@ clsFileInfo_GetDatas @@@ KVFiles"), std::wstring::npos);
    EXPECT_EQ(info.Name(), L"kept");
}

TEST_F(FileInfoTest, SetFileDate_SetsOnlyTheDatesGiven_AndReadsBackAsText) {
    const std::wstring file = folder.Put(L"dated.txt");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);  // dates are attributes, not content
    kv::clsFileFunctions functions;
    const double written = DateValue(2004, 3, 15, 10, 20, 30), accessed = DateValue(2005, 6, 1, 8, 0, 0);

    functions.SetFileDate(file, written);
    info.GetDatas(file);
    const std::wstring accessBefore = info.AccessTime();
    EXPECT_EQ(info.ModificationTime(), DateText(written));

    functions.SetFileDate(file, 0, accessed);  // a zero date is no date
    info.GetDatas(file);
    EXPECT_EQ(info.ModificationTime(), DateText(written));
    EXPECT_EQ(info.AccessTime(), DateText(accessed));
    EXPECT_NE(info.AccessTime(), accessBefore);

    // Only the creation date: the other two stay. (Wine on Linux keeps no creation time of
    // its own; Windows shows the one written.) GetDatas reads the file for its version
    // resource, which may touch the access time: it is set again first.
    functions.SetFileDate(file, 0, accessed);
    functions.SetFileDate(file, 0, 0, DateValue(2001, 1, 2, 3, 4, 5));
    info.GetDatas(file);
    EXPECT_EQ(info.ModificationTime(), DateText(written));
    EXPECT_EQ(info.AccessTime(), DateText(accessed));

    kv::KVError e = Raised([&] { functions.SetFileDate(folder / L"missing.txt", written); });
    EXPECT_EQ(e.Number, -52015);
    EXPECT_EQ(e.Description, L"Fehler (1) beim Schreiben des Datums für \"" + (folder / L"missing.txt") +
                                 L"\". @@@ clsFileFunctions_SetFileDate @@@ KVFiles");
}
