// clsRegistry against the real registry of the test prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "ErrorCapture.h"
#include "RegistryTestKey.h"
#include "clsRegistry.h"

namespace kv::test {
namespace {

const std::wstring kKeyForMessage = L"HKEY_CURRENT_USER\\SOFTWARE\\KELVOTEST\\SETTINGS";

class Registry : public RegistryTestKey {
protected:
    void SetUp() override {
        RegistryTestKey::SetUp();
        reg.SetKey(conReg_HKEY_CURRENT_USER, kPath);
    }
    clsRegistry reg;
};

// ---- Choosing the key ----

TEST(RegistryKeySelection, FreshObjectHasNoKeyAndNoDefault) {
    clsRegistry reg;
    EXPECT_EQ(reg.MainKey(), -1);
    EXPECT_EQ(reg.SubKey(), L"-1");
    EXPECT_EQ(reg.GetMainKeyName(), L"");
    EXPECT_FALSE(reg.DeleteKeyAllowed());
    EXPECT_TRUE(reg.Default().IsEmpty());
}

TEST(RegistryKeySelection, SetApplicationBuildsThePathBelowTheChosenRoot) {
    clsRegistry reg;
    reg.SetApplication(conReg_Aff_User, L"Tormel", L"Kelvo Restart");
    EXPECT_EQ(reg.MainKey(), conReg_HKEY_CURRENT_USER);
    EXPECT_EQ(reg.SubKey(), L"software\\Tormel\\Kelvo Restart");

    reg.SetApplication(conReg_Aff_User, L"Tormel", L"Kelvo Restart", L"", L"Ignored");
    EXPECT_EQ(reg.SubKey(), L"software\\Tormel\\Kelvo Restart");

    reg.SetApplication(conReg_Aff_Machine, L"Tormel", L"Kelvo Restart", L"Options", L"Lists");
    EXPECT_EQ(reg.MainKey(), conReg_HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.GetMainKeyName(), L"HKEY_LOCAL_MACHINE");
    EXPECT_EQ(reg.SubKey(), L"software\\Tormel\\Kelvo Restart\\Options\\Lists");
}

TEST(RegistryKeySelection, SetKeyTrimsBackslashesAndKeepsDefaultAndDeletePermission) {
    clsRegistry reg;
    reg.Default(5);
    reg.DeleteKeyAllowed(true);
    reg.SetKey(conReg_HKEY_CLASSES_ROOT, L"\\a\\b\\\\");
    EXPECT_EQ(reg.SubKey(), L"a\\b");
    EXPECT_EQ(reg.GetMainKeyName(), L"HKEY_CLASSES_ROOT");
    EXPECT_EQ(reg.Default(), Variant(5));
    EXPECT_TRUE(reg.DeleteKeyAllowed());
    reg.SetKey(conReg_HKEY_USERS, L"\\\\");
    EXPECT_EQ(reg.SubKey(), L"");
}

TEST(RegistryKeySelection, MainKeyNamesCoverEveryPredefinedRoot) {
    const std::pair<std::int32_t, const wchar_t*> names[] = {
        {conReg_HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT"},     {conReg_HKEY_CURRENT_USER, L"HKEY_CURRENT_USER"},
        {conReg_HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE"},   {conReg_HKEY_USERS, L"HKEY_USERS"},
        {conReg_HKEY_PERFORMANCE_DATA, L"HKEY_PERFORMANCE_DATA"}, {conReg_HKEY_CURRENT_CONFIG, L"HKEY_CURRENT_CONFIG"},
        {conReg_HKEY_DYN_DATA, L"HKEY_DYN_DATA"},             {0x7FFFFFFF, L""}};
    clsRegistry reg;
    for (auto [root, name] : names) {
        reg.SetKey(root, L"x");
        EXPECT_EQ(reg.GetMainKeyName(), name);
    }
}

// ---- Writing and reading every type ----

TEST_F(Registry, StringIsStoredWithAppendedZeroAndReadsBack) {
    EXPECT_TRUE(reg.WriteValue(L"Text", L"ab"));
    StoredValue v = Stored("Text");
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(v.size, 4u);
    EXPECT_EQ(v.data, (std::vector<std::uint8_t>{'a', 'b', 0, 0}));
    EXPECT_EQ(reg.ReadValueByName(L"Text"), Variant(L"ab"));

    reg.WriteValue(L"Empty", L"");
    EXPECT_EQ(Stored("Empty").size, 2u);
    EXPECT_EQ(reg.ReadValueByName(L"Empty"), Variant(L""));
}

TEST_F(Registry, StringsTravelInTheAnsiCodePage) {
    const std::wstring text = L"Grüße";
    reg.WriteValue(L"Umlaut", text);
    EXPECT_EQ(Stored("Umlaut").size, 7u);
    EXPECT_EQ(reg.ReadValueByName(L"Umlaut"), Variant(text));
    // Another program reading the same value in Unicode sees the same text.
    wchar_t buffer[16] = {};
    DWORD size = sizeof buffer;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kPath, L"Umlaut", RRF_RT_REG_SZ, nullptr, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(buffer), text);
}

TEST_F(Registry, StringWrittenByOthersIsReadWhole) {
    StoreText(L"Foreign", L"hello");
    EXPECT_EQ(reg.ReadValueByName(L"Foreign"), Variant(L"hello"));
}

TEST_F(Registry, IntegersAreStoredAsDwordAndReadAsLong) {
    reg.WriteValue(L"Short", std::int16_t(-1));
    reg.WriteValue(L"Long", std::int32_t(123456789));
    StoredValue shortValue = Stored("Short");
    EXPECT_EQ(shortValue.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(shortValue.data, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Stored("Long").data, (std::vector<std::uint8_t>{0x15, 0xCD, 0x5B, 0x07}));

    Variant read = reg.ReadValueByName(L"Short");
    ASSERT_TRUE(read.IsLong());
    EXPECT_EQ(read.Get<std::int32_t>(), -1);
    EXPECT_EQ(reg.ReadValueByName(L"Long").Get<std::int32_t>(), 123456789);
}

TEST_F(Registry, ByteArraysAreStoredAsBinaryAndReadBack) {
    const ByteArray bytes{0, 1, 0xFE, 0xFF, 0};
    reg.WriteValue(L"Bytes", bytes);
    StoredValue v = Stored("Bytes");
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(v.data, bytes);
    EXPECT_EQ(reg.ReadValueByName(L"Bytes"), Variant(bytes));

    reg.WriteValue(L"NoBytes", ByteArray{});
    EXPECT_EQ(Stored("NoBytes").size, 0u);
    EXPECT_EQ(reg.ReadValueByName(L"NoBytes"), Variant(ByteArray{}));
}

TEST_F(Registry, OtherReadableTypesComeBackAsByteArrays) {
    const wchar_t multi[] = L"a\0b\0";
    Store(L"Multi", REG_MULTI_SZ, multi, sizeof multi);
    const std::uint64_t qword = 0x0102030405060708ull;
    Store(L"Qword", REG_QWORD, &qword, sizeof qword);

    EXPECT_EQ(reg.ReadValueByName(L"Multi"), Variant(ByteArray{'a', 0, 'b', 0, 0}));
    EXPECT_EQ(reg.ReadValueByName(L"Qword"), Variant(ByteArray{8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST_F(Registry, UnsupportedVariantsAreRefusedWithoutWriting) {
    const Variant refused[] = {Variant(true), Variant(1.5), Variant(Date{1}), Variant(Null{}), Variant(),
                               Variant(std::uint8_t(7))};
    for (const Variant& value : refused) {
        KVError e = Raised([&] { reg.WriteValue(L"Refused", value); });
        EXPECT_EQ(e.Number, -52000);
        EXPECT_TRUE(StartsWith(e.Description,
                               L"Der ermittelte Datentyp wird zum Schreiben/Lesen der Registry nicht unterstützt."))
            << e.Description;
    }
    EXPECT_FALSE(KeyExists());
}

TEST_F(Registry, ExpandableStringsAndBigEndianNumbersCannotBeRead) {
    StoreText(L"Expand", L"%WINDIR%", REG_EXPAND_SZ);
    EXPECT_EQ(Raised([&] { reg.ReadValueByName(L"Expand"); }).Number, -52000);

    RegistryTestKey::RemoveTree();
    const std::uint8_t big[] = {0, 0, 0, 1};
    Store(L"BigEndian", REG_DWORD_BIG_ENDIAN, big, sizeof big);
    EXPECT_EQ(Raised([&] { reg.ReadValueByName(L"BigEndian"); }).Number, -52000);
    // Every value of the key is read by name, so the whole key cannot be read either.
    EXPECT_EQ(Raised([&] { reg.ReadAllValues(); }).Number, -52000);
    EXPECT_EQ(Raised([&] { reg.ReadValue(std::int16_t(1)); }).Number, -52000);
}

TEST_F(Registry, ReadingWithOtherArgumentKindsGivesEmpty) {
    reg.WriteValue(L"1", L"one");
    for (const Variant& arg : {Variant(true), Variant(1.0), Variant(), Variant(std::uint8_t(1))}) {
        RegReadResult r = reg.ReadValue(arg);
        ASSERT_TRUE(std::holds_alternative<Variant>(r));
        EXPECT_TRUE(std::get<Variant>(r).IsEmpty());
    }
}

// ---- Missing values and keys ----

TEST_F(Registry, MissingValueGivesDefaultOrNamesValueAndKeyInUpperCase) {
    reg.WriteValue(L"Present", 1);
    reg.Default(5);
    EXPECT_EQ(reg.ReadValueByName(L"Missing"), Variant(5));

    reg.Default(Variant());
    KVError e = Raised([&] { reg.ReadValueByName(L"Missing"); });
    EXPECT_EQ(e.Number, -52002);
    EXPECT_TRUE(StartsWith(e.Description, L"Wert \"MISSING\" im Schlüssel \"" + kKeyForMessage +
                                              L"\" der Registry nicht gefunden. @@@ clsRegistry_ReadValue @@@ KVSettings"))
        << e.Description;
}

TEST_F(Registry, MissingKeyGivesDefaultOrTheSameError) {
    reg.SetKey(conReg_HKEY_CURRENT_USER, std::wstring(kPath) + L"\\Nowhere");
    reg.Default(L"fallback");
    EXPECT_EQ(reg.ReadValueByName(L"Any"), Variant(L"fallback"));
    reg.Default(Variant());
    KVError e = Raised([&] { reg.ReadValueByName(L"Any"); });
    EXPECT_EQ(e.Number, -52002);
    EXPECT_NE(e.Description.find(L"\"ANY\" im Schlüssel \"" + kKeyForMessage + L"\\NOWHERE\""), std::wstring::npos)
        << e.Description;
}

TEST_F(Registry, ExistenceTestsAreSilentAndLeaveDefaultAlone) {
    EXPECT_FALSE(reg.ExistKey());
    EXPECT_FALSE(reg.ExistSubKeys());
    EXPECT_FALSE(reg.ExistValue(L"Value"));

    reg.WriteValue(L"Value", L"x");
    reg.Default(5);
    EXPECT_TRUE(reg.ExistKey());
    EXPECT_TRUE(reg.ExistValue(L"Value"));
    EXPECT_FALSE(reg.ExistValue(L"Other"));
    EXPECT_EQ(reg.Default(), Variant(5));

    // Errors other than "missing" are not swallowed.
    StoreText(L"Expand", L"%PATH%", REG_EXPAND_SZ);
    EXPECT_EQ(Raised([&] { reg.ExistValue(L"Expand"); }).Number, -52000);
    EXPECT_EQ(reg.Default(), Variant(5));
}

// ---- Enumeration ----

TEST_F(Registry, ReadingByPositionGivesARecordOfTheValue) {
    reg.WriteValue(L"Only", L"ab");
    RegReadResult r = reg.ReadValue(std::int16_t(1));
    ASSERT_TRUE(std::holds_alternative<std::shared_ptr<clsRegValueItem>>(r));
    auto item = std::get<std::shared_ptr<clsRegValueItem>>(r);
    EXPECT_EQ(item->Name, L"Only");
    EXPECT_EQ(item->Value, Variant(L"ab"));
    EXPECT_EQ(item->DataType, conReg_REG_SZ);
    EXPECT_EQ(item->DataLength, 4);

    for (std::int32_t index : {0, 2, -1}) {
        KVError e = Raised([&] { reg.ReadValue(index); });
        EXPECT_EQ(e.Number, -52006);
        EXPECT_TRUE(StartsWith(e.Description, L"Registrierungsschlüssel oder Wert mit der Nummer \"" +
                                                  std::to_wstring(index) + L"\" ist nicht vorhanden."))
            << e.Description;
    }
}

TEST_F(Registry, ReadAllValuesGivesEveryValueWithTypeAndSize) {
    reg.WriteValue(L"Text", L"abc");
    reg.WriteValue(L"Number", 7);
    reg.WriteValue(L"Bytes", ByteArray{1, 2});
    auto items = reg.ReadAllValues();
    ASSERT_EQ(items.size(), 3u);
    std::map<std::wstring, std::shared_ptr<clsRegValueItem>> byName;
    for (auto& item : items) byName[item->Name] = item;
    EXPECT_EQ(byName.at(L"Text")->Value, Variant(L"abc"));
    EXPECT_EQ(byName.at(L"Text")->DataLength, 5);
    EXPECT_EQ(byName.at(L"Number")->Value, Variant(7));
    EXPECT_EQ(byName.at(L"Number")->DataType, conReg_REG_DWORD);
    EXPECT_EQ(byName.at(L"Number")->DataLength, 4);
    EXPECT_EQ(byName.at(L"Bytes")->DataType, conReg_REG_BINARY);
    EXPECT_EQ(byName.at(L"Bytes")->Value, Variant(ByteArray{1, 2}));

    RegistryTestKey::RemoveTree();
    reg.WriteValue(L"x", 1);
    reg.DeleteValue(L"x");
    EXPECT_TRUE(reg.ReadAllValues().empty());
}

TEST_F(Registry, SubKeysAreListedAndCountedFromOne) {
    reg.WriteValue(L"v", 1);
    EXPECT_TRUE(reg.GetAllSubKeys().empty());
    EXPECT_FALSE(reg.ExistSubKeys());

    for (const wchar_t* name : {L"Alpha", L"Beta"}) Store(L"v", REG_DWORD, "\0\0\0\0", 4, std::wstring(kPath) + L"\\" + name);
    auto names = reg.GetAllSubKeys();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_TRUE(reg.ExistSubKeys());
    std::wstring first = reg.GetNthSubKey(1), second = reg.GetNthSubKey(2);
    EXPECT_NE(first, second);
    EXPECT_EQ(Raised([&] { reg.GetNthSubKey(3); }).Number, -52006);
    EXPECT_EQ(Raised([&] { reg.GetNthSubKey(0); }).Number, -52006);
}

// ---- Deleting ----

TEST_F(Registry, DeleteKeyNeedsPermissionAndReportsAMissingKey) {
    reg.WriteValue(L"v", 1);
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_TRUE(KeyExists());

    reg.DeleteKeyAllowed(true);
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(KeyExists());
    KVError e = Raised([&] { reg.DeleteKey(); });
    EXPECT_EQ(e.Number, -52001);
    EXPECT_TRUE(StartsWith(e.Description, L"Schlüssel \"" + kKeyForMessage + L"\" in der Registry nicht gefunden."))
        << e.Description;
}

TEST_F(Registry, DeleteValueRemovesItOrReportsItMissing) {
    reg.WriteValue(L"Gone", 1);
    EXPECT_TRUE(reg.DeleteValue(L"Gone"));
    EXPECT_EQ(Stored("Gone").type, 0u);
    EXPECT_EQ(Raised([&] { reg.DeleteValue(L"gone"); }).Number, -52002);
}

// ---- Errors ----

TEST_F(Registry, ErrorsCarryTheChainOfPlaces) {
    KVError e = Raised([&] { reg.GetNthSubKey(1); });
    EXPECT_EQ(e.Number, -52001);
    EXPECT_EQ(e.Description, L"Schlüssel \"" + kKeyForMessage +
                                 L"\" in der Registry nicht gefunden. @@@ clsRegistry_GetNthSubKey --> "
                                 L"clsRegistry_OpenKey @@@ KVSettings --> KVSettings");
}

TEST(RegistryErrors, FailedPlatformCallsRaiseTheirOwnNumber) {
    clsRegistry reg;  // no key chosen: the root is no valid handle
    KVError e = Raised([&] { reg.WriteValue(L"x", 1); });
    EXPECT_EQ(e.Number, ERROR_INVALID_HANDLE);
    EXPECT_TRUE(StartsWith(e.Description, L"API: ")) << e.Description;
    EXPECT_NE(e.Description.find(L"@@@ clsRegistry_WriteValue --> clsRegistry_CreateKey @@@"), std::wstring::npos)
        << e.Description;
    EXPECT_EQ(Raised([&] { reg.WriteImmediately(); }).Number, ERROR_INVALID_HANDLE);

    reg.SetKey(conReg_HKEY_CURRENT_USER, L"software");
    EXPECT_TRUE(reg.WriteImmediately());
}

// The platform hands out the lowest free handle, so a key left open shows as a higher
// handle for the next key opened.
HKEY NextKeyHandle() {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"software", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    return key;
}

TEST_F(Registry, ErrorPathsCloseTheKeysTheyOpened) {
    StoreText(L"Expand", L"%PATH%", REG_EXPAND_SZ);
    HKEY before = NextKeyHandle();
    EXPECT_EQ(Raised([&] { reg.ReadValueByName(L"Expand"); }).Number, -52000);
    EXPECT_EQ(Raised([&] { reg.ReadAllValues(); }).Number, -52000);
    EXPECT_EQ(Raised([&] { reg.ReadValue(std::int16_t(2)); }).Number, -52006);
    EXPECT_EQ(Raised([&] { reg.GetNthSubKey(5); }).Number, -52006);
    EXPECT_EQ(Raised([&] { reg.DeleteValue(L"absent"); }).Number, -52002);
    EXPECT_EQ(NextKeyHandle(), before);
}

}  // namespace
}  // namespace kv::test
