#pragma once
// What a list-view control lacks and the library keeps for it, in one record per window: the
// column settings, the row keys, the sorted state and the sort-mark images. The record hangs
// on the window as a property and stands in front of its procedure, so it ends with the
// window (WM_NCDESTROY); nothing is kept per list anywhere else.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "Owned.h"
#include "WindowBase.h"

namespace kv::listview {

struct ColumnSetting {
    long format = 0;         // enuLVFormat
    bool noApiSort = false;  // sorted as text whatever the format
};

class ListRecord final : public WindowSubclass {
public:
    // The record of a list view of this process, made on first use. A window of another
    // process (whose memory this code cannot reach) or no window raises.
    static ListRecord& Of(HWND list);
    // The record when the window has one; nullptr otherwise.
    static ListRecord* Find(HWND list) noexcept;

    // Settings of the columns the library added, by zero-based column index; others count
    // as text columns.
    std::vector<ColumnSetting> columns;
    ColumnSetting Column(long zeroBased) const;

    // The sorted state a saved view records: sorted (the list's "sorted" tag), its column
    // (zero-based) and order (0 ascending, 1 descending).
    bool sorted = false;
    long sortKey = 0;
    long sortOrder = 0;

    // The two sort marks for the header (image 0 ascending, 1 descending), made on first use
    // and kept as long as the header may draw them.
    HIMAGELIST SortMarks();

    // ---- Rows ----
    // Rows are told apart by their item value (lParam), which the library hands out unique.
    LPARAM NewItemValue() noexcept { return nextItemValue_++; }
    // Gives every row without a value of the library's, or with one another row has too, a
    // new one, so a sort can tell the rows apart.
    void MakeItemValuesUnique();
    // The 1-based index of the row with that item value; 0 when none.
    long RowOfItemValue(LPARAM value) const;
    // The row keys: "K" + the upper-cased key, by item value.
    void SetKey(LPARAM itemValue, const std::wstring& key);
    // The 1-based row of the key; 0 when no row has it.
    long RowOfKey(const std::wstring& key);
    std::wstring KeyOfRow(long row) const;
    void DropKey(long row);

private:
    explicit ListRecord(HWND list);
    void OnFinalMessage() override;
    static std::wstring ControlKey(const std::wstring& key);

    HWND list_;
    std::map<LPARAM, std::wstring> keys_;
    LPARAM nextItemValue_ = 1;
    OwnedImageList sortMarks_;
};

}  // namespace kv::listview
