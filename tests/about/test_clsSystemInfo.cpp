// Processor, memory and screen details: their display texts, and the real system's figures.
#include <windows.h>
#include <gtest/gtest.h>

#include <climits>

#include "clsSystemInfo.h"

using kv::clsCPUInfo;
using kv::clsVideoInfo;

TEST(SystemInfo, DisplayTexts) {
    EXPECT_EQ(clsCPUInfo::TypeText(586), L"Pentium");
    EXPECT_EQ(clsCPUInfo::TypeText(8664), L"unbekannt");  // what an x64 system reports
    EXPECT_EQ(clsCPUInfo::LevelTextOf(6), L"Intel Pentium Pro, Pentium II oder Pentium III");
    EXPECT_EQ(clsCPUInfo::LevelTextOf(7), L"");
    EXPECT_EQ(clsVideoInfo::ColorDepthText(8), L"256 Farben");
    EXPECT_EQ(clsVideoInfo::ColorDepthText(15), L"Unbekannt");
    EXPECT_EQ(clsVideoInfo::ColorDepthText(16), L"High Color");
    EXPECT_EQ(clsVideoInfo::ColorDepthText(32), L"True Color");
}

TEST(SystemInfo, MemorySizesAboveTheFieldSaturateInsteadOfWrapping) {
    EXPECT_EQ(kv::clsMemoryInfo::ClampSize(2147483647ull), LONG_MAX);
    EXPECT_EQ(kv::clsMemoryInfo::ClampSize(2147483648ull), LONG_MAX);
    EXPECT_EQ(kv::clsMemoryInfo::ClampSize(16ull << 30), LONG_MAX);
}

TEST(SystemInfo, RealSystem) {
    kv::clsSystemInfo info;
    auto cpu = info.CPU();
    EXPECT_GE(cpu->Count(), 1);
    EXPECT_EQ(cpu->RModel() * 256 + cpu->RStepping(), cpu->Revision());
    EXPECT_GT(info.Memory()->Physical(), 0);
    EXPECT_EQ(info.Memory()->Virtual(), LONG_MAX) << "a 64-bit process has terabytes of address space";
    auto video = info.Video();
    EXPECT_EQ(video, info.Video());
    EXPECT_EQ(video->ScreenSizeX(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(video->ScreenSizeY(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_LE(video->AvailableDesktopTop() + video->AvailableDesktopHeigth(), video->ScreenSizeY());
}
