#include "ListViewSort.h"

#include <commctrl.h>

#include <unordered_map>
#include <vector>

#include "LastError.h"
#include "ListRecord.h"
#include "ListViewFormat.h"
#include "ListViewMain.h"

namespace kv::listview {

namespace {

struct SortKeys {
    bool byValue = false;
    bool descending = false;
    std::unordered_map<LPARAM, double> numbers;
    std::unordered_map<LPARAM, std::wstring> texts;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
    const auto& keys = *reinterpret_cast<const SortKeys*>(context);
    int order = 0;
    if (keys.byValue) {
        const double a = keys.numbers.at(first), b = keys.numbers.at(second);
        order = a < b ? -1 : (a > b ? 1 : 0);
    } else {
        const std::wstring &a = keys.texts.at(first), &b = keys.texts.at(second);
        order = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                               static_cast<int>(b.size())) - CSTR_EQUAL;
    }
    return keys.descending ? -order : order;
}

}  // namespace

std::wstring CellText(HWND list, long zeroBasedRow, long zeroBasedColumn, int capacity) {
    std::wstring text(static_cast<size_t>(capacity), L'\0');
    LVITEMW item{};
    item.iSubItem = zeroBasedColumn;
    item.pszText = text.data();
    item.cchTextMax = capacity;
    const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, zeroBasedRow, reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<size_t>(length));
    return text;
}

void SortRows(HWND list, ListRecord& record, long zeroBasedColumn, long format, bool byValue, bool descending) {
    record.MakeItemValuesUnique();
    SortKeys keys;
    keys.byValue = byValue;
    keys.descending = descending;
    const long count = static_cast<long>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (long i = 0; i < count; ++i) {
        LVITEMW item{};
        item.mask = LVIF_PARAM | LVIF_IMAGE;
        item.iItem = i;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        std::wstring text = CellText(list, i, zeroBasedColumn);
        // The blank before the name of a row with an icon is the library's, not the name's.
        if (zeroBasedColumn == 0 && item.iImage >= 0 && !text.empty() && text[0] == L' ') text.erase(0, 1);
        if (byValue)
            keys.numbers[item.lParam] = SortNumber(format, text);
        else
            keys.texts[item.lParam] = std::move(text);
    }
    RaiseLastErrorIf(!SendMessageW(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&keys),
                                   reinterpret_cast<LPARAM>(&CompareRows)));
}

}  // namespace kv::listview
