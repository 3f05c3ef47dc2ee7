#pragma once
// The COM face of clsMain: every member unpacks its arguments (forms and controls arrive
// as objects and are read through their hWnd), calls the core and packs the results.
#include "DispatchObject.h"
#include "KVCore.h"
#include "clsMain.h"

namespace kv::com {

class clsMainCom final : public DispatchObject<IclsMain> {
public:
    STDMETHODIMP GetSelectedOption(IDispatch **ctlOption, LONG *lngResult) override;
    STDMETHODIMP SetSelectedOption(IDispatch **ctlOption, LONG *lngIndex) override;
    STDMETHODIMP ExistCollectionEntry(VARIANT *vntKey, IDispatch **colCollection, VARIANT_BOOL *blnResult) override;
    STDMETHODIMP IsNumber(VARIANT *vntNumber, ::enuNumberFormat *lngFormat, VARIANT *dblRangeStart, VARIANT *dblRangeEnd, VARIANT_BOOL *blnResult) override;
    STDMETHODIMP DirRemoveBackslash(BSTR *strDirectory, VARIANT *vntResult) override;
    STDMETHODIMP DirAddBackslash(BSTR *strDirectory, VARIANT *vntResult) override;
    STDMETHODIMP DisableXButton(IDispatch **frmForm) override;
    STDMETHODIMP EnableXButton(IDispatch **frmForm) override;
    STDMETHODIMP WindowOnTop(IDispatch **frmForm, ::enuSysWindowOnTop *lngState) override;
    STDMETHODIMP ShowError(BSTR *strProject, BSTR *strModul, BSTR *strFunction, LONG *lngErrorNumber, BSTR *strErrorDescription) override;
    STDMETHODIMP TransformError(BSTR *strProject, BSTR *strModule, BSTR *strFunction, LONG *lngErrorNumber, BSTR *strErrorDescription, LONG *lngErrorToTransform, LONG *lngTransformedNumber, VARIANT *vntParam1, VARIANT *vntParam2, VARIANT *vntParam3, VARIANT *vntParam4, VARIANT *vntParam5) override;
    STDMETHODIMP CreateAPIError(LONG *lngErrorNumber, VARIANT_BOOL *blnErrorCondition) override;
    STDMETHODIMP ForwardError(BSTR *strProject, BSTR *strModul, BSTR *strFunction, LONG *lngErrorNumber, BSTR *strErrorDescription) override;
    STDMETHODIMP GenerateError(LONG *lngErrorNumber, VARIANT *vntParam1, VARIANT *vntParam2, VARIANT *vntParam3, VARIANT *vntParam4, VARIANT *vntParam5) override;
    STDMETHODIMP TransformSize(LONG *lngWidth, LONG *lngHeight, LONG *lngMaxWidth, LONG *lngMaxHeight, VARIANT_BOOL *blnNeverZoom) override;
    STDMETHODIMP GetSystemFolder(::enuWinSystemFolders *lngFolder, BSTR *strResult) override;
    STDMETHODIMP Nz(VARIANT *vntValue, VARIANT *vntRetValue, VARIANT *vntResult) override;
    STDMETHODIMP FillString(BSTR strText, BSTR strChar, LONG lngLength, ::enuDirection lngDirection, BSTR *strResult) override;
    STDMETHODIMP GetRegionalInfo(::enuWhichInfo *lngWhichInfo, VARIANT *blnDefault, BSTR *strResult) override;
    STDMETHODIMP Round(double dblNumber, double dblPrecision, double *dblResult) override;
    STDMETHODIMP SplitFilename(BSTR strFileName, BSTR *strFolder, BSTR *strFile, BSTR *strExtension) override;
    STDMETHODIMP SetForgroundForm(IDispatch **frmForm) override;
    STDMETHODIMP DriveType(BSTR *strDrive, ::enuDriveType *lngResult) override;
    STDMETHODIMP ExtractItem(LONG *lngStartPos, BSTR *strString, BSTR *strMarkerStartChar, VARIANT *strMarkerEndChar, VARIANT *lngColumn, ::enuListMode *lngListMode, BSTR *strResult) override;
    STDMETHODIMP CountItemsInList(BSTR strList, BSTR strSeparator, LONG *lngResult) override;
    STDMETHODIMP TrimChars(BSTR strString, BSTR *strCharsToRemove, VARIANT *vntResult) override;
    STDMETHODIMP SetFocus(IDispatch **objControl, VARIANT_BOOL *blnResult) override;
    STDMETHODIMP FormOpen(IDispatch **frmForm, IDispatch **frmForms, VARIANT_BOOL *blnResult) override;
    STDMETHODIMP IsFormLoaded(IDispatch **frmForm, IDispatch **colForms, VARIANT *vntResult) override;
    STDMETHODIMP Sort(VARIANT *vntToSort, ::enuSortOrder *lngSortOrder, VARIANT *lngSortKey) override;
    STDMETHODIMP SendKey(BSTR strKey) override;
    STDMETHODIMP ConvertNumberFromExponential(double *dblValue, BSTR *strResult) override;
    STDMETHODIMP FirstNonNumChar(BSTR *strText, ::enuFNCheckType *lngChecktype, BSTR *strResult) override;
    STDMETHODIMP IsValidDate(BSTR *strDate, ::mglDTCheckType *lngChecktype, VARIANT_BOOL *blnResult) override;
    STDMETHODIMP Az(VARIANT *vntValue, VARIANT *vntToReplace, VARIANT *vntReplaceWith, VARIANT *vntResult) override;
    STDMETHODIMP Caps(BSTR *strString, BSTR *strResult) override;
    STDMETHODIMP InStrChars(LONG *lngStart, BSTR *strText, BSTR *strCharsList, LONG *lngResult) override;
    STDMETHODIMP ExistControl(BSTR *strControl, BSTR *strType, IDispatch **frmForm, VARIANT *vntResult) override;
    STDMETHODIMP DLookup(BSTR *strField, BSTR *strTable, BSTR *strCriteria, IDispatch **dbDatabase, VARIANT *vntResult) override;
    STDMETHODIMP GetDesktopSize(LONG *lngDesktopWidth, LONG *lngDesktopHeight, LONG *lngTaskbarWidth, LONG *lngTaskbarHeight) override;
    STDMETHODIMP FN(double *dblNumber, VARIANT *lngDecimalPlaces, BSTR *strResult) override;
    STDMETHODIMP UnFN(BSTR *strNumber, double *dblResult) override;
    STDMETHODIMP ToBoolean(VARIANT *vntValue, VARIANT_BOOL *blnResult) override;
    STDMETHODIMP SearchWindow(BSTR *strTitle, VARIANT_BOOL *blnWholeMatch, VARIANT_BOOL *blnCaseSensitive, LONG *lngResult) override;
    STDMETHODIMP ExpandFilename(BSTR *strFile, BSTR *strResult) override;
    STDMETHODIMP GetDecimalPos(double *dblNumber, LONG *lngResult) override;
    STDMETHODIMP SplitString(BSTR *strList, BSTR *strDelimiter, VARIANT *vntArrayList, LONG *lngResult) override;
    STDMETHODIMP CommaToDot(VARIANT *vntNumber, BSTR *strResult) override;
    STDMETHODIMP ExtractNumber(BSTR *strText, LONG *lngResult) override;
    STDMETHODIMP GetMaxFileNumber(BSTR *strSourceFolder, LONG *lngResult) override;
    STDMETHODIMP WarningBox(BSTR *strText) override;
    STDMETHODIMP GetTempFile(BSTR *strPrefix, BSTR *strResult) override;
    STDMETHODIMP ColumnToChar(LONG *lngColumn, BSTR *strResult) override;
    STDMETHODIMP CharToColumn(BSTR *strColumn, LONG *lngResult) override;
    STDMETHODIMP WrapText(BSTR *strText, LONG *lngMargin, VARIANT *strWrapableChars, VARIANT *strWrapChar, VARIANT *vntResult) override;
    STDMETHODIMP GetCharPos(LONG *lngStart, BSTR *strString, BSTR *strCharsToSearchFor, BSTR *strFoundChar, LONG *lngResult) override;
    STDMETHODIMP GetApplication(::enuApplication *lngApplication, VARIANT_BOOL *blnVisible, IDispatch **objResult) override;
    STDMETHODIMP GetRelativePath(BSTR *strPath1, BSTR *strPath2, BSTR *strResult) override;

private:
    kv::clsMain core_;
};

}  // namespace kv::com
