// Windows version and edition detection, driven by the injected version record.
#include <gtest/gtest.h>

#include "FakeVersionRecord.h"
#include "clsSystemInfo.h"

using namespace kv;
using kvtest::Extended;
using kvtest::FakeVersionRecord;

namespace {

constexpr DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
constexpr DWORD kNT = VER_PLATFORM_WIN32_NT;
constexpr BYTE kWs = VER_NT_WORKSTATION, kServer = VER_NT_SERVER, kDc = VER_NT_DOMAIN_CONTROLLER;

std::shared_ptr<const clsOperatingSystemInfo> Detect() { return clsSystemInfo().OperatingSystem(); }

}  // namespace

TEST(OperatingSystem, VersionAndEdition_FromTheShortAndTheExtendedRecord) {
    const wchar_t* versionNames[] = {L"Windows",         L"Windows 95",   L"Windows 98",   L"Windows ME",
                                     L"Windows NT 3.51", L"Windows NT 4", L"Windows 2000", L"Windows XP"};
    const wchar_t* typeNames[] = {L"", L"Workstation", L"Server", L"Home", L"Professional", L"Enterprise",
                                  L"Datacenter", L"Anderer"};
    struct Case {
        DWORD platform, major, minor;
        const char* servicePack;
        std::optional<Extended> extended;
        long version, type;
        bool extendedQueried;
    } cases[] = {
        {k9x, 4, 0, "", {}, conWV_Windows95, 0, false},
        {k9x, 4, 10, "", {}, conWV_Windows98, 0, false},
        {k9x, 4, 89, "", {}, conWV_Windows98, 0, false},
        {k9x, 4, 90, "", {}, conWV_WindowsME, 0, false},
        {k9x, 4, 5, "", {}, conWV_Unknown, 0, false},
        // Before NT 4 service pack 6 the extended record is not asked for.
        {kNT, 3, 51, "Service Pack 5", Extended{kWs, 0}, conWV_WindowsNT351, 0, false},
        {kNT, 4, 0, "Service Pack 5", Extended{kWs, 0}, conWV_WindowsNT4, 0, false},
        {kNT, 4, 0, "Service Pack 6", Extended{kWs, 0x200}, conWV_WindowsNT4, conWVT_Workstation, true},
        {kNT, 4, 0, "Service Pack 6a", Extended{kServer, 0x80}, conWV_WindowsNT4, conWVT_Server, true},
        {kNT, 4, 0, "Service Pack 6", Extended{kDc, 0x2}, conWV_WindowsNT4, conWVT_Enterprise, true},
        {kNT, 4, 0, "Service Pack 6", Extended{9, 0}, conWV_WindowsNT4, conWVT_Other, true},
        {kNT, 4, 0, "Service Pack 6", Extended{0, 0x2}, conWV_WindowsNT4, 0, true},
        // From NT 5 on the suite refines the edition.
        {kNT, 5, 0, "", Extended{kWs, 0}, conWV_Windows2000, conWVT_Professional, true},
        {kNT, 5, 0, "", Extended{kServer, 0}, conWV_Windows2000, conWVT_Server, true},
        {kNT, 5, 0, "", Extended{kServer, 0x2}, conWV_Windows2000, conWVT_Enterprise, true},
        {kNT, 5, 0, "", Extended{kDc, 0x80}, conWV_Windows2000, conWVT_DataCenter, true},
        {kNT, 5, 1, "", Extended{kWs, 0x200}, conWV_WindowsXP, conWVT_Home, true},
        {kNT, 5, 1, "", Extended{kWs, 0x100}, conWV_WindowsXP, conWVT_Professional, true},
        {kNT, 5, 1, "", {}, conWV_WindowsXP, 0, true},  // the extended query fails
        {kNT, 5, 2, "", Extended{kServer, 0x2}, conWV_Unknown, conWVT_Enterprise, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor << " " << c.servicePack
                                        << " product " << (c.extended ? c.extended->productType : -1));
        // 9x keeps the version in the high word of the build number.
        const DWORD build = c.platform == k9x ? (4u << 24) | (c.minor << 16) | 2222u : 0x10000565u;
        FakeVersionRecord fake(c.platform, c.major, c.minor, build, c.servicePack, c.extended);
        auto os = Detect();
        EXPECT_EQ(os->Build(), c.platform == k9x ? 2222 : 0x10000565);
        EXPECT_EQ(os->PlattformID(), static_cast<long>(c.platform));
        EXPECT_EQ(os->MajorVersion(), std::to_wstring(c.major));
        EXPECT_EQ(os->MinorVersion(), std::to_wstring(c.minor));
        EXPECT_EQ(os->Version(), c.version);
        EXPECT_EQ(os->VersionName(), versionNames[c.version]);
        EXPECT_EQ(os->VersionType(), c.type);
        EXPECT_EQ(os->VersionTypeName(), typeNames[c.type]);
        EXPECT_EQ(fake.extendedQueries, c.extendedQueried ? 1 : 0);
        EXPECT_EQ(os->IsOS(c.version, conWVT_Home), c.type == conWVT_Home) << "the edition counts when given";
        // Exactly one of the Is* members may answer True, and only for its own version.
        const bool flags[] = {os->Is95(), os->Is98(), os->IsME(), false, os->IsNT4(), os->Is2000(), os->IsXP()};
        for (long v = 0; v <= 7; ++v) {
            if (v > 0 && v != conWV_WindowsNT351) {
                EXPECT_EQ(flags[v - 1], v == c.version) << "flag of " << v;
            }
            EXPECT_EQ(os->IsOS(v), v == c.version) << "IsOS(" << v << ")";
            EXPECT_EQ(os->IsOS(v, c.type), v == c.version) << "IsOS(" << v << ", own edition)";
        }
    }
}

TEST(OperatingSystem, ServicePackText_IsTrimmed_AndTakenWholeWithoutNUL) {
    {
        FakeVersionRecord fake(k9x, 4, 10, 0, " A ");
        EXPECT_EQ(Detect()->ServicePack(), L"A");
    }
    FakeVersionRecord fake(kNT, 4, 0, 1381, std::string(128, 'x'));
    EXPECT_EQ(Detect()->ServicePack(), std::wstring(128, L'x'));
}

TEST(OperatingSystem, FailedShortQuery_SetsNothing) {
    FakeVersionRecord fake(kNT, 5, 1, 2600, "Service Pack 1", Extended{kWs, 0});
    fake.failShort = true;
    auto os = Detect();
    EXPECT_EQ(os->Version(), conWV_Unknown);
    EXPECT_EQ(os->VersionName(), L"");
    EXPECT_EQ(os->PlattformID(), 0);
    EXPECT_EQ(fake.extendedQueries, 0);
}

TEST(OperatingSystem, IsGatheredOncePerSystemInfo) {
    FakeVersionRecord fake(kNT, 5, 1, 2600, "", Extended{kWs, 0});
    clsSystemInfo info;
    EXPECT_EQ(info.OperatingSystem(), info.OperatingSystem());
    EXPECT_EQ(fake.shortQueries, 1);
    clsSystemInfo().OperatingSystem();
    EXPECT_EQ(fake.shortQueries, 2);
}
