// What happens in the main window: filling the list, the enabling rules, performing the
// chosen entry, the close modes and the state kept for the next opening.
#include <windows.h>

#include <unordered_set>

#include "ui/autodialog/basAutoDialog.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "work/basWorkText.h"
#include "ui/main/frmMain.h"
#include "ui/options/frmOptions.h"

namespace kvr {

namespace {

// The main window's logic belongs to the start-up module; its errors name that module.
constexpr const wchar_t* conModule = L"basMain";


// The ";"-separated items of the setting, in upper case: one look-up a row, however long
// the list and the setting.
std::unordered_set<std::wstring> HiddenItems(const std::wstring& strVisibleOptions) {
    std::unordered_set<std::wstring> items;
    for (const std::wstring& item : work::SplitItems(strVisibleOptions)) items.insert(work::UpperCase(item));
    return items;
}

// UnloadMain is on the stack (its Quit unloads the window without asking it again).
bool g_unloading = false;

}  // namespace

std::vector<MainListEntry> BuildMainListEntries(const std::vector<std::wstring>& options,
                                                const std::wstring& strVisibleOptions,
                                                const std::wstring& strLastSelected) {
    std::vector<MainListEntry> entries;
    // Whole items only: a hidden "Neu starten" leaves "Neu starten: XP" in the list.
    const std::unordered_set<std::wstring> hidden = HiddenItems(strVisibleOptions);
    for (const std::wstring& option : options) {
        if (option.empty()) {
            // A separator never opens the list; after the first entry each one is kept, so
            // two follow each other when everything between them is hidden.
            if (!entries.empty()) entries.push_back({});
            continue;
        }
        if (!hidden.empty() && hidden.count(work::UpperCase(option))) continue;
        MainListEntry entry;
        entry.Text = option;
        entry.Icon = GetActionIcon(option);
        entry.Selected = !strLastSelected.empty() && work::SameText(option, strLastSelected);
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool OpenMain() {
    return Shown(conModule, L"OpenMain", [] {
        // While the options dialog is loaded it comes forward instead.
        if (OptionsLoaded()) {
            Helper().SetForgroundForm(OptionsForm().Handle());
            return;
        }
        LoadMainWindow();
        const work::ReadOnce bootIniOnce;
        ProgramState& s = State();
        const std::vector<MainListEntry> entries =
            BuildMainListEntries(GetQuitOptions(false), s.VisibleOptions, s.LastSelectedOption);
        SetMainListEntries(entries);

        // The forced exit: offered only with AllowUnsaveQuit; its tick and the timed
        // action's force flag last only with QuitSaveImmediate.
        if (s.AllowUnsaveQuit) {
            EnableMainControl(conMainQuitWithoutSave, true);
            TickMainQuitWithoutSave(s.QuitSaveImmediate &&
                                    ReadFlagSetting(L"QuitWithoutSave", conSG_PrgSettings, false));
            s.TimedActionImmediate =
                s.QuitSaveImmediate && ReadFlagSetting(L"TimedActionImmediate", conSG_Options, false);
        } else {
            EnableMainControl(conMainQuitWithoutSave, false);
            TickMainQuitWithoutSave(false);
        }
        // The restored entry brings its own rules (a separator or "Sperren"); without one
        // there is nothing to perform yet.
        if (MainListSelected() >= 0)
            ShutdownOptionChanged();
        else
            EnableMainControl(conMainQuitWindows, false);

        ShowMainWindow();
    });
}

void ShutdownOptionChanged() {
    Shown(conModule, L"ShutdownOptionChanged", [] {
        const std::wstring text = MainSelectedText();
        EnableMainControl(conMainQuitWithoutSave, !text.empty() && text != conActionLock && State().AllowUnsaveQuit);
        EnableMainControl(conMainQuitWindows, !text.empty());
    });
}

void AcceptMain() {
    Shown(conModule, L"AcceptMain", [] {
        // Both are read first: in dialog mode the window is gone after UnloadMain.
        const std::wstring text = MainSelectedText();
        const bool force = MainQuitWithoutSaveTicked();
        UnloadMain(conCM_User);
        RebootWindows(text, force);
    });
}

bool UnloadMain(long lngCloseMode) {
    bool cancel = false;
    Shown(conModule, L"UnloadMain", [&] {
        struct Unloading {
            bool previous = g_unloading;
            Unloading() { g_unloading = true; }
            ~Unloading() { g_unloading = previous; }
        } unloading;

        SaveMain();
        const ProgramState& s = State();
        if (s.QuitFlag) {
            Quit();
            cancel = false;
            return;
        }
        if (s.AutoDialog && !GetDontShowDialog() && lngCloseMode == conCM_Windows)
            cancel = OpenAutoDialog();
        else
            cancel = lngCloseMode == conCM_User;
        HideMainWindow();
    });
    return cancel;
}

bool MainUnloading() { return g_unloading; }

void SaveMain() {
    Shown(conModule, L"SaveMain", [] {
        // A window the user never saw holds nothing of the user's: its empty tick would
        // overwrite the stored QuitWithoutSave.
        if (!MainWindow() || !MainWindowOpened()) return;
        SetListState();
        ProgramState& s = State();
        if (MainListSelected() >= 0) s.LastSelectedOption = MainSelectedText();
        if (!s.LastSelectedOption.empty()) WriteSetting(L"LastSelectedOption", conSG_Options, s.LastSelectedOption);

        const TwipsRect r = MainWindowTwips();
        WriteSetting(L"WindowLeft", conSG_Options, r.Left);
        WriteSetting(L"WindowTop", conSG_Options, r.Top);
        WriteSetting(L"WindowWidth", conSG_Options, r.Width);
        WriteSetting(L"WindowHeight", conSG_Options, r.Height);
        WriteSetting(L"QuitWithoutSave", conSG_PrgSettings, MainQuitWithoutSaveTicked() ? 1L : 0L);
    });
}

void SetListState() {
    Shown(conModule, L"SetListState", [] {
        if (MainListSelected() >= 0) EnableMainControl(conMainQuitWindows, !MainSelectedText().empty());
    });
}

}  // namespace kvr
