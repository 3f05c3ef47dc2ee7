#pragma once
// Sorting the rows of a list view by one column. Each row's key (its text, or the date or
// number it shows) is read before the sort starts and the rows are told apart by their item
// values, so the comparison sends the list nothing while it sorts; the order and column
// belong to this one sort.
#include <windows.h>

#include <string>

namespace kv::listview {

class ListRecord;

// byValue: compare the dates or numbers of column format `format`; else the texts, ignoring
// case by the user's locale.
void SortRows(HWND list, ListRecord& record, long zeroBasedColumn, long format, bool byValue, bool descending);

// The text of a cell (zero-based row and column), at most capacity characters.
std::wstring CellText(HWND list, long zeroBasedRow, long zeroBasedColumn, int capacity = 65000);

}  // namespace kv::listview
