// The popup menu as the tray menu uses it: shown for real, driven by injected keys from a
// second thread while Popup waits on the test thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <thread>
#include <vector>

#include "KVError.h"
#include "clsPopupMenu.h"
#include "res/Pictures.h"

using kvr::clsPopupMenu;

namespace {

HWND VisibleMenuWindow() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

void PressKey(WORD vk) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(120);  // let the menu loop take each key before the next
}

class PopupMenu : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KVPopupMenuTestOwner";
        RegisterClassW(&wc);
        owner_ = CreateWindowExW(0, wc.lpszClassName, L"Owner", WS_OVERLAPPEDWINDOW, 40, 40, 300, 200,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(owner_, nullptr);
        ShowWindow(owner_, SW_SHOW);
        UpdateWindow(owner_);

        images_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 12, 0);
        for (int id : kvr::conMenuImageList) {
            HICON icon = static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
            ASSERT_NE(icon, nullptr) << "icon resource " << id;
            ImageList_AddIcon(images_, icon);
            DestroyIcon(icon);
        }
    }
    void TearDown() override {
        if (owner_) DestroyWindow(owner_);
        if (images_) ImageList_Destroy(images_);
    }

    // The tray menu's shape: titled groups, a plain line, a checked and a disabled item, a
    // submenu with its own titled separator, and a default item.
    void BuildTrayMenu(clsPopupMenu& menu) {
        using namespace kvr;
        menu.Add(L"", -1, L"mnuSep", L"-Herunterfahren");
        menu.Add(L"", conMI_Shutdown, L"mnuShutdown", L"&Standard");
        menu.Add(L"", conMI_Shutdown, L"mnuShutdownXP", L"Microsoft &Windows XP");
        menu.Add(L"", -1, L"mnuSep", L"-Neu starten");
        menu.Add(L"", conMI_Restart, L"mnuReboot", L"S&tandard");
        menu.Add(L"", -1, L"mnuSep", L"- ");
        menu.Add(L"", -1, L"mnuQuitImmediate", L"&Sofort beenden aus").Checked(true);
        menu.Add(L"", -1, L"mnuSep", L"-Funktionen");
        menu.Add(L"", conMI_Options, L"mnuFunctions", L"&Funktionen");
        menu.Add(L"mnuFunctions", -1, L"mnuSep", L"-Konfiguration");
        menu.Add(L"mnuFunctions", -1, L"mnuFView", L"&Herunterfahrdialog konfigurieren...");
        menu.Add(L"mnuFunctions", -1, L"mnuFLinks", L"&Verknüpfung erstellen...");
        menu.Add(L"", -1, L"mnuSep", L"-Hilfe");
        menu.Add(L"", -1, L"mnuContact", L"&Kontakt...").Enabled(false);
        menu.Add(L"", conMI_Info, L"mnuInfo", L"I&nfo...");
        menu.SetDefault(L"mnuShutdown");
    }

    // Pops the menu up and, once it is on the screen, lets inspect look at it and sends the
    // keys. Escapes follow if the menu is still open afterwards, so a fault cannot hang the run.
    std::wstring PopupWithKeys(clsPopupMenu& menu, std::vector<WORD> keys,
                               std::function<void(HWND)> inspect = nullptr) {
        bool appeared = false;
        std::thread driver([&] {
            HWND shown = nullptr;
            for (int i = 0; i < 250 && !(shown = VisibleMenuWindow()); ++i) Sleep(20);
            appeared = shown != nullptr;
            if (!shown) return;
            Sleep(150);
            if (inspect) inspect(shown);
            for (WORD key : keys) PressKey(key);
            for (int i = 0; i < 6 && VisibleMenuWindow(); ++i) {
                Sleep(300);
                if (VisibleMenuWindow()) PressKey(VK_ESCAPE);
            }
        });
        std::wstring chosen = menu.Popup(120, 90);
        driver.join();
        EXPECT_TRUE(appeared) << "the menu never appeared";
        return chosen;
    }

    HWND owner_ = nullptr;
    HIMAGELIST images_ = nullptr;
};

}  // namespace

TEST_F(PopupMenu, AccessKeysChooseItems_AlsoInSubmenus) {
    clsPopupMenu menu(owner_, images_, true, false);
    BuildTrayMenu(menu);
    EXPECT_EQ(PopupWithKeys(menu, {'T'}), L"mnuReboot");
    EXPECT_EQ(PopupWithKeys(menu, {'N'}), L"mnuInfo");
    EXPECT_EQ(PopupWithKeys(menu, {'F', 'H'}), L"mnuFView");
    EXPECT_EQ(PopupWithKeys(menu, {'F', 'V'}), L"mnuFLinks");
}

TEST_F(PopupMenu, SharedAccessKeyOnlySelects_ArrowsAndEnterChoose) {
    clsPopupMenu menu(owner_, images_, true, true);
    BuildTrayMenu(menu);
    // "&Standard" and "&Sofort beenden aus" share S: a press only selects (Windows moves on
    // from item to item; Wine leaves the selection), it never chooses.
    EXPECT_EQ(PopupWithKeys(menu, {'S', VK_ESCAPE}), L"");
    // Arrow keys pass over the separators, titled or not.
    EXPECT_EQ(PopupWithKeys(menu, {VK_DOWN, VK_RETURN}), L"mnuShutdown");
    EXPECT_EQ(PopupWithKeys(menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), L"mnuReboot");
}

TEST_F(PopupMenu, EscapeAndDisabledItemsChooseNothing) {
    clsPopupMenu menu(owner_, images_, true, false);
    BuildTrayMenu(menu);
    EXPECT_EQ(PopupWithKeys(menu, {VK_ESCAPE}), L"");
    EXPECT_EQ(PopupWithKeys(menu, {'K', VK_ESCAPE}), L"") << "the access key of a disabled item";
    EXPECT_EQ(PopupWithKeys(menu, {'F', VK_ESCAPE, VK_ESCAPE}), L"") << "out of the submenu and the menu";
}

TEST_F(PopupMenu, ShownMenuCarriesStatesAndOwnerDrawnSizes) {
    clsPopupMenu menu(owner_, images_, true, false);
    BuildTrayMenu(menu);
    PopupWithKeys(menu, {VK_ESCAPE}, [&](HWND window) {
        HMENU shown = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        ASSERT_NE(shown, nullptr);
        ASSERT_EQ(GetMenuItemCount(shown), 12);
        auto info = [&](UINT pos) {
            MENUITEMINFOW mii{};
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
            GetMenuItemInfoW(shown, pos, TRUE, &mii);
            return mii;
        };
        EXPECT_EQ(GetMenuDefaultItem(shown, TRUE, 0), 1u);
        EXPECT_TRUE(info(6).fState & MFS_CHECKED);
        EXPECT_TRUE(info(10).fState & MFS_GRAYED);
        EXPECT_FALSE(info(1).fState & (MFS_GRAYED | MFS_CHECKED));
        EXPECT_EQ(info(0).fType, static_cast<UINT>(MFT_OWNERDRAW | MFT_SEPARATOR));
        EXPECT_EQ(info(1).fType, static_cast<UINT>(MFT_OWNERDRAW));
        ASSERT_NE(info(8).hSubMenu, nullptr);
        EXPECT_EQ(GetMenuItemCount(info(8).hSubMenu), 3);

        // Sizes come from the owner-drawn measuring: titled separators stand out as bands,
        // plain lines stay thin.
        RECT titled{}, plain{}, item{};
        GetMenuItemRect(owner_, shown, 0, &titled);
        GetMenuItemRect(owner_, shown, 5, &plain);
        GetMenuItemRect(owner_, shown, 1, &item);
        EXPECT_GE(item.bottom - item.top, 20);
        EXPECT_GT(titled.bottom - titled.top, plain.bottom - plain.top);
        EXPECT_LE(plain.bottom - plain.top, 10);
    });
}

TEST(PopupMenuItems, SeparatorsRepeatTheirName_OtherNamesAndParentsAreChecked) {
    clsPopupMenu menu(nullptr, nullptr, false, false);
    menu.Add(L"", -1, L"mnuSep", L"-Titel");
    menu.Add(L"", -1, L"mnuSep", L"- ");
    menu.Add(L"", -1, L"mnuSep", L"-");
    EXPECT_EQ(menu.Item(L"mnuSep").SeparatorTitle(), L"Titel");
    menu.Add(L"", -1, L"mnuA", L"&A");
    try {
        menu.Add(L"", -1, L"MNUA", L"&B");
        ADD_FAILURE() << "duplicate name accepted";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, -52019);
    }
    for (const wchar_t* parent : {L"mnuMissing", L"mnuSep"}) {
        try {
            menu.Add(parent, -1, L"mnuChild", L"Kind");
            ADD_FAILURE() << "parent accepted";
        } catch (const kv::KVError& e) {
            EXPECT_EQ(e.Number, -52016);
        }
    }
    EXPECT_EQ(menu.Count(), 4);
    try {
        menu.Popup(0, 0);
        ADD_FAILURE() << "popup without owner window";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, ERROR_INVALID_WINDOW_HANDLE);
    }
}
