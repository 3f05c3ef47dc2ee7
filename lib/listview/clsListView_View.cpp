// clsListView: the view as a whole: styles, column widths, sorting, searching by typing,
// saving and restoring, and positions for context menus.
#include <algorithm>

#include "LastError.h"
#include "ListRecord.h"
#include "ListViewControl.h"
#include "ListViewMain.h"
#include "ListViewSort.h"
#include "RegistryEnums.h"
#include "WindowBase.h"
#include "clsListView.h"
#include "clsMainInternal.h"
#include "clsPersonalData.h"
#include "clsRegistry.h"
#include "frmListview.h"
#include "DecimalText.h"

namespace kv {

using namespace listview;

namespace {

constexpr const wchar_t* M = clsListView::conModule;
constexpr long kDefaultWidth = 200;  // twips, for a column without a usable width

bool HeadersHidden(HWND list) { return (GetWindowLongPtrW(list, GWL_STYLE) & LVS_NOCOLUMNHEADER) != 0; }

void SetColumnWidthTwips(HWND list, long zeroBased, long twips) {
    SendMessageW(list, LVM_SETCOLUMNWIDTH, zeroBased, MAKELPARAM(TwipsToPixelsX(twips), 0));
}

// Item i (0-based) of a ";"-separated list; "" beyond its end.
std::wstring ListItem(const std::wstring& list, long index) {
    size_t start = 0;
    for (long i = 0; i < index; ++i) {
        start = list.find(L';', start);
        if (start == std::wstring::npos) return L"";
        ++start;
    }
    const size_t end = list.find(L';', start);
    return list.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

// A whole number written in the text (digits with an optional sign), as the saved views hold.
bool ReadWhole(const std::wstring& text, long& value) {
    if (text.empty()) return false;
    size_t used = 0;
    try {
        value = std::stol(text, &used);
    } catch (const std::exception&) {
        return false;
    }
    return used == text.size();
}

long DefaultWidth(HWND list, const std::wstring& defaults, long zeroBased) {
    if (ColumnTitle(list, zeroBased).empty()) return 0;  // a hidden column stays hidden
    long width = 0;
    return ReadWhole(ListItem(defaults, zeroBased), width) ? width : kDefaultWidth;
}

std::wstring ViewValueName(HWND list, const std::wstring& addText) {
    wchar_t name[256] = {};
    GetWindowTextW(list, name, 256);
    return name + addText;
}

void OpenViews(clsRegistry& registry, const std::wstring& application) {
    registry.SetApplication(conReg_Aff_User, clsPersonalData().Company(), application, L"Lists");
}

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }

private:
    HCURSOR previous_;
};

}  // namespace

void clsListView::LVAutosizeColumns(HWND list, long lngAutoSizeType, long lngColumn) {
    Forwarded(M, L"LVAutosizeColumns", [&] {
        const long count = ColumnCount(list);
        if (lngColumn < 0 || lngColumn > count) RaiseIndexOutOfBounds();
        const long first = lngColumn ? lngColumn - 1 : 0, last = lngColumn ? lngColumn - 1 : count - 1;
        for (long i = first; i <= last; ++i) {
            const int fit = ColumnTitle(list, i).empty() ? 0
                            : lngAutoSizeType == conLVTA_Items ? LVSCW_AUTOSIZE
                                                               : LVSCW_AUTOSIZE_USEHEADER;
            SendMessageW(list, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(fit, 0));
        }
        if (lngAutoSizeType == conLVTA_Items && count > 0 && !ColumnTitle(list, count - 1).empty())
            SendMessageW(list, LVM_SETCOLUMNWIDTH, count - 1, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0));
    });
}

void clsListView::LVInitList(HWND list, bool blnDontAllowColumnReorder, bool blnNoMultiSelect, bool blnNoHeaders) {
    Forwarded(M, L"LVInitList", [&] {
        LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
        style = (style & ~(LVS_TYPEMASK | LVS_EDITLABELS | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | WS_BORDER)) |
                LVS_REPORT | LVS_SHOWSELALWAYS | (blnNoMultiSelect ? LVS_SINGLESEL : 0) |
                (blnNoHeaders ? LVS_NOCOLUMNHEADER : 0);
        SetWindowLongPtrW(list, GWL_STYLE, style);
        SetWindowLongPtrW(list, GWL_EXSTYLE, GetWindowLongPtrW(list, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
        const DWORD mask = LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT |
                           LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT;
        const DWORD wanted =
            LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | (blnDontAllowColumnReorder ? 0 : LVS_EX_HEADERDRAGDROP);
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, wanted);
        SetWindowPos(list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    });
}

void clsListView::LVResetView(HWND list, const std::wstring& strDefaultColumnWidths) {
    Forwarded(M, L"LVResetView", [&] {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        const long count = ColumnCount(list);
        std::vector<int> order(static_cast<size_t>(count));
        for (long i = 0; i < count; ++i) {
            order[i] = i;
            SetColumnWidthTwips(list, i, DefaultWidth(list, strDefaultColumnWidths, i));
        }
        SetColumnOrder(list, order);
        ListRecord& record = ListRecord::Of(list);
        SetSortMark(list, record, 0, false);
        record.sorted = false;
        record.sortKey = 0;
        record.sortOrder = 0;
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        SetFocus(list);
    });
}

void clsListView::LVGetClickedRowColumn(HWND list, long& lngX, long& lngY) {
    Forwarded(M, L"LVGetClickedRowColumn", [&] {
        LVHITTESTINFO hit{};
        hit.pt = {TwipsToPixelsX(lngX), TwipsToPixelsY(lngY)};
        const LRESULT row = SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        lngY = row < 0 ? 0 : static_cast<long>(row) + 1;
        lngX = row < 0 ? 0 : hit.iSubItem + 1;
    });
}

long clsListView::LVGetNoOfVisibleItems(HWND list, bool blnLimitToCount) {
    return Forwarded(M, L"LVGetNoOfVisibleItems", [&]() -> long {
        const long visible = static_cast<long>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        return blnLimitToCount ? std::min(visible, RowCount(list)) : visible;
    });
}

void clsListView::LVSortView(HWND list, long lngSortKey, const std::wstring& strSortKey, long lngSortOrder,
                             bool blnNoSortOrderIcon) {
    Forwarded(M, L"LVSortView", [&] {
        WaitCursor wait;
        ListRecord& record = ListRecord::Of(list);
        long column = strSortKey.empty() ? lngSortKey : LVGetIndexFromTitle(list, strSortKey);
        if (column == 0) column = 1;
        if (column < 1 || column > ColumnCount(list)) RaiseIndexOutOfBounds();
        bool descending = lngSortOrder == conLVSO_Decending;
        if (lngSortOrder == conLVSO_Toggle) descending = column == lastSortColumn_ && record.sortOrder == 0;
        const ColumnSetting setting = record.Column(column - 1);
        const bool byValue = (setting.format == conLVF_Date || IsNumberFormat(setting.format)) && !setting.noApiSort;
        SortRows(list, record, column - 1, setting.format, byValue, descending);
        lastSortColumn_ = column;
        record.sortKey = column - 1;
        record.sortOrder = descending ? 1 : 0;
        if (!blnNoSortOrderIcon && !HeadersHidden(list)) SetSortMark(list, record, column, descending);
        record.sorted = true;
    });
}

long clsListView::LVCalcMenuPosition(HWND list, long& lngX, long& lngY, long lngXCor, long lngYCor,
                                     long lngYCorNotSelected) {
    return Forwarded(M, L"LVCalcMenuPosition", [&]() -> long {
        RECT frame{};
        RaiseLastErrorIf(!GetWindowRect(list, &frame));
        MapWindowPoints(nullptr, GetParent(list), reinterpret_cast<POINT*>(&frame), 2);
        lngX = PixelsToTwipsX(frame.left) + 45 + lngXCor;
        long selected = 0;
        long y = 0;
        if (RowCount(list) > 0) {
            selected = LVFirstSelectedItem(list);
            if (selected) {
                RECT row{}, first{};
                row.left = first.left = LVIR_BOUNDS;
                SendMessageW(list, LVM_GETITEMRECT, selected - 1, reinterpret_cast<LPARAM>(&row));
                SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
                y = PixelsToTwipsY(row.top) + 2 * PixelsToTwipsY(first.bottom - first.top) + 150 + lngYCor;
            }
        }
        if (y <= 0 || y - lngYCor - 315 > PixelsToTwipsY(frame.bottom - frame.top) || selected == 0)
            y = PixelsToTwipsY(frame.top) + lngYCorNotSelected + 305;
        lngY = y;
        return selected;
    });
}

void clsListView::LVSearch(HWND list, long lngKey, long lngSearchMode) {
    Forwarded(M, L"LVSearch", [&] {
        frmListview& form = Form();
        const std::wstring typed = detail::UpperCase(std::wstring(1, static_cast<wchar_t>(lngKey)));
        const wchar_t c = typed.size() == 1 ? typed[0] : 0;
        const bool accepted = (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' || c == L'\u00C4' ||
                              c == L'\u00D6' || c == L'\u00DC' || c == L'\u00DF';
        if (!accepted) {
            form.SearchText().clear();
            return;
        }
        form.StopSearchTimer();
        form.SearchText() += c;
        const std::vector<int> order = ColumnOrder(list);
        const long column = order.empty() ? 0 : order[0];
        const long count = RowCount(list);
        auto startsWith = [&](long row, const std::wstring& prefix) {
            const std::wstring text = detail::UpperCase(Main().TrimChars(CellText(list, row, column), L" "));
            return text.compare(0, prefix.size(), prefix) == 0;
        };
        long found = -1;
        if (lngSearchMode == conLVSM_AllChars) {
            for (long i = 0; i < count && found < 0; ++i)
                if (startsWith(i, form.SearchText())) found = i;
        } else {
            const long selected = LVFirstSelectedItem(list);  // 1-based, 0 when none
            const std::wstring first(1, c);
            for (long k = 0; k < count && found < 0; ++k) {
                const long i = (selected + k) % count;  // after the selection, then from the top
                if (startsWith(i, first)) found = i;
            }
        }
        if (found >= 0) {
            LVUnselectAllItems(list);
            LVITEMW item{};
            item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            item.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageW(list, LVM_SETITEMSTATE, found, reinterpret_cast<LPARAM>(&item));
            SendMessageW(list, LVM_ENSUREVISIBLE, found, FALSE);
        }
        form.StartSearchTimer();
    });
}

Variant clsListView::LVSaveView(HWND list, const std::wstring& strApplication, const std::wstring& strAddText,
                                bool blnNoSaveSorting) {
    return Forwarded(M, L"LVSaveView", [&] {
        const std::vector<int> order = ColumnOrder(list);
        std::wstring view;
        for (long i = 0; i < static_cast<long>(order.size()); ++i) {
            const long position = static_cast<long>(std::find(order.begin(), order.end(), i) - order.begin()) + 1;
            const long width = PixelsToTwipsX(static_cast<long>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0)));
            view += kv::DecimalText(position) + L":" + kv::DecimalText(width) + L";";
        }
        if (!blnNoSaveSorting) {
            const ListRecord& record = ListRecord::Of(list);
            view += L"LVSO:" + std::wstring(record.sorted ? L"-1" : L"0") + L";" + kv::DecimalText(record.sortKey) +
                    L":" + kv::DecimalText(record.sortOrder);
        }
        clsRegistry registry;
        OpenViews(registry, strApplication);
        return Variant(registry.WriteValue(ViewValueName(list, strAddText), view));
    });
}

void clsListView::LVSetSavedView(HWND list, const std::wstring& strApplication,
                                 const std::wstring& strDefaultColumnWidths, const std::wstring& strAddText) {
    Forwarded(M, L"LVSetSavedView", [&] {
        clsRegistry registry;
        OpenViews(registry, strApplication);
        registry.Default(Variant(std::wstring()));
        const std::wstring saved = registry.ReadValueByName(ViewValueName(list, strAddText)).ToString();
        const long count = ColumnCount(list);
        std::vector<int> order = ColumnOrder(list);
        std::vector<long> positions(static_cast<size_t>(count), 0);
        bool sortPart = false;
        for (long i = 0; i < count; ++i) {
            const std::wstring item = ListItem(saved, i);
            sortPart = sortPart || item.rfind(L"LVSO", 0) == 0;
            const size_t colon = item.find(L':');
            long position = 0, width = 0;
            const bool isSaved = !sortPart && !saved.empty();
            if (isSaved && ReadWhole(item.substr(0, colon), position)) positions[i] = position;
            if (!isSaved || colon == std::wstring::npos || !ReadWhole(item.substr(colon + 1), width))
                width = DefaultWidth(list, strDefaultColumnWidths, i);
            SetColumnWidthTwips(list, i, width);
        }
        // The saved positions, where they make a whole order; the rest keep theirs.
        for (long i = 0; i < count; ++i)
            if (positions[i] == 0) positions[i] = static_cast<long>(std::find(order.begin(), order.end(), i) - order.begin()) + 1;
        std::vector<int> wanted(static_cast<size_t>(count), -1);
        bool whole = true;
        for (long i = 0; i < count && whole; ++i) {
            whole = positions[i] >= 1 && positions[i] <= count && wanted[positions[i] - 1] < 0;
            if (whole) wanted[positions[i] - 1] = i;
        }
        if (whole) SetColumnOrder(list, wanted);

        ListRecord& record = ListRecord::Of(list);
        if (saved.empty()) {
            SetSortMark(list, record, 0, false);
            record.sorted = false;
            return;
        }
        const size_t at = saved.find(L"LVSO:");
        if (at == std::wstring::npos) return;
        const std::wstring sorting = saved.substr(at + 5);
        long flag = 0, column = 0, order0 = 0;
        const std::wstring state = ListItem(sorting, 1);
        const size_t colon = state.find(L':');
        if (ReadWhole(ListItem(sorting, 0), flag) && flag == -1 && colon != std::wstring::npos &&
            ReadWhole(state.substr(0, colon), column) && ReadWhole(state.substr(colon + 1), order0))
            LVSortView(list, column + 1, L"", order0 == 1 ? conLVSO_Decending : conLVSO_Ascending);
    });
}

}  // namespace kv
