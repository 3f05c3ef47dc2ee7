#include "clsFileOperations.h"

#include <shellapi.h>

#include "FilePaths.h"
#include "FilesMain.h"
#include "FilesText.h"
#include "LastError.h"
#include "WindowBase.h"

namespace kv {

namespace {

// The shell's list form: each path followed by a zero character, the whole by another.
std::wstring ShellList(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& p : paths) {
        list += p;
        list += L'\0';
    }
    list += L'\0';
    return list;
}

// The module this code is in (the DLL or the program that links the core).
HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// A window class of our own for the invisible owner: a script host's process may have no
// control classes registered.
const wchar_t* OwnerClass() {
    static const wchar_t* const name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = ThisModule();
        wc.lpszClassName = L"KVFilesProgressOwner";
        if (!RegisterClassW(&wc)) RaiseLastErrorIf(GetLastError() != ERROR_CLASS_ALREADY_EXISTS);
        return wc.lpszClassName;
    }();
    return name;
}

bool IsBareName(const std::wstring& path) { return path.find_first_of(L"\\/:") == std::wstring::npos; }

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

void clsFileOperations::ListSeparator(const std::wstring& value) {
    try {
        if (value.empty()) files::RaiseFilesError(files::conErrInvalid, L"ListSeparator");
        listSeparator_ = value;
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"ListSeparator", e);
    }
}

std::vector<std::wstring> clsFileOperations::Paths(const Variant& list) const {
    std::vector<std::wstring> items;
    if (list.Holds<std::shared_ptr<VariantArray>>()) {
        for (const Variant& item : list.Get<std::shared_ptr<VariantArray>>()->items) {
            std::wstring text = item.ToString();
            if (!text.empty()) items.push_back(std::move(text));
        }
    } else {
        items = files::NonEmptyItems(list.ToString(), listSeparator_);
    }
    for (std::wstring& item : items) item = files::FullPath(item);
    return items;
}

HWND clsFileOperations::ProgressOwner() {
    if (windowPosition_ == conSPP_WindowsStandard) return owner_;
    RECT place{};
    const bool onOwner = (windowPosition_ == conSPP_OwnerCenter || windowPosition_ == conSPP_OwnerStandard) &&
                         owner_ && GetWindowRect(owner_, &place);
    if (windowPosition_ == conSPP_Manuel) {
        place.left = TwipsToPixelsX(left_);
        place.top = TwipsToPixelsY(top_);
        place.right = place.left + 1;
        place.bottom = place.top + 1;
    } else if (onOwner && windowPosition_ == conSPP_OwnerStandard) {
        place.right = place.left + 1;
        place.bottom = place.top + 1;
    } else if (!onOwner) {
        RaiseLastErrorIf(!SystemParametersInfoW(SPI_GETWORKAREA, 0, &place, 0));
    }
    // The progress window is centred on its owner: an invisible window over the place.
    if (!progressOwner_) {
        progressOwner_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, OwnerClass(), L"", WS_POPUP, 0, 0, 1, 1, owner_, nullptr,
                                             ThisModule(), nullptr));
        RaiseLastErrorIf(!progressOwner_);
    }
    RaiseLastErrorIf(!SetWindowPos(progressOwner_.Get(), nullptr, place.left, place.top, place.right - place.left,
                                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE));
    return progressOwner_.Get();
}

bool clsFileOperations::Perform(UINT function, const wchar_t* member) {
    try {
        std::vector<std::wstring> from = Paths(source_);
        std::vector<std::wstring> to;
        if (function != FO_DELETE) to = Paths(destination_);
        if (function == FO_RENAME && destination_.IsString()) {
            // A bare new name renames in place, whatever the current folder is.
            std::vector<std::wstring> names = files::NonEmptyItems(destination_.ToString(), listSeparator_);
            for (size_t i = 0; i < names.size() && i < from.size() && i < to.size(); ++i)
                if (IsBareName(names[i])) to[i] = FolderOf(from[i]) + names[i];
        }
        if (from.empty()) return false;

        FILEOP_FLAGS flags = 0;
        if (deleteToRecycleBin_) flags |= FOF_ALLOWUNDO;
        if (!recursive_) flags |= FOF_FILESONLY;
        if (!confirmActions_) flags |= FOF_NOCONFIRMATION;
        if (!confirmMkdir_) flags |= FOF_NOCONFIRMMKDIR;
        if (!showErrorMessages_) flags |= FOF_NOERRORUI;
        if (renameOnCollision_) flags |= FOF_RENAMEONCOLLISION;
        if (!showProgressWindow_) flags |= FOF_SILENT;
        if (simpleProgressWindow_) flags |= FOF_SIMPLEPROGRESS;
        if (to.size() > 1) flags |= FOF_MULTIDESTFILES;  // one destination per source

        std::wstring fromList = ShellList(from);
        std::wstring toList = ShellList(to);
        SHFILEOPSTRUCTW op{};
        op.hwnd = ProgressOwner();
        op.wFunc = function;
        op.pFrom = fromList.c_str();
        op.pTo = function == FO_DELETE ? nullptr : toList.c_str();
        op.fFlags = flags;
        op.lpszProgressTitle = progressText_.c_str();
        int result = SHFileOperationW(&op);
        return result == 0 && !op.fAnyOperationsAborted;
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, member, e);
    }
}

bool clsFileOperations::Copy() { return Perform(FO_COPY, L"Copy"); }
bool clsFileOperations::Move() { return Perform(FO_MOVE, L"Move"); }
bool clsFileOperations::Rename() { return Perform(FO_RENAME, L"Rename"); }
bool clsFileOperations::Delete() { return Perform(FO_DELETE, L"Delete"); }

}  // namespace kv
