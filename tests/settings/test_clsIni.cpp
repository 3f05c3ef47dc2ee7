// clsIni against real profile files in a temporary folder of the test prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ErrorCapture.h"
#include "Files.h"
#include "TempFolder.h"
#include "clsIni.h"

namespace kv::test {
namespace {

class Ini : public ::testing::Test {
protected:
    void SetUp() override {
        ini.File(folder + L"boot.ini");
        ini.Section(L"boot loader");
    }
    void MakeFile(const wchar_t* name, DWORD attributes) {
        HANDLE h = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
        ASSERT_EQ(GetFileAttributesW((folder + name).c_str()) & FILE_ATTRIBUTE_HIDDEN,
                  attributes & FILE_ATTRIBUTE_HIDDEN);
    }

    kvtest::TempFolder temp{L"KelvoTestIni"};
    const std::wstring folder = temp.Path();
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

// Texts the profile functions would misread are refused before the file is touched: past
// their limits a value is stored empty and a file name wraps around to another file,
// characters outside the ANSI code page become "?", a line break writes further lines.
TEST_F(Ini, TextsTheProfileFunctionsWouldMisreadAreRefusedAndTouchNothing) {
    ASSERT_TRUE(ini.WriteValue(L"keep", L"1"));
    const std::wstring boot = ini.File(), loader = ini.Section();
    const std::string before = kvtest::ReadFileText(boot);
    const std::wstring over(32767, L'x');
    const struct { std::wstring file, section, name, value; long number; bool readToo; } cases[] = {
        {boot + std::wstring(65536, L'x'), loader, L"keep", L"2", -52101, true},
        {L".\\" + std::wstring(250, L'p'), loader, L"keep", L"2", -52101, true},  // long once completed
        {std::wstring(250, L'p'), loader, L"keep", L"2", -52101, true},            // in the Windows folder
        {L"", loader, L"keep", L"2", -52016, true},
        {folder + L"日本.ini", loader, L"keep", L"2", -52102, true},
        {boot, over, L"keep", L"2", -52101, true},
        {boot, L"中国", L"keep", L"2", -52102, true},
        {boot, L"boot loader]\r\n[x", L"keep", L"2", -52016, true},
        {boot, loader, over, L"2", -52101, true},
        {boot, loader, L"日本", L"2", -52102, true},
        {boot, loader, std::wstring(L"keep\0x", 6), L"2", -52016, true},
        {boot, loader, L"keep", std::wstring(1u << 20, L'x'), -52101, false},
        {boot, loader, L"keep", L"中国", -52102, false},
        {boot, loader, L"keep", L"2\r\n[operating systems]", -52016, false},
    };
    ini.Default(L"0");  // stands in for missing entries, not for refused texts
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.number << " " << c.file.size() << " " << c.section.size() << " "
                                          << c.name.size() << " " << c.value.size());
        ini.File(c.file);
        ini.Section(c.section);
        EXPECT_EQ(Raised([&] { ini.WriteValue(c.name, c.value); }).Number, c.number);
        if (c.readToo) {
            EXPECT_EQ(Raised([&] { ini.ReadValue(c.name); }).Number, c.number);
        }
    }
    EXPECT_EQ(kvtest::ReadFileText(boot), before);

    ini.File(L"");
    EXPECT_EQ(Raised([&] { ini.ReadValue(L"keep"); }).Description,
              L"\"File\" ungültig oder nicht gesetzt. @@@ clsIni_ReadValue @@@ KVSettings");
    ini.File(boot);
    ini.Section(loader);
    const std::wstring longest(32766, L'y');  // the limit itself is no fault
    EXPECT_TRUE(ini.WriteValue(L"long", longest));
    EXPECT_EQ(ini.ReadValue(L"long"), longest.substr(0, 1023));
}

TEST_F(Ini, AFileThatCannotBeOpenedSaysWhyInsteadOfNotFound) {
    ini.WriteValue(L"timeout", L"30");
    ini.Default(L"0");
    HANDLE locked = CreateFileW(ini.File().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    for (KVError e : {Raised([&] { ini.ReadValue(L"timeout"); }), Raised([&] { ini.ExistValue(L"timeout"); }),
                      Raised([&] { ini.WriteValue(L"timeout", L"10"); })}) {
        EXPECT_EQ(e.Number, ERROR_SHARING_VIOLATION);
        EXPECT_TRUE(StartsWith(e.Description, L"API: ")) << e.Description;
    }
    CloseHandle(locked);
    EXPECT_EQ(ini.ReadValue(L"timeout"), L"30");
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
