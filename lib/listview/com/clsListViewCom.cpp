#include "clsListViewCom.h"

#include <optional>

namespace kv::com {

namespace {

// Window handles are 32-bit values on every platform, so a script's number carries them.
HWND List(long handle) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle)); }

bool Flag(VARIANT_BOOL value) { return value != VARIANT_FALSE; }

// A row object: its index; nothing given is 0.
long RowItem(const VARIANT& value) {
    if (IsMissing(value)) return 0;
    const Variant row = FromVARIANT(value);
    return row.IsEmpty() || row.IsNull() ? 0 : row.ToLong();
}

Variant Given(const VARIANT& value) { return IsMissing(value) ? Variant() : FromVARIANT(value); }

}  // namespace

STDMETHODIMP clsListViewCom::LVGetIndexFromPosition(long l, long lngPosition, long* out) {
    return Guard(IID_IclsListView, [&] { return HandOut(out, core_.LVGetIndexFromPosition(List(l), lngPosition)); });
}

STDMETHODIMP clsListViewCom::LVAutosizeColumns(long l, ::enuLVTypeAutoSize type, long lngColumn) {
    return Guard(IID_IclsListView, [&] {
        core_.LVAutosizeColumns(List(l), type, lngColumn);
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVDeleteItem(long l, VARIANT item, VARIANT vntKey, long lngRow, VARIANT* out) {
    return Guard(IID_IclsListView, [&] {
        return HandOut(out, Variant(core_.LVDeleteItem(List(l), RowItem(item), Given(vntKey), lngRow)));
    });
}

STDMETHODIMP clsListViewCom::LVGetImage(long l, VARIANT item, BSTR strKey, long lngRow, long* out) {
    return Guard(IID_IclsListView,
                 [&] { return HandOut(out, core_.LVGetImage(List(l), RowItem(item), FromBSTR(strKey), lngRow)); });
}

STDMETHODIMP clsListViewCom::LVSetImage(long l, long lngImage, VARIANT item, BSTR strKey, long lngRow) {
    return Guard(IID_IclsListView, [&] {
        core_.LVSetImage(List(l), lngImage, RowItem(item), FromBSTR(strKey), lngRow);
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVGetValue(long l, VARIANT item, BSTR strKey, long lngRow, long lngColumn,
                                        VARIANT_BOOL blnFormated, VARIANT* out) {
    return Guard(IID_IclsListView, [&] {
        return HandOut(out, core_.LVGetValue(List(l), RowItem(item), FromBSTR(strKey), lngRow, lngColumn,
                                             Flag(blnFormated)));
    });
}

STDMETHODIMP clsListViewCom::LVSetValue(long l, VARIANT vntValue, VARIANT item, BSTR strKey, long lngRow,
                                        long lngColumn) {
    return Guard(IID_IclsListView, [&] {
        core_.LVSetValue(List(l), Given(vntValue), RowItem(item), FromBSTR(strKey), lngRow, lngColumn);
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVAddColumn(long l, BSTR strTitle, ::enuLVAlignment alignment, ::enuLVFormat format,
                                         long lngWidth, VARIANT_BOOL blnNoAPISort) {
    return Guard(IID_IclsListView, [&] {
        core_.LVAddColumn(List(l), FromBSTR(strTitle), alignment, format, lngWidth, Flag(blnNoAPISort));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVAddValue(long l, VARIANT* item, long lngIndex, VARIANT vntValue, VARIANT vntKey,
                                        long lngInsPos, VARIANT lngIcon, VARIANT_BOOL blnNoTooltips, VARIANT* out) {
    return Guard(IID_IclsListView, [&] {
        if (!item) return E_POINTER;
        long row = RowItem(*item);
        const Variant icon = Given(lngIcon);
        const std::optional<long> iconIndex =
            icon.IsEmpty() || icon.IsNull() ? std::nullopt : std::optional<long>(icon.ToLong());
        core_.LVAddValue(List(l), row, lngIndex, Given(vntValue), Given(vntKey), lngInsPos, iconIndex,
                         Flag(blnNoTooltips));
        StoreVARIANT(Variant(row), item);
        return HandOut(out, Variant(row));
    });
}

STDMETHODIMP clsListViewCom::LVMoveColumn(long l, VARIANT column, long lngStep, ::enuLVMoveColumn direction) {
    return Guard(IID_IclsListView, [&] {
        core_.LVMoveColumn(List(l), Given(column), lngStep, direction);
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVInitList(long l, VARIANT_BOOL noReorder, VARIANT_BOOL noMultiSelect,
                                        VARIANT_BOOL noHeaders) {
    return Guard(IID_IclsListView, [&] {
        core_.LVInitList(List(l), Flag(noReorder), Flag(noMultiSelect), Flag(noHeaders));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVResetView(long l, BSTR widths) {
    return Guard(IID_IclsListView, [&] {
        core_.LVResetView(List(l), FromBSTR(widths));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVGetClickedRowColumn(long l, long* lngX, long* lngY) {
    return Guard(IID_IclsListView, [&] {
        if (!lngX || !lngY) return E_POINTER;
        core_.LVGetClickedRowColumn(List(l), *lngX, *lngY);
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVGetNoOfVisibleItems(long l, VARIANT_BOOL limit, long* out) {
    return Guard(IID_IclsListView, [&] { return HandOut(out, core_.LVGetNoOfVisibleItems(List(l), Flag(limit))); });
}

STDMETHODIMP clsListViewCom::LVSortView(long l, long lngSortKey, BSTR strSortKey, ::enuLVSortOrder order,
                                        VARIANT_BOOL noIcon) {
    return Guard(IID_IclsListView, [&] {
        core_.LVSortView(List(l), lngSortKey, FromBSTR(strSortKey), order, Flag(noIcon));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVGetIndexFromTitle(long l, BSTR strTitle, long* out) {
    return Guard(IID_IclsListView, [&] { return HandOut(out, core_.LVGetIndexFromTitle(List(l), FromBSTR(strTitle))); });
}

STDMETHODIMP clsListViewCom::LVExistItem(long l, VARIANT vntKey, VARIANT_BOOL notExtended, VARIANT_BOOL* out) {
    return Guard(IID_IclsListView,
                 [&] { return HandOut(out, core_.LVExistItem(List(l), Given(vntKey), Flag(notExtended))); });
}

STDMETHODIMP clsListViewCom::LVExistImage(VARIANT images, VARIANT vntKey, VARIANT_BOOL* out) {
    return Guard(IID_IclsListView, [&] {
        // An image list handle is a pointer: taken as a 64-bit number, whatever kind it came as.
        VARIANT handle;
        VariantInit(&handle);
        HRESULT hr = VariantChangeType(&handle, &images, 0, VT_I8);
        if (FAILED(hr)) return hr;
        const auto list = reinterpret_cast<HIMAGELIST>(static_cast<LONG_PTR>(V_I8(&handle)));
        return HandOut(out, core_.LVExistImage(list, Given(vntKey)));
    });
}

STDMETHODIMP clsListViewCom::LVBuildSortMenu(long l, long menu) {
    return Guard(IID_IclsListView, [&] {
        core_.LVBuildSortMenu(List(l), reinterpret_cast<HMENU>(static_cast<LONG_PTR>(menu)));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVCalcMenuPosition(long l, long* lngX, long* lngY, long xCor, long yCor,
                                                long yCorNotSelected, long* out) {
    return Guard(IID_IclsListView, [&] {
        if (!lngX || !lngY) return E_POINTER;
        return HandOut(out, core_.LVCalcMenuPosition(List(l), *lngX, *lngY, xCor, yCor, yCorNotSelected));
    });
}

STDMETHODIMP clsListViewCom::LVFirstSelectedItem(long l, long* out) {
    return Guard(IID_IclsListView, [&] { return HandOut(out, core_.LVFirstSelectedItem(List(l))); });
}

STDMETHODIMP clsListViewCom::LVFirstCheckedItem(long l, long* out) {
    return Guard(IID_IclsListView, [&] { return HandOut(out, core_.LVFirstCheckedItem(List(l))); });
}

STDMETHODIMP clsListViewCom::LVSelectAllItems(long l, VARIANT_BOOL noGhosted) {
    return Guard(IID_IclsListView, [&] {
        core_.LVSelectAllItems(List(l), Flag(noGhosted));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVCheckAllItems(long l, VARIANT_BOOL noGhosted) {
    return Guard(IID_IclsListView, [&] {
        core_.LVCheckAllItems(List(l), Flag(noGhosted));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVEnable(long l, VARIANT_BOOL enable) {
    return Guard(IID_IclsListView, [&] {
        core_.LVEnable(List(l), Flag(enable));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVUnselectAllItems(long l) {
    return Guard(IID_IclsListView, [&] {
        core_.LVUnselectAllItems(List(l));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVUncheckAllItems(long l) {
    return Guard(IID_IclsListView, [&] {
        core_.LVUncheckAllItems(List(l));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVLastSelectedItem(long l, long* out) {
    return Guard(IID_IclsListView, [&] { return HandOut(out, core_.LVLastSelectedItem(List(l))); });
}

STDMETHODIMP clsListViewCom::LVMoveItem(long l, long lngIndex, ::enuLVMoveItem direction, long lngStep,
                                        long lngNoOfItems, VARIANT_BOOL select) {
    return Guard(IID_IclsListView, [&] {
        core_.LVMoveItem(List(l), lngIndex, direction, lngStep, lngNoOfItems, Flag(select));
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVSearch(long l, long lngKey, ::enuLVSearchMode mode) {
    return Guard(IID_IclsListView, [&] {
        core_.LVSearch(List(l), lngKey, mode);
        return S_OK;
    });
}

STDMETHODIMP clsListViewCom::LVSaveView(long l, BSTR application, BSTR addText, VARIANT_BOOL noSorting,
                                        VARIANT* out) {
    return Guard(IID_IclsListView, [&] {
        return HandOut(out, core_.LVSaveView(List(l), FromBSTR(application), FromBSTR(addText), Flag(noSorting)));
    });
}

STDMETHODIMP clsListViewCom::LVSetSavedView(long l, BSTR application, BSTR widths, BSTR addText) {
    return Guard(IID_IclsListView, [&] {
        core_.LVSetSavedView(List(l), FromBSTR(application), FromBSTR(widths), FromBSTR(addText));
        return S_OK;
    });
}

}  // namespace kv::com
