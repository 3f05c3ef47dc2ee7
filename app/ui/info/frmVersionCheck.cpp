#include "ui/info/frmVersionCheck.h"

#include <shellapi.h>

#include "DialogTemplate.h"
#include "LastError.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "ui/frmTaskbarDummy.h"
#include "ui/tray/basMenues.h"
#include "update/basVersionCheck.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"frmVersionCheck";
constexpr const wchar_t* conCheckCaption = L"&Prüfen";
constexpr const wchar_t* conCancelCaption = L"&Abbrechen";
constexpr COLORREF conRed = RGB(255, 0, 0);
constexpr COLORREF conGreen = RGB(0, 128, 0);

constexpr short conWidth = 262, conHeight = 172;
constexpr short conLabelX = 7, conLabelWidth = 62, conFieldX = 72, conFieldWidth = 183;
constexpr short conButtonTop = 150, conButtonWidth = 50, conButtonHeight = 14;

std::wstring Caption() { return L"Versionsprüfung - " + VersionGlobal().InfoApplication(); }

}  // namespace

frmVersionCheck::frmVersionCheck() : WindowBase(conProjectName, conModule) {}

frmVersionCheck& VersionCheckForm() {
    static frmVersionCheck form;
    return form;
}

void frmVersionCheck::Load() {
    if (Handle()) return;
    using T = kv::DialogTemplate;
    T t(DS_MODALFRAME | DS_CENTER | DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, conWidth,
        conHeight);
    t.Add(T::conStatic, SS_LEFT, 0, conLabelX, 7, conWidth - 2 * conLabelX, 34, lblInfo,
          L"Klicken Sie auf \"Prüfen\", um zu prüfen, ob Sie mit der neuesten Version dieses Programmes arbeiten. "
          L"Wenn nicht, erhalten Sie die Möglichkeit zum Download der neuesten Version. Beenden Sie anschließend "
          L"das Programm, um die neue Version zu installieren.");
    struct Row {
        int label, field;
        const wchar_t* text;
        short y, height;
    };
    constexpr Row rows[] = {
        {lblOldVersion, txtOldVersion, L"&Diese Version:", 46, 12},
        {lblNewVersion, txtNewVersion, L"&Aktuelle Version:", 62, 12},
        {lblInformation, txtInfo, L"&Information:", 78, 12},
        {lblAdditionalInfo, txtAdditionalInfo, L"&Zusatzinfo:", 94, 26},
    };
    for (const Row& row : rows) {
        t.Add(T::conStatic, SS_LEFT, 0, conLabelX, row.y + 2, conLabelWidth, 9, row.label, row.text);
        const DWORD lines = row.height > 12 ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
        t.Add(T::conEdit, ES_READONLY | lines | WS_TABSTOP, WS_EX_CLIENTEDGE, conFieldX, row.y, conFieldWidth,
              row.height, row.field);
    }
    t.Add(T::conButton, BS_AUTOCHECKBOX | WS_TABSTOP, 0, conLabelX, 127, conWidth - 2 * conLabelX, 10,
          chkCheckVersionOnStartup, L"&Prüfung bei jedem Programmstart durchführen");
    t.Add(T::conButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 94, conButtonTop, conButtonWidth, conButtonHeight, cmdCheck,
          conCheckCaption);
    t.Add(T::conButton, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 0, 149, conButtonTop, conButtonWidth,
          conButtonHeight, cmdDownload, L"&Herunterladen");
    t.Add(T::conButton, BS_PUSHBUTTON | WS_TABSTOP, 0, 205, conButtonTop, conButtonWidth, conButtonHeight, cmdCancel,
          L"Schließen");
    t.Add(T::conButton, BS_ICON | BS_PUSHBUTTON | WS_TABSTOP, 0, conLabelX, conButtonTop, 20, conButtonHeight, cmdHelp);

    // Owned by the taskbar window: the dialog's button in the taskbar is that window's.
    CreateModeless(t.Get(), LoadTaskbarDummy());
    SetFrontDialog(conFD_VersionCheck, Handle());
    SetTaskbarDummyUnload(conFD_VersionCheck, [] { UnloadVersioncheck(); });
}

bool frmVersionCheck::OnInit() {
    SetWindowTextW(Handle(), Caption().c_str());
    kv::SetProgramIcons(Handle());
    // Last, since a failure here is reported and the dialog stays usable without it.
    help_.Attach(Item(cmdHelp));
    return true;
}

void frmVersionCheck::Prepare() {
    ClearTransferErrorText();
    SetText(txtOldVersion, OwnVersionText());
    SetText(txtNewVersion, L"?");
    SetText(txtAdditionalInfo, L"");
    ShowInfo(L"Noch keine Prüfung durchgeführt.", Tone::Normal);
    EnableWindow(Item(cmdDownload), FALSE);
    const bool onStartup = ReadFlagSetting(L"CheckVersionOnStartup", conSG_PrgSettings, false);
    CheckDlgButton(Handle(), chkCheckVersionOnStartup, onStartup ? BST_CHECKED : BST_UNCHECKED);
}

void frmVersionCheck::Check() {
    if (!Handle()) return;
    if (checking_) {
        ++round_;
        CancelVersionCheck();
        EndCheck();
        ShowInfo(L"Prüfung abgebrochen.", Tone::Normal);
        return;
    }
    const unsigned round = ++round_;
    checking_ = true;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    SetText(cmdCheck, conCancelCaption);
    ShowInfo(L"Bitte warten. Prüfe...", Tone::Normal);
    SetText(txtAdditionalInfo, L"");

    bool newer = false;
    std::wstring serverVersion, additionalInfo;
    const bool failed = CheckVersion(newer, serverVersion, additionalInfo);
    // Closed, cancelled or overtaken by another check meanwhile: nothing of this one is shown.
    if (!Handle() || round != round_) return;

    if (failed) {
        const std::wstring error = TransferErrorText();
        ShowInfo(error.empty() ? L"Die Versionsinformation konnte nicht abgerufen werden." : error, Tone::Bad);
    } else {
        SetText(txtNewVersion, serverVersion);
        if (newer) {
            ShowInfo(L"Es ist eine neuere Version verfügbar.", Tone::Bad);
            EnableWindow(Item(cmdDownload), TRUE);
        } else {
            ShowInfo(L"Sie verwenden bereits die aktuellste Version.", Tone::Good);
            EnableWindow(Item(cmdDownload), FALSE);
            SetText(txtAdditionalInfo, additionalInfo);
        }
    }
    EndCheck();
}

void frmVersionCheck::EndCheck() {
    checking_ = false;
    SetText(cmdCheck, conCheckCaption);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void frmVersionCheck::Unload() {
    HWND hwnd = Handle();
    if (!hwnd) return;
    if (checking_) {
        ++round_;
        CancelVersionCheck();
        checking_ = false;
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
    const bool onStartup = IsDlgButtonChecked(hwnd, chkCheckVersionOnStartup) == BST_CHECKED;
    SetFrontDialog(conFD_VersionCheck, nullptr);
    SetTaskbarDummyUnload(conFD_VersionCheck, nullptr);
    HWND owner = GetWindow(hwnd, GW_OWNER);
    Destroy();
    // The taskbar window stays for a dialog that still needs it.
    if (owner && owner == TaskbarDummy()) ReleaseTaskbarDummy(hwnd);
    WriteSetting(L"CheckVersionOnStartup", conSG_PrgSettings, kv::Variant(onStartup));
}

void frmVersionCheck::Download() {
    const std::wstring address = VersionServerAddress(conSetupPath);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(Handle(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // At most 32 is a failure; the small numbers are Windows error codes.
    if (result <= 32) Helper().CreateAPIError(static_cast<long>(result ? result : ERROR_OUTOFMEMORY), true);
}

bool frmVersionCheck::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case cmdCheck: CheckVersionDialog(); return true;
        case cmdCancel: UnloadVersioncheck(); return true;
        case cmdHelp: OpenHelp(Handle(), L"Versionsprüfungsdialog.htm"); return true;
        case cmdDownload: Shown(conModule, L"cmdDownload_Click", [this] { Download(); }); return true;
        default: return false;
    }
}

bool frmVersionCheck::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_CTLCOLORSTATIC:
            // The status line in its colour on the read-only field's background.
            if (reinterpret_cast<HWND>(lParam) != Item(txtInfo) || tone_ == Tone::Normal) return false;
            SetTextColor(reinterpret_cast<HDC>(wParam), tone_ == Tone::Good ? conGreen : conRed);
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            return true;
        case WM_SETCURSOR:
            if (!checking_) return false;
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            result = TRUE;
            return true;
        default:
            return false;
    }
}

void frmVersionCheck::ShowInfo(const std::wstring& strText, Tone tone) {
    tone_ = tone;
    SetText(txtInfo, strText);
    InvalidateRect(Item(txtInfo), nullptr, TRUE);
}

void frmVersionCheck::SetText(int id, const std::wstring& strText) {
    kv::RaiseLastErrorIf(!SetWindowTextW(Item(id), strText.c_str()));
}

void OpenVersionCheck() {
    Shown(conModule, L"OpenVersionCheck", [] {
        frmVersionCheck& form = VersionCheckForm();
        form.Load();
        // A running check keeps its fields; the dialog only comes forward.
        if (!form.Checking()) form.Prepare();
        ShowTaskbarDummy(Caption());
        ShowWindow(form.Handle(), SW_SHOWNORMAL);
        Helper().SetForgroundForm(form.Handle());
    });
}

void CheckVersionDialog() {
    Shown(conModule, L"CheckVersionDialog", [] { VersionCheckForm().Check(); });
}

void UnloadVersioncheck() {
    Shown(conModule, L"UnloadVersioncheck", [] { VersionCheckForm().Unload(); });
}

}  // namespace kvr
