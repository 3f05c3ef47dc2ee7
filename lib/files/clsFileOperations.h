#pragma once
// Copies, moves, renames and deletes files and folders through the shell's file operation,
// with its confirmations, progress window and recycle bin.
#include <windows.h>

#include <string>
#include <vector>

#include "FileConstants.h"
#include "Owned.h"
#include "Variant.h"

namespace kv {

class clsFileOperations {
public:
    static constexpr const wchar_t* conModule = L"clsFileOperations";

    // Title of the simple progress window.
    const std::wstring& ProgressText() const { return progressText_; }
    void ProgressText(const std::wstring& value) { progressText_ = value; }
    bool DeleteToRecycleBin() const { return deleteToRecycleBin_; }
    void DeleteToRecycleBin(bool value) { deleteToRecycleBin_ = value; }
    // False: wildcards in Source match files only, not folders. A folder named in Source is
    // copied, moved or deleted whole, with its sub-folders, either way.
    bool Recursive() const { return recursive_; }
    void Recursive(bool value) { recursive_ = value; }
    bool ConfirmActions() const { return confirmActions_; }
    void ConfirmActions(bool value) { confirmActions_ = value; }
    bool ConfirmMkdir() const { return confirmMkdir_; }
    void ConfirmMkdir(bool value) { confirmMkdir_ = value; }
    bool ShowErrorMessages() const { return showErrorMessages_; }
    void ShowErrorMessages(bool value) { showErrorMessages_ = value; }
    bool RenameOnCollision() const { return renameOnCollision_; }
    void RenameOnCollision(bool value) { renameOnCollision_ = value; }
    bool ShowProgressWindow() const { return showProgressWindow_; }
    void ShowProgressWindow(bool value) { showProgressWindow_ = value; }
    bool SimpleProgressWindow() const { return simpleProgressWindow_; }
    void SimpleProgressWindow(bool value) { simpleProgressWindow_ = value; }
    // Position of the progress window in twips, for conSPP_Manuel.
    long Top() const { return top_; }
    void Top(long value) { top_ = value; }
    long Left() const { return left_; }
    void Left(long value) { left_ = value; }
    enuSysWindowPosition WindowPosition() const { return windowPosition_; }
    void WindowPosition(enuSysWindowPosition value) { windowPosition_ = value; }
    // The form the owner modes place the progress window on.
    HWND Owner() const { return owner_; }
    void Owner(HWND value) { owner_ = value; }
    // Separates the paths of a list in Source and Destination; the empty text raises -52016.
    const std::wstring& ListSeparator() const { return listSeparator_; }
    void ListSeparator(const std::wstring& value);
    // One path, a ListSeparator-joined list or an array of paths. Empty items are skipped;
    // relative paths are taken from the current folder (for Rename, a bare new name stays
    // in its source's folder).
    const Variant& Source() const { return source_; }
    void Source(const Variant& value) { source_ = value; }
    const Variant& Destination() const { return destination_; }
    void Destination(const Variant& value) { destination_ = value; }

    // True when the shell reports success and the user cancelled no part of it.
    bool Copy();
    bool Move();
    bool Rename();
    bool Delete();

private:
    bool Perform(UINT function, const wchar_t* member);
    std::vector<std::wstring> Paths(const Variant& list) const;
    HWND ProgressOwner();

    std::wstring progressText_;
    bool deleteToRecycleBin_ = true;
    bool recursive_ = false;
    bool confirmActions_ = true;
    bool confirmMkdir_ = true;
    bool showErrorMessages_ = true;
    bool renameOnCollision_ = false;
    bool showProgressWindow_ = true;
    bool simpleProgressWindow_ = false;
    long top_ = 0;
    long left_ = 0;
    enuSysWindowPosition windowPosition_ = conSPP_ScreenCenter;
    HWND owner_ = nullptr;
    std::wstring listSeparator_ = L"|";
    Variant source_;
    Variant destination_;
    // The invisible window the progress window belongs to; it goes with this object.
    OwnedWindow progressOwner_;
};

}  // namespace kv
