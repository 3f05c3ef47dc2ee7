// The application identity shared by every instance, and the maker's contact record.
#include <gtest/gtest.h>

#include "ErrorCapture.h"
#include "clsPersonalData.h"
#include "clsVersionGlobal.h"

TEST(VersionGlobal, OneRecordForAllInstances) {
    kv::clsVersionGlobal().InfoApplication(L"Kelvo Restart");
    kv::clsVersionGlobal later;  // created after the application set its identity
    EXPECT_EQ(later.InfoApplication(), L"Kelvo Restart");
    kv::clsVersionGlobal().InfoBuild(346);
    EXPECT_EQ(later.InfoBuild(), 346);
    EXPECT_EQ(kv::clsPersonalData().Company(), L"Tormel") << "names the settings key";
}

TEST(VersionGlobal, IdentityIsSetOnlyWithNameAndNoMinusOne) {
    kv::clsVersionGlobal v;  // a version 0.0 build 0 is set
    v.InfoApplication(L"Kelvo Restart");
    v.InfoMajorVersion(0);
    v.InfoMinorVersion(0);
    v.InfoBuild(0);
    EXPECT_NO_THROW(v.CheckIdentity());
    v.InfoMinorVersion(-1);
    EXPECT_FALSE(v.IsIdentitySet());
    v.InfoMinorVersion(0);
    v.InfoApplication(L"");
    kv::KVError e = kv::test::Raised([&] { v.CheckIdentity(); });
    EXPECT_EQ(e.Number, -52013);
    EXPECT_EQ(e.Description, L"Version oder Anwendungsname wurde in \"clsVersionGlobal\" nicht gesetzt.");
}
