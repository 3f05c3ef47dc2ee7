// Windows version and edition detection, driven by the injected version record.
#include <gtest/gtest.h>

#include "FakeVersionRecord.h"
#include "clsSystemInfo.h"

using kvtest::Extended;
using kvtest::FakeVersionRecord;

namespace {

constexpr DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
constexpr DWORD kNT = VER_PLATFORM_WIN32_NT;

std::shared_ptr<const kv::clsOperatingSystemInfo> Detect() { return kv::clsSystemInfo().OperatingSystem(); }

// Exactly one of the Is* members may answer True, and only for its own version.
void ExpectOnlyFlagFor(const kv::clsOperatingSystemInfo& os, long version) {
    EXPECT_EQ(os.Is95(), version == kv::conWV_Windows95);
    EXPECT_EQ(os.Is98(), version == kv::conWV_Windows98);
    EXPECT_EQ(os.IsME(), version == kv::conWV_WindowsME);
    EXPECT_EQ(os.IsNT4(), version == kv::conWV_WindowsNT4);
    EXPECT_EQ(os.Is2000(), version == kv::conWV_Windows2000);
    EXPECT_EQ(os.IsXP(), version == kv::conWV_WindowsXP);
    for (long v = 0; v <= 7; ++v) EXPECT_EQ(os.IsOS(v), v == version) << "IsOS(" << v << ")";
}

}  // namespace

TEST(OperatingSystem, Windows9x_ByMinorVersion) {
    struct Case {
        DWORD minor;
        long version;
        const wchar_t* name;
    } cases[] = {{0, kv::conWV_Windows95, L"Windows 95"},  {10, kv::conWV_Windows98, L"Windows 98"},
                 {89, kv::conWV_Windows98, L"Windows 98"}, {90, kv::conWV_WindowsME, L"Windows ME"},
                 {5, kv::conWV_Unknown, L"Windows"}};
    for (const Case& c : cases) {
        // 9x keeps the version in the high word of the build number.
        FakeVersionRecord fake(k9x, 4, c.minor, (4u << 24) | (c.minor << 16) | 2222u, " A ");
        auto os = Detect();
        EXPECT_EQ(os->Version(), c.version) << c.minor;
        EXPECT_EQ(os->VersionName(), c.name);
        EXPECT_EQ(os->Build(), 2222);
        EXPECT_EQ(os->ServicePack(), L"A");
        EXPECT_EQ(os->PlattformID(), 1);
        EXPECT_EQ(os->MajorVersion(), L"4");
        EXPECT_EQ(os->MinorVersion(), std::to_wstring(c.minor));
        EXPECT_EQ(os->VersionType(), kv::conWVT_Unknown);
        EXPECT_EQ(fake.extendedQueries, 0);
        ExpectOnlyFlagFor(*os, c.version);
    }
}

TEST(OperatingSystem, NT351_AndNT4BeforeServicePack6_HaveNoEdition) {
    {
        FakeVersionRecord fake(kNT, 3, 51, 1057, "Service Pack 5", Extended{VER_NT_WORKSTATION, 0});
        auto os = Detect();
        EXPECT_EQ(os->Version(), kv::conWV_WindowsNT351);
        EXPECT_EQ(os->VersionName(), L"Windows NT 3.51");
        EXPECT_EQ(fake.extendedQueries, 0);
    }
    {
        FakeVersionRecord fake(kNT, 4, 0, 1381, "Service Pack 5", Extended{VER_NT_WORKSTATION, 0});
        auto os = Detect();
        EXPECT_EQ(os->Version(), kv::conWV_WindowsNT4);
        EXPECT_EQ(os->VersionName(), L"Windows NT 4");
        EXPECT_EQ(os->Build(), 1381);
        EXPECT_EQ(os->ServicePack(), L"Service Pack 5");
        EXPECT_EQ(fake.extendedQueries, 0);
        EXPECT_EQ(os->VersionType(), kv::conWVT_Unknown);
        EXPECT_EQ(os->VersionTypeName(), L"");
        ExpectOnlyFlagFor(*os, kv::conWV_WindowsNT4);
    }
}

TEST(OperatingSystem, NT4FromServicePack6_TakesTheEditionFromTheExtendedRecord) {
    struct Case {
        const char* servicePack;
        Extended extended;
        long type;
        const wchar_t* name;
    } cases[] = {
        {"Service Pack 6", {VER_NT_WORKSTATION, 0x200}, kv::conWVT_Workstation, L"Workstation"},
        {"Service Pack 6a", {VER_NT_SERVER, 0}, kv::conWVT_Server, L"Server"},
        {"Service Pack 6", {VER_NT_DOMAIN_CONTROLLER, 0x2}, kv::conWVT_Enterprise, L"Enterprise"},
        {"Service Pack 6", {VER_NT_SERVER, 0x80}, kv::conWVT_Server, L"Server"},
        {"Service Pack 6", {9, 0}, kv::conWVT_Other, L"Anderer"},
        {"Service Pack 6", {0, 0x2}, kv::conWVT_Unknown, L""},
    };
    for (const Case& c : cases) {
        FakeVersionRecord fake(kNT, 4, 0, 1381, c.servicePack, c.extended);
        auto os = Detect();
        EXPECT_EQ(fake.extendedQueries, 1);
        EXPECT_EQ(os->Version(), kv::conWV_WindowsNT4);
        EXPECT_EQ(os->VersionType(), c.type) << c.servicePack << " product " << int(c.extended.productType);
        EXPECT_EQ(os->VersionTypeName(), c.name);
    }
}

TEST(OperatingSystem, NT5_RefinesTheEditionBySuite) {
    struct Case {
        DWORD minor;
        Extended extended;
        long version;
        long type;
        const wchar_t* name;
    } cases[] = {
        {0, {VER_NT_WORKSTATION, 0}, kv::conWV_Windows2000, kv::conWVT_Professional, L"Professional"},
        {0, {VER_NT_SERVER, 0}, kv::conWV_Windows2000, kv::conWVT_Server, L"Server"},
        {0, {VER_NT_SERVER, 0x2}, kv::conWV_Windows2000, kv::conWVT_Enterprise, L"Enterprise"},
        {0, {VER_NT_DOMAIN_CONTROLLER, 0x80}, kv::conWV_Windows2000, kv::conWVT_DataCenter, L"Datacenter"},
        {1, {VER_NT_WORKSTATION, 0x200}, kv::conWV_WindowsXP, kv::conWVT_Home, L"Home"},
        {1, {VER_NT_WORKSTATION, 0x100}, kv::conWV_WindowsXP, kv::conWVT_Professional, L"Professional"},
    };
    for (const Case& c : cases) {
        FakeVersionRecord fake(kNT, 5, c.minor, 2600, "Service Pack 2", c.extended);
        auto os = Detect();
        EXPECT_EQ(os->Version(), c.version);
        EXPECT_EQ(os->VersionType(), c.type) << c.minor << " product " << int(c.extended.productType);
        EXPECT_EQ(os->VersionTypeName(), c.name);
        ExpectOnlyFlagFor(*os, c.version);
    }
}

TEST(OperatingSystem, NT52_IsUnknownButHasItsEdition) {
    FakeVersionRecord fake(kNT, 5, 2, 3790, "", Extended{VER_NT_SERVER, 0x2});
    auto os = Detect();
    EXPECT_EQ(os->Version(), kv::conWV_Unknown);
    EXPECT_EQ(os->VersionName(), L"Windows");
    EXPECT_EQ(os->VersionType(), kv::conWVT_Enterprise);
    EXPECT_EQ(os->VersionTypeName(), L"Enterprise");
    EXPECT_EQ(os->ServicePack(), L"");
    ExpectOnlyFlagFor(*os, kv::conWV_Unknown);
}

TEST(OperatingSystem, IsOS_ChecksTheEditionOnlyWhenGiven) {
    FakeVersionRecord fake(kNT, 5, 1, 2600, "", Extended{VER_NT_WORKSTATION, 0x200});
    auto os = Detect();
    EXPECT_TRUE(os->IsOS(kv::conWV_WindowsXP));
    EXPECT_TRUE(os->IsOS(kv::conWV_WindowsXP, kv::conWVT_Unknown));
    EXPECT_TRUE(os->IsOS(kv::conWV_WindowsXP, kv::conWVT_Home));
    EXPECT_FALSE(os->IsOS(kv::conWV_WindowsXP, kv::conWVT_Professional));
    EXPECT_FALSE(os->IsOS(kv::conWV_Windows2000, kv::conWVT_Home));
}

TEST(OperatingSystem, FailedQueries_LeaveWhatWasRead) {
    {
        FakeVersionRecord fake(kNT, 5, 1, 2600, "Service Pack 1", Extended{VER_NT_WORKSTATION, 0});
        fake.failShort = true;
        auto os = Detect();
        EXPECT_EQ(os->Version(), kv::conWV_Unknown);
        EXPECT_EQ(os->VersionName(), L"");
        EXPECT_EQ(os->MajorVersion(), L"");
        EXPECT_EQ(os->PlattformID(), 0);
        EXPECT_EQ(fake.extendedQueries, 0);
    }
    {
        // NT 5 whose extended record cannot be read: version yes, edition no.
        FakeVersionRecord fake(kNT, 5, 1, 2600, "Service Pack 1");
        auto os = Detect();
        EXPECT_EQ(os->Version(), kv::conWV_WindowsXP);
        EXPECT_EQ(os->ServicePack(), L"Service Pack 1");
        EXPECT_EQ(os->VersionType(), kv::conWVT_Unknown);
        EXPECT_EQ(os->VersionTypeName(), L"");
    }
}

TEST(OperatingSystem, ServicePackText_IsCutAtItsEndAndTrimmed) {
    std::string full(128, 'x');  // no terminating NUL in the whole buffer
    FakeVersionRecord fake(kNT, 4, 0, 1381, full);
    EXPECT_EQ(Detect()->ServicePack(), std::wstring(128, L'x'));
}

TEST(OperatingSystem, IsGatheredOncePerSystemInfo) {
    FakeVersionRecord fake(kNT, 5, 1, 2600, "", Extended{VER_NT_WORKSTATION, 0});
    kv::clsSystemInfo info;
    auto first = info.OperatingSystem();
    auto second = info.OperatingSystem();
    EXPECT_EQ(first, second);
    EXPECT_EQ(fake.shortQueries, 1);
    kv::clsSystemInfo().OperatingSystem();
    EXPECT_EQ(fake.shortQueries, 2);
}

TEST(OperatingSystem, RealSystem_IsOfTheNTFamily) {
    auto os = Detect();
    EXPECT_EQ(os->PlattformID(), static_cast<long>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(os->VersionName().rfind(L"Windows", 0), 0u);
    EXPECT_FALSE(os->MajorVersion().empty());
    EXPECT_GT(os->Build(), 0);
    EXPECT_FALSE(os->Is95() || os->Is98() || os->IsME());
}
