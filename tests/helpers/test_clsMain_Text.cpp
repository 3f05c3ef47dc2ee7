// Text, list, number, date and sort helpers of clsMain.
#include <gtest/gtest.h>

#include "LocaleOverride.h"
#include "clsMain.h"

using kv::clsMain;
using kv::Variant;

TEST(clsMainText, TrimCharsRemovesFromBothEndsOnly) {
    clsMain m;
    EXPECT_EQ(m.TrimChars(L"\\a\\b\\", L"\\"), L"a\\b");
    EXPECT_EQ(m.TrimChars(L"\\\\/\\", L"\\/"), L"");
    EXPECT_EQ(m.TrimChars(L"xAx", L"a"), L"xAx");  // case-sensitive
    EXPECT_EQ(m.TrimChars(L" a ", L""), L" a ");
}

TEST(clsMainText, SplitFilenameSplitsAtLastBackslashAndFirstDot) {
    clsMain m;
    std::wstring folder = L"old", file = L"old", ext = L"old";
    m.SplitFilename(L"C:\\x\\my.prog.exe", folder, file, ext);
    EXPECT_EQ(folder, L"C:\\x\\");
    EXPECT_EQ(file, L"my");
    EXPECT_EQ(ext, L"prog.exe");
    m.SplitFilename(L"readme", folder, file, ext);
    EXPECT_EQ(folder, L"");
    EXPECT_EQ(file, L"readme");
    EXPECT_EQ(ext, L"");
    m.SplitFilename(L"C:\\dir.d\\", folder, file, ext);
    EXPECT_EQ(folder, L"C:\\dir.d\\");
    EXPECT_EQ(file, L"");
}

TEST(clsMainText, FillStringPadsOnTheChosenSide) {
    clsMain m;
    EXPECT_EQ(m.FillString(L"7", L"0", 3, kv::conDir_Before), L"007");
    EXPECT_EQ(m.FillString(L"7", L"0x", 3, kv::conDir_After), L"700");
    EXPECT_EQ(m.FillString(L"1234", L"0", 3, kv::conDir_Before), L"1234");
    EXPECT_EQ(m.DirAddBackslash(L""), L"\\");
    EXPECT_EQ(m.DirAddBackslash(L"C:\\a\\"), L"C:\\a\\");
    EXPECT_EQ(m.DirRemoveBackslash(L"C:\\a\\\\"), L"C:\\a\\");
}

TEST(clsMainText, ListsCountAndExtractItems) {
    clsMain m;
    EXPECT_EQ(m.CountItemsInList(L"a;b;c", L";"), 3);
    EXPECT_EQ(m.CountItemsInList(L"", L";"), 0);
    EXPECT_EQ(m.CountItemsInList(L"a----b", L"--"), 3);  // non-overlapping

    long pos = 0;
    EXPECT_EQ(m.ExtractItem(pos, L"a;b;c", L";", L"", 2), L"b");
    EXPECT_EQ(pos, 3);  // the separator before b in ";a;b;c;"
    pos = 0;
    EXPECT_EQ(m.ExtractItem(pos, L"a;b;c", L";", L"", 3), L"c");
    pos = 0;
    EXPECT_EQ(m.ExtractItem(pos, L"a;b;c", L";", L"", 4), L"");
    EXPECT_EQ(pos, 0);
    pos = 0;
    EXPECT_EQ(m.ExtractItem(pos, L"a;;c", L";", L"", 2), L"");  // an empty item is found
    EXPECT_EQ(pos, 3);
    pos = 0;
    EXPECT_EQ(m.ExtractItem(pos, L"x[one] y[two]", L"[", L"]", 2, kv::conListBracketSeperation), L"two");
    EXPECT_EQ(pos, 9);
    pos = 0;
    EXPECT_EQ(m.ExtractItem(pos, L"[one", L"[", L"]", 1, kv::conListBracketSeperation), L"");
    EXPECT_EQ(pos, 0);
}

TEST(clsMainText, SmallTextHelpers) {
    clsMain m;
    EXPECT_EQ(m.Caps(L"äPFEL kuchen"), L"Äpfel kuchen");
    EXPECT_EQ(m.ColumnToChar(1), L"A");
    EXPECT_EQ(m.ColumnToChar(28), L"AB");
    EXPECT_EQ(m.ColumnToChar(702), L"ZZ");
    EXPECT_EQ(m.CharToColumn(L"zz"), 702);
    EXPECT_EQ(m.CharToColumn(L"AAA"), 703);
    EXPECT_THROW(m.CharToColumn(L"A1"), kv::KVError);
    EXPECT_EQ(m.ExtractNumber(L"backup_0042.bak"), 42);
    EXPECT_EQ(m.InStrChars(3, L"a,b;c", L";,"), 4);
    std::wstring found;
    EXPECT_EQ(m.GetCharPos(1, L"a,b;c", L";,", found), 2);
    EXPECT_EQ(found, L",");
    EXPECT_TRUE(m.ToBoolean(L"ja"));
    EXPECT_TRUE(m.ToBoolean(-1L));
    EXPECT_FALSE(m.ToBoolean(L"1"));
    EXPECT_EQ(m.Nz(kv::Null{}).ToString(), L"");
    EXPECT_EQ(m.Az(3L, 3.0, L"drei").ToString(), L"drei");

    Variant parts;
    EXPECT_EQ(m.SplitString(L"a||b||", L"||", parts), 3);
    EXPECT_EQ(parts.Get<std::shared_ptr<kv::VariantArray>>()->Item({1}).ToString(), L"b");
    EXPECT_EQ(m.SplitString(L"", L"||", parts), 0);
}

TEST(clsMainText, WrapTextBreaksAtBlanksOrHard) {
    clsMain m;
    EXPECT_EQ(m.WrapText(L"eins zwei drei", 9), L"eins zwei\r\ndrei");
    EXPECT_EQ(m.WrapText(L"abcdefghij", 4), L"abcd\r\nefgh\r\nij");
    EXPECT_EQ(m.WrapText(L"ab-cdef", 4, L"-", L"|"), L"ab-|cdef");
    EXPECT_EQ(m.WrapText(L"kurz\r\nauch kurz", 9), L"kurz\r\nauch kurz");
}

TEST(clsMainText, RelativePathClimbsWithParentSteps) {
    clsMain m;
    EXPECT_EQ(m.GetRelativePath(L"C:\\a\\b\\", L"C:\\a\\c\\d.txt"), L"..\\c\\d.txt");
    EXPECT_EQ(m.GetRelativePath(L"c:\\A", L"C:\\a\\sub\\"), L"sub\\");
    EXPECT_EQ(m.GetRelativePath(L"C:\\a", L"D:\\a\\x"), L"D:\\a\\x");
    EXPECT_EQ(m.GetRelativePath(L"\\\\s1\\share\\a", L"\\\\s2\\share\\a"), L"\\\\s2\\share\\a");
}

TEST(clsMainNumbers, RoundHalvesAwayFromZero) {
    clsMain m;
    EXPECT_DOUBLE_EQ(m.Round(2.5, 1), 3);
    EXPECT_DOUBLE_EQ(m.Round(-2.5, 1), -3);
    EXPECT_DOUBLE_EQ(m.Round(1.234, 0.01), 1.23);
    EXPECT_DOUBLE_EQ(m.Round(2.675, 0.01), 2.68);  // 267.4999... reads as 267.5
    EXPECT_DOUBLE_EQ(m.Round(17, 5), 15);
}

TEST(clsMainNumbers, IsNumberChecksCharactersAndRange) {
    clsMain m;
    // Bounds given the wrong way round are put in order: 20 to 10 is 10 to 20.
    EXPECT_TRUE(m.IsNumber(12L, kv::conNF_NumberInteger, 20.0, 10.0));
    EXPECT_FALSE(m.IsNumber(L"25", kv::conNF_NumberInteger, 20L, 10L));
    EXPECT_FALSE(m.IsNumber(L"9", kv::conNF_NumberInteger, 20L, 10L));
    EXPECT_TRUE(m.IsNumber(L"10", kv::conNF_NumberInteger, 10L, 20L));  // bounds included
    EXPECT_TRUE(m.IsNumber(L"99", kv::conNF_NumberInteger, kv::Null{}, 20L));
    EXPECT_FALSE(m.IsNumber(kv::Null{}));
    EXPECT_FALSE(m.IsNumber(L""));
    EXPECT_FALSE(m.IsNumber(L"1e5"));
    EXPECT_TRUE(m.IsNumber(L"-3"));
    EXPECT_FALSE(m.IsNumber(L"1-2", kv::conNF_NumberInteger, 0L, 100L));

    kvtest::LocaleOverride comma({{LOCALE_SDECIMAL, L","}, {LOCALE_STHOUSAND, L"."}});
    ASSERT_TRUE(comma.ok());
    EXPECT_EQ(m.GetRegionalInfo(kv::conRI_DecimalSeperator), L",");
    EXPECT_FALSE(m.IsNumber(L"1,5"));
    EXPECT_TRUE(m.IsNumber(L"1,5", kv::conNF_NumberFloatingPoint));
    EXPECT_FALSE(m.IsNumber(L"1.5", kv::conNF_NumberFloatingPoint));
    EXPECT_TRUE(m.IsNumber(L"1,5", kv::conNF_NumberFloatingPoint, 1L, 2L));
    EXPECT_FALSE(m.IsNumber(L"2,5", kv::conNF_NumberFloatingPoint, 1L, 2L));
}

TEST(clsMainNumbers, LocaleNumberTexts) {
    clsMain m;
    kvtest::LocaleOverride german({{LOCALE_SDECIMAL, L","}, {LOCALE_STHOUSAND, L"."}, {LOCALE_SGROUPING, L"3;0"}});
    ASSERT_TRUE(german.ok());
    EXPECT_EQ(m.ConvertNumberFromExponential(1.5e-5), L"0,000015");
    EXPECT_EQ(m.ConvertNumberFromExponential(-1.25e20), L"-125000000000000000000");
    EXPECT_EQ(m.ConvertNumberFromExponential(31.5), L"31,5");
    EXPECT_EQ(m.FN(1234567.891, 2), L"1.234.567,89");
    EXPECT_EQ(m.FN(1234.5), L"1.234,5");
    EXPECT_DOUBLE_EQ(m.UnFN(L"1.234.567,89"), 1234567.89);
    EXPECT_EQ(m.GetDecimalPos(12.5), 3);
    EXPECT_EQ(m.CommaToDot(12.5), L"12.5");
    EXPECT_EQ(m.FirstNonNumChar(L"-12,5x", kv::conDTFNCT_WithAll), L"x");
    EXPECT_EQ(m.FirstNonNumChar(L"-12", kv::conDTFNCT_Normal), L"-");
}

TEST(clsMainNumbers, TransformSizeKeepsTheAspectRatio) {
    clsMain m;
    long w = 400, h = 200;
    m.TransformSize(w, h, 100, 100, true);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 50);
    w = 100, h = 400;
    m.TransformSize(w, h, 200, 200, true);
    EXPECT_EQ(w, 50);
    EXPECT_EQ(h, 200);
    w = 50, h = 25;
    m.TransformSize(w, h, 100, 100, true);  // small enough, never zoomed
    EXPECT_EQ(w, 50);
    m.TransformSize(w, h, 100, 100, false);  // zoomed up to fit
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 50);
}

TEST(clsMainDates, IsValidDateUsesShortDateAndTwoDigitYearRules) {
    clsMain m;
    kvtest::LocaleOverride german({{LOCALE_SSHORTDATE, L"dd.MM.yyyy"}, {LOCALE_SDATE, L"."}, {LOCALE_STIME, L":"}});
    ASSERT_TRUE(german.ok());
    EXPECT_TRUE(m.IsValidDate(L"01.02.2029", kv::conDTCT_Date));
    EXPECT_TRUE(m.IsValidDate(L"1.2.29", kv::conDTCT_Date));   // 2029
    EXPECT_TRUE(m.IsValidDate(L"1.2.30", kv::conDTCT_Date));   // 1930
    EXPECT_TRUE(m.IsValidDate(L"29.2.2024", kv::conDTCT_Date));
    EXPECT_FALSE(m.IsValidDate(L"29.2.2023", kv::conDTCT_Date));
    EXPECT_FALSE(m.IsValidDate(L"31.04.2024", kv::conDTCT_Date));
    EXPECT_TRUE(m.IsValidDate(L"12:30", kv::conDTCT_Time));
    EXPECT_FALSE(m.IsValidDate(L"25:30", kv::conDTCT_Time));
    EXPECT_TRUE(m.IsValidDate(L" 1.2.2024  12:30 ", kv::conDTCT_DateAndTime));
    EXPECT_FALSE(m.IsValidDate(L"1.2.2024", kv::conDTCT_DateAndTime));
    EXPECT_TRUE(m.IsValidDate(L"1.2.2024", kv::conDTCT_DateOrTime));
    EXPECT_TRUE(m.IsValidDate(L"12:30", kv::conDTCT_DateOrTime));
    EXPECT_FALSE(m.IsValidDate(L"1.2.2024 12:30", kv::conDTCT_Date));
    EXPECT_FALSE(m.IsValidDate(L"", kv::conDTCT_DateOrTime));
}

namespace {
std::shared_ptr<kv::VariantArray> Column(std::initializer_list<Variant> values, long lower = 0) {
    auto a = kv::VariantArray::Make(VT_VARIANT, {lower}, {static_cast<long>(values.size())});
    std::copy(values.begin(), values.end(), a->items.begin());
    return a;
}
std::vector<std::wstring> Texts(const kv::VariantArray& a) {
    std::vector<std::wstring> t;
    for (const auto& v : a.items) t.push_back(v.ToString());
    return t;
}
}  // namespace

TEST(clsMainSort, UmlautsSortAsTheirSpelledOutForm) {
    clsMain m;
    Variant names(Column({L"Müller", L"Maier", L"Mueller", L"muff", L"Mahler"}));
    m.Sort(names);
    auto sorted = Texts(*names.Get<std::shared_ptr<kv::VariantArray>>());
    EXPECT_EQ(sorted[0], L"Mahler");
    EXPECT_EQ(sorted[1], L"Maier");
    // Müller and Mueller share a key; both come before muff.
    EXPECT_TRUE((sorted[2] == L"Müller" && sorted[3] == L"Mueller") || (sorted[2] == L"Mueller" && sorted[3] == L"Müller"));
    EXPECT_EQ(sorted[4], L"muff");

    Variant numbers(Column({3L, -1.5, 10L, 2L, 2L, 7L}, -3));
    m.Sort(numbers, kv::conSO_Descending);
    auto& n = *numbers.Get<std::shared_ptr<kv::VariantArray>>();
    EXPECT_EQ(Texts(n), (std::vector<std::wstring>{L"10", L"7", L"3", L"2", L"2", L"-1.5"}));
    EXPECT_EQ(n.LBound(), -3);
}

TEST(clsMainSort, TwoDimensionalArraysSortWholeRowsByTheKeyColumn) {
    clsMain m;
    auto table = kv::VariantArray::Make(VT_VARIANT, {1, 0}, {4, 2});
    const wchar_t* names[] = {L"d", L"b", L"a", L"c"};
    const long keys[] = {40, 20, 10, 30};
    for (long r = 0; r < 4; ++r) {
        table->Item({r + 1, 0}) = Variant(names[r]);
        table->Item({r + 1, 1}) = Variant(keys[r]);
    }
    m.Sort(*table, kv::conSO_Ascending, 1);
    for (long r = 1; r <= 4; ++r) {
        EXPECT_EQ(table->Item({r, 1}).ToLong(), r * 10);
        EXPECT_EQ(table->Item({r, 0}).ToString(), std::wstring(1, static_cast<wchar_t>(L'a' + r - 1)));
    }
    m.Sort(*table, kv::conSO_Descending);  // default key: the first column
    EXPECT_EQ(table->Item({1, 0}).ToString(), L"d");
    EXPECT_EQ(table->Item({1, 1}).ToLong(), 40);
}
