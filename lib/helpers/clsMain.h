#pragma once
// clsMain: the toolbox class of KVCore (strings, numbers, dates, lists, file names, system
// folders, windows) and the error convention every component follows.
//
// Core conventions: strings are std::wstring, "anything" parameters are kv::Variant, errors
// are raised as kv::KVError. Forms and controls are window handles; caller objects without
// a window equivalent (collections, option-button arrays, databases, forms with named
// controls) are IDispatch pointers driven late-bound.
#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "KVError.h"
#include "MessageTable.h"
#include "Variant.h"
#include "enuWhichInfo.h"

namespace kv {

enum enuSortOrder : long { conSO_Ascending = 0, conSO_Descending = 1 };
enum enuListMode : long { conListSingleSeperation = 0, conListBracketSeperation = 1 };
enum enuDirection : long { conDir_Before = 1, conDir_After = 2 };
enum enuDefault : long { conDef_DefaultSetting = 0, conDef_UserSetting = -1 };
enum enuSysWindowOnTop : long { conSysWindowOnTop = 0, conSysWindowNotOnTop = 1 };
enum enuNumberFormat : long { conNF_NumberInteger = 0, conNF_NumberFloatingPoint = 1 };
enum enuReplaceWhat : long { conRW_ReplaceAll = 0, conRW_ReplaceOnce = 1 };
enum enuFNCheckType : long {
    conDTFNCT_Normal = 0,
    conDTFNCT_WithSign = 1,
    conDTFNCT_WithDeciamlSep = 2,
    conDTFNCT_WithAll = 3,
};
enum mglDTCheckType : long {
    conDTCT_DateOrTime = 0,
    conDTCT_DateAndTime = 1,
    conDTCT_Date = 2,
    conDTCT_Time = 3,
};
// The platform's drive-type codes.
enum enuDriveType : long {
    conDt_NotAvailable = 0,
    conDt_Removable = 2,
    conDt_Fixed = 3,
    conDt_Network = 4,
    conDt_CDRom = 5,
    conDt_RAMDisk = 6,
};
enum enuApplication : long { conApp_Access = 0, conApp_Excel = 1, conApp_Outlook = 2, conApp_Word = 3 };
enum enuWindowState : long {
    conWs_Visible = 0,
    conWs_Hidden = 1,
    conWs_Maximized = 2,
    conWs_Minimized = 3,
    conWs_Normal = 4,
    conWs_Nothing = 5,
};
enum enuGridSortDirection : long { conGridDescending = 0, conGridAscending = 1 };

// Below 4096 the platform's special-folder (CSIDL) numbers; from 4096 the class's own.
enum enuWinSystemFolders : long {
    conWsf_Desktop = 0,
    conWsf_StartmenuPrograms = 2,
    conWsf_ControlPanel = 3,
    conWsf_Printers = 4,
    conWsf_Documents = 5,
    conWsf_Favorits = 6,
    conWsf_Autostart = 7,
    conWsf_Recent = 8,
    conWsf_SendTo = 9,
    conWsf_RecyleBin = 10,
    conWsf_Startmenu = 11,
    conWsf_DesktopFiles = 16,
    conWsf_MyComputer = 17,
    conWsf_Network = 18,
    conWsf_NetworkFiles = 19,
    conWsf_Fonts = 20,
    conWsf_Templates = 21,
    conWsf_StartmenuAllUsers = 22,
    conWsf_StartmenuProgramsAllUsers = 23,
    conWsf_AutostartAllUsers = 24,
    conWsf_DesktopAllUsers = 25,
    conWsf_AppData = 26,
    conWsf_PrinterEnvironment = 27,
    conWsf_FavoritsAllUsers = 31,
    conWsf_InternetFiles = 32,
    conWsf_Cookies = 33,
    conWsf_History = 34,
    conWsf_AppDataAllUsers = 35,
    conWsf_TemplatesAllUsers = 45,
    conWsf_DocumentsAllUsers = 46,
    conWsf_Windows = 4096,
    conWsf_System = 4097,
    conWsf_Temp = 4098,
    conWsf_Common = 4099,
    conWsf_Programs = 4100,
    conWsf_Media = 4101,
    conWsf_Config = 4102,
    conWsf_Device = 4103,
    conWsf_OtherDevice = 4104,
    conWsf_Wallpaper = 4105,
};

class clsMain {
public:
    // Project and module named in the chains of errors this class forwards.
    static constexpr const wchar_t* conProject = L"KVCore";
    static constexpr const wchar_t* conModule = L"clsMain";
    // Identifier the close item of a system menu carries while DisableXButton holds it.
    static constexpr UINT conDisabledCloseId = static_cast<UINT>(-10);

    // ---- Members the system calls, in slot order ----

    // Index of the first option button whose Value is True, scanning 0, 1, ...; the last
    // index (Count - 1) when none of the earlier ones is set. The HWND form scans radio
    // buttons (BM_GETCHECK) by the same rule.
    long GetSelectedOption(IDispatch* ctlOption);
    long GetSelectedOption(const std::vector<HWND>& ctlOption);
    // Sets the Value of button lngIndex to True (BM_SETCHECK for radio buttons).
    void SetSelectedOption(IDispatch* ctlOption, long lngIndex);
    void SetSelectedOption(const std::vector<HWND>& ctlOption, long lngIndex);

    // True when the collection yields an item for the key or index; False when the lookup
    // fails. A collection with an Exists method (a dictionary) is asked that instead, so the
    // lookup cannot add the key.
    bool ExistCollectionEntry(const Variant& vntKey, IDispatch* colCollection);

    // Digits and "-" (plus the locale decimal separator for conNF_NumberFloatingPoint);
    // Null, Empty and "" give False. With both bounds given (not Empty, not Null) the value
    // must lie within them, both included; swapped bounds are put in order.
    bool IsNumber(const Variant& vntNumber, long lngFormat = conNF_NumberInteger,
                  const Variant& dblRangeStart = Variant(), const Variant& dblRangeEnd = Variant());

    // Removes one trailing "\" if present.
    std::wstring DirRemoveBackslash(const std::wstring& strDirectory);
    // Appends "\" unless the text already ends with one ("" becomes "\").
    std::wstring DirAddBackslash(const std::wstring& strDirectory);

    // Replaces the close item (position 6) of the window's system menu by a greyed item
    // conDisabledCloseId, remembering its identifier; EnableXButton puts it back.
    void DisableXButton(HWND frmForm);
    void EnableXButton(HWND frmForm);
    // Topmost for conSysWindowOnTop, not topmost for any other value; no move or resize.
    void WindowOnTop(HWND frmForm, long lngState);

    // ---- Error convention ----
    // Shows the error (critical icon, set-foreground, style 0x10010) through the message-box
    // seam: title = project chain, location = place chain, text = first description field.
    void ShowError(const std::wstring& strProject, const std::wstring& strModul,
                   const std::wstring& strFunction, long lngErrorNumber,
                   const std::wstring& strErrorDescription);
    void ShowError(const std::wstring& strProject, const std::wstring& strModul,
                   const std::wstring& strFunction, const KVError& error);
    // Forwards lngTransformedNumber with its filled table message when lngErrorNumber is
    // lngErrorToTransform, else forwards the error unchanged.
    [[noreturn]] void TransformError(const std::wstring& strProject, const std::wstring& strModule,
                                     const std::wstring& strFunction, long lngErrorNumber,
                                     const std::wstring& strErrorDescription, long lngErrorToTransform,
                                     long lngTransformedNumber, const Variant& vntParam1 = L"",
                                     const Variant& vntParam2 = L"", const Variant& vntParam3 = L"",
                                     const Variant& vntParam4 = L"", const Variant& vntParam5 = L"");
    // When blnErrorCondition is True: raises lngErrorNumber with "API: " + system message.
    void CreateAPIError(long lngErrorNumber, bool blnErrorCondition);
    // Raises lngErrorNumber again with the location chain extended (see ForwardedDescription).
    [[noreturn]] void ForwardError(const std::wstring& strProject, const std::wstring& strModul,
                                   const std::wstring& strFunction, long lngErrorNumber,
                                   const std::wstring& strErrorDescription);
    [[noreturn]] void ForwardError(const std::wstring& strProject, const std::wstring& strModul,
                                   const std::wstring& strFunction, const KVError& error);
    // Raises lngErrorNumber with its table message, placeholders filled.
    [[noreturn]] void GenerateError(long lngErrorNumber, const Variant& vntParam1 = L"",
                                    const Variant& vntParam2 = L"", const Variant& vntParam3 = L"",
                                    const Variant& vntParam4 = L"", const Variant& vntParam5 = L"");
    // The description ForwardError raises: "desc @@@ place @@@ project" on the first hop,
    // then each hop's place and project put at the front of their chains with " --> ".
    // A description that is no well-formed chain (marks at its start or end, only marks)
    // becomes one, its missing fields empty.
    static std::wstring ForwardedDescription(const std::wstring& strProject, const std::wstring& strModul,
                                             const std::wstring& strFunction,
                                             const std::wstring& strErrorDescription);
    // The system message of an error code ("" when the system has none).
    static std::wstring SystemMessage(long lngErrorNumber);

    // When both are non-zero and the size exceeds the maximum (or blnNeverZoom is False):
    // scales width and height by one factor to fit the maximum, rounded to whole numbers.
    void TransformSize(long& lngWidth, long& lngHeight, long lngMaxWidth, long lngMaxHeight,
                       bool blnNeverZoom);

    // A system folder (enuWinSystemFolders) with trailing "\"; "" on failure.
    std::wstring GetSystemFolder(long lngFolder);

    // vntRetValue when vntValue is Null, else vntValue.
    Variant Nz(const Variant& vntValue, const Variant& vntRetValue = L"");

    // Pads with the first character of strChar to lngLength: before the text unless
    // lngDirection is conDir_After; longer texts come back unchanged. A length no string can
    // hold raises 14.
    std::wstring FillString(const std::wstring& strText, const std::wstring& strChar, long lngLength,
                            long lngDirection = conDir_Before);

    // A locale entry (enuWhichInfo) of the user's locale; blnDefault given and False reads
    // the platform default instead of the user's override. "" when there is none.
    std::wstring GetRegionalInfo(long lngWhichInfo, std::optional<bool> blnDefault = std::nullopt);

    // Rounds to a multiple of dblPrecision, halves away from zero.
    double Round(double dblNumber, double dblPrecision);

    // Folder up to and including the last "\", file up to the first ".", extension after it.
    void SplitFilename(const std::wstring& strFileName, std::wstring& strFolder, std::wstring& strFile,
                       std::wstring& strExtension);

    // Brings the window to the foreground, attaching the foreground thread's input if needed.
    void SetForgroundForm(HWND frmForm);

    // The drive type of the first letter + ":\" (the current drive for "").
    enuDriveType DriveType(const std::wstring& strDrive);

    // Item lngColumn of a marker-separated list; lngStartPos is where the search starts
    // (1 when 0) and receives the position of the item's start marker (0: not found).
    std::wstring ExtractItem(long& lngStartPos, const std::wstring& strString,
                             const std::wstring& strMarkerStartChar,
                             const std::wstring& strMarkerEndChar = L"", long lngColumn = 1,
                             long lngListMode = conListSingleSeperation);

    // 0 for "", else 1 + the non-overlapping occurrences of strSeparator.
    long CountItemsInList(const std::wstring& strList, const std::wstring& strSeparator);

    // Removes every character of strCharsToRemove from both ends (case-sensitive).
    std::wstring TrimChars(const std::wstring& strString, const std::wstring& strCharsToRemove);

    // Focuses the control when it is visible and enabled (True), else False.
    bool SetFocus(HWND objControl);

    // True when one of the forms has the same window class as frmForm.
    bool FormOpen(HWND frmForm, const std::vector<HWND>& frmForms);
    // The forms of the calling thread (its top-level windows) as a forms collection.
    static std::vector<HWND> ThreadForms();
    // True when frmForm itself is one of the forms.
    bool IsFormLoaded(HWND frmForm, const std::vector<HWND>& colForms);

    // Sorts a 1-D array, or the rows of a 2-D array by column lngSortKey (default: the
    // second dimension's lower bound), in place. Non-arrays raise 13 "Only array allowed".
    void Sort(Variant& vntToSort, long lngSortOrder = conSO_Ascending,
              std::optional<long> lngSortKey = std::nullopt);
    void Sort(VariantArray& vntToSort, long lngSortOrder = conSO_Ascending,
              std::optional<long> lngSortKey = std::nullopt);

    // One synthetic key press: "{+X}", "{^X}", "{%X}" add Shift/Ctrl/Alt; key names such as
    // ENTER, TAB, F5; otherwise the first character.
    void SendKey(const std::wstring& strKey);

    // ---- Members nobody in the system calls ----

    // The number's text without exponent, locale decimal separator, sign kept.
    std::wstring ConvertNumberFromExponential(double dblValue);
    // First character that is not a digit (sign and/or decimal separator accepted per
    // enuFNCheckType); "" when there is none.
    std::wstring FirstNonNumChar(const std::wstring& strText, long lngChecktype = conDTFNCT_Normal);
    // Date and/or time validity (mglDTCheckType) against the locale's short-date format.
    bool IsValidDate(const std::wstring& strDate, long lngChecktype = conDTCT_DateOrTime);
    // vntReplaceWith when vntValue equals vntToReplace, else vntValue.
    Variant Az(const Variant& vntValue, const Variant& vntToReplace, const Variant& vntReplaceWith);
    // First character upper case, the rest lower case.
    std::wstring Caps(const std::wstring& strString);
    // 1-based position (from lngStart) of the first character that occurs in strCharsList.
    long InStrChars(long lngStart, const std::wstring& strText, const std::wstring& strCharsList);
    // True when the form's Controls hold a control of that name whose type name is strType
    // (any type when strType is "").
    Variant ExistControl(const std::wstring& strControl, const std::wstring& strType, IDispatch* frmForm);
    // First field of the first record of "SELECT field FROM table WHERE criteria" opened on
    // the database object; Null when there is no record.
    Variant DLookup(const std::wstring& strField, const std::wstring& strTable,
                    const std::wstring& strCriteria, IDispatch* dbDatabase);
    // Screen size, and the space the taskbar (and other docked bars) take from it.
    void GetDesktopSize(long& lngDesktopWidth, long& lngDesktopHeight, long& lngTaskbarWidth,
                        long& lngTaskbarHeight);
    // Display text with the locale's thousands separator and 0 to 9 decimal places; -1 keeps
    // the number's own decimals (at most nine). Numbers too long for the platform's formatter
    // raise 6, other place counts 5. UnFN reads such a text back.
    std::wstring FN(double dblNumber, long lngDecimalPlaces = -1);
    double UnFN(const std::wstring& strNumber);
    // True for "JA", "YES", "J", "Y" (any case), numbers other than 0 and True.
    bool ToBoolean(const Variant& vntValue);
    // First top-level window whose title matches (whole or part); nullptr when none.
    HWND SearchWindow(const std::wstring& strTitle, bool blnWholeMatch, bool blnCaseSensitive);
    // The full path of a file name.
    std::wstring ExpandFilename(const std::wstring& strFile);
    // 1-based position of the decimal point or comma in the number's text; 0 when none.
    long GetDecimalPos(double dblNumber);
    // Splits into a 0-based array of strings; returns the element count.
    long SplitString(const std::wstring& strList, const std::wstring& strDelimiter, Variant& vntArrayList);
    // The value's text with every comma replaced by a dot.
    std::wstring CommaToDot(const Variant& vntNumber);
    // The first run of digits in the text as a number (0 when there is none).
    long ExtractNumber(const std::wstring& strText);
    // The highest number in a file name of the folder (0 when none).
    long GetMaxFileNumber(const std::wstring& strSourceFolder);
    // A warning box titled "Warnung".
    void WarningBox(const std::wstring& strText);
    // Creates a new empty temporary file and returns its path.
    std::wstring GetTempFile(const std::wstring& strPrefix);
    // 1 -> "A", 27 -> "AA"; and back.
    std::wstring ColumnToChar(long lngColumn);
    long CharToColumn(const std::wstring& strColumn);
    // Wraps lines longer than lngMargin after the last wrapable character (or hard at the
    // margin), inserting strWrapChar; a wrapping blank is dropped.
    std::wstring WrapText(const std::wstring& strText, long lngMargin,
                          const std::wstring& strWrapableChars = L" ",
                          const std::wstring& strWrapChar = L"\r\n");
    // Position (from lngStart) of the first of several characters; strFoundChar receives it.
    long GetCharPos(long lngStart, const std::wstring& strString, const std::wstring& strCharsToSearchFor,
                    std::wstring& strFoundChar);
    // Attaches to a running office application (enuApplication) or starts one.
    ComPtr<IDispatch> GetApplication(long lngApplication, bool blnVisible = false);
    // Relative path from folder strPath1 to strPath2 with "..\" steps; strPath2 unchanged
    // when the two share no root.
    std::wstring GetRelativePath(const std::wstring& strPath1, const std::wstring& strPath2);

    // The identifier DisableXButton saved (0 after construction).
    long SavedCloseItemId() const { return savedCloseItemId_; }

private:
    long savedCloseItemId_ = 0;
    std::wstring savedCloseItemText_;  // so the restored close item keeps its caption
};

}  // namespace kv
