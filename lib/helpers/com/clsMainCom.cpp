#include "clsMainCom.h"

#include "ComVariant.h"
#include "LateBound.h"

#define KVCORE_TRY KV_COM_TRY
#define KVCORE_CATCH KV_COM_CATCH(L"KVCore", IID_IclsMain)

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
    KVCORE_TRY
    *lngResult = core_.GetSelectedOption(Object(ctlOption));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::SetSelectedOption(IDispatch** ctlOption, LONG* lngIndex) {
    KVCORE_TRY
    core_.SetSelectedOption(Object(ctlOption), *lngIndex);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::ExistCollectionEntry(VARIANT* vntKey, IDispatch** colCollection, VARIANT_BOOL* blnResult) {
    KVCORE_TRY
    *blnResult = ToVariantBool(core_.ExistCollectionEntry(FromVARIANT(*vntKey), Object(colCollection)));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::IsNumber(VARIANT* vntNumber, ::enuNumberFormat* lngFormat, VARIANT* dblRangeStart,
                                  VARIANT* dblRangeEnd, VARIANT_BOOL* blnResult) {
    KVCORE_TRY
    *blnResult = ToVariantBool(core_.IsNumber(FromVARIANT(*vntNumber), *lngFormat, Optional(dblRangeStart, Variant()),
                                       Optional(dblRangeEnd, Variant())));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::DirRemoveBackslash(BSTR* strDirectory, VARIANT* vntResult) {
    KVCORE_TRY
    ToVARIANT(Variant(core_.DirRemoveBackslash(Text(strDirectory))), vntResult);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::DirAddBackslash(BSTR* strDirectory, VARIANT* vntResult) {
    KVCORE_TRY
    ToVARIANT(Variant(core_.DirAddBackslash(Text(strDirectory))), vntResult);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::DisableXButton(IDispatch** frmForm) {
    KVCORE_TRY
    core_.DisableXButton(Window(frmForm));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::EnableXButton(IDispatch** frmForm) {
    KVCORE_TRY
    core_.EnableXButton(Window(frmForm));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::WindowOnTop(IDispatch** frmForm, ::enuSysWindowOnTop* lngState) {
    KVCORE_TRY
    core_.WindowOnTop(Window(frmForm), *lngState);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::ShowError(BSTR* strProject, BSTR* strModul, BSTR* strFunction, LONG* lngErrorNumber,
                                   BSTR* strErrorDescription) {
    KVCORE_TRY
    core_.ShowError(Text(strProject), Text(strModul), Text(strFunction), *lngErrorNumber, Text(strErrorDescription));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::TransformError(BSTR* strProject, BSTR* strModule, BSTR* strFunction, LONG* lngErrorNumber,
                                        BSTR* strErrorDescription, LONG* lngErrorToTransform,
                                        LONG* lngTransformedNumber, VARIANT* vntParam1, VARIANT* vntParam2,
                                        VARIANT* vntParam3, VARIANT* vntParam4, VARIANT* vntParam5) {
    KVCORE_TRY
    core_.TransformError(Text(strProject), Text(strModule), Text(strFunction), *lngErrorNumber,
                         Text(strErrorDescription), *lngErrorToTransform, *lngTransformedNumber,
                         Optional(vntParam1, L""), Optional(vntParam2, L""), Optional(vntParam3, L""),
                         Optional(vntParam4, L""), Optional(vntParam5, L""));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::CreateAPIError(LONG* lngErrorNumber, VARIANT_BOOL* blnErrorCondition) {
    KVCORE_TRY
    core_.CreateAPIError(*lngErrorNumber, Flag(blnErrorCondition));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::ForwardError(BSTR* strProject, BSTR* strModul, BSTR* strFunction, LONG* lngErrorNumber,
                                      BSTR* strErrorDescription) {
    KVCORE_TRY
    core_.ForwardError(Text(strProject), Text(strModul), Text(strFunction), *lngErrorNumber,
                       Text(strErrorDescription));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GenerateError(LONG* lngErrorNumber, VARIANT* vntParam1, VARIANT* vntParam2,
                                       VARIANT* vntParam3, VARIANT* vntParam4, VARIANT* vntParam5) {
    KVCORE_TRY
    core_.GenerateError(*lngErrorNumber, Optional(vntParam1, L""), Optional(vntParam2, L""),
                        Optional(vntParam3, L""), Optional(vntParam4, L""), Optional(vntParam5, L""));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::TransformSize(LONG* lngWidth, LONG* lngHeight, LONG* lngMaxWidth, LONG* lngMaxHeight,
                                       VARIANT_BOOL* blnNeverZoom) {
    KVCORE_TRY
    core_.TransformSize(*lngWidth, *lngHeight, *lngMaxWidth, *lngMaxHeight, Flag(blnNeverZoom));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GetSystemFolder(::enuWinSystemFolders* lngFolder, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.GetSystemFolder(*lngFolder));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::Nz(VARIANT* vntValue, VARIANT* vntRetValue, VARIANT* vntResult) {
    KVCORE_TRY
    ToVARIANT(core_.Nz(FromVARIANT(*vntValue), Optional(vntRetValue, L"")), vntResult);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::FillString(BSTR strText, BSTR strChar, LONG lngLength, ::enuDirection lngDirection,
                                    BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.FillString(FromBSTR(strText), FromBSTR(strChar), lngLength, lngDirection));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GetRegionalInfo(::enuWhichInfo* lngWhichInfo, VARIANT* blnDefault, BSTR* strResult) {
    KVCORE_TRY
    std::optional<bool> useDefault;
    if (blnDefault && !IsMissing(*blnDefault)) useDefault = FromVARIANT(*blnDefault).ToBool();
    *strResult = ToBSTR(core_.GetRegionalInfo(*lngWhichInfo, useDefault));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::Round(double dblNumber, double dblPrecision, double* dblResult) {
    KVCORE_TRY
    *dblResult = core_.Round(dblNumber, dblPrecision);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::SplitFilename(BSTR strFileName, BSTR* strFolder, BSTR* strFile, BSTR* strExtension) {
    KVCORE_TRY
    std::wstring folder, file, extension;
    core_.SplitFilename(FromBSTR(strFileName), folder, file, extension);
    Assign(strFolder, folder);
    Assign(strFile, file);
    Assign(strExtension, extension);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::SetForgroundForm(IDispatch** frmForm) {
    KVCORE_TRY
    core_.SetForgroundForm(Window(frmForm));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::DriveType(BSTR* strDrive, ::enuDriveType* lngResult) {
    KVCORE_TRY
    *lngResult = static_cast<::enuDriveType>(core_.DriveType(Text(strDrive)));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::ExtractItem(LONG* lngStartPos, BSTR* strString, BSTR* strMarkerStartChar,
                                     VARIANT* strMarkerEndChar, VARIANT* lngColumn, ::enuListMode* lngListMode,
                                     BSTR* strResult) {
    KVCORE_TRY
    long start = *lngStartPos;
    std::wstring item = core_.ExtractItem(start, Text(strString), Text(strMarkerStartChar),
                                          Optional(strMarkerEndChar, L"").ToString(),
                                          Optional(lngColumn, 1L).ToLong(), *lngListMode);
    *strResult = ToBSTR(item);
    *lngStartPos = start;
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::CountItemsInList(BSTR strList, BSTR strSeparator, LONG* lngResult) {
    KVCORE_TRY
    *lngResult = core_.CountItemsInList(FromBSTR(strList), FromBSTR(strSeparator));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::TrimChars(BSTR strString, BSTR* strCharsToRemove, VARIANT* vntResult) {
    KVCORE_TRY
    ToVARIANT(Variant(core_.TrimChars(FromBSTR(strString), Text(strCharsToRemove))), vntResult);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::SetFocus(IDispatch** objControl, VARIANT_BOOL* blnResult) {
    KVCORE_TRY
    *blnResult = ToVariantBool(core_.SetFocus(Window(objControl)));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::FormOpen(IDispatch** frmForm, IDispatch** frmForms, VARIANT_BOOL* blnResult) {
    KVCORE_TRY
    *blnResult = ToVariantBool(core_.FormOpen(Window(frmForm), Windows(frmForms)));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::IsFormLoaded(IDispatch** frmForm, IDispatch** colForms, VARIANT* vntResult) {
    KVCORE_TRY
    ToVARIANT(Variant(core_.IsFormLoaded(Window(frmForm), Windows(colForms))), vntResult);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::Sort(VARIANT* vntToSort, ::enuSortOrder* lngSortOrder, VARIANT* lngSortKey) {
    KVCORE_TRY
    Variant values = FromVARIANT(*vntToSort);
    std::optional<long> key;
    if (lngSortKey && !IsMissing(*lngSortKey)) key = FromVARIANT(*lngSortKey).ToLong();
    core_.Sort(values, *lngSortOrder, key);
    StoreVARIANT(values, vntToSort);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::SendKey(BSTR strKey) {
    KVCORE_TRY
    core_.SendKey(FromBSTR(strKey));
    KVCORE_CATCH
}

// ---- Further members ----

STDMETHODIMP clsMainCom::ConvertNumberFromExponential(double* dblValue, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.ConvertNumberFromExponential(*dblValue));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::FirstNonNumChar(BSTR* strText, ::enuFNCheckType* lngChecktype, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.FirstNonNumChar(Text(strText), *lngChecktype));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::IsValidDate(BSTR* strDate, ::mglDTCheckType* lngChecktype, VARIANT_BOOL* blnResult) {
    KVCORE_TRY
    *blnResult = ToVariantBool(core_.IsValidDate(Text(strDate), *lngChecktype));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::Az(VARIANT* vntValue, VARIANT* vntToReplace, VARIANT* vntReplaceWith, VARIANT* vntResult) {
    KVCORE_TRY
    ToVARIANT(core_.Az(FromVARIANT(*vntValue), FromVARIANT(*vntToReplace), FromVARIANT(*vntReplaceWith)), vntResult);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::Caps(BSTR* strString, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.Caps(Text(strString)));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::InStrChars(LONG* lngStart, BSTR* strText, BSTR* strCharsList, LONG* lngResult) {
    KVCORE_TRY
    *lngResult = core_.InStrChars(*lngStart, Text(strText), Text(strCharsList));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::ExistControl(BSTR* strControl, BSTR* strType, IDispatch** frmForm, VARIANT* vntResult) {
    KVCORE_TRY
    ToVARIANT(core_.ExistControl(Text(strControl), Text(strType), Object(frmForm)), vntResult);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::DLookup(BSTR* strField, BSTR* strTable, BSTR* strCriteria, IDispatch** dbDatabase,
                                 VARIANT* vntResult) {
    KVCORE_TRY
    ToVARIANT(core_.DLookup(Text(strField), Text(strTable), Text(strCriteria), Object(dbDatabase)), vntResult);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GetDesktopSize(LONG* lngDesktopWidth, LONG* lngDesktopHeight, LONG* lngTaskbarWidth,
                                        LONG* lngTaskbarHeight) {
    KVCORE_TRY
    core_.GetDesktopSize(*lngDesktopWidth, *lngDesktopHeight, *lngTaskbarWidth, *lngTaskbarHeight);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::FN(double* dblNumber, VARIANT* lngDecimalPlaces, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.FN(*dblNumber, Optional(lngDecimalPlaces, -1L).ToLong()));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::UnFN(BSTR* strNumber, double* dblResult) {
    KVCORE_TRY
    *dblResult = core_.UnFN(Text(strNumber));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::ToBoolean(VARIANT* vntValue, VARIANT_BOOL* blnResult) {
    KVCORE_TRY
    *blnResult = ToVariantBool(core_.ToBoolean(FromVARIANT(*vntValue)));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::SearchWindow(BSTR* strTitle, VARIANT_BOOL* blnWholeMatch, VARIANT_BOOL* blnCaseSensitive,
                                      LONG* lngResult) {
    KVCORE_TRY
    HWND found = core_.SearchWindow(Text(strTitle), Flag(blnWholeMatch), Flag(blnCaseSensitive));
    *lngResult = static_cast<LONG>(reinterpret_cast<LONG_PTR>(found));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::ExpandFilename(BSTR* strFile, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.ExpandFilename(Text(strFile)));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GetDecimalPos(double* dblNumber, LONG* lngResult) {
    KVCORE_TRY
    *lngResult = core_.GetDecimalPos(*dblNumber);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::SplitString(BSTR* strList, BSTR* strDelimiter, VARIANT* vntArrayList, LONG* lngResult) {
    KVCORE_TRY
    Variant parts = FromVARIANT(*vntArrayList);
    *lngResult = core_.SplitString(Text(strList), Text(strDelimiter), parts);
    StoreVARIANT(parts, vntArrayList);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::CommaToDot(VARIANT* vntNumber, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.CommaToDot(FromVARIANT(*vntNumber)));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::ExtractNumber(BSTR* strText, LONG* lngResult) {
    KVCORE_TRY
    *lngResult = core_.ExtractNumber(Text(strText));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GetMaxFileNumber(BSTR* strSourceFolder, LONG* lngResult) {
    KVCORE_TRY
    *lngResult = core_.GetMaxFileNumber(Text(strSourceFolder));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::WarningBox(BSTR* strText) {
    KVCORE_TRY
    core_.WarningBox(Text(strText));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GetTempFile(BSTR* strPrefix, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.GetTempFile(Text(strPrefix)));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::ColumnToChar(LONG* lngColumn, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.ColumnToChar(*lngColumn));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::CharToColumn(BSTR* strColumn, LONG* lngResult) {
    KVCORE_TRY
    *lngResult = core_.CharToColumn(Text(strColumn));
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::WrapText(BSTR* strText, LONG* lngMargin, VARIANT* strWrapableChars, VARIANT* strWrapChar,
                                  VARIANT* vntResult) {
    KVCORE_TRY
    std::wstring wrapped = core_.WrapText(Text(strText), *lngMargin, Optional(strWrapableChars, L" ").ToString(),
                                          Optional(strWrapChar, L"\r\n").ToString());
    ToVARIANT(Variant(wrapped), vntResult);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GetCharPos(LONG* lngStart, BSTR* strString, BSTR* strCharsToSearchFor,
                                    BSTR* strFoundChar, LONG* lngResult) {
    KVCORE_TRY
    std::wstring found = Text(strFoundChar);
    *lngResult = core_.GetCharPos(*lngStart, Text(strString), Text(strCharsToSearchFor), found);
    Assign(strFoundChar, found);
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GetApplication(::enuApplication* lngApplication, VARIANT_BOOL* blnVisible,
                                        IDispatch** objResult) {
    KVCORE_TRY
    *objResult = core_.GetApplication(*lngApplication, Flag(blnVisible)).Detach();
    KVCORE_CATCH
}

STDMETHODIMP clsMainCom::GetRelativePath(BSTR* strPath1, BSTR* strPath2, BSTR* strResult) {
    KVCORE_TRY
    *strResult = ToBSTR(core_.GetRelativePath(Text(strPath1), Text(strPath2)));
    KVCORE_CATCH
}

}  // namespace kv::com
