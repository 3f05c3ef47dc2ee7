#pragma once
// clsListView: the toolbox for report-style list-view controls of comctl32. Every member
// works on the list passed first; what the control lacks (column formats, row keys, the
// sorted state) lives in the list's ListRecord, so one object serves any number of lists.
//
// A row is named by its 1-based index (lngItem, as LVAddValue hands it out), else its key,
// else its 1-based index lngRow; when none is given, the first selected row. Column 0 means
// column 1. Widths and positions are in twips, as the program's forms measure. Image
// indexes are the image list's own (0-based); a row without an icon answers I_IMAGENONE.
// The list's name, under which LVSaveView stores its view, is its window text.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>

#include "ListViewEnums.h"
#include "Variant.h"

namespace kv {

namespace listview {
class frmListview;
}

class clsListView {
public:
    static constexpr const wchar_t* conModule = L"clsListView";

    clsListView();
    ~clsListView();
    clsListView(const clsListView&) = delete;
    clsListView& operator=(const clsListView&) = delete;

    // Index of the column shown at display position lngPosition; 0 beyond the columns.
    long LVGetIndexFromPosition(HWND ctlListview, long lngPosition);
    // Fits one column (or all) to header and contents (conLVTA_Headers) or to the contents
    // with the last column filling the rest (conLVTA_Items); untitled columns stay at 0.
    void LVAutosizeColumns(HWND ctlListview, long lngAutoSizeType = conLVTA_Headers, long lngColumn = 0);
    // Deletes the named row; False when there is none.
    bool LVDeleteItem(HWND ctlListview, long lngItem = 0, const Variant& vntKey = Variant(), long lngRow = 0);
    long LVGetImage(HWND ctlListview, long lngItem = 0, const std::wstring& strKey = L"", long lngRow = 0);
    void LVSetImage(HWND ctlListview, long lngImage, long lngItem = 0, const std::wstring& strKey = L"",
                    long lngRow = 0);
    // The cell's value by its column's format: a date, the number as shown (the text with
    // blnFormated), or the text. A row or column outside 1 ... count raises 35600.
    Variant LVGetValue(HWND ctlListview, long lngItem = 0, const std::wstring& strKey = L"", long lngRow = 0,
                       long lngColumn = 0, bool blnFormated = false);
    void LVSetValue(HWND ctlListview, const Variant& vntValue, long lngItem = 0, const std::wstring& strKey = L"",
                    long lngRow = 0, long lngColumn = 0);
    void LVAddColumn(HWND ctlListview, const std::wstring& strTitle, long lngAlignment = conLVA_Left,
                     long lngFormat = conLVF_Text, long lngWidth = -1, bool blnNoAPISort = false);
    // Column 1 adds a row (at 1-based lngInsPos, 0 for the end) and answers its index, also
    // in lngItem; another column fills that column of row lngItem (or of the key's row).
    long LVAddValue(HWND ctlListview, long& lngItem, long lngIndex, const Variant& vntValue,
                    const Variant& vntKey = Variant(), long lngInsPos = 0, std::optional<long> lngIcon = std::nullopt,
                    bool blnNoTooltips = false);
    // lngColumn: index, or a title.
    void LVMoveColumn(HWND ctlListview, const Variant& lngColumn, long lngStep = 1,
                      long lngDirection = conLVMC_Left);
    void LVInitList(HWND ctlListview, bool blnDontAllowColumnReorder = false, bool blnNoMultiSelect = false,
                    bool blnNoHeaders = false);
    void LVResetView(HWND ctlListview, const std::wstring& strDefaultColumnWidths = L"");
    // In: a position within the list in twips; out: the row in lngY, the column in lngX
    // (0 where nothing is hit).
    void LVGetClickedRowColumn(HWND ctlListview, long& lngX, long& lngY);
    long LVGetNoOfVisibleItems(HWND ctlListview, bool blnLimitToCount = false);
    void LVSortView(HWND ctlListview, long lngSortKey = 0, const std::wstring& strSortKey = L"",
                    long lngSortOrder = conLVSO_Toggle, bool blnNoSortOrderIcon = false);
    long LVGetIndexFromTitle(HWND ctlListview, const std::wstring& strTitle);
    // A row of that key, or of that 1-based index; blnNotExtended takes the key as the stored
    // control key ("K" + upper case) itself.
    bool LVExistItem(HWND ctlListview, const Variant& vntKey, bool blnNotExtended = false);
    // An image of that 0-based index in the image list (image lists have no keys).
    bool LVExistImage(HIMAGELIST imlImageList, const Variant& vntKey);
    // One menu entry per titled column, in column order, its identifier the column's index.
    void LVBuildSortMenu(HWND ctlListview, HMENU objMenu);
    long LVCalcMenuPosition(HWND ctlListview, long& lngX, long& lngY, long lngXCor = 0, long lngYCor = 0,
                            long lngYCorNotSelected = 0);
    long LVFirstSelectedItem(HWND ctlListview);
    long LVFirstCheckedItem(HWND ctlListview);
    void LVSelectAllItems(HWND ctlListview, bool blnNoGhosted = false);
    void LVCheckAllItems(HWND ctlListview, bool blnNoGhosted = false);
    void LVEnable(HWND ctlListview, bool blnEnable);
    void LVUnselectAllItems(HWND ctlListview);
    void LVUncheckAllItems(HWND ctlListview);
    long LVLastSelectedItem(HWND ctlListview);
    void LVMoveItem(HWND ctlListview, long lngIndex, long lngDirection = conLVMI_Up, long lngStep = 1,
                    long lngNoOfItems = 1, bool blnSelect = false);
    void LVSearch(HWND ctlListview, long lngKey, long lngSearchMode = conLVSM_FirstChar);
    // Writes the view (positions, widths, sorting) below the user's key
    // software\<company>\<application>\Lists, named by the list's name and strAddText;
    // True once written.
    Variant LVSaveView(HWND ctlListview, const std::wstring& strApplication, const std::wstring& strAddText = L"",
                       bool blnNoSaveSorting = false);
    void LVSetSavedView(HWND ctlListview, const std::wstring& strApplication,
                        const std::wstring& strDefaultColumnWidths = L"", const std::wstring& strAddText = L"");

private:
    listview::frmListview& Form();

    long lastSortColumn_ = 0;
    std::unique_ptr<listview::frmListview> form_;
};

}  // namespace kv
