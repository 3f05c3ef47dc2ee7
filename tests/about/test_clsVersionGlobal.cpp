// The application identity shared by every instance, and the maker's contact record.
#include <gtest/gtest.h>

#include "Identity.h"
#include "KVError.h"
#include "clsPersonalData.h"
#include "clsVersionGlobal.h"

TEST(VersionGlobal, OneRecordForAllInstances) {
    kvtest::SetIdentity(L"Kelvo Restart", 1, 2, 345);
    kv::clsVersionGlobal later;  // created after the application set its identity
    EXPECT_EQ(later.InfoApplication(), L"Kelvo Restart");
    EXPECT_EQ(later.InfoMinorVersion(), 2);
    kv::clsVersionGlobal().InfoBuild(346);
    EXPECT_EQ(later.InfoBuild(), 346);
    EXPECT_EQ(kv::clsPersonalData().Company(), L"Tormel") << "names the settings key";
}

TEST(VersionGlobal, IdentityIsSetOnlyWithNameAndNoMinusOne) {
    kvtest::SetIdentity(L"Kelvo Restart", 0, 0, 0);
    kv::clsVersionGlobal v;
    EXPECT_NO_THROW(v.CheckIdentity());
    v.InfoMinorVersion(-1);
    EXPECT_FALSE(v.IsIdentitySet());
    v.InfoMinorVersion(0);
    v.InfoApplication(L"");
    try {
        v.CheckIdentity();
        FAIL() << "no error";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, -52013);
        EXPECT_EQ(e.Description, L"Version oder Anwendungsname wurde in \"clsVersionGlobal\" nicht gesetzt.");
    }
}
