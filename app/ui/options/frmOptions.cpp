// The options dialog's window: the template from the pages' tables, the tab strip, the
// controls' values, the resize layout and the events, handed to basOptions.
#include "ui/options/frmOptions.h"

#include <commctrl.h>

#include "DialogTemplate.h"
#include "LastError.h"
#include "clsListView.h"
#include "hotkeys/basShortcuts.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "res/Pictures.h"
#include "ui/frmTaskbarDummy.h"
#include "ui/options/basOptions.h"
#include "ui/tray/basMenues.h"
#include "work/basLinks.h"
#include "work/basRemoteShutdown.h"
#include "work/basWork.h"

namespace kvr {

using namespace options;

namespace {

constexpr const wchar_t* conModule = L"frmOptions";

// Dialog units.
constexpr short conWidth = 429, conHeight = 310;
constexpr short conTabLeft = 4, conTabTop = 4, conTabWidth = 421, conTabHeight = 280;
constexpr short conButtonTop = 290, conButtonHeight = 14;
constexpr short conPageWidth = 413, conPageHeight = 262;

HHOOK g_filter = nullptr;

// Ctrl+Tab reaches the dialog manager as navigation; the thread's message filter sees it first.
LRESULT CALLBACK OptionsMessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        HWND dialog = OptionsForm().Handle();
        if (dialog && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB &&
            (msg->hwnd == dialog || IsChild(dialog, msg->hwnd)) &&
            HandleOptionsKey(VK_TAB, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0))
            return TRUE;
    }
    return CallNextHookEx(g_filter, code, wParam, lParam);
}

}  // namespace

// ---- The pages ----

const PageSpec& options::Page(long lngPage) {
    static const PageSpec pages[] = {Page1View(),      Page2ViewMenu(), Page3Standard(),  Page4AutoDialog(),
                                     Page5TimedAction(), Page6Logon(),  Page7Links(),     Page8Remote(),
                                     Page9Shortcuts(), Page10Options()};
    return pages[(lngPage >= 1 && lngPage <= conPageCount ? lngPage : 1) - 1];
}

frmOptions::frmOptions() : WindowBase(conProjectName, conModule) {}

frmOptions::~frmOptions() {
    if (HWND hwnd = Handle()) DestroyWindow(hwnd);
}

frmOptions& OptionsForm() {
    static frmOptions form;
    return form;
}

bool OptionsLoaded() { return OptionsForm().Handle() != nullptr; }

void frmOptions::Load(const OptionsEnvironment& env, const OptionsValues& values) {
    env_ = env;
    initial_ = values;
    using T = kv::DialogTemplate;
    T t(DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_CONTROLPARENT, conWidth, conHeight,
        L"Optionen - " + VersionGlobal().InfoApplication());
    // The strip lies under the page boxes and paints none of them over.
    t.Add(WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_TABSTOP | TCS_MULTILINE, 0, conTabLeft, conTabTop, conTabWidth, conTabHeight,
          tabOptions);
    t.Add(T::conButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 297, conButtonTop, 50, conButtonHeight, cmdOK, L"OK");
    t.Add(T::conButton, BS_PUSHBUTTON | WS_TABSTOP, 0, 351, conButtonTop, 50, conButtonHeight, cmdCancel,
          L"Abbrechen");
    t.Add(T::conButton, BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, 0, 405, conButtonTop, 20, conButtonHeight, cmdHelp);
    t.Add(T::conScrollBar, SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, 0, conWidth - 10, conHeight - 10, 10, 10,
          imgResize);
    anchors_.clear();
    for (int id : {cmdOK, cmdCancel, cmdHelp, imgResize}) anchors_[id] = conMoveX | conMoveY;
    anchors_[tabOptions] = conGrowX | conGrowY;

    loading_ = true;
    CreateModeless(t.Get(), LoadTaskbarDummy());

    // The page boxes, each a child dialog of its page's controls, above the strip.
    pages_.clear();
    for (long p = 1; p <= conPageCount; ++p) {
        T page(DS_CONTROL | DS_FIXEDSYS | WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, conPageWidth,
               conPageHeight);
        for (const ControlSpec& c : Page(p).Controls) {
            // Every control starts a group but the option buttons that follow the first of theirs.
            const bool follower = (c.style & 0x0F) == BS_AUTORADIOBUTTON && !(c.style & WS_GROUP) &&
                                  std::wstring(c.windowClass) == WC_BUTTONW;
            page.Add(c.windowClass, c.style | (follower ? 0 : WS_GROUP), c.exStyle, static_cast<short>(c.x + 4),
                     static_cast<short>(c.y + 3), c.cx, c.cy, c.id,
                     c.text);
            anchors_[c.id] = c.anchor;
        }
        auto box = std::make_unique<frmOptionsPage>(*this);
        box->CreateModeless(page.Get(), Handle());
        SetWindowLongPtrW(box->Handle(), GWLP_ID, 10000 + p);
        SetWindowPos(box->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pages_.push_back(std::move(box));
    }
    PrepareControls();
    RECT client{};
    GetClientRect(Handle(), &client);
    Layout(client.right, client.bottom);

    if (!g_filter) g_filter = SetWindowsHookExW(WH_MSGFILTER, OptionsMessageFilter, nullptr, GetCurrentThreadId());
    SetTimedActionView(this);
    SetRemoteShutdownView(this);

    for (long p = 1; p <= conPageCount; ++p) Page(p).Scatter(*this, values);
    loading_ = false;
    ApplyRules();
    EnableOptionsTab(values.Page);
}

frmOptionsPage::frmOptionsPage(frmOptions& owner) : WindowBase(conProjectName, conModule), owner_(owner) {}

bool frmOptionsPage::OnInit() { return false; }

bool frmOptionsPage::OnCommand(int id, int code, HWND control) { return owner_.OnCommand(id, code, control); }

bool frmOptionsPage::OnNotify(const NMHDR& header, LRESULT& result) { return owner_.OnNotify(header, result); }

HWND frmOptions::Item(int id) const noexcept {
    const int page = PageOf(id);
    if (page >= 1 && page <= conPageCount && static_cast<size_t>(page) <= pages_.size())
        return GetDlgItem(pages_[page - 1]->Handle(), id);
    return WindowBase::Item(id);
}

HWND frmOptions::PageBox(long lngPage) const noexcept {
    return lngPage >= 1 && static_cast<size_t>(lngPage) <= pages_.size() ? pages_[lngPage - 1]->Handle() : nullptr;
}

// The boxes fill the strip's display area.
void frmOptions::PlacePages() {
    HWND tab = Item(tabOptions);
    RECT r{};
    GetWindowRect(tab, &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (const auto& box : pages_)
        SetWindowPos(box->Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

bool frmOptions::OnInit() {
    kv::SetProgramIcons(Handle());
    HWND tab = Item(tabOptions);
    for (long p = 1; p <= conPageCount; ++p) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(Page(p).Caption);
        SendMessageW(tab, TCM_INSERTITEMW, p - 1, reinterpret_cast<LPARAM>(&item));
    }
    help_.Attach(Item(cmdHelp));
    return false;
}

void frmOptions::PrepareControls() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    actionImages_ = kv::OwnedImageList(ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 7, 0));
    ImageList_SetImageCount(actionImages_.Get(), 7);
    for (int i = 0; i < 7; ++i)
        if (const kv::OwnedIcon icon = kv::LoadPicture(conActionImageList[i], cx))
            ImageList_ReplaceIcon(actionImages_.Get(), i, icon.Get());
    for (int id : {lstView, lstViewMenu, lstStandard, lstShortcuts}) {
        HWND list = Item(id);
        DWORD ex = LVS_EX_FULLROWSELECT | (id == lstView || id == lstViewMenu ? LVS_EX_CHECKBOXES : 0);
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
        if (id != lstStandard)
            SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(actionImages_.Get()));
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    initialClient_ = {client.right, client.bottom};
    RECT box{};
    GetClientRect(PageBox(1), &box);
    initialBox_ = {box.right, box.bottom};
    initialRects_.clear();
    for (const auto& [id, anchor] : anchors_) {
        HWND control = Item(id);
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        initialRects_[id] = r;
    }
}

void frmOptions::Unload() { Destroy(); }

void frmOptions::OnDestroy() {
    // The dialog is whole here: its state is read before the controls go.
    if (ShortcutDefinitionActive()) CancelShortcutDefinition();
    UnloadOptions();
    SetTimedActionView(nullptr);
    SetRemoteShutdownView(nullptr);
    if (g_filter) {
        UnhookWindowsHookEx(g_filter);
        g_filter = nullptr;
    }
}

// ---- Pages ----

void frmOptions::EnableOptionsTab(long lngPage) {
    if (lngPage < 1 || lngPage > conPageCount) lngPage = 1;
    page_ = lngPage;
    SendMessageW(Item(tabOptions), TCM_SETCURSEL, lngPage - 1, 0);
    for (long p = 1; p <= static_cast<long>(pages_.size()); ++p) {
        HWND box = PageBox(p);
        EnableWindow(box, p == lngPage);
        ShowWindow(box, p == lngPage ? SW_SHOWNA : SW_HIDE);
    }
    int focus = Page(lngPage).FirstFocus;
    if (lngPage == 5) focus = optTimedActionType0 + SelectedOption(optTimedActionType0, 8);
    if (HWND control = Item(focus); control && IsWindowEnabled(control)) {
        SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
    if (lngPage == 7) ApplyRules();
}

OptionsValues frmOptions::Gather() {
    OptionsValues v = initial_;
    for (long p = 1; p <= conPageCount; ++p) Page(p).Gather(*this, v);
    v.Page = page_ ? page_ : initial_.Page;
    return v;
}

void frmOptions::ApplyRules() {
    if (loading_ || !Handle()) return;
    OptionsValues v = Gather();
    const std::map<int, bool> enabled = ApplyEnablingRules(v, env_);
    for (const auto& [id, on] : enabled) EnableWindow(Item(id), on);
    // Ticks the rules took away.
    const std::pair<int, bool> ticks[] = {
        {chkAutoDialog, v.AutoDialog},
        {chkSaveQuitImmediateState, v.SaveQuitImmediateState},
        {chkQuitImmediateLink, v.QuitImmediateLink},
        {chkRemoteQuitImmediate, v.RemoteQuitImmediate},
        {chkShortcutQuitImmediate, v.ShortcutQuitImmediate},
        {chkTimedActionImmediate, v.TimedActionImmediate},
        {chkHideUsername, v.HideUsername},
    };
    for (const auto& [id, on] : ticks)
        if (!on && Checked(id)) SetChecked(id, false);
    SetShurtcutlistState();
}

void frmOptions::SetRemoteRunning(bool blnRunning) {
    env_.RemoteRunning = blnRunning;
    ApplyRules();
}

void frmOptions::SetShurtcutlistState() {
    const bool selected = SelectedRow(lstShortcuts) >= 0;
    EnableWindow(Item(cmdShortcutDefine), selected);
    EnableWindow(Item(cmdShortcutDelete), selected);
}

// ---- Events ----

bool frmOptions::OnCommand(int id, int code, HWND) {
    switch (id) {
        case cmdOK:
            AcceptOptions();
            return true;
        case cmdCancel:
            // Escape during the hotkey definition belongs to the capture.
            if (!ShortcutDefinitionActive()) Unload();
            return true;
        case cmdHelp:
            OpenHelpOptions();
            return true;
        case cmdShortcutDefine:
            if (code == BN_KILLFOCUS && ShortcutDefinitionActive()) CancelShortcutDefinition();
            if (code == BN_CLICKED) StartShortcutDefinition(Item(lstShortcuts), Item(cmdShortcutDefine));
            return true;
        case cmdShortcutDelete:
            if (code == BN_CLICKED) DeleteShortcut();
            return true;
        case cmdEditBootIni:
            if (code == BN_CLICKED) Shown(L"basOptions", L"EditBootIni", [] { EditBootIni(); });
            return true;
        default:
            break;
    }
    // The option buttons of a group exclude each other also while their page is hidden.
    if (code == BN_CLICKED) {
        for (const auto& [first, count] : {std::pair{optCloseType0, 2}, std::pair{optTimedActionType0, 8},
                                           std::pair{optPath0, 4}, std::pair{optRemoteAction0, 2}})
            if (id >= first && id < first + count) SelectOption(first, count, id - first);
    }
    if (code == BN_CLICKED || code == CBN_SELCHANGE) {
        if (id == cboLinks && code == CBN_SELCHANGE) SetText(txtLinkName, LinkNameForAction(Text(cboLinks)));
        ApplyRules();
        if (id == optTimedActionType0 && code == BN_CLICKED && !loading_) DisableTimedAction();
    }
    if (HandleLinkCommand(*this, id, code) || HandleRemoteCommand(*this, id, code)) return true;
    return false;
}

bool frmOptions::OnNotify(const NMHDR& header, LRESULT& result) {
    const int id = static_cast<int>(header.idFrom);
    if (id == tabOptions && header.code == TCN_SELCHANGE) {
        EnableOptionsTab(static_cast<long>(SendMessageW(Item(tabOptions), TCM_GETCURSEL, 0, 0)) + 1);
        return true;
    }
    if (id != lstView && id != lstViewMenu && id != lstShortcuts && id != lstStandard) return false;
    switch (header.code) {
        case LVN_ITEMCHANGING: {
            // CheckForGhostedItem: a greyed boot system takes no tick.
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if ((change.uChanged & LVIF_STATE) && (change.lParam & 1) &&
                (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2)) {
                result = TRUE;
                return true;
            }
            return false;
        }
        case LVN_ITEMCHANGED:
            if (id == lstShortcuts) SetShurtcutlistState();
            return false;
        case NM_CUSTOMDRAW: {
            auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = CDRF_NOTIFYITEMDRAW;
            } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                if (draw.nmcd.lItemlParam & 1) draw.clrText = GetSysColor(COLOR_GRAYTEXT);
                result = CDRF_DODEFAULT;
            }
            return true;
        }
        case LVN_KEYDOWN: {
            const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
            OnListKey(id, key.wVKey);
            return false;
        }
        case NM_RCLICK: {
            POINT at{};
            GetCursorPos(&at);
            ShowListMenu(id, false, at);
            return true;
        }
        case NM_CLICK:
            if (id == lstShortcuts) SetShurtcutlistState();
            return false;
        default:
            return false;
    }
}

bool frmOptions::OnListKey(int id, WORD key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    if ((key == VK_F10 && shift) || key == VK_APPS) {
        ShowListMenu(id, true, {});
        return true;
    }
    if (key == 'A' && ctrl) {
        kv::clsListView().LVSelectAllItems(Item(id));
        return true;
    }
    if (key == VK_DELETE && id == lstShortcuts) {
        DeleteShortcut();
        return true;
    }
    return false;
}

void frmOptions::ShowListMenu(int id, bool blnFromKey, POINT at) {
    Shown(L"basOptions", L"HandleOptionViewMouse", [&] {
        if (id != lstView && id != lstViewMenu && id != lstShortcuts) return;
        HWND list = Item(id);
        long x = 0, y = 0;
        if (blnFromKey) {
            // LVCalcMenuPosition answers twips relative to the list.
            kv::clsListView().LVCalcMenuPosition(list, x, y, 530, 460, id == lstShortcuts ? 275 : 260);
            POINT p{kv::TwipsToPixelsX(x), kv::TwipsToPixelsY(y)};
            ClientToScreen(list, &p);
            at = p;
        }
        ShowOptionsListMenu(*this, id, at.x, at.y);
        SetShurtcutlistState();
    });
}

bool frmOptions::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_CLOSE:
            if (ShortcutDefinitionActive()) CancelShortcutDefinition();
            Unload();
            result = 0;
            return true;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            RECT r{0, 0, initialClient_.cx, initialClient_.cy};
            AdjustWindowRectEx(&r, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE));
            if (initialClient_.cx) {
                info->ptMinTrackSize = {r.right - r.left, r.bottom - r.top};
            }
            result = 0;
            return true;
        }
        case WM_NOTIFY:
        default:
            (void)wParam;
            return false;
    }
}

bool frmOptions::OnSize(UINT kind, int cx, int cy) {
    if (kind != SIZE_MINIMIZED) Layout(cx, cy);
    return false;
}

void frmOptions::Layout(int cx, int cy) {
    if (!initialClient_.cx) return;
    // The frame's controls follow the client area; the boxes fill the strip's display area,
    // and each page's controls follow their box.
    MoveAnchored(false, cx - initialClient_.cx, cy - initialClient_.cy);
    PlacePages();
    RECT box{};
    if (!pages_.empty()) GetClientRect(pages_.front()->Handle(), &box);
    MoveAnchored(true, box.right - initialBox_.cx, box.bottom - initialBox_.cy);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmOptions::MoveAnchored(bool blnPageControls, int dx, int dy) {
    HDWP positions = BeginDeferWindowPos(static_cast<int>(initialRects_.size()));
    for (const auto& [id, r] : initialRects_) {
        const BYTE a = anchors_[id];
        const int page = PageOf(id);
        if (!a || (page >= 1 && page <= conPageCount) != blnPageControls) continue;
        const int x = r.left + (a & conMoveX ? dx : 0), y = r.top + (a & conMoveY ? dy : 0);
        const int w = r.right - r.left + (a & conGrowX ? dx : 0), h = r.bottom - r.top + (a & conGrowY ? dy : 0);
        if (positions)
            positions = DeferWindowPos(positions, Item(id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions) EndDeferWindowPos(positions);
}

// ---- ITimedActionView ----

void frmOptions::ShowRemoteStatus(const std::wstring& strText) { SetText(txtRemoteStatus, strText); }

void frmOptions::RemoteShutdownChanged(bool blnRunning) { SetRemoteRunning(blnRunning); }

void frmOptions::ShowTimedActionStatus(const std::wstring& strText) { SetText(txtTimeStatus, strText); }

void frmOptions::SelectTimedActionType(long lngType) {
    SelectOption(optTimedActionType0, 8, lngType);
    ApplyRules();
}

// ---- Control access ----

bool frmOptions::Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void frmOptions::SetChecked(int id, bool blnChecked) {
    SendMessageW(Item(id), BM_SETCHECK, blnChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring frmOptions::Text(int id) const {
    HWND control = Item(id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void frmOptions::SetText(int id, const std::wstring& strText) { SetWindowTextW(Item(id), strText.c_str()); }

long frmOptions::SelectedOption(int first, int count) const {
    for (int i = 0; i < count; ++i)
        if (Checked(first + i)) return i;
    return 0;
}

void frmOptions::SelectOption(int first, int count, long lngIndex) {
    for (int i = 0; i < count; ++i) SetChecked(first + i, i == lngIndex);
}

void frmOptions::FillCombo(int id, const std::vector<std::wstring>& items) {
    HWND combo = Item(id);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

long frmOptions::ComboIndex(int id) const { return static_cast<long>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }

void frmOptions::SetComboIndex(int id, long lngIndex) { SendMessageW(Item(id), CB_SETCURSEL, lngIndex, 0); }

Hms frmOptions::PickerTime(int id) const {
    SYSTEMTIME st{};
    SendMessageW(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return {st.wHour, st.wMinute, st.wSecond};
}

void frmOptions::SetPickerTime(int id, const Hms& t) {
    SYSTEMTIME st{};
    SendMessageW(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    st.wHour = static_cast<WORD>(t.Hour % 24);
    st.wMinute = static_cast<WORD>(t.Minute);
    st.wSecond = static_cast<WORD>(t.Second);
    st.wMilliseconds = 0;
    SendMessageW(Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

Ymd frmOptions::PickerDate(int id) const {
    SYSTEMTIME st{};
    SendMessageW(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return {st.wYear, st.wMonth, st.wDay};
}

void frmOptions::SetPickerDate(int id, const Ymd& d) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.Year);
    st.wMonth = static_cast<WORD>(d.Month);
    st.wDay = static_cast<WORD>(d.Day);
    SendMessageW(Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

void frmOptions::FillActionList(int id, const std::vector<ActionRow>& rows) {
    HWND list = Item(id);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int selected = -1;
    for (const ActionRow& row : rows) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<wchar_t*>(row.Text.c_str());
        item.iImage = row.Icon > 0 ? row.Icon - 1 : I_IMAGENONE;
        item.lParam = row.Ghosted ? 1 : 0;
        const int index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        kv::RaiseLastErrorIf(index == -1);
        LVITEMW state{};
        state.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | (row.Ghosted ? LVIS_CUT : 0);
        state.state = INDEXTOSTATEIMAGEMASK(row.Ticked && !row.Ghosted ? 2 : 1) |
                      (row.Selected ? LVIS_SELECTED : 0) | (row.Ghosted ? LVIS_CUT : 0);
        SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
        if (row.Selected && selected < 0) selected = index;
    }
    if (selected >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, selected, FALSE);
}

std::vector<ActionRow> frmOptions::ActionRows(int id) const {
    HWND list = Item(id);
    std::vector<ActionRow> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<wchar_t> text(1024);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = i;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        item.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        ActionRow row;
        row.Text = text.data();
        row.Icon = item.iImage >= 0 ? item.iImage + 1 : 0;
        row.Ghosted = (item.lParam & 1) != 0;
        row.Ticked = (item.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        row.Selected = (item.state & LVIS_SELECTED) != 0;
        rows.push_back(std::move(row));
    }
    return rows;
}

void frmOptions::FillTextList(int id, const std::vector<std::pair<std::wstring, std::wstring>>& rows,
                              long lngSelected) {
    HWND list = Item(id);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(rows[i].first.c_str());
        const long icon = id == lstShortcuts ? OptionsListIcon(rows[i].first) : 0;
        item.iImage = icon > 0 ? icon - 1 : I_IMAGENONE;
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = static_cast<long>(i) == lngSelected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        const int index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        kv::RaiseLastErrorIf(index == -1);
        if (!rows[i].second.empty()) {
            LVITEMW sub{};
            sub.iSubItem = 1;
            sub.pszText = const_cast<wchar_t*>(rows[i].second.c_str());
            SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&sub));
        }
    }
    if (lngSelected >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, lngSelected, FALSE);
}

std::vector<std::pair<std::wstring, std::wstring>> frmOptions::TextRows(int id) const {
    HWND list = Item(id);
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring cells[2];
        for (int column = 0; column < 2; ++column) {
            std::vector<wchar_t> text(1024);
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = text.data();
            item.cchTextMax = static_cast<int>(text.size());
            SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
            cells[column] = text.data();
        }
        rows.emplace_back(cells[0], cells[1]);
    }
    return rows;
}

long frmOptions::SelectedRow(int id) const {
    return static_cast<long>(SendMessageW(Item(id), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace kvr
