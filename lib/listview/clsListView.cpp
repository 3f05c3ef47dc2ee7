// clsListView: rows, cells, columns, selection and check marks.
#include "clsListView.h"

#include <algorithm>

#include "LastError.h"
#include "ListRecord.h"
#include "ListViewControl.h"
#include "ListViewFormat.h"
#include "ListViewMain.h"
#include "ListViewSort.h"
#include "WindowBase.h"
#include "clsMainInternal.h"
#include "frmListview.h"

namespace kv {

using namespace listview;

namespace {

constexpr const wchar_t* M = clsListView::conModule;

long ColumnOrFirst(long column) { return column == 0 ? 1 : column; }

void SetCellText(HWND list, long row, long column, std::wstring text) {
    LVITEMW item{};
    item.iSubItem = column - 1;
    item.pszText = text.data();
    RaiseLastErrorIf(!SendMessageW(list, LVM_SETITEMTEXTW, row - 1, reinterpret_cast<LPARAM>(&item)));
}

// Sets or clears a state bit of every row (rows that are ghosted left out when asked).
void SetAllStates(HWND list, UINT mask, UINT state, bool skipGhosted) {
    const long count = RowCount(list);
    for (long i = 0; i < count; ++i) {
        if (skipGhosted && (SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_CUT) & LVIS_CUT)) continue;
        LVITEMW item{};
        item.stateMask = mask;
        item.state = state;
        SendMessageW(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
    }
}

long FindState(HWND list, UINT mask, UINT state, bool last) {
    long found = 0;
    const long count = RowCount(list);
    for (long i = 0; i < count; ++i) {
        if ((static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, i, mask)) & mask) != state) continue;
        found = i + 1;
        if (!last) break;
    }
    return found;
}

constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);

}  // namespace

clsListView::clsListView() = default;
clsListView::~clsListView() = default;

listview::frmListview& clsListView::Form() {
    if (!form_) form_ = std::make_unique<frmListview>();
    return *form_;
}

long clsListView::LVGetIndexFromPosition(HWND list, long lngPosition) {
    return Forwarded(M, L"LVGetIndexFromPosition", [&]() -> long {
        const std::vector<int> order = ColumnOrder(list);
        if (lngPosition < 1 || lngPosition > static_cast<long>(order.size())) return 0;
        return order[lngPosition - 1] + 1;
    });
}

bool clsListView::LVDeleteItem(HWND list, long lngItem, const Variant& vntKey, long lngRow) {
    return Forwarded(M, L"LVDeleteItem", [&] {
        const long row = ResolveRow(list, lngItem, vntKey.ToString(), lngRow);
        if (row < 1 || row > RowCount(list)) return false;
        ListRecord::Of(list).DropKey(row);
        return SendMessageW(list, LVM_DELETEITEM, row - 1, 0) != 0;
    });
}

long clsListView::LVGetImage(HWND list, long lngItem, const std::wstring& strKey, long lngRow) {
    return Forwarded(M, L"LVGetImage", [&]() -> long {
        const long row = ResolveRow(list, lngItem, strKey, lngRow);
        CheckBounds(list, row, 1);
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row - 1;
        RaiseLastErrorIf(!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        return item.iImage;
    });
}

void clsListView::LVSetImage(HWND list, long lngImage, long lngItem, const std::wstring& strKey, long lngRow) {
    Forwarded(M, L"LVSetImage", [&] {
        const long row = ResolveRow(list, lngItem, strKey, lngRow);
        CheckBounds(list, row, 1);
        // The first column's text carries a blank before it exactly while the row shows an icon.
        std::wstring text = CellText(list, row - 1, 0);
        const bool had = HasIcon(list, row), has = lngImage >= 0;
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row - 1;
        item.iImage = has ? lngImage : I_IMAGENONE;
        RaiseLastErrorIf(!SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (had && !has && !text.empty() && text[0] == L' ') SetCellText(list, row, 1, text.substr(1));
        if (!had && has) SetCellText(list, row, 1, L" " + text);
    });
}

Variant clsListView::LVGetValue(HWND list, long lngItem, const std::wstring& strKey, long lngRow, long lngColumn,
                                bool blnFormated) {
    return Forwarded(M, L"LVGetValue", [&] {
        const long row = ResolveRow(list, lngItem, strKey, lngRow), column = ColumnOrFirst(lngColumn);
        CheckBounds(list, row, column);
        std::wstring text = CellText(list, row - 1, column - 1);
        if (column == 1 && HasIcon(list, row) && !text.empty() && text[0] == L' ') text.erase(0, 1);
        return ParseValue(ListRecord::Of(list).Column(column - 1).format, text, blnFormated);
    });
}

void clsListView::LVSetValue(HWND list, const Variant& vntValue, long lngItem, const std::wstring& strKey,
                             long lngRow, long lngColumn) {
    Forwarded(M, L"LVSetValue", [&] {
        const long row = ResolveRow(list, lngItem, strKey, lngRow), column = ColumnOrFirst(lngColumn);
        CheckBounds(list, row, column);
        std::wstring text = FormatValue(ListRecord::Of(list).Column(column - 1).format, vntValue);
        if (column == 1 && HasIcon(list, row)) text.insert(0, 1, L' ');
        SetCellText(list, row, column, std::move(text));
    });
}

void clsListView::LVAddColumn(HWND list, const std::wstring& strTitle, long lngAlignment, long lngFormat,
                              long lngWidth, bool blnNoAPISort) {
    Forwarded(M, L"LVAddColumn", [&] {
        ListRecord& record = ListRecord::Of(list);
        const long index = ColumnCount(list);
        std::wstring title = strTitle;
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.pszText = title.data();
        column.fmt = lngAlignment == conLVA_Right ? LVCFMT_RIGHT : (lngAlignment == conLVA_Center ? LVCFMT_CENTER : LVCFMT_LEFT);
        column.cx = lngWidth == -1 ? TwipsToPixelsX(1440) : TwipsToPixelsX(lngWidth);
        RaiseLastErrorIf(SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)) < 0);
        if (record.columns.size() < static_cast<size_t>(index + 1)) record.columns.resize(index + 1);
        record.columns[index] = ColumnSetting{lngFormat, blnNoAPISort};
    });
}

long clsListView::LVAddValue(HWND list, long& lngItem, long lngIndex, const Variant& vntValue, const Variant& vntKey,
                             long lngInsPos, std::optional<long> lngIcon, bool) {
    return Forwarded(M, L"LVAddValue", [&]() -> long {
        ListRecord& record = ListRecord::Of(list);
        const long column = ColumnOrFirst(lngIndex);
        std::wstring text = vntValue.IsEmpty() ? L"" : FormatValue(record.Column(column - 1).format, vntValue);
        if (column != 1) {
            const long row = ResolveRow(list, lngItem, vntKey.ToString(), -1);
            CheckBounds(list, row, column);
            SetCellText(list, row, column, std::move(text));
            return lngItem = row;
        }
        const long count = RowCount(list);
        if (lngInsPos < 0 || lngInsPos > count + 1) RaiseIndexOutOfBounds();
        const std::wstring key = vntKey.IsEmpty() || vntKey.IsNull() ? L"" : vntKey.ToString();
        if (!key.empty() && record.RowOfKey(key)) RaiseKeyNotUnique();
        if (lngIcon) text.insert(0, 1, L' ');
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = lngInsPos == 0 ? count : lngInsPos - 1;
        item.pszText = text.data();
        item.iImage = lngIcon ? *lngIcon : I_IMAGENONE;
        item.lParam = record.NewItemValue();
        const LRESULT at = SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        RaiseLastErrorIf(at < 0);
        if (!key.empty()) record.SetKey(item.lParam, key);
        return lngItem = static_cast<long>(at) + 1;
    });
}

void clsListView::LVMoveColumn(HWND list, const Variant& lngColumn, long lngStep, long lngDirection) {
    Forwarded(M, L"LVMoveColumn", [&] {
        const long column = lngColumn.IsString() ? LVGetIndexFromTitle(list, lngColumn.ToString()) : lngColumn.ToLong();
        const long count = ColumnCount(list);
        if (column == 0) return;
        if (column < 0 || column > count) RaiseIndexOutOfBounds();
        std::vector<int> order = ColumnOrder(list);
        const long from = static_cast<long>(std::find(order.begin(), order.end(), column - 1) - order.begin());
        const long step = lngStep == 0 ? 1 : lngStep;
        const long to = std::clamp(lngDirection == conLVMC_Right ? from + step : from - step, 0L, count - 1);
        order.erase(order.begin() + from);
        order.insert(order.begin() + to, column - 1);
        SetColumnOrder(list, order);
    });
}

long clsListView::LVGetIndexFromTitle(HWND list, const std::wstring& strTitle) {
    return Forwarded(M, L"LVGetIndexFromTitle", [&]() -> long {
        const std::wstring wanted = detail::UpperCase(strTitle);
        const long count = ColumnCount(list);
        for (long i = 0; i < count; ++i)
            if (detail::UpperCase(ColumnTitle(list, i)) == wanted) return i + 1;
        return 0;
    });
}

bool clsListView::LVExistItem(HWND list, const Variant& vntKey, bool blnNotExtended) {
    return Forwarded(M, L"LVExistItem", [&] {
        if (vntKey.IsNumeric()) {
            const long row = vntKey.ToLong();
            return row >= 1 && row <= RowCount(list);
        }
        std::wstring key = vntKey.ToString();
        if (blnNotExtended) {
            if (key.size() < 2 || key[0] != L'K') return false;
            key.erase(0, 1);
        }
        return !key.empty() && ListRecord::Of(list).RowOfKey(key) != 0;
    });
}

bool clsListView::LVExistImage(HIMAGELIST images, const Variant& vntKey) {
    return Forwarded(M, L"LVExistImage", [&] {
        if (!images || !vntKey.IsNumeric()) return false;
        const long index = vntKey.ToLong();
        return index >= 0 && index < ImageList_GetImageCount(images);
    });
}

void clsListView::LVBuildSortMenu(HWND list, HMENU menu) {
    Forwarded(M, L"LVBuildSortMenu", [&] {
        const long count = ColumnCount(list);
        for (long i = 0; i < count; ++i) {
            const std::wstring title = ColumnTitle(list, i);
            if (!title.empty()) RaiseLastErrorIf(!AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(i + 1), title.c_str()));
        }
    });
}

long clsListView::LVFirstSelectedItem(HWND list) {
    return Forwarded(M, L"LVFirstSelectedItem", [&] { return FindState(list, LVIS_SELECTED, LVIS_SELECTED, false); });
}

long clsListView::LVLastSelectedItem(HWND list) {
    return Forwarded(M, L"LVLastSelectedItem", [&] { return FindState(list, LVIS_SELECTED, LVIS_SELECTED, true); });
}

long clsListView::LVFirstCheckedItem(HWND list) {
    return Forwarded(M, L"LVFirstCheckedItem", [&] { return FindState(list, LVIS_STATEIMAGEMASK, kChecked, false); });
}

void clsListView::LVSelectAllItems(HWND list, bool blnNoGhosted) {
    Forwarded(M, L"LVSelectAllItems", [&] { SetAllStates(list, LVIS_SELECTED, LVIS_SELECTED, blnNoGhosted); });
}

void clsListView::LVCheckAllItems(HWND list, bool blnNoGhosted) {
    Forwarded(M, L"LVCheckAllItems", [&] { SetAllStates(list, LVIS_STATEIMAGEMASK, kChecked, blnNoGhosted); });
}

void clsListView::LVUnselectAllItems(HWND list) {
    Forwarded(M, L"LVUnselectAllItems", [&] { SetAllStates(list, LVIS_SELECTED, 0, false); });
}

void clsListView::LVUncheckAllItems(HWND list) {
    Forwarded(M, L"LVUncheckAllItems", [&] { SetAllStates(list, LVIS_STATEIMAGEMASK, kUnchecked, false); });
}

void clsListView::LVEnable(HWND list, bool blnEnable) {
    Forwarded(M, L"LVEnable", [&] {
        EnableWindow(list, blnEnable);
        const COLORREF colour = GetSysColor(blnEnable ? COLOR_WINDOW : COLOR_BTNFACE);
        SendMessageW(list, LVM_SETBKCOLOR, 0, colour);
        SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, colour);
        InvalidateRect(list, nullptr, TRUE);
    });
}

void clsListView::LVMoveItem(HWND list, long lngIndex, long lngDirection, long lngStep, long lngNoOfItems,
                             bool blnSelect) {
    Forwarded(M, L"LVMoveItem", [&] {
        const long count = RowCount(list), columns = ColumnCount(list);
        const long n = lngNoOfItems == 0 ? 1 : lngNoOfItems, step = lngStep == 0 ? 1 : lngStep;
        if (lngIndex < 1 || n < 1 || lngIndex + n - 1 > count) RaiseIndexOutOfBounds();
        const bool down = lngDirection == conLVMI_Down;
        const long target = down ? std::min(count - n + 1, lngIndex + step) : std::max(1L, lngIndex - step);
        for (long k = 0; k < n; ++k) {
            const long offset = down ? n - 1 - k : k;
            const long from = lngIndex + offset, to = target + offset;
            // The row as it is (texts, icon, item value and so its key, check mark), then again
            // at its new place.
            std::vector<std::wstring> texts;
            for (long c = 0; c < std::max(columns, 1L); ++c) texts.push_back(CellText(list, from - 1, c));
            LVITEMW item{};
            item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
            item.iItem = from - 1;
            item.stateMask = LVIS_STATEIMAGEMASK | LVIS_CUT;
            RaiseLastErrorIf(!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            RaiseLastErrorIf(!SendMessageW(list, LVM_DELETEITEM, from - 1, 0));
            item.mask |= LVIF_TEXT;
            item.iItem = to - 1;
            item.pszText = texts[0].data();
            if (blnSelect) {
                item.stateMask |= LVIS_SELECTED;
                item.state |= LVIS_SELECTED;
            }
            RaiseLastErrorIf(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) < 0);
            for (long c = 1; c < columns; ++c) SetCellText(list, to, c + 1, texts[c]);
        }
    });
}

}  // namespace kv
