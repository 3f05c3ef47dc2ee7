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
        folder = std::wstring(temp) + L"KelvoTestIni\\";
        TearDown();
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        ini.File(folder + L"boot.ini");
        ini.Section(L"boot loader");
    }
    void TearDown() override {
        for (const wchar_t* name : {L"boot.ini", L"hidden.ini"}) {
            SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((folder + name).c_str());
        }
        RemoveDirectoryW(folder.c_str());
    }
    void MakeFile(const wchar_t* name, DWORD attributes) {
        HANDLE h = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
        ASSERT_EQ(GetFileAttributesW((folder + name).c_str()) & FILE_ATTRIBUTE_HIDDEN,
                  attributes & FILE_ATTRIBUTE_HIDDEN);
    }

    std::wstring folder;
    clsIni ini;
};

TEST_F(Ini, WrittenValuesReadBackAtOnceCutTo1023Characters) {
    EXPECT_TRUE(ini.WriteValue(L"default", L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS"));
    EXPECT_EQ(ini.ReadValue(L"default"), L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS");
    ini.WriteValue(L"name", L"Grüße");
    EXPECT_EQ(ini.ReadValue(L"name"), L"Grüße");
    EXPECT_TRUE(ini.ExistValue(L"name"));
    std::wstring longValue;
    for (int i = 0; i < 1100; ++i) longValue += static_cast<wchar_t>(L'a' + i % 26);
    ini.WriteValue(L"long", longValue);
    EXPECT_EQ(ini.ReadValue(L"long"), longValue.substr(0, 1023));
}

TEST_F(Ini, AbsentEntrySectionOrFileRaiseOneErrorNamingThemInUpperCase) {
    ini.WriteValue(L"timeout", L"30");
    KVError e = Raised([&] { ini.ReadValue(L"Default"); });
    EXPECT_EQ(e.Number, -52003);
    std::wstring file = folder + L"BOOT.INI";
    CharUpperW(file.data());
    EXPECT_EQ(e.Description, L"Wert \"DEFAULT\", Sektion \"BOOT LOADER\" oder Initialisierungsdatei \"" + file +
                                 L"\" zum Lesen nicht gefunden. @@@ clsIni_ReadValue @@@ KVSettings");
    EXPECT_FALSE(ini.ExistValue(L"Default"));

    ini.Section(L"operating systems");
    EXPECT_EQ(Raised([&] { ini.ReadValue(L"timeout"); }).Number, -52003);
    ini.File(folder + L"absent.ini");
    EXPECT_EQ(Raised([&] { ini.ReadValue(L"timeout"); }).Number, -52003);
}

TEST_F(Ini, StoredTextErrorReadsAsMissingAndDefaultReplacesMissingEntries) {
    ini.WriteValue(L"entry", L"ERROR");
    ini.WriteValue(L"lower", L"error");
    EXPECT_EQ(Raised([&] { ini.ReadValue(L"entry"); }).Number, -52003);
    EXPECT_EQ(ini.ReadValue(L"lower"), L"error");
    ini.Default(L"0");
    EXPECT_EQ(ini.ReadValue(L"entry"), L"0");
    EXPECT_EQ(ini.ReadValue(L"absent"), L"0");
    EXPECT_TRUE(ini.ExistValue(L"absent"));
}

TEST_F(Ini, FailedWriteRaisesThePlatformError) {
    ini.File(folder + L"missing folder\\x.ini");
    KVError e = Raised([&] { ini.WriteValue(L"a", L"b"); });
    EXPECT_NE(e.Number, 0);
    EXPECT_TRUE(StartsWith(e.Description, L"API: ")) << e.Description;
    EXPECT_NE(e.Description.find(L"@@@ clsIni_WriteValue @@@ KVSettings"), std::wstring::npos) << e.Description;
}

TEST_F(Ini, ExistFileSeesOnlyNormalFilesAndHonoursWildcards) {
    EXPECT_FALSE(ini.ExistFile());
    MakeFile(L"boot.ini", FILE_ATTRIBUTE_NORMAL);
    MakeFile(L"hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    const struct { const wchar_t* file; bool exists; } cases[] = {
        {L"boot.ini", true}, {L"hidden.ini", false}, {L"hid*.ini", false}, {L"*.ini", true}, {L"b??t.*", true},
    };
    for (const auto& c : cases) {
        ini.File(folder + c.file);
        EXPECT_EQ(ini.ExistFile(), c.exists) << c.file;
    }
    ini.File(folder.substr(0, folder.size() - 1));  // a folder is no file
    EXPECT_FALSE(ini.ExistFile());
    ini.File(L"");
    EXPECT_FALSE(ini.ExistFile());
}

}  // namespace
}  // namespace kv::test
