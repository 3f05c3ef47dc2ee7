// clsFileOperations through the real shell of the test prefix: copy, move, rename and delete
// with lists, arrays, empty items, relative paths and names outside the ANSI code page;
// deleting into the recycle bin (Wine's is the desktop trash) and for good.
#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "ErrorCapture.h"
#include "TempFolder.h"
#include "clsFileOperations.h"

using kv::clsFileOperations;
using kvtest::TempFolder;

namespace {

// Where the recycle bin keeps a deleted file: Wine's trash folder of the desktop; "" when it
// cannot be told (a real Windows recycle bin has no plain folder).
std::wstring TrashFile(const std::wstring& name) {
    wchar_t home[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"XDG_DATA_HOME", home, MAX_PATH);
    std::wstring base;
    if (length && length < MAX_PATH) {
        base = L"Z:" + std::wstring(home) + L"/Trash";
    } else {
        length = GetEnvironmentVariableW(L"HOME", home, MAX_PATH);
        if (!length || length >= MAX_PATH) return L"";
        base = L"Z:" + std::wstring(home) + L"/.local/share/Trash";
    }
    for (wchar_t& c : base)
        if (c == L'/') c = L'\\';
    return base + L"\\files\\" + name;
}

void RemoveFromTrash(const std::wstring& name) {
    std::error_code ignored;
    std::filesystem::remove(TrashFile(name), ignored);
    std::filesystem::path info(TrashFile(name));
    std::filesystem::remove(info.parent_path().parent_path() / L"info" / (name + L".trashinfo"), ignored);
}

std::shared_ptr<kv::VariantArray> PathArray(const std::vector<std::wstring>& paths) {
    auto array = kv::VariantArray::Make(VT_VARIANT, {0}, {static_cast<long>(paths.size())});
    for (size_t i = 0; i < paths.size(); ++i) array->items[i] = kv::Variant(paths[i]);
    return array;
}

class FileOperationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // No question and no progress window in an unattended test.
        ops.ConfirmActions(false);
        ops.ConfirmMkdir(false);
        ops.ShowErrorMessages(false);
        ops.ShowProgressWindow(false);
    }

    TempFolder folder{L"kvops"};
    clsFileOperations ops;
};

}  // namespace

TEST_F(FileOperationsTest, Copy_ListsWithEmptyItems_Arrays_AndNamesOutsideTheAnsiCodePage) {
    const std::wstring umlaut = L"Grüße.txt", cjk = L"漢字.txt";
    folder.Put(L"src\\a.txt");
    folder.Put(L"src\\b.txt");
    folder.Put(L"src\\" + umlaut);
    folder.Put(L"src\\" + cjk);
    const std::wstring src = folder / L"src\\";

    ops.Source(src + L"a.txt||" + src + L"b.txt|");
    ops.Destination(folder.Folder(L"list"));
    EXPECT_TRUE(ops.Copy());
    EXPECT_TRUE(folder.Exists(L"list\\a.txt") && folder.Exists(L"list\\b.txt")) << "the empty item ends nothing";

    ops.Source(PathArray({src + umlaut, L"", src + cjk}));
    ops.Destination(folder.Folder(L"array"));
    EXPECT_TRUE(ops.Copy());
    EXPECT_TRUE(folder.Exists(L"array\\" + umlaut) && folder.Exists(L"array\\" + cjk));

    ops.ListSeparator(L";");
    ops.Source(src + L"a.txt;" + src + L"b.txt");
    ops.Destination(folder / L"semi\\a.txt;" + folder / L"semi\\b2.txt");
    EXPECT_TRUE(ops.Copy());
    EXPECT_TRUE(folder.Exists(L"semi\\a.txt") && folder.Exists(L"semi\\b2.txt")) << "one destination per source";

    kv::KVError e = kv::test::Raised([&] { ops.ListSeparator(L""); });
    EXPECT_EQ(e.Number, -52016);
    EXPECT_EQ(e.Description, L"\"ListSeparator\" ungültig oder nicht gesetzt. @@@ clsFileOperations_ListSeparator "
                             L"@@@ KVFiles");
    EXPECT_EQ(ops.ListSeparator(), L";");

    ops.Source(src + L"missing.txt");
    ops.Destination(folder.Path());
    EXPECT_FALSE(ops.Copy()) << "a failure is no success";
}

TEST_F(FileOperationsTest, MoveAndRename_WithAFolderAndABareNewName) {
    folder.Put(L"tree\\inner\\x.txt");
    ops.Source(folder / L"tree");
    ops.Destination(folder / L"moved");
    EXPECT_TRUE(ops.Move());
    EXPECT_TRUE(folder.Exists(L"moved\\inner\\x.txt"));
    EXPECT_FALSE(folder.Exists(L"tree"));

    ops.Source(folder / L"moved\\inner\\x.txt");
    ops.Destination(L"Übersicht 表.txt");
    EXPECT_TRUE(ops.Rename());
    EXPECT_TRUE(folder.Exists(L"moved\\inner\\Übersicht 表.txt")) << "renamed in its own folder";
}

TEST_F(FileOperationsTest, Delete_RelativePathsGoToTheRecycleBin_OrForGood) {
    const std::wstring unique = L"kvtrash" + std::to_wstring(GetCurrentProcessId());
    const std::wstring toBin = unique + L"_bin 漢字.txt", gone = unique + L"_gone.txt";
    folder.Put(toBin);
    folder.Put(gone);
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));

    ops.Source(toBin);  // relative: the shell would delete it for good
    bool deleted = ops.Delete();
    ops.DeleteToRecycleBin(false);
    ops.Source(gone);
    bool deletedForGood = ops.Delete();
    SetCurrentDirectoryW(current);

    EXPECT_TRUE(deleted);
    EXPECT_TRUE(deletedForGood);
    EXPECT_FALSE(folder.Exists(toBin));
    EXPECT_FALSE(folder.Exists(gone));
    const std::wstring trash = TrashFile(toBin);
    if (!trash.empty() && GetFileAttributesW(std::filesystem::path(trash).parent_path().c_str()) !=
                              INVALID_FILE_ATTRIBUTES) {
        EXPECT_TRUE(std::filesystem::exists(trash)) << "in the recycle bin: " << testing::PrintToString(trash);
        EXPECT_FALSE(std::filesystem::exists(TrashFile(gone)));
    }
    RemoveFromTrash(toBin);
}
