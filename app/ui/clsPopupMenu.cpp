#include "ui/clsPopupMenu.h"

#include <algorithm>

#include "LastError.h"
#include "Owned.h"
#include "WindowBase.h"
#include "program/basGlobals.h"
#include "program/basMain.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"clsPopupMenu";

// Layout in pixels.
// Pixels at 96 dpi; a menu scales them to the screen's resolution.
constexpr int conColumnMargin = 4;    // around the icon in its column
constexpr int conTextGap = 6;         // between the icon column and the caption
constexpr int conRightSpace = 22;     // room for the submenu arrow the system draws
constexpr int conPlainSeparator = 7;  // height of a separator without title

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// A menu with its submenus: DestroyMenu takes them along.
struct MenuTraits {
    using Type = HMENU;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept { DestroyMenu(value); }
};
using OwnedMenu = kv::Owned<MenuTraits>;

COLORREF Mix(COLORREF a, COLORREF b, int percentOfB) {
    auto channel = [&](int ca, int cb) { return (ca * (100 - percentOfB) + cb * percentOfB) / 100; };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void HorizontalLine(HDC dc, int x0, int x1, int y, COLORREF colour) {
    RECT r{x0, y, x1, y + 1};
    Fill(dc, r, colour);
}

// The access key of a caption: the character after a single "&" ("&&" is a literal "&").
wchar_t AccessKey(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return caption[i + 1];
        ++i;
    }
    return 0;
}

wchar_t Upper(wchar_t c) {
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(c))));
}

}  // namespace

std::wstring clsPopupMenuItem::SeparatorTitle() const {
    if (!IsSeparator()) return L"";
    size_t first = caption_.find_first_not_of(L' ', 1);
    if (first == std::wstring::npos) return L"";
    size_t last = caption_.find_last_not_of(L' ');
    return caption_.substr(first, last - first + 1);
}

// Fonts and the menu of one Popup call, released when it returns.
struct clsPopupMenu::Shown {
    kv::OwnedFont normal;
    kv::OwnedFont bold;
    int iconSize = 16;
    int textHeight = 16;
    int dpi = 96;
    OwnedMenu menu;

    // Pixels at 96 dpi in pixels of the screen.
    int Px(int lngPixels96) const { return MulDiv(lngPixels96, dpi, 96); }
};

// Stands in front of the owner's procedure while the menu is shown: the items are drawn by
// the menu, and their access keys are resolved by it.
class clsPopupMenu::OwnerHook : public kv::WindowSubclass {
public:
    explicit OwnerHook(const clsPopupMenu& menu) : WindowSubclass(conProjectName, conModule), menu_(menu) {}

protected:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (!menu_.shown_) return false;
        switch (msg) {
            case WM_MEASUREITEM: {
                auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                if (mis->CtlType != ODT_MENU || !menu_.OwnsItem(mis->itemData)) return false;
                menu_.Measure(*mis);
                result = TRUE;
                return true;
            }
            case WM_DRAWITEM: {
                const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                if (dis->CtlType != ODT_MENU || !menu_.OwnsItem(dis->itemData)) return false;
                menu_.Draw(*dis);
                result = TRUE;
                return true;
            }
            case WM_MENUCHAR:
                if (HIWORD(wParam) & MF_SYSMENU) return false;
                result = menu_.MenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
                return true;
            default:
                return false;
        }
    }
    // Nothing is shown from inside the menu loop; the system then draws or measures nothing.
    void OnError(const wchar_t*, const kv::KVError&) override {}

private:
    const clsPopupMenu& menu_;
};

clsPopupMenu::clsPopupMenu(HWND hwndOwner, HIMAGELIST imlIcons, bool blnShowIcons, bool blnFlat)
    : owner_(hwndOwner), icons_(imlIcons), showIcons_(blnShowIcons), flat_(blnFlat) {}

clsPopupMenu::~clsPopupMenu() = default;

clsPopupMenuItem& clsPopupMenu::Add(const std::wstring& strParent, long lngIcon, const std::wstring& strName,
                                    const std::wstring& strCaption) {
    return Forwarded(conModule, L"Add", [&]() -> clsPopupMenuItem& {
        if (!strParent.empty()) {
            auto parent = std::find_if(items_.begin(), items_.end(), [&](const auto& item) {
                return !item->IsSeparator() && SameName(item->Name(), strParent);
            });
            if (parent == items_.end()) Helper().GenerateError(-52016, strParent);
        }
        auto item = std::make_unique<clsPopupMenuItem>(strParent, lngIcon, strName, strCaption);
        if (!item->IsSeparator()) {
            // The chosen item is reported by name, so two items of one name would be ambiguous.
            for (const auto& other : items_)
                if (!other->IsSeparator() && SameName(other->Name(), strName))
                    Helper().GenerateError(-52019, strName, strCaption);
        }
        items_.push_back(std::move(item));
        return *items_.back();
    });
}

clsPopupMenuItem& clsPopupMenu::Item(const std::wstring& strName) {
    return Forwarded(conModule, L"Item", [&]() -> clsPopupMenuItem& {
        for (const auto& item : items_)
            if (SameName(item->Name(), strName)) return *item;
        Helper().GenerateError(-52016, strName);
    });
}

void clsPopupMenu::SetDefault(const std::wstring& strName) {
    Forwarded(conModule, L"SetDefault", [&] {
        default_ = strName.empty() ? nullptr : &Item(strName);
    });
}

std::wstring clsPopupMenu::DefaultItem() const { return default_ ? default_->Name() : L""; }

bool clsPopupMenu::HasChildren(const clsPopupMenuItem& item) const {
    if (item.IsSeparator()) return false;
    return std::any_of(items_.begin(), items_.end(),
                       [&](const auto& other) { return SameName(other->Parent(), item.Name()); });
}

void clsPopupMenu::Build(HMENU menu, const std::wstring& strParent) const {
    UINT position = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        const clsPopupMenuItem& item = *items_[i];
        if (!SameName(item.Parent(), strParent)) continue;
        // No caption text is handed to the system: the access keys of owner-drawn items are
        // resolved in WM_MENUCHAR, so disabled items are skipped the same way everywhere.
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
        mii.fType = MFT_OWNERDRAW | (item.IsSeparator() ? MFT_SEPARATOR : 0);
        mii.fState = (item.Checked() ? MFS_CHECKED : 0) | (item.Enabled() ? 0 : MFS_GRAYED) |
                     (&item == default_ ? MFS_DEFAULT : 0);
        mii.wID = static_cast<UINT>(i + 1);
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
        OwnedMenu submenu;
        if (HasChildren(item)) {
            submenu.Reset(CreatePopupMenu());
            kv::RaiseLastErrorIf(!submenu);
            Build(submenu.Get(), item.Name());
            mii.fMask |= MIIM_SUBMENU;
            mii.hSubMenu = submenu.Get();
        }
        kv::RaiseLastErrorIf(!InsertMenuItemW(menu, position++, TRUE, &mii));
        (void)submenu.Release();  // the menu's from here; it goes with it
    }
}

std::wstring clsPopupMenu::Popup(long lngX, long lngY) {
    return Forwarded(conModule, L"Popup", [&]() -> std::wstring {
        if (shown_) throw kv::KVError(5, L"Invalid procedure call or argument");
        if (!IsWindow(owner_)) kv::RaiseApiError(ERROR_INVALID_WINDOW_HANDLE);
        if (!StartWindowing()) return L"";  // it said why; nothing was chosen

        Shown shown;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        kv::RaiseLastErrorIf(!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
        shown.normal.Reset(CreateFontIndirectW(&metrics.lfMenuFont));
        kv::RaiseLastErrorIf(!shown.normal);
        metrics.lfMenuFont.lfWeight = FW_BOLD;
        shown.bold.Reset(CreateFontIndirectW(&metrics.lfMenuFont));
        kv::RaiseLastErrorIf(!shown.bold);
        int cx = 16, cy = 16;
        if (icons_ && ImageList_GetIconSize(icons_, &cx, &cy)) shown.iconSize = std::max(16, cy);
        if (const kv::WindowDC dc(owner_); dc) {
            const kv::SelectedObject font(dc.Get(), shown.bold.Get());
            TEXTMETRICW tm{};
            if (GetTextMetricsW(dc.Get(), &tm)) shown.textHeight = tm.tmHeight;
            if (int dpi = GetDeviceCaps(dc.Get(), LOGPIXELSY); dpi > 0) shown.dpi = dpi;
        }
        shown.menu.Reset(CreatePopupMenu());
        kv::RaiseLastErrorIf(!shown.menu);
        Build(shown.menu.Get(), L"");

        // Gone again on every way out of here.
        OwnerHook hook(*this);
        hook.Attach(owner_);
        shown_ = &shown;
        // Foreground first, or the menu would not close when the user clicks elsewhere; the
        // posted message afterwards lets a second click on the tray icon open it again.
        SetForegroundWindow(owner_);
        SetLastError(ERROR_SUCCESS);
        UINT chosen = static_cast<UINT>(TrackPopupMenu(shown.menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                       static_cast<int>(lngX), static_cast<int>(lngY), 0,
                                                       owner_, nullptr));
        DWORD error = GetLastError();
        PostMessageW(owner_, WM_NULL, 0, 0);
        hook.Detach();
        shown_ = nullptr;

        // 0 is both "closed without a choice" and a failure; only the latter leaves an error.
        if (chosen == 0 && error == ERROR_POPUP_ALREADY_ACTIVE) kv::RaiseApiError(static_cast<long>(error));
        if (chosen == 0 || chosen > items_.size()) return L"";
        return items_[chosen - 1]->Name();
    });
}

bool clsPopupMenu::OwnsItem(ULONG_PTR data) const {
    return std::any_of(items_.begin(), items_.end(),
                       [&](const auto& item) { return reinterpret_cast<ULONG_PTR>(item.get()) == data; });
}

void clsPopupMenu::Measure(MEASUREITEMSTRUCT& mis) const {
    const auto& item = *reinterpret_cast<const clsPopupMenuItem*>(mis.itemData);
    const int column = shown_->iconSize + 2 * shown_->Px(conColumnMargin);
    std::wstring text = item.IsSeparator() ? item.SeparatorTitle() : item.Caption();
    if (item.IsSeparator() && text.empty()) {
        mis.itemWidth = static_cast<UINT>(column);
        mis.itemHeight = static_cast<UINT>(shown_->Px(conPlainSeparator));
        return;
    }
    bool bold = item.IsSeparator() || &item == default_;
    SIZE size{0, shown_->textHeight};
    if (const kv::WindowDC dc(owner_); dc) {
        const kv::SelectedObject font(dc.Get(), bold ? shown_->bold.Get() : shown_->normal.Get());
        RECT r{0, 0, 0, 0};
        DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | (item.IsSeparator() ? DT_NOPREFIX : 0));
        size.cx = r.right - r.left;
    }
    mis.itemWidth = static_cast<UINT>(column + shown_->Px(conTextGap) + size.cx + shown_->Px(conRightSpace));
    mis.itemHeight = static_cast<UINT>(item.IsSeparator() ? shown_->textHeight + shown_->Px(6)
                                                          : std::max(column - 2, shown_->textHeight + shown_->Px(8)));
}

void clsPopupMenu::Draw(const DRAWITEMSTRUCT& dis) const {
    const auto& item = *reinterpret_cast<const clsPopupMenuItem*>(dis.itemData);
    HDC dc = dis.hDC;
    RECT r = dis.rcItem;
    const int column = shown_->iconSize + 2 * shown_->Px(conColumnMargin);
    const COLORREF menuBack = GetSysColor(COLOR_MENU);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);

    if (item.IsSeparator()) {
        Fill(dc, r, menuBack);
        std::wstring title = item.SeparatorTitle();
        if (title.empty()) {
            int y = (r.top + r.bottom) / 2;
            if (flat_) {
                HorizontalLine(dc, r.left + 2, r.right - 2, y, GetSysColor(COLOR_3DSHADOW));
            } else {
                RECT line{r.left + 2, y, r.right - 2, y + 2};
                DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            }
        } else {
            // A tinted band with a bold title, so that group headers never read as items.
            RECT band{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
            Fill(dc, band, Mix(menuBack, highlight, 18));
            if (flat_) {
                HorizontalLine(dc, band.left, band.right, band.bottom - 1, highlight);
            } else {
                DrawEdge(dc, &band, BDR_RAISEDINNER, BF_RECT);
            }
            const int margin = shown_->Px(conColumnMargin);
            RECT text{band.left + margin + 2, band.top, band.right - margin, band.bottom};
            SelectObject(dc, shown_->bold.Get());
            SetTextColor(dc, Mix(highlight, RGB(0, 0, 0), 35));
            DrawTextW(dc, title.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        RestoreDC(dc, saved);
        return;
    }

    const bool grayed = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool checked = (dis.itemState & ODS_CHECKED) != 0;
    RECT iconCell{r.left, r.top, r.left + column, r.bottom};

    Fill(dc, r, menuBack);
    if (selected && !grayed) {
        RECT hot = r;
        if (!flat_) hot.left = iconCell.right;  // the icon gets a raised frame of its own
        Fill(dc, hot, highlight);
    } else if (selected) {
        RECT focus{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        DrawFocusRect(dc, &focus);
    }

    bool hasIcon = showIcons_ && icons_ && item.Icon() >= 0 && item.Icon() < ImageList_GetImageCount(icons_);
    if (checked) {
        RECT box{iconCell.left + 1, iconCell.top + 1, iconCell.right - 1, iconCell.bottom - 1};
        Fill(dc, box, Mix(menuBack, highlight, 25));
        DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    } else if (selected && !grayed && hasIcon && !flat_) {
        RECT box{iconCell.left + 1, iconCell.top + 1, iconCell.right - 1, iconCell.bottom - 1};
        DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
    }
    const int iconX = iconCell.left + (column - shown_->iconSize) / 2;
    const int iconY = iconCell.top + (iconCell.bottom - iconCell.top - shown_->iconSize) / 2;
    if (hasIcon) {
        if (grayed) {
            if (const kv::OwnedIcon icon(ImageList_GetIcon(icons_, item.Icon(), ILD_NORMAL)); icon) {
                DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, iconX, iconY, 0, 0,
                           DST_ICON | DSS_DISABLED);
            }
        } else {
            ImageList_Draw(icons_, item.Icon(), dc, iconX, iconY, ILD_TRANSPARENT);
        }
    } else if (checked) {
        // A check mark of two strokes where an icon would be.
        const kv::OwnedPen pen(CreatePen(PS_SOLID, 2, GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT)));
        if (pen) {
            const kv::SelectedObject drawing(dc, pen.Get());
            int cx = (iconCell.left + iconCell.right) / 2, cy = (iconCell.top + iconCell.bottom) / 2;
            POINT mark[] = {{cx - 4, cy}, {cx - 1, cy + 3}, {cx + 4, cy - 3}};
            Polyline(dc, mark, 3);
        }
    }

    COLORREF textColour = grayed ? GetSysColor(COLOR_GRAYTEXT)
                                 : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_MENUTEXT);
    SetTextColor(dc, textColour);
    SelectObject(dc, (dis.itemState & ODS_DEFAULT) || &item == default_ ? shown_->bold.Get() : shown_->normal.Get());
    UINT format = DT_SINGLELINE | DT_VCENTER | ((dis.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    const std::wstring& caption = item.Caption();
    size_t tab = caption.find(L'\t');
    RECT text{iconCell.right + shown_->Px(conTextGap), r.top, r.right - shown_->Px(conRightSpace), r.bottom};
    DrawTextW(dc, caption.c_str(), static_cast<int>(tab == std::wstring::npos ? caption.size() : tab), &text,
              format | DT_LEFT);
    if (tab != std::wstring::npos)  // a key name after a tab is right-aligned
        DrawTextW(dc, caption.c_str() + tab + 1, -1, &text, format | DT_RIGHT | DT_NOPREFIX);
    RestoreDC(dc, saved);
}

LRESULT clsPopupMenu::MenuChar(wchar_t key, HMENU menu) const {
    const wchar_t wanted = Upper(key);
    int count = GetMenuItemCount(menu);
    std::vector<int> matches;
    int highlighted = -1;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_DATA | MIIM_STATE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii) || !OwnsItem(mii.dwItemData)) continue;
        const auto& item = *reinterpret_cast<const clsPopupMenuItem*>(mii.dwItemData);
        if (mii.fState & MFS_HILITE) highlighted = i;
        if (item.IsSeparator() || (mii.fState & MFS_GRAYED)) continue;
        wchar_t access = AccessKey(item.Caption());
        if (access && Upper(access) == wanted) matches.push_back(i);
    }
    if (matches.empty()) return MAKELRESULT(0, MNC_IGNORE);
    if (matches.size() == 1) return MAKELRESULT(matches.front(), MNC_EXECUTE);
    // Several items share the key: each press moves on to the next of them.
    auto next = std::find_if(matches.begin(), matches.end(), [&](int i) { return i > highlighted; });
    return MAKELRESULT(next == matches.end() ? matches.front() : *next, MNC_SELECT);
}

}  // namespace kvr
