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

using Bytes = std::vector<std::uint8_t>;
const std::wstring kKeyForMessage = L"HKEY_CURRENT_USER\\SOFTWARE\\KELVOTEST\\SETTINGS";

class Registry : public RegistryTestKey {
protected:
    void SetUp() override {
        RegistryTestKey::SetUp();
        reg.SetKey(conReg_HKEY_CURRENT_USER, kPath);
    }
    clsRegistry reg;
};

TEST(RegistryKeySelection, SetApplicationAndSetKeyBuildTheKey) {
    clsRegistry reg;
    EXPECT_EQ(reg.MainKey(), -1);
    EXPECT_EQ(reg.SubKey(), L"-1");
    EXPECT_EQ(reg.GetMainKeyName(), L"");
    EXPECT_TRUE(reg.Default().IsEmpty());

    reg.SetApplication(conReg_Aff_User, L"Tormel", L"Kelvo Restart", L"", L"Ignored");
    EXPECT_EQ(reg.MainKey(), conReg_HKEY_CURRENT_USER);
    EXPECT_EQ(reg.SubKey(), L"software\\Tormel\\Kelvo Restart");
    reg.SetApplication(conReg_Aff_Machine, L"Tormel", L"Kelvo Restart", L"Options", L"Lists");
    EXPECT_EQ(reg.MainKey(), conReg_HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.SubKey(), L"software\\Tormel\\Kelvo Restart\\Options\\Lists");

    reg.Default(5);
    reg.DeleteKeyAllowed(true);
    reg.SetKey(conReg_HKEY_CLASSES_ROOT, L"\\a\\b\\\\");
    EXPECT_EQ(reg.SubKey(), L"a\\b");
    EXPECT_EQ(reg.Default(), Variant(5));  // both survive the change of key
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

TEST_F(Registry, ValuesAreStoredInTheirTypeAndReadBack) {
    const struct { const char* name; Variant written; DWORD type; Bytes stored; Variant read; } cases[] = {
        {"Text", L"ab", REG_SZ, {'a', 'b', 0, 0}, L"ab"},  // text, appended zero, terminating zero
        {"Empty", L"", REG_SZ, {0, 0}, L""},
        {"Umlaut", L"Grüße", REG_SZ, {'G', 'r', 0xFC, 0xDF, 'e', 0, 0}, L"Grüße"},  // the ANSI code page
        {"Short", std::int16_t(-1), REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, std::int32_t(-1)},
        {"Long", std::int32_t(123456789), REG_DWORD, {0x15, 0xCD, 0x5B, 0x07}, std::int32_t(123456789)},
        {"Bytes", ByteArray{0, 1, 0xFE, 0xFF, 0}, REG_BINARY, {0, 1, 0xFE, 0xFF, 0}, ByteArray{0, 1, 0xFE, 0xFF, 0}},
        {"NoBytes", ByteArray{}, REG_BINARY, {}, ByteArray{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring name(c.name, c.name + strlen(c.name));
        EXPECT_TRUE(reg.WriteValue(name, c.written));
        EXPECT_EQ(Stored(c.name), std::make_pair(c.type, c.stored));
        Variant read = reg.ReadValueByName(name);
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(read.Raw().index(), c.read.Raw().index());
    }
}

TEST_F(Registry, ValuesOfOtherProgramsAreReadByType) {
    StoreText(L"Foreign", L"Grüße");  // written in Unicode
    const wchar_t multi[] = L"a\0b\0";
    Store(L"Multi", REG_MULTI_SZ, multi, sizeof multi);
    const std::uint64_t qword = 0x0102030405060708ull;
    Store(L"Qword", REG_QWORD, &qword, sizeof qword);
    EXPECT_EQ(reg.ReadValueByName(L"Foreign"), Variant(L"Grüße"));
    EXPECT_EQ(reg.ReadValueByName(L"Multi"), Variant(ByteArray{'a', 0, 'b', 0, 0}));
    EXPECT_EQ(reg.ReadValueByName(L"Qword"), Variant(ByteArray{8, 7, 6, 5, 4, 3, 2, 1}));
    for (const Variant& arg : {Variant(true), Variant(1.0), Variant(), Variant(std::uint8_t(1))}) {
        KVError e = Raised([&] { reg.ReadValue(arg); });  // neither name nor position
        EXPECT_EQ(e.Description, L"\"vntName\" ungültig oder nicht gesetzt. @@@ clsRegistry_ReadValue @@@ KVSettings");
    }
}

TEST_F(Registry, UnsupportedTypesAreRefusedBothWays) {
    for (const Variant& value : {Variant(true), Variant(1.5), Variant(Date{1}), Variant(Null{}), Variant(),
                                 Variant(std::uint8_t(7))}) {
        KVError e = Raised([&] { reg.WriteValue(L"Refused", value); });
        EXPECT_EQ(e.Number, -52000);
        EXPECT_TRUE(StartsWith(e.Description,
                               L"Der ermittelte Datentyp wird zum Schreiben/Lesen der Registry nicht unterstützt."))
            << e.Description;
    }
    EXPECT_FALSE(KeyExists());

    const std::uint8_t big[] = {0, 0, 0, 1};
    Store(L"BigEndian", REG_DWORD_BIG_ENDIAN, big, sizeof big);
    EXPECT_EQ(Raised([&] { reg.ReadValueByName(L"BigEndian"); }).Number, -52000);
    RegistryTestKey::RemoveTree();
    StoreText(L"Expand", L"%WINDIR%", REG_EXPAND_SZ);
    EXPECT_EQ(Raised([&] { reg.ReadValueByName(L"Expand"); }).Number, -52000);
    // Every value of the key is read by name, so the whole key cannot be read either.
    EXPECT_EQ(Raised([&] { reg.ReadAllValues(); }).Number, -52000);
    EXPECT_EQ(Raised([&] { reg.ReadValue(std::int16_t(1)); }).Number, -52000);
}

TEST_F(Registry, MissingValueOrKeyGivesDefaultOrNamesBothInUpperCase) {
    reg.WriteValue(L"Present", 1);
    reg.Default(5);
    EXPECT_EQ(reg.ReadValueByName(L"Missing"), Variant(5));
    reg.Default(Variant());
    KVError e = Raised([&] { reg.ReadValueByName(L"Missing"); });
    EXPECT_EQ(e.Number, -52002);
    EXPECT_TRUE(StartsWith(e.Description, L"Wert \"MISSING\" im Schlüssel \"" + kKeyForMessage +
                                              L"\" der Registry nicht gefunden. @@@ clsRegistry_ReadValue @@@ KVSettings"))
        << e.Description;

    reg.SetKey(conReg_HKEY_CURRENT_USER, std::wstring(kPath) + L"\\Nowhere");
    e = Raised([&] { reg.ReadValueByName(L"Any"); });
    EXPECT_EQ(e.Number, -52002);
    EXPECT_NE(e.Description.find(L"\"ANY\" im Schlüssel \"" + kKeyForMessage + L"\\NOWHERE\""), std::wstring::npos)
        << e.Description;
    reg.Default(L"fallback");
    EXPECT_EQ(reg.ReadValueByName(L"Any"), Variant(L"fallback"));
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
    EXPECT_FALSE(reg.ExistSubKeys());
    // Errors other than "missing" are not swallowed.
    StoreText(L"Expand", L"%PATH%", REG_EXPAND_SZ);
    EXPECT_EQ(Raised([&] { reg.ExistValue(L"Expand"); }).Number, -52000);
    EXPECT_EQ(reg.Default(), Variant(5));
}

TEST_F(Registry, ValuesAreEnumeratedAsRecordsAndCountedFromOne) {
    reg.WriteValue(L"Text", L"abc");
    reg.WriteValue(L"Number", 7);
    reg.WriteValue(L"Bytes", ByteArray{1, 2});
    std::map<std::wstring, std::shared_ptr<clsRegValueItem>> byName;
    for (auto& item : reg.ReadAllValues()) byName[item->Name] = item;
    ASSERT_EQ(byName.size(), 3u);
    EXPECT_EQ(byName.at(L"Text")->Value, Variant(L"abc"));
    EXPECT_EQ(byName.at(L"Text")->DataType, conReg_REG_SZ);
    EXPECT_EQ(byName.at(L"Text")->DataLength, 5);
    EXPECT_EQ(byName.at(L"Number")->Value, Variant(7));
    EXPECT_EQ(byName.at(L"Number")->DataType, conReg_REG_DWORD);
    EXPECT_EQ(byName.at(L"Bytes")->DataType, conReg_REG_BINARY);
    EXPECT_EQ(byName.at(L"Bytes")->DataLength, 2);

    RegReadResult r = reg.ReadValue(std::int16_t(1));
    ASSERT_TRUE(std::holds_alternative<std::shared_ptr<clsRegValueItem>>(r));
    auto first = std::get<std::shared_ptr<clsRegValueItem>>(r);
    ASSERT_TRUE(byName.count(first->Name));
    EXPECT_EQ(first->Value, byName[first->Name]->Value);
    EXPECT_EQ(first->DataLength, byName[first->Name]->DataLength);
    for (std::int32_t index : {0, 4, -1}) {
        KVError e = Raised([&] { reg.ReadValue(index); });
        EXPECT_EQ(e.Number, -52006);
        EXPECT_TRUE(StartsWith(e.Description, L"Registrierungsschlüssel oder Wert mit der Nummer \"" +
                                                  std::to_wstring(index) + L"\" ist nicht vorhanden."))
            << e.Description;
    }
    for (const auto& [name, item] : byName) reg.DeleteValue(name);
    EXPECT_TRUE(reg.ReadAllValues().empty());
}

TEST_F(Registry, SubKeysAreListedAndCountedFromOne) {
    KVError e = Raised([&] { reg.GetNthSubKey(1); });  // the key is missing
    EXPECT_EQ(e.Number, -52001);
    EXPECT_EQ(e.Description, L"Schlüssel \"" + kKeyForMessage +
                                 L"\" in der Registry nicht gefunden. @@@ clsRegistry_GetNthSubKey --> "
                                 L"clsRegistry_OpenKey @@@ KVSettings --> KVSettings");
    reg.WriteValue(L"v", 1);
    EXPECT_TRUE(reg.GetAllSubKeys().empty());
    for (const wchar_t* name : {L"Alpha", L"Beta"}) Store(L"v", REG_DWORD, "\0\0\0\0", 4, std::wstring(kPath) + L"\\" + name);
    auto names = reg.GetAllSubKeys();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_TRUE(reg.ExistSubKeys());
    EXPECT_NE(reg.GetNthSubKey(1), reg.GetNthSubKey(2));
    EXPECT_EQ(Raised([&] { reg.GetNthSubKey(3); }).Number, -52006);
    EXPECT_EQ(Raised([&] { reg.GetNthSubKey(0); }).Number, -52006);
}

TEST_F(Registry, DeletingNeedsPermissionAndReportsWhatIsMissing) {
    reg.WriteValue(L"Gone", 1);
    EXPECT_TRUE(reg.DeleteValue(L"Gone"));
    EXPECT_EQ(Stored("Gone").first, 0u);
    EXPECT_EQ(Raised([&] { reg.DeleteValue(L"gone"); }).Number, -52002);

    KVError e = Raised([&] { reg.DeleteKey(); });
    EXPECT_EQ(e.Number, -52103);
    EXPECT_TRUE(StartsWith(e.Description, L"Löschen des Schlüssels \"" + kKeyForMessage +
                                              L"\" ist nicht erlaubt (\"DeleteKeyAllowed\" ist nicht gesetzt)."))
        << e.Description;
    EXPECT_TRUE(KeyExists());

    reg.DeleteKeyAllowed(true);
    Store(L"v", REG_DWORD, "\0\0\0\0", 4, std::wstring(kPath) + L"\\Sub");
    e = Raised([&] { reg.DeleteKey(); });  // the platform only says "access denied"
    EXPECT_EQ(e.Number, -52104);
    EXPECT_TRUE(StartsWith(e.Description, L"Schlüssel \"" + kKeyForMessage +
                                              L"\" hat Unterschlüssel und kann nicht gelöscht werden."))
        << e.Description;
    EXPECT_TRUE(KeyExists());
    RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(kPath) + L"\\Sub").c_str());
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(KeyExists());
    e = Raised([&] { reg.DeleteKey(); });
    EXPECT_EQ(e.Number, -52001);
    EXPECT_TRUE(StartsWith(e.Description, L"Schlüssel \"" + kKeyForMessage + L"\" in der Registry nicht gefunden."))
        << e.Description;
}

// Keys, names and texts the platform would misread are refused before it is called: its
// 16-bit lengths wrap around (to the parent key, the default value, the root of HKCU) and
// characters outside the ANSI code page become "?", so "日本" and "中国" would meet.
TEST_F(Registry, NamesThePlatformWouldMisreadAreRefusedAndTouchNothing) {
    reg.WriteValue(L"Keep", 1);
    const std::wstring parent = std::wstring(kPath) + L"\\";
    // Short names, but a path long enough to wrap around to exactly the test key.
    std::wstring wrapsToKey((1u << 20) - 1, L'k');
    for (std::size_t at = 200; at + 1 < wrapsToKey.size(); at += 201) wrapsToKey[at] = L'\\';
    const struct { std::wstring subKey; long number; std::wstring message; } keys[] = {
        {parent + std::wstring(65535, L'k'), -52101, L"\"SubKey\" ist zu lang: 65535 Zeichen, erlaubt sind höchstens 255."},
        {parent + std::wstring(256, L'k'), -52101, L"\"SubKey\" ist zu lang: 256 Zeichen, erlaubt sind höchstens 255."},
        {parent + wrapsToKey, -52101, L"\"SubKey\" ist zu lang: 1048603 Zeichen, erlaubt sind höchstens 32766."},
        {parent + L"日本", -52102, L"\"SubKey\" enthält Zeichen, die im ANSI-Zeichensatz des Systems nicht darstellbar sind."},
        {parent + std::wstring(L"Sub\0Key", 7), -52016, L"\"SubKey\" ungültig oder nicht gesetzt."},
    };
    reg.DeleteKeyAllowed(true);
    for (const auto& c : keys) {
        SCOPED_TRACE(c.subKey.substr(0, 40));
        reg.SetKey(conReg_HKEY_CURRENT_USER, c.subKey);
        for (KVError e : {Raised([&] { reg.WriteValue(L"Keep", 2); }), Raised([&] { reg.ReadValueByName(L"Keep"); }),
                          Raised([&] { reg.DeleteValue(L"Keep"); }), Raised([&] { reg.DeleteKey(); }),
                          Raised([&] { reg.ExistKey(); })}) {
            EXPECT_EQ(e.Number, c.number);
            EXPECT_TRUE(StartsWith(e.Description, c.message + L" @@@ ")) << e.Description.substr(0, 120);
        }
    }

    reg.SetKey(conReg_HKEY_CURRENT_USER, kPath);
    reg.Default(5);  // stands in for missing values, not for refused names
    const struct { std::wstring name; long number; } names[] = {
        {std::wstring(16384, L'v'), -52101}, {std::wstring(1u << 20, L'v'), -52101}, {L"日本", -52102},
        {L"ā", -52102},  // no best-fit look-alike either
        {std::wstring(L"Keep\0x", 6), -52016},
    };
    for (const auto& c : names) {
        SCOPED_TRACE(c.name.substr(0, 40));
        for (KVError e : {Raised([&] { reg.WriteValue(c.name, 2); }), Raised([&] { reg.ReadValueByName(c.name); }),
                          Raised([&] { reg.DeleteValue(c.name); }), Raised([&] { reg.ExistValue(c.name); })})
            EXPECT_EQ(e.Number, c.number) << e.Description.substr(0, 120);
    }
    EXPECT_EQ(Raised([&] { reg.WriteValue(L"Text", L"中国"); }).Number, -52102);

    // Nothing was written or deleted where the wrapped or "??" names would have landed:
    // the key, its values (the default value among them) and its sub keys are as before.
    EXPECT_TRUE(KeyExists());
    EXPECT_EQ(Stored("Keep"), std::make_pair(DWORD(REG_DWORD), Bytes{1, 0, 0, 0}));
    EXPECT_EQ(reg.ReadAllValues().size(), 1u);
    EXPECT_TRUE(reg.GetAllSubKeys().empty());

    const std::wstring longest(16383, L'v');  // the limits themselves are no fault
    EXPECT_TRUE(reg.WriteValue(longest, L"Grüße"));
    EXPECT_EQ(reg.ReadValueByName(longest), Variant(L"Grüße"));
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
