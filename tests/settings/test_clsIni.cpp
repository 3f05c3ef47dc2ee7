// clsIni against real profile files in a temporary folder of the test prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ErrorCapture.h"
#include "clsIni.h"

namespace kv::test {
namespace {

class Ini : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        folder = std::wstring(temp) + L"KelvoTestIni";
        RemoveFolder();
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        ini.File(folder + L"\\boot.ini");
        ini.Section(L"boot loader");
    }
    void TearDown() override { RemoveFolder(); }

    void RemoveFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring path = folder + L"\\" + found.cFileName;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

    void MakeFile(const std::wstring& name, DWORD attributes) {
        std::wstring path = folder + L"\\" + name;
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
        if (attributes & FILE_ATTRIBUTE_HIDDEN) {
            ASSERT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "hidden attribute not kept";
        }
    }

    std::wstring folder;
    clsIni ini;
};

TEST(IniState, FreshObjectIsEmpty) {
    clsIni ini;
    EXPECT_EQ(ini.File(), L"");
    EXPECT_EQ(ini.Section(), L"");
    EXPECT_EQ(ini.Default(), L"");
}

TEST_F(Ini, WrittenValuesReadBackAtOnce) {
    EXPECT_TRUE(ini.WriteValue(L"default", L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS"));
    EXPECT_EQ(ini.ReadValue(L"default"), L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS");
    ini.WriteValue(L"timeout", L"30");
    EXPECT_EQ(ini.ReadValue(L"timeout"), L"30");
    EXPECT_TRUE(ini.ExistValue(L"timeout"));
    ini.WriteValue(L"name", L"Grüße");
    EXPECT_EQ(ini.ReadValue(L"name"), L"Grüße");
}

TEST_F(Ini, AbsentEntryNamesEntrySectionAndFileInUpperCase) {
    ini.WriteValue(L"timeout", L"30");
    KVError e = Raised([&] { ini.ReadValue(L"Default"); });
    EXPECT_EQ(e.Number, -52003);
    EXPECT_TRUE(StartsWith(e.Description, L"Wert \"DEFAULT\", Sektion \"BOOT LOADER\" oder Initialisierungsdatei \"" +
                                              folder.substr(0, 3) ))
        << e.Description;
    EXPECT_NE(e.Description.find(L"\\KELVOTESTINI\\BOOT.INI\" zum Lesen nicht gefunden. @@@ clsIni_ReadValue @@@ KVSettings"),
              std::wstring::npos)
        << e.Description;
    EXPECT_FALSE(ini.ExistValue(L"Default"));

    // A missing section and a missing file give the same error.
    ini.Section(L"operating systems");
    EXPECT_EQ(Raised([&] { ini.ReadValue(L"timeout"); }).Number, -52003);
    ini.File(folder + L"\\absent.ini");
    EXPECT_EQ(Raised([&] { ini.ReadValue(L"timeout"); }).Number, -52003);
}

TEST_F(Ini, DefaultReplacesTheErrorAndMakesEveryNameExist) {
    ini.Default(L"0");
    EXPECT_EQ(ini.ReadValue(L"absent"), L"0");
    EXPECT_TRUE(ini.ExistValue(L"absent"));
    EXPECT_EQ(ini.Default(), L"0");
}

TEST_F(Ini, StoredTextErrorReadsAsMissing) {
    ini.WriteValue(L"entry", L"ERROR");
    EXPECT_EQ(Raised([&] { ini.ReadValue(L"entry"); }).Number, -52003);
    ini.Default(L"fallback");
    EXPECT_EQ(ini.ReadValue(L"entry"), L"fallback");
    ini.WriteValue(L"entry", L"error");
    EXPECT_EQ(ini.ReadValue(L"entry"), L"error");
}

TEST_F(Ini, LongValuesAreCutTo1023Characters) {
    std::wstring longValue;
    for (int i = 0; i < 1100; ++i) longValue += static_cast<wchar_t>(L'a' + i % 26);
    ini.WriteValue(L"long", longValue);
    EXPECT_EQ(ini.ReadValue(L"long"), longValue.substr(0, 1023));
}

TEST_F(Ini, FailedWriteRaisesThePlatformError) {
    ini.File(folder + L"\\missing folder\\x.ini");
    KVError e = Raised([&] { ini.WriteValue(L"a", L"b"); });
    EXPECT_NE(e.Number, 0);
    EXPECT_TRUE(StartsWith(e.Description, L"API: ")) << e.Description;
    EXPECT_NE(e.Description.find(L"@@@ clsIni_WriteValue @@@ KVSettings"), std::wstring::npos) << e.Description;
}

TEST_F(Ini, ExistFileSeesOnlyNormalFilesAndHonoursWildcards) {
    EXPECT_FALSE(ini.ExistFile());
    MakeFile(L"boot.ini", FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(ini.ExistFile());

    MakeFile(L"hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    ini.File(folder + L"\\hidden.ini");
    EXPECT_FALSE(ini.ExistFile());
    ini.File(folder + L"\\hid*.ini");
    EXPECT_FALSE(ini.ExistFile());

    ini.File(folder + L"\\*.ini");
    EXPECT_TRUE(ini.ExistFile());
    ini.File(folder + L"\\b??t.*");
    EXPECT_TRUE(ini.ExistFile());
    ini.File(folder);  // a folder is no file
    EXPECT_FALSE(ini.ExistFile());
    ini.File(L"");
    EXPECT_FALSE(ini.ExistFile());
}

}  // namespace
}  // namespace kv::test
