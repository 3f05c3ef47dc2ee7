#include "ListViewControl.h"

#include "LastError.h"
#include "ListRecord.h"
#include "ListViewMain.h"

namespace kv::listview {

long RowCount(HWND list) { return static_cast<long>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

HWND Header(HWND list) { return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)); }

long ColumnCount(HWND list) {
    HWND header = Header(list);
    return header ? static_cast<long>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

long ResolveRow(HWND list, long item, const std::wstring& key, long row) {
    if (item != 0) return item;
    if (!key.empty()) return ListRecord::Of(list).RowOfKey(key);
    if (row != 0) return row;
    return static_cast<long>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) + 1;
}

void CheckBounds(HWND list, long row, long column) {
    if (row < 1 || row > RowCount(list) || column < 1 || column > ColumnCount(list)) RaiseIndexOutOfBounds();
}

bool HasIcon(HWND list, long row) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row - 1;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage >= 0;
}

std::vector<int> ColumnOrder(HWND list) {
    std::vector<int> order(static_cast<size_t>(ColumnCount(list)));
    if (!order.empty())
        RaiseLastErrorIf(!SendMessageW(list, LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data())));
    return order;
}

void SetColumnOrder(HWND list, const std::vector<int>& order) {
    if (order.empty()) return;
    RaiseLastErrorIf(!SendMessageW(list, LVM_SETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data())));
    InvalidateRect(list, nullptr, TRUE);
}

std::wstring ColumnTitle(HWND list, long zeroBased) {
    wchar_t text[260] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 260;
    SendMessageW(list, LVM_GETCOLUMNW, zeroBased, reinterpret_cast<LPARAM>(&column));
    return text;
}

void SetSortMark(HWND list, ListRecord& record, long column, bool descending) {
    HWND header = Header(list);
    if (!header) return;
    if (column > 0) SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(record.SortMarks()));
    const long count = ColumnCount(list);
    for (long i = 0; i < count; ++i) {
        wchar_t text[260] = {};
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 260;
        SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT | HDF_SORTUP | HDF_SORTDOWN);
        if (i == column - 1) {
            item.mask |= HDI_IMAGE;
            item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
            item.iImage = descending ? 1 : 0;
        }
        SendMessageW(header, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace kv::listview
