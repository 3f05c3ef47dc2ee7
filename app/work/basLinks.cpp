// Shortcuts that run one action of the program: the checks, questions and messages of the
// link page, the command line written into the link, the target folders and the page's
// enabling rules.
#include "work/basLinks.h"

#include <shlobj.h>

#include <string_view>

#include "ComError.h"
#include "MessageBoxSeam.h"
#include "Owned.h"
#include "clsFileShortcut.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "work/basWorkText.h"
#include "DecimalText.h"

namespace kvr {

namespace {

// The page's procedures belong to the options module; errors name it.
constexpr const wchar_t* conModule = L"basOptions";
constexpr const wchar_t* conLinkNameForbidden = L"/\\:|><*?\"";

int Show(HWND owner, const std::wstring& text, UINT style) {
    return kv::MessageBoxes().Show(owner, text, VersionGlobal().InfoApplication(), style);
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The program's folder, where a link starts it.
std::wstring ProgramFolder() {
    std::wstring program = ProgramFileName();
    size_t slash = program.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : program.substr(0, slash + 1);
}

// A pidl of the shell, freed with the task allocator.
struct OwnedIdList {
    PIDLIST_ABSOLUTE pidl = nullptr;
    OwnedIdList() = default;
    OwnedIdList(const OwnedIdList&) = delete;
    OwnedIdList& operator=(const OwnedIdList&) = delete;
    ~OwnedIdList() { CoTaskMemFree(pidl); }
};

}  // namespace

std::wstring CleanLinkName(const std::wstring& strName) {
    std::wstring cleaned;
    for (wchar_t c : strName) {
        if (!wcschr(conLinkNameForbidden, c)) cleaned += c;
    }
    cleaned = work::Trimmed(cleaned);
    // The extension is added when the link is written; a typed one would be doubled.
    constexpr std::wstring_view extension = L".lnk";
    if (cleaned.size() >= extension.size() &&
        work::SameText(cleaned.substr(cleaned.size() - extension.size()), std::wstring(extension)))
        cleaned = work::Trimmed(cleaned.substr(0, cleaned.size() - extension.size()));
    // Dots and blanks alone name no file.
    if (cleaned.find_first_not_of(L" .") == std::wstring::npos) cleaned.clear();
    return cleaned;
}

std::wstring LinkParameters(const std::wstring& strAction, bool blnConfirmation, bool blnQuitImmediate) {
    const long type = GetActionType(strAction);
    if (type == conAT_None) return L"";
    std::wstring parameters = L"/T:" + kv::DecimalText(type);
    std::wstring system;
    if (GetActionSystem(strAction, system) && !system.empty()) parameters += L" /S:" + Quoted(system);
    if (blnConfirmation) parameters += L" /C";
    if (blnQuitImmediate && type != conAT_Lock) parameters += L" /F";
    return parameters;
}

std::wstring QuickLaunchFolder() {
    std::wstring appData = Helper().GetSystemFolder(kv::conWsf_AppData);
    return appData.empty() ? appData : appData + conQuickLaunchSubFolder;
}

std::wstring LinkFolder(long lngPlace, const std::wstring& strPath) {
    const std::wstring path = work::Trimmed(strPath);
    std::wstring folder;
    switch (lngPlace) {
        case conLP_Desktop: folder = Helper().GetSystemFolder(kv::conWsf_Desktop); break;
        case conLP_Startmenu: folder = path.empty() ? Helper().GetSystemFolder(kv::conWsf_Startmenu) : path; break;
        case conLP_OtherFolder: folder = path; break;
        case conLP_QuickLaunch: folder = QuickLaunchFolder(); break;
        default: break;
    }
    return folder.empty() ? folder : Helper().DirAddBackslash(folder);
}

bool QuickLaunchAvailable() {
    const std::wstring folder = QuickLaunchFolder();
    if (folder.empty()) return false;
    WIN32_FIND_DATAW found{};
    kv::OwnedFindHandle search(FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                          nullptr, 0));
    if (!search) return false;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    } while (FindNextFileW(search.Get(), &found));
    return false;
}

long AvailableLinkPlace(long lngLastPathOption, bool blnQuickLaunchAvailable) {
    if (lngLastPathOption < conLP_Desktop || lngLastPathOption > conLP_QuickLaunch) return conLP_Desktop;
    if (lngLastPathOption == conLP_QuickLaunch && !blnQuickLaunchAvailable) return conLP_Desktop;
    return lngLastPathOption;
}

bool LinkPathEnabled(long lngPlace) { return lngPlace == conLP_Startmenu || lngPlace == conLP_OtherFolder; }

std::wstring LinkNameForAction(const std::wstring& strAction) { return strAction; }

bool LinkQuitImmediateEnabled(const std::wstring& strAction, bool blnAllowUnsaveQuit) {
    return blnAllowUnsaveQuit && GetActionType(strAction) != conAT_Lock;
}

LinkResult CreateLink(HWND owner, const LinkRequest& request) {
    LinkResult result;
    Shown(conModule, L"CreateLink", [&] {
        auto refuse = [&](const std::wstring& text, long focus) {
            Show(owner, text, MB_OK | MB_ICONEXCLAMATION);
            result.Focus = focus;
        };
        const std::wstring action = work::Trimmed(request.Action);
        if (action.empty()) return refuse(L"Keine Aktion für die Verknüpfung angegeben!", conLF_Action);
        // A text that names no action would give a command line the program refuses.
        const std::wstring parameters = LinkParameters(action, request.Confirmation, request.QuitImmediate);
        if (parameters.empty())
            return refuse(L"Unbekannte Aktion " + Quoted(action) + L" für die Verknüpfung angegeben!", conLF_Action);
        // Checked as it will be written: a name of nothing but removed characters is no name.
        const std::wstring name = CleanLinkName(request.Name);
        if (name.empty()) return refuse(L"Kein Name für die Verknüpfung angegeben!", conLF_Name);
        if (request.Place == conLP_OtherFolder && work::Trimmed(request.Path).empty())
            return refuse(L"Kein Verzeichnis für die Verknüpfung angegeben!", conLF_Path);
        const std::wstring folder = LinkFolder(request.Place, request.Path);
        if (folder.empty())
            return refuse(L"Das Verzeichnis für die Verknüpfung konnte nicht ermittelt werden!", conLF_Place);

        if (Show(owner,
                 L"Soll die Verknüpfung " + Quoted(name) + L" in " + Quoted(folder) + L" erstellt werden?",
                 MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
            return;
        // The page adds the extension itself, so every character of the name stays.
        result.LinkFile = folder + name + L".lnk";
        if (Exists(result.LinkFile) &&
            Show(owner,
                 L"Die Verknüpfung " + Quoted(name) + L" gibt es in " + Quoted(folder) +
                     L" bereits. Soll sie ersetzt werden?",
                 MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
            return;

        kv::clsFileShortcut link;
        link.LinkFile(result.LinkFile);
        link.File(ProgramFileName());
        link.Parameters(parameters);
        link.WorkingDirectory(ProgramFolder());
        link.Icon(0L);  // the program's own icon
        link.Create();
        result.Created = true;
        result.ClearQuitImmediate = !State().QuitSaveImmediate;
        Show(owner, L"Verknüpfung wurde erstellt.", MB_OK | MB_ICONINFORMATION);
    });
    return result;
}

bool BrowseForFolder(HWND owner, const std::wstring& strTitle, long lngRoot, bool blnComputers,
                     std::wstring& strResult) {
    bool chosen = false;
    Shown(conModule, blnComputers ? L"BrowseComputer" : L"BrowsePath", [&] {
        OwnedIdList root;
        HRESULT hr = SHGetSpecialFolderLocation(owner, static_cast<int>(lngRoot), &root.pidl);
        kv::com::CheckHr(hr);
        wchar_t displayName[MAX_PATH] = L"";
        BROWSEINFOW info{};
        info.hwndOwner = owner;
        info.pidlRoot = root.pidl;
        info.pszDisplayName = displayName;
        info.lpszTitle = strTitle.c_str();
        info.ulFlags = BIF_DONTGOBELOWDOMAIN | (blnComputers ? BIF_BROWSEFORCOMPUTER : 0);
        OwnedIdList picked;
        picked.pidl = SHBrowseForFolderW(&info);
        if (!picked.pidl) return;  // cancelled
        if (blnComputers) {
            strResult = displayName;
        } else {
            std::wstring path(MAX_PATH, L'\0');
            if (!SHGetPathFromIDListW(picked.pidl, path.data())) return;  // no file-system folder
            path.resize(wcslen(path.c_str()));
            strResult = path;
        }
        chosen = true;
    });
    return chosen;
}

bool BrowsePath(HWND owner, long lngPlace, std::wstring& strPath) {
    return BrowseForFolder(owner, L"Pfad für Verknüpfung:",
                           lngPlace == conLP_Startmenu ? kv::conWsf_Startmenu : kv::conWsf_MyComputer, false, strPath);
}

}  // namespace kvr
