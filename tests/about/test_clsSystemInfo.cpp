// Processor, memory and screen details from the real system, and their display texts.
#include <windows.h>
#include <gtest/gtest.h>

#include <climits>

#include "clsSystemInfo.h"

TEST(CPUInfo, TextsOfTypeAndLevel) {
    EXPECT_EQ(kv::clsCPUInfo::TypeText(586), L"Pentium");
    EXPECT_EQ(kv::clsCPUInfo::TypeText(8664), L"unbekannt");  // what an x64 system reports
    EXPECT_EQ(kv::clsCPUInfo::LevelTextOf(6), L"Intel Pentium Pro, Pentium II oder Pentium III");
    EXPECT_EQ(kv::clsCPUInfo::LevelTextOf(7), L"");
}

TEST(CPUInfo, RealProcessor_RevisionSplitsIntoModelAndStepping) {
    auto cpu = kv::clsSystemInfo().CPU();
    EXPECT_GE(cpu->Count(), 1);
    EXPECT_GT(cpu->Typ(), 0);
    EXPECT_EQ(cpu->RModel() * 256 + cpu->RStepping(), cpu->Revision());
    EXPECT_EQ(cpu->TypText(), kv::clsCPUInfo::TypeText(cpu->Typ()));
}

TEST(MemoryInfo, SizesAboveTheFieldSaturateInsteadOfWrapping) {
    EXPECT_EQ(kv::clsMemoryInfo::ClampSize(0), 0);
    EXPECT_EQ(kv::clsMemoryInfo::ClampSize(2147483647ull), LONG_MAX);
    EXPECT_EQ(kv::clsMemoryInfo::ClampSize(2147483648ull), LONG_MAX);
    EXPECT_EQ(kv::clsMemoryInfo::ClampSize(0xFFFFFFFFull), LONG_MAX);
    EXPECT_EQ(kv::clsMemoryInfo::ClampSize(16ull << 30), LONG_MAX);
}

TEST(MemoryInfo, RealFigures_AreNeverNegative) {
    auto mem = kv::clsSystemInfo().Memory();
    for (long figure : {mem->Physical(), mem->PhysicalFree(), mem->Virtual(), mem->VirtualFree(),
                        mem->Pagefile(), mem->PagefileFree()}) {
        EXPECT_GE(figure, 0);
    }
    EXPECT_GT(mem->Physical(), 0);
    EXPECT_LE(mem->PhysicalFree(), mem->Physical());
    EXPECT_LE(mem->PagefileFree(), mem->Pagefile());
    EXPECT_GE(mem->PercentageUsed(), 0);
    EXPECT_LE(mem->PercentageUsed(), 100);
    // A 64-bit process has terabytes of address space: far beyond the 32-bit field.
    EXPECT_EQ(mem->Virtual(), LONG_MAX);
}

TEST(VideoInfo, ColourDepthTexts) {
    EXPECT_EQ(kv::clsVideoInfo::ColorDepthText(8), L"256 Farben");
    EXPECT_EQ(kv::clsVideoInfo::ColorDepthText(15), L"Unbekannt");
    EXPECT_EQ(kv::clsVideoInfo::ColorDepthText(16), L"High Color");
    EXPECT_EQ(kv::clsVideoInfo::ColorDepthText(24), L"True Color");
    EXPECT_EQ(kv::clsVideoInfo::ColorDepthText(32), L"True Color");
}

TEST(VideoInfo, RealScreen_WorkAreaLiesWithinTheScreen) {
    kv::clsSystemInfo info;
    auto video = info.Video();
    EXPECT_EQ(video, info.Video());
    EXPECT_EQ(video->ScreenSizeX(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(video->ScreenSizeY(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(video->ColorDeepth(), 0);
    EXPECT_GT(video->AvailableDesktopWidth(), 0);
    EXPECT_GT(video->AvailableDesktopHeigth(), 0);
    EXPECT_LE(video->AvailableDesktopLeft() + video->AvailableDesktopWidth(), video->ScreenSizeX());
    EXPECT_LE(video->AvailableDesktopTop() + video->AvailableDesktopHeigth(), video->ScreenSizeY());
}
