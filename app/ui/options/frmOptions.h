#pragma once
// frmOptions, "Optionen - Kelvo Restart": the tab strip with its ten pages, OK, Cancel, help
// and the size grip. A modeless dialog owned by the taskbar window. The pages' controls are
// children of the dialog, page n's identifiers n * 100 + i (OptionsIds.h); the page shown has
// its controls visible, the others hidden. Values travel between controls and OptionsValues
// through each page's Scatter and Gather (frmOptions_Page*.cpp); the rules are the model's.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Owned.h"
#include "WindowBase.h"
#include "ui/HelpButton.h"
#include "ui/options/OptionsModel.h"
#include "work/basRemoteShutdown.h"
#include "work/basTimedAction.h"

namespace kvr {

class frmOptions;

namespace options {

// Anchors of a control when the dialog is resized.
enum : BYTE { conGrowX = 1, conGrowY = 2, conMoveX = 4, conMoveY = 8 };

struct ControlSpec {
    int id;
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;  // dialog units, within the page
    const wchar_t* text;
    BYTE anchor = 0;
};

struct PageSpec {
    const wchar_t* Caption;
    const wchar_t* HelpTopic;
    int FirstFocus;  // 0: the page decides (page 5: the selected type)
    std::vector<ControlSpec> Controls;
    void (*Scatter)(frmOptions& form, const OptionsValues& values);
    void (*Gather)(frmOptions& form, OptionsValues& values);
};

// The pages 1-10.
const PageSpec& Page(long lngPage);
PageSpec Page1View();
PageSpec Page2ViewMenu();
PageSpec Page3Standard();
PageSpec Page4AutoDialog();
PageSpec Page5TimedAction();
PageSpec Page6Logon();
PageSpec Page7Links();
PageSpec Page8Remote();
PageSpec Page9Shortcuts();
PageSpec Page10Options();

}  // namespace options

// A page box (picOptions): a borderless child dialog that holds one page's controls and
// hands their notifications to the options dialog.
class frmOptionsPage : public kv::WindowBase {
public:
    explicit frmOptionsPage(frmOptions& owner);

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    frmOptions& owner_;
};

class frmOptions : public kv::WindowBase, public ITimedActionView, public IRemoteShutdownView {
    friend class frmOptionsPage;

public:
    frmOptions();
    ~frmOptions() override;

    // A control of the dialog or of one of its page boxes, by its identifier.
    HWND Item(int id) const noexcept;
    // The box of page 1-10.
    HWND PageBox(long lngPage) const noexcept;

    // Loads the dialog for the values and shows it on values.Page.
    void Load(const options::OptionsEnvironment& env, const options::OptionsValues& values);
    // Closes it; UnloadOptions (the dialog's own state) runs on the way, whatever the way.
    void Unload();

    // The page shown (1-10) and switching to another (EnableOptionsTab).
    long CurrentPage() const { return page_; }
    void EnableOptionsTab(long lngPage);
    // The controls' state as values (every page).
    options::OptionsValues Gather();
    // Applies the enabling rules to the controls (and takes away ticks they forbid).
    void ApplyRules();
    const options::OptionsEnvironment& Environment() const { return env_; }
    void SetRemoteRunning(bool blnRunning);

    // ---- Control access for the pages ----
    bool Checked(int id) const;
    void SetChecked(int id, bool blnChecked);
    std::wstring Text(int id) const;
    void SetText(int id, const std::wstring& strText);
    // Option buttons first .. first + count - 1: the index of the selected one (0 for none).
    long SelectedOption(int first, int count) const;
    void SelectOption(int first, int count, long lngIndex);
    // Combo boxes (drop-down lists).
    void FillCombo(int id, const std::vector<std::wstring>& items);
    long ComboIndex(int id) const;
    void SetComboIndex(int id, long lngIndex);
    // Date/time pickers.
    options::Hms PickerTime(int id) const;
    void SetPickerTime(int id, const options::Hms& t);
    options::Ymd PickerDate(int id) const;
    void SetPickerDate(int id, const options::Ymd& d);
    // The action lists of pages 1 and 2 (check boxes, icons, ghosted rows).
    void FillActionList(int id, const std::vector<options::ActionRow>& rows);
    std::vector<options::ActionRow> ActionRows(int id) const;
    // A report list's rows (first column, second column).
    void FillTextList(int id, const std::vector<std::pair<std::wstring, std::wstring>>& rows, long lngSelected);
    std::vector<std::pair<std::wstring, std::wstring>> TextRows(int id) const;
    long SelectedRow(int id) const;

    // IRemoteShutdownView
    void ShowRemoteStatus(const std::wstring& strText) override;
    void RemoteShutdownChanged(bool blnRunning) override;

    // ITimedActionView
    void ShowTimedActionStatus(const std::wstring& strText) override;
    void SelectTimedActionType(long lngType) override;

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnSize(UINT kind, int cx, int cy) override;
    void OnDestroy() override;
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void Layout(int cx, int cy);
    void PlacePages();
    void MoveAnchored(bool blnPageControls, int dx, int dy);
    void PrepareControls();
    void ShowListMenu(int id, bool blnFromKey, POINT at);
    bool OnListKey(int id, WORD key);
    void SetShurtcutlistState();

    std::vector<std::unique_ptr<frmOptionsPage>> pages_;
    options::OptionsEnvironment env_;
    options::OptionsValues initial_;
    long page_ = 0;
    bool loading_ = false;
    SIZE initialClient_{};
    SIZE initialBox_{};
    std::map<int, RECT> initialRects_;
    std::map<int, BYTE> anchors_;
    kv::OwnedImageList actionImages_;
    HelpButton help_;
};

// The dialog of the program (loaded or not).
frmOptions& OptionsForm();
// Whether the dialog is loaded.
bool OptionsLoaded();

}  // namespace kvr

namespace kvr::options {

// The buttons of pages 7 and 8: true when the command was theirs.
bool HandleLinkCommand(frmOptions& form, int id, int code);
bool HandleRemoteCommand(frmOptions& form, int id, int code);
// The context menu of lstView, lstViewMenu or lstShortcuts at a screen position, and what
// its choice does.
void ShowOptionsListMenu(frmOptions& form, int id, long x, long y);

}  // namespace kvr::options
