#include "clsFileShortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>

#include "ComError.h"
#include "ComPtr.h"
#include "FilePaths.h"
#include "FilesMain.h"
#include "FilesText.h"
#include "Owned.h"

namespace kv {

namespace {

using com::CheckHr;

// From the shared message table.
constexpr long conErrFileNotFound = -52012;  // Datei "$1$" nicht gefunden.
constexpr long conErrPathNotFound = -52017;  // Pfad "$1$" nicht gefunden.

constexpr WORD conHotKeyModifiers = (HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT) << 8;
// The link format counts its strings in 16 bits.
constexpr int conMaxLinkText = 65536;

struct PathParts {
    std::wstring Folder;  // with its trailing "\"
    std::wstring Base;    // the name without a real extension
    bool HasExtension = false;
};

// Only the text after the last "." counts as an extension, and only when it holds a letter and
// no blank: "a.b.txt" has "txt", while "Windows beenden...", "XP 5.1" and "XP 5.1 Pro" have
// none and keep every character. Only the folder is made absolute, since the system's
// full-path rule would drop the name's trailing dots.
PathParts Split(const std::wstring& path) {
    PathParts parts;
    size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    parts.Folder = files::FullPath(slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1));
    if (parts.Folder.back() != L'\\') parts.Folder += L'\\';
    size_t dot = name.find_last_of(L'.');
    parts.HasExtension = dot != std::wstring::npos && name.find_first_of(L" \t", dot) == std::wstring::npos &&
                         std::any_of(name.begin() + dot, name.end(), [](wchar_t c) { return IsCharAlphaW(c); });
    parts.Base = parts.HasExtension ? name.substr(0, dot) : name;
    return parts;
}

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A file a normal directory listing shows: no folder, not hidden, not a system file.
bool IsListedFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// Reads a text of the link through a buffer that grows until the text fits.
std::wstring ReadText(const std::function<HRESULT(wchar_t*, int)>& read) {
    for (int size = MAX_PATH + 1;; size *= 2) {
        std::wstring buffer(static_cast<size_t>(size), L'\0');
        CheckHr(read(buffer.data(), size));
        size_t length = wcsnlen(buffer.data(), buffer.size());
        if (length + 1 < static_cast<size_t>(size) || size >= conMaxLinkText) return buffer.substr(0, length);
    }
}

ComPtr<IShellLinkW> NewShellLink() {
    ComPtr<IShellLinkW> link;
    CheckHr(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                             reinterpret_cast<void**>(link.Put())));
    return link;
}

ComPtr<IPersistFile> PersistFileOf(const ComPtr<IShellLinkW>& link) {
    ComPtr<IPersistFile> file;
    CheckHr(link.As(file));
    return file;
}

}  // namespace

void clsFileShortcut::HotKey(long value) {
    try {
        if (value < 0 || value > 0xFFFF || (value & conHotKeyModifiers)) files::RaiseFilesError(files::conErrInvalid, L"HotKey");
        hotKey_ = value;
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"HotKey", e);
    }
}

std::wstring clsFileShortcut::LinkPath(const std::wstring& strLinkFile) {
    if (strLinkFile.empty()) files::RaiseFilesError(files::conErrInvalid, L"LinkFile");
    PathParts parts = Split(strLinkFile);
    // A name of nothing but its extension (".lnk") or of blanks is no name.
    if (parts.Base.find_first_not_of(L" .") == std::wstring::npos)
        files::RaiseFilesError(files::conErrInvalid, L"LinkFile");
    return parts.Folder + parts.Base + L".lnk";
}

void clsFileShortcut::Create() {
    try {
        if (file_.empty()) files::RaiseFilesError(files::conErrInvalid, L"File");
        const std::wstring target = files::FullPath(file_);

        std::wstring linkPath;
        if (!linkFile_.empty()) {
            linkPath = LinkPath(linkFile_);
        } else {
            std::wstring desktop = FilesMain().GetSystemFolder(conWsf_Desktop);
            if (desktop.empty()) files::RaiseFilesError(conErrPathNotFound, desktop);
            linkPath = LinkPath(desktop + Split(target).Base);
        }

        if (!IsListedFile(target)) files::RaiseFilesError(conErrFileNotFound, file_);
        const std::wstring folder = Split(linkPath).Folder;
        if (!IsFolder(folder)) files::RaiseFilesError(conErrPathNotFound, folder);

        OleInitialization ole;  // for the shell's link object; a thread in another apartment keeps it
        ComPtr<IShellLinkW> link = NewShellLink();
        CheckHr(link->SetPath(target.c_str()));
        CheckHr(link->SetWorkingDirectory(workingDirectory_.c_str()));
        CheckHr(link->SetDescription(description_.c_str()));
        CheckHr(link->SetArguments(parameters_.c_str()));
        CheckHr(link->SetShowCmd(static_cast<int>(viewMode_)));
        WORD modifiers = (hotKeyShift_ ? HOTKEYF_SHIFT : 0) | (hotKeyCtrl_ ? HOTKEYF_CONTROL : 0) |
                         (hotKeyAlt_ ? HOTKEYF_ALT : 0);
        CheckHr(link->SetHotkey(static_cast<WORD>(hotKey_ | (modifiers << 8))));
        if (FilesMain().IsNumber(icon_)) {
            CheckHr(link->SetIconLocation(target.c_str(), icon_.ToLong()));
        } else {
            CheckHr(link->SetIconLocation(icon_.ToString().c_str(), 0));
        }
        // Never a dialog: the caller may be a script or a page without anyone to answer it.
        CheckHr(link->Resolve(nullptr, SLR_NO_UI | SLR_UPDATE));
        CheckHr(PersistFileOf(link)->Save(linkPath.c_str(), FALSE));
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"Create", e);
    }
}

void clsFileShortcut::GetInfos(const std::wstring& strLinkFile) {
    try {
        std::wstring path = strLinkFile.empty() ? linkFile_ : strLinkFile;
        if (path.empty()) return;
        PathParts parts = Split(path);
        path = parts.Folder + parts.Base + (parts.HasExtension ? path.substr(path.find_last_of(L'.')) : L".lnk");

        OleInitialization ole;
        ComPtr<IShellLinkW> link = NewShellLink();
        CheckHr(PersistFileOf(link)->Load(path.c_str(), STGM_READ));
        linkFile_ = path;

        file_ = ReadText([&](wchar_t* buffer, int size) {
            return link->GetPath(buffer, size, nullptr, SLGP_UNCPRIORITY);
        });
        workingDirectory_ = ReadText([&](wchar_t* buffer, int size) { return link->GetWorkingDirectory(buffer, size); });
        parameters_ = ReadText([&](wchar_t* buffer, int size) { return link->GetArguments(buffer, size); });
        description_ = ReadText([&](wchar_t* buffer, int size) { return link->GetDescription(buffer, size); });

        WORD word = 0;
        CheckHr(link->GetHotkey(&word));
        hotKeyShift_ = (word & (HOTKEYF_SHIFT << 8)) != 0;
        hotKeyCtrl_ = (word & (HOTKEYF_CONTROL << 8)) != 0;
        hotKeyAlt_ = (word & (HOTKEYF_ALT << 8)) != 0;
        hotKey_ = word & ~conHotKeyModifiers;

        int index = 0;
        std::wstring location = ReadText([&](wchar_t* buffer, int size) {
            return link->GetIconLocation(buffer, size, &index);
        });
        icon_ = SamePath(location, file_) ? Variant(static_cast<long>(index)) : Variant(location);

        int showCommand = 0;
        CheckHr(link->GetShowCmd(&showCommand));
        viewMode_ = showCommand;
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"GetInfos", e);
    }
}

}  // namespace kv
