// The options dialog's procedures: opening, OK, closing and the events of its pages.
#include "ui/options/basOptions.h"

#include <commctrl.h>

#include "MessageBoxSeam.h"
#include "clsListView.h"
#include "hotkeys/basShortcuts.h"
#include "program/Clock.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "ui/frmTaskbarDummy.h"
#include "ui/main/frmMain.h"
#include "ui/options/frmOptions.h"
#include "ui/tray/basMenues.h"
#include "ui/tray/frmContextMenues.h"
#include "work/basTimedAction.h"

namespace kvr {

using namespace options;

namespace {

constexpr const wchar_t* conModule = L"basOptions";

void Focus(frmOptions& form, int id) {
    if (HWND control = form.Item(id))
        SendMessageW(form.Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

}  // namespace

void OpenOptions(long lngPage) {
    Shown(conModule, L"OpenOptions", [&] {
        if (!StartWindowing()) return;
        frmOptions& form = OptionsForm();
        if (form.Handle()) {
            if (lngPage >= 1 && lngPage <= conPageCount) form.EnableOptionsTab(lngPage);
            Helper().SetForgroundForm(form.Handle());
            return;
        }
        if (ShortcutDefinitionActive()) CancelShortcutDefinition();
        ClearTimedActionDone();
        const OptionsEnvironment env = ReadEnvironment();
        const OptionsValues values = LoadOptions(env, lngPage);
        const TwipsRectangle r = DialogRectangle();
        form.Load(env, values);
        HWND hwnd = form.Handle();
        SetWindowPos(hwnd, nullptr, kv::TwipsToPixelsX(r.Left), kv::TwipsToPixelsY(r.Top),
                     kv::TwipsToPixelsX(r.Width), kv::TwipsToPixelsY(r.Height), SWP_NOZORDER | SWP_NOACTIVATE);
        SetFrontDialog(conFD_Options, hwnd);
        SetTaskbarDummyUnload(conFD_Options, [] { OptionsForm().Unload(); });
        wchar_t caption[256] = L"";
        GetWindowTextW(hwnd, caption, 256);
        ShowTaskbarDummy(caption);
        ShowWindow(hwnd, SW_SHOW);
        Helper().SetForgroundForm(hwnd);
        form.EnableOptionsTab(values.Page);
    });
}

void AcceptOptions() {
    Shown(conModule, L"AcceptOptions", [] {
        frmOptions& form = OptionsForm();
        if (!form.Handle()) return;
        const OptionsValues values = form.Gather();
        if (const std::optional<CheckFailure> failure =
                CheckOptions(values, form.Environment(), WholeSeconds(Now()))) {
            kv::MessageBoxes().Show(form.Handle(), failure->Message, VersionGlobal().InfoApplication(),
                                    MB_OK | MB_ICONEXCLAMATION);
            form.EnableOptionsTab(failure->Page);
            Focus(form, failure->Control);
            return;
        }
        CommitOptions(values, form.Environment());
        form.Unload();
        if (HWND main = MainWindow(); main && IsWindowVisible(main)) OpenMain();
    });
}

void UnloadOptions() {
    Shown(conModule, L"UnloadOptions", [] {
        frmOptions& form = OptionsForm();
        HWND hwnd = form.Handle();
        if (!hwnd) return;
        WINDOWPLACEMENT place{};
        place.length = sizeof place;
        GetWindowPlacement(hwnd, &place);
        const RECT& r = place.rcNormalPosition;
        SaveDialogState(form.Gather(), {kv::PixelsToTwipsX(r.left), kv::PixelsToTwipsY(r.top),
                                        kv::PixelsToTwipsX(r.right - r.left), kv::PixelsToTwipsY(r.bottom - r.top)});
        SetFrontDialog(conFD_Options, nullptr);
        SetTaskbarDummyUnload(conFD_Options, nullptr);
        kv::clsListView().LVSaveView(form.Item(lstShortcuts), conProjectName, L"", true);
        ReleaseTaskbarDummy(hwnd);
    });
}

void DisableTimedAction() {
    Shown(conModule, L"DisableTimedAction", [] {
        SetTimedActionTimer(false);
        State().TimeActionType = conTA_Off;
        WriteSetting(L"TimeActionType", conSG_Options, kv::Variant(0L));
        OptionsForm().ShowTimedActionStatus(L"Nicht aktiv");
    });
}

void OpenHelpOptions() {
    frmOptions& form = OptionsForm();
    OpenHelp(form.Handle(), Page(form.CurrentPage()).HelpTopic);
}

bool HandleOptionsKey(WORD wKey, bool blnShift, bool blnCtrl) {
    frmOptions& form = OptionsForm();
    if (wKey != VK_TAB || !blnCtrl || !form.Handle()) return false;
    const long page = form.CurrentPage();
    form.EnableOptionsTab(blnShift ? (page <= 1 ? conPageCount : page - 1) : (page >= conPageCount ? 1 : page + 1));
    return true;
}

void DeleteShortcut() {
    Shown(conModule, L"DeleteShortcut", [] {
        frmOptions& form = OptionsForm();
        HWND list = form.Item(lstShortcuts);
        if (form.SelectedRow(lstShortcuts) < 0) return;
        if (kv::MessageBoxes().Show(form.Handle(), L"Tastenkürzel für alle markierten Aktionen löschen?",
                                    VersionGlobal().InfoApplication(), MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
            return;
        for (int i = -1; (i = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;) {
            LVITEMW item{};
            item.iSubItem = 1;
            item.pszText = const_cast<wchar_t*>(L"");
            SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        }
    });
}

void options::ShowOptionsListMenu(frmOptions& form, int id, long x, long y) {
    HWND list = form.Item(id);
    kv::clsListView lv;
    if (id == lstShortcuts) {
        const std::wstring chosen = ShowShortcutMenu(form.Handle(), x, y, form.SelectedRow(id) >= 0);
        if (chosen == L"mnuDefine") StartShortcutDefinition(list, form.Item(cmdShortcutDefine));
        if (chosen == L"mnuDelete") DeleteShortcut();
        if (chosen == L"mnuSelectAll") lv.LVSelectAllItems(list);
        if (chosen == L"mnuUnSelectAll") lv.LVUnselectAllItems(list);
        return;
    }
    const std::wstring chosen =
        id == lstView ? ShowViewMenu(form.Handle(), x, y) : ShowViewMenuMenu(form.Handle(), x, y);
    if (chosen == L"mnuSelectAll") lv.LVCheckAllItems(list, true);
    if (chosen == L"mnuUnSelectAll") lv.LVUncheckAllItems(list);
}

}  // namespace kvr
