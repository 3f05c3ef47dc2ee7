#pragma once
// The messages of the list-view control the members share: counts, the row-naming rule,
// the bounds check, the display order of the columns and the header's sort marks.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace kv::listview {

class ListRecord;

long RowCount(HWND list);
long ColumnCount(HWND list);
HWND Header(HWND list);

// The 1-based row named by item, else by key, else by row, else the first selected one;
// 0 when the key names no row or nothing is selected.
long ResolveRow(HWND list, long item, const std::wstring& key, long row);
// Raises 35600 unless 1 <= row <= the row count and 1 <= column <= the column count.
void CheckBounds(HWND list, long row, long column);

// Whether the row (1-based) shows an icon, so its first-column text has the added blank.
bool HasIcon(HWND list, long row);
// Column indexes (0-based) in display order.
std::vector<int> ColumnOrder(HWND list);
void SetColumnOrder(HWND list, const std::vector<int>& order);
std::wstring ColumnTitle(HWND list, long zeroBased);
// Clears every column's sort mark (re-setting the titles so the header redraws); with
// column > 0 gives that 1-based column the mark of the order.
void SetSortMark(HWND list, ListRecord& record, long column, bool descending);

}  // namespace kv::listview
