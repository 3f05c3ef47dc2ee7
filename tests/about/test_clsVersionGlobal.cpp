// The application identity shared by every instance, and the maker's contact record.
#include <gtest/gtest.h>

#include "Identity.h"
#include "KVError.h"
#include "clsPersonalData.h"
#include "clsVersionGlobal.h"

using kvtest::SetIdentity;

TEST(VersionGlobal, OneRecordForAllInstances_AndNewInstancesKeepIt) {
    SetIdentity(L"Kelvo Restart", 1, 2, 345);
    kv::clsVersionGlobal later;  // created after the application set its identity
    EXPECT_EQ(later.InfoApplication(), L"Kelvo Restart");
    EXPECT_EQ(later.InfoMajorVersion(), 1);
    EXPECT_EQ(later.InfoMinorVersion(), 2);
    EXPECT_EQ(later.InfoBuild(), 345);

    kv::clsVersionGlobal other;
    other.InfoBuild(346);
    EXPECT_EQ(later.InfoBuild(), 346);
}

TEST(VersionGlobal, IdentityIsSetOnlyWithNameAndNoMinusOne) {
    SetIdentity(L"Kelvo Restart", 0, 0, 0);
    kv::clsVersionGlobal v;
    EXPECT_TRUE(v.IsIdentitySet());
    EXPECT_NO_THROW(v.CheckIdentity());

    v.InfoMinorVersion(-1);
    EXPECT_FALSE(v.IsIdentitySet());
    v.InfoMinorVersion(0);
    v.InfoApplication(L"");
    EXPECT_FALSE(v.IsIdentitySet());
    try {
        v.CheckIdentity();
        FAIL() << "no error";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, -52013);
        EXPECT_EQ(e.Description, L"Version oder Anwendungsname wurde in \"clsVersionGlobal\" nicht gesetzt.");
    }
}

TEST(PersonalData, CompanyNamesTheSettingsKey_AndAddressesAreReserved) {
    kv::clsPersonalData maker;
    EXPECT_EQ(maker.Company(), L"Tormel");
    EXPECT_NE(maker.Website().find(L"tormel.example"), std::wstring::npos);
    EXPECT_NE(maker.EmailAddress().find(L"@tormel.example"), std::wstring::npos);
    EXPECT_FALSE(maker.Copyright().empty());
    EXPECT_NE(maker.Copyright(), maker.CopyrightFreeware());
}
