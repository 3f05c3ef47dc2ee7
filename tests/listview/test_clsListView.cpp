// clsListView on a real list view of comctl32 version 6, on a visible window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ListRecord.h"
#include "ListViewWindow.h"
#include "LocaleOverride.h"
#include "clsListView.h"
#include "frmListview.h"

namespace kv {
namespace {

using test::ListViewWindow;

constexpr const wchar_t* kApplication = L"KelvoListTest";
constexpr const wchar_t* kViewsKey = L"software\\Tormel\\KelvoListTest";

// German separators and date order, so the regional formatting shows.
const std::initializer_list<std::pair<LCTYPE, const wchar_t*>> kGerman = {
    {LOCALE_SDECIMAL, L","}, {LOCALE_STHOUSAND, L"."}, {LOCALE_SSHORTDATE, L"dd.MM.yyyy"}};

double DateOf(int year, int month, int day) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    double value = 0;
    SystemTimeToVariantTime(&t, &value);
    return value;
}

std::wstring Cell(HWND list, int row, int column) {
    wchar_t text[256] = {};
    ListView_GetItemText(list, row - 1, column - 1, text, 256);
    return text;
}

long ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const KVError& error) {
        return error.Number;
    }
    return 0;
}

// Four typed columns and five rows with keys; row "b" has an icon.
class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(locale_.ok());
        ASSERT_TRUE(window_.list);
        lv_.LVInitList(list_);
        lv_.LVAddColumn(list_, L"Name", conLVA_Left, conLVF_Text, 1800);
        lv_.LVAddColumn(list_, L"Datum", conLVA_Left, conLVF_Date, 1500);
        lv_.LVAddColumn(list_, L"Betrag", conLVA_Right, conLVF_Number_Dec2_th, 1500);
        lv_.LVAddColumn(list_, L"Anzahl", conLVA_Right, conLVF_Number_Dec0, 1200);
        struct Row {
            const wchar_t *name, *key;
            double date, amount;
            long count;
        } rows[] = {{L"delta", L"d", DateOf(2024, 3, 1), 1234.56, 7},
                    {L"Bravo", L"b", DateOf(2023, 12, 24), -5.25, 30},
                    {L"alpha", L"a", DateOf(2024, 1, 15), 99.5, 2},
                    {L"Charlie", L"c", DateOf(2022, 6, 30), 1000000, 11},
                    {L"Echo", L"e", 0, 0.01, 0}};
        for (const Row& r : rows) {
            long item = 0;
            std::optional<long> icon;
            if (std::wstring(r.key) == L"b") icon = 0;
            lv_.LVAddValue(list_, item, 1, r.name, r.key, 0, icon);
            lv_.LVAddValue(list_, item, 2, r.date ? Variant(Date{r.date}) : Variant());
            lv_.LVAddValue(list_, item, 3, r.amount);
            lv_.LVAddValue(list_, item, 4, r.count);
        }
    }

    std::vector<std::wstring> Column(int column) {
        std::vector<std::wstring> texts;
        for (int i = 1; i <= ListView_GetItemCount(list_); ++i) texts.push_back(Cell(list_, i, column));
        return texts;
    }

    kvtest::LocaleOverride locale_{kGerman};
    ListViewWindow window_;
    HWND list_ = window_.list;
    clsListView lv_;
};

TEST_F(ListViewTest, CellsShowTheRegionalFormatsAndReadBackExactly) {
    EXPECT_EQ(Column(3), (std::vector<std::wstring>{L"1.234,56", L"-5,25", L"99,50", L"1.000.000,00", L"0,01"}));
    EXPECT_EQ(Column(2)[0], L"01.03.2024");
    EXPECT_EQ(Column(2)[4], L"") << "no date, no text";
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"d", 0, 3), Variant(1234.56)) << "no decimal lost";
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"d", 0, 3, true), Variant(L"1.234,56"));
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"C", 0, 2), Variant(Date{DateOf(2022, 6, 30)}));
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"e", 0, 2), Variant(L""));

    // The icon row's first column carries the added blank, which reading removes; a real
    // leading blank of a row without icon stays.
    EXPECT_EQ(Cell(list_, 2, 1), L" Bravo");
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"b"), Variant(L"Bravo"));
    EXPECT_EQ(lv_.LVGetImage(list_, 0, L"b"), 0);
    EXPECT_EQ(lv_.LVGetImage(list_, 0, L"a"), I_IMAGENONE);
    lv_.LVSetValue(list_, L" spaced", 0, L"a");
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"a"), Variant(L" spaced"));
    lv_.LVSetValue(list_, L"Bravissimo", 0, L"b");
    EXPECT_EQ(Cell(list_, 2, 1), L" Bravissimo");
    lv_.LVSetImage(list_, I_IMAGENONE, 0, L"b");
    EXPECT_EQ(Cell(list_, 2, 1), L"Bravissimo") << "the blank goes with the icon";

    lv_.LVSetValue(list_, 3.14159, 3, L"", 0, 4);
    EXPECT_EQ(Cell(list_, 3, 4), L"3");
    EXPECT_EQ(ErrorOf([&] { lv_.LVSetValue(list_, L"kein Datum", 1, L"", 0, 2); }), 13);
}

TEST_F(ListViewTest, RowsAndColumnsOutsideTheListAreRefused) {
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
    struct Case {
        const wchar_t* what;
        long item, row, column;
        long error;
    } cases[] = {{L"nothing named, nothing selected", 0, 0, 1, 35600},
                 {L"row below 1", -1, 0, 1, 35600},
                 {L"row past the count", 6, 0, 1, 35600},
                 {L"column past the count", 0, 5, 5, 35600},
                 {L"column 0 is column 1", 0, 5, 0, 0},
                 {L"last row and column", 5, 0, 4, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ErrorOf([&] { lv_.LVGetValue(list_, c.item, L"", c.row, c.column); }), c.error);
        EXPECT_EQ(ErrorOf([&] { lv_.LVSetValue(list_, 1, c.item, L"", c.row, c.column); }), c.error);
    }
    EXPECT_EQ(ErrorOf([&] { lv_.LVSetImage(list_, 0, 0, L"nokey"); }), 35600) << "a key of no row names row 0";
    ListView_SetItemState(list_, 2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(lv_.LVGetValue(list_), Variant(L"alpha")) << "the selected row";
}

TEST_F(ListViewTest, RowKeysAreFoundWhereverTheRowMoves) {
    EXPECT_EQ(ErrorOf([&] {
                  long item = 0;
                  lv_.LVAddValue(list_, item, 1, L"again", L"A");
              }),
              35602);
    EXPECT_TRUE(lv_.LVExistItem(list_, L"c"));
    EXPECT_TRUE(lv_.LVExistItem(list_, L"KC", true));
    EXPECT_FALSE(lv_.LVExistItem(list_, L"c", true));
    EXPECT_TRUE(lv_.LVExistItem(list_, 5L));
    EXPECT_FALSE(lv_.LVExistItem(list_, 6L));

    lv_.LVSortView(list_, 1);  // rows change places; keys stay with them
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"c", 0, 4), Variant(11.0));
    lv_.LVMoveItem(list_, 1, conLVMI_Down, 3, 2, true);
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{L"Charlie", L"delta", L"Echo", L"alpha", L" Bravo"}));
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"b", 0, 3), Variant(-5.25)) << "moved rows keep key and cells";
    EXPECT_EQ(lv_.LVFirstSelectedItem(list_), 4);
    EXPECT_EQ(lv_.LVLastSelectedItem(list_), 5);

    EXPECT_TRUE(lv_.LVDeleteItem(list_, 0, L"a"));
    EXPECT_FALSE(lv_.LVExistItem(list_, L"a"));
    ListView_DeleteItem(list_, 0);  // removed by other means: its key is free again
    long item = 0;
    lv_.LVAddValue(list_, item, 1, L"Charlie 2", L"c", 1);
    EXPECT_EQ(item, 1);
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"C"), Variant(L"Charlie 2"));
}

TEST_F(ListViewTest, SortsByTypeInBothDirectionsAndToggles) {
    struct Step {
        const wchar_t* what;
        long column;
        long order;
        std::vector<std::wstring> names;
        bool descending;
    } steps[] = {
        {L"text, ignoring case", 1, conLVSO_Toggle, {L"alpha", L" Bravo", L"Charlie", L"delta", L"Echo"}, false},
        {L"toggle on the same column", 1, conLVSO_Toggle, {L"Echo", L"delta", L"Charlie", L" Bravo", L"alpha"}, true},
        {L"numbers, a new column starts ascending", 3, conLVSO_Toggle,
         {L" Bravo", L"Echo", L"alpha", L"delta", L"Charlie"}, false},
        {L"numbers descending", 3, conLVSO_Decending, {L"Charlie", L"delta", L"alpha", L"Echo", L" Bravo"}, true},
        {L"dates, the empty one first", 2, conLVSO_Ascending, {L"Echo", L"Charlie", L" Bravo", L"alpha", L"delta"}, false},
        {L"whole numbers by value, not text", 4, conLVSO_Ascending,
         {L"Echo", L"alpha", L"delta", L"Charlie", L" Bravo"}, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        lv_.LVSortView(list_, s.column, L"", s.order);
        EXPECT_EQ(Column(1), s.names);
        HDITEMW mark{};
        mark.mask = HDI_FORMAT | HDI_IMAGE;
        Header_GetItem(ListView_GetHeader(list_), s.column - 1, &mark);
        EXPECT_TRUE(mark.fmt & HDF_IMAGE);
        EXPECT_EQ(mark.iImage, s.descending ? 1 : 0);
        Header_GetItem(ListView_GetHeader(list_), s.column % 4, &mark);
        EXPECT_FALSE(mark.fmt & HDF_IMAGE) << "one mark only";
    }
    lv_.LVSortView(list_, 0, L"anzahl", conLVSO_Decending);
    EXPECT_EQ(Column(4), (std::vector<std::wstring>{L"30", L"11", L"7", L"2", L"0"})) << "by title";
}

TEST_F(ListViewTest, AColumnWithoutApiSortSortsAsText) {
    lv_.LVAddColumn(list_, L"Als Text", conLVA_Left, conLVF_Date, 1500, true);
    long item = 1;
    const double dates[] = {DateOf(2024, 1, 2), DateOf(2023, 5, 1), DateOf(2022, 1, 3), DateOf(2021, 1, 1),
                            DateOf(2020, 1, 4)};
    for (long i = 1; i <= 5; ++i) lv_.LVAddValue(list_, item = i, 5, Date{dates[i - 1]});
    lv_.LVSortView(list_, 5, L"", conLVSO_Ascending);
    EXPECT_EQ(Column(5), (std::vector<std::wstring>{L"01.01.2021", L"01.05.2023", L"02.01.2024", L"03.01.2022",
                                                     L"04.01.2020"}));
}

TEST_F(ListViewTest, TypingFindsRowsAndTheTimerEndsTheSequence) {
    const HWND form = FindWindowExW(HWND_MESSAGE, nullptr, listview::frmListview::conClassName, nullptr);
    EXPECT_EQ(form, nullptr) << "no hidden window before the first search";
    auto selected = [&] { return lv_.LVFirstSelectedItem(list_); };
    auto tick = [&] {
        HWND hidden = FindWindowExW(HWND_MESSAGE, nullptr, listview::frmListview::conClassName, nullptr);
        ASSERT_TRUE(hidden);
        SendMessageW(hidden, WM_TIMER, listview::frmListview::conTimSearch, 0);
    };
    // First character: steps through the rows beginning with it and wraps to the top.
    lv_.LVAddValue(list_, *std::make_unique<long>(), 1, L"Dora");
    lv_.LVUnselectAllItems(list_);
    lv_.LVSearch(list_, 'd');
    EXPECT_EQ(selected(), 1);
    lv_.LVSearch(list_, 'D');
    EXPECT_EQ(selected(), 6);
    lv_.LVSearch(list_, 'd');
    EXPECT_EQ(selected(), 1) << "wrapped";

    // All characters: the typed text until the timer fires.
    tick();
    lv_.LVSearch(list_, 'c', conLVSM_AllChars);
    EXPECT_EQ(selected(), 4);
    lv_.LVSearch(list_, 'h', conLVSM_AllChars);
    EXPECT_EQ(selected(), 4);
    lv_.LVSearch(list_, 'x', conLVSM_AllChars);  // "CHX": nothing, the selection stays
    EXPECT_EQ(selected(), 4);
    tick();
    lv_.LVSearch(list_, 'e', conLVSM_AllChars);
    EXPECT_EQ(selected(), 5) << "a new sequence after the tick";
    lv_.LVSearch(list_, ' ', conLVSM_AllChars);  // not accepted: the sequence ends too
    lv_.LVSearch(list_, 'b', conLVSM_AllChars);
    EXPECT_EQ(selected(), 2) << "the icon row's blank is no part of its name";
    EXPECT_EQ(ListView_GetSelectedCount(list_), 1u);
}

TEST_F(ListViewTest, AutosizeFitsAndKeepsUntitledColumnsHidden) {
    lv_.LVAddColumn(list_, L"", conLVA_Left, conLVF_Text, 900);
    lv_.LVAutosizeColumns(list_);
    EXPECT_EQ(ListView_GetColumnWidth(list_, 4), 0);
    const int name = ListView_GetColumnWidth(list_, 0);
    EXPECT_GT(name, ListView_GetStringWidth(list_, L"Charlie"));
    lv_.LVAutosizeColumns(list_, conLVTA_Items, 1);
    EXPECT_GE(ListView_GetColumnWidth(list_, 0), ListView_GetStringWidth(list_, L"Charlie"));
    lv_.LVResetView(list_, L"1000;;2000");
    EXPECT_EQ(ListView_GetColumnWidth(list_, 4), 0);
    EXPECT_EQ(ListView_GetColumnWidth(list_, 0), TwipsToPixelsX(1000));
    EXPECT_EQ(ListView_GetColumnWidth(list_, 1), TwipsToPixelsX(200));
}

TEST_F(ListViewTest, ViewsAreSavedAndRestoredInTheRegistry) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kViewsKey);
    lv_.LVMoveColumn(list_, L"Anzahl", 1, conLVMC_Left);  // Name, Datum, Anzahl, Betrag
    ListView_SetColumnWidth(list_, 0, TwipsToPixelsX(2400));
    lv_.LVSortView(list_, 3, L"", conLVSO_Decending);
    EXPECT_EQ(lv_.LVGetIndexFromPosition(list_, 3), 4);
    EXPECT_EQ(lv_.LVSaveView(list_, kApplication, L"Main"), Variant(true));

    wchar_t stored[256] = {};
    DWORD size = sizeof stored;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"software\\Tormel\\KelvoListTest\\Lists", L"lstTestMain",
                           RRF_RT_REG_SZ, nullptr, stored, &size),
              ERROR_SUCCESS);
    const std::wstring expected = L"1:" + std::to_wstring(PixelsToTwipsX(TwipsToPixelsX(2400))) + L";";
    EXPECT_EQ(std::wstring(stored).substr(0, expected.size()), expected);
    EXPECT_NE(std::wstring(stored).find(L";4:"), std::wstring::npos) << stored;
    EXPECT_EQ(std::wstring(stored).substr(std::wstring(stored).size() - 11), L"LVSO:-1;2:1");

    lv_.LVResetView(list_, L"1000;1000;1000;1000");
    EXPECT_EQ(lv_.LVGetIndexFromPosition(list_, 3), 3);
    lv_.LVSortView(list_, 1, L"", conLVSO_Ascending);
    lv_.LVSetSavedView(list_, kApplication, L"1000", L"Main");
    EXPECT_EQ(lv_.LVGetIndexFromPosition(list_, 3), 4);
    EXPECT_EQ(ListView_GetColumnWidth(list_, 0), TwipsToPixelsX(2400));
    EXPECT_EQ(Column(3), (std::vector<std::wstring>{L"1.000.000,00", L"1.234,56", L"99,50", L"0,01", L"-5,25"}))
        << "sorted again as saved";

    // A view with fewer items than columns: the rest take their defaults (200 when none).
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"software\\Tormel\\KelvoListTest\\Lists", 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    const wchar_t shortView[] = L"1:1500;2:x;LVSO:0;0:0";
    RegSetValueExW(key, L"lstTestMain", 0, REG_SZ, reinterpret_cast<const BYTE*>(shortView), sizeof shortView);
    RegCloseKey(key);
    lv_.LVSetSavedView(list_, kApplication, L"1;2;3000", L"Main");
    EXPECT_EQ(ListView_GetColumnWidth(list_, 0), TwipsToPixelsX(1500));
    EXPECT_EQ(ListView_GetColumnWidth(list_, 1), TwipsToPixelsX(2));
    EXPECT_EQ(ListView_GetColumnWidth(list_, 2), TwipsToPixelsX(3000));
    EXPECT_EQ(ListView_GetColumnWidth(list_, 3), TwipsToPixelsX(200));
    RegDeleteTreeW(HKEY_CURRENT_USER, kViewsKey);
}

// The side store: each list has its own record, which ends with its window.
TEST_F(ListViewTest, EachListKeepsItsOwnStateUntilItsWindowEnds) {
    ListViewWindow other(L"lstOther", 80, 380);
    lv_.LVAddColumn(other.list, L"Betrag", conLVA_Left, conLVF_Text);
    long item = 0;
    lv_.LVAddValue(other.list, item, 1, 1234.5, L"a");
    EXPECT_EQ(Cell(other.list, 1, 1), L"1234,5") << "a text column there";
    EXPECT_EQ(lv_.LVGetValue(other.list, 0, L"a"), Variant(L"1234,5"));
    EXPECT_EQ(lv_.LVGetValue(list_, 0, L"a"), Variant(L"alpha")) << "same key, other list";
    lv_.LVSortView(list_, 3);
    EXPECT_EQ(lv_.LVSaveView(other.list, kApplication), Variant(true));
    wchar_t stored[64] = {};
    DWORD size = sizeof stored;
    RegGetValueW(HKEY_CURRENT_USER, L"software\\Tormel\\KelvoListTest\\Lists", L"lstOther", RRF_RT_REG_SZ, nullptr,
                 stored, &size);
    EXPECT_NE(std::wstring(stored).find(L"LVSO:0;"), std::wstring::npos) << "not sorted there: " << stored;
    RegDeleteTreeW(HKEY_CURRENT_USER, kViewsKey);

    // Standing in front of the record, this subclass sees the window's last message after
    // the record has had it.
    static bool goneAtEnd = false;
    goneAtEnd = false;
    ASSERT_NE(listview::ListRecord::Find(other.list), nullptr);
    SetWindowSubclass(
        other.list,
        [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) -> LRESULT {
            const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
            if (msg == WM_NCDESTROY) goneAtEnd = listview::ListRecord::Find(hwnd) == nullptr;
            return result;
        },
        1, 0);
    DestroyWindow(other.frame);
    EXPECT_TRUE(goneAtEnd);
    EXPECT_NE(listview::ListRecord::Find(list_), nullptr);
}

TEST_F(ListViewTest, SelectionAndCheckHelpers) {
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    ListView_SetItemState(list_, 1, LVIS_CUT, LVIS_CUT);  // ghosted
    lv_.LVCheckAllItems(list_, true);
    EXPECT_FALSE(ListView_GetCheckState(list_, 1));
    EXPECT_TRUE(ListView_GetCheckState(list_, 4));
    EXPECT_EQ(lv_.LVFirstCheckedItem(list_), 1);
    lv_.LVUncheckAllItems(list_);
    EXPECT_EQ(lv_.LVFirstCheckedItem(list_), 0);
    lv_.LVSelectAllItems(list_, true);
    EXPECT_EQ(ListView_GetSelectedCount(list_), 4u);
    EXPECT_EQ(lv_.LVFirstSelectedItem(list_), 1);
    lv_.LVUnselectAllItems(list_);
    EXPECT_EQ(lv_.LVFirstSelectedItem(list_), 0);

    long x = 0, y = 0;
    EXPECT_EQ(lv_.LVCalcMenuPosition(list_, x, y), 0);
    EXPECT_EQ(y, PixelsToTwipsY(10) + 305) << "below the list's top when nothing is selected";
    ListView_SetItemState(list_, 2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(lv_.LVCalcMenuPosition(list_, x, y), 3);
    RECT row{};
    ListView_GetItemRect(list_, 2, &row, LVIR_BOUNDS);
    EXPECT_EQ(y, PixelsToTwipsY(row.top) + 2 * PixelsToTwipsY(row.bottom - row.top) + 150);

    x = PixelsToTwipsX(row.left + ListView_GetColumnWidth(list_, 0) + 5);
    y = PixelsToTwipsY(row.top + 2);
    lv_.LVGetClickedRowColumn(list_, x, y);
    EXPECT_EQ(y, 3);
    EXPECT_EQ(x, 2);

    HMENU menu = CreatePopupMenu();
    lv_.LVBuildSortMenu(list_, menu);
    EXPECT_EQ(GetMenuItemCount(menu), 4);
    DestroyMenu(menu);
}

}  // namespace
}  // namespace kv
