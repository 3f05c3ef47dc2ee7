// The tray icon, its mouse messages, the default action and the dialogs that come forward
// instead of the menu.
#include <windows.h>
#include <shellapi.h>

#include "LastError.h"
#include "WindowBase.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "ui/tray/basMenues.h"
#include "work/basWork.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"basMenues";

struct TrayState {
    NOTIFYICONDATAW record{};
    bool wanted = false;      // between AddTrayIcon and DeleteTrayIcon
    bool added = false;       // the notification area took the icon
    bool quitStep = false;    // the removal is registered for the next Quit
    HWND frontDialogs[2]{};   // by enuFrontDialog
    bool clickWaits = false;  // a click waits for a second one before the menu opens
    bool afterDoubleClick = false;  // the button-up that ends a double click opens nothing
    std::wstring tip = conProjectName;
};

// The wait for a second click, a one-shot timer of the tray window.
constexpr UINT_PTR conClickTimerId = 4;

TrayState& Tray() {
    static TrayState state;
    return state;
}

// The small icon of the window, else its class icon, else the program icon.
HICON WindowIcon(HWND hwnd) {
    auto fromMessage = [&](WPARAM kind) {
        return reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, kind, 0));
    };
    HICON icon = fromMessage(ICON_SMALL);
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICONSM));
    if (!icon) icon = fromMessage(ICON_BIG);
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
    if (!icon)
        icon = kv::ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
    return icon;
}

void StopClickWait() {
    TrayState& tray = Tray();
    if (!tray.clickWaits) return;
    tray.clickWaits = false;
    KillTimer(tray.record.hWnd, conClickTimerId);
}

// No second click came within the double-click time: the click was a single one.
void CALLBACK OpenMenuAfterClick(HWND, UINT, UINT_PTR, DWORD) {
    StopClickWait();
    Shown(conModule, L"HandleTrayMenu", [] {
        if (BringInFront()) return;
        // The menu only closes on a click elsewhere when its owner is in front.
        SetForegroundWindow(TrayWindow());
        ShowMainMenu();
    });
}

void AddRecord() {
    TrayState& tray = Tray();
    tray.added = Shell_NotifyIconW(NIM_ADD, &tray.record) != FALSE;
}

}  // namespace

void AddTrayIcon(HWND hwndMain) {
    Shown(conModule, L"AddTrayIcon", [&] {
        TrayState& tray = Tray();
        if (tray.wanted) DeleteTrayIcon();  // a second window never leaves a second icon

        NOTIFYICONDATAW& record = tray.record;
        record = NOTIFYICONDATAW{};
        record.cbSize = NOTIFYICONDATAW_V1_SIZE;
        record.hWnd = hwndMain;
        record.hIcon = WindowIcon(hwndMain);
        record.uID = HandleToUlong(record.hIcon);
        record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        record.uCallbackMessage = WM_KV_TRAY;
        lstrcpynW(record.szTip, tray.tip.c_str(), conTrayTipLength + 1);

        tray.wanted = true;
        AddRecord();  // a refusal leaves the program without icon, nothing more
        if (!tray.quitStep) {
            tray.quitStep = true;
            AddQuitStep([] {
                Tray().quitStep = false;
                DeleteTrayIcon();
            });
        }
    });
}

void DeleteTrayIcon() {
    TrayState& tray = Tray();
    StopClickWait();
    if (!tray.wanted) return;
    if (tray.added) Shell_NotifyIconW(NIM_DELETE, &tray.record);
    tray.wanted = false;
    tray.added = false;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void RestoreTrayIcon() {
    // The new taskbar knows no icon, so it is added, not modified; a deleted icon stays away.
    if (Tray().wanted) AddRecord();
}

HWND TrayWindow() { return Tray().record.hWnd; }

bool TrayIconAdded() { return Tray().added; }

void SetTrayTip(const std::wstring& strTip) {
    TrayState& tray = Tray();
    std::wstring tip = strTip.empty() ? std::wstring(conProjectName) : strTip;
    if (tip.size() > conTrayTipLength) tip = tip.substr(0, conTrayTipLength - 3) + L"...";
    if (tip == tray.tip) return;  // every timer tick asks; the shell hears only of changes
    tray.tip = tip;
    lstrcpynW(tray.record.szTip, tip.c_str(), conTrayTipLength + 1);
    if (!tray.added) return;
    NOTIFYICONDATAW change = tray.record;
    change.uFlags = NIF_TIP;
    Shell_NotifyIconW(NIM_MODIFY, &change);  // a refusal leaves the old tip, nothing more
}

std::wstring TrayTip() { return Tray().tip; }

void SetArmedTrayTip(const std::wstring& strAction, const std::wstring& strWhen) {
    if (strAction.empty()) {
        SetTrayTip(L"");
        return;
    }
    // A long action gives way, so the time always shows.
    std::wstring action = strAction;
    const size_t room = conTrayTipLength > strWhen.size() + 3 ? conTrayTipLength - strWhen.size() : 3;
    if (action.size() > room) action = action.substr(0, room - 3) + L"...";
    SetTrayTip(action + strWhen);
}

bool ShowTrayBalloon(const std::wstring& strTitle, const std::wstring& strText) {
    TrayState& tray = Tray();
    if (!tray.added) return false;
    NOTIFYICONDATAW balloon = tray.record;
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;  // the first size with the balloon's fields
    balloon.uFlags = NIF_INFO;
    lstrcpynW(balloon.szInfoTitle, strTitle.c_str(), ARRAYSIZE(balloon.szInfoTitle));
    lstrcpynW(balloon.szInfo, strText.c_str(), ARRAYSIZE(balloon.szInfo));
    balloon.dwInfoFlags = NIIF_WARNING;
    return Shell_NotifyIconW(NIM_MODIFY, &balloon) != FALSE;
}

void HandleTrayMenu(UINT uMouseMessage) {
    Shown(conModule, L"HandleTrayMenu", [&] {
        TrayState& tray = Tray();
        switch (uMouseMessage) {
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
                tray.afterDoubleClick = false;
                break;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
                // A menu opened now would take the mouse, and the second click of a double
                // click would never arrive; it opens when the double-click time has passed.
                if (tray.afterDoubleClick) {
                    tray.afterDoubleClick = false;
                    break;
                }
                kv::RaiseLastErrorIf(
                    !SetTimer(tray.record.hWnd, conClickTimerId, GetDoubleClickTime(), OpenMenuAfterClick));
                tray.clickWaits = true;
                break;
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK: {
                StopClickWait();
                tray.afterDoubleClick = true;
                std::wstring action = GetStandardMenu();
                if (!action.empty()) RebootWindows(action, TrayForceFlag());
                break;
            }
            default:
                break;
        }
    });
}

std::wstring GetStandardMenu() {
    const ProgramState& state = State();
    if (state.VisibleMenuOptions.empty() && state.StandardMenuOption.empty()) return conActionShowMain;
    return state.StandardMenuOption;
}

bool TrayForceFlag() {
    // The switch is not offered without AllowUnsaveQuit; a QuitImmediate left stored from
    // earlier must not end Windows without waiting behind the user's back.
    return State().QuitImmediate && State().AllowUnsaveQuit;
}

void SetFrontDialog(enuFrontDialog dlg, HWND hwndDialog) {
    if (dlg == conFD_Options || dlg == conFD_VersionCheck) Tray().frontDialogs[dlg] = hwndDialog;
}

bool BringInFront() {
    return Forwarded(conModule, L"BringInFront", [] {
        for (HWND dialog : Tray().frontDialogs) {
            if (dialog && IsWindow(dialog) && IsWindowVisible(dialog)) {
                Helper().SetForgroundForm(dialog);
                return true;
            }
        }
        return false;
    });
}

}  // namespace kvr
