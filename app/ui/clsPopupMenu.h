#pragma once
// A popup menu with icons and titled separators, built per use: the tray menu and the
// context menus of the option lists. Items are added by name under a parent item's name;
// an item that gets children becomes a submenu. A caption starting with "-" is a separator,
// and the text after the "-" is drawn as its title ("-" or "- " is a plain line).
//
//   clsPopupMenu menu(hwndOwner, imageList, true, false);
//   menu.Add(L"", -1, L"mnuSep", L"-Herunterfahren");
//   menu.Add(L"", conMI_Shutdown, L"mnuShutdown", L"&Standard");
//   menu.SetDefault(L"mnuShutdown");
//   std::wstring chosen = menu.Popup(x, y);   // "" when nothing was chosen
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace kvr {

class clsPopupMenuItem {
public:
    clsPopupMenuItem(std::wstring strParent, long lngIcon, std::wstring strName, std::wstring strCaption)
        : parent_(std::move(strParent)), icon_(lngIcon), name_(std::move(strName)), caption_(std::move(strCaption)) {}

    const std::wstring& Name() const { return name_; }
    const std::wstring& Parent() const { return parent_; }
    const std::wstring& Caption() const { return caption_; }
    long Icon() const { return icon_; }

    bool Checked() const { return checked_; }
    void Checked(bool blnChecked) { checked_ = blnChecked; }
    bool Enabled() const { return enabled_; }
    void Enabled(bool blnEnabled) { enabled_ = blnEnabled; }

    bool IsSeparator() const { return !caption_.empty() && caption_[0] == L'-'; }
    // The title of a separator: the caption after "-", without surrounding blanks.
    std::wstring SeparatorTitle() const;

private:
    std::wstring parent_;
    long icon_;
    std::wstring name_;
    std::wstring caption_;
    bool checked_ = false;
    bool enabled_ = true;
};

class clsPopupMenu {
public:
    // hwndOwner receives the menu's drawing messages while it is shown (it is subclassed for
    // that time) and becomes the foreground window. imlIcons may be null (no icons).
    // blnShowIcons reserves the icon column and draws the icons; blnFlat draws the selection
    // and the titled separators flat instead of with raised edges.
    clsPopupMenu(HWND hwndOwner, HIMAGELIST imlIcons, bool blnShowIcons, bool blnFlat);
    ~clsPopupMenu();
    clsPopupMenu(const clsPopupMenu&) = delete;
    clsPopupMenu& operator=(const clsPopupMenu&) = delete;

    // Adds an item below the item named strParent ("" = the top level); lngIcon is an index
    // of the image list, -1 for none. Raises -52016 for an unknown parent or a separator as
    // parent, -52019 when a (non-separator) item of that name exists already.
    clsPopupMenuItem& Add(const std::wstring& strParent, long lngIcon, const std::wstring& strName,
                          const std::wstring& strCaption);
    // The first item of that name; raises -52016 when there is none.
    clsPopupMenuItem& Item(const std::wstring& strName);
    long Count() const { return static_cast<long>(items_.size()); }

    // Marks the item as the default (drawn bold; the one Enter chooses); "" clears.
    void SetDefault(const std::wstring& strName);
    std::wstring DefaultItem() const;

    // Shows the menu at the screen position and waits for the user: the chosen item's name,
    // or "" when the menu was closed without a choice.
    std::wstring Popup(long lngX, long lngY);

private:
    struct Shown;      // the resources of one Popup call
    class OwnerHook;  // the owner's drawing messages while Popup runs
    // Fills menu with the items below strParent, their submenus included.
    void Build(HMENU menu, const std::wstring& strParent) const;
    bool OwnsItem(ULONG_PTR data) const;
    void Measure(MEASUREITEMSTRUCT& mis) const;
    void Draw(const DRAWITEMSTRUCT& dis) const;
    LRESULT MenuChar(wchar_t key, HMENU menu) const;
    bool HasChildren(const clsPopupMenuItem& item) const;

    HWND owner_;
    HIMAGELIST icons_;
    bool showIcons_;
    bool flat_;
    std::vector<std::unique_ptr<clsPopupMenuItem>> items_;  // stable addresses: item data
    const clsPopupMenuItem* default_ = nullptr;
    Shown* shown_ = nullptr;  // while Popup runs
};

}  // namespace kvr
