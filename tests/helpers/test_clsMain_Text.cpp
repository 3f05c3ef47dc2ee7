// Text, list, number, date and sort helpers of clsMain.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "DecimalText.h"
#include "ErrorCapture.h"
#include "LocaleOverride.h"
#include "clsMain.h"

using kv::clsMain;
using kv::Variant;
using kv::test::Raised;

TEST(DecimalText, EveryWholeNumberTypeToTheEnds) {
    EXPECT_EQ(kv::DecimalText(0), L"0");
    EXPECT_EQ(kv::DecimalText(-7L), L"-7");
    EXPECT_EQ(kv::DecimalText(std::uint16_t{65535}), L"65535");
    EXPECT_EQ(kv::DecimalText(std::numeric_limits<int>::min()), L"-2147483648");
    EXPECT_EQ(kv::DecimalText(std::numeric_limits<long long>::min()), L"-9223372036854775808");
    EXPECT_EQ(kv::DecimalText(std::numeric_limits<unsigned long long>::max()), L"18446744073709551615");
}

TEST(clsMainText, TrimFillAndBackslashes) {
    clsMain m;
    EXPECT_EQ(m.TrimChars(L"\\a\\b\\", L"\\"), L"a\\b");
    EXPECT_EQ(m.TrimChars(L"\\\\/\\", L"\\/"), L"");
    EXPECT_EQ(m.TrimChars(L"xAx", L"a"), L"xAx");  // case-sensitive
    EXPECT_EQ(m.TrimChars(L" a ", L""), L" a ");
    EXPECT_EQ(m.FillString(L"7", L"0", 3, kv::conDir_Before), L"007");
    EXPECT_EQ(m.FillString(L"7", L"0x", 3, kv::conDir_After), L"700");
    EXPECT_EQ(m.FillString(L"1234", L"0", 3, kv::conDir_Before), L"1234");
    EXPECT_EQ(m.DirAddBackslash(L""), L"\\");
    EXPECT_EQ(m.DirAddBackslash(L"C:\\a\\"), L"C:\\a\\");
    EXPECT_EQ(m.DirRemoveBackslash(L"C:\\a\\\\"), L"C:\\a\\");
}

TEST(clsMainText, SplitFilenameSplitsAtLastBackslashAndFirstDot) {
    const struct { const wchar_t *name, *folder, *file, *ext; } cases[] = {
        {L"C:\\x\\my.prog.exe", L"C:\\x\\", L"my", L"prog.exe"},
        {L"readme", L"", L"readme", L""},
        {L"C:\\dir.d\\", L"C:\\dir.d\\", L"", L""},
    };
    clsMain m;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring folder = L"old", file = L"old", ext = L"old";
        m.SplitFilename(c.name, folder, file, ext);
        EXPECT_EQ(folder + L"|" + file + L"|" + ext, std::wstring(c.folder) + L"|" + c.file + L"|" + c.ext);
    }
}

TEST(clsMainText, ListsCountAndExtractItems) {
    clsMain m;
    EXPECT_EQ(m.CountItemsInList(L"a;b;c", L";"), 3);
    EXPECT_EQ(m.CountItemsInList(L"", L";"), 0);
    EXPECT_EQ(m.CountItemsInList(L"a----b", L"--"), 3);  // non-overlapping

    const struct { const wchar_t *text, *start, *end; long column, mode; const wchar_t* item; long pos; } cases[] = {
        {L"a;b;c", L";", L"", 2, kv::conListSingleSeperation, L"b", 3},  // the ";" before b in ";a;b;c;"
        {L"a;b;c", L";", L"", 3, kv::conListSingleSeperation, L"c", 5},
        {L"a;b;c", L";", L"", 4, kv::conListSingleSeperation, L"", 0},
        {L"a;;c", L";", L"", 2, kv::conListSingleSeperation, L"", 3},  // an empty item is found
        // Read left to right as CountItemsInList counts: the item may hold part of the separator.
        {L"|", L"||", L"", 1, kv::conListSingleSeperation, L"|", 1},
        {L"a|||b", L"||", L"", 2, kv::conListSingleSeperation, L"|b", 4},
        {L"x[one] y[two]", L"[", L"]", 2, kv::conListBracketSeperation, L"two", 9},
        {L"[one", L"[", L"]", 1, kv::conListBracketSeperation, L"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.text) + L" column " + std::to_wstring(c.column));
        long pos = 0;
        EXPECT_EQ(m.ExtractItem(pos, c.text, c.start, c.end, c.column, c.mode), c.item);
        EXPECT_EQ(pos, c.pos);
    }
    // Searching on from an item's position finds that item again as the first.
    long pos = 3;
    EXPECT_EQ(m.ExtractItem(pos, L"a;b;c", L";", L"", 1, kv::conListSingleSeperation), L"b");
    EXPECT_EQ(pos, 3);
}

// Members the system does not call: their one-line rules.
TEST(clsMainText, SmallTextHelpers) {
    clsMain m;
    EXPECT_EQ(m.Caps(L"äPFEL kuchen"), L"Äpfel kuchen");
    EXPECT_EQ(m.ColumnToChar(702), L"ZZ");
    EXPECT_EQ(m.CharToColumn(L"AAA"), 703);
    EXPECT_EQ(m.ExtractNumber(L"backup_0042.bak"), 42);
    EXPECT_EQ(m.InStrChars(3, L"a,b;c", L";,"), 4);
    std::wstring found;
    EXPECT_EQ(m.GetCharPos(1, L"a,b;c", L";,", found), 2);
    EXPECT_EQ(found, L",");
    EXPECT_TRUE(m.ToBoolean(L"ja"));
    EXPECT_FALSE(m.ToBoolean(L"1"));
    EXPECT_EQ(m.Az(3L, 3.0, L"drei").ToString(), L"drei");
    Variant parts;
    EXPECT_EQ(m.SplitString(L"a||b||", L"||", parts), 3);
    EXPECT_EQ(parts.Get<std::shared_ptr<kv::VariantArray>>()->Item({1}).ToString(), L"b");
    EXPECT_EQ(m.WrapText(L"eins zwei drei", 9), L"eins zwei\r\ndrei");
    EXPECT_EQ(m.WrapText(L"abcdefghij", 4), L"abcd\r\nefgh\r\nij");
    EXPECT_EQ(m.GetRelativePath(L"C:\\a\\b\\", L"C:\\a\\c\\d.txt"), L"..\\c\\d.txt");
    EXPECT_EQ(m.GetRelativePath(L"C:\\a", L"D:\\a\\x"), L"D:\\a\\x");
}

TEST(clsMainNumbers, RoundHalvesAwayFromZero) {
    clsMain m;
    EXPECT_DOUBLE_EQ(m.Round(2.5, 1), 3);
    EXPECT_DOUBLE_EQ(m.Round(-2.5, 1), -3);
    EXPECT_DOUBLE_EQ(m.Round(1.234, 0.01), 1.23);
    EXPECT_DOUBLE_EQ(m.Round(2.675, 0.01), 2.68);  // 267.4999... reads as 267.5
    EXPECT_DOUBLE_EQ(m.Round(17, 5), 15);
    EXPECT_DOUBLE_EQ(m.Round(2000244862.401498, 0.001), 2000244862.401);   // no half where there is none
}

TEST(clsMainNumbers, IsNumberChecksCharactersAndRange) {
    clsMain m;
    EXPECT_TRUE(m.IsNumber(12L, kv::conNF_NumberInteger, 20.0, 10.0));  // swapped bounds
    EXPECT_FALSE(m.IsNumber(L"25", kv::conNF_NumberInteger, 20L, 10L));
    EXPECT_TRUE(m.IsNumber(L"10", kv::conNF_NumberInteger, 10L, 20L));  // bounds included
    EXPECT_TRUE(m.IsNumber(L"99", kv::conNF_NumberInteger, kv::Null{}, 20L));
    EXPECT_FALSE(m.IsNumber(kv::Null{}));
    EXPECT_FALSE(m.IsNumber(L""));
    EXPECT_FALSE(m.IsNumber(L"1e5"));
    EXPECT_TRUE(m.IsNumber(L"-3"));
    EXPECT_FALSE(m.IsNumber(L"1-2", kv::conNF_NumberInteger, 0L, 100L));

    kvtest::LocaleOverride comma({{LOCALE_SDECIMAL, L","}, {LOCALE_STHOUSAND, L"."}});
    ASSERT_TRUE(comma.ok());
    EXPECT_FALSE(m.IsNumber(L"1,5"));
    EXPECT_TRUE(m.IsNumber(L"1,5", kv::conNF_NumberFloatingPoint));
    EXPECT_FALSE(m.IsNumber(L"1.5", kv::conNF_NumberFloatingPoint));
    EXPECT_FALSE(m.IsNumber(L"2,5", kv::conNF_NumberFloatingPoint, 1L, 2L));
}

TEST(clsMainNumbers, LocaleNumberTexts) {
    clsMain m;
    kvtest::LocaleOverride german({{LOCALE_SDECIMAL, L","}, {LOCALE_STHOUSAND, L"."}, {LOCALE_SGROUPING, L"3;0"}});
    ASSERT_TRUE(german.ok());
    EXPECT_EQ(m.ConvertNumberFromExponential(-1.5e-5), L"-0,000015");
    EXPECT_EQ(m.FN(1234567.891, 2), L"1.234.567,89");
    EXPECT_EQ(m.FN(1E+20, 9), L"100.000.000.000.000.000.000,000000000");
    // The number's own decimals, as many as the platform's formatter takes (nine).
    const struct { double number; const wchar_t* text; } own[] = {
        {-1234.5, L"-1.234,5"}, {0.1 + 0.2, L"0,3"}, {1.0000000004, L"1"}, {5E-324, L"0"}, {-1E-20, L"0"},
    };
    for (const auto& c : own) EXPECT_EQ(m.FN(c.number), c.text) << c.number;
    EXPECT_DOUBLE_EQ(m.UnFN(L"1.234.567,89"), 1234567.89);
    EXPECT_EQ(m.FirstNonNumChar(L"-12,5x", kv::conDTFNCT_WithAll), L"x");
}

// Arguments beyond what the platform's formatter, a double or a string can take raise an
// error of the class (never a crash, never a wrong value).
TEST(clsMainNumbers, ArgumentsOutOfRangeRaiseErrors) {
    clsMain m;
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    long w = 2, h = 1;
    const struct { const char* call; std::function<void()> run; long number; } cases[] = {
        {"FN(1E+308, 2)", [&] { m.FN(1E+308, 2); }, 6},
        {"FN(1E+300, 0)", [&] { m.FN(1E+300, 0); }, 6},
        {"FN(-1E+300)", [&] { m.FN(-1E+300); }, 6},
        {"FN(NaN)", [&] { m.FN(nan); }, 6},
        {"FN(1, 10)", [&] { m.FN(1, 10); }, 5},
        {"FN(1, 1000)", [&] { m.FN(1, 1000); }, 5},
        {"FN(1, 100000)", [&] { m.FN(1, 100000); }, 5},
        {"FN(1, 2147483647)", [&] { m.FN(1, 2147483647); }, 5},
        {"FN(1, -2)", [&] { m.FN(1, -2); }, 5},
        {"Round(1E308, 1E-308)", [&] { m.Round(1E308, 1E-308); }, 6},
        {"Round(1.7E308, 1E308)", [&] { m.Round(1.7E308, 1E308); }, 6},
        {"Round(INF, 1)", [&] { m.Round(inf, 1); }, 6},
        {"Round(1, NaN)", [&] { m.Round(1, nan); }, 6},
        {"ConvertNumberFromExponential(-INF)", [&] { m.ConvertNumberFromExponential(-inf); }, 6},
        {"FillString to 2147483647", [&] { m.FillString(L"", L"0", 2147483647); }, 14},
        {"TransformSize beyond a Long", [&] { m.TransformSize(w, h, 2, -2147483647 - 1, true); }, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        const kv::KVError e = Raised(c.run);
        EXPECT_EQ(e.Number, c.number);
        EXPECT_NE(e.Description.find(L" @@@ clsMain_"), std::wstring::npos) << "not forwarded: " << e.Number;
    }
    EXPECT_EQ(Raised([&] { m.FN(1, 10); }).Description,
              L"Anzahl der Nachkommastellen \"10\" ungültig (erlaubt sind 0 bis 9 oder -1). @@@ clsMain_FN @@@ KVCore");
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(2L, 1L));
}

TEST(clsMainNumbers, TransformSizeKeepsTheAspectRatio) {
    const struct { long w, h, max; bool neverZoom; long ew, eh; } cases[] = {
        {400, 200, 100, true, 100, 50}, {100, 400, 200, true, 50, 200},
        {50, 25, 100, true, 50, 25},    {50, 25, 100, false, 100, 50},  // zoomed up only when allowed
    };
    clsMain m;
    for (const auto& c : cases) {
        long w = c.w, h = c.h;
        m.TransformSize(w, h, c.max, c.max, c.neverZoom);
        EXPECT_EQ(std::make_pair(w, h), std::make_pair(c.ew, c.eh)) << c.w << "x" << c.h << " " << c.neverZoom;
    }
}

TEST(clsMainDates, IsValidDateUsesShortDateAndTwoDigitYearRules) {
    const struct { const wchar_t* text; long type; bool valid; } cases[] = {
        {L"1.2.29", kv::conDTCT_Date, true},         {L"1.2.30", kv::conDTCT_Date, true},  // 2029, 1930
        {L"29.2.2023", kv::conDTCT_Date, false},     {L"31.04.2024", kv::conDTCT_Date, false},
        {L"25:30", kv::conDTCT_Time, false},         {L" 1.2.2024  12:30 ", kv::conDTCT_DateAndTime, true},
        {L"1.2.2024", kv::conDTCT_DateAndTime, false}, {L"12:30", kv::conDTCT_DateOrTime, true},
        {L"1.2.2024 12:30", kv::conDTCT_Date, false}, {L"", kv::conDTCT_DateOrTime, false},
    };
    clsMain m;
    kvtest::LocaleOverride german({{LOCALE_SSHORTDATE, L"dd.MM.yyyy"}, {LOCALE_SDATE, L"."}, {LOCALE_STIME, L":"}});
    ASSERT_TRUE(german.ok());
    for (const auto& c : cases) EXPECT_EQ(m.IsValidDate(c.text, c.type), c.valid) << c.type;
}

namespace {
std::vector<std::wstring> Texts(const Variant& array) {
    std::vector<std::wstring> t;
    for (const auto& v : array.Get<std::shared_ptr<kv::VariantArray>>()->items) t.push_back(v.ToString());
    return t;
}
}  // namespace

TEST(clsMainSort, UmlautsSortAsTheirSpelledOutFormAndBoundsStay) {
    clsMain m;
    auto names = kv::VariantArray::Make(VT_VARIANT, {0}, {5});
    names->items = {L"Müller", L"Maier", L"Mueller", L"muff", L"Mahler"};
    Variant sorted(names);
    m.Sort(sorted);
    auto t = Texts(sorted);
    EXPECT_EQ(std::vector<std::wstring>(t.begin(), t.begin() + 2), (std::vector<std::wstring>{L"Mahler", L"Maier"}));
    EXPECT_EQ(t[4], L"muff");  // Müller and Mueller share a key between them

    auto numbers = kv::VariantArray::Make(VT_VARIANT, {-3}, {6});
    numbers->items = {3L, -1.5, 10L, 2L, 2L, 7L};
    Variant descending(numbers);
    m.Sort(descending, kv::conSO_Descending);
    EXPECT_EQ(Texts(descending), (std::vector<std::wstring>{L"10", L"7", L"3", L"2", L"2", L"-1.5"}));
    EXPECT_EQ(numbers->LBound(), -3);

    auto high = kv::VariantArray::Make(VT_VARIANT, {2147483640}, {3});  // bounds near the Long's end
    high->items = {3L, 1L, 2L};
    m.Sort(*high);
    EXPECT_EQ(Texts(Variant(high)), (std::vector<std::wstring>{L"1", L"2", L"3"}));
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
