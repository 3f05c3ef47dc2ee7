// The version file read as data, the comparison of versions and the file-time conversion.
#include <gtest/gtest.h>

#include <windows.h>

#include "ErrorCapture.h"
#include "program/basTools.h"
#include "update/VersionFile.h"
#include "update/basVersionCheck.h"

namespace {

using kvr::ReadVersionFile;

std::wstring File(const std::wstring& line3, const std::wstring& line4 = L"Datum: 3.2.2025",
                  const std::wstring& line5 = L"Info") {
    return L"Kelvo Restart\r\nDownload Kelvo Restart\r\n" + line3 + L"\r\n" + line4 + L"\r\n" + line5 + L"\r\n";
}

TEST(VersionFile, ReadsVersionDateAndInformation_FromLinesThreeToFive) {
    const kvr::VersionFileInfo info =
        ReadVersionFile(File(L"Version:   12.34 Build 056  ", L"Datum: 03.02.2025", L"  Zeile fünf bleibt, wie sie ist "));
    EXPECT_EQ(info.VersionText, L"12.34 Build 056");
    EXPECT_EQ(info.Major, 12);
    EXPECT_EQ(info.Minor, 34);
    EXPECT_EQ(info.Build, 56);
    EXPECT_EQ(info.ReleaseDate, kvr::MakeDate(2025, 2, 3));
    EXPECT_EQ(info.AdditionalInfo, L"  Zeile fünf bleibt, wie sie ist ");
    // Lines that end in a line feed alone are read the same.
    EXPECT_EQ(ReadVersionFile(L"a\nb\nV 1.2 Build 3\nD 1.1.2000\nfünf").AdditionalInfo, L"fünf");
}

TEST(VersionFile, MalformedFile_RaisesError13_NeverAVersion) {
    const std::wstring cases[] = {
        L"Kelvo Restart\r\nDownload Kelvo Restart\r\nVersion: 2.6 Build 0\r\nDatum: 3.2.2025",  // four lines
        L"",
        File(L"Version: 2,6 Build 0"),          // no "."
        File(L"Version: 2.6 Bld 0"),            // no "Build"
        File(L"Version:2.6 Build 0"),           // no blank after the label: "Build" and "0" stay in the label
        File(L"Version: 2.x Build 0"),
        File(L"Version: -2.6 Build 0"),
        File(L"Version: 2.6 Build 1234567890"),  // ten digits
        File(L"Version: 2.6 Build"),
        File(L"Version: 2.6 Build 0", L"Datum: 31.2.2025"),
        File(L"Version: 2.6 Build 0", L"Datum: 3.13.2025"),
        File(L"Version: 2.6 Build 0", L"Datum: 3-2-2025"),
        File(L"Version: 2.6 Build 0", L"Datum:"),
    };
    for (const std::wstring& text : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&text - cases));
        EXPECT_EQ(kv::test::Raised([&] { ReadVersionFile(text); }).Number, 13);
    }
}

TEST(VersionFile, Comparison_MajorWeighsMostThenMinorThenBuild) {
    struct Case {
        long major, minor, build;  // the server's; the program's own is 2.5 Build 10
        bool newer;
    } cases[] = {
        {2, 5, 10, false}, {2, 5, 11, true},  {2, 5, 9, false},   {2, 6, 0, true},
        {1, 9, 999, false},  // greater minor part, smaller major part: older
        {3, 0, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kvr::VersionNumber(c.major, c.minor, c.build) > kvr::VersionNumber(2, 5, 10), c.newer)
            << c.major << "." << c.minor << " Build " << c.build;
}

TEST(VersionFile, AnswerText_BinaryIsNone_Utf8AndItsMarkRead) {
    EXPECT_FALSE(kvr::VersionFileText(std::string("Download Kelvo Restart\0\x01", 24)).has_value());
    EXPECT_EQ(kvr::VersionFileText("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e"), L"Grüße");
    // Not UTF-8: read in the ANSI code page rather than refused.
    EXPECT_TRUE(kvr::VersionFileText("Gr\xFC\xDF" "e").has_value());

    EXPECT_TRUE(kvr::HasDownloadMark(L"x\r\nDownload Kelvo Restart\r\n", L"Kelvo Restart"));
    EXPECT_FALSE(kvr::HasDownloadMark(L"Download  Kelvo Restart", L"Kelvo Restart"));
    EXPECT_FALSE(kvr::HasDownloadMark(L"Download Kelvo", L"Kelvo Restart"));
}

TEST(VersionFile, FileTime_IsLocalDateAndTime_ZeroIsNone) {
    EXPECT_FALSE(kvr::Win32ToVbTime(FILETIME{0, 0}).has_value());
    // 2 January 2020, 12:00 local time.
    SYSTEMTIME st{2020, 1, 0, 2, 12, 0, 0, 0};
    FILETIME local{}, utc{};
    ASSERT_TRUE(SystemTimeToFileTime(&st, &local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
    const std::optional<kv::Date> date = kvr::Win32ToVbTime(utc);
    ASSERT_TRUE(date.has_value());
    EXPECT_NEAR(date->value, 43832.5, 1e-6);
    // And back, without a time zone.
    const FILETIME back = kvr::DateToFileTime(*date);
    EXPECT_EQ(CompareFileTime(&back, &local), 0);
}

}  // namespace
