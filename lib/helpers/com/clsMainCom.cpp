#include "clsMainCom.h"

#include "LateBound.h"

namespace kv::com {

namespace {

std::wstring Text(const BSTR* p) { return p ? FromBSTR(*p) : std::wstring(); }

bool Flag(const VARIANT_BOOL* p) { return p && *p != VARIANT_FALSE; }

// An optional VARIANT: its value, or fallback when the caller left it out.
Variant Optional(const VARIANT* p, const Variant& fallback) {
    return !p || IsMissing(*p) ? fallback : FromVARIANT(*p);
}

IDispatch* Object(IDispatch** p) { return p ? *p : nullptr; }

HWND Window(IDispatch** form) { return late::WindowHandleOf(Object(form)); }

// The windows of a forms collection (each item's hWnd).
std::vector<HWND> Windows(IDispatch** forms) {
    std::vector<HWND> windows;
    for (const Variant& item : late::EnumerateItems(Object(forms))) {
        if (!item.IsObject()) throw KVError(424, L"Object required");
        windows.push_back(late::WindowHandleOf(item.Get<ComPtr<IDispatch>>().Get()));
    }
    return windows;
}

// Replaces the string of an [in,out] BSTR.
void Assign(BSTR* target, const std::wstring& value) {
    BSTR fresh = ToBSTR(value);
    SysFreeString(*target);
    *target = fresh;
}

}  // namespace

// ---- Members the system calls ----

STDMETHODIMP clsMainCom::GetSelectedOption(IDispatch** ctlOption, LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(lngResult, core_.GetSelectedOption(Object(ctlOption)));
    });
}

STDMETHODIMP clsMainCom::SetSelectedOption(IDispatch** ctlOption, LONG* lngIndex) {
    return Guard(IID_IclsMain, [&] {
        core_.SetSelectedOption(Object(ctlOption), *lngIndex);
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::ExistCollectionEntry(VARIANT* vntKey, IDispatch** colCollection, VARIANT_BOOL* blnResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(blnResult, core_.ExistCollectionEntry(FromVARIANT(*vntKey), Object(colCollection)));
    });
}

STDMETHODIMP clsMainCom::IsNumber(VARIANT* vntNumber, ::enuNumberFormat* lngFormat, VARIANT* dblRangeStart,
                                  VARIANT* dblRangeEnd, VARIANT_BOOL* blnResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(blnResult, core_.IsNumber(FromVARIANT(*vntNumber), *lngFormat,
                                                 Optional(dblRangeStart, Variant()), Optional(dblRangeEnd, Variant())));
    });
}

STDMETHODIMP clsMainCom::DirRemoveBackslash(BSTR* strDirectory, VARIANT* vntResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(vntResult, Variant(core_.DirRemoveBackslash(Text(strDirectory))));
    });
}

STDMETHODIMP clsMainCom::DirAddBackslash(BSTR* strDirectory, VARIANT* vntResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(vntResult, Variant(core_.DirAddBackslash(Text(strDirectory))));
    });
}

STDMETHODIMP clsMainCom::DisableXButton(IDispatch** frmForm) {
    return Guard(IID_IclsMain, [&] {
        core_.DisableXButton(Window(frmForm));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::EnableXButton(IDispatch** frmForm) {
    return Guard(IID_IclsMain, [&] {
        core_.EnableXButton(Window(frmForm));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::WindowOnTop(IDispatch** frmForm, ::enuSysWindowOnTop* lngState) {
    return Guard(IID_IclsMain, [&] {
        core_.WindowOnTop(Window(frmForm), *lngState);
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::ShowError(BSTR* strProject, BSTR* strModul, BSTR* strFunction, LONG* lngErrorNumber,
                                   BSTR* strErrorDescription) {
    return Guard(IID_IclsMain, [&] {
        core_.ShowError(Text(strProject), Text(strModul), Text(strFunction), *lngErrorNumber,
                        Text(strErrorDescription));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::TransformError(BSTR* strProject, BSTR* strModule, BSTR* strFunction, LONG* lngErrorNumber,
                                        BSTR* strErrorDescription, LONG* lngErrorToTransform,
                                        LONG* lngTransformedNumber, VARIANT* vntParam1, VARIANT* vntParam2,
                                        VARIANT* vntParam3, VARIANT* vntParam4, VARIANT* vntParam5) {
    return Guard(IID_IclsMain, [&] {
        core_.TransformError(Text(strProject), Text(strModule), Text(strFunction), *lngErrorNumber,
                             Text(strErrorDescription), *lngErrorToTransform, *lngTransformedNumber,
                             Optional(vntParam1, L""), Optional(vntParam2, L""), Optional(vntParam3, L""),
                             Optional(vntParam4, L""), Optional(vntParam5, L""));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::CreateAPIError(LONG* lngErrorNumber, VARIANT_BOOL* blnErrorCondition) {
    return Guard(IID_IclsMain, [&] {
        core_.CreateAPIError(*lngErrorNumber, Flag(blnErrorCondition));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::ForwardError(BSTR* strProject, BSTR* strModul, BSTR* strFunction, LONG* lngErrorNumber,
                                      BSTR* strErrorDescription) {
    return Guard(IID_IclsMain, [&] {
        core_.ForwardError(Text(strProject), Text(strModul), Text(strFunction), *lngErrorNumber,
                           Text(strErrorDescription));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::GenerateError(LONG* lngErrorNumber, VARIANT* vntParam1, VARIANT* vntParam2,
                                       VARIANT* vntParam3, VARIANT* vntParam4, VARIANT* vntParam5) {
    return Guard(IID_IclsMain, [&] {
        core_.GenerateError(*lngErrorNumber, Optional(vntParam1, L""), Optional(vntParam2, L""),
                            Optional(vntParam3, L""), Optional(vntParam4, L""), Optional(vntParam5, L""));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::TransformSize(LONG* lngWidth, LONG* lngHeight, LONG* lngMaxWidth, LONG* lngMaxHeight,
                                       VARIANT_BOOL* blnNeverZoom) {
    return Guard(IID_IclsMain, [&] {
        core_.TransformSize(*lngWidth, *lngHeight, *lngMaxWidth, *lngMaxHeight, Flag(blnNeverZoom));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::GetSystemFolder(::enuWinSystemFolders* lngFolder, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.GetSystemFolder(*lngFolder));
    });
}

STDMETHODIMP clsMainCom::Nz(VARIANT* vntValue, VARIANT* vntRetValue, VARIANT* vntResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(vntResult, core_.Nz(FromVARIANT(*vntValue), Optional(vntRetValue, L"")));
    });
}

STDMETHODIMP clsMainCom::FillString(BSTR strText, BSTR strChar, LONG lngLength, ::enuDirection lngDirection,
                                    BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.FillString(FromBSTR(strText), FromBSTR(strChar), lngLength, lngDirection));
    });
}

STDMETHODIMP clsMainCom::GetRegionalInfo(::enuWhichInfo* lngWhichInfo, VARIANT* blnDefault, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        std::optional<bool> useDefault;
        if (blnDefault && !IsMissing(*blnDefault)) useDefault = FromVARIANT(*blnDefault).ToBool();
        return HandOut(strResult, core_.GetRegionalInfo(*lngWhichInfo, useDefault));
    });
}

STDMETHODIMP clsMainCom::Round(double dblNumber, double dblPrecision, double* dblResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(dblResult, core_.Round(dblNumber, dblPrecision));
    });
}

STDMETHODIMP clsMainCom::SplitFilename(BSTR strFileName, BSTR* strFolder, BSTR* strFile, BSTR* strExtension) {
    return Guard(IID_IclsMain, [&] {
        std::wstring folder, file, extension;
        core_.SplitFilename(FromBSTR(strFileName), folder, file, extension);
        Assign(strFolder, folder);
        Assign(strFile, file);
        Assign(strExtension, extension);
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::SetForgroundForm(IDispatch** frmForm) {
    return Guard(IID_IclsMain, [&] {
        core_.SetForgroundForm(Window(frmForm));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::DriveType(BSTR* strDrive, ::enuDriveType* lngResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(lngResult, core_.DriveType(Text(strDrive)));
    });
}

STDMETHODIMP clsMainCom::ExtractItem(LONG* lngStartPos, BSTR* strString, BSTR* strMarkerStartChar,
                                     VARIANT* strMarkerEndChar, VARIANT* lngColumn, ::enuListMode* lngListMode,
                                     BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        long start = *lngStartPos;
        std::wstring item = core_.ExtractItem(start, Text(strString), Text(strMarkerStartChar),
                                              Optional(strMarkerEndChar, L"").ToString(),
                                              Optional(lngColumn, 1L).ToLong(), *lngListMode);
        *lngStartPos = start;
        return HandOut(strResult, item);
    });
}

STDMETHODIMP clsMainCom::CountItemsInList(BSTR strList, BSTR strSeparator, LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(lngResult, core_.CountItemsInList(FromBSTR(strList), FromBSTR(strSeparator)));
    });
}

STDMETHODIMP clsMainCom::TrimChars(BSTR strString, BSTR* strCharsToRemove, VARIANT* vntResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(vntResult, Variant(core_.TrimChars(FromBSTR(strString), Text(strCharsToRemove))));
    });
}

STDMETHODIMP clsMainCom::SetFocus(IDispatch** objControl, VARIANT_BOOL* blnResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(blnResult, core_.SetFocus(Window(objControl)));
    });
}

STDMETHODIMP clsMainCom::FormOpen(IDispatch** frmForm, IDispatch** frmForms, VARIANT_BOOL* blnResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(blnResult, core_.FormOpen(Window(frmForm), Windows(frmForms)));
    });
}

STDMETHODIMP clsMainCom::IsFormLoaded(IDispatch** frmForm, IDispatch** colForms, VARIANT* vntResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(vntResult, Variant(core_.IsFormLoaded(Window(frmForm), Windows(colForms))));
    });
}

STDMETHODIMP clsMainCom::Sort(VARIANT* vntToSort, ::enuSortOrder* lngSortOrder, VARIANT* lngSortKey) {
    return Guard(IID_IclsMain, [&] {
        Variant values = FromVARIANT(*vntToSort);
        std::optional<long> key;
        if (lngSortKey && !IsMissing(*lngSortKey)) key = FromVARIANT(*lngSortKey).ToLong();
        core_.Sort(values, *lngSortOrder, key);
        StoreVARIANT(values, vntToSort);
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::SendKey(BSTR strKey) {
    return Guard(IID_IclsMain, [&] {
        core_.SendKey(FromBSTR(strKey));
        return S_OK;
    });
}

// ---- Further members ----

STDMETHODIMP clsMainCom::ConvertNumberFromExponential(double* dblValue, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.ConvertNumberFromExponential(*dblValue));
    });
}

STDMETHODIMP clsMainCom::FirstNonNumChar(BSTR* strText, ::enuFNCheckType* lngChecktype, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.FirstNonNumChar(Text(strText), *lngChecktype));
    });
}

STDMETHODIMP clsMainCom::IsValidDate(BSTR* strDate, ::mglDTCheckType* lngChecktype, VARIANT_BOOL* blnResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(blnResult, core_.IsValidDate(Text(strDate), *lngChecktype));
    });
}

STDMETHODIMP clsMainCom::Az(VARIANT* vntValue, VARIANT* vntToReplace, VARIANT* vntReplaceWith, VARIANT* vntResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(vntResult,
                       core_.Az(FromVARIANT(*vntValue), FromVARIANT(*vntToReplace), FromVARIANT(*vntReplaceWith)));
    });
}

STDMETHODIMP clsMainCom::Caps(BSTR* strString, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.Caps(Text(strString)));
    });
}

STDMETHODIMP clsMainCom::InStrChars(LONG* lngStart, BSTR* strText, BSTR* strCharsList, LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(lngResult, core_.InStrChars(*lngStart, Text(strText), Text(strCharsList)));
    });
}

STDMETHODIMP clsMainCom::ExistControl(BSTR* strControl, BSTR* strType, IDispatch** frmForm, VARIANT* vntResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(vntResult, core_.ExistControl(Text(strControl), Text(strType), Object(frmForm)));
    });
}

STDMETHODIMP clsMainCom::DLookup(BSTR* strField, BSTR* strTable, BSTR* strCriteria, IDispatch** dbDatabase,
                                 VARIANT* vntResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(vntResult, core_.DLookup(Text(strField), Text(strTable), Text(strCriteria), Object(dbDatabase)));
    });
}

STDMETHODIMP clsMainCom::GetDesktopSize(LONG* lngDesktopWidth, LONG* lngDesktopHeight, LONG* lngTaskbarWidth,
                                        LONG* lngTaskbarHeight) {
    return Guard(IID_IclsMain, [&] {
        core_.GetDesktopSize(*lngDesktopWidth, *lngDesktopHeight, *lngTaskbarWidth, *lngTaskbarHeight);
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::FN(double* dblNumber, VARIANT* lngDecimalPlaces, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.FN(*dblNumber, Optional(lngDecimalPlaces, -1L).ToLong()));
    });
}

STDMETHODIMP clsMainCom::UnFN(BSTR* strNumber, double* dblResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(dblResult, core_.UnFN(Text(strNumber)));
    });
}

STDMETHODIMP clsMainCom::ToBoolean(VARIANT* vntValue, VARIANT_BOOL* blnResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(blnResult, core_.ToBoolean(FromVARIANT(*vntValue)));
    });
}

STDMETHODIMP clsMainCom::SearchWindow(BSTR* strTitle, VARIANT_BOOL* blnWholeMatch, VARIANT_BOOL* blnCaseSensitive,
                                      LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        HWND found = core_.SearchWindow(Text(strTitle), Flag(blnWholeMatch), Flag(blnCaseSensitive));
        return HandOut(lngResult, static_cast<LONG>(reinterpret_cast<LONG_PTR>(found)));
    });
}

STDMETHODIMP clsMainCom::ExpandFilename(BSTR* strFile, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.ExpandFilename(Text(strFile)));
    });
}

STDMETHODIMP clsMainCom::GetDecimalPos(double* dblNumber, LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(lngResult, core_.GetDecimalPos(*dblNumber));
    });
}

STDMETHODIMP clsMainCom::SplitString(BSTR* strList, BSTR* strDelimiter, VARIANT* vntArrayList, LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        Variant parts = FromVARIANT(*vntArrayList);
        long count = core_.SplitString(Text(strList), Text(strDelimiter), parts);
        StoreVARIANT(parts, vntArrayList);
        return HandOut(lngResult, count);
    });
}

STDMETHODIMP clsMainCom::CommaToDot(VARIANT* vntNumber, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.CommaToDot(FromVARIANT(*vntNumber)));
    });
}

STDMETHODIMP clsMainCom::ExtractNumber(BSTR* strText, LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(lngResult, core_.ExtractNumber(Text(strText)));
    });
}

STDMETHODIMP clsMainCom::GetMaxFileNumber(BSTR* strSourceFolder, LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(lngResult, core_.GetMaxFileNumber(Text(strSourceFolder)));
    });
}

STDMETHODIMP clsMainCom::WarningBox(BSTR* strText) {
    return Guard(IID_IclsMain, [&] {
        core_.WarningBox(Text(strText));
        return S_OK;
    });
}

STDMETHODIMP clsMainCom::GetTempFile(BSTR* strPrefix, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.GetTempFile(Text(strPrefix)));
    });
}

STDMETHODIMP clsMainCom::ColumnToChar(LONG* lngColumn, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.ColumnToChar(*lngColumn));
    });
}

STDMETHODIMP clsMainCom::CharToColumn(BSTR* strColumn, LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(lngResult, core_.CharToColumn(Text(strColumn)));
    });
}

STDMETHODIMP clsMainCom::WrapText(BSTR* strText, LONG* lngMargin, VARIANT* strWrapableChars, VARIANT* strWrapChar,
                                  VARIANT* vntResult) {
    return Guard(IID_IclsMain, [&] {
        std::wstring wrapped = core_.WrapText(Text(strText), *lngMargin, Optional(strWrapableChars, L" ").ToString(),
                                              Optional(strWrapChar, L"\r\n").ToString());
        return HandOut(vntResult, Variant(wrapped));
    });
}

STDMETHODIMP clsMainCom::GetCharPos(LONG* lngStart, BSTR* strString, BSTR* strCharsToSearchFor,
                                    BSTR* strFoundChar, LONG* lngResult) {
    return Guard(IID_IclsMain, [&] {
        std::wstring found = Text(strFoundChar);
        long position = core_.GetCharPos(*lngStart, Text(strString), Text(strCharsToSearchFor), found);
        Assign(strFoundChar, found);
        return HandOut(lngResult, position);
    });
}

STDMETHODIMP clsMainCom::GetApplication(::enuApplication* lngApplication, VARIANT_BOOL* blnVisible,
                                        IDispatch** objResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(objResult, core_.GetApplication(*lngApplication, Flag(blnVisible)));
    });
}

STDMETHODIMP clsMainCom::GetRelativePath(BSTR* strPath1, BSTR* strPath2, BSTR* strResult) {
    return Guard(IID_IclsMain, [&] {
        return HandOut(strResult, core_.GetRelativePath(Text(strPath1), Text(strPath2)));
    });
}

}  // namespace kv::com
