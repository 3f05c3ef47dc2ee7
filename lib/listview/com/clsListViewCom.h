#pragma once
// KVWidgets.clsListView: the published face of the list-view helper. A list view arrives as
// its window handle, a row object as the row's 1-based index.
#include "DispatchObject.h"
#include "KVWidgets.h"
#include "clsListView.h"

namespace kv::com {

class clsListViewCom final : public DispatchObject<IclsListView> {
public:
    STDMETHODIMP LVGetIndexFromPosition(long ctlListview, long lngPosition, long* lngIndex) override;
    STDMETHODIMP LVAutosizeColumns(long ctlListview, ::enuLVTypeAutoSize lngAutoSizeType, long lngColumn) override;
    STDMETHODIMP LVDeleteItem(long ctlListview, VARIANT objListItem, VARIANT vntKey, long lngRow, VARIANT* vntDeleted) override;
    STDMETHODIMP LVGetImage(long ctlListview, VARIANT objListItem, BSTR strKey, long lngRow, long* lngImage) override;
    STDMETHODIMP LVSetImage(long ctlListview, long lngImage, VARIANT objListItem, BSTR strKey, long lngRow) override;
    STDMETHODIMP LVGetValue(long ctlListview, VARIANT objListItem, BSTR strKey, long lngRow, long lngColumn, VARIANT_BOOL blnFormated, VARIANT* vntValue) override;
    STDMETHODIMP LVSetValue(long ctlListview, VARIANT vntValue, VARIANT objListItem, BSTR strKey, long lngRow, long lngColumn) override;
    STDMETHODIMP LVAddColumn(long ctlListview, BSTR strTitle, ::enuLVAlignment lngAlignment, ::enuLVFormat lngFormat, long lngWidth, VARIANT_BOOL blnNoAPISort) override;
    STDMETHODIMP LVAddValue(long ctlListview, VARIANT* objListItem, long lngIndex, VARIANT vntValue, VARIANT vntKey, long lngInsPos, VARIANT lngIcon, VARIANT_BOOL blnNoTooltips, VARIANT* objRow) override;
    STDMETHODIMP LVMoveColumn(long ctlListview, VARIANT lngColumn, long lngStep, ::enuLVMoveColumn lngDirection) override;
    STDMETHODIMP LVInitList(long ctlListview, VARIANT_BOOL blnDontAllowColumnReorder, VARIANT_BOOL blnNoMultiSelect, VARIANT_BOOL blnNoHeaders) override;
    STDMETHODIMP LVResetView(long ctlListview, BSTR strDefaultColumnWidths) override;
    STDMETHODIMP LVGetClickedRowColumn(long ctlListview, long* lngX, long* lngY) override;
    STDMETHODIMP LVGetNoOfVisibleItems(long ctlListview, VARIANT_BOOL blnLimitToCount, long* lngCount) override;
    STDMETHODIMP LVSortView(long ctlListview, long lngSortKey, BSTR strSortKey, ::enuLVSortOrder lngSortOrder, VARIANT_BOOL blnNoSortOrderIcon) override;
    STDMETHODIMP LVGetIndexFromTitle(long ctlListview, BSTR strTitle, long* lngIndex) override;
    STDMETHODIMP LVExistItem(long ctlListview, VARIANT vntKey, VARIANT_BOOL blnNotExtended, VARIANT_BOOL* blnExists) override;
    STDMETHODIMP LVExistImage(VARIANT imlImageList, VARIANT vntKey, VARIANT_BOOL* blnExists) override;
    STDMETHODIMP LVBuildSortMenu(long ctlListview, long objMenu) override;
    STDMETHODIMP LVCalcMenuPosition(long ctlListview, long* lngX, long* lngY, long lngXCor, long lngYCor, long lngYCorNotSelected, long* lngSelected) override;
    STDMETHODIMP LVFirstSelectedItem(long ctlListview, long* lngRow) override;
    STDMETHODIMP LVFirstCheckedItem(long ctlListview, long* lngRow) override;
    STDMETHODIMP LVSelectAllItems(long ctlListview, VARIANT_BOOL blnNoGhosted) override;
    STDMETHODIMP LVCheckAllItems(long ctlListview, VARIANT_BOOL blnNoGhosted) override;
    STDMETHODIMP LVEnable(long ctlListview, VARIANT_BOOL blnEnable) override;
    STDMETHODIMP LVUnselectAllItems(long ctlListview) override;
    STDMETHODIMP LVUncheckAllItems(long ctlListview) override;
    STDMETHODIMP LVLastSelectedItem(long ctlListview, long* lngRow) override;
    STDMETHODIMP LVMoveItem(long ctlListview, long lngIndex, ::enuLVMoveItem lngDirection, long lngStep, long lngNoOfItems, VARIANT_BOOL blnSelect) override;
    STDMETHODIMP LVSearch(long ctlListview, long lngKey, ::enuLVSearchMode lngSearchMode) override;
    STDMETHODIMP LVSaveView(long ctlListview, BSTR strApplication, BSTR strAddText, VARIANT_BOOL blnNoSaveSorting, VARIANT* vntSaved) override;
    STDMETHODIMP LVSetSavedView(long ctlListview, BSTR strApplication, BSTR strDefaultColumnWidths, BSTR strAddText) override;
private:
    clsListView core_;
};

}  // namespace kv::com
