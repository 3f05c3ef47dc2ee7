// The popup menu as the tray menu uses it: shown for real, driven by injected keys from a
// second thread while Popup waits on the test thread.
#include <gtest/gtest.h>

#include "ErrorCapture.h"
#include "MenuDriver.h"
#include "ui/clsPopupMenu.h"
#include "ui/tray/frmContextMenues.h"
#include "res/Pictures.h"

using kv::test::Raised;
using kvr::clsPopupMenu;

namespace {

class PopupMenu : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        if (owner_) DestroyWindow(owner_);
        kvr::UnloadContextMenues();
    }

    // The tray menu's shape: titled groups, a plain line, a checked and a disabled item, a
    // submenu with its own titled separator, and a default item.
    void BuildTrayMenu(clsPopupMenu& menu) {
        using namespace kvr;
        menu.Add(L"", -1, L"mnuSep", L"-Herunterfahren");
        menu.Add(L"", conMI_Shutdown, L"mnuShutdown", L"&Standard");
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
        menu.SetDefault(L"mnuShutdown");
    }

    std::wstring PopupWithKeys(bool flat, std::vector<WORD> keys, std::function<void(HWND)> inspect = nullptr) {
        clsPopupMenu menu(owner_, kvr::imgListMenues(), true, flat);
        BuildTrayMenu(menu);
        std::wstring chosen;
        EXPECT_TRUE(kvtest::WithMenu([&] { chosen = menu.Popup(120, 90); }, keys, inspect)) << "no menu appeared";
        return chosen;
    }

    HWND owner_ = nullptr;
};

}  // namespace

TEST_F(PopupMenu, KeysChooseItems_AlsoInSubmenus) {
    struct Case {
        std::vector<WORD> keys;
        const wchar_t* chosen;
        bool flat;
    } cases[] = {
        {{'T'}, L"mnuReboot", false},
        {{'F', 'V'}, L"mnuFLinks", true},
        // Arrow keys pass over the separators, titled or not.
        {{VK_DOWN, VK_DOWN, VK_RETURN}, L"mnuReboot", true},
        // "&Standard" and "&Sofort beenden aus" share S: a press only selects, never chooses.
        {{'S', VK_ESCAPE}, L"", false},
        {{'K', VK_ESCAPE}, L"", false},  // the access key of a disabled item
        {{'F', VK_ESCAPE, VK_ESCAPE}, L"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.keys));
        EXPECT_EQ(PopupWithKeys(c.flat, c.keys), c.chosen);
    }
}

TEST_F(PopupMenu, ShownMenuCarriesTheItemStates) {
    PopupWithKeys(false, {VK_ESCAPE}, [&](HWND window) {
        HMENU shown = kvtest::MenuOf(window);
        ASSERT_EQ(GetMenuItemCount(shown), 10);
        auto info = [&](UINT pos) {
            MENUITEMINFOW mii{};
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
            GetMenuItemInfoW(shown, pos, TRUE, &mii);
            return mii;
        };
        EXPECT_EQ(GetMenuDefaultItem(shown, TRUE, 0), 1u);
        EXPECT_TRUE(info(5).fState & MFS_CHECKED);
        EXPECT_TRUE(info(9).fState & MFS_GRAYED);
        ASSERT_NE(info(7).hSubMenu, nullptr);
        EXPECT_EQ(GetMenuItemCount(info(7).hSubMenu), 3);
    });
}

TEST(PopupMenuItems, SeparatorsRepeatTheirName_OtherNamesAndParentsAreChecked) {
    clsPopupMenu menu(nullptr, nullptr, false, false);
    menu.Add(L"", -1, L"mnuSep", L"-Titel");
    menu.Add(L"", -1, L"mnuSep", L"- ");
    EXPECT_EQ(menu.Item(L"mnuSep").SeparatorTitle(), L"Titel");
    menu.Add(L"", -1, L"mnuA", L"&A");
    EXPECT_EQ(Raised([&] { menu.Add(L"", -1, L"MNUA", L"&B"); }).Number, -52019);
    EXPECT_EQ(Raised([&] { menu.Add(L"mnuMissing", -1, L"mnuChild", L"Kind"); }).Number, -52016);
    EXPECT_EQ(Raised([&] { menu.Add(L"mnuSep", -1, L"mnuChild", L"Kind"); }).Number, -52016);
    EXPECT_EQ(menu.Count(), 3);
    EXPECT_EQ(Raised([&] { menu.Popup(0, 0); }).Number, ERROR_INVALID_WINDOW_HANDLE);
}
