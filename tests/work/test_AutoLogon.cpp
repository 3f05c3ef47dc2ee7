// Automatic logon against the real registry of the prefix, per Windows family.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "program/basTools.h"
#include "work/basWork.h"

using namespace kvr;
using kvtest::Remove;
using kvtest::Store;
using kvtest::Stored;
using kvtest::Windows;

namespace {

const HKEY HKLM = HKEY_LOCAL_MACHINE;
const HKEY HKCU = HKEY_CURRENT_USER;
const std::wstring kNT = conWinlogonKeyNT;
const std::wstring k9x = conWinlogonKey9x;
const std::wstring kPolicies = conPoliciesKey;
const std::wstring kNetwork = conNetworkLogonKey;

class AutoLogon : public kvtest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const auto& v : kTouched) Remove(v.root, v.path, v.name);
        Store(HKCU, kvtest::kOptionsKey, L"UserName", L"anna");
        Store(HKCU, kvtest::kOptionsKey, L"Password", L"geheim");
        Store(HKCU, kvtest::kOptionsKey, L"Domain", L"BUERO");
    }

    static inline const std::vector<kvtest::RegValue> kTouched = [] {
        std::vector<kvtest::RegValue> values;
        for (const std::wstring& key : {kNT, k9x})
            for (const wchar_t* name : {L"AutoAdminLogon", L"DefaultUserName", L"DefaultPassword",
                                        L"DefaultDomainname", L"DontDisplayLastUserName", L"XXX"})
                values.push_back({HKLM, key, name});
        values.push_back({HKLM, kPolicies, L"DontDisplayLastUserName"});
        values.push_back({HKLM, kNetwork, L"MustBeValidated"});
        for (const wchar_t* name : {L"UserName", L"Password", L"Domain"})
            values.push_back({HKCU, kvtest::kOptionsKey, name});
        values.push_back({HKCU, kvtest::kPrgSettingsKey, L"AutoLogonWritten"});
        return values;
    }();
    kvtest::RegistrySnapshot snapshot_{kTouched};
};

}  // namespace

TEST_F(AutoLogon, EnablingOnXPWritesTheLogonWithTheDomain) {
    kvtest::RunningWindows running(Windows::XP);
    Store(HKLM, kPolicies, L"DontDisplayLastUserName", 1u);
    EXPECT_TRUE(AutoLogonWriteAllowed());
    EXPECT_EQ(Stored(HKLM, kNT, L"XXX").type, 0u);  // the write probe leaves nothing behind
    SetAutoLogon(true, true);
    EXPECT_EQ(Stored(HKLM, kNT, L"AutoAdminLogon").text, L"1");
    EXPECT_EQ(Stored(HKLM, kNT, L"DefaultUserName").text, L"anna");
    EXPECT_EQ(Stored(HKLM, kNT, L"DefaultPassword").text, L"geheim");
    EXPECT_EQ(Stored(HKLM, kNT, L"DefaultDomainname").text, L"BUERO");
    // Policies untouched, no network logon key, nothing written for 9x.
    EXPECT_EQ(Stored(HKLM, kPolicies, L"DontDisplayLastUserName").number, 1u);
    EXPECT_EQ(Stored(HKLM, kNetwork, L"MustBeValidated").type, 0u);
    EXPECT_EQ(Stored(HKLM, k9x, L"AutoAdminLogon").type, 0u);
    EXPECT_EQ(Stored(HKCU, kvtest::kOptionsKey, L"Password").text, L"geheim");
}

TEST_F(AutoLogon, DisablingAtStartKeepsASetHideValueRemovesAZeroOneAndThePasswords) {
    kvtest::RunningWindows running(Windows::XP);
    SetAutoLogon(true, true);
    Store(HKLM, kPolicies, L"DontDisplayLastUserName", L"1");
    SetAutoLogon(false, true);
    auto hide = Stored(HKLM, kPolicies, L"DontDisplayLastUserName");
    EXPECT_EQ(hide.type, static_cast<DWORD>(REG_DWORD));  // rewritten as the number 1
    EXPECT_EQ(hide.number, 1u);
    EXPECT_EQ(Stored(HKLM, kNT, L"AutoAdminLogon").text, L"0");
    EXPECT_EQ(Stored(HKLM, kNT, L"DefaultPassword").type, 0u);
    EXPECT_EQ(Stored(HKLM, kNT, L"DefaultUserName").text, L"anna");
    EXPECT_EQ(Stored(HKCU, kvtest::kOptionsKey, L"Password").type, 0u);
    EXPECT_EQ(Stored(HKCU, kvtest::kOptionsKey, L"UserName").text, L"anna");
    // A hide value of 0 goes; with no password left, nothing to remove a second time.
    SetAutoLogon(true, true);
    Store(HKLM, kPolicies, L"DontDisplayLastUserName", 0u);
    Remove(HKLM, kNT, L"DefaultPassword");
    EXPECT_NO_THROW(SetAutoLogon(false, true));
    EXPECT_EQ(Stored(HKLM, kPolicies, L"DontDisplayLastUserName").type, 0u);
    EXPECT_EQ(Stored(HKLM, kNT, L"AutoAdminLogon").text, L"0");
}

// Switching off at start takes back only a logon this program wrote: one it noted, or one
// holding its own user name and password (written before it kept the note).
TEST_F(AutoLogon, DisablingAtStartTakesBackOnlyTheProgramsOwnLogon) {
    kvtest::RunningWindows running(Windows::XP);
    struct Case {
        const wchar_t* user;
        const wchar_t* password;
        bool noted;
        bool takenBack;
    } cases[] = {
        {L"admin", L"seins", false, false},
        {L"anna", L"anders", false, false},
        {L"anna", L"geheim", false, true},
        {L"admin", L"seins", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.noted << c.takenBack);
        Store(HKCU, kvtest::kOptionsKey, L"Password", L"geheim");
        Store(HKLM, kNT, L"AutoAdminLogon", L"1");
        Store(HKLM, kNT, L"DefaultUserName", c.user);
        Store(HKLM, kNT, L"DefaultPassword", c.password);
        Store(HKLM, kPolicies, L"DontDisplayLastUserName", 0u);
        Store(HKCU, kvtest::kPrgSettingsKey, L"AutoLogonWritten", c.noted ? 1u : 0u);
        SetAutoLogon(false, true);
        EXPECT_EQ(Stored(HKLM, kNT, L"AutoAdminLogon").text, c.takenBack ? L"0" : L"1");
        EXPECT_EQ(Stored(HKLM, kNT, L"DefaultPassword").type, c.takenBack ? 0u : static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(Stored(HKLM, kPolicies, L"DontDisplayLastUserName").type, c.takenBack ? 0u : static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(Stored(HKCU, kvtest::kOptionsKey, L"Password").type, 0u);  // ours goes in every case
    }
}

TEST_F(AutoLogon, DisablingFromTheOptionsFollowsTheHideTick) {
    kvtest::RunningWindows running(Windows::XP);
    SetAutoLogon(false, false, true, true);
    EXPECT_EQ(Stored(HKLM, kPolicies, L"DontDisplayLastUserName").number, 1u);
    EXPECT_EQ(Stored(HKLM, kNetwork, L"MustBeValidated").type, 0u);  // not on XP
    EXPECT_EQ(Stored(HKCU, kvtest::kOptionsKey, L"Password").type, 0u);

    SetAutoLogon(false, false, false, false);
    EXPECT_EQ(Stored(HKLM, kPolicies, L"DontDisplayLastUserName").type, 0u);
}

TEST_F(AutoLogon, Windows98UsesItsOwnKeysWithoutDomainAndHandlesValidation) {
    kvtest::RunningWindows running(Windows::Win98);
    Store(HKLM, kNetwork, L"MustBeValidated", 1u);
    SetAutoLogon(true, true);

    EXPECT_EQ(Stored(HKLM, k9x, L"AutoAdminLogon").text, L"1");
    EXPECT_EQ(Stored(HKLM, k9x, L"DefaultUserName").text, L"anna");
    EXPECT_EQ(Stored(HKLM, k9x, L"DefaultPassword").text, L"geheim");
    EXPECT_EQ(Stored(HKLM, k9x, L"DefaultDomainname").type, 0u);
    EXPECT_EQ(Stored(HKLM, k9x, L"DontDisplayLastUserName").text, L"0");
    EXPECT_EQ(Stored(HKLM, kNT, L"AutoAdminLogon").type, 0u);
    // At start a set validation value is kept (written as the text "1").
    EXPECT_EQ(Stored(HKLM, kNetwork, L"MustBeValidated").text, L"1");

    // From the options without the tick it goes, with the tick it comes back.
    SetAutoLogon(true, false, false, false);
    EXPECT_EQ(Stored(HKLM, kNetwork, L"MustBeValidated").type, 0u);
    SetAutoLogon(true, false, false, true);
    EXPECT_EQ(Stored(HKLM, kNetwork, L"MustBeValidated").text, L"1");
    // At start an unset value stays away.
    Remove(HKLM, kNetwork, L"MustBeValidated");
    SetAutoLogon(true, true);
    EXPECT_EQ(Stored(HKLM, kNetwork, L"MustBeValidated").type, 0u);
}

TEST_F(AutoLogon, Windows98DisableWritesTheHideTextInTheWinlogonKey) {
    kvtest::RunningWindows running(Windows::Win98);
    SetAutoLogon(true, true);
    SetAutoLogon(false, false, true, false);
    auto hide = Stored(HKLM, k9x, L"DontDisplayLastUserName");
    EXPECT_EQ(hide.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(hide.text, L"1");
    EXPECT_EQ(Stored(HKLM, k9x, L"AutoAdminLogon").text, L"0");
    EXPECT_EQ(Stored(HKLM, k9x, L"DefaultPassword").type, 0u);
    EXPECT_EQ(Stored(HKLM, kPolicies, L"DontDisplayLastUserName").type, 0u);
}

TEST_F(AutoLogon, NT4UsesTheNTKeyWithoutDomainAndWithValidation) {
    kvtest::RunningWindows running(Windows::NT4);
    SetAutoLogon(true, false, false, true);
    EXPECT_EQ(Stored(HKLM, kNT, L"AutoAdminLogon").text, L"1");
    EXPECT_EQ(Stored(HKLM, kNT, L"DefaultDomainname").type, 0u);
    EXPECT_EQ(Stored(HKLM, kNT, L"DontDisplayLastUserName").text, L"0");
    EXPECT_EQ(Stored(HKLM, kNetwork, L"MustBeValidated").text, L"1");
}

TEST_F(AutoLogon, TheHideValueIsANumberOnlyInThePoliciesKeyAndTheGroupsReadIt) {
    EXPECT_EQ(GetDLValue(1L, conPoliciesKey), kv::Variant(1L));
    EXPECT_EQ(GetDLValue(1L, L"software\\microsoft\\windows\\currentversion\\policies\\system"), kv::Variant(1L));
    EXPECT_EQ(GetDLValue(1L, conWinlogonKeyNT), kv::Variant(L"1"));
    {
        kvtest::RunningWindows running(Windows::XP);
        Store(HKLM, kPolicies, L"DontDisplayLastUserName", 1u);
        EXPECT_EQ(ReadSetting(L"DontDisplayLastUserName", conSG_WinLogon, 0L).ToString(), L"1");
        Store(HKLM, kNT, L"AutoAdminLogon", L"1");
        EXPECT_EQ(ReadSetting(L"AutoAdminLogon", conSG_WinLogon, L"0").ToString(), L"1");
    }
    {
        kvtest::RunningWindows running(Windows::WinME);
        Store(HKLM, k9x, L"DontDisplayLastUserName", L"1");
        Store(HKLM, kNetwork, L"MustBeValidated", 1u);
        EXPECT_EQ(ReadSetting(L"DontDisplayLastUserName", conSG_WinLogon, 0L).ToString(), L"1");
        EXPECT_EQ(ReadSetting(L"MustBeValidated", conSG_NetworkLogon, 0L).ToLong(), 1);
        Remove(HKLM, kNetwork, L"MustBeValidated");
        EXPECT_EQ(ReadSetting(L"MustBeValidated", conSG_NetworkLogon, 0L).ToLong(), 0);
    }
}

TEST_F(AutoLogon, WithoutTheRightToWriteTheLogonKeyNothingChangesAndNothingIsSaid) {
    kvtest::RunningWindows running(Windows::Win98);
    Store(HKLM, kNetwork, L"MustBeValidated", L"1");
    HKEY key;
    DWORD created = 0;
    ASSERT_EQ(RegCreateKeyExW(HKLM, k9x.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &created),
              ERROR_SUCCESS);
    if (created != REG_CREATED_NEW_KEY) {
        RegCloseKey(key);
        GTEST_SKIP() << "the 9x logon key exists already; its security is not the test's to change";
    }
    Store(HKLM, k9x, L"AutoAdminLogon", L"0");
    // Reading, deleting and changing the security stay allowed; writing values does not.
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KRSDWD;;;WD)(A;;KRSDWD;;;BA)",
                                                                     SDDL_REVISION_1, &readOnly, nullptr));
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
    LocalFree(readOnly);
    RegCloseKey(key);

    EXPECT_FALSE(AutoLogonWriteAllowed());
    EXPECT_NO_THROW(SetAutoLogon(true, true));
    EXPECT_NO_THROW(SetAutoLogon(false, false, false, false));
    EXPECT_EQ(Stored(HKLM, k9x, L"AutoAdminLogon").text, L"0");
    EXPECT_EQ(Stored(HKLM, k9x, L"DefaultUserName").type, 0u);
    EXPECT_EQ(Stored(HKLM, kNetwork, L"MustBeValidated").text, L"1");
    EXPECT_EQ(Stored(HKCU, kvtest::kOptionsKey, L"Password").text, L"geheim");

    EXPECT_EQ(RegDeleteTreeW(HKLM, k9x.c_str()), ERROR_SUCCESS);
}
