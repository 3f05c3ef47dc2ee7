#pragma once
// Shortcuts that run one action of the program: what the options page "Verknüpfung" passes,
// the command line written into the link, the target folders, the checks and questions, and
// the enabling rules of the page as plain functions. The page keeps only its controls; no
// window of the dialog is included here.
#include <windows.h>

#include <string>

namespace kvr {

// The target folders, in the order of the page's option buttons optPath(0..3).
enum enuLinkPlace : long {
    conLP_Desktop = 0,      // the user's desktop
    conLP_Startmenu = 1,    // the user's Start menu, or the typed folder when one is given
    conLP_OtherFolder = 2,  // the typed folder
    conLP_QuickLaunch = 3,  // the quick launch bar
};

// Below AppData: the quick launch bar's folder.
inline constexpr const wchar_t* conQuickLaunchSubFolder = L"Microsoft\\Internet Explorer\\Quick Launch\\";

// What the page hands to CreateLink, read from its controls as they stand (CreateLink trims).
struct LinkRequest {
    std::wstring Action;          // text of cboLinks (an ActionText)
    std::wstring Name;            // txtLinkName
    std::wstring Path;            // txtLinkPath
    long Place = conLP_Desktop;   // selected optPath
    bool Confirmation = false;    // chkConfirmation: the link asks first (/C)
    bool QuitImmediate = false;   // chkQuitImmediateLink: the link forces (/F); never for "Sperren"
};

// The control that gets the focus after a refused input.
enum enuLinkField : long {
    conLF_None = 0,
    conLF_Action = 1,  // cboLinks
    conLF_Name = 2,    // txtLinkName
    conLF_Path = 3,    // txtLinkPath
    conLF_Place = 4,   // the selected optPath (its folder could not be found)
};

struct LinkResult {
    // The link was written (after "Verknüpfung wurde erstellt.").
    bool Created = false;
    // After a refused input: where the focus goes (the message has been shown).
    long Focus = conLF_None;
    // The link file written, or that would have been written (empty before the folder is known).
    std::wstring LinkFile;
    // The page unticks chkQuitImmediateLink afterwards (QuitSaveImmediate is clear).
    bool ClearQuitImmediate = false;
};

// The button "&Verknüpfung erstellen...": checks the request, asks (owner = the dialog) and
// writes the link running ProgramFileName() with LinkParameters. Every message and question
// goes through the message-box seam with the application's title; an existing link of the
// same name is replaced only after a second Yes; a failure is shown through ShowError and
// gives Created = False with Focus = conLF_None. Never raises.
LinkResult CreateLink(HWND owner, const LinkRequest& request);

// ---- The pieces of CreateLink, for the page and for tests ----

// The name without "/", "\", ":", "|", ">", "<", "*", "?" and '"', trimmed, without a typed
// ".lnk" (the link gets it when written); "" when only dots and blanks are left.
std::wstring CleanLinkName(const std::wstring& strName);
// The arguments of a link for the ActionText: "/T:n" (n read from the text before ": "),
// " /S:"system"" when the text names a system, " /C" with blnConfirmation, " /F" with
// blnQuitImmediate unless the action is "Sperren". "" when the text names no action.
std::wstring LinkParameters(const std::wstring& strAction, bool blnConfirmation, bool blnQuitImmediate);
// The target folder of a place with a trailing "\": the desktop, the typed path (or the
// Start menu without one), the typed path, the quick launch folder. "" when the system
// folder cannot be found, or for conLP_OtherFolder without a path.
std::wstring LinkFolder(long lngPlace, const std::wstring& strPath);
// AppData + conQuickLaunchSubFolder; "" when AppData cannot be found.
std::wstring QuickLaunchFolder();

// ---- Enabling rules of the page ----

// optPath(3) is offered only when the quick launch folder holds a file (it exists and the bar
// is in use).
bool QuickLaunchAvailable();
// The place to select at opening: a remembered LastPathOption of 3 (or any number outside
// 0-3) becomes 0 when the quick launch bar is not offered.
long AvailableLinkPlace(long lngLastPathOption, bool blnQuickLaunchAvailable);
// ShowPathType: txtLinkPath and cmdBrowse are enabled (window colour) for places 1 and 2,
// disabled (button-face colour) for 0 and 3.
bool LinkPathEnabled(long lngPlace);
// LinkActionChanged: txtLinkName takes the text of cboLinks, and chkQuitImmediateLink is
// enabled when AllowUnsaveQuit (chkAllowUnsaveQuit) is ticked and the action is not "Sperren".
std::wstring LinkNameForAction(const std::wstring& strAction);
bool LinkQuitImmediateEnabled(const std::wstring& strAction, bool blnAllowUnsaveQuit);

// BrowsePath: the shell's folder browser (title "Pfad für Verknüpfung:", root the Start menu
// for place 1, else the computer's drives). True with strPath set unless cancelled.
bool BrowsePath(HWND owner, long lngPlace, std::wstring& strPath);
// The same browser for any root (a CSIDL); blnComputers browses for computers and hands back
// the computer's name (as the remote page's BrowseComputer needs, root conWsf_Network).
bool BrowseForFolder(HWND owner, const std::wstring& strTitle, long lngRoot, bool blnComputers,
                     std::wstring& strResult);

}  // namespace kvr
